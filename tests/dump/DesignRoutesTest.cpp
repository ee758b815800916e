// One design reached by different routes shows one state: opened at start-up, opened after other
// designs, edited away and back, saved and reopened. Its figures depend on the design alone.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ComputeDesign.h"
#include "DesignFields.h"
#include "FileManagement.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;
using zorvic::dump::Json;

namespace {

struct Design {
    const char* name;
    const char* overrides;
};

// A hot DC design, a family-3 design and six outputs under secondary regulation.
const Design Designs[] = {
    {"HotDc", R"({"@Chip": 10, "InputStage.SwitchingFrequency": 188000, "OperatingPoint.ChipPackageType": 1,
                 "OperatingPoint.RthJunctionPin": 2.0, "Settings.ACInput": false, "InputStage.DCInputMin": 36,
                 "InputStage.DCInputMax": 72, "InputStage.ReflectedVoltage": 145,
                 "OperatingPoint.AmbientTemperature": 120, "OperatingPoint.RthPinAmbient": 46,
                 "Settings.AdditionalOutputs": 1, "Outputs[0].Voltage": 20.5, "Outputs[0].Current": 2.36,
                 "Outputs[0].OutputType": 9, "Outputs[1].Voltage": 23.2, "Outputs[1].Current": 1.37,
                 "Outputs[1].OutputType": 6, "Outputs[1].Polarity": false})"},
    {"FamilyThree", R"({"@Chip": 12, "Outputs[0].Voltage": 12, "Outputs[0].Current": 1.5})"},
    {"SixOutputs", R"({"Settings.AdditionalOutputs": 5, "OperatingPoint.SecondaryRegulation": true,
                     "Outputs[0].OutputType": 10, "Outputs[0].Regulated": true, "Outputs[1].OutputType": 1,
                     "Outputs[1].Voltage": 12, "Outputs[2].OutputType": 3, "Outputs[2].Voltage": 3.3,
                     "Outputs[2].Regulator.Family": "StdPos", "Outputs[3].OutputType": 5,
                     "Outputs[3].Voltage": 15, "Outputs[4].OutputType": 7, "Outputs[4].Voltage": 24,
                     "Outputs[5].OutputType": 8, "Outputs[5].Voltage": 9, "Outputs[5].Polarity": false})"},
};

class DesignRoutesTest : public ::testing::TestWithParam<Design> {
protected:
    std::string file = ::testing::TempDir() + "route-" + GetParam().name + ".zpj";

    void TearDown() override { std::remove(file.c_str()); }

    static void Compute(const char* overrides) {
        std::string error;
        ASSERT_TRUE(dump::ComputeWithOverrides(Json::parse(overrides), error)) << error;
    }
    // File > Open: the file's design, computed.
    void Open() {
        ASSERT_EQ(LoadProject(file), FileStatus::Done);
        ComputeDesign();
    }
    static Json State() {
        Json state = dump::DesignToJson();
        // The file's name is the route's, not the design's.
        state["Settings"].erase("DesignFileName");
        return state;
    }
};

TEST_P(DesignRoutesTest, EveryRouteShowsTheStateTheDesignWasSavedIn) {
    Compute(GetParam().overrides);
    Settings.DesignFileName = file;
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    const Json saved = State();

    // Opened at start-up, with nothing computed before it but the default design.
    ResetDesignState();
    ApplyDesignDefaults();
    Open();
    EXPECT_EQ(State(), saved) << "opened at start-up";

    // Opened after two other designs.
    for (const Design& other : Designs) {
        if (std::string(other.name) != GetParam().name) Compute(other.overrides);
    }
    Open();
    EXPECT_EQ(State(), saved) << "opened after other designs";

    // Edited away and back: the clamp toggled twice, the reflected voltage changed and put back.
    for (int i = 0; i < 2; ++i) {
        Clamper.RCClamper = !Clamper.RCClamper;
        ComputeDesign();
    }
    const float vr = InputStage.ReflectedVoltage;
    InputStage.ReflectedVoltage = vr + 10;
    ComputeDesign();
    InputStage.ReflectedVoltage = vr;
    ComputeDesign();
    EXPECT_EQ(State(), saved) << "edited and put back";
}

INSTANTIATE_TEST_SUITE_P(Designs, DesignRoutesTest, ::testing::ValuesIn(Designs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DefaultDesignRoutesTest, NewAfterAnotherDesignShowsTheStartUpDesign) {
    std::string error;
    ASSERT_TRUE(dump::ComputeWithOverrides(Json::object(), error));
    const Json startUp = dump::DesignToJson();
    // The figures the default design shows, from its own first computation.
    EXPECT_FLOAT_EQ(Clamper.R1.Value, 470000);
    EXPECT_FLOAT_EQ(Control.R3.Value, 560);

    ASSERT_TRUE(dump::ComputeWithOverrides(Json::parse(Designs[2].overrides), error));
    ApplyDesignDefaults();
    ComputeDesign();
    EXPECT_EQ(dump::DesignToJson(), startUp);
}

// Far past 170 degC a sum of growths taken back cancels to nothing in single precision: the
// conduction loss is the on-resistance at the limit (2.8 ohm x 1.00836^145) times IrmsMax squared.
TEST(HotDesignTest, ConductionLossIsTheOneAtTheLimit) {
    std::string error;
    ASSERT_TRUE(dump::ComputeWithOverrides(Json::parse(Designs[0].overrides), error));
    const ChipRecord& chip = CurrentChip;
    ASSERT_TRUE(chip.OverTemperature);
    EXPECT_EQ(chip.Tj, 170);
    const float irms = Transfo.IrmsMax;
    EXPECT_FLOAT_EQ(chip.LossConduction, irms * irms * 2.8f * 3.3439915f);
    EXPECT_NEAR(chip.LossConduction, 69, 1);
    EXPECT_NEAR(OperatingPoint.ChipLoss, 73, 1);
    EXPECT_NEAR(OperatingPoint.Efficiency, 0.50f, 0.01f);
}

}  // namespace
