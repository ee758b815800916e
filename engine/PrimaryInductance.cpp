#include "PrimaryInductance.h"

#include <cmath>

#include "DesignHost.h"
#include "Formula.h"
#include "Variables.h"

namespace zorvic {

float BoundaryInputVoltage(float vr, float pin, float ilim) {
    const float deliverable = vr * ilim / 2;
    if (deliverable <= pin) {
        Settings.PowerTooHigh = true;
        Host().ShowPowerWarning(true);
        return 400;
    }
    float x = 2 * pin / (vr * ilim);
    if (x < 0) x = 0;
    Settings.PowerTooHigh = false;
    Host().ShowPowerWarning(false);
    return vr * (std::pow(1 - x, 1.6f) * 5 * std::sqrt(x) + x / (1 - x));
}

double InductanceForBoundary(float vin) {
    const float pin = Transfo.InputPower;
    const float vr = InputStage.ReflectedVoltage;
    const float rds = CurrentChip.Rdson;
    const float i = RampCentreCurrent(pin, vin, vr, rds);
    const float d = DutyCycleCCM(vr, vin, i, rds);
    return static_cast<double>(d) * vin / (2.0 * i * InputStage.SwitchingFrequency);
}

void ComputePrimaryInductance() {
    const float boundary = BoundaryInputVoltage(InputStage.ReflectedVoltage, Transfo.InputPower, CurrentChip.Idlim);
    if (Settings.UserPrimaryInductance) return;
    const auto lp = static_cast<float>(InductanceForBoundary(boundary));
    // With no power at all the boundary has no inductance; the previous one stays.
    if (std::isfinite(lp) && lp > 0) Transfo.Lprimary.Value = lp;
}

void CheckCurrentLimit(float limit) {
    if (Transfo.IpeakMax > limit) {
        Settings.PowerTooHigh = true;
        Host().ShowPowerWarning(true);
    }
}

}  // namespace zorvic
