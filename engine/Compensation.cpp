#include "Compensation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "ConductionMode.h"
#include "CurveSamples.h"
#include "Formula.h"
#include "NumberText.h"
#include "Variables.h"

namespace zorvic {

namespace {

// The loop crosses over at the switching frequency at most, and never above 5 kHz.
constexpr float MaxCrossover = 5000;
// Chip family 3 sets its own compensation zero with a fixed 47 nF.
constexpr float Family3C6 = 4.7e-8f;

bool PositiveFinite(float x) { return std::isfinite(x) && x > 0; }

void UseReference(const char* name, float voltage, float current) {
    Regulation.ReferenceName = name;
    Regulation.ReferenceVoltage = voltage;
    Regulation.ReferenceCurrent = current;
}

// A value that comes out zero, negative or not finite (no turns known yet) keeps the part's
// previous value.
void StoreRounded(float& field, float value, bool up, int16_t step) {
    if (!PositiveFinite(value)) return;
    RoundToE12(value, up, step);
    field = value;
}

}  // namespace

bool SelectReferenceIC(int16_t lastOutput, int16_t index, bool regulated, float voltage) {
    RegulationRecord& reg = Regulation;
    UseReference("SHR1", Shr1Voltage, Shr1Current);
    reg.GroundResistor.Value = DividerGroundResistance;
    bool ok = true;
    const int last = std::min<int>(lastOutput, OutputCount - 1);
    // An edited main output is judged by the voltage being edited, not the one applied before.
    const float mainVoltage = index == 0 ? voltage : Outputs[0].Voltage;

    for (;;) {
        if (mainVoltage < 3.5f || !ok) {
            UseReference("SHR2", Shr2Voltage, Shr2Current);
            ok = true;
        }
        std::size_t m = 0;
        for (int j = 0; j <= last; ++j) {
            const OutputRecord& output = Outputs[static_cast<std::size_t>(j)];
            const bool flag = j == index ? regulated : output.Regulated;
            const float v = j == index ? voltage : output.Voltage;
            if (flag && m < MaxDividerResistors) reg.Divider[++m].Value = v;
        }
        if (OperatingPoint.SecondaryRegulation) {
            const float vref = reg.ReferenceVoltage;
            float s = 0;
            for (std::size_t k = 1; k <= m; ++k) s += (reg.Divider[k].Value - vref) / reg.Divider[k].Value;
            if (s < 0.1f) ok = false;
            // Each output carries the share (Vm - Vref) / (Vm s) of the ground resistor's current.
            for (std::size_t k = 1; k <= m; ++k) {
                const float r = s * reg.Divider[k].Value * DividerGroundResistance / vref;
                reg.Divider[k].Value = PositiveFinite(r) ? r : 0;
            }
        }
        if (reg.ReferenceName == "SHR2" || ok) break;
    }
    // The 1.24 V reference stands no more than 12 V across it from the main output.
    if (reg.ReferenceName == "SHR2" && mainVoltage > 12) return false;
    return ok;
}

void ComputeCompensation() {
    ControlRecord& ctl = Control;
    const ChipRecord& chip = CurrentChip;
    const auto fsw = static_cast<float>(InputStage.SwitchingFrequency);
    const bool secondary = OperatingPoint.SecondaryRegulation;

    // Continuous at low line only: the loop is compensated for continuous conduction.
    ConductionMode mode = ConductionModeOf(OperatingPoint.ContinuousModeText);
    if (mode == ConductionMode::LowLine) mode = ConductionMode::Continuous;
    float gain = 0;
    float phase = 0;
    BodePoint(1, fsw, gain, phase, gain, phase, "Pmax", ConductionModeText(mode));

    // Cross over at no more than half the ESR zero and, in continuous conduction, half the
    // right-half-plane zero.
    float fc = fsw < MaxCrossover ? fsw : MaxCrossover;
    if (mode == ConductionMode::Discontinuous) {
        if (ctl.EsrZeroDiscont / 2 < fc) fc = ctl.EsrZeroDiscont / 2;
    } else {
        if (ctl.EsrZeroCont / 2 < fc) fc = ctl.EsrZeroCont / 2;
        if (ctl.RhpZero / 2 < fc) fc = ctl.RhpZero / 2;
    }

    const auto ns = static_cast<float>(Transfo.OutputTurns[0]);
    const auto naux = static_cast<float>(Transfo.AuxTurns);
    // The regulated outputs' turns weighted by their divider resistors.
    float g = 0;
    if (secondary) {
        std::size_t m = 0;
        for (int j = 0; j <= LastActiveOutput() && m < MaxDividerResistors; ++j) {
            if (!Outputs[static_cast<std::size_t>(j)].Regulated) continue;
            const float divider = Regulation.Divider[++m].Value;
            if (!PositiveFinite(divider)) continue;
            g += static_cast<float>(Transfo.OutputTurns[static_cast<std::size_t>(j)]) / ns / divider;
        }
    }

    const float css = ctl.SoftStartTime * chip.Param18 / (Transfo.IpeakMax * chip.Param19 / chip.Idlim);
    const float op = ctl.OutputPole;
    const float opPart = ctl.OutputPolePartLoad;
    const float sg = ctl.StageGain;
    const float sgPart = ctl.StageGainPartLoad;
    const float opto = ctl.OptoGain;

    // Each new value is rounded to its series before it is stored: a kept value is already on
    // it, and rounding up again would move it to the next one. R6 and C8 are no part of the
    // primary loop: they keep their values.
    if (!secondary) {
        if (chip.Family == 3) {
            ctl.C6.Value = Family3C6;
            RoundToE12(ctl.R3.Value, false, 1);
        } else {
            const float r3 = fc / op * ns / naux / (sg * chip.Param17);
            StoreRounded(ctl.C6.Value, 9 / (TwoPi * (r3 * r3) * opPart * naux * sgPart * chip.Param17), true, 2);
            StoreRounded(ctl.R3.Value, r3, false, 1);
        }
        return;
    }

    float c6 = 0;
    float r6 = 0;
    if (chip.Family == 3) {
        c6 = Family3C6;
        r6 = op * sg * opto / fc;
        RoundToE12(ctl.R3.Value, false, 1);
    } else {
        ctl.R3.Value = chip.Family == 5 ? 2200.0f : 1000.0f;
        const float r3 = ctl.R3.Value;
        r6 = op * sg * opto * r3 / fc;
        c6 = r6 / (TwoPi * (r3 * r3) * sgPart * opPart * opto);
    }
    StoreRounded(ctl.R6.Value, r6, false, 1);
    StoreRounded(ctl.C8.Value, sg * g * op / (fc * TwoPi * sgPart * opPart), true, 2);
    if (chip.Family == 3) {
        ctl.C6.Value = c6;
    } else {
        // The soft start needs at least Css on the compensation pin.
        if (css > c6) c6 = css;
        StoreRounded(ctl.C6.Value, c6, true, 2);
    }
}

}  // namespace zorvic
