// The engine's over-voltage warnings on the main window: the message, then the input or chip
// editor modal through the main window's calls. A DC design keeps its DC bus after the input
// editor of the warning, and a warning raised from the open chip editor shows its message only.

#include <QGroupBox>
#include <QLabel>

#include "CommandFixture.h"
#include "EditorDriving.h"
#include "FileManagement.h"
#include "Variables.h"
#include "fmInput.h"
#include "fmZorvic.h"

using namespace zorvic;
using namespace driving;

namespace {

class OverVoltageWarningTest : public CommandFixture {
protected:
    static int OpenChipEditors() {
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) count += w->isVisible() && qobject_cast<fmZorvic*>(w);
        return count;
    }
};

}  // namespace

TEST_F(OverVoltageWarningTest, DcDesignKeepsItsDcBusThroughTheInputWarning) {
    // 500 V DC on the default ZorvicF1 (650 V): 0.9 x 650 - 500 - 80 leaves 5 V, under the 10 V
    // the clamp needs.
    const QString path = dir.filePath(QStringLiteral("dc.zpj"));
    Settings.ACInput = false;
    InputStage.DCInputMin = 36;
    InputStage.DCInputMax = 500;
    Settings.DesignFileName = path.toStdString();
    ASSERT_EQ(SaveProject(), FileStatus::Done);
    Click(page->cmdFileNew);
    Settings.InputEditedLast = false;  // the chip editor was the last one used

    int editors = 0;
    WhenModal<fmInput>([&editors](fmInput* editor) {
        ++editors;
        EXPECT_TRUE(editor->fmDCRange->isVisible());
        TypeAndLeave(editor->txtMaxDCVoltage, "100");
        Click(editor->cmdDone);
    });
    platform::FileDialogScript::PushPath(path);
    Click(page->cmdOpenFile);

    EXPECT_EQ(editors, 1);
    ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_EQ(platform::MessageScript::Shown()[0].text, "Please Reduce Input Voltage. ZorvicF1 Has 650 Vmax.");
    EXPECT_EQ(platform::MessageScript::Shown()[0].title, "Zorvic Over Voltage");
    // The DC limits themselves, not 264 x 1.414 V from the mains range.
    EXPECT_FLOAT_EQ(InputStage.VdcMax, 100.0f);
    EXPECT_FLOAT_EQ(InputStage.VdcMin, 36.0f);
    EXPECT_GT(Clamper.VoltageMargin, 10.0f);
    EXPECT_FALSE(Settings.DesignSaved);
}

TEST_F(OverVoltageWarningTest, WarningFromTheOpenChipEditorShowsItsMessageOnly) {
    Settings.InputEditedLast = true;  // the peak check then asks for the reflected voltage
    int editors = 0;
    WhenModal<fmZorvic>([this, &editors](fmZorvic* editor) {
        ++editors;
        Pick(editor->lstZorvic, 2);  // ZorvicA3: 0.9 x 400 V leaves no margin above the 373 V bus
        Click(editor->cmdApply);
        EXPECT_TRUE(editor->isVisible());
        // As a warning asking for the chip editor would: the open editor is not opened again.
        EXPECT_FALSE(page->EditZorvicPara());
        EXPECT_EQ(OpenChipEditors(), 1);
        Click(editor->cmdCancel);
    });
    Click(page->cmdZorvic);

    EXPECT_EQ(editors, 1);
    ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_EQ(platform::MessageScript::Shown()[0].text, "Please Reduce Reflected Voltage. ZorvicA3 Has 400 Vmax.");
    EXPECT_EQ(page->lblSil[5]->text(), "ZorvicA3");  // Apply's design, drawn
    EXPECT_FALSE(Settings.InputEditedLast);
}
