// Dragging the thumb: it follows the mouse from where it was grabbed, clamped between the
// arrows, reports every move with Scroll and the release with Change.

#include <gtest/gtest.h>

#include "RecordingEvents.h"

using DragTest = GlidebarModelTest;

TEST_F(DragTest, ThumbFollowsTheMouseFromTheGrabPoint) {
    model.cmdButton_MouseDown(48);
    EXPECT_TRUE(model.Dragging());
    model.cmdButton_MouseMove(148);
    EXPECT_EQ(model.ThumbLeft(), 532);
    EXPECT_EQ(model.cmdButton().left, 532);
    EXPECT_EQ(model.picBackLeft().width, 452);
    EXPECT_EQ(model.picBackRight().left, 628);
    ASSERT_EQ(recorded.events.size(), 1u);
    EXPECT_EQ(recorded.events[0].name, "Scroll");
    EXPECT_FLOAT_EQ(recorded.events[0].value, 452.0f / 704.0f);
    model.cmdButton_MouseUp();
    EXPECT_FALSE(model.Dragging());
    EXPECT_EQ(recorded.events.back().name, "Change");
    EXPECT_FLOAT_EQ(recorded.events.back().value, 452.0f / 704.0f);
}

TEST_F(DragTest, DragPastEitherEndClampsAgainstTheArrows) {
    model.cmdButton_MouseDown(48);
    model.cmdButton_MouseMove(48 + 5000);
    EXPECT_EQ(model.ThumbLeft(), 784);
    EXPECT_FLOAT_EQ(recorded.events.back().value, 1.0f);
    model.cmdButton_MouseMove(48 - 5000);
    EXPECT_EQ(model.ThumbLeft(), 80);
    EXPECT_FLOAT_EQ(recorded.events.back().value, 0.0f);
    model.cmdButton_MouseUp();
    const std::vector<std::string> expected{"Scroll", "Scroll", "Change"};
    EXPECT_EQ(recorded.Names(), expected);
}

TEST_F(DragTest, PositionsRoundHalvesToEven) {
    model.cmdButton_MouseDown(11.5);  // grabbed at 12
    model.cmdButton_MouseMove(12.5);  // 432.5 -> 432
    EXPECT_EQ(model.ThumbLeft(), 432);
    model.cmdButton_MouseMove(13.5);  // 433.5 -> 434
    EXPECT_EQ(model.ThumbLeft(), 434);
}

TEST_F(DragTest, MoveWithoutPressDoesNotDrag) {
    model.cmdButton_MouseMove(300);
    EXPECT_EQ(model.ThumbLeft(), Centre960);
    model.cmdButton_MouseDown(0);
    model.cmdButton_MouseUp();
    model.cmdButton_MouseMove(300);
    EXPECT_EQ(model.ThumbLeft(), Centre960);
    const std::vector<std::string> expected{"Change"};
    EXPECT_EQ(recorded.Names(), expected);
}
