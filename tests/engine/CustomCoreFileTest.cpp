// The custom core list file: seven lines a core, loaded whole or refused whole.

#include <gtest/gtest.h>

#include <filesystem>

#include "CustomCores.h"
#include "FileManagement.h"
#include "FileTestSupport.h"
#include "RecordingHost.h"
#include "TestLocale.h"

using namespace zorvic;

namespace {

CoreGeometry Core(const std::string& name, float lm, float le, float ae, float w, float ve) {
    CoreGeometry core;
    core.Series = "Custom";
    core.Name = name;
    core.Lm = lm;
    core.Le = le;
    core.Ae = ae;
    core.W = w;
    core.Ve = ve;
    return core;
}

std::vector<std::string> CoreLines(const std::string& name, const std::string& series = "Custom") {
    return {"\"" + name + "\"", "\"" + series + "\"", "28.5", "20", "25.1", "11.5", "502"};
}

}  // namespace

class CustomCoreFileTest : public LocaleTest {
protected:
    void SetUp() override {
        LocaleTest::SetUp();
        InstallHost(&host);
        CustomCoreList[0] = Core("Pot 14/8", 28.5f, 20, 25.1f, 11.5f, 502);
        CustomCoreList[1] = Core("E20 own", 41.5f, 46, 31.2f, 41.3f, 1490);
        CustomCoreList[2] = Core("RM10 own", 52, 44.6f, 98, 48.6f, 4310);
        CustomCoreCount = 3;
        path = folder.File("cores.zcl");
    }
    void TearDown() override {
        InstallHost(nullptr);
        LocaleTest::TearDown();
    }

    FileStatus Load(const std::vector<std::string>& lines) {
        WriteWhole(path, JoinLines(lines));
        return LoadCustomCoreList(path);
    }
    void ExpectRefusedAndListKept(FileStatus status) {
        EXPECT_EQ(status, FileStatus::WrongFormat);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "Core File Problem");
        EXPECT_EQ(host.messages[0].title, "Wrong File Format");
        ASSERT_EQ(CustomCoreCount, 3);
        EXPECT_EQ(CustomCoreList[0].Name, "Pot 14/8");
        EXPECT_EQ(CustomCoreList[2].Ve, 4310.0f);
    }

    RecordingHost host;
    ScratchFolder folder;
    std::string path;
};

TEST_P(CustomCoreFileTest, SavesSevenLinesACoreInListOrder) {
    ASSERT_EQ(SaveCustomCoreList(path), FileStatus::Done);
    const std::vector<std::string> expected = {
        "\"Pot 14/8\"", "\"Custom\"", "28.5", "20",   "25.1", "11.5", "502",
        "\"E20 own\"",  "\"Custom\"", "41.5", "46",   "31.2", "41.3", "1490",
        "\"RM10 own\"", "\"Custom\"", "52",   "44.6", "98",   "48.6", "4310",
    };
    EXPECT_EQ(ReadCrLfLines(path), expected);
    EXPECT_TRUE(host.messages.empty());
}

TEST_P(CustomCoreFileTest, LoadsBackTheSameCoresInTheSameOrder) {
    const auto saved = CustomCoreList;
    ASSERT_EQ(SaveCustomCoreList(path), FileStatus::Done);
    CustomCoreList = {};
    CustomCoreCount = 0;
    ASSERT_EQ(LoadCustomCoreList(path), FileStatus::Done);
    ASSERT_EQ(CustomCoreCount, 3);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(CustomCoreList[i].Name, saved[i].Name);
        EXPECT_EQ(CustomCoreList[i].Series, "Custom");
        EXPECT_EQ(CustomCoreList[i].Lm, saved[i].Lm);
        EXPECT_EQ(CustomCoreList[i].Le, saved[i].Le);
        EXPECT_EQ(CustomCoreList[i].Ae, saved[i].Ae);
        EXPECT_EQ(CustomCoreList[i].W, saved[i].W);
        EXPECT_EQ(CustomCoreList[i].Ve, saved[i].Ve);
    }
}

TEST_P(CustomCoreFileTest, OverlongNameIsCutSoTheListLoadsBack) {
    CustomCoreList[1].Name = std::string(5000, 'n');
    ASSERT_EQ(SaveCustomCoreList(path), FileStatus::Done);
    CustomCoreCount = 0;
    ASSERT_EQ(LoadCustomCoreList(path), FileStatus::Done);
    ASSERT_EQ(CustomCoreCount, 3);
    EXPECT_EQ(CustomCoreList[1].Name, std::string(4094, 'n'));
}

TEST_P(CustomCoreFileTest, EmptyListIsNotSaved) {
    CustomCoreCount = 0;
    EXPECT_EQ(SaveCustomCoreList(path), FileStatus::EmptyCoreList);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Custom Core List is Empty");
    EXPECT_EQ(host.messages[0].title, "No File Saved");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_P(CustomCoreFileTest, FailedSaveIsReported) {
    EXPECT_EQ(SaveCustomCoreList(folder.File("missing/cores.zcl")), FileStatus::NotWritable);
    EXPECT_EQ(SaveCustomCoreList(""), FileStatus::NotWritable);
}

TEST_P(CustomCoreFileTest, LoadedCoresReplaceTheListAndCarryNothingElse) {
    CustomCoreList[3] = Core("stale", 1, 1, 1, 1, 1);
    auto lines = CoreLines("one");
    const auto second = CoreLines("two");
    lines.insert(lines.end(), second.begin(), second.end());
    ASSERT_EQ(Load(lines), FileStatus::Done);
    ASSERT_EQ(CustomCoreCount, 2);
    EXPECT_EQ(CustomCoreList[0].Name, "one");
    EXPECT_EQ(CustomCoreList[0].LeOverAe, 0.0f);
    EXPECT_EQ(CustomCoreList[0].Rth, 0.0f);
    EXPECT_EQ(CustomCoreList[0].Index, 0);
    EXPECT_EQ(CustomCoreList[1].Name, "two");
    // The element past the last core is empty.
    EXPECT_TRUE(CustomCoreList[2].Name.empty());
    EXPECT_EQ(CustomCoreList[2].Ve, 0.0f);
}

TEST_P(CustomCoreFileTest, ToleratesBlankLinesAfterTheLastCore) {
    auto lines = CoreLines("one");
    lines.push_back("");
    EXPECT_EQ(Load(lines), FileStatus::Done);
    EXPECT_EQ(CustomCoreCount, 1);
}

TEST_P(CustomCoreFileTest, LoadsTheFirstThreeHundredCores) {
    std::vector<std::string> lines;
    for (int i = 0; i < 301; ++i) {
        const auto core = CoreLines("core " + std::to_string(i));
        lines.insert(lines.end(), core.begin(), core.end());
    }
    ASSERT_EQ(Load(lines), FileStatus::Done);
    EXPECT_EQ(CustomCoreCount, 300);
    EXPECT_EQ(CustomCoreList[299].Name, "core 299");
    EXPECT_TRUE(host.messages.empty());
}

TEST_P(CustomCoreFileTest, RefusesAMalformedFileWholeAndKeepsTheList) {
    auto cut = CoreLines("one");
    const auto second = CoreLines("two");
    cut.insert(cut.end(), second.begin(), second.end() - 1);  // 13 lines
    std::vector<std::pair<std::string, std::vector<std::string>>> files = {
        {"lower-case series", CoreLines("one", "custom")}, {"ending inside a core", cut}, {"empty", {}},
        {"overlong line", CoreLines(std::string(4095, 'n'))}};
    for (const std::string bad : {"", "abc", "0", "-20", "1e999", "nan", "2,5"}) {
        for (std::size_t line = 2; line < 7; ++line) {
            auto lines = CoreLines("one");
            lines[line] = bad;
            files.emplace_back("line " + std::to_string(line) + " \"" + bad + "\"", lines);
        }
    }
    for (const auto& [what, lines] : files) {
        SCOPED_TRACE(what);
        host.messages.clear();
        ExpectRefusedAndListKept(Load(lines));
    }
}

TEST_P(CustomCoreFileTest, UnreadableFileChangesNothingSilently) {
    EXPECT_EQ(LoadCustomCoreList(folder.File("absent.zcl")), FileStatus::NotReadable);
    // A folder opens but fails on the first read.
    std::filesystem::create_directory(folder.File("folder.zcl"));
    EXPECT_EQ(LoadCustomCoreList(folder.File("folder.zcl")), FileStatus::NotReadable);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(CustomCoreCount, 3);
}

INSTANTIATE_TEST_SUITE_P(Locales, CustomCoreFileTest, ::testing::Values('.', ','), LocaleName);
