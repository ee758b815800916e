#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace platform {

double LogicalDpi() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const double dpi = screen->logicalDotsPerInchX();
        if (dpi > 0) return dpi;
    }
    return 96.0;
}

int TwipsToPixels(double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / TwipsPerInch)); }

double PixelsPerTwip(double dpi) { return dpi / TwipsPerInch; }

double PixelsToTwips(double pixels, double dpi) { return pixels * TwipsPerInch / dpi; }

namespace {
int32_t RoundTwips(double twips) { return static_cast<int32_t>(std::lround(twips)); }
}  // namespace

void SetTwipGeometry(QWidget* widget, const TwipRect& place) {
    const double dpi = LogicalDpi();
    const int left = TwipsToPixels(place.Left, dpi);
    const int top = TwipsToPixels(place.Top, dpi);
    const int right = TwipsToPixels(static_cast<double>(place.Left) + place.Width, dpi);
    const int bottom = TwipsToPixels(static_cast<double>(place.Top) + place.Height, dpi);
    widget->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

TwipRect TwipGeometry(const QWidget* widget) {
    const double dpi = LogicalDpi();
    const QRect r = widget->geometry();
    return {RoundTwips(PixelsToTwips(r.x(), dpi)), RoundTwips(PixelsToTwips(r.y(), dpi)),
            RoundTwips(PixelsToTwips(r.width(), dpi)), RoundTwips(PixelsToTwips(r.height(), dpi))};
}

int32_t TwipWidth(const QWidget* widget) { return RoundTwips(PixelsToTwips(widget->width())); }
int32_t TwipHeight(const QWidget* widget) { return RoundTwips(PixelsToTwips(widget->height())); }

}  // namespace platform
