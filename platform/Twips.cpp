#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
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

double PixelsToTwips(double pixels, double dpi) { return pixels * TwipsPerInch / dpi; }

}  // namespace platform
