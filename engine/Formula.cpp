#include "Formula.h"

#include <cmath>

#include "Variables.h"

namespace zorvic {

float RdsonFactor(float t) { return std::pow(RdsonGrowth, t - 25); }

float SkinDepthAt(float f) { return 66.0f / std::sqrt(f); }

double ArcSin(double x) {
    if (x >= 1) return PiDouble / 2;
    if (x <= -1) return -PiDouble / 2;
    return std::atan(x / std::sqrt(1 - x * x));
}

float RampCentreCurrent(float pin, float vin, float vr, float rds) {
    if (vin == 0 || vr == 0) return CurrentChip.Idlim;
    const float vinVr = vin * vr;
    return pin / ((1 + pin * rds / vinVr) * (vinVr / (vin + vr)));
}

float DutyCycleCCM(float vr, float vin, float i, float rds) {
    const float denominator = vr + vin - i * rds;
    // A drain drop above the whole voltage loop leaves no off-time: the switch stays on.
    if (!(denominator > 0)) return 1;
    return vr / denominator;
}

float DutyCycle(float vr, float vin, float i, float rds, float lp, int32_t fsw, float pin) {
    const float dc = DutyCycleCCM(vr, vin, i, rds);
    const float lpFsw = lp * static_cast<float>(fsw);
    const float onVoltage = vin - i * rds;
    // The discontinuous duty needs a real inductance, a positive voltage across it and power.
    if (!(lpFsw > 0) || !(onVoltage > 0) || !(pin >= 0)) return dc;
    const float ratio = 2 * pin / lpFsw;
    const auto dd = static_cast<float>(std::sqrt(static_cast<double>(ratio)) * lpFsw / onVoltage);
    return dd < dc ? dd : dc;
}

float RippleCurrent(float vin, float i, float rds, float d, float t, float lp) {
    if (!(lp > 0)) return 0;
    return (vin - rds * i) * d * t / lp;
}

double RmsTrapezoid(double d, double ia, double ib) {
    const double meanSquare = d * (ia * ia + ib * ib + ia * ib) / 3;
    // A duty above 1 (more power than the chip can give) would put a negative under the root.
    return meanSquare > 0 ? std::sqrt(meanSquare) : 0;
}

float ChipSupplyCurrent() {
    return CurrentChip.IddSlope * static_cast<float>(InputStage.SwitchingFrequency) / 100000 + CurrentChip.IddOffset;
}

}  // namespace zorvic
