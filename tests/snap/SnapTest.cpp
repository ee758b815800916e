// The window snapshot tool: a design from overrides drawn at a chosen zoom, its PNG and the
// JSON of the window's texts; bad arguments are refused.

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "ProgramRunTest.h"

namespace {

class SnapTest : public ProgramRunTest {
protected:
    int Run(const std::string& overrides, const std::string& options) {
        return RunProgram(ZORVIC_SNAP_PATH, "'" + OverridesFile(overrides) + "' " + options);
    }

    static const nlohmann::json* Widget(const nlohmann::json& snap, const std::string& name) {
        for (const nlohmann::json& w : snap["widgets"])
            if (w["name"] == name) return &w;
        return nullptr;
    }
};

}  // namespace

TEST_F(SnapTest, DrawsTheDesignAtTheAskedZoomAndTellsItsTexts) {
    const std::string png = (dir / "main.png").string();
    const std::string design = R"({"Settings.AdditionalOutputs": 1, "Outputs[1].Voltage": 12, "Outputs[1].OutputType": 7})";
    ASSERT_EQ(Run(design, "--window main --png '" + png + "'"), 0);
    nlohmann::json snap = nlohmann::json::parse(out);
    EXPECT_TRUE(std::filesystem::file_size(png) > 1000);
    EXPECT_EQ(snap["width"], 1600);
    const nlohmann::json* voltage = Widget(snap, "lblVoltage(1)");
    ASSERT_NE(voltage, nullptr);
    EXPECT_EQ((*voltage)["text"], " 12.0V-1.0A");
    EXPECT_EQ((*voltage)["container"], "Output(1)");
    EXPECT_EQ((*voltage)["visible"], true);
    EXPECT_EQ((*voltage)["foreColor"], "&H80000012");
    const nlohmann::json* frame = Widget(snap, "fmPower");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ((*frame)["text"], "Quick Circuit Datas");

    ASSERT_EQ(Run(design, "--window main --zoom 0.6 --png '" + png + "'"), 0);
    snap = nlohmann::json::parse(out);
    EXPECT_NEAR(snap["zoom"].get<double>(), 0.6, 0.002);
    EXPECT_EQ((*Widget(snap, "lblVoltage(1)"))["visible"], false);
    EXPECT_EQ((*Widget(snap, "cmdOutputEdit(1)"))["visible"], true);
    EXPECT_EQ((*Widget(snap, "fmPower"))["visible"], false);
}

// The tool row as File > Open leaves it: the clamp button names the other clamp, and no output
// can be added to six.
TEST_F(SnapTest, ShowsTheDesignAsTheProgramDoesAfterOpeningIt) {
    const std::string png = (dir / "main.png").string();
    ASSERT_EQ(Run(R"({"Clamper.RCClamper": false, "Settings.AdditionalOutputs": 5})",
                  "--window main --png '" + png + "'"),
              0);
    const nlohmann::json snap = nlohmann::json::parse(out);
    EXPECT_EQ((*Widget(snap, "cmdSnubber"))["text"], "RC Clamper");
    EXPECT_EQ((*Widget(snap, "cmdOutputCreate"))["enabled"], false);
}

// The input over-voltage warning opens the input editor, then the chip editor: the tool cancels
// both, says so, and ends.
TEST_F(SnapTest, CancelsTheEditorsTheComputationOpensAndEnds) {
    const std::string design = R"({"Settings.ACInput": false, "InputStage.DCInputMin": 36, "InputStage.DCInputMax": 500})";
    ASSERT_EQ(RunProgram("timeout 60 " ZORVIC_SNAP_PATH,
                         "'" + OverridesFile(design) + "' --window main --png '" + (dir / "x.png").string() + "'"),
              0);
    EXPECT_NE(err.find("closed fmInput (\"Input Parameters\") as cancelled"), std::string::npos) << err;
    EXPECT_NE(err.find("Please Reduce Input Voltage"), std::string::npos) << err;
}

TEST_F(SnapTest, RefusesAnUnknownWindowOrAMissingPicturePath) {
    EXPECT_EQ(Run("{}", "--window nowhere --png '" + (dir / "x.png").string() + "'"), 2);
    EXPECT_EQ(Run("{}", "--window main"), 2);
    EXPECT_EQ(Run("{}", "--window main --zoom 0 --png x.png"), 2);
    EXPECT_EQ(Run(R"({"Settings.NoSuchField": 1})", "--window main --png '" + (dir / "x.png").string() + "'"), 2);
}
