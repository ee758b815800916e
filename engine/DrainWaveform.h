#pragma once
// The drain voltage and current of the switch over one switching period, sampled for the curve
// window at a corner of the operating range ("Vmin", "Vmax", "Pmin", "Pmax"; see CurveSamples.h).
//
// The first sample of a curve (t equal to the axis minimum) works out the period's events into a
// table kept between calls; every later sample reads it and integrates the turn-off transient
// from the sample before, so the samples of one curve come in increasing time order.

#include <cstdint>
#include <string>

namespace zorvic {

// The parts of the period, in the order they follow each other from the switch's turn-on.
enum class DrainPhase : int8_t {
    None,
    BeforePeriod,        // a time before the period: the previous drain voltage holds
    TurnOn,              // the drain voltage falls while the switch turns on
    Conduction,          // the primary current ramps up
    TurnOffTransient,    // the drain capacitance charges up to the clamp
    Clamp,               // the clamp holds the drain while the leakage inductance empties
    LeakageRinging,      // the leakage inductance rings with the drain capacitance
    MagnetisingRinging,  // after the secondary stopped conducting, the primary inductance rings
    AfterPeriod,         // the next turn-on
};

// What the first sample works out and what each sample carries to the next. Times in s from
// the start of the turn-on, voltages in V, currents in A.
struct DrainWaveformTable {
    bool Filled = false;
    float Vin = 0;
    float Power = 0;
    float ClampVoltage = 0;  // above the bus voltage
    float Vtop = 0;          // highest drain voltage: bus plus clamp voltage
    float C1 = 0;            // drain capacitance in the leakage ringing, F
    float C2 = 0;            // drain capacitance in the magnetising ringing, F
    float S1 = 0;            // sqrt(Lleak C1), s
    float S2 = 0;            // sqrt(Lp C2), s
    float Tau1 = 0;          // decay time of the leakage ringing, s
    float Tau2 = 0;          // decay time of the magnetising ringing, s
    float Period = 0;
    float Ipeak = 0;
    float Ivalley = 0;
    float Ton = 0;  // end of the on-time
    float T1 = 0;   // end of the turn-off transient
    float T2 = 0;   // end of the clamp
    float T3 = 0;   // end of the demagnetisation
    float A2 = 0;   // amplitude of the leakage ringing
    float A3 = 0;   // amplitude of the magnetising ringing
    float PreviousTime = 0;
    float PreviousVoltage = 0;
    float LeakageCurrent = 0;
    float LastVoltage = 0;  // the drain voltage the next turn-on starts from
    DrainPhase LastPhase = DrainPhase::None;
};

// The 2 ns turn-off integration of the first sample stops after this many steps at most.
inline constexpr int32_t TurnOffStepLimit = 1000000;

// Drain voltage (V) and drain current (A) at the time t (s) for the corner and the cursor
// fraction f; axisMin is the curve's first abscissa. The fifth argument is not used.
void DrainWaveformPoint(float f, float t, float& drainVoltage, float& drainCurrent, const std::string& corner,
                        const std::string& mode, float axisMin);

// The table as the last sample left it.
const DrainWaveformTable& DrainWaveformState();

// Empties the table: the next sample works it out afresh.
void ForgetDrainWaveform();

}  // namespace zorvic
