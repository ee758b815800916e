#pragma once
// The primary inductance: the converter sits on the boundary of continuous conduction at an input
// voltage that rises with the power asked of the chip.

namespace zorvic {

// Input voltage at which the converter reaches the conduction boundary, V. Sets
// Settings.PowerTooHigh (and the power warning picture) when the chip cannot deliver pin at the
// current limit ilim, and then answers 400 V.
float BoundaryInputVoltage(float vr, float pin, float ilim);

// The inductance at which the ripple is twice the centre current at vin, H.
double InductanceForBoundary(float vin);

// Transfo.Lprimary.Value from the boundary voltage, unless the user fixed it.
void ComputePrimaryInductance();

// Flags too much power when the worst-case peak drain current passes the limit.
void CheckCurrentLimit(float limit);

}  // namespace zorvic
