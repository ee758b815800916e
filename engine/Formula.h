#pragma once
// The small flyback formulas and physical rules shared by the operating point, the chip loss,
// the clamp, the input stage, the transformer and the curve samples. Voltages in V, currents in A,
// power in W, inductance in H, times in s.

#include <cstdint>
#include <numbers>

namespace zorvic {

// pi for the formulas that work in 32-bit floats (3.1415927), 2 pi, and pi for the 64-bit ones.
inline constexpr float Pi = std::numbers::pi_v<float>;
inline constexpr float TwoPi = 2 * Pi;
inline constexpr double PiDouble = std::numbers::pi;

// The chip's on-resistance grows by this factor per degree above 25 degC.
inline constexpr float RdsonGrowth = 1.00836f;

// The on-resistance at the temperature t (degC) as a multiple of its value at 25 degC.
float RdsonFactor(float t);

// Skin depth in copper at the frequency f (Hz), mm: 66 / sqrt(f).
float SkinDepthAt(float f);

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
