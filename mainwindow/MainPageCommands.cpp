// The main window's command buttons, the project box and the File menu: each handler runs the
// engine's side of its command, shows the answer and recomputes through UpdateInstance.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "ComputeDesign.h"
#include "DesignCommands.h"
#include "DocumentMenus.h"
#include "Forms.h"
#include "MainPage.h"
#include "Printing.h"
#include "ShowWindows.h"
#include "Variables.h"
#include "WindowPrint.h"

using namespace zorvic;

namespace {

// The clamp button names the other choice.
QString ClamperCaption() {
    return Clamper.RCClamper ? QStringLiteral("Dravex Clamper") : QStringLiteral("RC Clamper");
}

}  // namespace

void MainPage::ConnectCommands() {
    connect(cmdInputEdit, &QPushButton::clicked, this, [this] { cmdInputEdit_Click(); });
    connect(cmdZorvic, &QPushButton::clicked, this, [this] { cmdZorvic_Click(); });
    connect(cmdTransformer, &QPushButton::clicked, this, [this] { cmdTransformer_Click(); });
    for (int i = 0; i <= 5; ++i)
        connect(cmdOutputEdit[static_cast<std::size_t>(i)], &QPushButton::clicked, this,
                [this, i] { cmdOutputEdit_Click(i); });
    connect(cmdOutputCreate, &QPushButton::clicked, this, [this] { cmdOutputCreate_Click(); });
    connect(cmdSnubber, &QPushButton::clicked, this, [this] { cmdSnubber_Click(); });
    connect(cmdSummary, &QPushButton::clicked, this, [this] { cmdSummary_Click(); });
    connect(cmdCurve, &QPushButton::clicked, this, [this] { cmdCurve_Click(); });
    connect(cmdBOM, &QPushButton::clicked, this, [this] { cmdBOM_Click(); });
    // Only the user's choice runs the handler; the program shows an entry through
    // ShowRegulationEntry.
    connect(RegulationType, &QComboBox::activated, this, [this] { RegulationType_Click(); });
    connect(txtProject, &QLineEdit::textEdited, this, [this](const QString& text) { txtProject_Edited(text); });

    connect(cmdFileNew, &QToolButton::clicked, this, [this] { cmdFileNew_Click(); });
    connect(cmdOpenFile, &QToolButton::clicked, this, [this] { cmdOpenFile_Click(); });
    connect(cmdFileSave, &QToolButton::clicked, this, [this] { cmdFileSave_Click(); });
    connect(mnuNew, &QAction::triggered, this, [this] { cmdFileNew_Click(); });
    connect(mnuOpen, &QAction::triggered, this, [this] { cmdOpenFile_Click(); });
    connect(mnuSave, &QAction::triggered, this, [this] { cmdFileSave_Click(); });
    connect(mnuClose, &QAction::triggered, this, [this] { close(); });
    // A cancelled or failed printer dialog ends the command without a word.
    connect(mnuPrintSetup, &QAction::triggered, this, [this] {
        (void)platform::ChoosePrinter(this, platform::PrinterDialogUse::Setup,
                                      WindowPrint::PageName(WindowPrint::Page::Design));
    });
    connect(mnuPrint, &QAction::triggered, this, [this] { mnuPrint_Click(); });
    for (QLabel* zener : lblZener) zener->installEventFilter(this);
    DocumentMenus::AddMenus(menuBar(), [this](bool on) { SetTrainingMode(on ? 1 : 0); }, this);
}

void MainPage::SetTrainingMode(int16_t flag) {
    Settings.TrainingMode = flag != 0 ? 1 : 0;
    ChartRedraw();
}

void MainPage::cmdInputEdit_Click() {
    if (!EditInputPara()) return;
    UpdateInputVoltages();
    UpdateInstance();
}

void MainPage::cmdZorvic_Click() {
    if (EditZorvicPara()) UpdateInstance();
}

void MainPage::cmdOutputEdit_Click(int index) {
    if (EditOutputPara(static_cast<int16_t>(index))) UpdateInstance();
}

void MainPage::cmdOutputCreate_Click() {
    const std::optional<int16_t> added = PrepareNewOutput();
    if (!added || !EditOutputPara(*added)) return;
    Settings.AdditionalOutputs = *added;
    if (!CanAddOutput()) EnableAddOutput(false);
    UpdateInstance();
}

void MainPage::cmdSnubber_Click() {
    ToggleClamper();
    cmdSnubber->setText(ClamperCaption());
    UpdateInstance();
}

void MainPage::cmdTransformer_Click() { ShowTransformerWindow(this); }

void MainPage::cmdSummary_Click() { ShowSummaryWindow(this); }

void MainPage::cmdCurve_Click() { ShowCurveWindow(this); }

void MainPage::cmdBOM_Click() { ShowBillOfMaterials(this); }

void MainPage::txtProject_Edited(const QString& text) {
    // Committed as typed: a Save from the menu or the tool row takes no focus from the box.
    const std::string name = text.toStdString();
    if (name == Settings.ProjectName) return;
    Settings.ProjectName = name;
    // The name is saved with the design: a new one must not be lost on closing unasked.
    Settings.DesignSaved = false;
}

void MainPage::EnableAddOutput(bool enabled) {
    cmdOutputCreate->setEnabled(enabled);
    EnableTransformerAddOutput(enabled);
}

void MainPage::FollowDesign() {
    EnableAddOutput(CanAddOutput());
    cmdSnubber->setText(ClamperCaption());
    for (int16_t i = 0; i < OutputCount; ++i) ShowSerialToolTip(i);
    // The check mark shows the design's mode; setting it is no click of the user's.
    if (auto* training = findChild<QAction*>(QStringLiteral("mnuHelpTraining"))) {
        const QSignalBlocker quiet(training);
        training->setChecked(Settings.TrainingMode == 1);
    }
}
