// Layout of the elements, the centred thumb of a new control and its first report.

#include <gtest/gtest.h>

#include "GlidebarModel.h"
#include "RecordingEvents.h"

using glidebar::GlidebarModel;

TEST_F(GlidebarModelTest, Control960TwipsWideHasItsElementsWhereWorkedOut) {
    EXPECT_EQ(model.cmdLeft().left, 0);
    EXPECT_EQ(model.cmdLeft().width, 80);
    EXPECT_EQ(model.cmdRight().left, 880);
    EXPECT_EQ(model.cmdRight().width, 80);
    EXPECT_EQ(model.cmdButton().left, 432);
    EXPECT_EQ(model.cmdButton().width, 96);
    EXPECT_EQ(model.TravelRange(), 704);
    EXPECT_EQ(model.picBackLeft().left, 80);
    EXPECT_EQ(model.picBackLeft().width, 352);
    EXPECT_EQ(model.picBackRight().left, 528);
    EXPECT_EQ(model.picBackRight().width, 352);
    for (const auto* element : {&model.cmdLeft(), &model.cmdRight(), &model.cmdButton(), &model.picBackLeft(),
                                &model.picBackRight()}) {
        EXPECT_EQ(element->top, 0);
        EXPECT_EQ(element->height, 300);
    }
    EXPECT_EQ(model.picBackLeftColour(), glidebar::TrackColour);
    EXPECT_EQ(model.picBackRightColour(), glidebar::TrackColour);
}

TEST(GlidebarCreationTest, FirstPlacementReportsTheCentreAndNothingBefore) {
    GlidebarModel model(960, 300);
    RecordingEvents recorded;
    model.SetEvents(&recorded);
    EXPECT_TRUE(recorded.events.empty());
    model.UserControl_Resize(960, 300);
    ASSERT_EQ(recorded.events.size(), 1u);
    EXPECT_EQ(recorded.events[0].name, "Scroll");
    EXPECT_FLOAT_EQ(recorded.events[0].value, 0.5f);
}

// Widths are whole twips, halves to the even neighbour, and so is the centred thumb.
struct LayoutCase {
    int32_t width;
    int32_t thumbWidth;
    int32_t arrowWidth;
    int32_t thumbLeft;
    int32_t travelRange;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.width << " twips"; }

class GlidebarRoundingTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(GlidebarRoundingTest, WidthsAndCentreRoundHalvesToEven) {
    const LayoutCase c = GetParam();
    GlidebarModel model(c.width, 200);
    EXPECT_EQ(model.cmdButton().width, c.thumbWidth);
    EXPECT_EQ(model.cmdLeft().width, c.arrowWidth);
    EXPECT_EQ(model.cmdRight().width, c.arrowWidth);
    EXPECT_EQ(model.ThumbLeft(), c.thumbLeft);
    EXPECT_EQ(model.TravelRange(), c.travelRange);
    EXPECT_EQ(model.PageStep(), c.thumbWidth);
}

INSTANTIATE_TEST_SUITE_P(Widths, GlidebarRoundingTest,
                         ::testing::Values(LayoutCase{960, 96, 80, 432, 704},
                                           // 83.33 -> 83; 500 - 50
                                           LayoutCase{1000, 100, 83, 450, 734},
                                           // 102.5 -> 102; 615 - 61.5 = 553.5 -> 554
                                           LayoutCase{1230, 123, 102, 554, 903},
                                           // 104.5 -> 104, 125.4 -> 125; 627 - 62.5 = 564.5 -> 564
                                           LayoutCase{1254, 125, 104, 564, 921},
                                           // 4.5 -> 4, 3.75 -> 4; 22.5 - 2 = 20.5 -> 20
                                           LayoutCase{45, 4, 4, 20, 33},
                                           LayoutCase{0, 0, 0, 0, 0}),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                             return "Width" + std::to_string(info.param.width);
                         });

TEST(GlidebarWideTest, ControlWiderThan32767TwipsWorks) {
    // 3200 pixels at 96 dpi: thumb 4800, arrows 4000, travel 48000 - 8000 - 4800.
    GlidebarModel model(48000, 300);
    RecordingEvents recorded;
    model.SetEvents(&recorded);
    model.UserControl_Resize(48000, 300);
    EXPECT_EQ(model.TravelRange(), 35200);
    EXPECT_EQ(model.ThumbLeft(), 21600);
    EXPECT_EQ(model.cmdRight().left, 44000);
    ASSERT_EQ(recorded.events.size(), 1u);
    EXPECT_FLOAT_EQ(recorded.events[0].value, 0.5f);

    model.UpdateScroll(1.0f);
    EXPECT_EQ(model.ThumbLeft(), 39200);
    EXPECT_EQ(model.picBackRight().width, 0);
    EXPECT_EQ(model.picBackLeft().width, 35200);
    EXPECT_FLOAT_EQ(model.ScrollValue(), 1.0f);

    model.cmdLeft_MouseDown();
    EXPECT_EQ(model.ThumbLeft(), 39050);
    EXPECT_FLOAT_EQ(recorded.events.back().value, 35050.0f / 35200.0f);
}
