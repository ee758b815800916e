// The design side of the main window's commands: the output that takes the secondary loop, an
// edited output's return with the count of regulated outputs, the series element's tooltip and
// a new output.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "DesignCommands.h"
#include "RecordingHost.h"
#include "Variables.h"

using namespace zorvic;

namespace {

class DesignCommandsTest : public ::testing::Test {
protected:
    RecordingHost host;
    void SetUp() override {
        InstallHost(&host);
    }
    void TearDown() override { InstallHost(nullptr); }
};

struct LoopCase {
    const char* name;
    std::vector<int16_t> types;         // outputs 0, 1, ... (the others keep the default 7)
    std::vector<bool> regulatedBefore;  // likewise, default false
    int16_t additionalOutputs;
    bool wasSecondary;
    bool found;
    std::array<bool, 6> regulatedAfter;
    int16_t countAfter;  // the count before is 3
};

void PrintTo(const LoopCase& c, std::ostream* os) { *os << c.name; }

class SecondaryLoopTest : public DesignCommandsTest, public ::testing::WithParamInterface<LoopCase> {};

const LoopCase LoopCases[] = {
    // A post-regulated main output cannot carry the loop; the inductor output after it does.
    {"FirstEligibleOutputTakesTheLoop", {13, 5}, {}, 1, false, true, {false, true}, 1},
    {"MainOutputWithoutRegulatorTakesIt", {12, 5}, {}, 1, false, true, {true}, 1},
    {"ZenerRegulatorAndNegativeOnlyRefused", {13, 1, 3, 6, 8, 4}, {}, 5, false, false, {}, 3},
    {"InactiveOutputIsNotTaken", {13, 3, 5}, {}, 1, false, false, {}, 3},
    {"WasSecondaryKeepsTheLoopAsItIs", {11, 7, 5}, {false, false, true}, 2, true, true, {false, false, true}, 3},
    {"WasSecondaryWithoutRegulatedOutputRefused", {11, 7}, {}, 1, true, false, {}, 3},
    // A flag left on a record beyond the last active output does not make the loop.
    {"RegulatedFlagBeyondTheLastOutputIgnored", {13, 3, 5}, {false, false, true}, 1, true, false,
     {false, false, true}, 3},
};

INSTANTIATE_TEST_SUITE_P(Outputs, SecondaryLoopTest, ::testing::ValuesIn(LoopCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST_P(SecondaryLoopTest, FindsTheOutputThatCarriesTheLoop) {
    const LoopCase& c = GetParam();
    for (std::size_t i = 0; i < c.types.size(); ++i) Outputs[i].OutputType = c.types[i];
    for (std::size_t i = 0; i < c.regulatedBefore.size(); ++i) Outputs[i].Regulated = c.regulatedBefore[i];
    Settings.AdditionalOutputs = c.additionalOutputs;
    Settings.RegulationWasSecondary = c.wasSecondary;
    OperatingPoint.RegulatedOutputCount = 3;
    EXPECT_EQ(FindSecondaryLoopOutput(), c.found);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(Outputs[i].Regulated, c.regulatedAfter[i]) << i;
    EXPECT_EQ(OperatingPoint.RegulatedOutputCount, c.countAfter);
}

TEST_F(DesignCommandsTest, StoredOutputMovesTheRegulatedCountWithinTheLoopsSize) {
    struct Case {
        int16_t countBefore;
        bool wasRegulated, regulated;
        int16_t countAfter;
    };
    for (const Case c : {Case{1, false, true, 2}, Case{2, true, false, 1}, Case{2, true, true, 2},
                         Case{3, false, true, 3}, Case{0, true, false, 0}}) {
        OperatingPoint.RegulatedOutputCount = c.countBefore;
        Outputs[1].Regulated = c.wasRegulated;
        OutputWork = Outputs[1];
        OutputWork.Regulated = c.regulated;
        StoreOutputWork(1);
        EXPECT_EQ(OperatingPoint.RegulatedOutputCount, c.countAfter) << c.countBefore << c.regulated;
        EXPECT_EQ(Outputs[1].Regulated, c.regulated);
    }
}

TEST_F(DesignCommandsTest, SeriesElementTooltipFollowsTheOutputType) {
    struct Case {
        int16_t index, type;
        const char* tip;  // nullptr: unchanged
    };
    for (const Case c : {Case{2, 1, "Drop Voltage Resistor"}, Case{4, 2, "Drop Voltage Resistor"},
                         Case{1, 3, "Positive Voltage Regulator"}, Case{0, 14, "Positive Voltage Regulator"},
                         Case{5, 4, "Negative Voltage Regulator"}, Case{3, 5, "Output3 Filtering Inductor"},
                         Case{1, 6, "Output1 Filtering Inductor"}, Case{0, 10, "Output Filtering Inductor"},
                         Case{2, 8, nullptr}, Case{0, 11, nullptr}}) {
        EXPECT_EQ(SerialElementToolTip(c.index, c.type).value_or("(unchanged)"), c.tip ? c.tip : "(unchanged)")
            << c.index << " " << c.type;
    }
}

TEST_F(DesignCommandsTest, NewOutputFollowsTheLastOneUntilThereAreSix) {
    for (int16_t last = 0; last < 5; ++last) {
        Settings.AdditionalOutputs = last;
        Outputs[static_cast<std::size_t>(last + 1)].ActualVoltage = 7;
        EXPECT_EQ(PrepareNewOutput(), last + 1);
        EXPECT_FLOAT_EQ(Outputs[static_cast<std::size_t>(last + 1)].ActualVoltage, 0.0f);
        EXPECT_EQ(Settings.AdditionalOutputs, last);  // added only when the editor confirms
    }
    Settings.AdditionalOutputs = 5;
    EXPECT_FALSE(PrepareNewOutput().has_value());
}
