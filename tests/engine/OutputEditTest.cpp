// The output editor's rules without its window: type codes read back, the regulated rule, the
// working output's computation that leaves the design alone, the reference check of an edit,
// and the secondary loop after an output is removed.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "ComputeDesign.h"
#include "DefaultDesignTest.h"
#include "NumberText.h"
#include "OutputEdit.h"
#include "RecordingHost.h"
#include "Variables.h"

using namespace zorvic;

namespace {

class TagRecordingHost : public RecordingHost {
public:
    int tagCalls = 0;
    void SetOutputLabelTags(int, const std::string&, const std::string&) override { ++tagCalls; }
};

class OutputEditTest : public DefaultDesignTest<TagRecordingHost> {
protected:
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
    Settings.AdditionalOutputs = 1;
    Outputs[1].Regulated = c.regulated;
    EXPECT_EQ(RegulatedChangeable(1, c.negative, c.zener, c.vreg), c.may);
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
    // A count that disagrees with the flags follows the outputs that stay.
    LastCase{"CountFollowsTheFlagsLeft", {12, 5, 7}, {true, true}, 1, 1, false, true, 12, {true}, 1},
    LastCase{"UnregulatedOutputLeavesTheLoop", {12, 5, 7}, {true}, 1, 2, false, true, 12, {true}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
