// The primary's surge clamp: least dissipation within the chip's voltage and the part's rating.

#include <gtest/gtest.h>

#include <cmath>

#include "NumberText.h"
#include "Rectifiers.h"
#include "Variables.h"

using namespace zorvic;

class ClampSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        // 80 V reflected, 264 V mains, a 700 V chip, 10 uH leakage at 100 kHz.
        InputStage.ReflectedVoltage = 80;
        CurrentChip.Vdmax = 700;
        Transfo.Lleak.Value = 10e-6f;
        Transfo.IpeakMax = 1.0f;
    }
};

struct ClampCase {
    const char* name;
    float ipeak;
    const char* series;
    float vbr;
    const char* code;
    float dissipation;
};

class ClampRatingTest : public ClampSelectionTest, public ::testing::WithParamInterface<ClampCase> {};

// The highest breakdown voltage dissipates least; of the three series that share it, the first
// whose rating holds the loss wins, and past the last of them the fourth series' 200 V part.
TEST_P(ClampRatingTest, TakesTheFirstSeriesWhoseRatingHoldsTheLeastLoss) {
    const ClampCase& c = GetParam();
    Transfo.IpeakMax = c.ipeak;
    SelectClampComponents();
    EXPECT_EQ(Clamper.Clamp.Series, c.series);
    EXPECT_EQ(Clamper.Clamp.Vbr[0], c.vbr);
    EXPECT_EQ(Clamper.Clamp.Code[0], c.code);
    EXPECT_FLOAT_EQ(Clamper.Clamp.Dissipation, c.dissipation);
}

// Dissipation 0.5 x 10 uH x (0.8 Ipk)^2 x 100 kHz x Vbr / (Vbr - 80 V): 0.48306 W for 1 A on 237 V.
INSTANTIATE_TEST_SUITE_P(
    ByPeakCurrent, ClampRatingTest,
    ::testing::Values(ClampCase{"FirstOfEqualParts", 1.0f, "SPKA", 237, " 213", 0.48305735f},
                      ClampCase{"AboveFirstRating", 1.365f, "SPKB", 237, " 213", 0.90004444f},
                      ClampCase{"AboveSecondRating", 1.42f, "SPKC", 237, " 250A", 0.97403687f},
                      ClampCase{"OnlyTheLastSeriesHolds", 1.5f, "SPKD", 200, " 180", 1.2000000f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClampSelectionTest, ChipBreakdownLimitsTheClampVoltageStrictly) {
    // 237 V clamps up to 262.122 V; a chip that just reaches VdcMax plus that takes the next part.
    InputStage.VdcMax = 400;
    CurrentChip.Vdmax = 400 + ClampTable[0].VbrMax[6];
    SelectClampComponents();
    EXPECT_EQ(Clamper.Clamp.Series, "SPKA");
    EXPECT_EQ(Clamper.Clamp.Vbr[0], 209);
    EXPECT_EQ(Clamper.Clamp.VbrMax[0], ClampTable[0].VbrMax[5]);
    EXPECT_EQ(Clamper.Clamp.Code[0], " 188");
    EXPECT_FLOAT_EQ(Clamper.Clamp.Dissipation, 0.51844966f);  // 0.32 W x 209 / (209 - 80)

    CurrentChip.Vdmax = std::nextafter(CurrentChip.Vdmax, 1000.0f);
    SelectClampComponents();
    EXPECT_EQ(Clamper.Clamp.Vbr[0], 237);
}

TEST_F(ClampSelectionTest, NoFittingPartGivesThePlaceholderSizedFromTheMargin) {
    Transfo.IpeakMax = 3.0f;  // 2.88 W of leakage energy: more than any part's rating
    Clamper.VoltageMargin = 150;
    SelectClampComponents();
    const ClampRecord& c = Clamper.Clamp;
    EXPECT_EQ(c.Series, "No Ref");
    EXPECT_FLOAT_EQ(c.Vbr[0], 207);  // 0.9 x (150 + 80)
    EXPECT_EQ(c.VbrMax[0], 0);
    EXPECT_EQ(c.Code[0], "");
    EXPECT_EQ(c.PowerRating, 100);
    EXPECT_FLOAT_EQ(c.Dissipation, 2.88f);  // 0.5 x 10 uH x 2.4 A^2 x 100 kHz
}

TEST_F(ClampSelectionTest, PlaceholderWithNoVoltageMarginStillHasAFiniteLoss) {
    Transfo.IpeakMax = 3.0f;
    Clamper.VoltageMargin = 0;
    SelectClampComponents();
    EXPECT_EQ(Clamper.Clamp.Series, "No Ref");
    EXPECT_FLOAT_EQ(Clamper.Clamp.Dissipation, 2.88f);
}

TEST_F(ClampSelectionTest, ReflectedVoltageAtOrAboveEveryBreakdownLeavesNoPart) {
    // Every 237 V part is blocked by the chip; 209 V equals VR and is not above it.
    InputStage.ReflectedVoltage = 209;
    CurrentChip.Vdmax = 600;
    Clamper.VoltageMargin = 10;
    SelectClampComponents();
    EXPECT_EQ(Clamper.Clamp.Series, "No Ref");
    EXPECT_FLOAT_EQ(Clamper.Clamp.Vbr[0], 197.1f);
}
