#include "PrimaryClamp.h"

#include <cmath>

#include "ErrorManagement.h"
#include "Formula.h"
#include "NumberText.h"
#include "Rectifiers.h"
#include "Variables.h"

namespace zorvic {

namespace {

// The clamp's resistor when the leakage energy needs no resistor at all, ohm.
constexpr float OpenClampResistor = 2.2e7f;

bool IsPositiveFinite(float x) { return std::isfinite(x) && x > 0; }

void SizeSurgeClamp(float vring, float fsw) {
    const float vr = InputStage.ReflectedVoltage;
    SelectClampComponents();
    const float vbr = Clamper.Clamp.Vbr[0];
    const float slope = (vbr - vr) / Transfo.Lleak.Value;
    float charge = 0;
    // A clamp at or below the reflected voltage would conduct all the time: no slope, no charge.
    if (vring >= vbr && IsPositiveFinite(slope)) {
        const auto i2 = static_cast<float>(Transfo.IpeakMax * std::cos(ArcSin(vbr / vring)));
        charge = i2 * i2 / (2 * slope);
    }
    const float loss = vbr * charge * fsw;
    OperatingPoint.ClamperLoss = loss > 0 ? loss : 0;
}

void SizeRcClamp(float vcl, float current, float fsw) {
    const float vr = InputStage.ReflectedVoltage;
    const float trr = Clamper.Diode.Trr;
    const float slope = (vcl - vr) / Transfo.Lleak.Value;
    float r1 = OpenClampResistor;
    if (IsPositiveFinite(slope)) {
        const float charge = current * current / (2 * slope) - trr * trr * slope / 2;
        // Exactly no charge would ask for an infinite resistor: the open clamp stands for it.
        if (charge > 0) r1 = vcl / (charge * fsw);
    }
    float c3 = 10 / (r1 * fsw);
    OperatingPoint.ClamperLoss = vcl * vcl / r1;
    RoundToE12(r1, false, 1);
    RoundToE12(c3, true, 2);
    Clamper.R1.Value = r1;
    Clamper.C3.Value = c3;
}

}  // namespace

void ComputeClamp() {
    const float vr = InputStage.ReflectedVoltage;
    const float vdmax = CurrentChip.Vdmax;
    const float vdcMax = InputStage.VdcMax;
    const float ipeak = Transfo.IpeakMax;
    const auto fsw = static_cast<float>(InputStage.SwitchingFrequency);

    Transfo.Lleak.Value = Transfo.Lprimary.Value * Transfo.LeakageRatio;
    const float lleak = Transfo.Lleak.Value;
    Clamper.VoltageMargin = 0.9f * vdmax - vdcMax - vr;
    if (Clamper.VoltageMargin < ClampMarginMinimum) {
        ReportDesignError(Settings.InputEditedLast ? "VpeakZorvic" : "VpeakInput");
        return;
    }

    const float z = std::sqrt(lleak / Transfo.Cpri.Value);
    const float vring = ipeak * z + vr;

    // The clamp voltage the leakage current reaches while the clamp diode recovers; the current
    // left then falls with the ringing.
    const float trr = Clamper.Diode.Trr;
    float current = ipeak;
    float vc = 0;
    for (int n = 0; n < ClampIterationLimit; ++n) {
        float previous = vc;
        vc = current * 0.95f * lleak / trr + vr;
        if (vc <= vring) {
            current = static_cast<float>(ipeak * std::cos(ArcSin(vc / vring)));
            vc = current * 0.95f * lleak / trr + vr;
        } else {
            vc = vring;
            current = 0;
            previous = vring;
        }
        const float change = std::fabs(previous - vc);
        if (change < 1) break;
    }

    float vcl = 0.7f * (vdmax - vdcMax);
    if (vc < vcl) vcl = vc;

    if (Clamper.RCClamper)
        SizeRcClamp(vcl, current, fsw);
    else
        SizeSurgeClamp(vring, fsw);
}

bool ClampSized() { return !(Clamper.VoltageMargin < ClampMarginMinimum); }

std::string FormatClampEng(float value, const std::string& unit) { return ClampSized() ? FormatEng(value, unit) : ""; }

}  // namespace zorvic
