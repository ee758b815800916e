// The output editor driven as a user does, over the main window: each type code from the
// choices, typed values with their limits and the mA/A switch, Delete with the later outputs
// moving down, Apply then OK, adding outputs up to six, and the secondary-regulation refusals.

#include <algorithm>
#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>

#include "CommandFixture.h"
#include "DesignCommands.h"
#include "EditorCalls.h"
#include "EditorDriving.h"
#include "SvgPicture.h"
#include "fmOutput.h"
#include "fmTransfo.h"

using namespace zorvic;

namespace {

class OutputEditorTest : public CommandFixture {
protected:
    // The editor goes before the main window that owns it.
    void TearDown() override {
        editor.reset();
        CommandFixture::TearDown();
    }
    // Outputs 0, 1, ... of these types, 0.5 A each; under secondary regulation the flagged ones
    // carry the loop.
    void Design(const std::vector<int16_t>& types, const std::vector<bool>& regulated = {}, bool secondary = false) {
        for (std::size_t i = 0; i < types.size(); ++i) {
            Outputs[i].OutputType = types[i];
            Outputs[i].Current = 0.5f;
            Outputs[i].Regulated = i < regulated.size() && regulated[i];
        }
        Settings.AdditionalOutputs = static_cast<int16_t>(types.size() - 1);
        OperatingPoint.SecondaryRegulation = secondary;
        OperatingPoint.RegulatedOutputCount =
            static_cast<int16_t>(std::count(regulated.begin(), regulated.end(), true));
        page->RegulationType->setCurrentIndex(secondary ? MainPage::SecondaryEntry : MainPage::PrimaryEntry);
        page->UpdateInstance();
        Settings.DesignSaved = true;
        platform::MessageScript::Clear();
    }
    // The editor on output `index`, shown modeless over the main window.
    fmOutput& Open(int16_t index) {
        LoadOutputWork(index);
        editor = std::make_unique<fmOutput>(page.get());
        LoadOutputEditor(*editor, index);
        editor->show();
        QApplication::setActiveWindow(editor.get());
        return *editor;
    }
    // Opens the editor from `button` of the main window and acts in it as the modal dialog.
    static void InModal(QAbstractButton* button, std::function<void(fmOutput*)> act) {
        driving::WhenModal<fmOutput>(std::move(act));
        Click(button);
    }
    std::unique_ptr<fmOutput> editor;
};

using Option = QRadioButton* fmOutput::*;
struct CodeCase { int16_t index; bool secondary; Option kind; bool negative; int dropout; int16_t code; const char* family; };
class OutputCodeUiTest : public OutputEditorTest, public ::testing::WithParamInterface<CodeCase> {};

struct TypedCase {
    const char* name; int16_t index; bool secondary; float mainVoltage, current, minimum;
    QLineEdit* fmOutput::*box; const char* typed; float OutputRecord::*field; float value; const char* shown;
    QLabel* fmOutput::*unitLabel; const char* unit; const char* message;
};
void PrintTo(const TypedCase& c, std::ostream* os) { *os << c.name; }
class OutputTypingTest : public OutputEditorTest, public ::testing::WithParamInterface<TypedCase> {};

struct LastCase { const char* name; int16_t third; bool secondaryAfter; int16_t mainAfter; const char* message; };
void PrintTo(const LastCase& c, std::ostream* os) { *os << c.name; }
class LastRegulatedUiTest : public OutputEditorTest, public ::testing::WithParamInterface<LastCase> {};

}  // namespace

TEST_P(OutputCodeUiTest, ChoicesReachTheTypeCode) {
    const CodeCase& c = GetParam();
    // Output 1 carries the loop; the main output and output 2 are free to change.
    Design({static_cast<int16_t>(c.secondary ? 12 : 11), 5, 7}, {false, c.secondary}, c.secondary);
    fmOutput& e = Open(c.index);
    driving::Click(e.*c.kind);
    driving::Click(c.negative ? e.optNegative : e.optPositive);
    if (c.dropout) driving::Click(e.optDropout[static_cast<std::size_t>(c.dropout)]);
    driving::Click(e.cmdApply);
    EXPECT_EQ(Outputs[static_cast<std::size_t>(c.index)].OutputType, c.code);
    EXPECT_EQ(Outputs[static_cast<std::size_t>(c.index)].Regulator.Family, c.family);
    EXPECT_FALSE(Settings.DesignSaved);
}

INSTANTIATE_TEST_SUITE_P(Codes, OutputCodeUiTest, ::testing::Values(
    CodeCase{2, false, &fmOutput::optZener, false, 0, 1, "StdPos"}, CodeCase{2, false, &fmOutput::optZener, true, 0, 2, "StdNeg"},
    CodeCase{2, true, &fmOutput::optVreg, false, 1, 3, "SemiPos"}, CodeCase{2, false, &fmOutput::optVreg, true, 2, 4, "LowNeg"},
    CodeCase{2, true, &fmOutput::optSelf, false, 0, 5, "StdPos"}, CodeCase{2, false, &fmOutput::optSelf, true, 0, 6, "StdNeg"},
    CodeCase{2, false, &fmOutput::optDirect, false, 0, 7, "StdPos"}, CodeCase{2, true, &fmOutput::optDirect, true, 0, 8, "StdNeg"},
    CodeCase{0, false, &fmOutput::optSelf, false, 0, 9, "StdPos"}, CodeCase{0, true, &fmOutput::optSelf, false, 0, 10, "StdPos"},
    CodeCase{0, false, &fmOutput::optDirect, false, 0, 11, "StdPos"}, CodeCase{0, true, &fmOutput::optDirect, false, 0, 12, "StdPos"},
    CodeCase{0, false, &fmOutput::optVreg, false, 2, 13, "LowPos"}, CodeCase{0, true, &fmOutput::optVreg, false, 1, 14, "SemiPos"}));

TEST_P(OutputTypingTest, TypedValuesKeepTheirLimitsAndUnits) {
    const TypedCase& c = GetParam();
    Outputs[0].Voltage = c.mainVoltage;
    Outputs[1].MinimumCurrent = c.minimum;
    Design({static_cast<int16_t>(c.secondary ? 10 : 9), 5}, {c.secondary}, c.secondary);
    Outputs[1].Current = c.current;
    fmOutput& e = Open(c.index);
    driving::TypeAndLeave(e.*c.box, c.typed);
    EXPECT_FLOAT_EQ(OutputWork.*c.field, c.value);
    EXPECT_EQ((e.*c.box)->text(), c.shown);
    if (c.unitLabel) {
        EXPECT_EQ((e.*c.unitLabel)->text(), c.unit);
    }
    EXPECT_EQ(Messages(), c.message[0] ? std::vector<QString>{QString("Range Error: ") + c.message} : std::vector<QString>{});
}

using R = OutputRecord;
using O = fmOutput;
INSTANTIATE_TEST_SUITE_P(Boxes, OutputTypingTest, ::testing::Values(
    TypedCase{"MainVoltageNotBelowItsMinimum", 0, false, 5, 1, 0, &O::txtVoltage, "2", &R::Voltage, 5, "5.00", nullptr, "", "2.00V < 2.50V"},
    TypedCase{"MainVoltageWithinTheHigherReference", 0, true, 5, 1, 0, &O::txtVoltage, "45", &R::Voltage, 5, "5.00", nullptr, "", "45.00V > 40.00V"},
    TypedCase{"MainVoltageWithinTheLowerReference", 0, true, 3.3f, 1, 0, &O::txtVoltage, "13", &R::Voltage, 3.3f, "3.30", nullptr, "", "13.00V > 12.00V"},
    TypedCase{"OtherVoltageAccepted", 1, false, 5, 1, 0, &O::txtVoltage, "24", &R::Voltage, 24, "24.00", nullptr, "", ""},
    TypedCase{"MilliamperesStoredAsAmperes", 1, false, 5, 0.1f, 0, &O::txtCurrent, "150", &R::Current, 0.15f, "150", &O::lblAmp, "mA", ""},
    TypedCase{"MilliamperesSwitchToAmperes", 1, false, 5, 0.1f, 0, &O::txtCurrent, "250", &R::Current, 0.25f, "0.25", &O::lblAmp, "A", ""},
    TypedCase{"AmperesSwitchToMilliamperes", 1, false, 5, 1, 0, &O::txtCurrent, "0.15", &R::Current, 0.15f, "150", &O::lblAmp, "mA", ""},
    TypedCase{"CurrentNotBelowTheMinimum", 1, false, 5, 1, 0.5f, &O::txtCurrent, "0.3", &R::Current, 1, "1.00", &O::lblAmp, "A", "0.30A < 0.50A"},
    TypedCase{"MinimumNotAboveTheCurrent", 1, false, 5, 2, 0.5f, &O::txtCurrentMin, "3", &R::MinimumCurrent, 0.5f, "0.50", &O::lblAmp2, "A", "3.00A > 2.00A"},
    TypedCase{"MinimumInMilliamperes", 1, false, 5, 0.1f, 0, &O::txtCurrentMin, "150", &R::MinimumCurrent, 0, "0", &O::lblAmp2, "mA", "150mA > 100mA"},
    TypedCase{"FirstRippleNotBelowATenth", 1, false, 5, 1, 0, &O::txtRip1, "0.05", &R::RippleFirstCell, 0.3f, "0.30 ", nullptr, "", "0.05 Vpp < 0.10 Vpp"},
    TypedCase{"SecondRippleNotAboveTheFirst", 1, false, 5, 1, 0, &O::txtRip2, "0.5", &R::RippleSecondCell, 0.05f, "0.05 ", nullptr, "", "0.50 Vpp > 0.30 Vpp"},
    // A comma is the decimal point too; milliamperes are refused and shown in milliamperes.
    TypedCase{"VoltageWithADecimalComma", 1, false, 5, 1, 0, &O::txtVoltage, "5,5", &R::Voltage, 5.5f, "5.50", nullptr, "", ""},
    TypedCase{"AmperesWithADecimalComma", 1, false, 5, 1, 0, &O::txtCurrent, "0,15", &R::Current, 0.15f, "150", &O::lblAmp, "mA", ""},
    TypedCase{"MilliamperesRefusedInMilliamperes", 1, false, 5, 0.05f, 0, &O::txtCurrent, "40000", &R::Current, 0.05f, "50", &O::lblAmp, "mA", "40000mA > 30000mA"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OutputEditorTest, MainOutputOffersNoZenerNegativeOrDeleteAndAZenerOutputNoSecondCell) {
    Design({9, 5, 7, 1});
    fmOutput& main = Open(0);
    EXPECT_EQ(main.windowTitle(), "Parameters Main Output");
    EXPECT_EQ(main.txtVoltage->toolTip(), "2.5V - 150.0V Range");
    EXPECT_FALSE(main.optZener->isEnabled() || main.optNegative->isEnabled() || main.cmdOutputCancel->isEnabled());
    EXPECT_TRUE(main.optSelf->isChecked() && main.txtRip2->isEnabled());
    fmOutput& zener = Open(3);
    EXPECT_EQ(zener.windowTitle(), "Parameters Output 3");
    EXPECT_EQ(zener.txtVoltage->toolTip(), "0.0V - 150.0V Range");
    EXPECT_TRUE(zener.optZener->isChecked() && zener.optNegative->isEnabled() && zener.cmdOutputCancel->isEnabled());
    EXPECT_FALSE(zener.txtRip2->isEnabled() || zener.fmCapa2->isEnabled() || zener.chkRegulated->isEnabled());
    EXPECT_EQ(zener.lblESR2->text(), "ESR : 0.00 Ohm");
    EXPECT_FALSE(Open(4).cmdOutputCancel->isEnabled());  // an output being added
}

// A full loop takes no fourth output; a Zener click takes an output out; the last one stays in,
// as a Self or Direct output.
TEST_F(OutputEditorTest, RegulatedBoxFollowsTheLoop) {
    Design({10, 5, 5, 7}, {true, true, true}, true);
    EXPECT_FALSE(Open(3).chkRegulated->isEnabled());
    fmOutput& regulated = Open(1);
    EXPECT_TRUE(regulated.chkRegulated->isChecked() && regulated.chkRegulated->isEnabled());
    EXPECT_FALSE(regulated.optNegative->isEnabled());
    driving::Click(regulated.optZener);
    EXPECT_FALSE(regulated.chkRegulated->isChecked() || regulated.chkRegulated->isEnabled());
    EXPECT_TRUE(regulated.optNegative->isEnabled());
    Design({12, 5}, {false, true}, true);
    fmOutput& last = Open(1);
    EXPECT_TRUE(last.chkRegulated->isChecked());
    EXPECT_FALSE(last.chkRegulated->isEnabled() || last.optZener->isEnabled() || last.optVreg->isEnabled());
}

// Ticked into a loop of one, an output can still be taken out after its voltage changed.
TEST_F(OutputEditorTest, AnOutputJustTickedCanBeUntickedAgain) {
    Design({10, 5, 7}, {false, true}, true);
    fmOutput& e = Open(2);
    driving::Click(e.chkRegulated);
    driving::TypeAndLeave(e.txtVoltage, "12");
    EXPECT_TRUE(e.chkRegulated->isChecked() && e.chkRegulated->isEnabled());
    EXPECT_TRUE(e.optZener->isEnabled() && e.optVreg->isEnabled());
    driving::Click(e.chkRegulated);
    driving::Click(e.cmdApply);
    EXPECT_FALSE(Outputs[2].Regulated);
    EXPECT_TRUE(Outputs[1].Regulated);
    EXPECT_EQ(OperatingPoint.RegulatedOutputCount, 1);
}

// A cancelled editor takes its diode mark back: the next new output raises no diode warning.
TEST_F(OutputEditorTest, CancelTakesTheUserDiodeMarkBack) {
    Design({9});
    for (int round = 0; round < 2; ++round)
        InModal(page->cmdOutputCreate, [](fmOutput* e) {
            driving::Click(e->findChild<QCheckBox*>(QStringLiteral("chkDiodeUserDefine")));
            EXPECT_TRUE(Settings.UserDefinedDiode[1]);
            driving::Click(e->cmdCancel);
        });
    EXPECT_EQ(Messages(), std::vector<QString>{});
    EXPECT_EQ(Settings.UserDefinedDiode, (std::array<bool, 6>{}));
    EXPECT_TRUE(Settings.DesignSaved);
    EXPECT_EQ(Settings.AdditionalOutputs, 0);
}

TEST_F(OutputEditorTest, DeletingAMiddleOutputMovesTheLaterOnesDown) {
    for (std::size_t i = 0; i < 5; ++i) Outputs[i].Voltage = static_cast<float>(5 + i);
    Design({9, 5, 7, 1, 3});
    Settings.UserDefinedDiode = {false, false, false, true, false, false};
    driving::Click(Open(2).cmdOutputCancel);  // the question is answered Cancel
    EXPECT_EQ(Settings.AdditionalOutputs, 4);
    EXPECT_TRUE(editor->isVisible());
    platform::MessageScript::PushAnswer(platform::AnswerOK);
    driving::Click(editor->cmdOutputCancel);
    EXPECT_EQ(Messages().front(), "Cancel Output: Are You Sure You Want to Delete Output 2 ?");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(Settings.AdditionalOutputs, 3);
    EXPECT_EQ(std::vector<float>({Outputs[2].Voltage, Outputs[3].Voltage}), std::vector<float>({8, 9}));
    EXPECT_EQ(std::vector<int16_t>({Outputs[2].OutputType, Outputs[3].OutputType, Outputs[3].Index}),
              std::vector<int16_t>({1, 3, 3}));
    EXPECT_EQ(Settings.UserDefinedDiode, (std::array<bool, 6>{false, false, true, false, false, false}));
    EXPECT_FALSE(Shown(page->Output[4]));
    EXPECT_TRUE(Shown(page->Output[3]));
    EXPECT_FALSE(Settings.DesignSaved);
}

// What is edited after an Apply reaches the design with OK.
TEST_F(OutputEditorTest, OkAfterApplyStoresTheLaterEdit) {
    Design({9, 7});
    InModal(page->cmdOutputEdit[1], [](fmOutput* e) {
        driving::TypeAndLeave(e->txtVoltage, "12");
        driving::Click(e->cmdApply);
        EXPECT_EQ(Outputs[1].Voltage, 12.0f);
        driving::TypeAndLeave(e->txtCurrent, "0.3");
        driving::Click(e->cmdOk);
    });
    EXPECT_EQ(Outputs[1].Voltage, 12.0f);
    EXPECT_EQ(Outputs[1].Current, 0.3f);
    EXPECT_EQ(page->lblVoltage[1]->text(), " 12.0V-300mA");
    EXPECT_FALSE(Settings.DesignSaved);
}

// Applied outputs count once whether the dialog then ends with OK or Cancel; a bad box left
// for Cancel says nothing.
TEST_F(OutputEditorTest, AddsOutputsUpToSixAndDeleteEnablesAddingAgain) {
    QPointer<fmTransfo> transformer(fmTransfo::ShowTransformer(page.get()));
    for (int16_t n = 1; n <= 5; ++n) {
        // The transformer window's Add Output opens the same editor.
        InModal(n == 2 ? transformer->cmdAddOutput : page->cmdOutputCreate, [n](fmOutput* e) {
            EXPECT_EQ(e->windowTitle(), QString("Parameters Output %1").arg(n));
            if (n % 2) driving::Click(e->cmdApply);
            if (n == 5)
                driving::TypeAndLeave(e->txtVoltage, "999", e->cmdCancel);
            else
                driving::Click(e->cmdOk);
        });
        EXPECT_EQ(Settings.AdditionalOutputs, n);
        EXPECT_TRUE(Shown(page->Output[static_cast<std::size_t>(n)]));
    }
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(page->cmdOutputCreate->isEnabled() || transformer->cmdAddOutput->isEnabled());
    platform::MessageScript::PushAnswer(platform::AnswerOK);
    driving::Click(Open(3).cmdOutputCancel);
    EXPECT_TRUE(page->cmdOutputCreate->isEnabled() && transformer->cmdAddOutput->isEnabled());
    delete transformer.data();
}

// Output 1 regulated at 2.6 V needs the 1.24 V reference, which stands no main output above 12 V.
TEST_F(OutputEditorTest, ApplyRefusesAVoltageTheReferenceCannotRegulate) {
    Outputs[0].Voltage = 15;
    Design({10, 5}, {false, true}, true);
    const std::string reference = Regulation.ReferenceName;
    fmOutput& e = Open(1);
    driving::TypeAndLeave(e.txtVoltage, "2.6");
    driving::Click(e.cmdApply);
    EXPECT_EQ(Messages(), std::vector<QString>{"Secondary Regulation Error: Regulation Configuration Impossible\r\n"
                                               "(Output Voltage Too Low)"});
    EXPECT_EQ(Outputs[1].Voltage, 5.0f);
    EXPECT_EQ(Regulation.ReferenceName, reference);
    EXPECT_TRUE(Settings.DesignSaved);
    EXPECT_TRUE(e.isVisible());
}

// Deleting output 1, the only one in the loop, leaves outputs 0 (post-regulated) and the third.
TEST_P(LastRegulatedUiTest, DeletingTheLastRegulatedOutputChoosesTheRegulationAgain) {
    const LastCase& c = GetParam();
    Design({14, 5, c.third}, {false, true}, true);
    platform::MessageScript::PushAnswer(platform::AnswerOK);
    driving::Click(Open(1).cmdOutputCancel);
    EXPECT_EQ(OperatingPoint.SecondaryRegulation, c.secondaryAfter);
    EXPECT_EQ(page->RegulationType->currentIndex(), c.secondaryAfter ? MainPage::SecondaryEntry : MainPage::PrimaryEntry);
    EXPECT_EQ(Outputs[0].OutputType, c.mainAfter);
    EXPECT_EQ(Outputs[1].Regulated, c.secondaryAfter);
    EXPECT_EQ(OperatingPoint.RegulatedOutputCount, c.secondaryAfter ? 1 : 0);
    EXPECT_EQ(Messages().size(), c.message[0] ? 2u : 1u);
    if (c.message[0]) {
        EXPECT_EQ(Messages().back(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(Loop, LastRegulatedUiTest, ::testing::Values(
    LastCase{"DirectOutputTakesTheLoop", 7, true, 14, ""},
    LastCase{"ZenerOutputCannotAndPrimaryFollows", 1, false, 13,
             "Secondary Regulation Error: Secondary Regulation Not Possible With Post Regulation or Negative Voltage "
             "On All Outputs"}),
    [](const auto& info) { return std::string(info.param.name); });
