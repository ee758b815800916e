#pragma once
// The output stage model: each output's post-regulation element, rectifier and filter with their
// losses, and the power sums from which the primary side is designed.

#include <string>

#include "Variables.h"

namespace zorvic {

// First-pass estimate of the duty cycle, VR / (VdcMin + VR); rewritten by every ComputeOutput.
extern float DutyMax;

// Chooses the parts of one output by its type and computes their losses. Types outside 1 to 14
// leave the output untouched.
void ComputeOutput(OutputRecord& output);

// The rectifier's conduction and leakage loss, W.
float DiodeLoss(const OutputRecord& output);

// The Zener cell's resistor loss, W; tags the output's resistor and Zener labels when they run hot.
double ZenerLoss(const OutputRecord& output);

// Output power, output loss and the input power the primary is designed for.
void SumOutputPowers();

}  // namespace zorvic
