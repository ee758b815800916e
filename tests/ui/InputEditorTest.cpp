// The input editor driven as a user does: presets, slider moves with the range gaps, typed
// values with their "Range Error" messages, the AC/DC choice and leaving a bad box for Cancel.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "EditorCalls.h"
#include "EditorDriving.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "Variables.h"
#include "fmInput.h"

using namespace zorvic;
using namespace driving;

namespace {

class InputEditorTest : public ::testing::Test {
protected:
    void SetUp() override { Open('.'); }
    void TearDown() override { SetLocaleDecimalSeparator('.'); }
    void Open(char separator) {
        ResetDesignState();
        SetLocaleDecimalSeparator(separator);
        ApplyDesignDefaults();
        platform::MessageScript::Clear();
    }
    void Show() {
        LoadInputEditor(editor);
        editor.show();
        QApplication::setActiveWindow(&editor);
    }
    static QString LastMessage() {
        const auto& shown = platform::MessageScript::Shown();
        return shown.empty() ? QString() : shown.back().title + ": " + shown.back().text;
    }
    fmInput editor;
};

using Option = QRadioButton* fmInput::*;
using Box = QLineEdit* fmInput::*;
using Bar = platform::Slider* fmInput::*;
using Field = float InputFields::*;

struct PresetCase {
    Option option;
    float vmin, vmax;
    int16_t freq;
    Option checked;
};

class InputPresetTest : public InputEditorTest, public ::testing::WithParamInterface<PresetCase> {};

struct MoveCase {
    const char* name;
    bool dc;
    float vacMin, vacMax;
    Bar slider;
    int position;
    Field field, partner;
    float value, partnerValue;
    Bar partnerSlider;
    int partnerPosition;
};

class InputSliderTest : public InputEditorTest, public ::testing::WithParamInterface<MoveCase> {};

struct TypedCase {
    const char* name;
    bool dc;
    float vacMax;
    Box box;
    const char* typed;
    Field field;
    float value;
    const char* shown;
    const char* message;
};

class InputTypingTest : public InputEditorTest, public ::testing::WithParamInterface<std::tuple<char, TypedCase>> {};

}  // namespace

TEST_F(InputEditorTest, OpensOnTheDefaultMainsInputWithNoPresetChecked) {
    Show();
    EXPECT_EQ(editor.windowTitle(), "Input Parameters");
    EXPECT_TRUE(editor.fmACRange->isVisible());
    EXPECT_FALSE(editor.fmDCRange->isVisible());
    EXPECT_EQ(editor.txtMaxVoltage->text() + editor.txtMinVoltage->text() + editor.txtRipVoltage->text(), "2648840");
    EXPECT_EQ(editor.sldMaxVoltage->value(), 13);  // 264 V sits at 13.4
    EXPECT_EQ(editor.sldMinVoltage->value(), 1);   // 88 V at 0.6
    EXPECT_TRUE(editor.opt50Hz->isChecked());
    EXPECT_FALSE(editor.optFullRange->isChecked() || editor.optEurStd->isChecked() || editor.optUSstd->isChecked());
}

TEST_P(InputPresetTest, APresetSetsItsValuesAndIsChecked) {
    const PresetCase& c = GetParam();
    Show();
    Click(editor.*c.option);
    EXPECT_FLOAT_EQ(editor.Vmin, c.vmin);
    EXPECT_FLOAT_EQ(editor.Vmax, c.vmax);
    EXPECT_EQ(editor.Freq, c.freq);
    EXPECT_FLOAT_EQ(editor.Ripple, 40.0f);
    for (Option o : {&fmInput::optFullRange, &fmInput::optEurStd, &fmInput::optUSstd})
        EXPECT_EQ((editor.*o)->isChecked(), o == c.checked);
    EXPECT_EQ(editor.opt60Hz->isChecked(), c.freq == 60);
}

INSTANTIATE_TEST_SUITE_P(Presets, InputPresetTest,
                         ::testing::Values(PresetCase{&fmInput::optEurStd, 176, 264, 50, &fmInput::optEurStd},
                                           PresetCase{&fmInput::optUSstd, 88, 132, 60, &fmInput::optUSstd},
                                           PresetCase{&fmInput::optFullRange, 88, 264, 60, &fmInput::optFullRange},
                                           // The default 88 to 264 V at 60 Hz is the full range.
                                           PresetCase{&fmInput::opt60Hz, 88, 264, 60, &fmInput::optFullRange}));

TEST_P(InputSliderTest, TheMovedEndStaysAndTheOtherKeepsTheGap) {
    const MoveCase& c = GetParam();
    Settings.ACInput = !c.dc;
    InputStage.VacMin = c.vacMin;
    InputStage.VacMax = c.vacMax;
    Show();
    Drag(editor.*c.slider, c.position);
    EXPECT_FLOAT_EQ(editor.*c.field, c.value);
    EXPECT_FLOAT_EQ(editor.*c.partner, c.partnerValue);
    EXPECT_EQ((editor.*c.partnerSlider)->value(), c.partnerPosition);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, InputSliderTest,
    ::testing::Values(
        MoveCase{"MaxTo130", false, 120, 264, &fmInput::sldMaxVoltage, 0, &InputFields::Vmax, &InputFields::Vmin, 130, 100, &fmInput::sldMinVoltage, 3},
        MoveCase{"MinTo195", false, 88, 200, &fmInput::sldMinVoltage, 22, &InputFields::Vmin, &InputFields::Vmax, 195, 225, &fmInput::sldMaxVoltage, 10},
        MoveCase{"MinWithRoom", false, 88, 264, &fmInput::sldMinVoltage, 4, &InputFields::Vmin, &InputFields::Vmax, 105, 264, &fmInput::sldMaxVoltage, 13},
        MoveCase{"RippleAlone", false, 88, 264, &fmInput::sldRipVoltage, 2, &InputFields::Ripple, &InputFields::Vmin, 20, 88, &fmInput::sldMinVoltage, 1},
        // The slider reaches 550 V, which the box would refuse.
        MoveCase{"DcMaxToTheEnd", true, 88, 264, &fmInput::sldMaxDCVoltage, 50, &InputFields::VmaxDC, &InputFields::VminDC, 550, 36, &fmInput::sldMinDCVoltage, 0},
        MoveCase{"DcMinTo75", true, 88, 264, &fmInput::sldMinDCVoltage, 4, &InputFields::VminDC, &InputFields::VmaxDC, 75, 90, &fmInput::sldMaxDCVoltage, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(InputTypingTest, ATypedValueIsStoredOrRefusedWithItsRange) {
    const auto& [separator, c] = GetParam();
    Open(separator);
    Settings.ACInput = !c.dc;
    InputStage.VacMax = c.vacMax;
    Show();
    QString typed = c.typed;
    TypeAndLeave(editor.*c.box, typed.replace('.', separator));
    EXPECT_FLOAT_EQ(editor.*c.field, c.value);
    EXPECT_EQ((editor.*c.box)->text(), QString(c.shown).replace('.', separator));
    EXPECT_EQ(LastMessage(), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, InputTypingTest,
    ::testing::Combine(
        ::testing::Values('.', ','),
        ::testing::Values(
            // Between slider steps a value stays as typed.
            TypedCase{"Max265", false, 264, &fmInput::txtMaxVoltage, "265", &InputFields::Vmax, 265, "265", ""},
            TypedCase{"MinHalf", false, 264, &fmInput::txtMinVoltage, "100.5", &InputFields::Vmin, 100.5f, "100.5", ""},
            TypedCase{"MinPushesMax", false, 200, &fmInput::txtMinVoltage, "195", &InputFields::Vmax, 225, "195", ""},
            TypedCase{"RippleTooLow", false, 264, &fmInput::txtRipVoltage, "5", &InputFields::Ripple, 40, "40", "Range Error: 5 Vpp < 10 Vpp"},
            TypedCase{"DcMaxTooHigh", true, 264, &fmInput::txtMaxDCVoltage, "500", &InputFields::VmaxDC, 72, "72", "Range Error: 500 VDC > 400 VDC"},
            TypedCase{"NotANumber", false, 264, &fmInput::txtMaxVoltage, "2.6.4", &InputFields::Vmax, 264, "264", ""})),
    [](const auto& info) {
        return std::string(std::get<1>(info.param).name) + (std::get<0>(info.param) == '.' ? "Point" : "Comma");
    });

TEST_F(InputEditorTest, LeavingABadBoxForCancelClosesWithoutAMessage) {
    Show();
    editor.txtMaxVoltage->setFocus();
    editor.txtMaxVoltage->selectAll();
    QTest::keyClicks(editor.txtMaxVoltage, "500");
    Click(editor.cmdCancel);
    EXPECT_TRUE(platform::MessageScript::Shown().empty());
    EXPECT_FALSE(editor.isVisible());
    EXPECT_FALSE(editor.Done);
    EXPECT_FLOAT_EQ(editor.Vmax, 264.0f);
}

TEST_F(InputEditorTest, DcInputIsWrittenAtOnceAndTheTelecomPresetFollowsTheValues) {
    Show();
    Click(editor.cmdDCInput);
    EXPECT_FALSE(Settings.ACInput);
    EXPECT_FALSE(Settings.DesignSaved);
    EXPECT_FLOAT_EQ(InputStage.VdcMin, 36.0f);
    EXPECT_TRUE(editor.fmDCRange->isVisible());
    EXPECT_FALSE(editor.fmACRange->isVisible());
    EXPECT_TRUE(editor.OptTelecomStd->isChecked());
    TypeAndLeave(editor.txtMinDCVoltage, "37");
    EXPECT_FALSE(editor.OptTelecomStd->isChecked());
    Click(editor.OptTelecomStd);
    EXPECT_FLOAT_EQ(editor.VminDC, 36.0f);
    EXPECT_TRUE(editor.OptTelecomStd->isChecked());
}
