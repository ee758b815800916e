// The ferrite grade chosen for the switching frequency: the grade whose frequency range holds
// the frequency strictly inside it, with the lowest upper limit, the first in table order on a tie.

#include <gtest/gtest.h>

#include <string>

#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class CoreMaterialChoiceTest : public ::testing::Test {
protected:
};

struct MaterialCase {
    int32_t fsw;
    const char* grade;
};

class MaterialForFrequency : public CoreMaterialChoiceTest, public ::testing::WithParamInterface<MaterialCase> {};

// Ranges in the table (kHz): N27, N41 25-150; N53, N62 16-200; N72, N82 25/16-300; N87 25-500.
INSTANTIATE_TEST_SUITE_P(CoreMaterialChoiceTest, MaterialForFrequency,
                         ::testing::Values(MaterialCase{100000, "N27"},   // N27 and N41 tie at 150 kHz
                                           MaterialCase{149999, "N27"},
                                           MaterialCase{150000, "N53"},   // 150 kHz is not inside 25-150
                                           MaterialCase{25000, "N53"},    // nor is 25 kHz inside 25-150
                                           MaterialCase{25001, "N27"},
                                           MaterialCase{16001, "N53"},    // N53 before N62
                                           MaterialCase{199999, "N53"},
                                           MaterialCase{200000, "N72"},   // N72 before N82
                                           MaterialCase{299999, "N72"},
                                           MaterialCase{300000, "N87"},
                                           MaterialCase{499999, "N87"}),
                         [](const auto& info) { return "At" + std::to_string(info.param.fsw) + "Hz"; });

TEST_P(MaterialForFrequency, TakesTheNarrowestGradeHoldingTheFrequency) {
    CurrentMaterial = CoreMaterialTable[0];
    SelectCoreMaterial(GetParam().fsw);
    EXPECT_EQ(CurrentMaterial.Name, GetParam().grade);
    EXPECT_EQ(CoreSupplier, "SIEMENS");
}

TEST_F(CoreMaterialChoiceTest, FrequencyOutsideEveryGradeKeepsThePreviousGrade) {
    for (int32_t fsw : {16000, 500000, 1000}) {
        CurrentMaterial = CoreMaterialTable[16];  // B2, a grade with no frequency range
        SelectCoreMaterial(fsw);
        EXPECT_EQ(CurrentMaterial.Name, "B2") << fsw;
        // The running limit of the search stays in the kept grade.
        EXPECT_EQ(CurrentMaterial.FreqMax, 10000000) << fsw;
        EXPECT_EQ(CoreSupplier, "THOMSON") << fsw;
    }
}

TEST_F(CoreMaterialChoiceTest, UserGradeIsLeftAloneWithItsSupplier) {
    Settings.UserCoreMaterial = true;
    CurrentMaterial = CoreMaterialTable[7];  // PC40
    CoreSupplier = "before";
    SelectCoreMaterial(100000);
    EXPECT_EQ(CurrentMaterial.Name, "PC40");
    EXPECT_EQ(CurrentMaterial.FreqMax, 0);
    EXPECT_EQ(CoreSupplier, "before");
}
