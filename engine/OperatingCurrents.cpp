#include "OperatingCurrents.h"

#include <cmath>
#include <cstddef>

#include "ConductionMode.h"
#include "Formula.h"
#include "Variables.h"

namespace zorvic {

namespace {

float Period() { return 1.0f / static_cast<float>(InputStage.SwitchingFrequency); }

// Secondary RMS current of one output from the RMS of its reflected winding current x, and the
// ripple current its first capacitor cell carries.
void SetSecondaryCurrents(OutputRecord& output, double x, float pin) {
    if (pin == 0) {
        output.IrmsSecondary = 0;
    } else {
        output.IrmsSecondary =
            static_cast<float>(x * static_cast<double>(output.VoltageBeforeDiode * output.Current) / pin);
    }
    output.RippleCurrent =
        std::sqrt(std::fabs(output.IrmsSecondary * output.IrmsSecondary - output.Current * output.Current));
}

}  // namespace

namespace {

ConductionMode ModeAt(float vin, float pin) {
    const float vr = InputStage.ReflectedVoltage;
    const float rds = CurrentChip.Rdson;
    const float i = RampCentreCurrent(pin, vin, vr, rds);
    const float d = DutyCycleCCM(vr, vin, i, rds);
    const float ripple = RippleCurrent(vin, i, rds, d, Period(), Transfo.Lprimary.Value);
    const float twiceCentre = 2 * i;
    return twiceCentre <= ripple ? ConductionMode::Discontinuous : ConductionMode::Continuous;
}

}  // namespace

std::string ConductionModeAt(float vin, float pin) { return ConductionModeText(ModeAt(vin, pin)); }

std::string ConductionContinuousModeText(float vinMin, float vinMax, float pin, float& ipeak, float& irms) {
    const float ic = OperatingPoint.CentreCurrentAtVmin;
    const float di = OperatingPoint.RippleCurrentAtVmin;
    const float d = OperatingPoint.DutyCycleAtVmin;
    const int last = LastActiveOutput();

    const ConductionMode low = ModeAt(vinMin, pin);
    const ConductionMode high = ModeAt(vinMax, pin);

    if (low == ConductionMode::Discontinuous) {
        // The peak of a current that ramps from zero: the whole root in 64-bit floats, the
        // product Lp x fsw included.
        const double lpFsw = static_cast<double>(Transfo.Lprimary.Value) * InputStage.SwitchingFrequency;
        const double ratio = lpFsw > 0 ? 2.0 * pin / lpFsw : 0;
        const double ipk = ratio > 0 ? std::sqrt(ratio) : 0;
        ipeak = static_cast<float>(ipk);
        irms = static_cast<float>(RmsTrapezoid(d, 0, ipk));
        // The secondary conducts for D x Vin / VR of the period, VR being the reflected voltage
        // of the rounded turns; before the first transformer design only the wanted one exists.
        float reflected = OperatingPoint.ReflectedVoltageActual;
        if (reflected == 0) reflected = InputStage.ReflectedVoltage;
        const float secondaryDuty = d * vinMin / reflected;
        for (int k = 0; k <= last; ++k) {
            OutputRecord& output = Outputs[static_cast<std::size_t>(k)];
            const double x = RmsTrapezoid(secondaryDuty, 0, output.CurrentRatio * ipk);
            SetSecondaryCurrents(output, x, pin);
        }
        return ConductionModeText(ConductionMode::Discontinuous);
    }

    const float valley = ic - di / 2;
    const float peak = ic + di / 2;
    ipeak = peak;
    irms = static_cast<float>(RmsTrapezoid(d, valley, peak));
    for (int k = 0; k <= last; ++k) {
        OutputRecord& output = Outputs[static_cast<std::size_t>(k)];
        const float r = output.CurrentRatio;
        const double x = RmsTrapezoid(1 - d, valley * r, peak * r);
        SetSecondaryCurrents(output, x, pin);
    }
    return ConductionModeText(high == ConductionMode::Continuous ? ConductionMode::Continuous : ConductionMode::LowLine);
}

void ComputeOperatingPoint() {
    const float vr = InputStage.ReflectedVoltage;
    const float rds = CurrentChip.Rdson;
    const float pin = Transfo.InputPower;
    const float lp = Transfo.Lprimary.Value;
    const int32_t fsw = InputStage.SwitchingFrequency;
    const float vmin = InputStage.VdcMin;
    const float vmax = InputStage.VdcMax;
    const float t = Period();
    OperatingRecord& op = OperatingPoint;

    op.CentreCurrentAtVmin = RampCentreCurrent(pin, vmin, vr, rds);
    op.CentreCurrentAtVmax = RampCentreCurrent(pin, vmax, vr, rds);
    op.DutyCycleAtVmin = DutyCycle(vr, vmin, op.CentreCurrentAtVmin, rds, lp, fsw, pin);
    op.DutyCycleAtVmax = DutyCycle(vr, vmax, op.CentreCurrentAtVmax, rds, lp, fsw, pin);
    op.RippleCurrentAtVmin = RippleCurrent(vmin, op.CentreCurrentAtVmin, rds, op.DutyCycleAtVmin, t, lp);
    op.RippleCurrentAtVmax = RippleCurrent(vmax, op.CentreCurrentAtVmax, rds, op.DutyCycleAtVmax, t, lp);

    const float twiceCentre = 2 * op.CentreCurrentAtVmin;
    if (twiceCentre <= op.RippleCurrentAtVmin || !(op.RippleCurrentAtVmin > 0)) {
        op.ValleyCurrentAtVmin = 0;
        op.ContRatio = 1;
    } else {
        op.ValleyCurrentAtVmin = op.CentreCurrentAtVmin - op.RippleCurrentAtVmin / 2;
        op.ContRatio = (op.ValleyCurrentAtVmin + op.RippleCurrentAtVmin) / op.RippleCurrentAtVmin;
    }

    op.ContinuousModeText = ConductionContinuousModeText(vmin, vmax, pin, Transfo.IpeakMax, Transfo.IrmsMax);

    CurrentChip.SupplyCurrent = static_cast<float>(RmsTrapezoid(1 - op.DutyCycleAtVmin, 0, ChipSupplyCurrent()));
}

}  // namespace zorvic
