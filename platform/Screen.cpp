#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace platform {

namespace {
std::optional<QRect>& TestArea() {
    static std::optional<QRect> area;
    return area;
}
}  // namespace

QRect AvailableScreenArea(const QWidget* window) {
    if (TestArea()) return *TestArea();
    const QScreen* screen = window ? window->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void SetAvailableScreenArea(std::optional<QRect> area) { TestArea() = area; }

QSize LargestClientSize(const QWidget* window) {
    const QRect area = AvailableScreenArea(window);
    return {std::max(1, area.width() - FrameAllowanceWidth), std::max(1, area.height() - FrameAllowanceHeight)};
}

void FitToScreen(QWidget* window, QSize wanted) {
    const QRect area = AvailableScreenArea(window);
    const QSize size = wanted.boundedTo(LargestClientSize(window)).expandedTo(window->minimumSize());
    window->resize(size);
    // A window not yet shown is placed by the platform (a dialog over its owner); a shown one is
    // moved only as far as it must to lie on the screen.
    if (!window->isVisible()) return;
    QPoint at = window->pos();
    const int right = area.right() + 1 - size.width() - FrameAllowanceWidth;
    const int bottom = area.bottom() + 1 - size.height() - FrameAllowanceHeight;
    at.setX(std::max(area.left(), std::min(at.x(), right)));
    at.setY(std::max(area.top(), std::min(at.y(), bottom)));
    window->move(at);
}

}  // namespace platform
