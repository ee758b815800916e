// The container's interface: UpdateScroll places the thumb at a fraction and reports it with
// Scroll only; ButtonLeft moves the thumb element and nothing else.

#include <gtest/gtest.h>

#include <limits>

#include "RecordingEvents.h"

using UpdateScrollTest = GlidebarModelTest;

struct FractionCase {
    float x;
    int32_t thumbLeft;
    float reported;
};

void PrintTo(const FractionCase& c, std::ostream* os) { *os << "UpdateScroll(" << c.x << ")"; }

class UpdateScrollPlacesTest : public GlidebarModelTest, public ::testing::WithParamInterface<FractionCase> {};

TEST_P(UpdateScrollPlacesTest, ThumbPlacedAndFractionClampedWithScrollOnly) {
    const FractionCase c = GetParam();
    model.UpdateScroll(c.x);
    EXPECT_EQ(model.ThumbLeft(), c.thumbLeft);
    EXPECT_EQ(model.cmdButton().left, c.thumbLeft);
    ASSERT_EQ(recorded.events.size(), 1u);
    EXPECT_EQ(recorded.events[0].name, "Scroll");
    EXPECT_FLOAT_EQ(recorded.events[0].value, c.reported);
    EXPECT_FLOAT_EQ(model.ScrollValue(), c.reported);
}

INSTANTIATE_TEST_SUITE_P(Fractions, UpdateScrollPlacesTest,
                         ::testing::Values(FractionCase{0.0f, 80, 0.0f},        // against the left arrow
                                           FractionCase{1.0f, 784, 1.0f},       // against the right arrow
                                           FractionCase{0.5f, 432, 0.5f},
                                           FractionCase{0.25f, 256, 0.25f},
                                           FractionCase{1.5f, 1136, 1.0f},      // beyond the right arrow
                                           FractionCase{-0.25f, -96, 0.0f}),  // beyond the left edge
                         [](const ::testing::TestParamInfo<FractionCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST_F(UpdateScrollTest, ThumbBeyondTheTrackLeavesNoTrackBehindIt) {
    model.UpdateScroll(1.5f);
    EXPECT_EQ(model.picBackLeft().width, 1056);
    EXPECT_EQ(model.picBackRight().left, 1232);
    EXPECT_EQ(model.picBackRight().width, 0);
    model.UpdateScroll(-0.25f);
    EXPECT_EQ(model.picBackLeft().width, 0);
}

TEST_F(UpdateScrollTest, HugeOrInvalidFractionDoesNotBreakTheControl) {
    model.UpdateScroll(1e30f);
    EXPECT_FLOAT_EQ(model.ScrollValue(), 1.0f);
    EXPECT_EQ(model.picBackRight().width, 0);
    model.UpdateScroll(std::numeric_limits<float>::quiet_NaN());
    model.UpdateScroll(0.5f);
    EXPECT_EQ(model.ThumbLeft(), 432);
}

TEST_F(UpdateScrollTest, ButtonLeftMovesOnlyTheThumbElementAndRaisesNothing) {
    model.SetButtonLeft(200);
    EXPECT_EQ(model.cmdButton().left, 200);
    EXPECT_EQ(model.ThumbLeft(), Centre960);
    EXPECT_EQ(model.picBackLeft().width, 352);
    EXPECT_EQ(model.picBackRight().left, 528);
    EXPECT_TRUE(recorded.events.empty());
    EXPECT_EQ(recorded.properties, std::vector<std::string>{"Left"});
}
