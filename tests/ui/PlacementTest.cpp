// The placement routines of the schematic: centring on the width of the new caption, the
// zoom limits of labels and buttons, the "Warning" styling and the training colours.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <limits>
#include <memory>

#include "Colours.h"
#include "Placement.h"
#include "Twips.h"
#include "Variables.h"

using namespace zorvic;

namespace {

// The pixel rectangle a control placed at `place` takes.
QRect Pixels(const platform::TwipRect& place) {
    QWidget probe;
    platform::SetTwipGeometry(&probe, place);
    return probe.geometry();
}

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        holder = std::make_unique<QWidget>();
        label = new QLabel(QStringLiteral("C2"), holder.get());
        button = new QPushButton(QStringLiteral("Input"), holder.get());
    }

    std::unique_ptr<QWidget> holder;
    QLabel* label = nullptr;
    QPushButton* button = nullptr;
};

enum class Routine { Centred, Left, Regulation };

struct VisibilityCase {
    Routine routine;
    float zoom;
    bool visible;
};

class LabelVisibilityTest : public PlacementTest, public ::testing::WithParamInterface<VisibilityCase> {};

struct ButtonCase {
    float zoom;
    bool visible;
    bool fullSize;
};

class ButtonZoomTest : public PlacementTest, public ::testing::WithParamInterface<ButtonCase> {};

}  // namespace

TEST_F(PlacementTest, LabelIsCentredOnItsNewCaptionAtOnce) {
    // A caption far wider than the one before (a blank value, then a whole one), and back.
    platform::SetTwipGeometry(label, {0, 0, 300, 195});
    for (const QString& caption : {QStringLiteral("C7 2.2nF-2kV and more"), QStringLiteral("C7")}) {
        PlaceLabel(label, 2000, 300, 1.0f, caption);
        EXPECT_EQ(label->text(), caption);
        EXPECT_EQ(label->size(), label->sizeHint());  // the label fits its new text
        const int32_t width = platform::TwipWidth(label);
        EXPECT_EQ(label->pos(), Pixels({2000 - width / 2, 300, 0, 0}).topLeft()) << caption.toStdString();
    }
}

// The transformer button near the right edge of the filter picture, at zoom 1 and just above the
// zoom that hides the labels: its whole caption shows, inside the picture.
TEST_F(PlacementTest, ButtonShowsItsWholeCaptionInsideItsPicture) {
    platform::SetTwipGeometry(holder.get(), {0, 0, 7500, 4000});
    button->setText(QStringLiteral("Transformer"));
    for (const float zoom : {1.0f, Settings.LabelZoomMin + 0.01f}) {
        PlaceButton(button, zoom, 1200, 395, static_cast<int32_t>(7000 / zoom), 3100, 0);
        EXPECT_GT(button->width(), QFontMetrics(button->font()).horizontalAdvance(button->text())) << zoom;
        EXPECT_LE(button->geometry().right(), holder->width() - 1) << zoom;
    }
}

TEST_F(PlacementTest, LeftLabelStartsAtItsScaledPosition) {
    PlaceLabelLeft(label, 3200, 650, 1.5f, QStringLiteral("Ipeak Primary : 1.2A"));
    EXPECT_EQ(label->pos(), Pixels({4800, 975, 0, 0}).topLeft());
}

TEST_P(LabelVisibilityTest, LabelsShowOnlyAboveLabelZoomMin) {
    const VisibilityCase c = GetParam();
    OperatingPoint.SecondaryRegulation = true;
    switch (c.routine) {
    case Routine::Centred: PlaceLabel(label, 100, 100, c.zoom, "R1"); break;
    case Routine::Left: PlaceLabelLeft(label, 100, 100, c.zoom, "R1"); break;
    case Routine::Regulation: PlaceRegulationLabel(label, 100, 100, c.zoom, "R1"); break;
    }
    EXPECT_EQ(label->isVisibleTo(holder.get()), c.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Zooms, LabelVisibilityTest,
    ::testing::Values(VisibilityCase{Routine::Centred, 0.5f, false}, VisibilityCase{Routine::Centred, 0.75f, false},
                      VisibilityCase{Routine::Centred, 0.7500001f, true}, VisibilityCase{Routine::Centred, 1.0f, true},
                      VisibilityCase{Routine::Left, 0.75f, false}, VisibilityCase{Routine::Left, 0.76f, true},
                      VisibilityCase{Routine::Regulation, 0.75f, false},
                      VisibilityCase{Routine::Regulation, 0.76f, true},
                      VisibilityCase{Routine::Centred, std::numeric_limits<float>::quiet_NaN(), false}));

TEST_F(PlacementTest, RegulationLabelsHideUnderPrimaryRegulationAtAnyZoom) {
    OperatingPoint.SecondaryRegulation = false;
    label->show();
    PlaceRegulationLabel(label, 100, 100, 3.0f, "Opto1");
    EXPECT_FALSE(label->isVisibleTo(holder.get()));
}

TEST_F(PlacementTest, WarningTagStylesEachRoutineItsOwnWay) {
    SetLabelTag(label, QStringLiteral("Warning"));
    Settings.TrainingMode = 1;
    PlaceLabel(label, 100, 100, 1.0f, "R12");
    EXPECT_EQ(platform::ForeColor(label), 0x0000FFu);  // red, also in training mode
    EXPECT_EQ(platform::BackColor(label), 0xFFC0C0u);
    EXPECT_FALSE(label->autoFillBackground());

    PlaceLabelLeft(label, 100, 100, 1.0f, "Output : 1W");
    EXPECT_EQ(platform::ForeColor(label), 0xFF0000u);  // the training colour stays
    EXPECT_EQ(platform::BackColor(label), 0x8080FFu);
    EXPECT_TRUE(label->autoFillBackground());

    OperatingPoint.SecondaryRegulation = true;
    PlaceRegulationLabel(label, 100, 100, 1.0f, "R6");
    EXPECT_EQ(platform::ForeColor(label), 0xFF0000u);  // the regulation network ignores the tag

    SetLabelTag(label, QString());
    PlaceLabelLeft(label, 100, 100, 1.0f, "Output : 1W");
    EXPECT_EQ(platform::BackColor(label), 0xFFFFFFu);
    EXPECT_FALSE(label->autoFillBackground());
}

TEST_F(PlacementTest, TrainingModeTurnsNormalLabelsBlue) {
    for (int16_t mode : {int16_t{0}, int16_t{1}}) {
        Settings.TrainingMode = mode;
        const uint32_t expected = mode == 1 ? 0xFF0000u : uint32_t{platform::ButtonText};
        PlaceLabel(label, 100, 100, 1.0f, "C1");
        EXPECT_EQ(platform::ForeColor(label), expected);
        PlaceLabelLeft(label, 100, 100, 1.0f, "C1");
        EXPECT_EQ(platform::ForeColor(label), expected);
        PlaceRegulationLabel(label, 100, 100, 1.0f, "C1");
        EXPECT_EQ(platform::ForeColor(label), expected);
    }
}

TEST_P(ButtonZoomTest, ButtonsShrinkBelowLabelZoomMinAndHideAtButtonZoomMin) {
    const ButtonCase c = GetParam();
    PlaceButton(button, c.zoom, 1000, 395, 1000, 3500, 100);
    EXPECT_EQ(button->isVisibleTo(holder.get()), c.visible);
    EXPECT_EQ(button->font().pointSize(), c.fullSize ? 8 : 6);
    EXPECT_EQ(button->font().bold(), c.fullSize);
    // Full size 1000 x 395, else 800 x 237; centred on the scaled point, 100 twips lower.
    const int32_t w = c.fullSize ? 1000 : 800;
    const int32_t h = c.fullSize ? 395 : 237;
    if (std::isnan(c.zoom)) return;
    const auto left = static_cast<int32_t>(std::nearbyint(1000 * c.zoom - w / 2.0f));
    const auto top = static_cast<int32_t>(std::nearbyint(3500 * c.zoom - h / 2.0f + 100));
    EXPECT_EQ(button->geometry(), Pixels({left, top, w, h}));
}

INSTANTIATE_TEST_SUITE_P(Zooms, ButtonZoomTest,
                         ::testing::Values(ButtonCase{0.3f, false, false}, ButtonCase{0.4f, false, false},
                                           ButtonCase{0.41f, true, false}, ButtonCase{0.74f, true, false},
                                           ButtonCase{0.75f, true, true}, ButtonCase{1.25f, true, true},
                                           ButtonCase{std::numeric_limits<float>::quiet_NaN(), false, false}));

TEST_F(PlacementTest, PlaceControlScalesOnlyTheSize) {
    PlaceControl(label, 390, 15, 7500, 6300, 0.5f);
    EXPECT_EQ(label->geometry(), Pixels({15, 390, 3750, 3150}));
}
