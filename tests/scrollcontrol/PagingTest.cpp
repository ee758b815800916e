// Paging on the track: a page is the thumb's width, repeated while the track is held until the
// thumb covers the pressed point; the pressed part keeps the pressed colour until release.

#include <gtest/gtest.h>

#include "RecordingEvents.h"

using glidebar::PressedTrackColour;
using glidebar::TrackColour;

using PagingTest = GlidebarModelTest;

TEST_F(PagingTest, HoldingRightOfTheThumbPagesUpToThePressedPointThenStops) {
    // The right part starts at 528; the pressed point is 728.
    model.picBackRight_MouseDown(200);
    EXPECT_EQ(model.PageTarget(), 728);
    EXPECT_EQ(model.ThumbLeft(), 528);
    EXPECT_EQ(model.picBackRightColour(), PressedTrackColour);
    EXPECT_EQ(model.picBackLeftColour(), TrackColour);
    model.AdvanceTime(300 + 30);
    EXPECT_EQ(model.ThumbLeft(), 624);
    model.AdvanceTime(30);
    EXPECT_EQ(model.ThumbLeft(), 720);  // covers 720..816, so 728 is under the thumb
    model.AdvanceTime(30 * 10);
    EXPECT_EQ(model.ThumbLeft(), 720);
    EXPECT_FALSE(model.Repeating());
    EXPECT_TRUE(model.Timer2Enabled());  // idle until release
    EXPECT_EQ(model.picBackRightColour(), PressedTrackColour);

    model.picBackRight_MouseUp();
    EXPECT_EQ(model.picBackRightColour(), TrackColour);
    EXPECT_FALSE(model.Timer1Enabled());
    EXPECT_FALSE(model.Timer2Enabled());
    const auto events = recorded.Take();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].name, "Scroll");
    EXPECT_FLOAT_EQ(events[0].value, At(528));
    EXPECT_FLOAT_EQ(events[1].value, At(624));
    EXPECT_FLOAT_EQ(events[2].value, At(720));
    EXPECT_EQ(events[3].name, "Change");
    EXPECT_FLOAT_EQ(events[3].value, At(720));
}

TEST_F(PagingTest, HoldingLeftOfTheThumbPagesDownToTheLeftArrow) {
    // Pressed point 80 + 50 = 130: pages 336, 240, 144, then 80 against the arrow.
    model.picBackLeft_MouseDown(50);
    EXPECT_EQ(model.PageTarget(), 130);
    EXPECT_EQ(model.ThumbLeft(), 336);
    EXPECT_EQ(model.picBackLeftColour(), PressedTrackColour);
    model.AdvanceTime(330);
    EXPECT_EQ(model.ThumbLeft(), 240);
    model.AdvanceTime(30);
    EXPECT_EQ(model.ThumbLeft(), 144);
    model.AdvanceTime(30);
    EXPECT_EQ(model.ThumbLeft(), 80);
    model.AdvanceTime(300);
    EXPECT_EQ(model.ThumbLeft(), 80);
    EXPECT_FALSE(model.Repeating());
    model.picBackLeft_MouseUp();
    EXPECT_EQ(model.picBackLeftColour(), TrackColour);
    EXPECT_EQ(recorded.events.back().name, "Change");
    EXPECT_FLOAT_EQ(recorded.events.back().value, 0.0f);
}

TEST_F(PagingTest, PageNearTheEndStopsAgainstTheArrow) {
    model.UpdateScroll(0.9f);  // 633.6 + 80 -> 714
    ASSERT_EQ(model.ThumbLeft(), 714);
    model.picBackRight_MouseDown(10);
    EXPECT_EQ(model.ThumbLeft(), 784);
    model.picBackRight_MouseUp();
    model.picBackLeft_MouseDown(10);
    EXPECT_EQ(model.ThumbLeft(), 688);
}

TEST_F(PagingTest, DoubleClickPagesTwiceAndKeepsThePressedPoint) {
    model.picBackRight_MouseDown(10);  // pressed point 538
    model.picBackRight_MouseUp();
    model.Clicked();
    model.picBackRight_DblClick();
    EXPECT_EQ(model.ThumbLeft(), 624);
    EXPECT_EQ(model.PageTarget(), 538);
    EXPECT_EQ(model.picBackRightColour(), PressedTrackColour);
    model.picBackRight_MouseUp();
    const std::vector<std::string> expected{"Scroll", "Change", "Click", "Scroll", "Change"};
    EXPECT_EQ(recorded.Names(), expected);
}

TEST_F(PagingTest, PressedPointRoundsHalvesToEven) {
    model.picBackRight_MouseDown(10.5);
    EXPECT_EQ(model.PageTarget(), 538);
    model.picBackRight_MouseUp();
    model.picBackLeft_MouseDown(11.5);
    EXPECT_EQ(model.PageTarget(), 92);
}

TEST_F(PagingTest, MovingOverTheThumbRestoresTheTrackColour) {
    model.picBackLeft_MouseDown(10);
    model.cmdButton_MouseMove(5);
    EXPECT_EQ(model.picBackLeftColour(), TrackColour);
    EXPECT_EQ(model.ThumbLeft(), 336);  // no drag without a press on the thumb
}
