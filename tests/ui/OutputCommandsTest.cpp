// The output commands clicked on the main window: adding outputs up to six in all, an edited
// output's tooltip and chip picture, and the clamp toggle.

#include <QAction>
#include <QLabel>

#include "CommandFixture.h"
#include "Colours.h"
#include "Forms.h"
#include "SvgPicture.h"
#include "Variables.h"

using namespace zorvic;

namespace {

class OutputCommandsTest : public CommandFixture {};

}  // namespace

TEST_F(OutputCommandsTest, AddsOutputsUntilThereAreSix) {
    std::vector<int16_t> edited;
    SetOutputEditorStandIn([&edited](int16_t index) {
        edited.push_back(index);
        OutputWork.Voltage = 5.0f + static_cast<float>(index);
        OutputWork.Current = 0.1f;
        return true;
    });
    const char* captions[] = {"", " 6.00V-100mA", " 7.00V-100mA", " 8.00V-100mA", " 9.00V-100mA", " 10.0V-100mA"};
    for (std::size_t n = 1; n <= 5; ++n) {
        EXPECT_TRUE(page->cmdOutputCreate->isEnabled()) << n;
        Click(page->cmdOutputCreate);
        EXPECT_EQ(Settings.AdditionalOutputs, static_cast<int16_t>(n));
        EXPECT_TRUE(Shown(page->Output[n]));
        EXPECT_EQ(page->lblVoltage[n]->text(), captions[n]);
    }
    EXPECT_FALSE(page->cmdOutputCreate->isEnabled());
    Click(page->cmdOutputCreate);
    EXPECT_EQ(edited, (std::vector<int16_t>{1, 2, 3, 4, 5}));
}

TEST_F(OutputCommandsTest, EditedOutputTakesItsTooltipAndTheMainOneItsChipPicture) {
    struct Case {
        std::size_t index;
        int16_t type;
        const char* tip;
        const char* chip;
    };
    Settings.AdditionalOutputs = 2;
    page->UpdateInstance();
    for (const Case c : {Case{0, 13, "Positive Voltage Regulator", "Zorvic22"},
                         Case{2, 5, "Output2 Filtering Inductor", "Zorvic22"},
                         Case{2, 7, "Output2 Filtering Inductor", "Zorvic22"},  // direct: tooltip kept
                         Case{0, 9, "Output Filtering Inductor", "Zorvic18"}}) {
        SetOutputEditorStandIn([&c](int16_t index) {
            EXPECT_EQ(OutputWork.Index, index);
            OutputWork.OutputType = c.type;
            return true;
        });
        Click(page->cmdOutputEdit[c.index]);
        EXPECT_EQ(page->lblSerial[c.index]->toolTip(), c.tip);
        EXPECT_EQ(page->ZorvicHost->Picture(), c.chip);
    }
}

TEST_F(OutputCommandsTest, ClampButtonSwapsTheClampAndNamesTheOther) {
    EXPECT_EQ(page->cmdSnubber->toolTip(), "RC orDravex Clamper");
    for (const bool rc : {false, true}) {
        Settings.DesignSaved = true;
        Click(page->cmdSnubber);
        EXPECT_EQ(Clamper.RCClamper, rc);
        EXPECT_EQ(page->cmdSnubber->text(), rc ? "Dravex Clamper" : "RC Clamper");
        EXPECT_EQ(page->InputFilter->Picture(), rc ? "Filter1" : "Filter0");
        EXPECT_FALSE(Settings.DesignSaved);
    }
}

TEST_F(OutputCommandsTest, AllDatasShowsTheSummaryOfTheDesign) {
    Click(page->cmdSummary);
    QWidget* summary = platform::Forms::Find(QStringLiteral("fmSummary"));
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->isVisible());
    Click(page->cmdSummary);
    EXPECT_EQ(platform::Forms::Find(QStringLiteral("fmSummary")), summary);
    delete summary;
}

TEST_F(OutputCommandsTest, TrainingModeColoursTheLabelsAndNewClearsItsCheck) {
    auto* training = page->findChild<QAction*>(QStringLiteral("mnuHelpTraining"));
    ASSERT_NE(training, nullptr);
    training->trigger();
    EXPECT_EQ(Settings.TrainingMode, 1);
    EXPECT_EQ(platform::ForeColor(page->lblVar[1]), 0xFF0000u);  // T1 in blue
    Settings.DesignSaved = true;
    Click(page->cmdFileNew);
    EXPECT_EQ(Settings.TrainingMode, 0);
    EXPECT_FALSE(training->isChecked());
    EXPECT_NE(platform::ForeColor(page->lblVar[1]), 0xFF0000u);
}
