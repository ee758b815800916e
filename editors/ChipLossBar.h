#pragma once
// The chip editor's loss bar: the chip loss split into bias, conduction and switching losses,
// as three bars side by side from the left of a frame, each as wide as its share of the total.

#include <array>

class ChipLossBar {
public:
    struct Segment {
        int Left = 0;
        int Width = 0;
    };
    enum Part { Bias, Conduction, Switching };

    ChipLossBar(float bias, float conduction, float switching, float total);

    // The bars in a frame `width` pixels wide, in the order of Part. Their edges are rounded
    // to whole pixels, so the bars meet without gaps. With no positive total (no computation
    // yet) every bar is empty.
    std::array<Segment, 3> Segments(int width) const;

private:
    std::array<float, 3> losses_;
    float total_;
};
