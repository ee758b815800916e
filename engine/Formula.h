#pragma once
// The small flyback formulas shared by the operating point, the clamp, the input stage and the
// curve samples. Voltages in V, currents in A, power in W, inductance in H, times in s.

#include <cstdint>

namespace zorvic {

// Arc sine through the arctangent, in 64-bit floats; 1 and -1 give +-pi/2 and arguments beyond
// them are taken at the nearer end, so the clamp never meets a NaN.
double ArcSin(double x);

// Drain current at the middle of the on-time ramp for the input power pin; the chip's current
// limit when vin or vr is 0.
float RampCentreCurrent(float pin, float vin, float vr, float rds);

// Duty cycle in continuous conduction.
float DutyCycleCCM(float vr, float vin, float i, float rds);

// The smaller of the continuous and the discontinuous duty cycle.
float DutyCycle(float vr, float vin, float i, float rds, float lp, int32_t fsw, float pin);

// Peak-to-peak ripple of the primary current over the on-time d x t.
float RippleCurrent(float vin, float i, float rds, float d, float t, float lp);

// RMS of a current rising from ia to ib during the fraction d of the period, zero otherwise.
double RmsTrapezoid(double d, double ia, double ib);

// The chip's supply current at the switching frequency, A.
float ChipSupplyCurrent();

}  // namespace zorvic
