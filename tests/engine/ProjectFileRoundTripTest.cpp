// A saved design loads back to the same design, whatever the locale's decimal separator.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

#include "FileManagement.h"
#include "FileTestSupport.h"
#include "RecordingHost.h"

using namespace zorvic;

namespace {

struct DesignCase {
    const char* name;
    std::function<void()> make;
};

void PrintTo(const DesignCase& design, std::ostream* out) { *out << design.name; }

const DesignCase designCases[] = {
    {"Default", sample_designs::MakeDefaultDesign},
    {"SixOutputSecondary", sample_designs::MakeSixOutputSecondaryDesign},
    {"DcInput", sample_designs::MakeDcDesign},
    {"CustomCore", sample_designs::MakeCustomCoreDesign},
};

}  // namespace

class ProjectFileRoundTripTest : public ::testing::TestWithParam<std::tuple<DesignCase, char>> {
protected:
    void SetUp() override {
        InstallHost(&host);
        SetLocaleDecimalSeparator(std::get<1>(GetParam()));
    }
    void TearDown() override {
        InstallHost(nullptr);
        SetLocaleDecimalSeparator('.');
    }

    // Saves the design under its own name in the scratch folder.
    std::string Save() {
        const std::string path = folder.File(Settings.DesignFileName);
        Settings.DesignFileName = path;
        EXPECT_EQ(SaveProject(), FileStatus::Done);
        return path;
    }

    // What File > New leaves before a file is opened.
    static void StartAfresh() {
        const char separator = LocaleDecimalSeparator();
        ResetDesignState();
        SetLocaleDecimalSeparator(separator);
        ApplyDesignDefaults();
    }

    RecordingHost host;
    ScratchFolder folder;
};

TEST_P(ProjectFileRoundTripTest, LoadsBackEverySavedField) {
    std::get<0>(GetParam()).make();
    const std::string path = Save();
    const FieldList saved = SavedFields();
    const bool acInput = Settings.ACInput;

    StartAfresh();
    ASSERT_EQ(LoadProject(path), FileStatus::Done);
    const FieldList loaded = SavedFields();
    ASSERT_EQ(loaded.size(), saved.size());
    for (std::size_t i = 0; i < saved.size(); ++i) EXPECT_EQ(loaded[i], saved[i]);
    EXPECT_TRUE(host.messages.empty());

    // The DC bus follows the loaded input kind.
    if (acInput) {
        EXPECT_FLOAT_EQ(InputStage.VdcMax, static_cast<float>(InputStage.VacMax * std::sqrt(2.0)));
    } else {
        EXPECT_EQ(InputStage.VdcMin, InputStage.DCInputMin);
        EXPECT_EQ(InputStage.VdcMax, InputStage.DCInputMax);
    }
}

TEST_P(ProjectFileRoundTripTest, RestoresTheShownOutputBlocks) {
    std::get<0>(GetParam()).make();
    host.blocksShown = std::array<bool, 6>{true, true, false, true, false, true};
    const std::string path = Save();

    StartAfresh();
    ASSERT_EQ(LoadProject(path), FileStatus::Done);
    const std::vector<std::pair<int, bool>> expected = {{1, true}, {2, false}, {3, true}, {4, false}, {5, true}};
    EXPECT_EQ(host.blockChanges, expected);
}

TEST_P(ProjectFileRoundTripTest, WritesTheSameFileInEitherLocale) {
    std::get<0>(GetParam()).make();
    const std::string path = Save();
    const std::string text = ReadWhole(path);

    SetLocaleDecimalSeparator(LocaleDecimalSeparator() == '.' ? ',' : '.');
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    EXPECT_EQ(ReadWhole(path), text);
}

INSTANTIATE_TEST_SUITE_P(Designs, ProjectFileRoundTripTest,
                         ::testing::Combine(::testing::ValuesIn(designCases), ::testing::Values('.', ',')),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == '.' ? "Point" : "Comma");
                         });
