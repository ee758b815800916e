// Small steps of the arrows: 150 twips, clamped at the ends of the track, Change on release.

#include <gtest/gtest.h>

#include "RecordingEvents.h"

using ArrowStepTest = GlidebarModelTest;

TEST_F(ArrowStepTest, RightArrowStepsAndClampsAtTheRightArrow) {
    model.cmdRight_MouseDown();
    EXPECT_EQ(model.ThumbLeft(), 582);
    model.cmdRight_MouseUp();
    model.cmdRight_MouseDown();
    EXPECT_EQ(model.ThumbLeft(), 732);
    model.cmdRight_MouseUp();
    // 732 + 96 + 150 reaches the right arrow at 880: the thumb stops against it.
    model.cmdRight_MouseDown();
    EXPECT_EQ(model.ThumbLeft(), 784);
    EXPECT_EQ(model.cmdButton().left, 784);
    EXPECT_EQ(model.picBackRight().width, 0);
    EXPECT_FLOAT_EQ(model.ScrollValue(), 1.0f);
    model.cmdRight_MouseUp();
    model.cmdRight_MouseDown();
    EXPECT_EQ(model.ThumbLeft(), 784);
}

TEST_F(ArrowStepTest, LeftArrowStepsAndClampsAtTheLeftArrow) {
    model.cmdLeft_MouseDown();
    EXPECT_EQ(model.ThumbLeft(), 282);
    EXPECT_EQ(model.picBackLeft().width, 202);
    EXPECT_EQ(model.picBackRight().left, 378);
    EXPECT_EQ(model.picBackRight().width, 502);
    model.cmdLeft_MouseUp();
    model.cmdLeft_MouseDown();
    EXPECT_EQ(model.ThumbLeft(), 132);
    model.cmdLeft_MouseUp();
    model.cmdLeft_MouseDown();
    EXPECT_EQ(model.ThumbLeft(), 80);
    EXPECT_EQ(model.picBackLeft().width, 0);
    EXPECT_FLOAT_EQ(model.ScrollValue(), 0.0f);
}

TEST_F(ArrowStepTest, PressRaisesScrollAndReleaseRaisesChangeThenClick) {
    model.cmdRight_MouseDown();
    model.cmdRight_MouseUp();
    model.Clicked();
    const auto events = recorded.Take();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].name, "Scroll");
    EXPECT_FLOAT_EQ(events[0].value, 502.0f / 704.0f);
    EXPECT_EQ(events[1].name, "Change");
    EXPECT_FLOAT_EQ(events[1].value, 502.0f / 704.0f);
    EXPECT_EQ(events[2].name, "Click");
    EXPECT_FALSE(model.Timer1Enabled());
    EXPECT_FALSE(model.Timer2Enabled());
}

TEST_F(ArrowStepTest, StepStartsFromTheThumbElementAndPressArmsTheStartDelay) {
    model.SetButtonLeft(200);
    model.cmdLeft_MouseDown();
    // 200 - 150 does not clear the left arrow.
    EXPECT_EQ(model.ThumbLeft(), 80);
    EXPECT_TRUE(model.Timer1Enabled());
    EXPECT_EQ(model.NextTimerIn(), 300);
    EXPECT_EQ(model.RepeatDir(), 'L');
}

TEST(ArrowStepNarrowTest, ControlWithoutTravelRaisesNeitherScrollNorChange) {
    glidebar::GlidebarModel model(0, 300);
    RecordingEvents recorded;
    model.SetEvents(&recorded);
    model.UserControl_Resize(0, 300);
    model.cmdRight_MouseDown();
    model.cmdRight_MouseUp();
    model.cmdLeft_MouseDown();
    model.cmdLeft_MouseUp();
    model.picBackRight_MouseDown(0);
    model.picBackRight_MouseUp();
    model.cmdButton_MouseDown(0);
    model.cmdButton_MouseMove(30);
    model.cmdButton_MouseUp();
    model.UpdateScroll(0.5f);
    EXPECT_TRUE(recorded.events.empty());
}
