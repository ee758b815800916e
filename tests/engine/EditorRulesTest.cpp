// What the window tests of the input and chip editors do not reach: a gap of exactly the
// minimum, the whole chip list, every chip picture family, halves rounded to even, and a package
// position a chip does not have.

#include <gtest/gtest.h>

#include "ChipEdit.h"
#include "InputEdit.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class EditorRulesTest : public ::testing::Test {
protected:
};

TEST_F(EditorRulesTest, AGapOfExactlyTheMinimumStays) {
    InputFields f{50, 264, 234, 40, 57, 72};  // Freq, Vmax, Vmin, Ripple, VminDC, VmaxDC
    EXPECT_FALSE(AdjustMinVoltage(f) || AdjustMaxVoltage(f) || AdjustMinDCVoltage(f) || AdjustMaxDCVoltage(f));
    f.VminDC = 57.5f;
    EXPECT_TRUE(AdjustMinDCVoltage(f));
    EXPECT_FLOAT_EQ(f.VminDC, 57.0f);
}

TEST_F(EditorRulesTest, TheListLeavesOutFamilyTwoAndRowsFourteenAndSixteen) {
    EXPECT_EQ(ChipListRows(), (std::vector<int16_t>{0, 1, 2, 4, 5, 6, 9, 10, 11, 12, 13, 15}));
    EXPECT_EQ(PackageName(ChipTable[15], 2), "");  // ZorvicF1 has two packages
    EXPECT_EQ(PackageName(ChipTable[15], 9), "");
}

TEST_F(EditorRulesTest, StoringRoundsHalvesToEvenAndSetsThePicture) {
    ChipFields f = LoadChipFields();
    ChipWork = ChipTable[14];  // ZorvicE3, family 4
    Outputs[0].OutputType = 11;
    for (const auto& [tamb, stored] : {std::pair{24.5f, 24}, {25.5f, 26}, {-0.5f, 0}}) {
        f.Tamb = tamb;
        StoreChipFields(f);
        EXPECT_EQ(OperatingPoint.AmbientTemperature, stored);
    }
    EXPECT_EQ(Settings.ActiveZorvicPicture, 14);
    EXPECT_EQ(ChipPictureIndex(9, 1), 0);
    EXPECT_EQ(ChipPictureIndex(14, 2), 5);
    EXPECT_EQ(ChipPictureIndex(10, 3), 7);
}
