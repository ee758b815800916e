// What the output editor's diode panel shows: the rectifier's operating figures, the ratings
// wanted, the table diodes that suit the output, the user's pick and the run-away warning.
// Expected values are worked in 32-bit floats from the formulas and the diode table.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DiodePanelFigures.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

namespace {

const DiodeRecord& Row(const std::string& name) {
    for (const DiodeRecord& d : DiodeTable)
        if (d.Name == name) return d;
    ADD_FAILURE() << "no table row " << name;
    return DiodeTable[0];
}

}  // namespace

class DiodePanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        SetLocaleDecimalSeparator('.');
        ApplyDesignDefaults();
    }

    // An output as the computation leaves it, with the reflected and highest bus voltages.
    static OutputRecord Output(float reflected, float beforeDiode, float vdcMax, float voltage, float current,
                               float irms, const std::string& diode) {
        InputStage.ReflectedVoltage = reflected;
        InputStage.VdcMax = vdcMax;
        OutputRecord o;
        o.Voltage = voltage;
        o.Current = current;
        o.IrmsSecondary = irms;
        o.VoltageBeforeDiode = beforeDiode;
        o.Diode = Row(diode);
        return o;
    }
};

struct FiguresCase {
    const char* name;
    float reflected, beforeDiode, vdcMax, voltage, current, irms;
    const char* diode;
    float n, vrmax, vdrop, ploss, irating, vrating;
};

class DiodeFiguresTest : public DiodePanelTest, public ::testing::WithParamInterface<FiguresCase> {};

TEST_P(DiodeFiguresTest, FollowTheOutputAndItsDiode) {
    const FiguresCase& c = GetParam();
    const OutputRecord o = Output(c.reflected, c.beforeDiode, c.vdcMax, c.voltage, c.current, c.irms, c.diode);
    const DiodeOperatingFigures f = DiodeFigures(o);
    EXPECT_EQ(f.TurnsRatio, c.n);
    EXPECT_EQ(f.Vrmax, c.vrmax);
    EXPECT_EQ(f.Vdrop, c.vdrop);
    EXPECT_EQ(f.Ploss, c.ploss);
    const DiodeRatingsWanted w = WantedDiodeRatings(o, f.Vrmax);
    EXPECT_EQ(w.Irating, c.irating);
    EXPECT_EQ(w.Vrating, c.vrating);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, DiodeFiguresTest,
    ::testing::Values(
        // 5 V, 2 A from an 80 V reflected voltage and a 350 V bus: n = 10, 35 V + 5 V reverse.
        FiguresCase{"FiveVoltsTwoAmps", 80, 8, 350, 5, 2, 3, "RDKA19", 10, 40, 0.52f, 1.29f, 4, 70},
        // The same output from the 264 V mains' bus with a 0.52 V drop before the diode.
        FiguresCase{"FiveVoltsFromMains", 80, 5.52f, 373.3524f, 5, 2, 3.6f, "RDKA13", 14.492754f, 30.761314f,
                    0.272f, 0.73216f, 4, 53.832298f},
        // 3.3 V, 0.1 A: 1.75 x 8.3 V = 14.5 V is raised to the 20 V floor.
        FiguresCase{"LowVoltageRaisedToFloor", 80, 4, 100, 3.3f, 0.1f, 0.2f, "RD054", 20, 8.3f, 0.37f, 0.052f,
                    0.2f, 20},
        // Not yet computed: no voltage before the diode or no reflected voltage gives no turns
        // ratio, so no reverse voltage (and the floor rating); the drop and loss still follow.
        FiguresCase{"NoVoltageBeforeDiode", 80, 0, 350, 5, 2, 3, "RDKA19", 0, 0, 0.52f, 1.29f, 4, 20},
        FiguresCase{"NoReflectedVoltage", 0, 8, 350, 5, 2, 3, "RDKA19", 0, 0, 0.52f, 1.29f, 4, 20},
        FiguresCase{"NothingComputed", 0, 0, 0, 0, 0, 0, "RDKA19", 0, 0, 0.42f, 0, 0, 20}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiodePanelTest, ZeroDivisorsLeaveEveryFigureFinite) {
    OutputRecord o = Output(0, 0, 0, 0, 0, 0, "RDKA19");
    OperatingPoint.DiodeVoltageMargin = 0;
    const DiodePanelTexts t = DiodePanelView(o);
    EXPECT_EQ(t.Vrmax, "Vrmax : 0.0 V");
    EXPECT_TRUE(t.Suitable.empty());
    for (const float x : {DiodeFigures(o).TurnsRatio, DiodeFigures(o).Vrmax}) EXPECT_TRUE(std::isfinite(x));
}

struct SuitableCase {
    const char* name;
    float reflected, beforeDiode, vdcMax, voltage, current;
    std::vector<std::string> names;
};

class SuitableDiodesTest : public DiodePanelTest, public ::testing::WithParamInterface<SuitableCase> {};

TEST_P(SuitableDiodesTest, ListsRatingsWithinTheMarginsHighestRowFirst) {
    const SuitableCase& c = GetParam();
    const OutputRecord o = Output(c.reflected, c.beforeDiode, c.vdcMax, c.voltage, c.current, 0, "RDKA19");
    EXPECT_EQ(DiodePanelView(o).Suitable, c.names);
}

namespace {
const std::vector<std::string> FiveVoltTwoAmpDiodes = {"RD042",  "RD039",  "RDKA30", "RDKA29", "RDKA27",
                                                       "RDKA26", "RDKA24", "RDKA23", "RDKA22", "RDKA21",
                                                       "RDKA20", "RDKA19", "1NQ06"};
const std::vector<std::string> WithoutHundredVolts = {"RDKA30", "RDKA24", "RDKA23", "RDKA22",
                                                      "RDKA21", "RDKA20", "RDKA19", "1NQ06"};
}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Outputs, SuitableDiodesTest,
    ::testing::Values(
        // Reverse 40 V: ratings from 40 V to 122.5 V; current 2 A: ratings from 2 A to 16 A.
        // RDKA26 (2 A) and RDKA19, 1NQ06 (40 V) sit on the lower bounds.
        SuitableCase{"FiveVoltsTwoAmps", 80, 8, 350, 5, 2, FiveVoltTwoAmpDiodes},
        SuitableCase{"JustAboveTwoAmps", 80, 8, 350, 5, 2.001f,
                     {"RD042", "RD039", "RDKA30", "RDKA29", "RDKA27", "RDKA24", "RDKA23", "RDKA22", "RDKA21",
                      "RDKA20", "RDKA19", "1NQ06"}},
        // 8 x 1.875 A = 15 A: RDKA22 on the upper current bound stays, a little less drops it.
        SuitableCase{"FifteenAmpsOnUpperBound", 80, 8, 350, 5, 1.875f, FiveVoltTwoAmpDiodes},
        SuitableCase{"FifteenAmpsAboveUpperBound", 80, 8, 350, 5, 1.874f,
                     {"RD042", "RD039", "RDKA30", "RDKA29", "RDKA27", "RDKA26", "RDKA24", "RDKA23", "RDKA21",
                      "RDKA20", "RDKA19", "1NQ06"}},
        SuitableCase{"JustAboveFortyVolts", 80, 8, 350.001f, 5, 2,
                     {"RD042", "RD039", "RDKA30", "RDKA29", "RDKA27", "RDKA26", "RDKA24", "RDKA23", "RDKA22",
                      "RDKA21", "RDKA20"}},
        // A reverse voltage whose upper bound 1.75 x 1.75 x Vrmax is 100 V exactly keeps the
        // 100 V parts; a slightly lower one drops them.
        SuitableCase{"HundredVoltsOnUpperBound", 8, 8, 27.653060913085938f, 5, 2, FiveVoltTwoAmpDiodes},
        SuitableCase{"HundredVoltsAboveUpperBound", 8, 8, 27.65f, 5, 2, WithoutHundredVolts},
        // The 20 V floor: reverse ratings from 11.4 V to 35 V, currents from 0.1 A to 0.8 A.
        SuitableCase{"LowVoltageFromFloor", 80, 4, 100, 3.3f, 0.1f, {"RD056", "RD055", "RD054", "RD053"}},
        SuitableCase{"NoneSuits", 80, 8, 350, 5, 40, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiodePanelTest, PickMarksOnlyThatOutputAndCopiesTheLastRowOfTheName) {
    OutputRecord o = Output(80, 8, 350, 5, 2, 3, "RDKA19");
    // Row 3 and row 50 carry the picked name as well: the last equal row wins.
    DiodeTable[3].Name = "RD046";
    DiodeTable[50].Name = "RD046";
    PickDiode(o, 2, "RD046");
    EXPECT_EQ(o.Diode.Index, 50);
    EXPECT_EQ(o.Diode.Vrrm, DiodeTable[50].Vrrm);
    EXPECT_EQ(Settings.UserDefinedDiode, (std::array<bool, 6>{false, false, true, false, false, false}));
}

TEST_F(DiodePanelTest, PickOfUnknownNameChangesOnlyTheMark) {
    OutputRecord o = Output(80, 8, 350, 5, 2, 3, "RDKA19");
    PickDiode(o, 4, "XYZ1");
    EXPECT_EQ(o.Diode.Name, "RDKA19");
    EXPECT_EQ(o.Diode.Index, Row("RDKA19").Index);
    EXPECT_TRUE(Settings.UserDefinedDiode[4]);
    // An index outside the outputs marks nothing.
    PickDiode(o, 6, "RD046");
    PickDiode(o, -1, "RD046");
    EXPECT_EQ(Settings.UserDefinedDiode, (std::array<bool, 6>{false, false, false, false, true, false}));
}

struct RunAwayCase {
    const char* diode;
    bool warned;
};

class RunAwayTest : public ::testing::TestWithParam<RunAwayCase> {};

TEST_P(RunAwayTest, WarnsForSchottkyFamilies) {
    EXPECT_EQ(ThermalRunAwayRisk(GetParam().diode), GetParam().warned);
}

INSTANTIATE_TEST_SUITE_P(Names, RunAwayTest,
                         ::testing::Values(RunAwayCase{"RDKA07", true}, RunAwayCase{"RDKA", true},
                                           RunAwayCase{"1NQ49", true}, RunAwayCase{"1N", true},
                                           RunAwayCase{"RD050", false}, RunAwayCase{"RDK", false},
                                           RunAwayCase{"1", false}, RunAwayCase{"rdka07", false},
                                           RunAwayCase{"No Ref", false}, RunAwayCase{"", false},
                                           RunAwayCase{"XRDKA", false}));

TEST_F(DiodePanelTest, RunAwayTextFollowsTheChosenDiode) {
    EXPECT_EQ(DiodePanelView(Output(80, 8, 350, 5, 2, 3, "RDKA19")).RunAway, "Check Thermal Run Away Limit");
    EXPECT_EQ(DiodePanelView(Output(80, 8, 350, 5, 2, 3, "RD046")).RunAway, "");
}
