#pragma once
// The primary clamp: the peak-drain-voltage check against the chip's breakdown voltage, then the
// RC clamp (R1, C3) or the surge clamp, and the clamp loss.

#include <string>

namespace zorvic {

// Most steps of the clamp-voltage iteration; it settles in a handful.
inline constexpr int ClampIterationLimit = 1000;

// The clamp is sized only when the chip's breakdown voltage leaves at least this margin, V.
inline constexpr float ClampMarginMinimum = 10;

// Writes Transfo.Lleak, Clamper.VoltageMargin, the clamp parts and OperatingPoint.ClamperLoss.
// A margin under 10 V raises the over-voltage warning instead and keeps the previous clamp.
void ComputeClamp();

// Whether the last computation sized the clamp. When the over-voltage check stopped it, its
// parts and loss are those the computation started from, which no window shows as its own.
bool ClampSized();

// FormatEng of a clamp figure, or an empty text when the clamp was not sized.
std::string FormatClampEng(float value, const std::string& unit);

}  // namespace zorvic
