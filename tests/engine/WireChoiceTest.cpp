// Magnet wire for a given insulated area: the thickest table wire that fits, made thinner
// than the table only when allowed, with its resistance raised for the skin effect.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class WireChoiceTest : public ::testing::Test {
protected:
};

struct WireCase {
    int32_t fsw;
    float area;     // mm2 allowed for one insulated strand
    int awg;
    double rlin;    // ohm/m, skin-corrected
};

class WireForArea : public WireChoiceTest, public ::testing::WithParamInterface<WireCase> {};

// Skin depth 0.2087 mm at 100 kHz (AWG 25 and thicker are corrected), 0.1044 mm at 400 kHz.
INSTANTIATE_TEST_SUITE_P(WireChoiceTest, WireForArea,
                         ::testing::Values(WireCase{100000, 0.25f, 25, 0.106698},   // AWG 24 is 0.251
                                           WireCase{100000, 0.251f, 24, 0.0871162}, // equal area fits
                                           WireCase{100000, 100.0f, 10, 0.0110595}, // thickest row
                                           WireCase{100000, 0.16f, 26, 0.134},      // below the skin depth
                                           WireCase{100000, 0.00316f, 44, 8.51},    // thinnest row exactly
                                           WireCase{400000, 0.07f, 30, 0.350372},
                                           WireCase{400000, 0.0678f, 30, 0.350372}));

TEST_P(WireForArea, TakesTheThickestWireThatFits) {
    InputStage.SwitchingFrequency = GetParam().fsw;
    const WireRecord wire = SelectWire(GetParam().area, false);
    EXPECT_EQ(wire.Awg, GetParam().awg);
    EXPECT_NEAR(wire.Rlin, GetParam().rlin, GetParam().rlin * 2e-5);
    EXPECT_LE(wire.AreaIns, GetParam().area);
    EXPECT_EQ(wire.Strands, 0);
    EXPECT_FALSE(SyntheticWireUsed);
}

TEST_F(WireChoiceTest, TooSmallAreaWithoutSyntheticWireGivesAwg44) {
    const WireRecord wire = SelectWire(0.003f, false);
    EXPECT_EQ(wire.Awg, 44);
    EXPECT_FLOAT_EQ(wire.Rlin, 8.51f);
    EXPECT_FALSE(SyntheticWireUsed);
}

TEST_F(WireChoiceTest, TooSmallAreaMakesASyntheticWireOfAwg44Resistivity) {
    const WireRecord wire = SelectWire(0.003f, true);
    EXPECT_EQ(wire.Awg, 0);
    EXPECT_FLOAT_EQ(wire.AreaIns, 0.003f);
    EXPECT_FLOAT_EQ(wire.Area, 0.002f);
    EXPECT_NEAR(wire.Rlin, 8.5951, 8.5951 * 1e-5);
    EXPECT_TRUE(SyntheticWireUsed);
}

TEST_F(WireChoiceTest, OnceASyntheticWireIsMadeEveryTooSmallAreaGetsOne) {
    SelectWire(0.003f, true);
    EXPECT_EQ(SelectWire(0.001f, false).Awg, 0);
    // A wire that fits the table stays a table wire.
    EXPECT_EQ(SelectWire(0.0045f, false).Awg, 43);
    SyntheticWireUsed = false;
    EXPECT_EQ(SelectWire(0.001f, false).Awg, 44);
}

TEST_F(WireChoiceTest, NoAreaGivesAwg44AndNoSyntheticWire) {
    for (float area : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
        const WireRecord wire = SelectWire(area, true);
        EXPECT_EQ(wire.Awg, 44) << area;
        EXPECT_TRUE(std::isfinite(wire.Rlin) && wire.Rlin > 0) << area;
        EXPECT_FALSE(SyntheticWireUsed) << area;
    }
}

TEST_F(WireChoiceTest, SkinAreaRatioIsTheConductingRingShare) {
    SkinDepth = 0.2f;
    // r = 0.5 mm: the ring between 0.3 and 0.5 mm carries the current, 1 - 0.09/0.25.
    EXPECT_NEAR(SkinAreaRatio(static_cast<float>(std::numbers::pi * 0.25)), 0.64, 1e-5);
    // r = 0.3 mm: the ring between 0.1 and 0.3 mm; at r = skin depth the whole section.
    EXPECT_NEAR(SkinAreaRatio(static_cast<float>(std::numbers::pi * 0.09)), 1 - 0.01 / 0.09, 1e-5);
    EXPECT_FLOAT_EQ(SkinAreaRatio(static_cast<float>(std::numbers::pi * 0.04)), 1.0f);
    EXPECT_FLOAT_EQ(SkinAreaRatio(0.01f), 1.0f);
}
