// Resizing keeps the thumb's fraction, and a control that had no room for a track comes alive
// once it gets a width.

#include <gtest/gtest.h>

#include "RecordingEvents.h"

using glidebar::GlidebarModel;

using ResizeTest = GlidebarModelTest;

TEST_F(ResizeTest, DoublingTheWidthScalesTheThumb) {
    model.cmdRight_MouseDown();  // 582, fraction 502 / 704
    model.cmdRight_MouseUp();
    recorded.Take();
    // Thumb 192, arrows 160, travel 1920 - 320 - 192; the thumb 582 * 1408 / 704.
    model.UserControl_Resize(1920, 300);
    EXPECT_EQ(model.TravelRange(), 1408);
    EXPECT_EQ(model.ThumbLeft(), 1164);
    EXPECT_EQ(model.cmdRight().left, 1760);
    EXPECT_EQ(model.picBackRight().width, 1760 - 1164 - 192);
    ASSERT_EQ(recorded.events.size(), 1u);
    EXPECT_EQ(recorded.events[0].name, "Scroll");
    EXPECT_FLOAT_EQ(recorded.events[0].value, 1004.0f / 1408.0f);
}

TEST_F(ResizeTest, ScalingToAWideControlDoesNotOverflow) {
    model.UserControl_Resize(48000, 300);
    EXPECT_EQ(model.ThumbLeft(), 21600);  // 432 * 35200 / 704
    EXPECT_FLOAT_EQ(model.ScrollValue(), 0.5f);
}

TEST(ResizeFromNothingTest, ControlStartedWithoutWidthComesAliveCentred) {
    GlidebarModel model(0, 0);
    RecordingEvents recorded;
    model.SetEvents(&recorded);
    model.UserControl_Resize(0, 0);
    EXPECT_TRUE(recorded.events.empty());
    model.UserControl_Resize(960, 300);
    EXPECT_EQ(model.TravelRange(), 704);
    EXPECT_EQ(model.ThumbLeft(), 432);
    EXPECT_EQ(model.picBackLeft().width, 352);
    ASSERT_EQ(recorded.events.size(), 1u);
    EXPECT_FLOAT_EQ(recorded.events[0].value, 0.5f);
    // It pages by its thumb's width, as one created at this size.
    EXPECT_EQ(model.PageStep(), 96);
    model.picBackRight_MouseDown(10);
    EXPECT_EQ(model.ThumbLeft(), 528);
}

TEST_F(ResizeTest, ShrunkToNothingAndGrownBackKeepsItsFraction) {
    model.cmdRight_MouseDown();  // 582
    model.cmdRight_MouseUp();
    recorded.Take();
    model.UserControl_Resize(0, 300);
    EXPECT_EQ(model.TravelRange(), 0);
    EXPECT_TRUE(recorded.events.empty());
    model.UserControl_Resize(1920, 300);
    // 502 / 704 of 1408, after the 160-twip arrow.
    EXPECT_EQ(model.ThumbLeft(), 1164);
    ASSERT_EQ(recorded.events.size(), 1u);
    EXPECT_FLOAT_EQ(recorded.events[0].value, 1004.0f / 1408.0f);
}
