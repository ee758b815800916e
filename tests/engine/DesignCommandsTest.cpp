// The design side of the main window's commands: the output that takes the secondary loop, the
// output editor's copy in and back with the count of regulated outputs and the series element's
// tooltip, a new output, and the clamp toggle.

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
        ResetDesignState();
        ApplyDesignDefaults();
        InstallHost(&host);
    }
    void TearDown() override { InstallHost(nullptr); }
};

struct LoopCase {
    const char* name;
    std::vector<int16_t> types;           // outputs 0 to 5 (missing ones keep the default 7)
    std::vector<bool> regulatedBefore;    // likewise, default false
    int16_t additionalOutputs;
    bool wasSecondary;
    bool found;
    std::array<bool, 6> regulatedAfter;
    int16_t countAfter;                   // the count before is 3
};

void PrintTo(const LoopCase& c, std::ostream* os) { *os << c.name; }

class SecondaryLoopTest : public DesignCommandsTest, public ::testing::WithParamInterface<LoopCase> {};

const LoopCase LoopCases[] = {
    // A post-regulated main output cannot carry the loop; the inductor output after it does.
    {"FirstEligibleOutputTakesTheLoop", {13, 5}, {}, 1, false, true, {false, true}, 1},
    {"MainOutputWithoutRegulatorTakesIt", {12, 5}, {}, 1, false, true, {true}, 1},
    {"ZenerRegulatorAndNegativeOnlyRefused", {13, 1, 3, 6, 8, 4}, {}, 5, false, false, {}, 3},
    // An eligible output beyond the last active one is not taken.
    {"InactiveOutputIsNotTaken", {13, 3, 5}, {}, 1, false, false, {}, 3},
    {"WasSecondaryKeepsTheLoopAsItIs", {11, 7, 5}, {false, false, true}, 2, true, true, {false, false, true}, 3},
    {"WasSecondaryWithoutRegulatedOutputRefused", {11, 7}, {}, 1, true, false, {}, 3},
    // A regulated flag left on an inactive record does not make the loop.
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
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DesignCommandsTest, EditorWorksOnACopyOfAnOutputOrOnTheNewOutputTemplate) {
    Settings.AdditionalOutputs = 2;
    Outputs[2].Voltage = 12;
    OutputBlank.Voltage = 3.3f;
    OutputBlank.Index = 5;
    LoadOutputWork(2);
    EXPECT_FLOAT_EQ(OutputWork.Voltage, 12.0f);
    EXPECT_EQ(OutputWork.Index, 2);
    LoadOutputWork(3);
    EXPECT_FLOAT_EQ(OutputWork.Voltage, 3.3f);
    EXPECT_EQ(OutputWork.Index, 3);
}

TEST_F(DesignCommandsTest, StoredOutputMovesTheRegulatedCountWithinTheLoopsSize) {
    struct Case {
        int16_t countBefore;
        bool wasRegulated;
        bool regulated;
        int16_t countAfter;
    };
    for (const Case c : {Case{1, false, true, 2}, Case{2, true, false, 1}, Case{2, true, true, 2},
                         Case{3, false, true, 3}, Case{0, true, false, 0}}) {
        OperatingPoint.RegulatedOutputCount = c.countBefore;
        Outputs[1].Regulated = c.wasRegulated;
        OutputWork = Outputs[1];
        OutputWork.Regulated = c.regulated;
        OutputWork.Voltage = 15;
        StoreOutputWork(1);
        EXPECT_EQ(OperatingPoint.RegulatedOutputCount, c.countAfter) << c.countBefore << c.regulated;
        EXPECT_FLOAT_EQ(Outputs[1].Voltage, 15.0f);
        EXPECT_EQ(Outputs[1].Regulated, c.regulated);
    }
}

TEST_F(DesignCommandsTest, StoredMainOutputBringsItsChipPicture) {
    CurrentChip.Family = 4;
    Settings.ActiveZorvicPicture = 0;
    OutputWork = Outputs[1];
    OutputWork.OutputType = 14;
    StoreOutputWork(1);
    EXPECT_EQ(Settings.ActiveZorvicPicture, 0);  // an additional output leaves the chip alone
    OutputWork = Outputs[0];
    OutputWork.OutputType = 13;
    StoreOutputWork(0);
    EXPECT_EQ(Settings.ActiveZorvicPicture, 16);  // code 13 less 9, plus 12 for family 4
}

TEST_F(DesignCommandsTest, SeriesElementTooltipFollowsTheOutputType) {
    struct Case {
        int16_t index;
        int16_t type;
        const char* tip;  // nullptr: unchanged
    };
    for (const Case c : {Case{2, 1, "Drop Voltage Resistor"}, Case{4, 2, "Drop Voltage Resistor"},
                         Case{1, 3, "Positive Voltage Regulator"}, Case{0, 13, "Positive Voltage Regulator"},
                         Case{0, 14, "Positive Voltage Regulator"}, Case{5, 4, "Negative Voltage Regulator"},
                         Case{3, 5, "Output3 Filtering Inductor"}, Case{1, 6, "Output1 Filtering Inductor"},
                         Case{0, 9, "Output Filtering Inductor"}, Case{0, 10, "Output Filtering Inductor"},
                         Case{2, 7, nullptr}, Case{2, 8, nullptr}, Case{0, 11, nullptr}, Case{0, 12, nullptr}}) {
        const auto tip = SerialElementToolTip(c.index, c.type);
        if (c.tip)
            EXPECT_EQ(tip, std::string(c.tip)) << c.index << " " << c.type;
        else
            EXPECT_FALSE(tip.has_value()) << c.index << " " << c.type;
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
    EXPECT_FALSE(CanAddOutput());
    EXPECT_FALSE(PrepareNewOutput().has_value());
}

TEST_F(DesignCommandsTest, ClampToggleSwapsTheKindAndMarksTheDesignChanged) {
    ASSERT_TRUE(Clamper.RCClamper);
    ToggleClamper();
    EXPECT_FALSE(Clamper.RCClamper);
    EXPECT_FALSE(Settings.DesignSaved);
    Settings.DesignSaved = true;
    ToggleClamper();
    EXPECT_TRUE(Clamper.RCClamper);
    EXPECT_FALSE(Settings.DesignSaved);
}
