// An output's post-regulation and filter parts: regulator, Zener cell, inductor and the two
// capacitor cells, with the label texts the schematic shows.

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <utility>

#include "NumberText.h"
#include "OutputParts.h"
#include "Variables.h"

using namespace zorvic;

class OutputPartsTest : public ::testing::Test {
protected:
    static OutputRecord& Output(int i, float voltage, float current) {
        OutputRecord& o = Outputs[static_cast<std::size_t>(i)];
        o.Voltage = voltage;
        o.Current = current;
        return o;
    }
};

// A row rated exactly for the output's current is enough, and of two rows rated alike the first
// is kept.
TEST_F(OutputPartsTest, RegulatorOfExactRatingAndFirstOfEqualRatings) {
    const std::pair<const char*, float> rows[] = {{"BELOW", 0.4999f}, {"FIRST", 0.5f}, {"SECOND", 0.5f}};
    for (std::size_t i = 0; i < std::size(rows); ++i)
        RegulatorTable[i] = {.Name = rows[i].first, .Vout = {0, 5}, .IoutMax = rows[i].second, .Family = "Tie"};
    OutputRecord& o = Output(0, 5, 0.5f);
    o.Regulator.Family = "Tie";
    float drop = 0;
    SelectOutputRegulator(o, drop);
    EXPECT_EQ(o.Regulator.Name, "FIRST");
}

struct RegulatorCase {
    const char* name;
    const char* family;
    float vout;
    float iout;
    const char* part;
    int16_t item;
    float drop;
};

class RegulatorChoiceTest : public OutputPartsTest, public ::testing::WithParamInterface<RegulatorCase> {};

TEST_P(RegulatorChoiceTest, SmallestSufficientRatingThenLastMatchingVoltage) {
    const RegulatorCase& c = GetParam();
    OutputRecord& o = Output(0, c.vout, c.iout);
    o.Regulator.Family = c.family;
    float drop = -1;
    SelectOutputRegulator(o, drop);
    EXPECT_EQ(o.Regulator.Name, c.part);
    EXPECT_EQ(o.Regulator.ChosenItem, c.item);
    EXPECT_EQ(o.Regulator.Family, c.family);
    EXPECT_FLOAT_EQ(drop, c.drop);
    EXPECT_FLOAT_EQ(o.RegulatorLoss, c.drop * c.iout);
    EXPECT_EQ(o.SerialElement.Name, std::string("    Vr11  ") + c.part);
}

INSTANTIATE_TEST_SUITE_P(
    Families, RegulatorChoiceTest,
    ::testing::Values(
        // 5 V lies within 3 % of 5.1 V; the 0.5 A part is the smallest that carries 0.4 A.
        RegulatorCase{"FixedWithinThreePercent", "StdPos", 5.1f, 0.4f, "VRAM05", 1, 2.08f},
        // Both 5 V and 5.2 V match; the last one is chosen, the name still reads 05.
        RegulatorCase{"LastMatchingItemOfTheRow", "StdPos", 5.1f, 1.0f, "VRA05", 2, 2.0666666f},
        // 5.4 V / 1.03 is above 5.2 V: only the adjustable parts remain.
        RegulatorCase{"OutsideThreePercentTakesAdjustable", "StdPos", 5.4f, 0.4f, "VRC4M", 1, 2.08f},
        RegulatorCase{"AdjustableAtItsReference", "SemiPos", 1.2f, 0.5f, "VRD4", 1, 1.1875f},
        // Below 1.2 V / 1.03 no adjustable part can serve; its own drop data stay.
        RegulatorCase{"AdjustableBelowItsReference", "SemiPos", 1.1f, 0.5f, "No Ref", 1, 1.1875f},
        RegulatorCase{"TenfoldVoltageName", "LowPos", 3.3f, 0.1f, "VRK33", 4, 0.3f},
        RegulatorCase{"TenfoldVoltageNameOfTheOtherFamily", "LowPos", 5.5f, 0.3f, "VRH55", 12, 0.36f},
        RegulatorCase{"DashedDecimalName", "LowPos", 5, 1.2f, "VRG1-5.0", 1, 0.48f},
        RegulatorCase{"DashedDecimalNameSmallPart", "LowPos", 3, 0.05f, "VRD7-3.0", 2, 0.2f},
        RegulatorCase{"NoPartCarriesTheCurrent", "StdNeg", 5, 2, "No Ref", 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OutputPartsTest, NoRefRegulatorKeepsTheFamilySoACorrectedOutputFindsItsPart) {
    OutputRecord& o = Output(0, 5, 2);
    o.Regulator.Family = "StdNeg";
    float drop = 0;
    SelectOutputRegulator(o, drop);
    EXPECT_EQ(o.Regulator.Name, "No Ref");
    EXPECT_EQ(o.Regulator.Vout[0], 5);
    EXPECT_EQ(o.Regulator.Family, "StdNeg");

    o.Current = 1;
    SelectOutputRegulator(o, drop);
    EXPECT_EQ(o.Regulator.Name, "VRB05");
}

TEST_F(OutputPartsTest, ZeroVoltageRegulatorIsNoRefWithFiniteDrop) {
    OutputRecord& o = Output(3, 0, 1);
    o.Regulator.Family = "StdPos";
    float drop = -1;
    SelectOutputRegulator(o, drop);
    EXPECT_EQ(o.Regulator.Name, "No Ref");
    EXPECT_TRUE(std::isfinite(drop));
    EXPECT_EQ(o.SerialElement.Name, "    Vr41  No Ref");
}

TEST_F(OutputPartsTest, RegulatorLossOfANeverChosenRegulatorIsFinite) {
    OutputRecord& o = Output(0, 5, 1);
    o.Regulator = {};
    o.Regulator.Vdrop = 2;
    EXPECT_FLOAT_EQ(RegulatorLoss(o), 2);
}

TEST_F(OutputPartsTest, ZenerCellHalvesTheVoltageOnTheNextLowerE12Resistor) {
    OutputRecord& o = Output(0, 12, 0.1f);
    float drop = 0;
    SizeZenerCell(o, drop);
    EXPECT_EQ(o.Zener.Vrrm, 12);
    EXPECT_FLOAT_EQ(o.DropResistor.Value, 56);  // 60 ohm rounded down
    EXPECT_EQ(o.Zener.Name, "D12\r\n12V");
    EXPECT_EQ(o.SerialElement.Name, "R11  56R");
    EXPECT_EQ(drop, 6);

    OutputRecord& third = Output(2, 5, 1);
    SizeZenerCell(third, drop);
    EXPECT_FLOAT_EQ(third.DropResistor.Value, 2.2f);  // 2.5 ohm rounded down
    EXPECT_EQ(third.Zener.Name, "D32\r\n5.0V");
    EXPECT_EQ(third.SerialElement.Name, "R31  2.2R");
    EXPECT_EQ(drop, 2.5f);
}

TEST_F(OutputPartsTest, ZenerCellWithoutCurrentOrVoltageHasNoResistor) {
    OutputRecord& o = Output(0, 12, 0);
    float drop = 0;
    SizeZenerCell(o, drop);
    EXPECT_EQ(o.DropResistor.Value, 0);
    EXPECT_EQ(o.SerialElement.Name, "R11  No Ref");
    EXPECT_EQ(o.Zener.Name, "D12\r\n12V");
    EXPECT_EQ(drop, 6);

    o.Voltage = 0;
    o.Current = 1;
    SizeZenerCell(o, drop);
    EXPECT_EQ(o.DropResistor.Value, 0);
    EXPECT_EQ(o.SerialElement.Name, "R11  No Ref");
    EXPECT_EQ(o.Zener.Name, "D12\r\nNo Ref");
    EXPECT_EQ(drop, 0);
}

TEST_F(OutputPartsTest, InductorLabelShowsItsValue) {
    OutputRecord& o = Output(1, 5, 1);
    o.Inductor.Value = 2.2e-6f;
    LabelOutputInductor(o);
    EXPECT_EQ(o.Inductor.Label, "2.2uH");
    EXPECT_EQ(o.SerialElement.Name, "L21  2.2uH");

    o.Inductor.Value = 0;
    LabelOutputInductor(o);
    EXPECT_EQ(o.SerialElement.Name, "L21  No Ref");
}

// First cell of a 5 V, 2 A output carrying all the power: 5 A of secondary ripple against a
// 0.3 V target, so the wanted ESR is 60 mohm.
class FirstCellTest : public OutputPartsTest {
protected:
    OutputRecord* o = nullptr;

    void SetUp() override {
        OutputPartsTest::SetUp();
        Settings.RecomputeFlag = false;
        OperatingPoint.ContinuousModeText = "Cont";
        OperatingPoint.RippleCurrentAtVmin = 0.5f;
        Transfo.InputPower = 11;
        o = &Output(0, 5, 2);
        o->VoltageBeforeDiode = 5.5f;
        o->CurrentRatio = 10;
        o->RippleFirstCell = 0.3f;
        o->RippleCurrent = 2;
        o->CapacitorDerating = 2;
    }
};

TEST_F(FirstCellTest, TakesTheClosestEsrOfTheFirstRowRatedAboveTheOutput) {
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.ChosenItem, 17);  // 2200 uF, 66 mohm, of the 6.3 V row
    EXPECT_EQ(o->Cap1.Vrated, 6.3f);
    EXPECT_EQ(o->Cap1.Value, CapacitorTable[0].C[17]);
    EXPECT_EQ(o->Cap1Count, 1);
    EXPECT_FLOAT_EQ(o->Cap1.Esr[0], 0.06f);
    EXPECT_EQ(o->Cap1.Irms[0], 2);
    EXPECT_FLOAT_EQ(o->ActualRippleFirstCell, 0.33f);
    EXPECT_EQ(o->Cap1.Series, "C11\r\n2.2mF");
    EXPECT_EQ(o->Cap2.Esr[0], 1e15f);
}

TEST_F(FirstCellTest, DiscontinuousModeTakesTwiceTheCentreCurrent) {
    OperatingPoint.ContinuousModeText = "Discont";
    OperatingPoint.RippleCurrentAtVmin = 0;
    OperatingPoint.CentreCurrentAtVmin = 0.25f;
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.ChosenItem, 17);
    EXPECT_FLOAT_EQ(o->ActualRippleFirstCell, 0.33f);
}

TEST_F(FirstCellTest, LowLineModeTakesTheRippleCurrentAsContinuousModeDoes) {
    OperatingPoint.ContinuousModeText = "@ Low Line";
    OperatingPoint.CentreCurrentAtVmin = 7;
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.ChosenItem, 17);
    EXPECT_FLOAT_EQ(o->ActualRippleFirstCell, 0.33f);
}

TEST_F(FirstCellTest, HigherOutputVoltageMovesToAHigherRatedRow) {
    o->Voltage = 24;  // above 25 V x 0.8: the 35 V row
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.Vrated, 35);
    EXPECT_EQ(o->Cap1.ChosenItem, 18);
    EXPECT_EQ(o->Cap1.Series, "C11\r\n560uF");
}

TEST_F(FirstCellTest, RippleCurrentEqualToTheRatingIsNotCarried) {
    o->RippleCurrent = 2.94f;  // 1.47 A after derating, exactly the 2200 uF part's rating
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.ChosenItem, 18);
    EXPECT_EQ(o->Cap1.Series, "C11\r\n2.7mF");
}

TEST_F(FirstCellTest, EqualEsrDistanceKeepsTheFirstItem) {
    CapacitorTable[0].Esr[18] = CapacitorTable[0].Esr[17];
    CapacitorTable[0].Irms[18] = CapacitorTable[0].Irms[17];
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.ChosenItem, 17);
}

TEST_F(FirstCellTest, ParallelsCapacitorsWhenNoneCarriesTheRipple) {
    o->RippleCurrent = 7;  // 3.5 A: above every single part of the row
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1Count, 2);
    EXPECT_EQ(o->Cap1.ChosenItem, 20);
    EXPECT_FLOAT_EQ(o->ActualRippleFirstCell, 0.0925f);
    EXPECT_EQ(o->Cap1.Series, "C11\r\n 2x3.9mF");
}

TEST_F(FirstCellTest, ElevenCapacitorsShortGivesNoRef) {
    o->RippleCurrent = 70;
    o->Cap1Count = 3;
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.Value, 0.0001f);
    EXPECT_EQ(o->Cap1.Series, "C11\r\nNo Ref");
    EXPECT_EQ(o->Cap1Count, 3);
}

TEST_F(FirstCellTest, ZeroCurrentOrUnknownModeGivesNoRefWithoutInfinity) {
    o->ActualRippleFirstCell = 0.5f;
    o->Current = 0;
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.Series, "C11\r\nNo Ref");
    EXPECT_EQ(o->ActualRippleFirstCell, 0.5f);

    o->Current = 2;
    Transfo.InputPower = 0;
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.Series, "C11\r\nNo Ref");
    EXPECT_EQ(o->ActualRippleFirstCell, 0.5f);

    Transfo.InputPower = 11;
    OperatingPoint.ContinuousModeText = "";
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.Series, "C11\r\nNo Ref");
}

TEST_F(FirstCellTest, FirstPassKeepsThePreviousParts) {
    Settings.RecomputeFlag = true;
    o->Cap1.Series = "previous";
    o->Cap2.Esr[0] = 3;
    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.Series, "previous");
    EXPECT_EQ(o->Cap2.Esr[0], 1e15f);
}

// Second cell behind a 2200 uF, 66 mohm first cell at 100 kHz.
class SecondCellTest : public FirstCellTest {
protected:
    void SetUp() override {
        FirstCellTest::SetUp();
        o->Cap1 = CapacitorTable[0];
        o->Cap1.ChosenItem = 17;
        o->ActualRippleFirstCell = 0.33f;
        o->RippleSecondCell = 0.05f;
    }
};

TEST_F(SecondCellTest, LcFilterTakesAnE3InductorAndTheCapacitorNearestItsEsr) {
    SelectSecondCell(*o, "Self");
    // 25 x 66 mohm at 100 kHz is 2.63 uH, up to 4.7 uH; 2.95 ohm of reactance.
    EXPECT_FLOAT_EQ(o->Inductor.Value, 4.7e-6f);
    EXPECT_EQ(o->Cap2.ChosenItem, 5);  // 480 mohm nearest the wanted 447 mohm
    EXPECT_EQ(o->Cap2.Value, CapacitorTable[0].C[5]);
    // 2.95 ohm x 0.05 V / 0.3 V; 66 mohm x 2 A / 2.95 ohm; 480 mohm x 0.33 V / 2.95 ohm.
    EXPECT_FLOAT_EQ(o->Cap2.Esr[0], 0.49218285f);
    EXPECT_FLOAT_EQ(o->Cap2.Irms[0], 0.044698834f);
    EXPECT_FLOAT_EQ(o->ActualRippleSecondCell, 0.053638600f);
    EXPECT_EQ(o->Cap2.Series, "C12\r\n220uF");
}

TEST_F(SecondCellTest, RegulatorAndZenerOutputsTakeADecouplingCapacitor) {
    for (const char* kind : {"Vreg", "Zener"}) {
        OutputRecord& third = Output(2, 5, 1);
        third.Cap2 = CapacitorTable[3];
        SelectSecondCell(third, kind);
        EXPECT_EQ(third.Cap2.Value, 1e-7f);
        EXPECT_EQ(third.Cap2.ChosenItem, 0);
        EXPECT_EQ(third.Cap2.Vrated, 1000);
        EXPECT_EQ(third.Cap2.Esr[0], 1e15f);
        EXPECT_EQ(third.Cap2.C[1], 0);
        EXPECT_EQ(third.Cap2.Series, "C32\r\n100nF");
    }
}

TEST_F(SecondCellTest, NoFirstCellPartGivesNoRefWithoutDividing) {
    o->ActualRippleSecondCell = 0.01f;
    o->Cap1 = {};  // never chosen: zero ESR
    SelectSecondCell(*o, "Self");
    EXPECT_EQ(o->Cap2.Value, 0.0001f);
    EXPECT_EQ(o->Cap2.Series, "C12\r\nNo Ref");
    EXPECT_EQ(o->Inductor.Value, 0);
    EXPECT_EQ(o->ActualRippleSecondCell, 0.01f);

    o->Cap1 = CapacitorTable[0];
    o->Cap1.ChosenItem = 17;
    o->ActualRippleFirstCell = 0;
    SelectSecondCell(*o, "Self");
    EXPECT_EQ(o->Cap2.Series, "C12\r\nNo Ref");
    EXPECT_EQ(o->ActualRippleSecondCell, 0.01f);
}

TEST_F(SecondCellTest, NoRowRatedForTheVoltageOrAnUnknownKindGivesNoRef) {
    SelectSecondCell(*o, "Plain");
    EXPECT_EQ(o->Cap2.Series, "C12\r\nNo Ref");
    EXPECT_EQ(o->Cap2.Value, 0.0001f);

    o->Cap2.Series.clear();
    o->Voltage = 200;
    SelectSecondCell(*o, "Self");
    EXPECT_EQ(o->Cap2.Series, "C12\r\nNo Ref");
}

TEST_F(SecondCellTest, LabelsWriteTheLocaleDecimalSeparator) {
    SetLocaleDecimalSeparator(',');
    OutputRecord& zener = Output(2, 5, 1);
    float drop = 0;
    SizeZenerCell(zener, drop);
    EXPECT_EQ(zener.Zener.Name, "D32\r\n5,0V");
    EXPECT_EQ(zener.SerialElement.Name, "R31  2,2R");

    OutputRecord& regulated = Output(1, 5, 1.2f);
    regulated.Regulator.Family = "LowPos";
    SelectOutputRegulator(regulated, drop);
    EXPECT_EQ(regulated.SerialElement.Name, "    Vr21  VRG1-5,0");

    SelectOutputCapacitors(*o);
    EXPECT_EQ(o->Cap1.Series, "C11\r\n2,2mF");
    SetLocaleDecimalSeparator('.');
}

TEST_F(SecondCellTest, FirstPassLeavesTheCellAlone) {
    Settings.RecomputeFlag = true;
    o->Cap2.Series = "previous";
    o->Inductor.Value = 1e-6f;
    SelectSecondCell(*o, "Self");
    EXPECT_EQ(o->Cap2.Series, "previous");
    EXPECT_EQ(o->Inductor.Value, 1e-6f);
}
