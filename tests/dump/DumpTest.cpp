// The design dump: field paths set the state, the JSON carries every record, and the program
// applies a file of overrides before its computation.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "ComputeDesign.h"
#include "DesignFields.h"
#include "FileManagement.h"
#include "NumberText.h"
#include "ProgramRunTest.h"
#include "Variables.h"

using namespace zorvic;
using zorvic::dump::Json;
using zorvic::dump::SetStatus;

class DumpTest : public ::testing::Test {
protected:
    static SetStatus Set(const std::string& path, const Json& value) {
        std::string error;
        return dump::SetField(path, value, error);
    }
};

TEST_F(DumpTest, PrintsEveryRecordAndOnlyTheActiveOutputs) {
    Json design = dump::DesignToJson();
    for (const char* record : {"Settings", "OperatingPoint", "Regulation", "Transfo", "Clamper", "InputStage",
                               "Control", "CurrentChip", "CurrentCore", "CurrentMaterial", "CurrentClamp"})
        EXPECT_TRUE(design[record].is_object()) << record;
    ASSERT_EQ(design["Outputs"].size(), 1u);
    EXPECT_EQ(design["Outputs"][0]["OutputType"], 9);
    EXPECT_EQ(design["Transfo"]["TurnsRatio"].size(), 6u);
    EXPECT_EQ(design["Regulation"]["Divider"].size(), 5u);
    EXPECT_TRUE(design["Regulation"]["Divider"][4]["Values"].is_array());
    EXPECT_EQ(design["Clamper"]["Clamp"]["Series"], "SPKA");
    EXPECT_EQ(design["CurrentChip"]["Name"], "ZorvicF1");
    EXPECT_EQ(design["Settings"]["UserDefinedDiode"][0], false);

    Settings.AdditionalOutputs = 2;
    EXPECT_EQ(dump::DesignToJson()["Outputs"].size(), 3u);
}

TEST_F(DumpTest, FloatsPrintAsTheirShortestDecimalAndNonFiniteAsText) {
    Transfo.AirGap = std::numeric_limits<float>::quiet_NaN();
    Control.RhpZero = std::numeric_limits<float>::infinity();
    Control.OutputPole = -std::numeric_limits<float>::infinity();
    Settings.BackgroundColor = std::numeric_limits<double>::quiet_NaN();
    Json design = dump::DesignToJson();
    EXPECT_EQ(design["Transfo"]["AirGap"], "nan");
    EXPECT_EQ(design["Control"]["RhpZero"], "inf");
    EXPECT_EQ(design["Control"]["OutputPole"], "-inf");
    EXPECT_EQ(design["Settings"]["BackgroundColor"], "nan");
    EXPECT_EQ(design["Outputs"][0]["RippleFirstCell"].dump(), "0.3");
    EXPECT_EQ(design["InputStage"]["SwitchingFrequency"].dump(), "100000");
}

TEST_F(DumpTest, SetsFieldsThroughNestedRecordsAndLists) {
    EXPECT_EQ(Set("Outputs[2].Regulator.Family", "StdNeg"), SetStatus::Ok);
    EXPECT_EQ(Outputs[2].Regulator.Family, "StdNeg");
    EXPECT_EQ(Set("Settings.UserDefinedDiode[2]", true), SetStatus::Ok);
    EXPECT_TRUE(Settings.UserDefinedDiode[2]);
    EXPECT_EQ(Set("Transfo.Lprimary.Value", 0.001), SetStatus::Ok);
    EXPECT_EQ(Transfo.Lprimary.Value, 0.001f);
    EXPECT_EQ(Set("Regulation.Divider[3].Values[28]", 4700), SetStatus::Ok);
    EXPECT_EQ(Regulation.Divider[3].Values[28], 4700);
    EXPECT_EQ(Set("Outputs[1].Voltage", "nan"), SetStatus::Ok);
    EXPECT_TRUE(std::isnan(Outputs[1].Voltage));
    EXPECT_EQ(Set("Settings.AdditionalOutputs", 5), SetStatus::Ok);
    EXPECT_EQ(Settings.AdditionalOutputs, 5);
    EXPECT_EQ(Set("Transfo.TurnsRatio", Json::array({1, 2})), SetStatus::Ok);
    EXPECT_EQ(Transfo.TurnsRatio[1], 2);
}

TEST_F(DumpTest, RefusesUnknownPathsAndValuesThatDoNotFit) {
    for (const char* path : {"InputStage.Nope", "Nope.VacMin", "Outputs[6].Voltage", "Outputs.Voltage",
                             "Settings.UserDefinedDiode[6]", "InputStage.VacMin.Value", "InputStage.VacMin[0]",
                             "InputStage..VacMin", "Outputs[x].Voltage", ""})
        EXPECT_EQ(Set(path, 1), SetStatus::UnknownPath) << path;
    EXPECT_EQ(Set("InputStage.VacMin", "high"), SetStatus::BadValue);
    EXPECT_EQ(Set("Settings.AdditionalOutputs", 1.5), SetStatus::BadValue);
    EXPECT_EQ(Set("Settings.AdditionalOutputs", 40000), SetStatus::BadValue);
    EXPECT_EQ(Set("Settings.GeometryListType", 3), SetStatus::BadValue);
    EXPECT_EQ(Set("Transfo.Lprimary", 1), SetStatus::BadValue);
    EXPECT_EQ(InputStage.VacMin, 88);
}

TEST_F(DumpTest, RebuildsTheCandidateCoresOfTheListType) {
    Settings.GeometryListType = "RM";
    dump::RebuildCandidateCores();
    ASSERT_EQ(CandidateCoreLast, 5);  // the six RM rows
    for (int i = 0; i <= CandidateCoreLast; ++i) {
        EXPECT_EQ(CandidateCores[static_cast<std::size_t>(i)].Series, "RM");
        if (i > 0) {
            EXPECT_LT(CandidateCores[static_cast<std::size_t>(i - 1)].Index,
                      CandidateCores[static_cast<std::size_t>(i)].Index);
        }
    }
    Settings.GeometryListType = "Any";
    dump::RebuildCandidateCores();
    EXPECT_EQ(CandidateCoreLast, 36);  // every standard row
}

// A new output that no table rectifier fits holds the "No Ref" placeholder. The file keeps only
// its row index, so the design computed before saving must be the one a reload computes.
TEST_F(DumpTest, DesignWithANoRefRectifierReopensAsSaved) {
    Settings.AdditionalOutputs = 5;
    Outputs[5].Current = 40;  // no table diode carries 40 A
    ComputeDesign();
    ASSERT_EQ(Outputs[5].Diode.Name, "No Ref");
    const std::string path =
        (std::filesystem::temp_directory_path() / ("zorvic_noref_" + std::to_string(::getpid()) + ".zpj")).string();
    Settings.DesignFileName = path;
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    const Json saved = dump::DesignToJson();

    SetUp();
    const FileStatus loaded = LoadProject(path);
    std::filesystem::remove(path);
    ASSERT_EQ(loaded, FileStatus::Done);
    ComputeDesign();
    const Json reopened = dump::DesignToJson();
    EXPECT_EQ(reopened, saved) << Json::diff(saved, reopened).dump(1);
}

// Runs the program on a file of overrides; returns its exit code.
class DumpProgramTest : public ProgramRunTest {
protected:
    int Run(const std::string& overrides, const std::string& options = "") {
        return RunProgram(ZORVIC_DUMP_PATH, options + " '" + OverridesFile(overrides) + "'");
    }
};

TEST_F(DumpProgramTest, OverridesChangeTheComputedDesignAndTheOutputParses) {
    ASSERT_EQ(Run("{}"), 0) << err;
    const Json defaults = Json::parse(out);
    EXPECT_NEAR(defaults["InputStage"]["VdcMin"].get<double>(), 84.4508, 1e-3);  // 88 V x sqrt(2) - 40 V

    ASSERT_EQ(Run(R"({"InputStage.VacMin": 180, "Settings.AdditionalOutputs": 1, "Outputs[1].Voltage": 12,
                      "@Chip": 3})"),
              0)
        << err;
    const Json design = Json::parse(out);
    EXPECT_NEAR(design["InputStage"]["VdcMin"].get<double>(), 214.5584, 1e-3);  // derived again
    ASSERT_EQ(design["Outputs"].size(), 2u);
    EXPECT_EQ(design["Outputs"][1]["Voltage"], 12);
    EXPECT_EQ(design["CurrentChip"]["Name"], "ZorvicB1");
    EXPECT_NE(design["Outputs"][1]["Diode"]["Name"], "");  // the new output was computed
}

TEST_F(DumpProgramTest, OverriddenBusLimitIsNotDerivedAgain) {
    ASSERT_EQ(Run(R"({"InputStage.VacMin": 180, "InputStage.VdcMin": 150})"), 0) << err;
    EXPECT_EQ(Json::parse(out)["InputStage"]["VdcMin"], 150);
}

TEST_F(DumpProgramTest, UnknownKeyStopsWithCodeTwoAndSaysWhich) {
    EXPECT_EQ(Run(R"({"InputStage.VacMim": 180})"), 2);
    EXPECT_NE(err.find("InputStage.VacMim"), std::string::npos) << err;
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(Run(R"({"@Chip": 17})"), 2);
    EXPECT_EQ(Run(R"({"@Chips": 1})"), 2);
    EXPECT_EQ(Run("not json"), 2);
}

TEST_F(DumpProgramTest, SavedDesignLoadsBackToTheSameState) {
    const std::string project = (dir / "six volts.zpj").string();
    ASSERT_EQ(Run(R"({"InputStage.VacMin": 180, "Settings.AdditionalOutputs": 1, "Outputs[1].Voltage": 12,
                      "Outputs[1].OutputType": 3, "OperatingPoint.SecondaryRegulation": true,
                      "Outputs[0].Regulated": true})",
                  "--save '" + project + "'"),
              0)
        << err;
    const Json saved = Json::parse(out);
    EXPECT_EQ(saved["Settings"]["DesignFileName"], project);
    ASSERT_EQ(Run("{}", "--load '" + project + "'"), 0) << err;
    EXPECT_TRUE(err.empty()) << err;
    // The inputs come back; computed values may move a little, since a computation starts from
    // the state the previous one left.
    const Json loaded = Json::parse(out);
    EXPECT_EQ(loaded["Settings"]["DesignFileName"], project);
    EXPECT_EQ(loaded["Settings"]["AdditionalOutputs"], 1);
    EXPECT_EQ(loaded["InputStage"]["VacMin"], 180);
    EXPECT_EQ(loaded["OperatingPoint"]["SecondaryRegulation"], true);
    ASSERT_EQ(loaded["Outputs"].size(), 2u);
    EXPECT_EQ(loaded["Outputs"][0]["Regulated"], true);
    EXPECT_EQ(loaded["Outputs"][1]["Voltage"], 12);
    EXPECT_EQ(loaded["Outputs"][1]["OutputType"], 3);
    EXPECT_EQ(loaded["CurrentChip"]["Name"], saved["CurrentChip"]["Name"]);
    EXPECT_EQ(loaded["Transfo"]["Core"]["Name"], saved["Transfo"]["Core"]["Name"]);
}

TEST_F(DumpProgramTest, ProjectWithWindowsTextsPrintsThemInUtf8) {
    const std::string project = (dir / "cafe.zpj").string();
    ASSERT_EQ(Run(R"({"Settings.ProjectName": "Caf\u00e9"})", "--save '" + project + "'"), 0) << err;
    std::stringstream text;
    text << std::ifstream(project, std::ios::binary).rdbuf();
    std::string file = text.str();
    const auto name = file.find("Caf\xC3\xA9");
    ASSERT_NE(name, std::string::npos);
    file.replace(name, 5, "Caf\xE9");  // as an older version wrote it on Windows
    std::ofstream(project, std::ios::binary | std::ios::trunc) << file;
    ASSERT_EQ(Run("{}", "--load '" + project + "'"), 0) << err;
    EXPECT_EQ(Json::parse(out)["Settings"]["ProjectName"], "Caf\xC3\xA9");
}

TEST_F(DumpProgramTest, RefusedProjectIsReportedAndTheDefaultsStand) {
    const auto project = dir / "broken.zpj";
    std::ofstream(project) << "\"Not a design\"\r\n";
    ASSERT_EQ(Run("{}"), 0) << err;
    const Json defaults = Json::parse(out);
    ASSERT_EQ(Run("{}", "--load '" + project.string() + "'"), 0) << err;
    EXPECT_NE(err.find("File Error: Wrong File Format"), std::string::npos) << err;
    EXPECT_EQ(Json::parse(out), defaults);
}
