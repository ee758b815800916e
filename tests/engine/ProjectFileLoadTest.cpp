// What LoadProject accepts, what files of older versions get, and what a load changes besides
// the design values.

#include <gtest/gtest.h>

#include <cmath>

#include "CustomCores.h"
#include "FileManagement.h"
#include "FileTestSupport.h"
#include "RecordingHost.h"

using namespace zorvic;

class ProjectFileLoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHost(&host);
        sample_designs::MakeDefaultDesign();
        Settings.DesignFileName = folder.File("base.zpj");
        EXPECT_EQ(SaveProject(), FileStatus::Done);
        base = ReadCrLfLines(Settings.DesignFileName);
        host = RecordingHost();
        Settings.DesignSaved = false;
    }
    void TearDown() override { InstallHost(nullptr); }

    FileStatus Load(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
        const std::string path = folder.File("load.zpj");
        WriteWhole(path, JoinLines(lines, end));
        return LoadProject(path);
    }
    // The base file up to value `last`, optionally with the closing key.
    std::vector<std::string> Through(int last, bool endKey) const {
        std::vector<std::string> lines(base.begin(), base.begin() + static_cast<long>(ValueLine(last)) + 1);
        if (endKey) lines.push_back("\"End of Record\"");
        return lines;
    }
    // The lines with the values of those numbers replaced.
    static std::vector<std::string> With(std::vector<std::string> lines,
                                         std::initializer_list<std::pair<int, std::string>> values) {
        for (const auto& [number, text] : values) lines[ValueLine(number)] = text;
        return lines;
    }

    RecordingHost host;
    ScratchFolder folder;
    std::vector<std::string> base;
};

TEST_F(ProjectFileLoadTest, CompleteFileIsAcceptedAndMarksDesignSaved) {
    Settings.DesignFileName = "elsewhere.zpj";
    Settings.ProjectName = "before";
    ASSERT_EQ(Load(base), FileStatus::Done);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(Settings.DesignSaved);
    // The name stored in the file, not the path opened.
    EXPECT_EQ(Settings.DesignFileName, folder.File("base.zpj"));
    EXPECT_EQ(host.designFileChanges, 1);
    ASSERT_EQ(host.projectNames.size(), 1u);
    EXPECT_EQ(host.projectNames[0], "");
}

TEST_F(ProjectFileLoadTest, AcceptsUpToTwoValuesAfterTheLast) {
    auto lines = base;
    lines.insert(lines.end(), {"\"x\"", "1"});  // count 160
    EXPECT_EQ(Load(lines), FileStatus::Done);
    lines.insert(lines.end(), {"\"y\"", "2"});  // count 161
    EXPECT_EQ(Load(lines), FileStatus::WrongFormat);
}

TEST_F(ProjectFileLoadTest, OldFileOfTheOutputsOnlyGetsTheLaterDefaults) {
    auto lines = Through(120, false);
    lines[ValueLine(20)] = "12";  // ZorvicE1, first package DIP8: 15 degC/W
    Settings.ACInput = false;
    Settings.CoreCriterionTemp = true;
    OperatingPoint.ChipPinTemperature = 60;
    OperatingPoint.ChipPackageType = 1;
    OperatingPoint.RthJunctionPin = 2;
    Transfo.ParallelWireMax = 3;
    Settings.UserPrimaryTurns = true;
    Transfo.PrimaryTurns = 40;
    Transfo.Lprimary.Value = 2e-3f;
    InputStage.DCInputMin = 20;
    OperatingPoint.RthPinAmbient = 55;
    for (auto& output : Outputs) output.CapacitorDerating = 1.5f;
    CurrentCore.Name = "kept";

    ASSERT_EQ(Load(lines), FileStatus::Done);
    EXPECT_TRUE(Settings.ACInput);
    EXPECT_FALSE(Settings.CoreCriterionTemp);
    EXPECT_EQ(OperatingPoint.ChipPinTemperature, 25.0f);
    EXPECT_EQ(OperatingPoint.ChipPackageType, 0);
    EXPECT_EQ(OperatingPoint.RthJunctionPin, 15.0f);
    EXPECT_EQ(Transfo.ParallelWireMax, 10);
    EXPECT_FALSE(Settings.UserPrimaryTurns);
    EXPECT_EQ(Transfo.PrimaryTurns, 40);
    for (const auto& output : Outputs) EXPECT_EQ(output.CapacitorDerating, 2.0f);
    // Values the file does not hold keep their values rather than becoming 0.
    EXPECT_EQ(Transfo.Lprimary.Value, 2e-3f);
    EXPECT_EQ(InputStage.DCInputMin, 20.0f);
    EXPECT_EQ(OperatingPoint.RthPinAmbient, 55.0f);
    EXPECT_EQ(CurrentCore.Name, "kept");
}

TEST_F(ProjectFileLoadTest, OldFileWithTheClosingKeyIsAccepted) {
    EXPECT_EQ(Load(Through(120, true)), FileStatus::Done);
}

TEST_F(ProjectFileLoadTest, GroupHeldOnlyInPartIsNotTaken) {
    auto lines = With(Through(135, true), {{133, "11"}, {135, "#FALSE#"}});  // 133 to 135 of the group 133 to 137
    InputStage.DCInputMin = 20;
    ASSERT_EQ(Load(lines), FileStatus::Done);
    EXPECT_EQ(InputStage.DCInputMin, 20.0f);
    EXPECT_TRUE(Settings.ACInput);

    lines = With(Through(142, false), {{142, "#TRUE#"}});  // the turns flag without the turns
    Transfo.PrimaryTurns = 40;
    ASSERT_EQ(Load(lines), FileStatus::Done);
    EXPECT_FALSE(Settings.UserPrimaryTurns);
    EXPECT_EQ(Transfo.PrimaryTurns, 40);
}

// Files that end where one group of later values ends and the next begins: the DC input group
// (133 to 137), the package group (138 to 140) and the strand limit (141). The closing key
// counts in the value count but is no value: after value 137 it does not bring in value 138.
struct GroupBoundaryCase {
    const char* name;
    int last;
    bool endKey;
    bool packageGroupTaken;
    int16_t parallelWireMax;
};

class GroupBoundaryTest : public ProjectFileLoadTest, public ::testing::WithParamInterface<GroupBoundaryCase> {};

TEST_P(GroupBoundaryTest, TakesEachWholeGroupAndDefaultsTheNext) {
    const GroupBoundaryCase& c = GetParam();
    auto lines = With(Through(c.last, c.endKey), {{133, "24"}, {135, "#FALSE#"}, {137, "55"}});
    if (c.last >= 140) lines = With(lines, {{138, "7.5"}, {139, "1"}, {140, "61"}});
    if (c.last >= 141) lines[ValueLine(141)] = "3";
    OperatingPoint.ChipPinTemperature = 60;
    OperatingPoint.ChipPackageType = 1;
    OperatingPoint.RthJunctionPin = 9;
    Transfo.ParallelWireMax = 5;

    ASSERT_EQ(Load(lines), FileStatus::Done);
    EXPECT_EQ(InputStage.DCInputMin, 24.0f);
    EXPECT_FALSE(Settings.ACInput);
    EXPECT_EQ(Transfo.MaxDeltaT, 55.0f);
    if (c.packageGroupTaken) {
        EXPECT_EQ(OperatingPoint.RthJunctionPin, 7.5f);
        EXPECT_EQ(OperatingPoint.ChipPackageType, 1);
        EXPECT_EQ(OperatingPoint.ChipPinTemperature, 61.0f);
    } else {
        // The default chip's first package, HTP10: 2 degC/W.
        EXPECT_EQ(OperatingPoint.RthJunctionPin, 2.0f);
        EXPECT_EQ(OperatingPoint.ChipPackageType, 0);
        EXPECT_EQ(OperatingPoint.ChipPinTemperature, 25.0f);
    }
    EXPECT_EQ(Transfo.ParallelWireMax, c.parallelWireMax);
}

INSTANTIATE_TEST_SUITE_P(ProjectFileLoadTest, GroupBoundaryTest,
                         ::testing::Values(GroupBoundaryCase{"EndsWithTheDcInputGroup", 137, true, false, 10},
                                           GroupBoundaryCase{"EndsWithThePackageGroup", 140, true, true, 10},
                                           GroupBoundaryCase{"EndsWithThePackageGroupWithoutTheKey", 140, false,
                                                             true, 10},
                                           GroupBoundaryCase{"EndsWithTheStrandLimit", 141, true, true, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectFileLoadTest, ReadsOtherNumberFormsWithAnyLineEnd) {
    // Value 8 is a whole-number field: it rounds half to even.
    const auto lines = With(base, {{9, "0.03"}, {11, "-.5"}, {23, "1E-05"}, {8, "40.5"}});
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        ASSERT_EQ(Load(lines, end), FileStatus::Done) << "line end " << static_cast<int>(end.back());
        EXPECT_EQ(Transfo.LeakageRatio, 0.03f);
        EXPECT_EQ(Transfo.CoreLossShare, -0.5f);
        EXPECT_EQ(Control.SoftStartTime, 1e-5f);
        EXPECT_EQ(OperatingPoint.AmbientTemperature, 40);
    }
}

TEST_F(ProjectFileLoadTest, WindowsTextsAreReadAndWrittenBackInUtf8) {
    // \x96: an en dash.
    ASSERT_EQ(Load(With(base, {{0, "\"Caf\xE9.zpj\""}, {132, "\"Caf\xE9 \x96 r\xE9v. 2\""}})), FileStatus::Done);
    EXPECT_EQ(Settings.DesignFileName, "Caf\xC3\xA9.zpj");
    EXPECT_EQ(Settings.ProjectName, "Caf\xC3\xA9 \xE2\x80\x93 r\xC3\xA9v. 2");

    Settings.DesignFileName = folder.File("saved.zpj");
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    EXPECT_EQ(ReadCrLfLines(Settings.DesignFileName)[ValueLine(132)],
              "\"Caf\xC3\xA9 \xE2\x80\x93 r\xC3\xA9v. 2\"");
}

TEST_F(ProjectFileLoadTest, LongestLineIsAccepted) {
    ASSERT_EQ(Load(With(base, {{132, "\"" + std::string(4094, 'p') + "\""}})), FileStatus::Done);
    EXPECT_EQ(Settings.ProjectName.size(), 4094u);
}

class ChipIndexLoadTest : public ProjectFileLoadTest,
                          public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(ChipIndexLoadTest, LoadsTheRowThatReplacedTheStoredOne) {
    ASSERT_EQ(Load(With(base, {{20, GetParam().first}, {21, "\"stored name\""}})), FileStatus::Done);
    EXPECT_EQ(CurrentChip.Name, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChipIndexLoadTest,
                         ::testing::Values(std::pair{"8", "ZorvicD2"}, std::pair{"3", "ZorvicA2"},
                                           std::pair{"7", "ZorvicC2"}, std::pair{"0", "ZorvicA1"},
                                           std::pair{"16", "ZorvicF2"}, std::pair{"12", "ZorvicE1"}));

TEST_F(ProjectFileLoadTest, TableRowsReplaceTheStoredNames) {
    // Value 37 is output 0's diode index.
    ASSERT_EQ(Load(With(base, {{37, "20"}, {38, "\"Bogus\""}, {122, "3"}, {123, "9"}, {124, "30"}})), FileStatus::Done);
    EXPECT_EQ(Outputs[0].Diode.Name, DiodeTable[20].Name);
    EXPECT_EQ(Outputs[0].Diode.Index, 20);
    EXPECT_EQ(Transfo.Material.Name, CoreMaterialTable[3].Name);
    EXPECT_EQ(CurrentMaterial.Name, CoreMaterialTable[3].Name);
    EXPECT_EQ(Transfo.Core.Name, StandardCoreTable[9].Name);
    EXPECT_EQ(Transfo.PrimaryWire.Awg, WireTable[30].Awg);
    EXPECT_EQ(Transfo.PrimaryWire.Index, 30);
    // The stored core dimensions come last and stand.
    EXPECT_EQ(CurrentCore.Name, StandardCoreTable[4].Name);
}

TEST_F(ProjectFileLoadTest, RepeatedRegulationFlagIsNotReadBack) {
    ASSERT_EQ(Load(With(base, {{12, "#TRUE#"}, {131, "#FALSE#"}})), FileStatus::Done);
    EXPECT_TRUE(OperatingPoint.SecondaryRegulation);
}

TEST_F(ProjectFileLoadTest, SetsTheDcBusFromTheLoadedInput) {
    const auto lines = With(base, {{14, "100"}, {15, "250"}, {16, "30"}});
    ASSERT_EQ(Load(lines), FileStatus::Done);
    // 100 x sqrt(2) - 30 and 250 x sqrt(2)
    EXPECT_NEAR(InputStage.VdcMin, 111.42136, 1e-4);
    EXPECT_NEAR(InputStage.VdcMax, 353.55339, 1e-4);

    // No mains frequency (value 17) is needed on a DC input.
    ASSERT_EQ(Load(With(lines, {{135, "#FALSE#"}, {133, "24"}, {134, "48"}, {17, "0"}})), FileStatus::Done);
    EXPECT_EQ(InputStage.VdcMin, 24.0f);
    EXPECT_EQ(InputStage.VdcMax, 48.0f);
}

TEST_F(ProjectFileLoadTest, InactiveOutputMayHaveNoVoltage) {
    EXPECT_EQ(Load(With(base, {{25 + 16 * 3 + 1, "0"}})), FileStatus::Done);
}

class ProjectCustomCoreTest : public ProjectFileLoadTest {
protected:
    // The base file with a custom core of that name and volume.
    std::vector<std::string> WithCustomCore(const std::string& name, const std::string& ve) const {
        return With(base, {{150, "\"" + name + "\""}, {151, "\"Custom\""}, {152, "50"}, {153, "40"}, {154, "80"},
                           {155, "30"}, {156, ve}});
    }
    static void AddCore(const std::string& name, float ve) {
        CoreGeometry core;
        core.Series = "Custom";
        core.Name = name;
        core.Lm = core.Le = core.Ae = core.W = 10;
        core.Ve = ve;
        CustomCoreList[static_cast<std::size_t>(CustomCoreCount)] = core;
        ++CustomCoreCount;
    }
};

TEST_F(ProjectCustomCoreTest, CustomCoreJoinsTheListInVolumeOrder) {
    AddCore("small", 1000);
    AddCore("large", 5000);
    ASSERT_EQ(Load(WithCustomCore("mine", "3000")), FileStatus::Done);
    EXPECT_TRUE(Settings.CustomCoreMode);
    EXPECT_TRUE(Settings.UserCoreGeometry);
    ASSERT_EQ(CustomCoreCount, 3);
    EXPECT_EQ(CustomCoreList[0].Name, "small");
    EXPECT_EQ(CustomCoreList[1].Name, "mine");
    EXPECT_EQ(CustomCoreList[1].Lm, 50.0f);
    EXPECT_EQ(CustomCoreList[2].Name, "large");
    ASSERT_EQ(host.coresAdded.size(), 1u);
    EXPECT_EQ(host.coresAdded[0].Name, "mine");
}

TEST_F(ProjectCustomCoreTest, CustomCoreReplacesTheCoreOfItsName) {
    AddCore("mine", 1000);
    AddCore("large", 5000);
    ASSERT_EQ(Load(WithCustomCore("mine", "9000")), FileStatus::Done);
    ASSERT_EQ(CustomCoreCount, 2);
    EXPECT_EQ(CustomCoreList[0].Name, "large");
    EXPECT_EQ(CustomCoreList[1].Name, "mine");
    EXPECT_EQ(CustomCoreList[1].Ve, 9000.0f);
}

TEST_F(ProjectCustomCoreTest, FullListOnlyTakesAReplacement) {
    for (int i = 0; i < MaxCustomCores; ++i) AddCore("core " + std::to_string(i), static_cast<float>(i + 1));
    ASSERT_EQ(Load(WithCustomCore("new one", "3000")), FileStatus::Done);
    EXPECT_EQ(CustomCoreCount, MaxCustomCores);
    EXPECT_TRUE(CustomCoreList[static_cast<std::size_t>(MaxCustomCores)].Name.empty());
    EXPECT_TRUE(host.coresAdded.empty());
    // The design still uses the file's core.
    EXPECT_EQ(CurrentCore.Name, "new one");

    ASSERT_EQ(Load(WithCustomCore("core 0", "99999")), FileStatus::Done);
    EXPECT_EQ(CustomCoreCount, MaxCustomCores);
    EXPECT_EQ(CustomCoreList[static_cast<std::size_t>(MaxCustomCores) - 1].Name, "core 0");
}
