#pragma once
// The numbers of the main window's schematic: the layout values measured once from the pictures'
// design sizes, the zoom factor of a drawing, and where each picture, bar, frame and output block
// goes. Nothing here touches a widget, so the layout is checked without painting. All values are
// twips; places are relative to the control's container.

#include <array>
#include <cstdint>

#include "Twips.h"

using platform::TwipRect;

// The sizes of the pictures as the window design holds them, before any scaling.
struct DesignSizes {
    int32_t OutputBlockWidth = 0;  // one additional output block (the first block drawing)
    int32_t OutputBlockHeight = 0;
    int32_t FilterWidth = 0;  // the input filter picture
    int32_t FilterHeight = 0;
    int32_t HostWidth = 0;  // the chip picture
    int32_t HostHeight = 0;
    int32_t TransfoWidth = 0;
    int32_t TransfoHeight = 0;
    int32_t LogoWidth = 0;
    int32_t LogoHeight = 0;
    std::array<int32_t, 3> TerminatorWidth{};  // feedback networks for 1, 2 and 3 outputs
    int32_t TerminatorHeight = 0;
    int32_t ProjectBoxWidth = 0;
};

// Where one drawing puts the window's pictures, frames and bars.
struct SchematicDrawing {
    float Zoom = 1;
    TwipRect InputFilter;
    TwipRect lblTitle;
    TwipRect lblLeftBar;
    TwipRect lblRightBar;
    TwipRect lblBottomBar;
    TwipRect fmPower;
    TwipRect fmLosses;
    TwipRect Transfo;
    TwipRect ZorvicHost;
    std::array<TwipRect, 6> Output{};  // elements 1 to the last active output
    int32_t MainOutputX0 = 0;          // left of the main output's labels inside the chip picture
};

class SchematicLayout {
public:
    // The layout values, measured by Fit.
    int32_t OutputBlockWidth = 0;
    int32_t OutputBlockHeight = 0;
    int32_t FilterWidth = 0;
    int32_t FilterHeight = 0;
    int32_t HostWidth = 0;
    int32_t HostHeight = 0;
    int32_t TransfoWidth = 0;  // rewritten by every drawing with the transformer's present size
    int32_t TransfoHeight = 0;
    static constexpr int32_t PowerPanelWidth = 3600;  // the panels before their doubled zoom
    static constexpr int32_t PowerPanelHeight = 1300;
    static constexpr int32_t LossPanelWidth = 1500;
    static constexpr int32_t LossPanelHeight = 700;
    int32_t LogoWidth = 0;
    int32_t LogoHeight = 0;
    std::array<int32_t, 4> TerminatorWidth{};  // elements 1 to 3
    int32_t TerminatorHeight = 0;
    int32_t ProjectBoxWidth = 0;
    int32_t SchematicWidth = 0;
    int32_t SchematicHeight = 0;
    float SchematicRatio = 0;

    // FitSchematic: records the layout values from the design sizes.
    void Fit(const DesignSizes& sizes);
    // A drawing needs measured pictures and more than 500 twips of inner height (the title
    // strip); anything less is not drawn.
    bool CanDraw(float innerHeight) const;

    // The zoom factor for a window of inner size W x H: the schematic fills the width or the
    // height less 500 twips, whichever is tighter.
    float Zoom(float innerWidth, float innerHeight) const;

    // The places of one drawing at the given zoom with outputs 1 to `additionalOutputs` (0 to 5).
    SchematicDrawing Draw(float zoom, int additionalOutputs);

    // Height of the transformer picture for a number of additional outputs.
    int32_t TransfoPictureHeight(int additionalOutputs, float zoom) const;
    // The feedback network for `count` regulated outputs, in the bottom right of the chip picture.
    TwipRect TerminatorPlace(int count, const TwipRect& host, float zoom) const;
    // The logo in the input filter picture, twice its size, when the panels are hidden.
    TwipRect LogoPlace(float zoom) const;
    // The project box: its place follows the zoom, its size does not.
    TwipRect ProjectBoxPlace(float zoom) const;

    // The power warning picture centred in the window's outer size.
    static TwipRect WarningPlace(int32_t outerWidth, int32_t outerHeight, int32_t width, int32_t height);
    // Top and Left as given; Width and Height times the zoom.
    static TwipRect PlaceControl(int32_t top, int32_t left, float width, float height, float zoom);

private:
    TwipRect transfoPlace_;  // the transformer picture as last placed
};
