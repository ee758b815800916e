// What SaveProject writes, and what a save changes or, when it fails, leaves alone.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "FileManagement.h"
#include "FileTestSupport.h"
#include "RecordingHost.h"
#include "TestLocale.h"

using namespace zorvic;

class ProjectFileSaveTest : public LocaleTest {
protected:
    void SetUp() override {
        LocaleTest::SetUp();
        InstallHost(&host);
        sample_designs::MakeDefaultDesign();
        Settings.DesignFileName = folder.File("design.zpj");
    }
    void TearDown() override {
        InstallHost(nullptr);
        LocaleTest::TearDown();
    }

    std::vector<std::string> SavedLines() {
        EXPECT_EQ(SaveProject(), FileStatus::Done);
        return ReadCrLfLines(Settings.DesignFileName);
    }

    RecordingHost host;
    ScratchFolder folder;
};

TEST_P(ProjectFileSaveTest, WritesVersionKeysAndValuesInInvariantForm) {
    const auto lines = SavedLines();
    ASSERT_EQ(lines.size(), 318u);  // version, 158 pairs, "End of Record"
    EXPECT_EQ(lines[0], "\"Zorvic Soft Version  2. 2 1\"");
    EXPECT_EQ(lines[1], "\"File Name :\"");
    const std::vector<std::pair<int, std::string>> values = {
        {0, "\"" + Settings.DesignFileName + "\""}, {1, "0"}, {3, "#FALSE#"}, {9, ".03"}, {10, ".8"}, {13, "#TRUE#"},
        {17, "50"}, {19, "100000"}, {20, "15"}, {21, "\"ZorvicF1\""}, {23, ".01"}, {24, ".001"}, {36, "5.45"},
        {125, "3E-11"}, {126, ".75"}, {135, "#TRUE#"}, {144, "2"}, {157, "30"}};
    for (const auto& [n, line] : values) EXPECT_EQ(lines[ValueLine(n)], line) << "value " << n;
    const std::pair<int, const char*> keys[] = {
        {25, "\"Output  0 Polarity :\""}, {36, "\"Output  0 Voltage Before Diode :\""},
        {37, "\"Output  0 Selected Diode Index:\""}, {40, "\"User Defined Output  0 Diode :\""},
        {118, "\"Output  5 Selected Diode :\""}, {121, "\"Primary Inductance\""}, {131, "\"Secondary Regulation\""},
        {135, "\" AC (or DC) input ?\""}, {144, "\"Output 0Capacitor Derating\""}, {157, "\"Rtpin_ambiant\""}};
    for (const auto& [n, key] : keys) EXPECT_EQ(lines[ValueLine(n) - 1], key) << "key of value " << n;
    EXPECT_EQ(lines[317], "\"End of Record\"");
}

TEST_P(ProjectFileSaveTest, EachValueStandsUnderItsKey) {
    // A field written under a neighbour's key would still load back into itself, so each value
    // is checked in place, with values that differ from their neighbours.
    sample_designs::MakeSixOutputSecondaryDesign();
    host.blocksShown = std::array<bool, 6>{true, true, true, true, false, true};
    OutputRecord& o = Outputs[3];
    o.Polarity = false;
    o.Voltage = 15;
    o.Current = 1;
    o.MinimumCurrent = 0.25f;
    o.RippleFirstCell = 0.125f;
    o.RippleSecondCell = 0.0625f;
    o.OutputType = 7;
    o.Regulated = true;
    o.VoltageBeforeDiode = 15.5f;
    Settings.UserDefinedDiode = {false, false, false, true, false, false};
    const float deratings[] = {1, 1.25f, 1.5f, 1.75f, 2.25f, 2.5f};
    for (int i = 0; i < OutputCount; ++i) Outputs[static_cast<std::size_t>(i)].CapacitorDerating = deratings[i];
    CurrentCore.Name = "N";
    CurrentCore.Series = "S";
    CurrentCore.Lm = 52.5f;
    CurrentCore.Le = 37.5f;
    CurrentCore.Ae = 93.25f;
    CurrentCore.W = 38.75f;
    CurrentCore.Ve = 3530;

    const std::vector<std::pair<int, std::string>> expected = {
        {0, "\"six outputs.zpj\""}, {1, "1"}, {2, "5"}, {3, "#TRUE#"}, {4, "#TRUE#"}, {5, "#TRUE#"},
        {6, "13"}, {7, "2"}, {8, "55"}, {9, ".025"}, {10, ".65"}, {11, ".015"}, {12, "#TRUE#"},
        {13, "#FALSE#"}, {14, "85"}, {15, "265.5"}, {16, "33.3"}, {17, "60"}, {18, "95.5"},
        {19, "132000"}, {20, "12"}, {21, "\"" + ChipTable[12].Name + "\""}, {22, "1.7"}, {23, ".0125"},
        {24, ".0001"},
        // Output 3: 25 + 16 x 3 = 73 onwards.
        {73, "#FALSE#"}, {74, "15"}, {75, "1"}, {76, ".25"}, {77, ".125"}, {78, ".0625"}, {79, "7"},
        {80, "#TRUE#"}, {81, "2.5"}, {82, "\"78xx\""}, {83, "3"}, {84, "15.5"}, {85, "11"},
        {86, "\"" + DiodeTable[11].Name + "\""}, {87, "#TRUE#"}, {88, "#TRUE#"}, {103, "#FALSE#"},
        {121, ".001234"}, {122, "5"}, {123, "7"}, {124, "20"}, {125, "4.7E-11"}, {126, ".7"},
        {127, "#TRUE#"}, {128, "2"}, {129, "\"RM\""}, {130, "#TRUE#"}, {131, "#TRUE#"},
        {132, "\"Bench supply, rev. B\""}, {133, "40.5"}, {134, "80"}, {135, "#TRUE#"}, {136, "#FALSE#"},
        {137, "35"}, {138, "15"}, {139, "1"}, {140, "87.5"}, {141, "4"}, {142, "#TRUE#"}, {143, "57"},
        {144, "1"}, {145, "1.25"}, {146, "1.5"}, {147, "1.75"}, {148, "2.25"}, {149, "2.5"},
        {150, "\"N\""}, {151, "\"S\""}, {152, "52.5"}, {153, "37.5"}, {154, "93.25"}, {155, "38.75"},
        {156, "3530"}, {157, "42.5"},
    };
    const auto lines = ProjectFileLines();
    ASSERT_EQ(lines.size(), 318u);
    for (const auto& [n, line] : expected) EXPECT_EQ(lines[ValueLine(n)], line) << "value " << n;
}

TEST_P(ProjectFileSaveTest, WritesEveryOutputBlockWithItsShownFlag) {
    host.blocksShown = std::array<bool, 6>{false, false, true, false, false, false};
    const auto lines = SavedLines();
    // Output 0 is always there; the others as the schematic shows them.
    EXPECT_EQ(lines[ValueLine(39)], "#TRUE#");
    EXPECT_EQ(lines[ValueLine(55)], "#FALSE#");
    EXPECT_EQ(lines[ValueLine(71)], "#TRUE#");
    EXPECT_EQ(lines[ValueLine(119) - 1], "\"Output  5 Active :\"");
    EXPECT_EQ(lines[ValueLine(119)], "#FALSE#");
}

TEST_P(ProjectFileSaveTest, ShownFlagsFollowTheOutputCountWithoutAWindow) {
    InstallHost(nullptr);
    Settings.AdditionalOutputs = 2;
    const auto lines = SavedLines();
    EXPECT_EQ(lines[ValueLine(55)], "#TRUE#");
    EXPECT_EQ(lines[ValueLine(71)], "#TRUE#");
    EXPECT_EQ(lines[ValueLine(87)], "#FALSE#");
}

TEST_P(ProjectFileSaveTest, TextsThatWouldNotReadBackAreMended) {
    Settings.ProjectName = "Say \"hi\"\r\nto all, twice";
    const auto lines = SavedLines();
    EXPECT_EQ(lines[ValueLine(132)], "\"Say 'hi'  to all, twice\"");

    Settings.ProjectName.clear();
    ASSERT_EQ(LoadProject(Settings.DesignFileName), FileStatus::Done);
    EXPECT_EQ(Settings.ProjectName, "Say 'hi'  to all, twice");
}

TEST_P(ProjectFileSaveTest, OverlongTextIsCutSoTheFileLoadsBack) {
    // 5001 bytes: "a", then 2500 two-byte letters. A quoted line holds at most 4094 bytes of
    // text; byte 4094 is the second half of a letter, so the cut falls before that letter.
    std::string name = "a";
    for (int i = 0; i < 2500; ++i) name += "\xC3\xA9";
    Settings.ProjectName = name;
    const auto lines = SavedLines();
    EXPECT_EQ(lines[ValueLine(132)].size(), 4095u);

    Settings.ProjectName.clear();
    ASSERT_EQ(LoadProject(Settings.DesignFileName), FileStatus::Done);
    EXPECT_EQ(Settings.ProjectName, name.substr(0, 4093));
}

TEST_P(ProjectFileSaveTest, MarksTheDesignSavedAndTakesOutputFiveAsTemplate) {
    Settings.DesignSaved = false;
    Outputs[5].Voltage = 7.5f;
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    EXPECT_TRUE(Settings.DesignSaved);
    EXPECT_EQ(OutputBlank.Voltage, 7.5f);
    EXPECT_EQ(host.designFileChanges, 1);
}

TEST_P(ProjectFileSaveTest, FailedSaveReportsAndChangesNothing) {
    Settings.DesignSaved = false;
    Outputs[5].Voltage = 7.5f;
    Settings.DesignFileName = folder.File("missing/design.zpj");
    EXPECT_EQ(SaveProject(), FileStatus::NotWritable);
    EXPECT_FALSE(Settings.DesignSaved);
    EXPECT_EQ(OutputBlank.Voltage, 5.0f);
    EXPECT_EQ(host.designFileChanges, 0);
    EXPECT_FALSE(std::filesystem::exists(Settings.DesignFileName));
}

TEST_P(ProjectFileSaveTest, FailedSaveKeepsThePreviousFile) {
    // A folder of that name cannot be replaced by a file: the rename fails after the write.
    std::filesystem::create_directory(Settings.DesignFileName);
    WriteWhole(Settings.DesignFileName + "/keep.txt", "kept");
    EXPECT_EQ(SaveProject(), FileStatus::NotWritable);
    EXPECT_EQ(ReadWhole(Settings.DesignFileName + "/keep.txt"), "kept");
    // Nothing is left beside it.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++entries;
    EXPECT_EQ(entries, 1);
}

// A save through a link writes the file the link names, however the link names it; the link
// stays a link and nothing else appears beside either.
TEST_P(ProjectFileSaveTest, SavingThroughALinkWritesTheFileItNames) {
    namespace fs = std::filesystem;
    fs::create_directory(folder.Path() / "real");
    const fs::path file = folder.Path() / "real" / "design.zpj";
    const fs::path link = folder.File("link.zpj");
    const fs::path chain = folder.File("chain.zpj");
    struct Case {
        const char* name;
        fs::path linkTarget;  // what `link` holds
        bool viaChain;        // saved through a link to `link`
    };
    for (const Case& c : {Case{"relative", "real/design.zpj", false}, Case{"absolute", file, false},
                          Case{"two links", "real/design.zpj", true}}) {
        SCOPED_TRACE(c.name);
        fs::remove(link);
        fs::remove(chain);
        WriteWhole(file.string(), "old");
        fs::create_symlink(c.linkTarget, link);
        fs::create_symlink("link.zpj", chain);
        Settings.DesignFileName = (c.viaChain ? chain : link).string();
        ASSERT_EQ(SaveProject(), FileStatus::Done);
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_TRUE(fs::is_symlink(chain));
        EXPECT_EQ(ReadCrLfLines(file.string()).size(), 318u);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path() / "real"), fs::directory_iterator()), 1);
    }
    // A link to a file not yet there makes the file.
    fs::remove(file);
    Settings.DesignFileName = link.string();
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadCrLfLines(file.string()).size(), 318u);
    // Links that lead round in a loop name no file: the save is refused and they stay.
    fs::remove(link);
    fs::create_symlink("chain.zpj", link);
    EXPECT_EQ(SaveProject(), FileStatus::NotWritable);
    EXPECT_TRUE(fs::is_symlink(link) && fs::is_symlink(chain));
}

TEST_P(ProjectFileSaveTest, SavingKeepsTheFilesPermissions) {
    namespace fs = std::filesystem;
    using fs::perms;
    for (const perms kept : {perms::owner_read | perms::owner_write,
                             perms::owner_read | perms::owner_write | perms::group_read | perms::others_read,
                             perms::owner_read | perms::owner_write | perms::group_read | perms::group_write}) {
        WriteWhole(Settings.DesignFileName, "old");
        fs::permissions(Settings.DesignFileName, kept);
        ASSERT_EQ(SaveProject(), FileStatus::Done);
        EXPECT_EQ(fs::status(Settings.DesignFileName).permissions(), kept);
    }
}

// The new content goes into a file of its own: a link planted where a temporary file of a
// foreseeable name would be made leads it nowhere.
TEST_P(ProjectFileSaveTest, PlantedLinkBesideTheFileIsNotFollowed) {
    const std::string victim = folder.File("victim");
    WriteWhole(victim, "victim");
    std::filesystem::create_symlink(victim, Settings.DesignFileName + ".saving~");
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    EXPECT_EQ(ReadWhole(victim), "victim");
    EXPECT_EQ(ReadCrLfLines(Settings.DesignFileName).size(), 318u);
}

TEST_P(ProjectFileSaveTest, ReplacedFileKeepsItsOwnerAndGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "only an administrator gives a file to another owner";
    WriteWhole(Settings.DesignFileName, "old");
    ASSERT_EQ(::chown(Settings.DesignFileName.c_str(), 4242, 4343), 0);
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    struct stat saved {};
    ASSERT_EQ(::stat(Settings.DesignFileName.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_uid, 4242u);
    EXPECT_EQ(saved.st_gid, 4343u);
}

TEST(DesignNameTest, FileNameWithoutFolderAndExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/ann/my.design.zpj", "my.design"}, {"C:\\Designs\\Bench.zpj", "Bench"}, {".zpj", ".zpj"},
        {"", "Zorvic"}};
    for (const auto& [file, name] : cases) EXPECT_EQ(DesignName(file), name) << file;
}

TEST_P(ProjectFileSaveTest, ReplacesALongerOldFileWhole) {
    WriteWhole(Settings.DesignFileName, std::string(100000, 'x'));
    const auto lines = SavedLines();
    EXPECT_EQ(lines.size(), 318u);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++entries;
    EXPECT_EQ(entries, 1);
}

INSTANTIATE_TEST_SUITE_P(Locales, ProjectFileSaveTest, ::testing::Values('.', ','), LocaleName);
