// Every default the design gets at start-up and on File > New.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ComputeTransfo.h"
#include "DesignResults.h"
#include "DrainWaveform.h"
#include "NumberText.h"
#include "SampleDesigns.h"
#include "Variables.h"

using namespace zorvic;

class DesignStateTest : public ::testing::Test {};

TEST_F(DesignStateTest, SettingsDefaults) {
    EXPECT_EQ(Settings.DesignFileName, "Default.zpj");
    EXPECT_TRUE(Settings.DesignSaved);
    EXPECT_EQ(Settings.DecimalSeparator, ".");
    EXPECT_TRUE(Settings.DecimalPointIsDot);
    EXPECT_TRUE(Settings.StartupPending);
    EXPECT_EQ(Settings.TrainingMode, 0);
    EXPECT_FLOAT_EQ(Settings.ButtonZoomMin, 0.4f);
    EXPECT_FLOAT_EQ(Settings.LabelZoomMin, 0.75f);
    EXPECT_EQ(Settings.AdditionalOutputs, 0);
    EXPECT_EQ(Settings.ActiveZorvicPicture, 0);
    for (bool userDiode : Settings.UserDefinedDiode) EXPECT_FALSE(userDiode);
    EXPECT_FALSE(Settings.UserPrimaryInductance);
    EXPECT_FALSE(Settings.UserPrimaryTurns);
    EXPECT_FALSE(Settings.UserCoreMaterial);
    EXPECT_FALSE(Settings.UserCoreGeometry);
    EXPECT_EQ(Settings.AWGDetailWinding, 7);
    EXPECT_FLOAT_EQ(Settings.BmaxRatio, 0.75f);
    EXPECT_EQ(Settings.WindingOptimisationType, 0);
    EXPECT_FALSE(Settings.FixedDiameter);
    EXPECT_EQ(Settings.GeometryListType, "E");
    EXPECT_EQ(Settings.BackgroundColor, 15461355.0);
    EXPECT_TRUE(Settings.ACInput);
    EXPECT_TRUE(Settings.CoreCriterionTemp);
    EXPECT_FALSE(Settings.RegulationWasSecondary);
    EXPECT_FALSE(Settings.CustomCoreMode);
}

TEST_F(DesignStateTest, OperatingPointTransformerClampAndControlDefaults) {
    EXPECT_EQ(OperatingPoint.MaxRegulatedOutputs, 3);
    EXPECT_EQ(OperatingPoint.RegulatedOutputCount, 0);
    EXPECT_FALSE(OperatingPoint.SecondaryRegulation);
    EXPECT_EQ(OperatingPoint.AmbientTemperature, 25);
    EXPECT_FLOAT_EQ(OperatingPoint.DiodeCurrentMargin, 2.0f);
    EXPECT_FLOAT_EQ(OperatingPoint.DiodeVoltageMargin, 1.75f);
    EXPECT_FLOAT_EQ(OperatingPoint.RthPinAmbient, 30.0f);
    EXPECT_EQ(Transfo.ParallelWireMax, 10);
    EXPECT_FLOAT_EQ(Transfo.LeakageRatio, 0.03f);
    EXPECT_FLOAT_EQ(Transfo.WindowFactor, 0.8f);
    EXPECT_FLOAT_EQ(Transfo.Cpri.Value, 3e-11f);
    EXPECT_FLOAT_EQ(Transfo.CoreLossShare, 0.02f);
    EXPECT_FLOAT_EQ(Transfo.MaxDeltaT, 40.0f);
    EXPECT_TRUE(Clamper.RCClamper);
    EXPECT_FLOAT_EQ(Control.OptoGain, 1.0f);
    EXPECT_FLOAT_EQ(Control.SoftStartTime, 0.01f);
    EXPECT_FLOAT_EQ(Regulation.ReferenceCurrent, 0.001f);
}

TEST_F(DesignStateTest, InputDefaultsAndTheBusVoltagesInSinglePrecision) {
    EXPECT_FLOAT_EQ(InputStage.VacMin, 88.0f);
    EXPECT_FLOAT_EQ(InputStage.VacMax, 264.0f);
    EXPECT_EQ(InputStage.MainsFrequency, 50);
    EXPECT_EQ(InputStage.SwitchingFrequency, 100000);
    EXPECT_FLOAT_EQ(InputStage.DCInputMin, 36.0f);
    EXPECT_FLOAT_EQ(InputStage.DCInputMax, 72.0f);
    EXPECT_FLOAT_EQ(InputStage.RippleVoltage, 40.0f);
    EXPECT_FLOAT_EQ(InputStage.ReflectedVoltage, 80.0f);
    EXPECT_EQ(InputStage.VdcMin, static_cast<float>(88 * std::sqrt(2.0) - 40));
    EXPECT_EQ(InputStage.VdcMax, static_cast<float>(264 * std::sqrt(2.0)));
    EXPECT_NEAR(InputStage.VdcMin, 84.45, 0.01);
    EXPECT_NEAR(InputStage.VdcMax, 373.35, 0.01);
}

TEST_F(DesignStateTest, OutputsShareDefaultsAndTheMainOutputIsType9) {
    for (int i = 0; i < OutputCount; ++i) {
        const OutputRecord& o = Outputs[static_cast<std::size_t>(i)];
        EXPECT_FLOAT_EQ(o.Voltage, 5.0f);
        EXPECT_FLOAT_EQ(o.Current, 1.0f);
        EXPECT_FLOAT_EQ(o.MinimumCurrent, 0.0f);
        EXPECT_TRUE(o.Polarity);
        EXPECT_FALSE(o.Regulated);
        EXPECT_FLOAT_EQ(o.RippleFirstCell, 0.3f);
        EXPECT_FLOAT_EQ(o.RippleSecondCell, 0.05f);
        EXPECT_FLOAT_EQ(o.Regulator.Vdrop, 0.0f);
        EXPECT_FLOAT_EQ(o.VoltageBeforeDiode, 5.45f);
        EXPECT_FLOAT_EQ(o.CapacitorDerating, 2.0f);
        EXPECT_EQ(o.Index, i);
        EXPECT_EQ(o.OutputType, i == 0 ? 9 : 7);
    }
    EXPECT_EQ(OutputBlank.OutputType, 7);
    EXPECT_EQ(OutputBlank.Index, 5);
}

TEST_F(DesignStateTest, NewDesignKeepsProjectNameAndComputedFields) {
    Settings.ProjectName = "Charger";
    Settings.InputEditedLast = true;
    OperatingPoint.Efficiency = 0.8f;
    InputStage.VacMin = 100;
    Settings.AdditionalOutputs = 3;
    ApplyDesignDefaults();
    EXPECT_EQ(Settings.ProjectName, "Charger");
    EXPECT_TRUE(Settings.InputEditedLast);
    EXPECT_FLOAT_EQ(OperatingPoint.Efficiency, 0.8f);
    EXPECT_FLOAT_EQ(InputStage.VacMin, 88.0f);
    EXPECT_EQ(Settings.AdditionalOutputs, 0);
}

// What the modules keep between calls, outside the design records.
std::vector<double> KeptValues() {
    const DesignResults r = CaptureDesignResults();
    std::vector<double> v = {double(r.bestPrimaryTurns), double(r.bestAuxTurns), r.bestPrimaryWire.AreaIns,
                             r.bestAuxWire.AreaIns, r.bestCoreLoss, r.bestWindingLoss, r.bestTotalLoss, r.bestFlux,
                             r.lowestFlux, r.skinDepth, double(r.syntheticWireUsed), double(r.workAuxTurns),
                             double(r.designEvaluations), double(r.lastSearchRecorded), r.optimiser.turnLength,
                             r.optimiser.skinDepth, double(r.optimiser.optimisationType),
                             double(r.optimiser.lastOutput), double(r.optimiser.maxStrands),
                             double(r.optimiser.iterations), r.dutyMax, double(SearchesRun),
                             double(DrainWaveformState().Filled)};
    for (std::size_t i = 0; i < OutputCount; ++i)
        v.insert(v.end(), {double(r.bestOutputTurns[i]), r.bestOutputWires[i].AreaIns, double(r.workOutputTurns[i])});
    return v;
}

// A test after another starts as the program does: nothing the designs before it computed, drew
// or searched is left, the transformer search's memory included.
TEST_F(DesignStateTest, ResetLeavesNothingOfTheDesignsBefore) {
    const std::vector<double> atStart = KeptValues();
    sample_designs::ComputeWithTransformer(sample_designs::Design::SixOutputs);
    float v = 0;
    float i = 0;
    DrainWaveformPoint(0.5f, 0, v, i, "Vmax", "", 0);
    ResetDesignState();
    ApplyDesignDefaults();
    EXPECT_EQ(KeptValues(), atStart);
    // Recomputing the design of before the reset searches again: its first and refining pass.
    ComputeDesign();
    ResetDesignState();
    ApplyDesignDefaults();
    ComputeDesign();
    EXPECT_EQ(SearchesRun, 2);
}

TEST_F(DesignStateTest, CommaLocaleIsDetectedFromFormat) {
    SetLocaleDecimalSeparator(',');
    ApplyDesignDefaults();
    SetLocaleDecimalSeparator('.');
    EXPECT_EQ(Settings.DecimalSeparator, ",");
    EXPECT_FALSE(Settings.DecimalPointIsDot);
}

TEST_F(DesignStateTest, ChipPictureOneDrawingPerMainOutputCodeAndFamily) {
    struct Case {
        int16_t mainType;
        int16_t family;
        int16_t picture;
    };
    for (const Case c : {Case{9, 1, 0}, Case{9, 2, 0}, Case{14, 2, 5}, Case{9, 3, 6}, Case{12, 4, 15},
                         Case{9, 5, 18}, Case{14, 5, 23}, Case{7, 1, 0}, Case{1, 4, 12}}) {
        Outputs[0].OutputType = c.mainType;
        CurrentChip.Family = c.family;
        EXPECT_EQ(ChipPictureIndex(), c.picture) << c.mainType << " " << c.family;
    }
}

TEST_F(DesignStateTest, PrimaryRegulationTakesTheMainOutputsOddCodeAndClearsTheLoop) {
    const int16_t before[] = {9, 10, 11, 12, 13, 14, 7};
    const int16_t after[] = {9, 9, 11, 11, 13, 13, 7};
    const int16_t picture[] = {12, 12, 14, 14, 16, 16, 12};  // family 4; code 7 takes code 9's drawing
    CurrentChip.Family = 4;
    for (std::size_t k = 0; k < std::size(before); ++k) {
        Outputs[0].OutputType = before[k];
        OperatingPoint.SecondaryRegulation = true;
        Settings.RegulationWasSecondary = true;
        for (OutputRecord& o : Outputs) o.Regulated = true;
        SelectPrimaryRegulation();
        EXPECT_EQ(Outputs[0].OutputType, after[k]);
        EXPECT_EQ(Settings.ActiveZorvicPicture, picture[k]);
        EXPECT_FALSE(OperatingPoint.SecondaryRegulation);
        EXPECT_FALSE(Settings.RegulationWasSecondary);
        for (const OutputRecord& o : Outputs) EXPECT_FALSE(o.Regulated);  // inactive records too
    }
}

TEST_F(DesignStateTest, SecondaryRegulationTakesTheMainOutputsEvenCode) {
    const int16_t before[] = {9, 10, 11, 12, 13, 14, 7};
    const int16_t after[] = {10, 10, 12, 12, 14, 14, 7};
    const int16_t picture[] = {7, 7, 9, 9, 11, 11, 6};  // family 3
    CurrentChip.Family = 3;
    Outputs[3].Regulated = true;
    for (std::size_t k = 0; k < std::size(before); ++k) {
        Outputs[0].OutputType = before[k];
        SelectSecondaryRegulation();
        EXPECT_EQ(Outputs[0].OutputType, after[k]);
        EXPECT_EQ(Settings.ActiveZorvicPicture, picture[k]);
        EXPECT_TRUE(OperatingPoint.SecondaryRegulation);
        EXPECT_TRUE(Outputs[3].Regulated);  // the loop's outputs are the caller's choice
    }
}
