// The chip editor driven as a user does: the chip and package lists with their frequency limits
// and disabled controls, the ratings, slider moves, typed values with their "Range Error"
// messages, a refused entry holding back Done, leaving a bad box for Cancel, and the loss bar.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "ChipLossBar.h"
#include "EditorCalls.h"
#include "EditorDriving.h"
#include "fmZorvic.h"

using namespace zorvic;
using namespace driving;

namespace {

// Secondary regulation, so that the regulation frame takes input.
class ChipEditorTest : public EditorTest<fmZorvic, LoadChipEditor> {
protected:
    void Open(char separator) override {
        EditorTest::Open(separator);
        OperatingPoint.SecondaryRegulation = true;
    }
};

using Box = QLineEdit* fmZorvic::*;
using Field = float ChipFields::*;

// The frequency slider is dragged to `dragTo` before the chip is picked.
struct ChoiceCase { const char* name; int dragTo, entry; const char* frequency; bool fixed; const char* maxLabel;
                    int lastPosition; const char* package; const char* rth; };
struct MoveCase { platform::Slider* fmZorvic::*slider; int position; Box box; const char* shown; Field field; float value; };
struct TypedCase { const char* name; Box box; const char* typed; Field field; float value; const char* shown;
                   const char* message; };

class ChipChoiceUiTest : public ChipEditorTest, public ::testing::WithParamInterface<ChoiceCase> {};
class ChipSliderTest : public ChipEditorTest, public ::testing::WithParamInterface<MoveCase> {};
class ChipTypingTest : public ChipEditorTest, public ::testing::WithParamInterface<std::tuple<char, TypedCase>> {};

}  // namespace

TEST_F(ChipEditorTest, OpensOnTheDesignsChipWithItsRatings) {
    Show();
    EXPECT_EQ(editor.windowTitle(), "Zorvic and Regulation Parameters");
    EXPECT_EQ(editor.lstZorvic->count(), 12);
    EXPECT_EQ(editor.lstZorvic->currentText() + "|" + editor.lstPackage->currentText(), "ZorvicF1|HTP10");
    EXPECT_EQ(editor.lstPackage->itemText(0) + "," + editor.lstPackage->itemText(1), "HTP10,DIP8");
    EXPECT_EQ(editor.lblVdmax->text() + "|" + editor.lblIdlim->text() + "|" + editor.lblRdson->text(),
              "Vdmax :  650 V|Idlim : 2.0 A|Rdson :  .85 Ohm");
    EXPECT_EQ(editor.lblMaxFreq->text() + "|" + editor.txtSwitchFreq->text(), " 300KHz|100");
    EXPECT_EQ(std::vector<int>({editor.sldSwitchFreq->value(), editor.sldGainOpto->value(), editor.sldSoftStart->value()}),
              std::vector<int>({9, 8, 10}));
    EXPECT_TRUE(editor.fmReg->isEnabled());

    OperatingPoint.SecondaryRegulation = false;
    Pick(editor.lstPackage, 1);
    EXPECT_FLOAT_EQ(editor.RthJP, 15.0f);
    EXPECT_EQ(editor.PackageIndex, 1);
    EXPECT_FALSE(editor.fmReg->isEnabled() || editor.txtGainOpto->isEnabled());
}

TEST_P(ChipChoiceUiTest, AChipBringsItsLimitsPackageAndControls) {
    const ChoiceCase& c = GetParam();
    Show();
    Drag(editor.sldSwitchFreq, c.dragTo);
    Pick(editor.lstZorvic, c.entry);
    EXPECT_EQ(editor.lstZorvic->currentText(), c.name);
    EXPECT_EQ(editor.txtSwitchFreq->text(), c.frequency);
    for (QWidget* control : {static_cast<QWidget*>(editor.sldSwitchFreq), static_cast<QWidget*>(editor.lblSwitch),
                             static_cast<QWidget*>(editor.txtSoftStart)})
        EXPECT_EQ(control->isEnabled(), !c.fixed) << control->objectName().toStdString();
    EXPECT_EQ(editor.txtSwitchFreq->isReadOnly(), c.fixed);
    EXPECT_EQ(editor.lblMaxFreq->text(), c.maxLabel);
    EXPECT_EQ(editor.sldSwitchFreq->maximum(), c.lastPosition);
    EXPECT_EQ(editor.lstPackage->currentText() + "|" + editor.txtRtj_p->text(), QString(c.package) + "|" + c.rth);
}

// ZorvicE1 runs at a fixed 60 kHz and keeps the slider's end; ZorvicA1 stops at 200 kHz.
INSTANTIATE_TEST_SUITE_P(Chips, ChipChoiceUiTest,
                         ::testing::Values(ChoiceCase{"ZorvicE1", 9, 9, "60", true, " 300KHz", 29, "SO8", "25.0"},
                                           ChoiceCase{"ZorvicA1", 24, 0, "200", false, " 200KHz", 19, "DIP8", "15.0"},
                                           ChoiceCase{"ZorvicF1", 24, 11, "250", false, " 300KHz", 29, "DIP8", "15.0"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(ChipSliderTest, AMoveStoresItsValueAndShowsIt) {
    const MoveCase& c = GetParam();
    Show();
    Drag(editor.*c.slider, c.position);
    EXPECT_EQ((editor.*c.box)->text(), c.shown);
    EXPECT_FLOAT_EQ(editor.*c.field, c.value);
}

INSTANTIATE_TEST_SUITE_P(Moves, ChipSliderTest, ::testing::Values(
    MoveCase{&fmZorvic::sldReflectVoltage, 20, &fmZorvic::txtReflectVolt, "150", &ChipFields::VR, 150},
    MoveCase{&fmZorvic::sldSwitchFreq, 12, &fmZorvic::txtSwitchFreq, "130", &ChipFields::Fsw, 130},
    MoveCase{&fmZorvic::sldGainOpto, 3, &fmZorvic::txtGainOpto, "0.5", &ChipFields::OptoGain, 0.5f},
    MoveCase{&fmZorvic::sldSoftStart, 7, &fmZorvic::txtSoftStart, "7", &ChipFields::SoftStart, 0.007f}));

TEST_P(ChipTypingTest, ATypedValueIsStoredOrRefusedWithItsRange) {
    const auto& [separator, c] = GetParam();
    Open(separator);
    Show();
    TypeAndLeave(editor.*c.box, QString(c.typed).replace('.', separator));
    EXPECT_FLOAT_EQ(editor.*c.field, c.value);
    EXPECT_EQ((editor.*c.box)->text(), QString(c.shown).replace('.', separator));
    EXPECT_EQ(LastMessage(), QString(c.message).replace('.', separator));
}

// The soft-start box is typed, checked and restored in milliseconds; the ambient box takes a
// minus sign.
INSTANTIATE_TEST_SUITE_P(Entries, ChipTypingTest, ::testing::Combine(::testing::Values('.', ','), ::testing::Values(
    TypedCase{"Frequency", &fmZorvic::txtSwitchFreq, "132.5", &ChipFields::Fsw, 132.5f, "133", ""},
    TypedCase{"FrequencyTooHigh", &fmZorvic::txtSwitchFreq, "250", &ChipFields::Fsw, 100, "100", "Range Error: 250 kHz > 200 kHz"},
    TypedCase{"JunctionPinTooHigh", &fmZorvic::txtRtj_p, "250", &ChipFields::RthJP, 2, "2", "Range Error: 250 °C/W > 200 °C/W"},
    TypedCase{"SoftStartInMs", &fmZorvic::txtSoftStart, "15", &ChipFields::SoftStart, 0.015f, "15", ""},
    TypedCase{"SoftStartTooShort", &fmZorvic::txtSoftStart, "3", &ChipFields::SoftStart, 0.01f, "10", "Range Error: 3 ms < 5 ms"},
    TypedCase{"FrostyAmbient", &fmZorvic::txtTemp_Amb, "-25", &ChipFields::Tamb, -25, "-25", ""},
    TypedCase{"AmbientTooCold", &fmZorvic::txtTemp_Amb, "-50", &ChipFields::Tamb, 25, "25", "Range Error: -50 °C < -40 °C"},
    TypedCase{"GainTooHigh", &fmZorvic::txtGainOpto, "2.5", &ChipFields::OptoGain, 1, "1.0", "Range Error: 2.5  > 2.0 "})),
    [](const auto& info) { return std::get<1>(info.param).name + std::string(std::get<0>(info.param) == '.' ? "Point" : "Comma"); });

TEST_F(ChipEditorTest, ARefusedEntryKeepsTheDialogOpenAndCancelNeedsNoCheck) {
    Show();
    TypeAndLeave(editor.txtSwitchFreq, "250", editor.cmdDone);
    EXPECT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_FALSE(editor.Done);
    TypeAndLeave(editor.txtRtj_p, "250", editor.cmdCancel);
    EXPECT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_FALSE(editor.isVisible() || editor.Done);
}

TEST_F(ChipEditorTest, NoComputedLossDrawsNoBar) {
    OperatingPoint.ChipLoss = 0;
    CurrentChip.LossBias = 0.1f;
    Show();
    for (QWidget* bar : {editor.picBiasLosses, editor.picConductLosses, editor.picSwitchLosses})
        EXPECT_FALSE(bar->isVisible());
}

TEST(LossBarTest, BarsShareTheWidthFromTheLeftWithoutGaps) {
    // Edges at 93.75, 281.25 and 300 pixels.
    const auto bars = ChipLossBar(0.5f, 1, 0.1f, 1.6f).Segments(300);
    EXPECT_EQ(std::vector<int>({bars[0].Left, bars[0].Width, bars[1].Left, bars[1].Width, bars[2].Left, bars[2].Width}),
              std::vector<int>({0, 94, 94, 187, 281, 19}));
}
