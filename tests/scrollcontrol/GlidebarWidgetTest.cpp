// The control as the program meets it: created through the registry, placed in a window,
// driven by real mouse events, talked to only with texts and numbers.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <memory>

#include "Colours.h"
#include "ControlRegistry.h"

namespace {

struct Raised {
    QString name;
    double value;
};

class GlidebarWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        platform::ControlRegistry::SetLocation(folder.filePath("controls.conf"));
        ASSERT_TRUE(platform::ControlRegistry::Register(GLIDEBAR_LIBRARY).ok);
        window = std::make_unique<QWidget>();
        window->resize(400, 100);
        platform::ControlCreation created = platform::ControlRegistry::CreateControl("Glidebar.Glidebar", window.get());
        ASSERT_TRUE(created.control) << created.error.toStdString();
        control = std::move(created.control);
        control->OnEvent([this](const QString& name, double value) { raised.push_back({name, value}); });
        control->OnPropertyChanged([this](const QString& property) { changed.push_back(property); });
        widget = control->Widget();
        // 960 by 300 twips at 96 dpi, the size whose layout the model tests work out.
        widget->setGeometry(10, 10, 64, 20);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_EQ(widget->logicalDpiX(), 96);
    }
    void TearDown() override {
        control.reset();
        window.reset();
        platform::ControlRegistry::SetLocation(QString());
    }

    QWidget* Element(const char* name) const { return widget->findChild<QWidget*>(name); }
    QColor TrackColour(const char* name) const { return Element(name)->palette().color(QPalette::Window); }
    std::vector<QString> Names() const {
        std::vector<QString> names;
        for (const auto& r : raised) names.push_back(r.name);
        return names;
    }

    QTemporaryDir folder;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<platform::ControlInstance> control;
    QWidget* widget = nullptr;
    std::vector<Raised> raised;
    std::vector<QString> changed;
};

}  // namespace

TEST_F(GlidebarWidgetTest, FirstPlacementLaysOutTheElementsInPixelsAndReportsTheCentre) {
    // Twips / 15, rounded: arrows 0..5 and 59..64 (80 and 880..960), thumb 29..35 (432..528).
    EXPECT_EQ(Element("cmdLeft")->geometry(), QRect(0, 0, 5, 20));
    EXPECT_EQ(Element("cmdRight")->geometry(), QRect(59, 0, 5, 20));
    EXPECT_EQ(Element("cmdButton")->geometry(), QRect(29, 0, 6, 20));
    EXPECT_EQ(Element("picBackLeft")->geometry(), QRect(5, 0, 24, 20));
    EXPECT_EQ(Element("picBackRight")->geometry(), QRect(35, 0, 24, 20));
    ASSERT_FALSE(raised.empty());
    EXPECT_EQ(raised.back().name, "Scroll");
    EXPECT_DOUBLE_EQ(raised.back().value, 0.5);
}

TEST_F(GlidebarWidgetTest, ClickOnTheRightArrowStepsThenReleaseRaisesChangeThenClick) {
    raised.clear();
    QTest::mouseClick(Element("cmdRight"), Qt::LeftButton, {}, QPoint(2, 10));
    const std::vector<QString> expected{"Scroll", "Change", "Click"};
    EXPECT_EQ(Names(), expected);
    EXPECT_FLOAT_EQ(static_cast<float>(raised[1].value), 502.0f / 704.0f);
    // 582 twips is 38.8 pixels.
    EXPECT_EQ(Element("cmdButton")->x(), 39);
}

TEST_F(GlidebarWidgetTest, PressedTrackPartTakesThePressedColourUntilRelease) {
    const QColor normal = platform::ColourFromBgr(0x80000000u);
    const QColor pressed = platform::ColourFromBgr(0x80000006u);
    ASSERT_NE(normal, pressed);
    EXPECT_EQ(TrackColour("picBackRight"), normal);
    raised.clear();
    QTest::mousePress(Element("picBackRight"), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(TrackColour("picBackRight"), pressed);
    EXPECT_EQ(TrackColour("picBackLeft"), normal);
    // The part now starts at the paged thumb's right edge, 624 twips.
    EXPECT_EQ(Element("picBackRight")->x(), 42);
    QTest::mouseRelease(Element("picBackRight"), Qt::LeftButton, {}, QPoint(14, 10));
    EXPECT_EQ(TrackColour("picBackRight"), normal);
    const std::vector<QString> expected{"Scroll", "Change", "Click"};
    EXPECT_EQ(Names(), expected);
}

TEST_F(GlidebarWidgetTest, DraggingTheThumbPastTheEndClampsAgainstTheArrow) {
    QWidget* thumb = Element("cmdButton");
    QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(3, 10));
    QTest::mouseMove(thumb, QPoint(200, 10));
    // 784 twips, 52.3 pixels.
    EXPECT_EQ(thumb->x(), 52);
    EXPECT_EQ(raised.back().name, "Scroll");
    EXPECT_DOUBLE_EQ(raised.back().value, 1.0);
    QTest::mouseRelease(thumb, Qt::LeftButton, {}, QPoint(3, 10));
    EXPECT_EQ(raised.back().name, "Click");
    EXPECT_EQ(raised[raised.size() - 2].name, "Change");
}

TEST_F(GlidebarWidgetTest, HoldingAnArrowRepeatsOnTheRealClock) {
    QTest::mousePress(Element("cmdLeft"), Qt::LeftButton, {}, QPoint(2, 10));
    EXPECT_EQ(Element("cmdButton")->x(), 19);  // 282 twips
    // Two more steps reach the left arrow after 300 + 30 + 30 ms.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Element("cmdButton")->x() == 5; }, 5000));
    QTest::mouseRelease(Element("cmdLeft"), Qt::LeftButton, {}, QPoint(2, 10));
    EXPECT_EQ(raised[raised.size() - 2].name, "Change");
    EXPECT_DOUBLE_EQ(raised[raised.size() - 2].value, 0.0);
}

TEST_F(GlidebarWidgetTest, StalledThreadDoesNotFireTheMissedTicksInABurst) {
    ASSERT_TRUE(control->Invoke("UpdateScroll", 1.0));
    QTest::mousePress(Element("cmdLeft"), Qt::LeftButton, {}, QPoint(2, 10));
    ASSERT_EQ(Element("cmdButton")->x(), 42);  // 634 twips
    // A second without the event loop: the start delay fires, then at most one more step (484
    // twips, 32.3 pixels), never the run of steps down to the left arrow.
    QThread::msleep(1000);
    QCoreApplication::processEvents();
    EXPECT_GE(Element("cmdButton")->x(), 32);
    QTest::mouseRelease(Element("cmdLeft"), Qt::LeftButton, {}, QPoint(2, 10));
    EXPECT_GE(Element("cmdButton")->x(), 32);
}

TEST_F(GlidebarWidgetTest, ContainerCallDuringTheStartDelayDoesNotPostponeTheRepeat) {
    QTest::mousePress(Element("cmdRight"), Qt::LeftButton, {}, QPoint(2, 10));
    ASSERT_EQ(Element("cmdButton")->x(), 39);  // 582 twips
    QThread::msleep(250);
    ASSERT_TRUE(control->SetText("ButtonLabel", "230 V"));
    // The start delay ends at 300 ms, the first step is due 30 ms after the delay is seen.
    QThread::msleep(150);
    QCoreApplication::processEvents();
    QThread::msleep(60);
    QCoreApplication::processEvents();
    EXPECT_EQ(Element("cmdButton")->x(), 49);  // 732 twips
    QTest::mouseRelease(Element("cmdRight"), Qt::LeftButton, {}, QPoint(2, 10));
}

TEST_F(GlidebarWidgetTest, DoubleClickOnTheTrackPagesTwiceAndClicksOnce) {
    raised.clear();
    QTest::mouseClick(Element("picBackRight"), Qt::LeftButton, {}, QPoint(2, 10));
    QTest::mouseDClick(Element("picBackRight"), Qt::LeftButton, {}, QPoint(2, 10));
    QTest::mouseRelease(Element("picBackRight"), Qt::LeftButton, {}, QPoint(2, 10));
    // Pages 528, then 624 twips (41.6 pixels).
    EXPECT_EQ(Element("cmdButton")->x(), 42);
    const std::vector<QString> expected{"Scroll", "Change", "Click", "Scroll", "Change"};
    EXPECT_EQ(Names(), expected);

    // The background alike.
    ASSERT_TRUE(control->SetNumber("ButtonLeft", 150));
    raised.clear();
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(46, 10));
    QTest::mouseDClick(widget, Qt::LeftButton, {}, QPoint(46, 10));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(46, 10));
    EXPECT_EQ(Names(), std::vector<QString>{"Click"});
}

TEST_F(GlidebarWidgetTest, DoubleClickWhoseFirstClickHitTheThumbIsAPressOnTheTrack) {
    QTest::mouseClick(Element("cmdButton"), Qt::LeftButton, {}, QPoint(3, 10));
    // 20 pixels into the right part, which starts at 528 twips, is 828 twips. Held, it pages 528,
    // 624, 720, then 784 against the arrow, which covers 828.
    QTest::mouseDClick(Element("picBackRight"), Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(Element("cmdButton")->x(), 35);  // 528 twips
    EXPECT_TRUE(QTest::qWaitFor([&] { return Element("cmdButton")->x() == 52; }, 5000));
    QTest::mouseRelease(Element("picBackRight"), Qt::LeftButton, {}, QPoint(0, 10));
    EXPECT_EQ(raised.back().name, "Change");
    EXPECT_DOUBLE_EQ(raised.back().value, 1.0);
}

TEST_F(GlidebarWidgetTest, UpdateScrollBeyondTheTrackPlacesTheThumbAndReportsOne) {
    raised.clear();
    ASSERT_TRUE(control->Invoke("UpdateScroll", 1.5));
    // 1136 twips, 75.7 pixels: beyond the right arrow.
    EXPECT_EQ(Element("cmdButton")->x(), 76);
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].name, "Scroll");
    EXPECT_DOUBLE_EQ(raised[0].value, 1.0);
    // Beyond what a 32-bit float holds, still a place far beyond the arrow.
    raised.clear();
    ASSERT_TRUE(control->Invoke("UpdateScroll", -1e300));
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_DOUBLE_EQ(raised[0].value, 0.0);
    EXPECT_EQ(Element("picBackLeft")->width(), 0);
}

TEST_F(GlidebarWidgetTest, ButtonLeftMovesTheThumbAndRaisesNothing) {
    raised.clear();
    ASSERT_TRUE(control->SetNumber("ButtonLeft", 150));
    EXPECT_EQ(Element("cmdButton")->x(), 10);
    EXPECT_EQ(Element("picBackLeft")->width(), 24);
    EXPECT_TRUE(raised.empty());
    EXPECT_EQ(changed, std::vector<QString>{"Left"});
}

TEST_F(GlidebarWidgetTest, ClickOnTheBackgroundRaisesClickOnly) {
    // The thumb moved away alone uncovers the control between the track parts, 29..35 pixels.
    ASSERT_TRUE(control->SetNumber("ButtonLeft", 150));
    raised.clear();
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(31, 10));
    const std::vector<QString> expected{"Click"};
    EXPECT_EQ(Names(), expected);
}

TEST_F(GlidebarWidgetTest, LabelsBecomeTheButtonCaptions) {
    ASSERT_TRUE(control->SetText("LeftLabel", "85 V"));
    ASSERT_TRUE(control->SetText("RightLabel", "265 V"));
    ASSERT_TRUE(control->SetText("ButtonLabel", "230 V"));
    EXPECT_EQ(static_cast<QPushButton*>(Element("cmdLeft"))->text(), "85 V");
    EXPECT_EQ(static_cast<QPushButton*>(Element("cmdRight"))->text(), "265 V");
    EXPECT_EQ(static_cast<QPushButton*>(Element("cmdButton"))->text(), "230 V");
    EXPECT_EQ(changed, (std::vector<QString>{"Caption", "Caption", "Caption"}));
}

TEST_F(GlidebarWidgetTest, UnknownMembersAreRefused) {
    EXPECT_FALSE(control->SetText("Caption", "x"));
    EXPECT_FALSE(control->SetNumber("Width", 100));
    EXPECT_FALSE(control->Invoke("Refresh", 0));
    EXPECT_FALSE(control->Invoke("UpdateScroll", std::numeric_limits<double>::quiet_NaN()));
}

TEST_F(GlidebarWidgetTest, MaskedSurvivesARoundTripThroughThePropertyBag) {
    std::map<QString, QString> fresh;
    ASSERT_TRUE(control->WriteProperties(fresh));
    EXPECT_EQ(fresh["Masked"], "False");

    ASSERT_TRUE(control->ReadProperties({{"Masked", "True"}}));
    std::map<QString, QString> saved;
    ASSERT_TRUE(control->WriteProperties(saved));
    EXPECT_EQ(saved["Masked"], "True");

    platform::ControlCreation other = platform::ControlRegistry::CreateControl("Glidebar.Glidebar", window.get());
    ASSERT_TRUE(other.control);
    ASSERT_TRUE(other.control->ReadProperties(saved));
    std::map<QString, QString> again;
    ASSERT_TRUE(other.control->WriteProperties(again));
    EXPECT_EQ(again["Masked"], "True");

    // A bag without the key, or with a value that is no flag, gives the default.
    ASSERT_TRUE(other.control->ReadProperties({{"Masked", "perhaps"}}));
    ASSERT_TRUE(other.control->WriteProperties(again));
    EXPECT_EQ(again["Masked"], "False");
}

TEST_F(GlidebarWidgetTest, ControlWiderThan32767TwipsPlacesItsThumb) {
    // 3200 pixels, 48000 twips: thumb 4800 at 21600, travel 35200 from the 4000-twip arrow.
    widget->setGeometry(0, 10, 3200, 20);
    EXPECT_EQ(Element("cmdButton")->geometry(), QRect(1440, 0, 320, 20));
    ASSERT_TRUE(control->Invoke("UpdateScroll", 1.0));
    // 39200 twips is 2613.3 pixels.
    EXPECT_EQ(Element("cmdButton")->x(), 2613);
    EXPECT_EQ(Element("cmdRight")->x(), 2933);
    EXPECT_DOUBLE_EQ(raised.back().value, 1.0);
}

TEST_F(GlidebarWidgetTest, ControlWithoutWidthComesAliveWhenPlaced) {
    platform::ControlCreation created = platform::ControlRegistry::CreateControl("Glidebar.Glidebar", window.get());
    ASSERT_TRUE(created.control);
    std::vector<Raised> events;
    created.control->OnEvent([&](const QString& name, double value) { events.push_back({name, value}); });
    QWidget* bar = created.control->Widget();
    bar->setGeometry(0, 40, 0, 20);
    bar->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(events.empty());
    bar->setGeometry(0, 40, 64, 20);
    QCoreApplication::processEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_DOUBLE_EQ(events.back().value, 0.5);
    EXPECT_EQ(bar->findChild<QWidget*>("cmdButton")->geometry(), QRect(29, 0, 6, 20));
}
