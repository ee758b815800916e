// Opening the editors modal as the main window does: values go back into the design only on
// Done, Apply writes the design at once and survives Cancel, Apply is never re-entered, and an
// over-voltage warning raised by Apply shows once and returns to the dialog or, for the input,
// closes it on the way to the input editor.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "ComputeDesign.h"
#include "EditorCalls.h"
#include "EditorDriving.h"
#include "EditorServices.h"
#include "QtDesignHost.h"
#include "fmInput.h"
#include "fmZorvic.h"

using namespace zorvic;
using namespace driving;

namespace {

// The program's host with the editors wired in, as the main window wires them.
class EditorHost : public QtDesignHost {
public:
    int chipEditorCalls = 0;
    void EditInputPara() override { ::EditInputPara(); }
    void EditZorvicPara() override {
        ++chipEditorCalls;
        ::EditZorvicPara();
    }
    bool ChipEditorIsActive() override { return ::ChipEditorIsActive(); }
    void CloseChipEditor() override { ::CloseChipEditor(); }
};

class EditorCallsTest : public ::testing::TestWithParam<bool>, public EditorServices {
protected:
    void SetUp() override {
        ComputeDesign();
        platform::MessageScript::Clear();
        InstallHost(&host);
        InstallEditorServices(this);
    }
    void TearDown() override {
        WithdrawEditorServices(this);
        static QtDesignHost plainHost;
        InstallHost(&plainHost);
    }
    void UpdateInstance() override {
        ++updates;
        ComputeDesign();
        if (fmZorvic* editor = std::exchange(reenter, nullptr)) editor->cmdApply->click();
    }
    QPushButton* Closing(QPushButton* done, QPushButton* cancel) const { return GetParam() ? done : cancel; }

    EditorHost host;
    int updates = 0;
    fmZorvic* reenter = nullptr;
};

}  // namespace

TEST_P(EditorCallsTest, InputValuesGoBackOnlyOnDone) {
    WhenModal<fmInput>([this](fmInput* editor) {
        TypeAndLeave(editor->txtMinVoltage, "100");
        Click(editor->opt60Hz);
        Click(Closing(editor->cmdDone, editor->cmdCancel));
    });
    EXPECT_EQ(EditInputPara(), GetParam());
    EXPECT_TRUE(Settings.InputEditedLast);
    EXPECT_EQ(Settings.DesignSaved, !GetParam());
    EXPECT_FLOAT_EQ(InputStage.VacMin, GetParam() ? 100 : 88);
    EXPECT_EQ(InputStage.MainsFrequency, GetParam() ? 60 : 50);
    // 100 x 1.41421 - 40 after Done; the default 88 x 1.41421 - 40 otherwise.
    EXPECT_NEAR(InputStage.VdcMin, GetParam() ? 101.42f : 84.45f, 0.005f);
}

TEST_P(EditorCallsTest, ChipValuesGoBackOnlyOnDone) {
    Settings.InputEditedLast = true;
    WhenModal<fmZorvic>([this](fmZorvic* editor) {
        TypeAndLeave(editor->txtSwitchFreq, "132.5");
        TypeAndLeave(editor->txtTemp_Amb, "24.5");
        Click(Closing(editor->cmdDone, editor->cmdCancel));
    });
    EXPECT_EQ(EditZorvicPara(), GetParam());
    EXPECT_FALSE(Settings.InputEditedLast);
    EXPECT_EQ(InputStage.SwitchingFrequency, GetParam() ? 132500 : 100000);
    EXPECT_EQ(OperatingPoint.AmbientTemperature, GetParam() ? 24 : 25);
    // Main output code 9 with the family-5 chip.
    EXPECT_EQ(Settings.ActiveZorvicPicture, GetParam() ? 18 : 0);
    EXPECT_EQ(updates, 0);
}

INSTANTIATE_TEST_SUITE_P(DoneOrCancel, EditorCallsTest, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "Done" : "Cancel"); });

TEST_F(EditorCallsTest, ApplyWritesAtOnceIsNotReenteredAndSurvivesCancel) {
    WhenModal<fmZorvic>([this](fmZorvic* editor) {
        Pick(editor->lstZorvic, 9);  // ZorvicE1, fixed 60 kHz
        reenter = editor;            // a click let through while Apply computes
        Click(editor->cmdApply);
        EXPECT_EQ(updates, 1);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(CurrentChip.Name, "ZorvicE1");
        EXPECT_EQ(editor->lblZorvicLosses->text(),
                  QString::fromStdString("Zorvic Losses @ Vmin: " + FormatEng(OperatingPoint.ChipLoss, "W")));
        Click(editor->cmdCancel);
    });
    EXPECT_FALSE(EditZorvicPara());
    EXPECT_EQ(CurrentChip.Name, "ZorvicE1");
    EXPECT_EQ(InputStage.SwitchingFrequency, 60000);
    EXPECT_FALSE(Settings.DesignSaved);
}

TEST_F(EditorCallsTest, AReflectedVoltageWarningFromApplyShowsOnceAndReturnsToTheDialog) {
    Settings.InputEditedLast = true;
    WhenModal<fmZorvic>([](fmZorvic* editor) {
        Pick(editor->lstZorvic, 2);  // ZorvicA3: 0.9 x 400 V leaves no margin above the 373 V bus
        Click(editor->cmdApply);
        EXPECT_TRUE(editor->isVisible());
        Click(editor->cmdCancel);
    });
    EditZorvicPara();
    ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_EQ(platform::MessageScript::Shown()[0].text, "Please Reduce Reflected Voltage. ZorvicA3 Has 400 Vmax.");
    EXPECT_EQ(host.chipEditorCalls, 0);
    EXPECT_EQ(updates, 1);
}

TEST_F(EditorCallsTest, AnInputVoltageWarningFromApplyClosesTheDialogForTheInputEditor) {
    WhenModal<fmZorvic>([](fmZorvic* editor) {
        Pick(editor->lstZorvic, 2);
        // 150 V rms puts the bus at 212 V: 360 - 212 - 80 leaves the margin.
        WhenModal<fmInput>([](fmInput* input) {
            TypeAndLeave(input->txtMaxVoltage, "150");
            Click(input->cmdDone);
        });
        Click(editor->cmdApply);
    });
    EXPECT_FALSE(EditZorvicPara());
    EXPECT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_EQ(CurrentChip.Name, "ZorvicA3");
    EXPECT_FLOAT_EQ(InputStage.VacMax, 150.0f);
    EXPECT_GE(Clamper.VoltageMargin, 10.0f);
}
