#include "ErrorManagement.h"

#include "DesignHost.h"
#include "NumberText.h"
#include "Variables.h"

namespace zorvic {

namespace {

const std::string OverVoltageTitle = "Zorvic Over Voltage";

bool warnedFromChipEditor = false;

void ShowOverVoltageMessage(const std::string& lead) {
    Host().ShowMessage(lead + CurrentChip.Name + " Has" + Str(CurrentChip.Vdmax) + " Vmax.", MessageButtons::OK,
                       OverVoltageTitle);
}

}  // namespace

void BeginDesignWarnings() { warnedFromChipEditor = false; }

void ReportDesignError(const std::string& kind) {
    if (kind == "VpeakInput")
        ShowInputOverVoltage();
    else if (kind == "VpeakZorvic")
        ShowReflectedOverVoltage();
}

void ShowInputOverVoltage() {
    ShowOverVoltageMessage("Please Reduce Input Voltage. ");
    if (Host().ChipEditorIsActive()) Host().CloseChipEditor();
    Host().EditInputPara();
    Settings.RecomputeFlag = true;
}

void ShowReflectedOverVoltage() {
    // Raised by the chip editor's own Apply: the editor is already open, so the user reads the
    // message once and goes on editing there; asking for the editor again would loop.
    if (Host().ChipEditorIsActive()) {
        if (!warnedFromChipEditor) ShowOverVoltageMessage("Please Reduce Reflected Voltage. ");
        warnedFromChipEditor = true;
        return;
    }
    ShowOverVoltageMessage("Please Reduce Reflected Voltage. ");
    Host().EditZorvicPara();
    Settings.RecomputeFlag = true;
}

}  // namespace zorvic
