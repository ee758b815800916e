#pragma once
// Window and drawing coordinates are twips: 15 twips per pixel at 96 dpi, scaled by the screen's
// logical DPI.

namespace platform {

inline constexpr double TwipsPerInch = 1440.0;

// Logical DPI of the primary screen (96 when there is none).
double LogicalDpi();

int TwipsToPixels(double twips, double dpi = LogicalDpi());
double PixelsToTwips(double pixels, double dpi = LogicalDpi());

}  // namespace platform
