// A project file that is not whole and sound is refused with its message, and the design, the
// caption and the unsaved mark stay exactly as they were.

#include <gtest/gtest.h>

#include <filesystem>

#include "FileManagement.h"
#include "FileTestSupport.h"
#include "RecordingHost.h"

using namespace zorvic;

namespace {

struct Refusal {
    const char* name;
    std::vector<std::pair<int, std::string>> values;  // value number and the line that replaces it
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

const Refusal refusals[] = {
    {"BlankNumber", {{1, ""}}},
    {"TextInNumber", {{1, "abc"}}},
    {"NumberWithTrailingText", {{9, "0.03x"}}},
    {"CommaDecimal", {{9, "0,03"}}},
    {"NotFinite", {{9, "inf"}}},
    {"NotANumber", {{9, "nan"}}},
    {"HexNumber", {{9, "0x1p-5"}}},
    {"FloatOverflow", {{9, "1E+39"}}},
    {"ShortOverflow", {{17, "32768"}}},
    {"LongOverflow", {{19, "2147483648"}}},
    {"LowerCaseFlag", {{3, "#true#"}}},
    {"NumberAsFlag", {{3, "-1"}}},
    {"UnclosedText", {{0, "\"Default.zpj"}}},
    {"TextAfterClosingQuote", {{0, "\"a\" b"}}},
    {"ChipIndexAboveTable", {{20, "17"}}},
    {"ChipIndexNegative", {{20, "-1"}}},
    {"MaterialIndexOutside", {{122, "17"}}},
    {"CoreIndexOutside", {{123, "37"}}},
    {"WireIndexOutside", {{124, "35"}}},
    {"FirstDiodeIndexOutside", {{37, "57"}}},
    {"LastDiodeIndexNegative", {{117, "-1"}}},
    {"TooManyOutputs", {{2, "6"}}},
    {"NegativeOutputCount", {{2, "-1"}}},
    {"TooManyRegulatedOutputs", {{7, "4"}}},
    {"ChipPictureOutside", {{6, "24"}}},
    {"WindingTypeOutside", {{128, "3"}}},
    {"PackagePositionOutside", {{139, "5"}}},
    {"NoParallelWire", {{141, "0"}}},
    {"TooManyParallelWires", {{141, "11"}}},
    {"OutputTypeZero", {{31, "0"}}},
    {"OutputTypeAbove", {{111, "15"}}},
    {"OutputIndexOutside", {{35, "6"}}},
    {"NoSwitchingFrequency", {{19, "0"}}},
    {"NoReflectedVoltage", {{18, "0"}}},
    {"NoMainsFrequencyOnAc", {{17, "0"}}},
    {"NoFluxRatio", {{126, "0"}}},
    {"NoWindowFactor", {{10, "0"}}},
    {"NoLeakageRatio", {{9, "0"}}},
    {"NoOptoGain", {{22, "0"}}},
    {"NoMainOutputVoltage", {{26, "0"}}},
    {"NoVoltageOnActiveOutput", {{2, "2"}, {58, "0"}}},
    {"UserInductanceZero", {{3, "#TRUE#"}, {121, "0"}}},
    {"UserTurnsNegative", {{142, "#TRUE#"}, {143, "-3"}}},
    {"CustomCoreWithoutVolume", {{151, "\"Custom\""}, {156, "0"}}},
    {"FixedCoreNegativeLength", {{5, "#TRUE#"}, {152, "-1"}}},
    {"LineTooLong", {{132, "\"" + std::string(4095, 'p') + "\""}}},
};

}  // namespace

class ProjectFileRefusalTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHost(&host);
        sample_designs::MakeDefaultDesign();
        Settings.DesignFileName = folder.File("base.zpj");
        EXPECT_EQ(SaveProject(), FileStatus::Done);
        base = ReadCrLfLines(Settings.DesignFileName);

        // A design that differs from the file in every way a load would show.
        sample_designs::MakeSixOutputSecondaryDesign();
        Settings.DesignSaved = false;
        CustomCoreList[0].Name = "listed";
        CustomCoreCount = 1;
        host = RecordingHost();
        before = SavedFields();
    }
    void TearDown() override { InstallHost(nullptr); }

    void ExpectRefusedAndUnchanged(const std::vector<std::string>& lines) {
        const std::string path = folder.File("refused.zpj");
        WriteWhole(path, JoinLines(lines));
        EXPECT_EQ(LoadProject(path), FileStatus::WrongFormat);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "Wrong File Format");
        EXPECT_EQ(host.messages[0].title, "File Error");
        EXPECT_EQ(host.messages[0].buttons, MessageButtons::OK);
        EXPECT_EQ(SavedFields(), before);
        EXPECT_FALSE(Settings.DesignSaved);
        EXPECT_EQ(host.designFileChanges, 0);
        EXPECT_TRUE(host.projectNames.empty());
        EXPECT_TRUE(host.blockChanges.empty());
        EXPECT_EQ(CustomCoreCount, 1);
    }

    RecordingHost host;
    ScratchFolder folder;
    std::vector<std::string> base;
    FieldList before;
};

class ProjectFileValueRefusalTest : public ProjectFileRefusalTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ProjectFileValueRefusalTest, RefusesAndKeepsDesign) {
    auto lines = base;
    for (const auto& [n, text] : GetParam().values) lines[ValueLine(n)] = text;
    ExpectRefusedAndUnchanged(lines);
}

INSTANTIATE_TEST_SUITE_P(Values, ProjectFileValueRefusalTest, ::testing::ValuesIn(refusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectFileRefusalTest, RefusesLowerCaseVersionLine) {
    auto lines = base;
    lines[0] = "\"zorvic soft version  2. 2 1\"";
    ExpectRefusedAndUnchanged(lines);
}

TEST_F(ProjectFileRefusalTest, RefusesFileOfOneHundredAndTwentyValues) {
    std::vector<std::string> lines(base.begin(), base.begin() + static_cast<long>(ValueLine(119)) + 1);
    ExpectRefusedAndUnchanged(lines);
}

TEST_F(ProjectFileRefusalTest, RefusesFileThatEndsBeforeTheLastOutputValue) {
    // With the closing key the count reaches 121, but value 120 was never read.
    std::vector<std::string> lines(base.begin(), base.begin() + static_cast<long>(ValueLine(119)) + 1);
    lines.push_back("\"End of Record\"");
    ExpectRefusedAndUnchanged(lines);
}

TEST_F(ProjectFileRefusalTest, RefusesEmptyFile) { ExpectRefusedAndUnchanged({}); }

TEST_F(ProjectFileRefusalTest, RefusesFileWithoutLineEndsOfTheRightKind) {
    // The whole file on one line is a version line and nothing else.
    std::string one;
    for (const auto& line : base) one += line + " ";
    ExpectRefusedAndUnchanged({one.substr(0, 4000)});
}

TEST_F(ProjectFileRefusalTest, UnreadableFileIsReportedToTheCallerOnly) {
    EXPECT_EQ(LoadProject(folder.File("absent.zpj")), FileStatus::NotReadable);
    // A folder opens but fails on the first read.
    std::filesystem::create_directory(folder.File("folder.zpj"));
    EXPECT_EQ(LoadProject(folder.File("folder.zpj")), FileStatus::NotReadable);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(SavedFields(), before);
    EXPECT_FALSE(Settings.DesignSaved);
}
