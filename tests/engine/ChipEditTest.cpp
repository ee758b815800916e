// The chip editor's rules: the chips it offers, the chip and package choices with their
// frequency limits and thermal resistances, the copy of the operating values in and back, and
// the chip picture index.

#include <gtest/gtest.h>

#include "ChipEdit.h"
#include "NumberText.h"
#include "RecordingHost.h"
#include "Variables.h"

using namespace zorvic;

namespace {

class ChipEditTest : public ::testing::Test {
protected:
    RecordingHost host;
    void SetUp() override {
        ResetDesignState();
        SetLocaleDecimalSeparator('.');
        ApplyDesignDefaults();
        InstallHost(&host);
    }
    void TearDown() override { InstallHost(nullptr); }
};

struct ChoiceCase {
    int16_t row;
    float fswBefore;
    float fswAfter;
    const char* secondPackage;
    float rthJP;
    int16_t lastPosition;
};

class ChipChoiceTest : public ChipEditTest, public ::testing::WithParamInterface<ChoiceCase> {};

}  // namespace

TEST_F(ChipEditTest, TheListOffersTwelveChipsInTableOrder) {
    EXPECT_EQ(ChipListRows(), (std::vector<int16_t>{0, 1, 2, 4, 5, 6, 9, 10, 11, 12, 13, 15}));
}

TEST_P(ChipChoiceTest, TheChipBringsItsFrequencyLimitAndSecondPackage) {
    const ChoiceCase& c = GetParam();
    ChipFields f;
    f.Fsw = c.fswBefore;
    f.PackageIndex = 0;
    ChooseChip(c.row, f);
    EXPECT_EQ(ChipWork.Name, ChipTable[static_cast<std::size_t>(c.row)].Name);
    EXPECT_FLOAT_EQ(f.Fsw, c.fswAfter);
    EXPECT_EQ(f.PackageIndex, 1);
    EXPECT_EQ(PackageName(ChipWork, f.PackageIndex), c.secondPackage);
    EXPECT_FLOAT_EQ(f.RthJP, c.rthJP);
    EXPECT_EQ(SwitchFreqLastPosition(ChipWork), c.lastPosition);
}

// ZorvicE1 runs at a fixed 60 kHz; ZorvicA1's limit is 200 kHz; an equal frequency stays.
INSTANTIATE_TEST_SUITE_P(Chips, ChipChoiceTest,
                         ::testing::Values(ChoiceCase{12, 100, 60, "SO8", 25, 5},
                                           ChoiceCase{0, 250, 200, "DIP8", 15, 19},
                                           ChoiceCase{4, 200, 200, "HTP10", 2, 19},
                                           ChoiceCase{15, 250, 250, "DIP8", 15, 29}));

TEST_F(ChipEditTest, APackageBringsItsThermalResistance) {
    ChipFields f;
    ChipWork = ChipTable[15];  // HTP10, DIP8
    EXPECT_EQ(PackageNames(ChipWork), (std::vector<std::string>{"HTP10", "DIP8"}));
    ChoosePackage(0, f);
    EXPECT_FLOAT_EQ(f.RthJP, 2.0f);
    ChoosePackage(1, f);
    EXPECT_FLOAT_EQ(f.RthJP, 15.0f);
    // A position the chip has no package at (possible only from a file) names none.
    EXPECT_EQ(PackageName(ChipWork, 3), "");
    EXPECT_EQ(PackageName(ChipWork, 9), "");
}

TEST_F(ChipEditTest, StoringBackRoundsFrequencyAndTemperatureAndMarksTheDesign) {
    InputStage.SwitchingFrequency = 132500;
    ChipFields f = LoadChipFields();
    EXPECT_FLOAT_EQ(f.Fsw, 132.5f);
    EXPECT_FLOAT_EQ(f.Tamb, 25.0f);
    EXPECT_EQ(ChipWork.Name, "ZorvicF1");

    ChipWork = ChipTable[12];  // ZorvicE1, family 3
    f.Fsw = 66.6667f;
    f.Tamb = 24.5f;
    StoreChipFields(f);
    EXPECT_EQ(InputStage.SwitchingFrequency, 66667);
    EXPECT_EQ(OperatingPoint.AmbientTemperature, 24);
    EXPECT_EQ(CurrentChip.Name, "ZorvicE1");
    EXPECT_EQ(Settings.ActiveZorvicPicture, 6);  // main output code 9, family 3
    EXPECT_FALSE(Settings.DesignSaved);
    f.Tamb = 25.5f;
    StoreChipFields(f);
    EXPECT_EQ(OperatingPoint.AmbientTemperature, 26);
}

TEST(ChipPictureTest, MainOutputCodeAndFamilyGiveTheIndex) {
    EXPECT_EQ(ChipPictureIndex(9, 1), 0);
    EXPECT_EQ(ChipPictureIndex(14, 2), 5);
    EXPECT_EQ(ChipPictureIndex(10, 3), 7);
    EXPECT_EQ(ChipPictureIndex(11, 4), 14);
    EXPECT_EQ(ChipPictureIndex(14, 5), 23);
}

TEST(ChipSliderScaleTest, GainAndSoftStartStepInTenthsAndMilliseconds) {
    EXPECT_FLOAT_EQ(ChipScales::GainOpto.Value(8), 1.0f);
    EXPECT_EQ(ChipScales::GainOpto.Position(1.0f), 8);
    EXPECT_EQ(ChipScales::GainOpto.Position(0.7f), 5);
    EXPECT_FLOAT_EQ(ChipScales::SoftStart.Value(10), 0.010f);
    EXPECT_EQ(ChipScales::SoftStart.Position(0.01f), 10);
    EXPECT_EQ(ChipScales::SwitchFreq.Position(132.5f), 12);  // 12.25
    EXPECT_EQ(ChipScales::ReflectVoltage.Position(80), 6);
}
