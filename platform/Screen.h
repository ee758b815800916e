#pragma once
// The part of the screen a window may take (the screen less the desktop's panels), and fitting a
// window into it. Tests set the area so that sizes are checked against a known screen.

#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

namespace platform {

// The available area of the window's screen (of the primary screen without a window), or the
// area set for tests.
QRect AvailableScreenArea(const QWidget* window = nullptr);
// Stands in for the screen's available area until reset with no value.
void SetAvailableScreenArea(std::optional<QRect> area);

// The room a window manager takes around a window's client area: title bar and borders.
inline constexpr int FrameAllowanceWidth = 16;
inline constexpr int FrameAllowanceHeight = 48;

// The largest client size that, with its frame, fits the available area.
QSize LargestClientSize(const QWidget* window = nullptr);

// Gives a top-level window the wanted client size, made smaller where the screen is, and moves
// a shown window so that it lies inside the available area.
void FitToScreen(QWidget* window, QSize wanted);

}  // namespace platform
