// The input editor's rules: copying the input values in and back, the bus voltages that follow
// the input kind, the presets, the gaps between the ends of a range and the slider scales.

#include <gtest/gtest.h>

#include "ComputeDesign.h"
#include "InputEdit.h"
#include "NumberText.h"
#include "RecordingHost.h"
#include "Variables.h"

using namespace zorvic;

namespace {

class InputEditTest : public ::testing::Test {
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

}  // namespace

TEST_F(InputEditTest, StoringBackMarksTheDesignAndTheBusFollowsTheInputKind) {
    InputFields fields = LoadInputFields();
    EXPECT_EQ(fields.Freq, 50);
    EXPECT_FLOAT_EQ(fields.Vmin, 88.0f);
    EXPECT_FLOAT_EQ(fields.VmaxDC, 72.0f);
    StoreInputFields(fields);
    EXPECT_FALSE(Settings.DesignSaved);
    // 88 x 1.41421 - 40 and 264 x 1.41421.
    EXPECT_NEAR(InputStage.VdcMin, 84.45f, 0.005f);
    EXPECT_NEAR(InputStage.VdcMax, 373.35f, 0.005f);

    Settings.ACInput = false;
    fields.VminDC = 40;
    fields.Ripple = 55;
    StoreInputFields(fields);
    EXPECT_FLOAT_EQ(InputStage.RippleVoltage, 55.0f);
    EXPECT_FLOAT_EQ(InputStage.VdcMin, 40.0f);
    EXPECT_FLOAT_EQ(InputStage.VdcMax, 72.0f);
}

TEST_F(InputEditTest, TheInputKindIsWrittenAtOnceWithItsBusVoltages) {
    SetInputKind(true);  // no change: the design stays saved
    EXPECT_TRUE(Settings.DesignSaved);
    SetInputKind(false);
    EXPECT_FALSE(Settings.ACInput);
    EXPECT_FALSE(Settings.DesignSaved);
    EXPECT_FLOAT_EQ(InputStage.VdcMin, 36.0f);
    EXPECT_FLOAT_EQ(InputStage.VdcMax, 72.0f);
    SetInputKind(true);
    EXPECT_NEAR(InputStage.VdcMin, 84.45f, 0.005f);
}

struct PresetCase {
    int16_t freq;
    float vmin;
    float vmax;
    AcPreset preset;
};

class AcPresetTest : public ::testing::TestWithParam<PresetCase> {};

TEST_P(AcPresetTest, ValuesMatchAtMostOnePreset) {
    const PresetCase& c = GetParam();
    InputFields f;
    f.Freq = c.freq;
    f.Vmin = c.vmin;
    f.Vmax = c.vmax;
    EXPECT_EQ(MatchAcPreset(f), c.preset);
    if (c.preset == AcPreset::None) return;
    InputFields applied;
    applied.Ripple = 33;
    ApplyAcPreset(applied, c.preset);
    EXPECT_EQ(applied.Freq, c.freq);
    EXPECT_FLOAT_EQ(applied.Vmin, c.vmin);
    EXPECT_FLOAT_EQ(applied.Vmax, c.vmax);
    EXPECT_FLOAT_EQ(applied.Ripple, 33.0f);  // no preset touches the ripple
}

INSTANTIATE_TEST_SUITE_P(Presets, AcPresetTest,
                         ::testing::Values(PresetCase{60, 88, 264, AcPreset::FullRange},
                                           PresetCase{60, 88, 132, AcPreset::Us110},
                                           PresetCase{50, 176, 264, AcPreset::Eur220},
                                           PresetCase{50, 88, 264, AcPreset::None},  // the default input
                                           PresetCase{60, 88, 264.5f, AcPreset::None}));

TEST(TelecomPresetTest, SetsAndMatchesOnlyThirtySixToSeventyTwo) {
    InputFields f;
    ApplyTelecomPreset(f);
    EXPECT_TRUE(MatchesTelecomPreset(f));
    f.VminDC = 37;
    EXPECT_FALSE(MatchesTelecomPreset(f));
}

struct GapCase {
    const char* name;
    bool (*rule)(InputFields&);
    InputFields before;
    InputFields after;
    bool acted;
};

class RangeGapTest : public ::testing::TestWithParam<GapCase> {};

TEST_P(RangeGapTest, TheOtherEndFollowsTheChangedOne) {
    const GapCase& c = GetParam();
    InputFields f = c.before;
    EXPECT_EQ(c.rule(f), c.acted);
    EXPECT_FLOAT_EQ(f.Vmin, c.after.Vmin);
    EXPECT_FLOAT_EQ(f.Vmax, c.after.Vmax);
    EXPECT_FLOAT_EQ(f.VminDC, c.after.VminDC);
    EXPECT_FLOAT_EQ(f.VmaxDC, c.after.VmaxDC);
}

// Fields: Freq, Vmax, Vmin, Ripple, VminDC, VmaxDC.
INSTANTIATE_TEST_SUITE_P(
    Rules, RangeGapTest,
    ::testing::Values(GapCase{"MaxDownTo130", AdjustMinVoltage, {50, 130, 120, 40, 36, 72}, {50, 130, 100, 40, 36, 72}, true},
                      GapCase{"MinUpTo195", AdjustMaxVoltage, {50, 200, 195, 40, 36, 72}, {50, 225, 195, 40, 36, 72}, true},
                      GapCase{"ExactAcGapStays", AdjustMinVoltage, {50, 264, 234, 40, 36, 72}, {50, 264, 234, 40, 36, 72}, false},
                      GapCase{"DcMaxDownTo50", AdjustMinDCVoltage, {50, 264, 88, 40, 40, 50}, {50, 264, 88, 40, 35, 50}, true},
                      GapCase{"DcMinUpTo305", AdjustMaxDCVoltage, {50, 264, 88, 40, 305, 310}, {50, 264, 88, 40, 305, 320}, true},
                      GapCase{"ExactDcGapStays", AdjustMaxDCVoltage, {50, 264, 88, 40, 57, 72}, {50, 264, 88, 40, 57, 72}, false}),
    [](const ::testing::TestParamInfo<GapCase>& info) { return std::string(info.param.name); });

struct ScaleCase {
    const char* name;
    SliderScale scale;
    int position;
    float value;
};

class SliderScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(SliderScaleTest, PositionAndValueMatch) {
    const ScaleCase& c = GetParam();
    EXPECT_FLOAT_EQ(c.scale.Value(c.position), c.value);
    EXPECT_EQ(c.scale.Position(c.value), c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Input, SliderScaleTest,
    ::testing::Values(ScaleCase{"MaxAt14", InputScales::MaxVoltage, 14, 270}, ScaleCase{"MaxEnd", InputScales::MaxVoltage, 17, 300},
                      ScaleCase{"MinEnd", InputScales::MinVoltage, 22, 195}, ScaleCase{"Ripple40", InputScales::RipVoltage, 6, 40},
                      ScaleCase{"DcMaxEnd", InputScales::MaxDCVoltage, 50, 550}, ScaleCase{"DcMinEnd", InputScales::MinDCVoltage, 40, 435}),
    [](const ::testing::TestParamInfo<ScaleCase>& info) { return std::string(info.param.name); });

TEST(SliderPlacingTest, AValueBetweenStepsShowsAtTheNearestPositionHalvesToEven) {
    EXPECT_EQ(InputScales::MaxVoltage.Position(265), 14);   // 13.5
    EXPECT_EQ(InputScales::MaxVoltage.Position(275), 14);   // 14.5
    EXPECT_EQ(InputScales::MinVoltage.Position(88), 1);     // 0.6
    EXPECT_EQ(InputScales::MaxVoltage.Position(600), 47);   // the slider keeps it at its end
}
