// Auto-repeat: a held arrow or track part repeats after a 300 ms start delay, every 30 ms, until
// the release.

#include <gtest/gtest.h>

#include "RecordingEvents.h"

using AutoRepeatTest = GlidebarModelTest;

TEST_F(AutoRepeatTest, HeldArrowRepeatsAfter300MsEvery30Ms) {
    model.cmdLeft_MouseDown();
    model.cmdLeft_MouseUp();  // back to 282 and idle
    recorded.Take();
    model.cmdRight_MouseDown();
    ASSERT_EQ(model.ThumbLeft(), 432);
    model.AdvanceTime(299);
    EXPECT_EQ(model.ThumbLeft(), 432);
    EXPECT_FALSE(model.Repeating());
    model.AdvanceTime(1);
    EXPECT_TRUE(model.Repeating());
    EXPECT_FALSE(model.Timer1Enabled());
    EXPECT_TRUE(model.Timer2Enabled());
    EXPECT_EQ(model.NextTimerIn(), 30);
    EXPECT_EQ(model.ThumbLeft(), 432);
    model.AdvanceTime(29);
    EXPECT_EQ(model.ThumbLeft(), 432);
    model.AdvanceTime(1);
    EXPECT_EQ(model.ThumbLeft(), 582);
    model.AdvanceTime(30);
    EXPECT_EQ(model.ThumbLeft(), 732);
    model.AdvanceTime(30);
    EXPECT_EQ(model.ThumbLeft(), 784);  // the end of the track
    model.cmdRight_MouseUp();
    EXPECT_FALSE(model.Repeating());
    EXPECT_EQ(model.NextTimerIn(), -1);
    model.AdvanceTime(1000);
    EXPECT_EQ(model.ThumbLeft(), 784);
    const std::vector<std::string> expected{"Scroll", "Scroll", "Scroll", "Scroll", "Change"};
    EXPECT_EQ(recorded.Names(), expected);
}

TEST_F(AutoRepeatTest, OneLongAdvanceFiresEveryDueTick) {
    model.cmdLeft_MouseDown();  // 282
    model.AdvanceTime(300 + 30 + 30);
    // Two repeated steps: 132, then 80 against the arrow.
    EXPECT_EQ(model.ThumbLeft(), 80);
    EXPECT_EQ(recorded.events.size(), 3u);
}

TEST_F(AutoRepeatTest, ShortPressDoesNotRepeat) {
    model.cmdRight_MouseDown();
    model.AdvanceTime(299);
    model.cmdRight_MouseUp();
    model.AdvanceTime(1000);
    EXPECT_EQ(model.ThumbLeft(), 582);
    EXPECT_FALSE(model.Repeating());
}

TEST_F(AutoRepeatTest, LateCatchUpFiresEachDueTimerOnceAndDropsMissedTicks) {
    model.UpdateScroll(1.0f);  // 784
    model.cmdLeft_MouseDown();  // 634
    recorded.Take();
    // A thread busy for a second: the start delay fires, the first tick comes 30 ms later.
    model.AdvanceTimeCoalesced(1000);
    EXPECT_TRUE(model.Repeating());
    EXPECT_EQ(model.ThumbLeft(), 634);
    EXPECT_EQ(model.NextTimerIn(), 30);
    model.AdvanceTimeCoalesced(30);
    EXPECT_EQ(model.ThumbLeft(), 484);
    // Busy again for 500 ms: one step, not sixteen.
    model.AdvanceTimeCoalesced(500);
    EXPECT_EQ(model.ThumbLeft(), 334);
    EXPECT_EQ(model.NextTimerIn(), 30);
    // On time, the ticks keep their 30 ms.
    model.AdvanceTimeCoalesced(29);
    EXPECT_EQ(model.ThumbLeft(), 334);
    model.AdvanceTimeCoalesced(1);
    EXPECT_EQ(model.ThumbLeft(), 184);
    EXPECT_EQ(recorded.events.size(), 3u);
}
