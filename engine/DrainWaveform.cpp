#include "DrainWaveform.h"

#include <cmath>

#include "Formula.h"
#include "Variables.h"

namespace zorvic {

namespace {

// Time step of the turn-off integration, s.
constexpr float TurnOffStep = 2e-9f;
// The body diode holds the drain at no less than -0.6 V.
constexpr float BodyDiodeDrop = 0.6f;
// Copper resistivity, ohm mm2 / m.
constexpr float CopperResistivity = 0.0172f;
// The ringing current crowds into the winding's surface and its neighbours: the damping is
// about 30 times the resistance of the primary wire's skin layer.
constexpr float RingingLossFactor = 30;

DrainWaveformTable Table;

// The thinnest wire of the table stands in for a primary wire without area.
float ThinnestWireArea() {
    float thinnest = 0;
    for (const WireRecord& wire : WireTable)
        if (wire.Area > 0 && (thinnest == 0 || wire.Area < thinnest)) thinnest = wire.Area;
    return thinnest > 0 ? thinnest : 0.00202f;
}

// Resistance that damps a ringing of the frequency f in the primary winding, ohm.
float DampingResistance(float f) {
    const WireRecord& wire = Transfo.PrimaryWire;
    const float area = wire.Area > 0 ? wire.Area : ThinnestWireArea();
    const auto strands = static_cast<float>(wire.Strands >= 1 ? wire.Strands : 1);
    const float r = std::sqrt(area / Pi);
    const float depth = SkinDepthAt(f);
    float conducting = area;
    if (r > depth) conducting = Pi * (r * r) - Pi * ((r - depth) * (r - depth));
    const float perMetre = CopperResistivity / conducting;
    const auto turns = static_cast<float>(Transfo.PrimaryTurns);
    return turns * Transfo.Core.Lm / 1000 * RingingLossFactor * perMetre / strands;
}

// e^((from - t) / tau); no resistance (tau infinite) keeps the amplitude, an infinite one ends
// the ringing at once.
float Decay(float from, float t, float tau) {
    if (!(tau > 0)) return t > from ? 0.0f : 1.0f;
    return std::exp((from - t) / tau);
}

// How long the clamp conducts to empty the leakage inductance carrying the current i; negative
// once the current has reversed. A clamp at the reflected voltage itself would take for ever:
// it ends at once.
float ClampDuration(float i) {
    const float across = Table.ClampVoltage - InputStage.ReflectedVoltage;
    const float duration = Transfo.Lleak.Value * i / across;
    return std::isfinite(duration) ? duration : 0;
}

float LeakageRinging(float t, float& current) {
    const DrainWaveformTable& w = Table;
    const float decay = Decay(w.T2, t, w.Tau1);
    const float angle = (t - w.T2) / w.S1;
    float v = w.A2 * decay * std::cos(angle) + InputStage.ReflectedVoltage + w.Vin;
    if (v < -BodyDiodeDrop) v = -BodyDiodeDrop;
    current = -w.A2 * w.C1 / w.S1 * decay * std::sin(angle);
    return v;
}

float MagnetisingRinging(float t, float& current) {
    const DrainWaveformTable& w = Table;
    const float decay = Decay(w.T3, t, w.Tau2);
    const float angle = (t - w.T3) / w.S2;
    float v = w.A3 * decay * std::cos(angle) + w.Vin;
    if (v < -BodyDiodeDrop) v = -BodyDiodeDrop;
    current = -w.A3 * w.C2 / w.S2 * decay * std::sin(angle);
    return v;
}

float MagnetisingAmplitude() {
    float current = 0;
    return LeakageRinging(Table.T3, current) - Table.Vin;
}

void FillTable(float f, const std::string& corner, float t) {
    DrainWaveformTable& w = Table;
    const InputRecord& in = InputStage;
    const ChipRecord& chip = CurrentChip;
    const OperatingRecord& op = OperatingPoint;
    const auto fsw = static_cast<float>(in.SwitchingFrequency);
    const float lp = Transfo.Lprimary.Value;
    const float lleak = Transfo.Lleak.Value;
    const float cpri = Transfo.Cpri.Value;
    const float vr = in.ReflectedVoltage;
    const float tsw = chip.Tswitch;

    float vin = 0;
    float p = 0;
    if (corner == "Pmin" || corner == "Pmax") {
        vin = in.VdcMin + (in.VdcMax - in.VdcMin) * f;
        p = corner == "Pmax" ? Transfo.InputPower : op.Pmin;
    } else {
        vin = corner == "Vmax" ? in.VdcMax : in.VdcMin;
        p = op.Pmin + (Transfo.InputPower - op.Pmin) * f;
    }
    // The chip cannot switch on for less than its minimum on-time.
    const float onVolts = chip.TonMin * vin;
    const float pb = onVolts * onVolts / 2 * fsw / lp;
    if (p < pb) p = pb;
    w.Vin = vin;
    w.Power = p;
    w.ClampVoltage = Clamper.RCClamper ? vr + Clamper.VoltageMargin : Clamper.Clamp.Vbr[0];
    w.Vtop = vin + w.ClampVoltage;

    w.C1 = DrainCapacitance(vr + vin + 0.6f) + cpri;
    w.C2 = DrainCapacitance(vin) + cpri;
    w.S1 = std::sqrt(lleak * w.C1);
    w.S2 = std::sqrt(lp * w.C2);
    w.Tau1 = 2 * lleak / DampingResistance(1 / (TwoPi * w.S1));
    w.Tau2 = 2 * lp / DampingResistance(1 / (TwoPi * w.S2));

    w.Period = 1 / fsw;
    w.Ipeak = std::sqrt(2 * p / (fsw * lp));
    w.Ivalley = 0;
    float onTime = lp * w.Ipeak / vin;
    const float tc = vr / (vr + vin) * (w.Period - tsw);
    if (onTime > tc) {
        const float centre = RampCentreCurrent(p, vin, vr, chip.Rdson);
        const float ripple = RippleCurrent(vin, centre, chip.Rdson, tc / w.Period, w.Period, lp);
        w.Ipeak = centre + ripple / 2;
        w.Ivalley = centre - ripple / 2;
        onTime = tc;
    }
    w.Ton = onTime + tsw;

    // Turn-off: the peak current charges the drain up to the reflected voltage, then the
    // leakage inductance goes on charging it until its current is spent or the clamp takes it.
    float v = 0;
    float il = w.Ipeak;
    int32_t steps = 0;
    while (v < vr + vin && steps < TurnOffStepLimit) {
        v += w.Ipeak / DrainCapacitance(v) * TurnOffStep;
        ++steps;
    }
    while (il >= 0 && v < w.Vtop && steps < TurnOffStepLimit) {
        il -= (v - vin - vr) / lleak * TurnOffStep;
        v += il / DrainCapacitance(v) * TurnOffStep;
        ++steps;
    }
    const float left = il < 0 ? 0 : il;
    w.T1 = w.Ton + static_cast<float>(steps) * TurnOffStep;
    w.T2 = w.T1 + ClampDuration(left);
    w.T3 = w.T1 + (w.Ton - tsw) * vin / vr;
    w.A2 = left > 0 && v >= w.Vtop ? w.ClampVoltage - vr : (v < w.Vtop ? v : w.Vtop) - vin - vr;
    w.A3 = MagnetisingAmplitude();

    w.PreviousTime = t;
    w.PreviousVoltage = vin;
    w.LeakageCurrent = w.Ipeak;
    w.LastVoltage = vin;
    w.Filled = true;
}

}  // namespace

void DrainWaveformPoint(float f, float t, float& drainVoltage, float& drainCurrent, const std::string& corner,
                        const std::string& /*mode: the waveform works out its own*/, float axisMin) {
    if (t == axisMin || !Table.Filled) FillTable(f, corner, t);
    DrainWaveformTable& w = Table;
    const float vr = InputStage.ReflectedVoltage;
    const float vin = w.Vin;
    const float tsw = CurrentChip.Tswitch;
    const float cpri = Transfo.Cpri.Value;
    const float dt = t - w.PreviousTime;

    float time = t;
    if (time > w.Period) {
        time -= w.Period;
    } else if (time < 0) {
        time += w.Period;
        w.A3 = MagnetisingAmplitude();
    }

    float v = 0;
    float i = 0;
    if (time < 0) {
        w.LastPhase = DrainPhase::BeforePeriod;
        v = w.PreviousVoltage;
        w.LastVoltage = v;
    } else if (time < tsw) {
        w.LastPhase = DrainPhase::TurnOn;
        v = w.LastVoltage * (tsw - time) / tsw * (1 + std::cos(Pi * time / tsw)) / 2;
        // The primary capacitance discharges into the switch; with no time step to spread it
        // over, only the valley current shows.
        i = dt > 0 ? cpri * (w.PreviousVoltage - v) / dt + w.Ivalley : w.Ivalley;
        w.PreviousVoltage = v;
    } else if (time < w.Ton) {
        w.LastPhase = DrainPhase::Conduction;
        i = (time - tsw) * vin / Transfo.Lprimary.Value + w.Ivalley;
        v = i * CurrentChip.Rdson;
        w.PreviousVoltage = v;
    } else if (time < w.T1) {
        w.LastPhase = DrainPhase::TurnOffTransient;
        // Keep the next sample inside the transient until it is over.
        w.T1 = 1.5f * time;
        const float vp = w.PreviousVoltage;
        const float c = DrainCapacitance(vp);
        if (vp < vr + vin) {
            v = vp + dt * w.Ipeak / c;
            i = w.Ipeak * c / (c + cpri);
            w.LeakageCurrent = w.Ipeak;
        } else if (w.LeakageCurrent >= 0 && vp < w.Vtop) {
            w.LeakageCurrent = w.LeakageCurrent - dt * (vp - vin - vr) / Transfo.Lleak.Value;
            v = vp + dt * w.LeakageCurrent / c;
            i = w.LeakageCurrent * c / (c + cpri);
            w.T2 = time + ClampDuration(w.LeakageCurrent);
        } else {
            // The transient ends here; the clamp keeps the end worked out before unless the
            // leakage current has already reversed.
            w.T1 = time;
            if (w.LeakageCurrent < 0) w.T2 = time;
            v = vp;
        }
        w.T3 = time + (w.Ton - tsw) * vin / vr;
        if (v > w.Vtop) v = w.Vtop;
        w.A2 = v - vin - vr;
        w.PreviousVoltage = v;
    } else if (time < w.T2) {
        w.LastPhase = DrainPhase::Clamp;
        v = w.Vtop;
        w.A2 = w.ClampVoltage - vr;
    } else if (time < w.T3) {
        w.LastPhase = DrainPhase::LeakageRinging;
        v = LeakageRinging(time, i);
        w.A3 = v - vin;
        w.LastVoltage = v;
    } else if (time < w.Period) {
        w.LastPhase = DrainPhase::MagnetisingRinging;
        v = MagnetisingRinging(time, i);
        w.PreviousVoltage = w.LastVoltage;
        w.LastVoltage = v;
    } else {
        w.LastPhase = DrainPhase::AfterPeriod;
    }
    w.PreviousTime = t;
    drainVoltage = v;
    drainCurrent = i;
}

const DrainWaveformTable& DrainWaveformState() { return Table; }

void ForgetDrainWaveform() { Table = {}; }

}  // namespace zorvic
