// The schematic's layout numbers: the zoom rule, where a drawing puts the pictures, bars, panels,
// transformer and output blocks, and the guards of windows too small or too wide to draw.

#include <gtest/gtest.h>

#include "SchematicLayout.h"

namespace {

// Pictures of the sizes the window design holds: filter 7500 x 6300, chip 13000 x 3600, output
// block 5500 x 1260, transformer 1000 x 3000, logo 3000 x 1000, networks 1300/1900/2500 x 1800.
SchematicLayout FittedLayout() {
    DesignSizes sizes;
    sizes.OutputBlockWidth = 5500;
    sizes.OutputBlockHeight = 1260;
    sizes.FilterWidth = 7500;
    sizes.FilterHeight = 6300;
    sizes.HostWidth = 13000;
    sizes.HostHeight = 3600;
    sizes.TransfoWidth = 1000;
    sizes.TransfoHeight = 3000;
    sizes.LogoWidth = 3000;
    sizes.LogoHeight = 1000;
    sizes.TerminatorWidth = {1300, 1900, 2500};
    sizes.TerminatorHeight = 1800;
    sizes.ProjectBoxWidth = 3000;
    SchematicLayout layout;
    layout.Fit(sizes);
    return layout;
}

struct ZoomCase {
    float width;
    float height;
    float zoom;
};

class ZoomRuleTest : public ::testing::TestWithParam<ZoomCase> {};

}  // namespace

TEST(SchematicLayoutTest, FitRecordsTheSchematicFromThePictures) {
    const SchematicLayout layout = FittedLayout();
    EXPECT_EQ(layout.FilterWidth, 7520);
    EXPECT_EQ(layout.SchematicWidth, 13000);
    EXPECT_EQ(layout.SchematicHeight, 9900);
    EXPECT_FLOAT_EQ(layout.SchematicRatio, 13000.0f / 9900.0f);
    EXPECT_EQ(layout.TerminatorWidth[3], 2500);
}

TEST_P(ZoomRuleTest, FillsTheTighterOfWidthAndHeightLess500) {
    const ZoomCase c = GetParam();
    EXPECT_FLOAT_EQ(FittedLayout().Zoom(c.width, c.height), c.zoom);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ZoomRuleTest,
    ::testing::Values(ZoomCase{13000, 10400, 1.0f},  // exactly the schematic's shape: the width rule
                      ZoomCase{26000, 10400, 1.0f},  // wide window: the height less 500 decides
                      ZoomCase{26000, 20300, 2.0f},  // the same shape twice as large
                      ZoomCase{13000, 20400, 1.0f},  // tall window: the width decides
                      ZoomCase{6500, 20000, 0.5f},   //
                      ZoomCase{0, 10400, 1.0f},      // a zero zoom from the width rule becomes 1
                      ZoomCase{39000, 30400, 3.0f}));

TEST(SchematicLayoutTest, NothingIsDrawnAtOrBelow500TwipsOrBeforeTheFit) {
    const SchematicLayout layout = FittedLayout();
    EXPECT_FALSE(layout.CanDraw(500));
    EXPECT_FALSE(layout.CanDraw(0));
    EXPECT_FALSE(layout.CanDraw(-15));
    EXPECT_TRUE(layout.CanDraw(515));
    EXPECT_FALSE(SchematicLayout().CanDraw(10000));
}

TEST(SchematicLayoutTest, PlacesAtZoomOneWithFiveAdditionalOutputs) {
    SchematicLayout layout = FittedLayout();
    const SchematicDrawing d = layout.Draw(1.0f, 5);
    EXPECT_EQ(d.InputFilter, (TwipRect{0, 390, 7520, 6300}));
    EXPECT_EQ(d.lblTitle, (TwipRect{50, 50, 12900, 310}));
    EXPECT_EQ(d.lblLeftBar, (TwipRect{50, 50, 50, 10300}));
    EXPECT_EQ(d.lblRightBar, (TwipRect{12900, 50, 50, 10300}));
    EXPECT_EQ(d.lblBottomBar, (TwipRect{50, 10300, 12900, 50}));
    EXPECT_EQ(d.fmPower, (TwipRect{100, 0, 7200, 2600}));
    EXPECT_EQ(d.fmLosses, (TwipRect{200, 930, 3000, 1400}));
    // (3 x 1260 + 3000) high, its foot 960 below the chip picture's top edge.
    EXPECT_EQ(d.Transfo, (TwipRect{7020, 870, 1000, 6780}));
    EXPECT_EQ(d.ZorvicHost, (TwipRect{8, 6690, 13000, 3600}));
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(d.Output[static_cast<std::size_t>(i)], (TwipRect{7520, 6690 - 1255 * i, 5500, 1260})) << i;
    EXPECT_EQ(d.MainOutputX0, 7520);
}

TEST(SchematicLayoutTest, PlacesAtHalfZoomWithTwoAdditionalOutputs) {
    SchematicLayout layout = FittedLayout();
    const SchematicDrawing d = layout.Draw(0.5f, 2);
    EXPECT_EQ(d.InputFilter, (TwipRect{0, 390, 3760, 3150}));
    EXPECT_EQ(d.lblTitle, (TwipRect{50, 50, 6400, 310}));
    EXPECT_EQ(d.lblLeftBar, (TwipRect{50, 50, 50, 5350}));
    EXPECT_EQ(d.lblRightBar, (TwipRect{6400, 50, 50, 5350}));
    EXPECT_EQ(d.lblBottomBar, (TwipRect{50, 5350, 6400, 50}));
    EXPECT_EQ(d.fmPower, (TwipRect{100, 0, 3600, 1300}));
    EXPECT_EQ(d.fmLosses, (TwipRect{200, 658, 1500, 700}));  // 930 x square root of 0.5
    EXPECT_EQ(d.Transfo, (TwipRect{3510, 2520, 1000, 1500}));
    EXPECT_EQ(d.ZorvicHost, (TwipRect{8, 3540, 6500, 1800}));
    // 3540 - 627.5 rounds to the even 2912; the blocks overlap by 5 x zoom.
    EXPECT_EQ(d.Output[1], (TwipRect{3760, 2912, 2750, 630}));
    EXPECT_EQ(d.Output[2], (TwipRect{3760, 2285, 2750, 630}));
    EXPECT_EQ(d.Output[3], TwipRect{});
}

TEST(SchematicLayoutTest, TransformerHeightFollowsTheOutputsBeyondTwo) {
    const SchematicLayout layout = FittedLayout();
    const int32_t expected[] = {4500, 4500, 4500, 6390, 8280, 10170};  // x 1.5
    for (int n = 0; n <= 5; ++n) EXPECT_EQ(layout.TransfoPictureHeight(n, 1.5f), expected[n]) << n;
}

TEST(SchematicLayoutTest, TransformerKeepsItsWidthAtEveryZoom) {
    SchematicLayout layout = FittedLayout();
    layout.Draw(2.0f, 0);
    const SchematicDrawing d = layout.Draw(1.5f, 0);
    EXPECT_EQ(d.Transfo.Width, 1000);
    EXPECT_EQ(layout.TransfoWidth, 1000);
    EXPECT_EQ(layout.TransfoHeight, 4500);
    // Centred by half its width times the zoom on the filter's right edge.
    EXPECT_EQ(d.Transfo.Left, 11280 - 750);
}

TEST(SchematicLayoutTest, WindowsWiderThan32767TwipsDraw) {
    SchematicLayout layout = FittedLayout();
    const float zoom = layout.Zoom(39000, 30400);
    const SchematicDrawing d = layout.Draw(zoom, 5);
    EXPECT_EQ(d.lblRightBar.Left, 38900);
    EXPECT_EQ(d.lblTitle.Width, 12967 * 3);  // CInt(13000 - 100 / 3) x 3
    EXPECT_EQ(d.ZorvicHost.Width, 39000);
    EXPECT_EQ(d.Output[1].Left + d.Output[1].Width, 22560 + 16500);
}

TEST(SchematicLayoutTest, FeedbackNetworkSitsInTheChipPicturesBottomRight) {
    const SchematicLayout layout = FittedLayout();
    const TwipRect host{8, 6690, 13000, 3600};
    EXPECT_EQ(layout.TerminatorPlace(1, host, 1.0f), (TwipRect{10400, 1800, 1300, 1800}));
    EXPECT_EQ(layout.TerminatorPlace(2, host, 1.0f), (TwipRect{10400, 1800, 1900, 1800}));
    EXPECT_EQ(layout.TerminatorPlace(3, {8, 3540, 6500, 1800}, 0.5f), (TwipRect{5200, 900, 1250, 900}));
}

TEST(SchematicLayoutTest, LogoWarningAndProjectBox) {
    const SchematicLayout layout = FittedLayout();
    EXPECT_EQ(layout.LogoPlace(0.75f), (TwipRect{100, 50, 4500, 1500}));
    EXPECT_EQ(SchematicLayout::WarningPlace(24000, 15000, 4800, 1200), (TwipRect{9600, 6900, 4800, 1200}));
    // The box's place follows the zoom; its size stays 3000 x 300.
    EXPECT_EQ(layout.ProjectBoxPlace(2.0f), (TwipRect{2600, 4500, 3000, 300}));
    EXPECT_EQ(layout.ProjectBoxPlace(0.8f), (TwipRect{1640, 1980, 3000, 300}));
    EXPECT_EQ(layout.ProjectBoxPlace(0.7f), (TwipRect{1560, 1770, 3000, 300}));
}
