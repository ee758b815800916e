// The output editor's rules without its window: type codes from the choices and back, the
// regulated rule, the boxes' limits, the working output's computation that leaves the design
// alone, the reference check of an edit, and the removal of an output.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "ComputeDesign.h"
#include "NumberText.h"
#include "OutputEdit.h"
#include "OutputParts.h"
#include "RecordingHost.h"
#include "Variables.h"

using namespace zorvic;

namespace {

class TagRecordingHost : public RecordingHost {
public:
    int tagCalls = 0;
    void SetOutputLabelTags(int, const std::string&, const std::string&) override { ++tagCalls; }
};

class OutputEditTest : public ::testing::Test {
protected:
    TagRecordingHost host;
    void SetUp() override {
        ResetDesignState();
        SetLocaleDecimalSeparator('.');
        ApplyDesignDefaults();
        InstallHost(&host);
    }
    void TearDown() override { InstallHost(nullptr); }
    // Outputs 0 to types.size() - 1 with these codes and regulated flags, under secondary
    // regulation with the count the flags give unless `count` says otherwise.
    static void SetOutputs(const std::vector<int16_t>& types, const std::vector<bool>& regulated, int count = -1) {
        int flagged = 0;
        for (std::size_t i = 0; i < types.size(); ++i) {
            Outputs[i].OutputType = types[i];
            Outputs[i].Regulated = i < regulated.size() && regulated[i];
            flagged += Outputs[i].Regulated ? 1 : 0;
        }
        Settings.AdditionalOutputs = static_cast<int16_t>(types.size() - 1);
        OperatingPoint.SecondaryRegulation = true;
        OperatingPoint.RegulatedOutputCount = static_cast<int16_t>(count < 0 ? flagged : count);
    }
};

struct CodeCase { OutputKind kind; bool negative; int16_t index; bool secondary; int16_t code; };
class OutputCodeTest : public OutputEditTest, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(OutputCodeTest, ChoicesGiveTheTypeCode) {
    const CodeCase& c = GetParam();
    EXPECT_EQ(OutputTypeCode(c.kind, c.negative, c.index, c.secondary), c.code);
}

INSTANTIATE_TEST_SUITE_P(Codes, OutputCodeTest, ::testing::Values(
    CodeCase{OutputKind::Zener, false, 1, false, 1}, CodeCase{OutputKind::Zener, true, 5, true, 2},
    CodeCase{OutputKind::Vreg, true, 2, false, 4}, CodeCase{OutputKind::Self, true, 3, true, 6},
    CodeCase{OutputKind::Direct, false, 4, true, 7},
    // The main output: polarity does not enter, secondary regulation adds one.
    CodeCase{OutputKind::Self, true, 0, false, 9}, CodeCase{OutputKind::Self, false, 0, true, 10},
    CodeCase{OutputKind::Direct, false, 0, true, 12}, CodeCase{OutputKind::Vreg, false, 0, false, 13},
    CodeCase{OutputKind::Vreg, true, 0, true, 14}));

TEST_F(OutputEditTest, EveryCodeShownReadsBackAsItself) {
    for (int16_t code = 1; code <= 14; ++code) {
        const auto shown = ShowOutputType(code);
        ASSERT_TRUE(shown) << code;
        const bool main = code >= 9;
        EXPECT_EQ(shown->negative.has_value(), !main) << code;
        EXPECT_EQ(shown->secondCell, code == 5 || code == 6 || code == 9 || code == 10) << code;
        EXPECT_EQ(OutputTypeCode(shown->kind, shown->negative.value_or(false), main ? 0 : 3, main && code % 2 == 0),
                  code);
    }
    EXPECT_FALSE(ShowOutputType(0));
    EXPECT_FALSE(ShowOutputType(15));
    for (int16_t d = 0; d < 3; ++d)
        for (const bool positive : {true, false}) EXPECT_EQ(DropoutOfFamily(RegulatorFamily(d, positive)), d);
    EXPECT_EQ(RegulatorFamily(1, false), "SemiNeg");
    EXPECT_FALSE(DropoutOfFamily("Semi"));
}

struct RuleCase { const char* name; bool secondary; int16_t count; bool regulated; bool negative, zener, vreg; bool may; };
void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }
class RegulatedRuleTest : public OutputEditTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(RegulatedRuleTest, DecidesWhetherTheOutputMayChangeItsPlaceInTheLoop) {
    const RuleCase& c = GetParam();
    OperatingPoint.SecondaryRegulation = c.secondary;
    OperatingPoint.RegulatedOutputCount = c.count;
    OutputWork.Regulated = c.regulated;
    EXPECT_EQ(RegulatedChangeable(OutputWork, c.negative, c.zener, c.vreg), c.may);
}

INSTANTIATE_TEST_SUITE_P(Rule, RegulatedRuleTest, ::testing::Values(
    RuleCase{"JoinsALoopWithRoom", true, 2, false, false, false, false, true},
    RuleCase{"LeavesALoopOfTwo", true, 2, true, false, false, false, true},
    RuleCase{"NotUnderPrimaryRegulation", false, 0, false, false, false, false, false},
    RuleCase{"NotIntoAFullLoop", true, 3, false, false, false, false, false},
    RuleCase{"OutOfAFullLoop", true, 3, true, false, false, false, true},
    RuleCase{"NeverTheLastOneOut", true, 1, true, false, false, false, false},
    RuleCase{"NotNegative", true, 1, false, true, false, false, false},
    RuleCase{"NotZener", true, 1, false, false, true, false, false},
    RuleCase{"NotPostRegulated", true, 1, false, false, false, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct LimitCase {
    const char* name; OutputBox box; int16_t index; bool secondary; const char* reference; const char* unit;
    float current, minimum, rip1, rip2; float min, max; const char* pattern;
};
void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }
class BoxLimitTest : public OutputEditTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(BoxLimitTest, BoxesTakeTheirLimitsFromTheWorkingOutput) {
    const LimitCase& c = GetParam();
    OperatingPoint.SecondaryRegulation = c.secondary;
    Regulation.ReferenceName = c.reference;
    OutputWork.Current = c.current;
    OutputWork.MinimumCurrent = c.minimum;
    OutputWork.RippleFirstCell = c.rip1;
    OutputWork.RippleSecondCell = c.rip2;
    const OutputBoxRule rule = RuleOfBox(c.box, c.index, OutputWork, c.unit);
    EXPECT_FLOAT_EQ(rule.min, c.min);
    EXPECT_FLOAT_EQ(rule.max, c.max);
    EXPECT_EQ(rule.pattern, c.pattern);
}

INSTANTIATE_TEST_SUITE_P(Limits, BoxLimitTest, ::testing::Values(
    LimitCase{"MainVoltagePrimary", OutputBox::Voltage, 0, false, "SHR1", "", 1, 0, .3f, .05f, 2.5f, 150, "##0.00"},
    LimitCase{"MainVoltageOnTheHigherReference", OutputBox::Voltage, 0, true, "SHR1", "", 1, 0, .3f, .05f, 2.5f, 40, "##0.00"},
    LimitCase{"MainVoltageOnTheLowerReference", OutputBox::Voltage, 0, true, "SHR2", "", 1, 0, .3f, .05f, 2.5f, 12, "##0.00"},
    LimitCase{"OtherVoltage", OutputBox::Voltage, 2, true, "SHR2", "", 1, 0, .3f, .05f, 0.1f, 150, "##0.00"},
    LimitCase{"MainCurrent", OutputBox::Current, 0, false, "", "A", 1, 0, .3f, .05f, 0.0001f, 30, "##0.00"},
    LimitCase{"CurrentNotBelowTheMinimum", OutputBox::Current, 1, false, "", "mA", 1, 0.5f, .3f, .05f, 0.5f, 30, "##0.00"},
    LimitCase{"MinimumNotAboveTheCurrent", OutputBox::MinimumCurrent, 1, false, "", "A", 2, 0, .3f, .05f, 0, 2, "##0.00"},
    LimitCase{"MinimumAtMostFiveAmperesInMilliamperes", OutputBox::MinimumCurrent, 1, false, "", "mA", 8, 0, .3f, .05f, 0, 5, "##0"},
    LimitCase{"FirstRippleNotBelowTheSecond", OutputBox::RippleFirstCell, 1, false, "", "", 1, 0, .3f, .25f, .25f, 2, "#0.00 "},
    LimitCase{"SecondRippleNotAboveTheFirst", OutputBox::RippleSecondCell, 1, false, "", "", 1, 0, .3f, .05f, .01f, .3f, "#0.00 "},
    LimitCase{"SecondRippleAtMostOneVolt", OutputBox::RippleSecondCell, 1, false, "", "", 1, 0, 1.5f, .05f, .01f, 1, "#0.00 "},
    LimitCase{"Derating", OutputBox::Derating, 1, false, "", "", 1, 0, .3f, .05f, .3f, 10, "#.0 "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OutputEditTest, FiguresShowTheirUnits) {
    EXPECT_EQ(ShowCurrent(0.15f).text + ShowCurrent(0.15f).unit, "150mA");
    EXPECT_EQ(ShowCurrent(0.2f).text + ShowCurrent(0.2f).unit, "0.20A");
    CapacitorRecord none;
    none.Esr[0] = NoEsr;
    EXPECT_EQ(EsrText(none), "ESR : 0.00 Ohm");
    none.Esr[0] = 0.047f;
    EXPECT_EQ(EsrText(none), "ESR : 0.05 Ohm");
    EXPECT_EQ(OutputCaption(3), "Parameters Output 3");
}

// A user-marked diode too weak for the edited output, on a hot Zener cell.
TEST_F(OutputEditTest, WorkingOutputIsComputedWithoutTouchingTheDesign) {
    ComputeDesign();
    Settings.AdditionalOutputs = 1;
    Settings.UserDefinedDiode[1] = true;
    const auto ratios = Transfo.TurnsRatio;
    host.messages.clear();
    host.tagCalls = 0;
    OutputWork = Outputs[1];
    OutputWork.OutputType = 1;
    OutputWork.Voltage = 24;
    OutputWork.Current = 1;
    OutputWork.Diode.Vrrm = 10;
    ComputeOutputWork(1);
    EXPECT_NE(OutputWork.Diode.Vrrm, 10.0f);  // the computation chose another diode
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Diode Selection Updated");
    EXPECT_TRUE(Settings.UserDefinedDiode[1]);
    EXPECT_EQ(Transfo.TurnsRatio, ratios);
    EXPECT_EQ(host.tagCalls, 0);
}

// Output 1 regulated at 2.6 V needs the 1.24 V reference, which stands no main output above 12 V.
TEST_F(OutputEditTest, ReferenceCheckJudgesTheEditedMainVoltageAndKeepsTheReference) {
    SetOutputs({10, 5}, {false, true});
    Outputs[0].Voltage = 5;
    Outputs[1].Voltage = 2.6f;
    Regulation.ReferenceName = "SHR1";
    Regulation.Divider[1].Value = 1234;
    OutputWork = Outputs[0];
    OutputWork.Voltage = 15;
    EXPECT_FALSE(CheckEditedRegulation(0));
    OutputWork.Voltage = 12;
    EXPECT_TRUE(CheckEditedRegulation(0));
    EXPECT_EQ(Regulation.ReferenceName, "SHR1");
    EXPECT_EQ(Regulation.Divider[1].Value, 1234.0f);
}

TEST_F(OutputEditTest, ApplyCountsOnlyAnOutputBeingAdded) {
    Settings.AdditionalOutputs = 2;
    EXPECT_FALSE(CountAppliedOutput(2));
    EXPECT_TRUE(IsNewOutput(3));
    EXPECT_TRUE(CountAppliedOutput(3));
    EXPECT_EQ(Settings.AdditionalOutputs, 3);
    EXPECT_FALSE(CountAppliedOutput(3));
}

TEST_F(OutputEditTest, RemovingAMiddleOutputMovesTheLaterOnesWithTheirDiodeMarks) {
    SetOutputs({11, 7, 5, 7, 6}, {false, true, false, false, true});
    Settings.UserDefinedDiode = {false, false, true, false, true, false};
    for (std::size_t i = 0; i < 5; ++i) Outputs[i].Voltage = static_cast<float>(10 + i);
    Settings.DesignSaved = true;
    const RemovedOutput removed = RemoveOutput(2);
    EXPECT_TRUE(removed.removed);
    EXPECT_EQ(removed.formerLast, 4);
    EXPECT_FALSE(removed.chooseRegulation);
    EXPECT_EQ(Settings.AdditionalOutputs, 3);
    const std::array<float, 4> volts = {10, 11, 13, 14};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Outputs[i].Voltage, volts[i]) << i;
        EXPECT_EQ(Outputs[i].Index, static_cast<int16_t>(i));
    }
    EXPECT_EQ(Settings.UserDefinedDiode, (std::array<bool, 6>{false, false, false, true, false, false}));
    EXPECT_TRUE(Outputs[3].Regulated);
    EXPECT_FALSE(Outputs[4].Regulated);
    EXPECT_EQ(OperatingPoint.RegulatedOutputCount, 2);
    EXPECT_FALSE(Settings.DesignSaved);
    EXPECT_FALSE(RemoveOutput(0).removed);
    EXPECT_FALSE(RemoveOutput(4).removed);
    EXPECT_EQ(Settings.AdditionalOutputs, 3);
}

struct LastCase {
    const char* name; std::vector<int16_t> types; std::vector<bool> regulated; int count; int16_t deleted;
    bool choose; bool secondaryAfter; int16_t mainAfter; std::array<bool, 6> regulatedAfter; int16_t countAfter;
};
void PrintTo(const LastCase& c, std::ostream* os) { *os << c.name; }
class LastRegulatedTest : public OutputEditTest, public ::testing::WithParamInterface<LastCase> {};

TEST_P(LastRegulatedTest, DecidesFromTheStoredFlagsAndChoosesTheRegulationAgain) {
    const LastCase& c = GetParam();
    SetOutputs(c.types, c.regulated, c.count);
    Settings.RegulationWasSecondary = true;
    const RemovedOutput removed = RemoveOutput(c.deleted);
    EXPECT_EQ(removed.chooseRegulation, c.choose);
    if (removed.chooseRegulation) ChooseSecondaryLoopAgain();
    EXPECT_EQ(OperatingPoint.SecondaryRegulation, c.secondaryAfter);
    EXPECT_EQ(Outputs[0].OutputType, c.mainAfter);
    std::array<bool, 6> flags{};
    for (std::size_t i = 0; i < 6; ++i) flags[i] = Outputs[i].Regulated;
    EXPECT_EQ(flags, c.regulatedAfter);
    EXPECT_EQ(OperatingPoint.RegulatedOutputCount, c.countAfter);
}

INSTANTIATE_TEST_SUITE_P(Delete, LastRegulatedTest, ::testing::Values(
    LastCase{"AnotherEligibleOutputTakesTheLoop", {14, 5, 1, 7}, {false, true}, 1, 1, true, true, 14,
             {false, false, true}, 1},
    LastCase{"NoneEligibleFallsBackToPrimary", {14, 5, 1, 4}, {false, true}, 1, 1, true, false, 13, {}, 0},
    // A count that disagrees with the flags follows the outputs that stay.
    LastCase{"CountFollowsTheFlagsLeft", {12, 5, 7}, {true, true}, 1, 1, false, true, 12, {true}, 1},
    LastCase{"UnregulatedOutputLeavesTheLoop", {12, 5, 7}, {true}, 1, 2, false, true, 12, {true}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
