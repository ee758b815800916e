#include "CurveSamples.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "ChipLoss.h"
#include "Compensation.h"
#include "ConductionMode.h"
#include "Formula.h"
#include "OutputCode.h"
#include "Variables.h"

namespace zorvic {

namespace {

// A load resistance of no load at all, ohm.
constexpr float NoLoad = 1e38f;
// The start of the parallel sums: one resistance the real ones are always far below, ohm.
constexpr double ParallelStart = 1e20;
constexpr float EsrParallelStart = 1e20f;
// The feedback network's roll-off and the divider resistance taken with no regulated output.
constexpr float FeedbackPole = 10000;
constexpr float NoDividerResistance = 10000;
// The junction loop stops by itself within a few thousand steps; the bound only guards it.
constexpr int JunctionSteps = 100000;
// Far above any real junction, degC: the growth taken there keeps the loss within the float range.
constexpr float GrowthCeiling = 5000;

bool PositiveFinite(float x) { return std::isfinite(x) && x > 0; }

// R := R r / (R + r) in 64-bit floats: the no-load value 1e38 times the start 1e20 is beyond
// the range of a 32-bit float.
void AddParallel(double& sum, float r) {
    const double other = r;
    sum = sum * other / (sum + other);
}

// The load of output voltage v reflected to output 0 (ratio n) at the current i.
float LoadResistance(float v, float i, float n) {
    if (!(i > 0)) return NoLoad;
    const float r = v / i / n;
    return PositiveFinite(r) ? r : NoLoad;
}

float Squared(float x) { return x * x; }

// sqrt(1 + x^2). Far above a corner the square leaves the float range (an unloaded output's
// pole lies near 1e-18 Hz) while the 1 no longer counts: the factor is then x itself.
float Hypot1(float x) {
    const float square = x * x;
    return std::isfinite(square) ? std::sqrt(1 + square) : std::fabs(x);
}

// Magnitude factor of a zero or a pole at fz seen at the frequency freq.
float Corner(float freq, float fz) { return Hypot1(freq / fz); }

void FeedbackNetwork(float freq, float fsw, float& feedbackGain, float& feedbackPhase) {
    const ControlRecord& ctl = Control;
    const ChipRecord& chip = CurrentChip;
    const float c = 1 / TwoPi;
    const float r3 = ctl.R3.Value;
    const float c6 = ctl.C6.Value;
    if (r3 == 0) return;
    const float fz = chip.Family == 3 ? c / (c6 * chip.Param22) : c / (c6 * r3);
    const float delay = 180 * freq / fsw;
    // The impedance of R3 in series with C6.
    const float zc = 1 / (TwoPi * freq * c6);
    const float series = std::sqrt(r3 * r3 + zc * zc);

    if (!OperatingPoint.SecondaryRegulation) {
        const float a = Transfo.AuxTurnsRatio / Transfo.TurnsRatio[0];
        // Without the auxiliary winding's turns there is no primary feedback to show.
        if (!PositiveFinite(a)) return;
        float h = 0;
        if (chip.Family == 3) {
            h = 1 / chip.Param22 / a;
            feedbackPhase = -delay;
        } else {
            h = 1 / a * chip.Param17 * series / Corner(freq, FeedbackPole);
            feedbackPhase = -(std::atan(fz / freq) + std::atan(freq / FeedbackPole)) * 180 / Pi - delay;
        }
        feedbackGain = 20 * std::log10(h);
        return;
    }

    const float c8 = ctl.C8.Value;
    if (c8 == 0) return;
    // The regulated outputs' turns weighted by their divider resistors give the resistance the
    // divider shows at the reference node; a resistor left out carries nothing.
    float w = 0;
    std::size_t m = 0;
    const auto ns = static_cast<float>(Transfo.OutputTurns[0]);
    for (int i = 0; i <= LastActiveOutput() && m < MaxDividerResistors; ++i) {
        if (!Outputs[static_cast<std::size_t>(i)].Regulated) continue;
        const float divider = Regulation.Divider[++m].Value;
        const float term = static_cast<float>(Transfo.OutputTurns[static_cast<std::size_t>(i)]) / ns / divider;
        if (PositiveFinite(divider) && std::isfinite(term)) w += term;
    }
    const float req = w != 0 ? 1 / w : NoDividerResistance;
    const float f8 = c / (req * c8);
    const float opto = ctl.OptoGain / ctl.R6.Value;
    float h = 0;
    if (chip.Family == 3) {
        h = opto / Corner(freq, fz);
        feedbackPhase = -std::atan(freq / fz) * 180 / Pi;
    } else {
        h = opto * series * Hypot1(f8 / freq) / Corner(freq, FeedbackPole);
        feedbackPhase =
            -(std::atan(fz / freq) + std::atan(f8 / freq) + std::atan(freq / FeedbackPole)) * 180 / Pi - delay;
    }
    feedbackGain = 20 * std::log10(h);
}

}  // namespace

void BodePoint(float f, float freq, float& stageGain, float& stagePhase, float& feedbackGain, float& feedbackPhase,
               const std::string& corner, const std::string& mode) {
    const InputRecord& in = InputStage;
    ControlRecord& ctl = Control;
    const auto fsw = static_cast<float>(in.SwitchingFrequency);
    const bool powerCorner = corner == "Pmax" || corner == "Pmin";
    float vin = in.VdcMin;
    if (powerCorner)
        vin = in.VdcMin + (in.VdcMax - in.VdcMin) * f;
    else if (corner == "Vmax")
        vin = in.VdcMax;

    // Every output reflected to output 0 through the square of its voltage ratio.
    const float v0 = Outputs[0].VoltageBeforeDiode;
    // The ESR sum stays in 32-bit floats: its terms are far from the range's ends.
    float esrSum = EsrParallelStart;
    double fullLoad = ParallelStart;
    double partLoad = ParallelStart;
    float capacitance = 0;
    for (int i = 0; i <= LastActiveOutput(); ++i) {
        const OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
        const float vi = output.VoltageBeforeDiode;
        const float n = Squared(vi / v0);
        const float esr1 = output.Cap1.Esr[0];
        const float esr2 = output.Cap2.Esr[0];
        const float esrPair = esr1 + esr2;
        // Two capacitors without resistance in parallel have none either.
        const float esr = esrPair != 0 ? esr1 * esr2 / esrPair * n : 0;
        const float esrBoth = esrSum + esr;
        esrSum = esrBoth != 0 ? esrSum * esr / esrBoth : 0;
        capacitance += (output.Cap1.Value + output.Cap2.Value) * n;

        const float rb = LoadResistance(vi, f * output.Current, n);
        float ra = rb;
        if (corner == "Pmax")
            ra = LoadResistance(vi, output.Current, n);
        else if (corner == "Pmin")
            // An output without current has no load at its least either.
            ra = output.Current != 0 ? LoadResistance(vi, output.MinimumCurrent, n) : NoLoad;
        AddParallel(fullLoad, ra);
        AddParallel(partLoad, rb);
    }
    const float resr = esrSum;
    const auto rl = static_cast<float>(fullLoad);
    const auto rl2 = static_cast<float>(partLoad);
    const float cap = capacitance;

    const ChipRecord& chip = CurrentChip;
    const float ki = chip.Family == 3 ? 0.001f / chip.Idlim : 4 / chip.Idlim;
    const float c = 1 / TwoPi;
    const float vr = in.ReflectedVoltage;
    const float lp = Transfo.Lprimary.Value;
    const float nr = vr / v0;
    const float m = vr / (vr + vin);

    float g = 0;
    float phi = 0;
    const ConductionMode conduction = ConductionModeOf(mode);
    const bool discontinuous =
        conduction == ConductionMode::Discontinuous || conduction == ConductionMode::Burst;
    if (conduction == ConductionMode::Continuous) {
        ctl.OutputPole = (1 + m) * c / (cap * rl);
        ctl.OutputPolePartLoad = (1 + m) * c / (cap * rl2);
        ctl.EsrZeroCont = c / (cap * resr);
        ctl.RhpZero = nr * nr * rl * (vin * vin) / (TwoPi * lp * vr * (vr + vin));
        const float duty = vin / (vr + vin);
        const float storage = nr * Squared(duty) / (2 * fsw * lp);
        ctl.StageGain = 1 / ki / (storage + (2 * vr + vin) / (rl * vin * nr));
        ctl.StageGainPartLoad = 1 / ki / (storage + (2 * vr + vin) / (rl2 * vin * nr));
        g = ctl.StageGain * Corner(freq, ctl.EsrZeroCont) / Corner(freq, ctl.OutputPole) * Corner(freq, ctl.RhpZero);
        phi = std::atan(freq / ctl.EsrZeroCont) - std::atan(freq / ctl.OutputPole) - std::atan(freq / ctl.RhpZero);
    } else if (discontinuous) {
        ctl.OutputPole = 2 * c / (cap * rl);
        ctl.OutputPolePartLoad = 2 * c / (cap * rl2);
        ctl.EsrZeroDiscont = c / (cap * resr);
        ctl.StageGain = 1 / ki * std::sqrt(lp * rl * fsw / 2);
        ctl.StageGainPartLoad = 1 / ki * std::sqrt(lp * rl2 * fsw / 2);
        const float zero = 1 + Squared(freq / ctl.EsrZeroDiscont);
        const float pole = 1 + Squared(freq / ctl.OutputPole);
        if (std::isfinite(zero) && std::isfinite(pole))
            g = ctl.StageGain * std::sqrt(zero / pole);
        else
            g = ctl.StageGain * (Corner(freq, ctl.EsrZeroDiscont) / Corner(freq, ctl.OutputPole));
        phi = std::atan(freq / ctl.EsrZeroDiscont) - std::atan(freq / ctl.OutputPole);
    }
    if (conduction == ConductionMode::Continuous || discontinuous) {
        stageGain = 20 * std::log10(g);
        stagePhase = phi * 180 / Pi;
    }

    FeedbackNetwork(freq, fsw, feedbackGain, feedbackPhase);
}

void PowerCurvePoint(float f, float x, float& efficiency, float& totalLoss, const std::string& held,
                     const std::string& /*mode: the loss does not depend on it*/) {
    const InputRecord& in = InputStage;
    const OperatingRecord& op = OperatingPoint;
    const ChipRecord& chip = CurrentChip;
    const float inputPower = Transfo.InputPower;
    float vin = 0;
    float p = 0;
    float k = 0;
    if (held == "Vin") {
        vin = in.VdcMin + (in.VdcMax - in.VdcMin) * f;
        p = x;
        // Before any input power is known there is no load to scale.
        k = inputPower != 0 ? x / inputPower : 0;
    } else {
        p = op.Pmin + (inputPower - op.Pmin) * f;
        vin = x;
        k = f;
    }

    float outputLoss = 0;
    float outputPower = 0;
    for (int i = 0; i <= LastActiveOutput(); ++i) {
        const OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
        const float current = k * output.Current;
        const float irms = k * output.IrmsSecondary;
        const OutputCode type(output.OutputType);
        if (type.IsZener()) {
            // The shunt Zener takes what the load leaves of the full current: the output's
            // design loss plus the part of the output power the load does not draw.
            outputLoss += output.Loss + (1 - k) * output.Voltage * output.Current;
        } else {
            outputLoss += irms * irms * output.Diode.Rd + current * output.Diode.Vt0;
            if (type.IsRegulator())
                outputLoss += (output.Regulator.Vdrop + output.Regulator.VdropSlope * current) * current;
        }
        outputPower += output.Voltage * output.Current * k;
    }
    // A milliwatt more keeps the efficiency of an unloaded supply defined.
    outputPower += 0.001f;

    const float preg = RegulationNetworkLoss(DividerNumbering::RegulatedOutputs);
    p += preg;
    p += 0.001f;

    const auto fsw = static_cast<float>(in.SwitchingFrequency);
    const float lp = Transfo.Lprimary.Value;
    const float vr = in.ReflectedVoltage;
    // Below the power of the shortest on-time the chip skips cycles: burst factor b.
    const float onVolts = chip.TonMin * vin;
    const float pb = onVolts * onVolts / 2 * fsw / lp;
    const float b = p < pb ? p / pb : 1;

    const float td = std::sqrt(2 * p * lp / fsw) / vin;
    const float tc = vr / (vr + vin) / fsw;
    float ipk = 0;
    float valley = 0;
    if (td < tc) {
        ipk = std::sqrt(2 * p / (lp * fsw));
    } else {
        ipk = (2 * p / (vin * tc * fsw) + vin * tc / lp) / 2;
        valley = ipk - vin * tc / lp;
    }

    float clampLoss = op.ClamperLoss * k;
    if (Clamper.RCClamper && Clamper.R1.Value > 0) {
        const float floor = vr * vr / Clamper.R1.Value;
        if (clampLoss < floor) clampLoss = floor;
    }

    const float supply = ChipSupplyCurrent() * chip.Vdd1;
    const float ip = Transfo.IrmsMax * k;
    const float conduction = ip * ip * chip.Rdson;
    const float capacitive = 0.5f * (DrainCapacitance(vin) + Transfo.Cpri.Value) * (vin * vin);
    float switching = 0;
    if (chip.Idlim / 2 > ipk)
        switching = (capacitive + valley * 4e-11f * std::pow(in.VdcMin, 2.22f)) * fsw * b;
    else
        switching = (capacitive + (2 * ipk - chip.Idlim) / chip.Idlim * chip.Param21) * fsw * b;
    float pchip = supply + conduction + switching;

    // The loss heats the junction above the pin, which raises the on-resistance. A junction past
    // its limit is taken as the design computation takes it, with the conduction loss at the
    // limit, so that at full load the curve meets the design's own loss.
    const float pin = op.ChipPinTemperature;
    const auto growth = [](float t) { return RdsonFactor(std::min(t, GrowthCeiling)); };
    float t = pin;
    for (int n = 0; n < JunctionSteps; ++n) {
        const float previous = t;
        t = pin + op.RthJunctionPin * pchip;
        if (t > JunctionTemperatureLimit) {
            pchip = supply + switching + conduction * growth(JunctionTemperatureLimit);
            break;
        }
        pchip += conduction * (growth(t) - growth(previous));
        if (!(t - previous >= 0.1f)) break;
    }

    // The core loss stays; the copper loss follows the square of the load.
    const float transformer = Transfo.CoreLoss + Transfo.WindingLoss * (k * k);
    totalLoss = pchip + outputLoss + clampLoss + transformer + preg;
    efficiency = 100 * outputPower / (outputPower + totalLoss);
}

}  // namespace zorvic
