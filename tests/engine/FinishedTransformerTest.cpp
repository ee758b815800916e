// The recorded transformer copied into the design: volts per turn of the finished windings,
// the actual output voltages and the transformer loss.

#include <gtest/gtest.h>

#include <cmath>

#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class FinishedTransformerTest : public ::testing::Test {
protected:
    void SetUp() override {
        InputStage.ReflectedVoltage = 80;
        CurrentChip.VddReg = 12;
        Settings.AdditionalOutputs = 1;
        Outputs[0].VoltageBeforeDiode = 5.45f;
        Outputs[1].VoltageBeforeDiode = 12.7f;
        BestPrimaryTurns = 44;
        BestAuxTurns = 7;
        BestOutputTurns[0] = 3;
        BestOutputTurns[1] = 7;
    }
};

TEST_F(FinishedTransformerTest, PrimaryRegulationTakesTheAuxiliaryWinding) {
    EXPECT_NEAR(FinishedVoltsPerTurn(), 1.8, 1e-6);  // (12 + 0.6) V / 7
}

TEST_F(FinishedTransformerTest, SecondaryRegulationAveragesTheRegulatedOutputs) {
    OperatingPoint.SecondaryRegulation = true;
    Outputs[0].Regulated = true;
    Outputs[1].Regulated = true;
    EXPECT_NEAR(FinishedVoltsPerTurn(), 1.815476, 1e-6);  // (5.45 / 3 + 12.7 / 7) / 2
    Outputs[1].Regulated = false;
    EXPECT_NEAR(FinishedVoltsPerTurn(), 1.816667, 1e-6);
}

TEST_F(FinishedTransformerTest, SecondaryRegulationWithoutRegulatedTurnsFallsBackToTheAuxiliary) {
    OperatingPoint.SecondaryRegulation = true;
    EXPECT_NEAR(FinishedVoltsPerTurn(), 1.8, 1e-6);
    // A regulated output with no turns counts for nothing.
    Outputs[1].Regulated = true;
    BestOutputTurns[1] = 0;
    EXPECT_NEAR(FinishedVoltsPerTurn(), 1.8, 1e-6);
    Outputs[0].Regulated = true;
    EXPECT_NEAR(FinishedVoltsPerTurn(), 1.816667, 1e-6);
}

TEST_F(FinishedTransformerTest, WithoutAuxiliaryTurnsThePrimaryGivesTheVoltsPerTurn) {
    BestAuxTurns = 0;
    EXPECT_NEAR(FinishedVoltsPerTurn(), 80.0 / 44, 1e-6);
    BestPrimaryTurns = 0;
    EXPECT_EQ(FinishedVoltsPerTurn(), 0.0f);
}

TEST_F(FinishedTransformerTest, ActualVoltagesByOutputKind) {
    Settings.AdditionalOutputs = 4;
    Outputs[0].OutputType = 9;  // rectified main output
    Outputs[0].Diode.VfCopy = 0.45f;
    Outputs[1].OutputType = 13;  // fixed post-regulator, 3.3 V chosen
    Outputs[1].Voltage = 3.5f;
    Outputs[1].Regulator.Vout[1] = 5;
    Outputs[1].Regulator.Vout[2] = 3.3f;
    Outputs[1].Regulator.ChosenItem = 2;
    Outputs[2].OutputType = 3;  // adjustable post-regulator, listed by its 1.2 V reference
    Outputs[2].Voltage = 9;
    Outputs[2].Regulator.Vout[1] = 1.2f;
    Outputs[3].OutputType = 1;  // Zener cell
    Outputs[3].Voltage = 15;
    Outputs[4].OutputType = 8;  // plain negative output
    Outputs[4].Diode.VfCopy = 0.7f;
    BestOutputTurns[4] = 10;
    ApplyRecordedDesign();
    EXPECT_NEAR(Outputs[0].ActualVoltage, 3 * 1.8 - 0.45, 1e-5);
    EXPECT_FLOAT_EQ(Outputs[1].ActualVoltage, 3.3f);
    EXPECT_FLOAT_EQ(Outputs[2].ActualVoltage, 9.0f);
    EXPECT_FLOAT_EQ(Outputs[3].ActualVoltage, 15.0f);
    EXPECT_NEAR(Outputs[4].ActualVoltage, 10 * 1.8 - 0.7, 1e-5);
    EXPECT_NEAR(OperatingPoint.ReflectedVoltageActual, 44 * 1.8, 1e-4);
    EXPECT_EQ(Transfo.OutputTurns[4], 10);
}

TEST_F(FinishedTransformerTest, TransformerLossIsTheRecordedDesignsLoss) {
    BestCoreLoss = 0.5f;
    BestWindingLoss = 0.25f;
    BestTotalLoss = 1e10f;  // the search restarted its total and found nothing better
    BestFlux = 0.2f;
    CurrentMaterial.Bdc = 0.05f;
    ApplyRecordedDesign();
    EXPECT_FLOAT_EQ(OperatingPoint.TransformerLoss, 0.75f);
    EXPECT_FLOAT_EQ(Transfo.CoreLoss, 0.5f);
    EXPECT_FLOAT_EQ(Transfo.WindingLoss, 0.25f);
    EXPECT_FLOAT_EQ(Transfo.Bmax, 0.25f);
    EXPECT_EQ(Transfo.PrimaryTurns, 44);
    EXPECT_EQ(Transfo.AuxTurns, 7);
}
