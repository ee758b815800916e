// The candidate core list for each core family: the family's cores in table order, the
// smallest first.

#include <gtest/gtest.h>

#include <string>

#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

class GeometryListTest : public ::testing::Test {
protected:
    static CoreGeometry CustomCore(const std::string& name, float ve) {
        CoreGeometry core;
        core.Series = "Custom";
        core.Name = name;
        core.Ae = 50;
        core.Le = 60;
        core.Lm = 50;
        core.W = 80;
        core.Ve = ve;
        return core;
    }
};

struct FamilyCase {
    const char* family;
    int count;
    const char* first;
    const char* last;
};

class GeometryListForFamily : public GeometryListTest, public ::testing::WithParamInterface<FamilyCase> {};

INSTANTIATE_TEST_SUITE_P(GeometryListTest, GeometryListForFamily,
                         ::testing::Values(FamilyCase{"E", 24, "E63", "E65/32/27"},
                                           FamilyCase{"RM", 6, "RM5", "RM14"},
                                           FamilyCase{"EFD", 3, "EFD1585", "EFD2010G"},
                                           FamilyCase{"Other", 4, "EP7", "EE42"},
                                           FamilyCase{"Any", 37, "E63", "E65/32/27"}),
                         [](const auto& info) { return std::string(info.param.family); });

TEST_P(GeometryListForFamily, HoldsTheFamilyInTableOrder) {
    // Start from a list of another family so that every element must be rewritten.
    Settings.GeometryListType = std::string(GetParam().family) == "E" ? "RM" : "E";
    FilterGeometryList();
    Settings.GeometryListType = GetParam().family;
    FilterGeometryList();

    const int last = CandidateCoreLast;
    ASSERT_EQ(last + 1, GetParam().count);
    EXPECT_EQ(CandidateCores[0].Name, GetParam().first);
    EXPECT_EQ(CandidateCores[static_cast<std::size_t>(last)].Name, GetParam().last);
    const bool any = std::string(GetParam().family) == "Any";
    int previousRow = -1;
    for (int k = 0; k <= last; ++k) {
        const CoreGeometry& core = CandidateCores[static_cast<std::size_t>(k)];
        if (!any) {
            EXPECT_EQ(core.Series, GetParam().family) << core.Name;
        }
        EXPECT_GT(core.Index, previousRow) << core.Name;  // table order kept
        previousRow = core.Index;
    }
}

TEST_F(GeometryListTest, CustomFamilyTakesTheUserCores) {
    CustomCoreList[0] = CustomCore("Small", 1000);
    CustomCoreList[1] = CustomCore("Large", 9000);
    CustomCoreCount = 2;
    Settings.GeometryListType = "Custom";
    FilterGeometryList();
    ASSERT_EQ(CandidateCoreLast, 1);
    EXPECT_EQ(CandidateCores[0].Name, "Small");
    EXPECT_EQ(CandidateCores[1].Name, "Large");
    EXPECT_EQ(CandidateCores[1].Series, "Custom");
}

TEST_F(GeometryListTest, FullCustomListFitsTheCandidates) {
    for (int i = 0; i < 300; ++i)
        CustomCoreList[static_cast<std::size_t>(i)] = CustomCore("C" + std::to_string(i), static_cast<float>(i + 1));
    CustomCoreCount = 300;
    Settings.GeometryListType = "Custom";
    FilterGeometryList();
    EXPECT_EQ(CandidateCoreLast, 299);
    EXPECT_EQ(CandidateCores[299].Name, "C299");
}

TEST_F(GeometryListTest, EmptyCustomListLeavesTheCandidates) {
    Settings.GeometryListType = "EFD";
    FilterGeometryList();
    Settings.GeometryListType = "Custom";
    FilterGeometryList();
    EXPECT_EQ(CandidateCoreLast, 2);
    EXPECT_EQ(CandidateCores[0].Name, "EFD1585");
}
