// The choice of the shunt reference and the divider that shares its current among the regulated
// outputs.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "Compensation.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

namespace {

struct ReferenceCase {
    std::string name;
    std::vector<float> volts;
    std::vector<bool> regulated;
    bool secondary;
    std::string reference;
    std::array<float, 4> dividers;  // elements 1 to 4, 0 where nothing is written
    bool feasible;
};

std::ostream& operator<<(std::ostream& os, const ReferenceCase& c) { return os << c.name; }

}  // namespace

class ReferenceSelectionTest : public ::testing::TestWithParam<ReferenceCase> {
protected:
    static int16_t SetOutputs(const std::vector<float>& volts, const std::vector<bool>& regulated) {
        for (std::size_t i = 0; i < volts.size(); ++i) {
            Outputs[i].Voltage = volts[i];
            Outputs[i].Regulated = regulated[i];
        }
        Settings.AdditionalOutputs = static_cast<int16_t>(volts.size() - 1);
        return Settings.AdditionalOutputs;
    }
};

TEST_P(ReferenceSelectionTest, ChoosesTheReferenceAndSizesTheDivider) {
    const ReferenceCase& c = GetParam();
    OperatingPoint.SecondaryRegulation = c.secondary;
    const int16_t last = SetOutputs(c.volts, c.regulated);
    const bool ok = SelectReferenceIC(last, last, Outputs[static_cast<std::size_t>(last)].Regulated,
                                      Outputs[static_cast<std::size_t>(last)].Voltage);

    EXPECT_EQ(ok, c.feasible);
    EXPECT_EQ(Regulation.ReferenceName, c.reference);
    EXPECT_EQ(Regulation.ReferenceVoltage, c.reference == "SHR1" ? 2.5f : 1.24f);
    EXPECT_EQ(Regulation.ReferenceCurrent, c.reference == "SHR1" ? 0.001f : 0.0001f);
    EXPECT_EQ(Regulation.GroundResistor.Value, 4700.0f);
    for (std::size_t k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(Regulation.Divider[k + 1].Value, c.dividers[k]) << k + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceSelectionTest,
    ::testing::Values(
        // (5 - 2.5) / 5 = 0.5 of the 2.5 V / 4700 ohm current: 0.5 x 5 x 4700 / 2.5.
        ReferenceCase{"OneFiveVoltOutputOnTheHigherReference", {5}, {true}, true, "SHR1", {4700, 0, 0, 0}, true},
        // Below 3.5 V the main output cannot supply the 2.5 V reference.
        ReferenceCase{"ThreePointThreeVoltMainOutputTakesTheLowerReference", {3.3f}, {true}, true, "SHR2",
                      {7808.0645f, 0, 0, 0}, true},
        // 2 x 0.1 / 2.6 = 0.077 leaves too little to regulate with 2.5 V: evaluated again at 1.24 V.
        ReferenceCase{"OutputsCloseToTheHigherReferenceFallBackToTheLowerOne", {5, 2.6f, 2.6f}, {false, true, true},
                      true, "SHR2", {10309.677f, 10309.677f, 0, 0}, true},
        ReferenceCase{"LowerReferenceCannotStandAMainOutputAboveTwelveVolts", {15, 2.6f}, {false, true}, true, "SHR2",
                      {5154.8384f, 0, 0, 0}, false},
        // s = 0.5 + 9.5/12 + 12.5/15 + 21.5/24 over the first four; the fifth gets no resistor.
        ReferenceCase{"MoreThanFourRegulatedOutputsUseTheFirstFour", {5, 12, 15, 24, 5},
                      {true, true, true, true, true}, true, "SHR1", {28395.832f, 68150, 85187.5f, 136300}, true},
        // A regulated output below both references would need a negative resistor: none is fitted.
        ReferenceCase{"OutputBelowTheReferenceGetsNoResistor", {5, 1}, {false, true}, true, "SHR2", {0, 0, 0, 0},
                      false},
        ReferenceCase{"NoRegulatedOutputCannotRegulate", {5, 12}, {false, false}, true, "SHR2", {0, 0, 0, 0}, false},
        // Primary regulation only lists the regulated outputs' voltages.
        ReferenceCase{"PrimaryRegulationLeavesTheVoltagesInTheDivider", {5, 12}, {true, true}, false, "SHR1",
                      {5, 12, 0, 0}, true}),
    [](const ::testing::TestParamInfo<ReferenceCase>& info) { return info.param.name; });

class ReferenceOverrideTest : public ReferenceSelectionTest {};

TEST_F(ReferenceOverrideTest, EditedOutputIsJudgedWithTheValuesBeingEdited) {
    OperatingPoint.SecondaryRegulation = true;
    SetOutputs({5, 3}, {true, false});
    // The output editor asks about output 1 as 12 V regulated before it writes anything.
    EXPECT_TRUE(SelectReferenceIC(1, 1, true, 12));
    EXPECT_EQ(Regulation.ReferenceName, "SHR1");
    EXPECT_FLOAT_EQ(Regulation.Divider[1].Value, 12141.668f);
    EXPECT_FLOAT_EQ(Regulation.Divider[2].Value, 29140.004f);
    EXPECT_EQ(Outputs[1].Voltage, 3.0f);
    EXPECT_FALSE(Outputs[1].Regulated);
}
