// The thermal rule of thumb of a ferrite core: temperature rise from loss and the loss allowed
// for a temperature rise.

#include <gtest/gtest.h>

#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class CoreThermalTest : public ::testing::Test {
protected:
};

TEST_F(CoreThermalTest, OneCm4CoreRisesTwentyThreeKelvinPerWatt) {
    CoreGeometry core;
    core.W = 100;
    core.Ae = 100;
    EXPECT_NEAR(CoreTempRise(1.0f, core), 23.0, 1e-9);
    EXPECT_NEAR(CoreMaxLoss(46.0f, core), 2.0, 1e-9);
    // E30/15/7: W 80 mm2 x Ae 60 mm2 = 0.48 cm4; 23 x 0.48^-0.37 = 30.18 K per watt.
    EXPECT_NEAR(CoreTempRise(1.0f, StandardCoreTable[18]), 30.1765, 1e-3);
}

TEST_F(CoreThermalTest, RulesOfThumbComputeInSixtyFourBits) {
    // 23 x P and W x Ae / 10000 kept in 64 bits; rounding either to 32 bits first moves the
    // result by about 1e-8, far beyond a few units of a double's last place.
    const CoreGeometry& e30 = StandardCoreTable[18];
    EXPECT_DOUBLE_EQ(CoreTempRise(0.7f, e30), 0x1.51fa0074e7dcdp+4);
    EXPECT_DOUBLE_EQ(CoreMaxLoss(40.0f, e30), 0x1.53564df3057d2p+0);
}

TEST_F(CoreThermalTest, MaxLossAndTemperatureRiseAreInverse) {
    for (const CoreGeometry& core : StandardCoreTable) {
        const double loss = CoreMaxLoss(40.0f, core);
        EXPECT_NEAR(CoreTempRise(static_cast<float>(loss), core), 40.0, 40.0 * 1e-6) << core.Name;
    }
}
