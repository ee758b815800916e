// The component tables built at start-up: row counts, the rows that carry special cases, the
// builders' side effects, and identical tables under a "." and a "," locale.

#include <gtest/gtest.h>

#include "Components.h"
#include "TestLocale.h"
#include "Variables.h"

using namespace zorvic;

namespace {

class TablesTest : public LocaleTest {
protected:
    void SetUp() override {
        LocaleTest::SetUp();
        ApplyDesignDefaults();  // the tables read under the locale
    }
};

int ListLength(const std::array<float, 38>& list) {
    int n = 0;
    while (n + 1 < 38 && list[static_cast<std::size_t>(n + 1)] != 0) ++n;
    return n;
}

}  // namespace

TEST_P(TablesTest, LocaleReadsTheRowsAsWritten) {
    EXPECT_EQ(Settings.DecimalPointIsDot, GetParam() == '.');
    EXPECT_FLOAT_EQ(DiodeTable[0].Vf, 0.45f);
    EXPECT_FLOAT_EQ(DiodeTable[16].Ir, 0.012f * 0.001f);  // ".012" mA
    EXPECT_FLOAT_EQ(DiodeTable[48].If, 0.015f);
    EXPECT_FLOAT_EQ(CapacitorTable[0].Esr[1], 1.4f);
    EXPECT_FLOAT_EQ(ChipTable[0].IddOffset, 0.012f);
    EXPECT_FLOAT_EQ(CoreMaterialTable[0].K, 4.72e-8f);
}

TEST_P(TablesTest, DiodeRowsKeepNamesAndForwardModel) {
    EXPECT_EQ(DiodeTable[0].Name, "1NQ01");
    EXPECT_EQ(DiodeTable[56].Name, "RD057");
    EXPECT_EQ(DiodeTable[48].Name, "1NQ49");
    const DiodeRecord& d = DiodeTable[15];
    EXPECT_EQ(d.Name, "RDKA16");
    EXPECT_FLOAT_EQ(d.Vf, 0.53f);
    EXPECT_FLOAT_EQ(d.If, 0.5f);
    EXPECT_FLOAT_EQ(d.Vrrm, 60.0f);
    EXPECT_FLOAT_EQ(d.Ir, 0.0005f);
    EXPECT_FLOAT_EQ(d.Vt0, 0.05f);
    EXPECT_FLOAT_EQ(d.Rd, 0.35f);
    EXPECT_FLOAT_EQ(d.VfAtIf, 0.225f);
    EXPECT_FLOAT_EQ(d.VfCopy, 0.53f);
    EXPECT_EQ(d.Trr, 0.0f);
    for (int i = 0; i < DiodeTableSize; ++i) EXPECT_EQ(DiodeTable[static_cast<std::size_t>(i)].Index, i);
}

TEST_P(TablesTest, CapacitorListsHaveTheirPartCounts) {
    const int counts[] = {27, 27, 28, 27, 27, 37, 26, 27, 31, 9};
    const float rated[] = {6.3f, 10, 16, 25, 35, 50, 63, 80, 100, 200};
    for (std::size_t i = 0; i < 10; ++i) {
        const CapacitorRecord& c = CapacitorTable[i];
        EXPECT_EQ(c.Series, "PJ Nichicon");
        EXPECT_FLOAT_EQ(c.Vrated, rated[i]);
        EXPECT_EQ(ListLength(c.C), counts[i]) << i;
        EXPECT_EQ(ListLength(c.Irms), counts[i]) << i;
        EXPECT_EQ(ListLength(c.Esr), counts[i]) << i;
        EXPECT_EQ(c.C[0], 0.0f);
    }
    EXPECT_FLOAT_EQ(CapacitorTable[5].C[37], 2200e-6f);
    EXPECT_FLOAT_EQ(CapacitorTable[5].C[1], 0.47e-6f);
    EXPECT_FLOAT_EQ(CapacitorTable[5].Irms[37], 2.56f);
    EXPECT_FLOAT_EQ(CapacitorTable[9].Esr[9], 0.14f);
}

TEST_P(TablesTest, RegulatorFamiliesAndPlaceholders) {
    EXPECT_EQ(RegulatorTable[21].Name, "VRH");
    EXPECT_FLOAT_EQ(RegulatorTable[21].Vout[1], 1.25f);
    EXPECT_FLOAT_EQ(RegulatorTable[21].Vout[17], 12.0f);
    EXPECT_EQ(RegulatorTable[21].Vout[18], 0.0f);
    for (std::size_t row : {16u, 26u}) {
        EXPECT_EQ(RegulatorTable[row].Name, "No Ref");
        EXPECT_FLOAT_EQ(RegulatorTable[row].VinMax, 100.0f);
        EXPECT_FLOAT_EQ(RegulatorTable[row].IoutMax, 10.0f);
    }
    EXPECT_EQ(RegulatorTable[16].Family, "SemiNeg");
    EXPECT_EQ(RegulatorTable[26].Family, "LowNeg");
    EXPECT_EQ(RegulatorTable[0].Family, "StdPos");
    EXPECT_EQ(RegulatorTable[9].Family, "StdNeg");
    EXPECT_FLOAT_EQ(RegulatorTable[15].IoutMax, 0.8f);
    EXPECT_FLOAT_EQ(RegulatorTable[25].VdropSlope, 0.2f);
}

TEST_P(TablesTest, ChipRowsAreScaledAndTheDefaultChipIsChosen) {
    for (std::size_t i = 0; i < 17; ++i) {
        const ChipRecord& c = ChipTable[i];
        EXPECT_EQ(c.Index, static_cast<int16_t>(i));
        EXPECT_FLOAT_EQ(c.Param22, (i >= 12 && i <= 14) ? 1300.0f : 0.0f) << i;
        EXPECT_FLOAT_EQ(c.MaxFrequency, i <= 11 ? 200.0f : (i <= 14 ? 60.0f : 300.0f)) << i;
    }
    const ChipRecord& e3 = ChipTable[14];
    EXPECT_EQ(e3.Name, "ZorvicE3");
    EXPECT_EQ(e3.Family, 4);
    EXPECT_EQ(e3.Packages[0], 1);
    EXPECT_EQ(e3.Packages[1], 3);
    EXPECT_EQ(e3.Packages[2], 4);
    EXPECT_EQ(e3.Packages[3], 0);
    EXPECT_FLOAT_EQ(e3.Param26, 57e-6f);
    EXPECT_FLOAT_EQ(e3.Param27, 2.6f);
    EXPECT_FLOAT_EQ(e3.InputBiasCurrent, 22e-6f);
    const ChipRecord& a1 = ChipTable[0];
    EXPECT_FLOAT_EQ(a1.Coss, 90e-12f);
    EXPECT_FLOAT_EQ(a1.Tswitch, 100e-9f);
    EXPECT_FLOAT_EQ(a1.Param17, 0.0015f);
    EXPECT_FLOAT_EQ(a1.Param18, 0.0006f);
    EXPECT_FLOAT_EQ(a1.TonMin, 0.4e-6f);
    EXPECT_FLOAT_EQ(a1.Param21, 0.6e-6f);
    EXPECT_FLOAT_EQ(a1.Param29, 4e-11f);
    EXPECT_FLOAT_EQ(ChipTable[8].IddSlope, 0.002f);

    EXPECT_EQ(CurrentChip.Name, "ZorvicF1");
    EXPECT_EQ(CurrentChip.Index, 15);
    EXPECT_EQ(CurrentChip.Packages[0], 2);
    EXPECT_EQ(PackageTable[CurrentChip.Packages[0]].Name, "HTP10");
    EXPECT_EQ(OperatingPoint.ChipPackageType, 0);
    EXPECT_FLOAT_EQ(OperatingPoint.RthJunctionPin, 2.0f);
    EXPECT_EQ(PackageTable[3].Name, "DIP8");
    EXPECT_FLOAT_EQ(PackageTable[4].Rth, 25.0f);
}

TEST_P(TablesTest, MaterialsFollowThePermeabilityRule) {
    for (const CoreMaterial& m : CoreMaterialTable) EXPECT_EQ(m.Bdc, 0.0f);
    const CoreMaterial& grade8 = CoreMaterialTable[10];
    EXPECT_EQ(grade8.Name, "8");
    EXPECT_EQ(grade8.Supplier, "MCM");
    EXPECT_FLOAT_EQ(grade8.Ui25, 35.0f);
    EXPECT_FLOAT_EQ(grade8.Ui100, 80.5f);
    for (std::size_t row : {11u, 12u, 13u})
        EXPECT_FLOAT_EQ(CoreMaterialTable[row].Ui100, CoreMaterialTable[row].Ui25 * 2.3f);
    const CoreMaterial& n27 = CoreMaterialTable[1];
    EXPECT_EQ(n27.Name, "N27");
    EXPECT_FLOAT_EQ(n27.Ui100, 4500.0f);
    EXPECT_FLOAT_EQ(n27.Ui25, static_cast<float>(4500 / 2.3));
    EXPECT_FLOAT_EQ(n27.Bsat, 0.38f);
    EXPECT_EQ(n27.FreqMin, 25000);
    EXPECT_EQ(n27.FreqMax, 150000);
    EXPECT_EQ(CoreMaterialTable[15].FreqMax, 500000);
    EXPECT_EQ(CoreMaterialTable[0].FreqMax, 0);
    EXPECT_FLOAT_EQ(CoreMaterialTable[0].Ui100, 5500.0f);  // both given: kept
    EXPECT_EQ(SupplierNames[0], "PHILIPS");
    EXPECT_EQ(SupplierNames[4], "THOMSON");
}

TEST_P(TablesTest, GeometriesAndTheStartupCandidates) {
    EXPECT_EQ(StandardCoreTable[0].Name, "E63");
    EXPECT_EQ(StandardCoreTable[4].Name, "E13/7/4");
    EXPECT_FLOAT_EQ(StandardCoreTable[4].LeOverAe, 2.27f);
    EXPECT_EQ(StandardCoreTable[36].Name, "E65/32/27");
    EXPECT_FLOAT_EQ(StandardCoreTable[36].Ve, 78200.0f);
    EXPECT_FLOAT_EQ(StandardCoreTable[30].Ve, 20660.0f);
    for (std::size_t i = 1; i < 37; ++i) EXPECT_LE(StandardCoreTable[i - 1].Ve, StandardCoreTable[i].Ve);
    EXPECT_EQ(CandidateCoreLast, 23);
    int e = 0;
    for (const CoreGeometry& g : StandardCoreTable) {
        if (g.Series != "E") continue;
        EXPECT_EQ(CandidateCores[static_cast<std::size_t>(e)].Name, g.Name);
        EXPECT_EQ(CandidateCores[static_cast<std::size_t>(e)].Index, g.Index);
        ++e;
    }
    EXPECT_EQ(e, 24);
}

TEST_P(TablesTest, WiresRunFromAwg10To44) {
    for (std::size_t k = 0; k < 35; ++k) {
        EXPECT_EQ(WireTable[k].Awg, static_cast<int16_t>(10 + k));
        EXPECT_EQ(WireTable[k].Index, static_cast<int16_t>(k));
        EXPECT_LT(WireTable[k].Area, WireTable[k].AreaIns);
    }
    EXPECT_FLOAT_EQ(WireTable[0].Rlin, 0.00328f);
    EXPECT_FLOAT_EQ(WireTable[34].Area, 0.00202f);
}

TEST_P(TablesTest, ClampSeriesCodesAndTheClampDiode) {
    EXPECT_EQ(Clamper.Diode.Name, "RD060");
    EXPECT_FLOAT_EQ(Clamper.Diode.Trr, 9e-8f);
    EXPECT_EQ(ClampTable[0].Code[1], " 102");
    EXPECT_EQ(ClampTable[2].Code[1], " 120A");
    EXPECT_EQ(ClampTable[2].Code[6], " 250A");
    EXPECT_EQ(ClampTable[3].Code[4], " 180");
    EXPECT_EQ(ClampTable[3].Code[5], "");
    // Scaled in singles with single constants: 114 x 1.106 is 126.08399 there (126.084 in
    // doubles), 0.35 mA is 0.00035000002 A.
    EXPECT_EQ(ClampTable[0].VbrMax[1], 126.08399f);
    EXPECT_EQ(DiodeTable[7].Ir, 0.00035000002f);
    EXPECT_FLOAT_EQ(ClampTable[3].Vbr[4], 200.0f);
    EXPECT_FLOAT_EQ(ClampTable[0].Coef[6], 11.0f);
    EXPECT_FLOAT_EQ(ClampTable[3].PowerRating, 1.25f);
    EXPECT_EQ(CurrentClamp.Series, "SPKA");
    EXPECT_EQ(CurrentClamp.Code[1], " 102");
}

INSTANTIATE_TEST_SUITE_P(Separators, TablesTest, ::testing::Values('.', ','), LocaleName);

TEST(TablesLocaleTest, CommaAndPointLocalesBuildIdenticalTables) {
    const auto diodes = DiodeTable;
    const auto capacitors = CapacitorTable;
    const auto chips = ChipTable;
    const auto materials = CoreMaterialTable;
    const auto cores = StandardCoreTable;
    const auto wires = WireTable;
    const auto regulators = RegulatorTable;
    ResetDesignState();
    SetLocaleDecimalSeparator(',');
    ApplyDesignDefaults();
    SetLocaleDecimalSeparator('.');
    for (std::size_t i = 0; i < diodes.size(); ++i) {
        EXPECT_EQ(diodes[i].Vf, DiodeTable[i].Vf);
        EXPECT_EQ(diodes[i].Ir, DiodeTable[i].Ir);
        EXPECT_EQ(diodes[i].Rd, DiodeTable[i].Rd);
    }
    for (std::size_t i = 0; i < capacitors.size(); ++i) {
        EXPECT_EQ(capacitors[i].C, CapacitorTable[i].C);
        EXPECT_EQ(capacitors[i].Irms, CapacitorTable[i].Irms);
        EXPECT_EQ(capacitors[i].Esr, CapacitorTable[i].Esr);
    }
    for (std::size_t i = 0; i < chips.size(); ++i) {
        EXPECT_EQ(chips[i].Rdson, ChipTable[i].Rdson);
        EXPECT_EQ(chips[i].IddOffset, ChipTable[i].IddOffset);
        EXPECT_EQ(chips[i].Param26, ChipTable[i].Param26);
    }
    for (std::size_t i = 0; i < materials.size(); ++i) {
        EXPECT_EQ(materials[i].K, CoreMaterialTable[i].K);
        EXPECT_EQ(materials[i].K1, CoreMaterialTable[i].K1);
    }
    for (std::size_t i = 0; i < cores.size(); ++i) EXPECT_EQ(cores[i].Ae, StandardCoreTable[i].Ae);
    for (std::size_t i = 0; i < wires.size(); ++i) EXPECT_EQ(wires[i].Rlin, WireTable[i].Rlin);
    for (std::size_t i = 0; i < regulators.size(); ++i) EXPECT_EQ(regulators[i].Vout, RegulatorTable[i].Vout);
}

TEST(NextFieldTest, SplitsListsAndKeepsNames) {
    const std::string row = "A-1.5 x,1-2-3,.012,";
    int32_t start = 0;
    int32_t pos = 8;  // the first comma: the name "A-1.5 x" stays whole
    bool last = false;
    EXPECT_EQ(NextField(start, pos, row, last), "1");
    EXPECT_FALSE(last);
    EXPECT_EQ(NextField(start, pos, row, last), "2");
    EXPECT_FALSE(last);
    EXPECT_EQ(NextField(start, pos, row, last), "3");
    EXPECT_TRUE(last);
    EXPECT_EQ(NextField(start, pos, row, last), ".012");
    EXPECT_TRUE(last);
    Settings.DecimalPointIsDot = false;
    start = 0;
    pos = 14;
    EXPECT_EQ(NextField(start, pos, row, last), ",012");
}
