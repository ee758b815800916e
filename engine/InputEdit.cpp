#include "InputEdit.h"

#include "ComputeDesign.h"
#include "Variables.h"

namespace zorvic {

namespace {

constexpr float AcGap = 30;
constexpr float DcGap = 15;

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
