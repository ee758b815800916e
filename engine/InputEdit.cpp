#include "InputEdit.h"

#include <array>

#include "ComputeDesign.h"
#include "Variables.h"

namespace zorvic {

namespace {

constexpr float AcGap = 30;
constexpr float DcGap = 15;

// In the order of InputBox.
const std::array<BoxRule, 5> Rules = {{
    {.min = 130, .max = 300, .unit = " VAC", .pattern = "##0", .slider = {130, 10, 1, 17}, .endUnit = "VAC"},
    {.min = 85, .max = 195, .unit = " VAC", .pattern = "##0", .slider = {85, 5, 1, 22}, .endUnit = "VAC"},
    {.min = 10, .max = 100, .unit = " Vpp", .pattern = "##0", .slider = {10, 5, 1, 18}, .endUnit = "Vpp"},
    {.min = 35, .max = 305, .unit = " VDC", .pattern = "##0", .slider = {35, 10, 1, 40}, .endUnit = "VDC"},
    {.min = 50, .max = 400, .unit = " VDC", .pattern = "##0", .slider = {50, 10, 1, 50}, .endUnit = "VDC"},
}};

// The difference is taken as a 32-bit float, so a gap of exactly the minimum stays.
bool KeepLowBelow(float high, float& low, float gap) {
    const float difference = high - low;
    if (!(difference < gap)) return false;
    low = high - gap;
    return true;
}

bool KeepHighAbove(float low, float& high, float gap) {
    const float difference = high - low;
    if (!(difference < gap)) return false;
    high = low + gap;
    return true;
}

}  // namespace

const BoxRule& RuleOf(InputBox box) { return Rules[static_cast<std::size_t>(box)]; }

InputFields LoadInputFields() {
    InputFields f;
    f.Freq = InputStage.MainsFrequency;
    f.Vmax = InputStage.VacMax;
    f.Vmin = InputStage.VacMin;
    f.Ripple = InputStage.RippleVoltage;
    f.VminDC = InputStage.DCInputMin;
    f.VmaxDC = InputStage.DCInputMax;
    return f;
}

void StoreInputFields(const InputFields& fields) {
    InputStage.VacMin = fields.Vmin;
    InputStage.VacMax = fields.Vmax;
    InputStage.DCInputMin = fields.VminDC;
    InputStage.DCInputMax = fields.VmaxDC;
    InputStage.RippleVoltage = fields.Ripple;
    InputStage.MainsFrequency = fields.Freq;
    Settings.DesignSaved = false;
    UpdateInputVoltages();
}

void SetInputKind(bool acInput) {
    if (Settings.ACInput == acInput) return;
    Settings.ACInput = acInput;
    Settings.DesignSaved = false;
    UpdateInputVoltages();
}

AcPreset MatchAcPreset(const InputFields& f) {
    if (f.Vmin == 88 && f.Vmax == 264 && f.Freq == 60) return AcPreset::FullRange;
    if (f.Vmin == 88 && f.Vmax == 132 && f.Freq == 60) return AcPreset::Us110;
    if (f.Vmin == 176 && f.Vmax == 264 && f.Freq == 50) return AcPreset::Eur220;
    return AcPreset::None;
}

void ApplyAcPreset(InputFields& f, AcPreset preset) {
    switch (preset) {
    case AcPreset::Eur220: f.Vmin = 176; f.Vmax = 264; f.Freq = 50; break;
    case AcPreset::Us110: f.Vmin = 88; f.Vmax = 132; f.Freq = 60; break;
    case AcPreset::FullRange: f.Vmin = 88; f.Vmax = 264; f.Freq = 60; break;
    case AcPreset::None: break;
    }
}

bool MatchesTelecomPreset(const InputFields& f) { return f.VminDC == 36 && f.VmaxDC == 72; }

void ApplyTelecomPreset(InputFields& f) {
    f.VminDC = 36;
    f.VmaxDC = 72;
}

bool AdjustMinVoltage(InputFields& f) { return KeepLowBelow(f.Vmax, f.Vmin, AcGap); }
bool AdjustMaxVoltage(InputFields& f) { return KeepHighAbove(f.Vmin, f.Vmax, AcGap); }
bool AdjustMinDCVoltage(InputFields& f) { return KeepLowBelow(f.VmaxDC, f.VminDC, DcGap); }
bool AdjustMaxDCVoltage(InputFields& f) { return KeepHighAbove(f.VminDC, f.VmaxDC, DcGap); }

}  // namespace zorvic
