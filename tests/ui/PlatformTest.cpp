// The platform layer: twips, colours, scripted message boxes, the loaded-window collection,
// the shell's answer for a missing file, the refresh guard and the editors' slider.

#include <gtest/gtest.h>

#include <QPalette>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

#include "BoxAnswerer.h"
#include "Colours.h"
#include "Forms.h"
#include "MessageBox.h"
#include "ReentryGuard.h"
#include "ShellOpen.h"
#include "Slider.h"
#include "Twips.h"

TEST(TwipsTest, FifteenTwipsPerPixelAt96Dpi) {
    EXPECT_EQ(platform::TwipsToPixels(15, 96), 1);
    EXPECT_EQ(platform::TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(platform::TwipsToPixels(1440, 144), 144);
    EXPECT_DOUBLE_EQ(platform::PixelsToTwips(100, 96), 1500);
    EXPECT_DOUBLE_EQ(platform::PixelsToTwips(100, 120), 1200);
}

TEST(ColoursTest, BgrValuesAndSystemColours) {
    EXPECT_EQ(platform::ColourFromBgr(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(platform::ColourFromBgr(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(platform::ColourFromBgr(0x80FF80), QColor(0x80, 0xFF, 0x80));
    EXPECT_EQ(platform::ColourFromBgr(15461355), QColor(0xEB, 0xEB, 0xEB));
    EXPECT_EQ(platform::ColourFromBgr(platform::ButtonFace), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(platform::ColourFromBgr(platform::ControlText), QApplication::palette().color(QPalette::WindowText));
}

TEST(MessageBoxTest, ScriptedAnswersAreTakenInOrderAndRecorded) {
    platform::MessageScript::Clear();
    platform::MessageScript::PushAnswer(platform::AnswerNo);
    EXPECT_EQ(platform::ShowMessage("Do You Want To Save Current Design", platform::Buttons::YesNoCancel,
                                    "Save Design ?"),
              platform::AnswerNo);
    EXPECT_EQ(platform::ShowMessage("Again", platform::Buttons::YesNoCancel, "Save Design ?"),
              platform::AnswerCancel);
    EXPECT_EQ(platform::ShowMessage("Missing File : x", platform::Buttons::OK, "File Error"), platform::AnswerOK);
    const auto& shown = platform::MessageScript::Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].title, "Save Design ?");
    EXPECT_EQ(shown[2].text, "Missing File : x");
    platform::MessageScript::Clear();
}

// A box shown to the user comes up centred over its window and wide enough for its whole title:
// the title's text in the bold title-bar font and, beside it, the window icon and three buttons
// of at least 30 pixels each.
TEST(MessageBoxTest, RealBoxShowsItsWholeTitleOverItsWindow) {
    platform::MessageScript::Disable();
    QWidget window;
    window.setGeometry(40, 30, 520, 400);
    window.show();
    BoxAnswerer answerer;
    const std::pair<const char*, const char*> boxes[] = {
        {"Wrong File Format", "File Error"},
        {"x", "Zorvic Flyback Converter Design Help"},
        {"Please Reduce Input Voltage. ZorvicA1 Has 700 Vmax.", "Zorvic Over Voltage"},
    };
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    for (const auto& [text, title] : boxes) {
        EXPECT_EQ(platform::ShowMessage(text, platform::Buttons::OK, title, &window), platform::AnswerOK);
        ASSERT_FALSE(answerer.seen.empty());
        const BoxAnswerer::Seen seen = answerer.seen.back();
        EXPECT_EQ(seen.title, title);
        EXPECT_GE(seen.frame.width(), QFontMetrics(titleFont).horizontalAdvance(title) + 4 * 30) << title;
        EXPECT_LE((seen.frame.center() - window.frameGeometry().center()).manhattanLength(), 2) << title;
    }
    platform::MessageScript::Enable();
    platform::MessageScript::Clear();
}

TEST(FormsTest, LoadedWindowsInLoadOrderAndGoneWhenDestroyed) {
    auto first = std::make_unique<QWidget>();
    first->setObjectName("fmA");
    auto second = std::make_unique<QWidget>();
    second->setObjectName("fmB");
    platform::Forms::Register(second.get());
    platform::Forms::Register(first.get());
    platform::Forms::Register(second.get());
    auto loaded = platform::Forms::Loaded();
    auto at = [&](QWidget* w) { return std::find(loaded.begin(), loaded.end(), w) - loaded.begin(); };
    EXPECT_LT(at(second.get()), at(first.get()));
    EXPECT_EQ(platform::Forms::Find("fmA"), first.get());
    second.reset();
    EXPECT_EQ(platform::Forms::Find("fmB"), nullptr);
}

TEST(ShellOpenTest, MissingFileAnswersTwo) {
    QTemporaryDir dir;
    EXPECT_EQ(platform::ShellOpenDocument((dir.path() + "/absent.pdf").toStdString()), 2);
}

TEST(ReentryGuardTest, RequestDuringARunRunsOnceAfterIt) {
    platform::ReentryGuard guard;
    int runs = 0;
    int depth = 0;
    int maxDepth = 0;
    std::function<void()> work = [&] {
        ++runs;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (runs == 1) {
            guard.Run(work);  // two requests from inside the first run
            guard.Run(work);
        }
        --depth;
    };
    guard.Run(work);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_FALSE(guard.Running());
}

TEST(ReentryGuardTest, AFailedRunDoesNotSilenceLaterRuns) {
    platform::ReentryGuard guard;
    EXPECT_THROW(guard.Run([] { throw std::runtime_error("computation failed"); }), std::runtime_error);
    EXPECT_FALSE(guard.Running());
    int runs = 0;
    guard.Run([&] { ++runs; });
    EXPECT_EQ(runs, 1);
}

TEST(SliderTest, OnlyTheUsersMovesRaiseMoved) {
    platform::Slider slider(20);
    QSignalSpy moved(&slider, &platform::Slider::Moved);
    slider.SetPosition(6);
    slider.SetLastPosition(4);  // pulls the position back to the new end
    slider.SetPosition(-3);
    EXPECT_EQ(slider.value(), 0);
    EXPECT_TRUE(moved.isEmpty());
    slider.SetLastPosition(20);
    QTest::keyClick(&slider, Qt::Key_Right);
    QTest::keyClick(&slider, Qt::Key_PageUp);  // the large step
    slider.setSliderPosition(17);              // what dragging does
    ASSERT_EQ(moved.size(), 3);
    EXPECT_EQ(moved[0][0].toInt(), 1);
    EXPECT_EQ(moved[1][0].toInt(), 6);
    EXPECT_EQ(moved[2][0].toInt(), 17);
}
