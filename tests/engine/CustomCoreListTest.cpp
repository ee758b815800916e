// The custom core list keeps one core per name, in ascending order of volume, and takes only
// plausible cores from the user.

#include <gtest/gtest.h>

#include "CustomCores.h"
#include "DefaultDesignTest.h"
#include "NumberText.h"
#include "RecordingHost.h"
#include "Variables.h"

using namespace zorvic;

namespace {

CoreGeometry Core(const std::string& name, float ve, float lm = 40, float le = 40, float ae = 50) {
    CoreGeometry core;
    core.Series = "Custom";
    core.Name = name;
    core.Ae = ae;
    core.Le = le;
    core.Lm = lm;
    core.W = 30;
    core.Ve = ve;
    return core;
}

std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < CustomCoreCount; ++i) names.push_back(CustomCoreList[static_cast<std::size_t>(i)].Name);
    return names;
}

}  // namespace

class CustomCoreListTest : public DefaultDesignTest<RecordingHost> {};

TEST_F(CustomCoreListTest, KeepsAscendingVolumeAndTheOrderOfEqualVolumes) {
    EXPECT_EQ(AddToCustomList(Core("c", 3000), false), CustomListChange::Added);
    EXPECT_EQ(AddToCustomList(Core("a", 1000), false), CustomListChange::Added);
    EXPECT_EQ(AddToCustomList(Core("b1", 2000), false), CustomListChange::Added);
    EXPECT_EQ(AddToCustomList(Core("b2", 2000), false), CustomListChange::Added);
    EXPECT_EQ(AddToCustomList(Core("d", 500), false), CustomListChange::Added);
    EXPECT_EQ(Names(), (std::vector<std::string>{"d", "a", "b1", "b2", "c"}));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(CustomCoreListTest, SameNameReplacesTheCoreAndResorts) {
    (void)AddToCustomList(Core("a", 1000), false);
    (void)AddToCustomList(Core("b", 2000), false);
    EXPECT_EQ(AddToCustomList(Core("a", 3500, 30), false), CustomListChange::Replaced);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(CustomCoreList[1].Lm, 30.0f);
}

struct Candidate {
    const char* name;
    CoreGeometry core;
    bool taken;
};

void PrintTo(const Candidate& candidate, std::ostream* out) { *out << candidate.name; }

class CoreValidationTest : public CustomCoreListTest, public ::testing::WithParamInterface<Candidate> {};

TEST_P(CoreValidationTest, TakesOnlyPlausibleCores) {
    const auto change = AddToCustomList(GetParam().core, false);
    if (GetParam().taken) {
        EXPECT_EQ(change, CustomListChange::Added);
        EXPECT_EQ(CustomCoreCount, 1);
        EXPECT_TRUE(host.messages.empty());
    } else {
        EXPECT_EQ(change, CustomListChange::Refused);
        EXPECT_EQ(CustomCoreCount, 0);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "Uncorrect Core Values or Existing Name");
        EXPECT_EQ(host.messages[0].title, "Core Wrong Datas");
    }
}

// Ae 50, Lm 40: Ae x Lm = 2000, so the volume limit is 2.5 x 2000 = 5000.
INSTANTIATE_TEST_SUITE_P(
    Cores, CoreValidationTest,
    ::testing::Values(Candidate{"Plain", Core("p", 3000), true},
                      Candidate{"PathSixTimesTurn", Core("p", 3000, 40, 240), false},
                      Candidate{"TurnSixTimesPath", Core("p", 3000, 240, 40), true},
                      Candidate{"PathFiveTimesTurn", Core("p", 3000, 40, 200), true},
                      Candidate{"VolumeThreeTimes", Core("p", 6000), false},
                      Candidate{"VolumeAtLimit", Core("p", 5000), true},
                      Candidate{"VolumeTenth", Core("p", 200), true},
                      Candidate{"NoName", Core("", 3000), false},
                      Candidate{"NoArea", Core("p", 3000, 40, 40, 0), false},
                      Candidate{"NoVolume", Core("p", 0), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CustomCoreListTest, FullListRefusesTheUserButReplacesForTheLoader) {
    for (int i = 0; i < MaxCustomCores; ++i)
        ASSERT_EQ(AddToCustomList(Core("core " + std::to_string(i), static_cast<float>(i + 1)), false),
                  CustomListChange::Added);
    EXPECT_EQ(AddToCustomList(Core("core 7", 9999), false), CustomListChange::Refused);
    EXPECT_EQ(AddToCustomList(Core("new", 9999), true), CustomListChange::ListFull);
    EXPECT_EQ(CustomCoreCount, MaxCustomCores);
    EXPECT_TRUE(CustomCoreList[static_cast<std::size_t>(MaxCustomCores)].Name.empty());

    EXPECT_EQ(AddToCustomList(Core("core 7", 9999), true), CustomListChange::Replaced);
    EXPECT_EQ(CustomCoreList[static_cast<std::size_t>(MaxCustomCores) - 1].Name, "core 7");
}

TEST_F(CustomCoreListTest, LoaderCoreSkipsTheCheck) {
    EXPECT_EQ(AddToCustomList(Core("odd", 90000), true), CustomListChange::Added);
    EXPECT_TRUE(host.messages.empty());
}
