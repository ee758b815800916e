// The input editor driven as a user does: presets, slider moves with the range gaps, typed
// values with their "Range Error" messages, the AC/DC choice and leaving a bad box for Cancel.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "EditorCalls.h"
#include "EditorDriving.h"
#include "fmInput.h"

using namespace zorvic;
using namespace driving;

namespace {

using InputEditorTest = EditorTest<fmInput, LoadInputEditor>;
using Option = QRadioButton* fmInput::*;
using Field = float InputFields::*;

struct PresetCase { Option option; float vmin, vmax; int16_t freq; Option checked; };
using Bar = platform::Slider* fmInput::*;
struct MoveCase { bool dc; float vacMax; Bar slider; int position; Field field, partner; float value, partnerValue;
                  Bar partnerSlider; int partnerPosition; };
struct TypedCase { const char* name; bool dc; float vacMax; QLineEdit* fmInput::*box; const char* typed; Field field;
                   float value; const char* shown; const char* message; };

class InputPresetTest : public InputEditorTest, public ::testing::WithParamInterface<PresetCase> {};
class InputSliderTest : public InputEditorTest, public ::testing::WithParamInterface<MoveCase> {};
class InputTypingTest : public InputEditorTest, public ::testing::WithParamInterface<std::tuple<char, TypedCase>> {};

}  // namespace

TEST_F(InputEditorTest, OpensOnTheDefaultMainsInputWithNoPresetChecked) {
    Show();
    EXPECT_EQ(editor.windowTitle(), "Input Parameters");
    EXPECT_TRUE(editor.fmACRange->isVisible() && !editor.fmDCRange->isVisible());
    EXPECT_EQ(editor.txtMaxVoltage->text() + editor.txtMinVoltage->text() + editor.txtRipVoltage->text(), "2648840");
    EXPECT_EQ(editor.sldMaxVoltage->value() * 100 + editor.sldMinVoltage->value(), 1301);  // 13.4 and 0.6
    EXPECT_TRUE(editor.opt50Hz->isChecked());
    EXPECT_FALSE(editor.optFullRange->isChecked() || editor.optEurStd->isChecked() || editor.optUSstd->isChecked());
}

TEST_P(InputPresetTest, APresetSetsItsValuesAndIsChecked) {
    const PresetCase& c = GetParam();
    Show();
    Click(editor.*c.option);
    EXPECT_EQ(std::tuple(editor.Vmin, editor.Vmax, editor.Freq, editor.Ripple), std::tuple(c.vmin, c.vmax, c.freq, 40.0f));
    for (Option o : {&fmInput::optFullRange, &fmInput::optEurStd, &fmInput::optUSstd})
        EXPECT_EQ((editor.*o)->isChecked(), o == c.checked);
    EXPECT_EQ(editor.opt60Hz->isChecked(), c.freq == 60);
}

// The default 88 to 264 V switched to 60 Hz is the full range.
INSTANTIATE_TEST_SUITE_P(Presets, InputPresetTest,
                         ::testing::Values(PresetCase{&fmInput::optEurStd, 176, 264, 50, &fmInput::optEurStd},
                                           PresetCase{&fmInput::optUSstd, 88, 132, 60, &fmInput::optUSstd},
                                           PresetCase{&fmInput::optFullRange, 88, 264, 60, &fmInput::optFullRange},
                                           PresetCase{&fmInput::opt60Hz, 88, 264, 60, &fmInput::optFullRange}));

TEST_P(InputSliderTest, TheMovedEndStaysAndTheOtherKeepsTheGap) {
    const MoveCase& c = GetParam();
    Settings.ACInput = !c.dc;
    InputStage.VacMin = 120;
    InputStage.VacMax = c.vacMax;
    Show();
    Drag(editor.*c.slider, c.position);
    EXPECT_FLOAT_EQ(editor.*c.field, c.value);
    EXPECT_FLOAT_EQ(editor.*c.partner, c.partnerValue);
    EXPECT_EQ((editor.*c.partnerSlider)->value(), c.partnerPosition);
}

// The DC maximum's slider reaches 550 V, which its box would refuse.
INSTANTIATE_TEST_SUITE_P(Moves, InputSliderTest, ::testing::Values(
    MoveCase{false, 264, &fmInput::sldMaxVoltage, 0, &InputFields::Vmax, &InputFields::Vmin, 130, 100, &fmInput::sldMinVoltage, 3},
    MoveCase{false, 200, &fmInput::sldMinVoltage, 22, &InputFields::Vmin, &InputFields::Vmax, 195, 225, &fmInput::sldMaxVoltage, 10},
    MoveCase{false, 264, &fmInput::sldRipVoltage, 2, &InputFields::Ripple, &InputFields::Vmin, 20, 120, &fmInput::sldMinVoltage, 7},
    MoveCase{true, 264, &fmInput::sldMaxDCVoltage, 50, &InputFields::VmaxDC, &InputFields::VminDC, 550, 36, &fmInput::sldMinDCVoltage, 0},
    MoveCase{true, 264, &fmInput::sldMinDCVoltage, 4, &InputFields::VminDC, &InputFields::VmaxDC, 75, 90, &fmInput::sldMaxDCVoltage, 4}));

TEST_P(InputTypingTest, ATypedValueIsStoredOrRefusedWithItsRange) {
    const auto& [separator, c] = GetParam();
    Open(separator);
    Settings.ACInput = !c.dc;
    InputStage.VacMax = c.vacMax;
    Show();
    TypeAndLeave(editor.*c.box, QString(c.typed).replace('.', separator));
    EXPECT_FLOAT_EQ(editor.*c.field, c.value);
    EXPECT_EQ((editor.*c.box)->text(), QString(c.shown).replace('.', separator));
    EXPECT_EQ(LastMessage(), c.message);
}

// Between slider steps a value stays as typed; a text that is no number is refused silently.
INSTANTIATE_TEST_SUITE_P(Entries, InputTypingTest, ::testing::Combine(::testing::Values('.', ','), ::testing::Values(
    TypedCase{"Max265", false, 264, &fmInput::txtMaxVoltage, "265", &InputFields::Vmax, 265, "265", ""},
    TypedCase{"MinHalf", false, 264, &fmInput::txtMinVoltage, "100.5", &InputFields::Vmin, 100.5f, "100.5", ""},
    TypedCase{"MinPushesMax", false, 200, &fmInput::txtMinVoltage, "195", &InputFields::Vmax, 225, "195", ""},
    TypedCase{"RippleTooLow", false, 264, &fmInput::txtRipVoltage, "5", &InputFields::Ripple, 40, "40", "Range Error: 5 Vpp < 10 Vpp"},
    TypedCase{"DcMaxTooHigh", true, 264, &fmInput::txtMaxDCVoltage, "500", &InputFields::VmaxDC, 72, "72", "Range Error: 500 VDC > 400 VDC"},
    TypedCase{"NotANumber", false, 264, &fmInput::txtMaxVoltage, "2.6.4", &InputFields::Vmax, 264, "264", ""})),
    [](const auto& info) { return std::get<1>(info.param).name + std::string(std::get<0>(info.param) == '.' ? "Point" : "Comma"); });

TEST_F(InputEditorTest, LeavingABadBoxForCancelClosesWithoutAMessage) {
    Show();
    TypeAndLeave(editor.txtMaxVoltage, "500", editor.cmdCancel);
    EXPECT_TRUE(platform::MessageScript::Shown().empty());
    EXPECT_FALSE(editor.isVisible() || editor.Done);
    EXPECT_FLOAT_EQ(editor.Vmax, 264.0f);
}

TEST_F(InputEditorTest, DcInputIsWrittenAtOnceAndTheTelecomPresetFollowsTheValues) {
    Show();
    Click(editor.cmdDCInput);
    EXPECT_FALSE(Settings.ACInput || Settings.DesignSaved);
    EXPECT_FLOAT_EQ(InputStage.VdcMin, 36.0f);
    EXPECT_TRUE(editor.fmDCRange->isVisible() && !editor.fmACRange->isVisible());
    EXPECT_TRUE(editor.OptTelecomStd->isChecked());
    TypeAndLeave(editor.txtMinDCVoltage, "37");
    EXPECT_FALSE(editor.OptTelecomStd->isChecked());
    Click(editor.OptTelecomStd);
    EXPECT_FLOAT_EQ(editor.VminDC, 36.0f);
    EXPECT_TRUE(editor.OptTelecomStd->isChecked());
}
