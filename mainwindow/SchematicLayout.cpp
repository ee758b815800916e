#include "SchematicLayout.h"

#include <algorithm>
#include <cmath>

#include "NumberText.h"

using zorvic::CLng;

namespace {

// Positions are rounded as the window design rounds them, halves to even, in 32 bits so that a
// window wider than 32767 twips still draws.
int32_t Twips(float value) { return CLng(value); }

}  // namespace

void SchematicLayout::Fit(const DesignSizes& sizes) {
    OutputBlockWidth = sizes.OutputBlockWidth;
    OutputBlockHeight = sizes.OutputBlockHeight;
    FilterWidth = sizes.FilterWidth + 20;
    FilterHeight = sizes.FilterHeight;
    HostWidth = sizes.HostWidth;
    HostHeight = sizes.HostHeight;
    TransfoHeight = sizes.TransfoHeight;
    TransfoWidth = sizes.TransfoWidth;
    transfoPlace_ = {0, 0, sizes.TransfoWidth, sizes.TransfoHeight};
    LogoWidth = sizes.LogoWidth;
    LogoHeight = sizes.LogoHeight;
    for (std::size_t k = 1; k <= 3; ++k) TerminatorWidth[k] = sizes.TerminatorWidth[k - 1];
    TerminatorHeight = sizes.TerminatorHeight;
    ProjectBoxWidth = sizes.ProjectBoxWidth;
    SchematicWidth = HostWidth;
    SchematicHeight = FilterHeight + HostHeight;
    SchematicRatio = SchematicHeight > 0 ? static_cast<float>(SchematicWidth) / static_cast<float>(SchematicHeight) : 0;
}

bool SchematicLayout::CanDraw(float innerHeight) const {
    return SchematicWidth > 0 && SchematicHeight > 0 && innerHeight > 500;
}

float SchematicLayout::Zoom(float innerWidth, float innerHeight) const {
    const float usableHeight = innerHeight - 500;
    const float shape = innerWidth / usableHeight;
    if (shape > SchematicRatio) return usableHeight / static_cast<float>(SchematicHeight);
    const float zoom = innerWidth / static_cast<float>(SchematicWidth);
    return zoom == 0 ? 1.0f : zoom;
}

TwipRect SchematicLayout::PlaceControl(int32_t top, int32_t left, float width, float height, float zoom) {
    return {left, top, Twips(width * zoom), Twips(height * zoom)};
}

int32_t SchematicLayout::TransfoPictureHeight(int additionalOutputs, float zoom) const {
    const int32_t height = additionalOutputs > 2 ? (additionalOutputs - 2) * OutputBlockHeight + 3000 : 3000;
    return Twips(static_cast<float>(height) * zoom);
}

SchematicDrawing SchematicLayout::Draw(float zoom, int additionalOutputs) {
    SchematicDrawing d;
    d.Zoom = zoom;
    const float width = static_cast<float>(SchematicWidth);
    const float height = static_cast<float>(SchematicHeight);

    d.InputFilter = PlaceControl(390, 0, static_cast<float>(FilterWidth), static_cast<float>(FilterHeight), zoom);
    const TwipRect& filter = d.InputFilter;

    const auto frameWidth = static_cast<float>(Twips(width - 100 / zoom));
    const auto barThickness = static_cast<float>(Twips(50 / zoom));
    const auto barLength = static_cast<float>(Twips(400 / zoom + height));
    d.lblTitle = PlaceControl(50, 50, frameWidth, static_cast<float>(Twips(310 / zoom)), zoom);
    d.lblLeftBar = PlaceControl(50, 50, barThickness, barLength, zoom);
    d.lblRightBar = PlaceControl(50, Twips(width * zoom - 100), barThickness, barLength, zoom);
    d.lblBottomBar = PlaceControl(Twips(height * zoom + 400), 50, frameWidth, barThickness, zoom);

    d.fmPower = PlaceControl(0, 100, PowerPanelWidth, PowerPanelHeight, 2 * zoom);
    d.fmLosses = PlaceControl(CLng(930 * std::sqrt(static_cast<double>(zoom))), 200, LossPanelWidth, LossPanelHeight,
                              2 * zoom);

    // The transformer is stretched to the height of the windings it carries; its width stays
    // as placed.
    transfoPlace_.Height = TransfoPictureHeight(additionalOutputs, zoom);
    TransfoHeight = transfoPlace_.Height;
    TransfoWidth = transfoPlace_.Width;
    const int32_t transfoTop = Twips(static_cast<float>(OutputBlockHeight - 300) * zoom +
                                     static_cast<float>(filter.Height) + static_cast<float>(filter.Top) -
                                     static_cast<float>(TransfoHeight));
    const int32_t transfoLeft = Twips(static_cast<float>(filter.Left) + static_cast<float>(filter.Width) -
                                      static_cast<float>(TransfoWidth) * zoom / 2);
    transfoPlace_ = PlaceControl(transfoTop, transfoLeft, static_cast<float>(TransfoWidth),
                                 static_cast<float>(TransfoHeight), 1);
    d.Transfo = transfoPlace_;

    d.ZorvicHost = PlaceControl(Twips(static_cast<float>(filter.Height) + static_cast<float>(filter.Top)),
                                Twips(static_cast<float>(filter.Left) + 8), static_cast<float>(HostWidth),
                                static_cast<float>(HostHeight), zoom);

    // Output blocks stack upwards from the top of the chip picture, each overlapping the one
    // below by 5 twips at zoom 1.
    const int last = std::clamp(additionalOutputs, 0, 5);
    for (int i = 1; i <= last; ++i) {
        TwipRect& block = d.Output[static_cast<std::size_t>(i)];
        block.Left = filter.Width;
        block.Top = Twips(static_cast<float>(d.ZorvicHost.Top) - static_cast<float>((OutputBlockHeight - 5) * i) * zoom);
        block.Height = Twips(static_cast<float>(OutputBlockHeight) * zoom);
        block.Width = Twips(static_cast<float>(OutputBlockWidth) * zoom);
    }
    d.MainOutputX0 = Twips(static_cast<float>(filter.Left) + static_cast<float>(FilterWidth));
    return d;
}

TwipRect SchematicLayout::TerminatorPlace(int count, const TwipRect& host, float zoom) const {
    const auto height = static_cast<float>(TerminatorHeight);
    const int32_t top = Twips(static_cast<float>(host.Height) - height * zoom);
    const int32_t left = Twips(static_cast<float>(host.Width) - 2600 * zoom);
    const int k = std::clamp(count, 1, 3);
    return PlaceControl(top, left, static_cast<float>(TerminatorWidth[static_cast<std::size_t>(k)]), height, zoom);
}

TwipRect SchematicLayout::LogoPlace(float zoom) const {
    return PlaceControl(50, 100, static_cast<float>(2 * LogoWidth), static_cast<float>(2 * LogoHeight), zoom);
}

TwipRect SchematicLayout::ProjectBoxPlace(float zoom) const {
    return PlaceControl(Twips(2100 * zoom + 300), Twips(800 * zoom + 1000),
                        static_cast<float>(Twips(static_cast<float>(ProjectBoxWidth) / zoom)),
                        static_cast<float>(Twips(300 / zoom)), zoom);
}

TwipRect SchematicLayout::WarningPlace(int32_t outerWidth, int32_t outerHeight, int32_t width, int32_t height) {
    const int32_t top = Twips(static_cast<float>(outerHeight) / 2 - static_cast<float>(height) / 2);
    const int32_t left = Twips(static_cast<float>(outerWidth) / 2 - static_cast<float>(width) / 2);
    return {left, top, width, height};
}
