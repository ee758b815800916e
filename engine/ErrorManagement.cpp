#include "ErrorManagement.h"

#include <string>
#include <vector>

#include "DesignHost.h"
#include "FileManagement.h"
#include "NumberText.h"
#include "Variables.h"

namespace zorvic {

namespace {

const std::string OverVoltageTitle = "Zorvic Over Voltage";

bool warnedFromChipEditor = false;
// Computations running (an editor opened by a warning may start one inside another).
int computations = 0;
// In the running computation the user left a warning's editor without changing the design: the
// same warning would follow at once, pass after pass.
bool declined = false;

void ShowOverVoltageMessage(const std::string& lead) {
    Host().ShowMessage(lead + CurrentChip.Name + " Has" + Str(CurrentChip.Vdmax) + " Vmax.", MessageButtons::OK,
                       OverVoltageTitle);
}

// Opens the editor and asks for another pass when the user changed the design there, whether
// by confirming, by an Apply or by a choice the editor writes at once. The design as the project
// file holds it stands for everything an editor can change.
void EditAndRecompute(void (DesignHost::*editor)()) {
    const std::vector<std::string> before = ProjectFileLines();
    (Host().*editor)();
    if (ProjectFileLines() == before) {
        declined = computations > 0;
        return;
    }
    Settings.RecomputeFlag = true;
}

}  // namespace

void BeginDesignWarnings() {
    ++computations;
    warnedFromChipEditor = false;
    declined = false;
}

void EndDesignWarnings() {
    if (computations > 0) --computations;
    declined = false;
}

void ReportDesignError(const std::string& kind) {
    // Declined once, the warning stays quiet for the rest of this computation, which ends with
    // the clamp left as the warning leaves it.
    if (declined) return;
    if (kind == "VpeakInput")
        ShowInputOverVoltage();
    else if (kind == "VpeakZorvic")
        ShowReflectedOverVoltage();
}

void ShowInputOverVoltage() {
    ShowOverVoltageMessage("Please Reduce Input Voltage. ");
    if (Host().ChipEditorIsActive()) Host().CloseChipEditor();
    EditAndRecompute(&DesignHost::EditInputPara);
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
    EditAndRecompute(&DesignHost::EditZorvicPara);
}

}  // namespace zorvic
