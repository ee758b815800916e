#include "CurveLayout.h"

#include "NumberText.h"

using platform::TwipRect;
using zorvic::CLng;
using zorvic::Int;

TwipRect CursorPlace(int32_t boxWidth, int32_t boxHeight) {
    TwipRect cursor;
    cursor.Width = boxWidth - 60;
    cursor.Height = CLng(boxHeight / 30.0 + 150);
    cursor.Top = boxHeight - cursor.Height - 60;
    return cursor;
}

CurvePlaces ArrangeChartPlaces(int16_t layout, int32_t usableHeight, int32_t usableWidth, int16_t selectedChart,
                               int16_t previousChart) {
    CurvePlaces places;
    if (usableHeight <= 1000 || usableWidth <= 1000) return places;
    places.Arranged = true;
    const double h = usableHeight;
    const double w = usableWidth;
    int32_t n = -1;
    for (int32_t i = 0; i < 4; ++i) {
        const bool pair = i == selectedChart || i == previousChart;
        TwipRect& box = places.Box[i];
        switch (layout) {
            case LayoutSingle:
                places.Shown[i] = i == selectedChart;
                box = {50, CurveTopBand, CLng(w - 100), CLng(h - 100)};
                break;
            case LayoutDualStacked:
                places.Shown[i] = pair;
                if (pair) ++n;
                box.Width = CLng(w - 100);
                box.Height = CLng(h / 2 - 100);
                box.Left = 50;
                box.Top = (box.Height + 100) * n + CurveTopBand;
                break;
            case LayoutDualSideBySide:
                places.Shown[i] = pair;
                if (pair) ++n;
                box.Width = CLng(w / 2 - 100);
                box.Height = CLng(h - 100);
                box.Left = (box.Width + 100) * n + 50;
                box.Top = CurveTopBand;
                break;
            case LayoutQuad:
                places.Shown[i] = true;
                box.Width = CLng(w / 2 - 100);
                box.Height = CLng(h / 2 - 100);
                box.Left = (box.Width + 100) * (i % 2) + 50;
                box.Top = (box.Height + 100) * static_cast<int32_t>(Int(i / 2.0)) + CurveTopBand;
                break;
            default:  // the four charts stacked
                places.Shown[i] = true;
                box.Width = CLng(w - 100);
                box.Height = CLng(h / 4 - 100);
                box.Left = 50;
                box.Top = (box.Height + 100) * i + CurveTopBand;
                break;
        }
        places.Cursor[i] = CursorPlace(box.Width, box.Height);
    }
    return places;
}
