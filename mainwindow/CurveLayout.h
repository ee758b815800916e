#pragma once
// Where the curve window puts its four chart boxes and their cursors for each layout. Nothing
// here touches a widget, so the places are checked without painting. All values are twips.

#include <array>
#include <cstdint>

#include "Twips.h"

// The window's layouts: one chart, two stacked or side by side, four as 2 x 2 or stacked.
enum CurveLayoutKind : int16_t { LayoutSingle = 0, LayoutDualStacked = 1, LayoutDualSideBySide = 2, LayoutQuad = 3,
                                 LayoutQuadStacked = 4 };

// The top band of the window holds the controls; the boxes fill the rest.
inline constexpr int32_t CurveTopBand = 1000;

struct CurvePlaces {
    bool Arranged = false;         // false: the area is too small and nothing moves
    std::array<bool, 4> Shown{};
    std::array<platform::TwipRect, 4> Box{};
    std::array<platform::TwipRect, 4> Cursor{};  // inside its box, along the bottom edge
};

// The boxes of layout L in a usable area of usableWidth x usableHeight, with the selected and
// previous charts shown by the single and dual layouts (the lower-numbered one first).
CurvePlaces ArrangeChartPlaces(int16_t layout, int32_t usableHeight, int32_t usableWidth, int16_t selectedChart,
                               int16_t previousChart);

// The cursor of a box of that size.
platform::TwipRect CursorPlace(int32_t boxWidth, int32_t boxHeight);
