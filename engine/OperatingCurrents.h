#pragma once
// The operating point at the lowest and the highest DC bus voltage: drain currents, duty cycles,
// conduction mode, and the RMS and ripple currents of every output winding.

#include <string>

namespace zorvic {

// Fills the operating-point fields of OperatingPoint, Transfo.IpeakMax and IrmsMax, the
// outputs' secondary currents and the chip's supply current.
void ComputeOperatingPoint();

// "Cont" or "Discont" at the input voltage vin and input power pin, judged with the continuous
// duty cycle.
std::string ConductionModeAt(float vin, float pin);

// "Cont" (continuous at both extremes), "@ Low Line" (only at vinMin) or "Discont"; writes the
// worst-case peak and RMS drain currents and each output's secondary RMS and ripple currents.
std::string ConductionContinuousModeText(float vinMin, float vinMax, float pin, float& ipeak, float& irms);

}  // namespace zorvic
