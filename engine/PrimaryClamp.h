#pragma once
// The primary clamp: the peak-drain-voltage check against the chip's breakdown voltage, then the
// RC clamp (R1, C3) or the surge clamp, and the clamp loss.

namespace zorvic {

// Most steps of the clamp-voltage iteration; it settles in a handful.
inline constexpr int ClampIterationLimit = 1000;

// Writes Transfo.Lleak, Clamper.VoltageMargin, the clamp parts and OperatingPoint.ClamperLoss.
// A margin under 10 V raises the over-voltage warning instead and keeps the previous clamp.
void ComputeClamp();

}  // namespace zorvic
