#pragma once
// Window and drawing coordinates are twips: 15 twips per pixel at 96 dpi, scaled by the screen's
// logical DPI.

#include <cstdint>

class QWidget;

namespace platform {

inline constexpr double TwipsPerInch = 1440.0;

// A control's place in its container, in twips. 32-bit: a 4K screen is wider than 32767 twips.
struct TwipRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    bool operator==(const TwipRect&) const = default;
};

// Logical DPI of the primary screen (96 when there is none).
double LogicalDpi();

int TwipsToPixels(double twips, double dpi = LogicalDpi());
// The scale of a painter that draws in twips.
double PixelsPerTwip(double dpi = LogicalDpi());
double PixelsToTwips(double pixels, double dpi = LogicalDpi());

// Places a widget in its container. Edges are rounded, not sizes, so that controls that touch
// in twips touch on the screen.
void SetTwipGeometry(QWidget* widget, const TwipRect& place);
// A widget's place in its container, in twips.
TwipRect TwipGeometry(const QWidget* widget);
// A widget's width or height in twips.
int32_t TwipWidth(const QWidget* widget);
int32_t TwipHeight(const QWidget* widget);

}  // namespace platform
