#include "DesignHost.h"

#include "Variables.h"

namespace zorvic {

namespace {
DesignHost noHost;
DesignHost* installed = &noHost;
}  // namespace

MessageAnswer DesignHost::ShowMessage(const std::string&, MessageButtons buttons, const std::string&) {
    switch (buttons) {
    case MessageButtons::OK:
        return MessageAnswer::OK;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Cancel;
    }
}

int DesignHost::ShellOpen(const std::string&) { return 2; }
void DesignHost::DoEvents() {}
void DesignHost::EditInputPara() {}
void DesignHost::EditZorvicPara() {}
bool DesignHost::ChipEditorIsActive() { return false; }
void DesignHost::CloseChipEditor() {}
void DesignHost::ShowPowerWarning(bool) {}
void DesignHost::SetOutputLabelTags(int, const std::string&, const std::string&) {}
void DesignHost::AddToCustomList(const CoreGeometry&) {}
void DesignHost::DesignFileChanged() {}
void DesignHost::ShowProjectName(const std::string&) {}
bool DesignHost::OutputBlockShown(int output) { return output <= Settings.AdditionalOutputs; }
void DesignHost::ShowOutputBlock(int, bool) {}

DesignHost& Host() { return *installed; }

void InstallHost(DesignHost* host) { installed = host ? host : &noHost; }

}  // namespace zorvic
