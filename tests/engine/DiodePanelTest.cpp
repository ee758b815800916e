// The output editor's diode panel: the rectifier's operating figures, the reverse rating wanted,
// the table diodes that suit the output, the user's pick and the run-away warning. Expected values
// are worked in 32-bit floats from the formulas and the diode table.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DiodePanelFigures.h"
#include "NumberText.h"

using namespace zorvic;

namespace {

// An output as the computation leaves it, rectified by RDKA19 (0.42 V + 0.05 ohm).
struct OutputCase {
    const char* name;
    float reflected, beforeDiode, vdcMax, voltage, current, irms;
    float vrmax, vdrop, ploss, vrating;
    const char* suitable;  // names, blank-separated
};

class DiodePanelTest : public ::testing::TestWithParam<OutputCase> {
protected:
};

}  // namespace

TEST_P(DiodePanelTest, FiguresRatingAndSuitableDiodesFollowTheOutput) {
    const OutputCase& c = GetParam();
    InputStage.ReflectedVoltage = c.reflected;
    InputStage.VdcMax = c.vdcMax;
    OutputRecord o;
    o.Voltage = c.voltage;
    o.Current = c.current;
    o.IrmsSecondary = c.irms;
    o.VoltageBeforeDiode = c.beforeDiode;
    o.Diode = DiodeTable[18];
    const DiodeOperatingFigures f = DiodeFigures(o);
    EXPECT_EQ(std::vector<float>({f.Vrmax, f.Vdrop, f.Ploss, WantedDiodeRatings(o, f.Vrmax).Vrating}),
              std::vector<float>({c.vrmax, c.vdrop, c.ploss, c.vrating}));
    std::string names;
    for (const std::string& name : DiodePanelView(o).Suitable) names += (names.empty() ? "" : " ") + name;
    EXPECT_EQ(names, c.suitable);
}

// 5 V, 2 A, n = 80 / 8: reverse 350 / 10 + 5 = 40 V, so ratings from 40 V to 122.5 V and from 2 A
// to 16 A; RDKA26 (2 A) and RDKA19, 1NQ06 (40 V) sit on the lower bounds. 8 x 1.874 A stays below
// RDKA22's 15 A; a reverse voltage whose 1.75 x 1.75 is 100 V exactly keeps the 100 V parts.
// 3.3 V, 0.1 A: 1.75 x 8.3 V is raised to 20 V, so reverse ratings from 11.4 V to 35 V. Not yet
// computed: no turns ratio, so no reverse voltage; the drop and loss still follow the diode.
INSTANTIATE_TEST_SUITE_P(
    Outputs, DiodePanelTest,
    ::testing::Values(
        OutputCase{"FiveVoltsTwoAmps", 80, 8, 350, 5, 2, 3, 40, 0.52f, 1.29f, 70,
                   "RD042 RD039 RDKA30 RDKA29 RDKA27 RDKA26 RDKA24 RDKA23 RDKA22 RDKA21 RDKA20 RDKA19 1NQ06"},
        OutputCase{"OnUpperBounds", 8, 8, 27.653060913085938f, 5, 1.874f, 3, 32.6530609f, 0.513700008f,
                   1.23707998f, 57.1428566f,
                   "RD042 RD039 RDKA30 RDKA29 RDKA27 RDKA26 RDKA24 RDKA23 RDKA21 RDKA20 RDKA19 1NQ06"},
        OutputCase{"RaisedToFloor", 80, 4, 100, 3.3f, 0.1f, 0.2f, 8.3f, 0.424999982f, 0.044f, 20,
                   "RD056 RD055 RD054 RD053"},
        OutputCase{"NoVoltageBeforeDiode", 80, 0, 100, 3.3f, 0.1f, 0.2f, 0, 0.424999982f, 0.044f, 20,
                   "RD056 RD055 RD054 RD053"},
        OutputCase{"NoReflectedVoltage", 0, 4, 100, 3.3f, 0.1f, 0.2f, 0, 0.424999982f, 0.044f, 20,
                   "RD056 RD055 RD054 RD053"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DiodePickTest, MarksOnlyThatOutputAndCopiesTheLastRowOfTheName) {
    OutputRecord o;
    DiodeTable[3].Name = DiodeTable[50].Name = "RD046";
    PickDiode(o, 2, "RD046");
    PickDiode(o, 4, "XYZ1");   // no row: only the mark
    PickDiode(o, 6, "RD046");  // no such output: no mark
    EXPECT_EQ(o.Diode.Index, 50);
    EXPECT_EQ(Settings.UserDefinedDiode, (std::array<bool, 6>{false, false, true, false, true, false}));
}

TEST(RunAwayTest, WarnsForNamesStartingWithRDKAOr1N) {
    for (const char* name : {"RDKA07", "1NQ49", "1N"}) EXPECT_TRUE(ThermalRunAwayRisk(name)) << name;
    for (const char* name : {"RD050", "RDK", "1", "No Ref"}) EXPECT_FALSE(ThermalRunAwayRisk(name)) << name;
}
