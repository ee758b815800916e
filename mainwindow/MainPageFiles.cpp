// The design file commands (New, Open, Save), the save prompt and closing the main window.

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMetaObject>

#include "FileDialog.h"
#include "FileManagement.h"
#include "Forms.h"
#include "MainPage.h"
#include "MessageBox.h"
#include "Variables.h"
#include "fmBOM.h"
#include "fmCurve.h"
#include "fmSummary.h"
#include "fmTransfo.h"

using namespace zorvic;

const QString MainPage::DesignFileFilter = QStringLiteral("Zorvic design (*.zpj)|*.zpj|All Files (*.*)|*.*");

namespace {

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

bool MainPage::QuerySaveDesign() {
    if (Settings.DesignSaved) return true;
    switch (platform::ShowMessage(QStringLiteral("Do You Want To Save Current Design"), platform::Buttons::YesNoCancel,
                                  QStringLiteral("Save Design ?"), this)) {
    case platform::AnswerYes:
        // The design may go only when it was written.
        return cmdFileSave_Click();
    case platform::AnswerNo:
        return true;
    default:
        return false;
    }
}

void MainPage::cmdFileNew_Click() {
    if (!QuerySaveDesign()) return;
    Settings.ProjectName.clear();
    Initial_Setup();
    FollowDesign();
    SelectDesignRegulation();
    Settings.StartupPending = false;
    UpdateInstance();
}

void MainPage::cmdOpenFile_Click() {
    if (!QuerySaveDesign()) return;
    const std::optional<QString> chosen =
        platform::ShowFileDialog(platform::FileDialogKind::Open, DesignFileFilter, fileDialogName_, this);
    if (!chosen || chosen->isEmpty()) return;
    fileDialogName_ = *chosen;
    switch (LoadProject(LocalPath(*chosen))) {
    case FileStatus::Done:
        break;
    case FileStatus::WrongFormat:
        // The loader told the user and kept the design; it is shown and computed as it stands.
        break;
    default:
        ReportFileError(QStringLiteral("Cannot Open File : "), *chosen);
        return;
    }
    ShowOpenedDesign();
}

void MainPage::ShowOpenedDesign() {
    FollowDesign();
    SelectDesignRegulation();
    UpdateInstance();
}

bool MainPage::cmdFileSave_Click() {
    const std::optional<QString> chosen =
        platform::ShowFileDialog(platform::FileDialogKind::Save, DesignFileFilter, SaveDialogStart(), this);
    if (!chosen || chosen->isEmpty()) return false;
    fileDialogName_ = *chosen;
    const std::string before = Settings.DesignFileName;
    Settings.DesignFileName = LocalPath(*chosen);
    if (SaveProject() == FileStatus::Done) return true;
    // The design keeps the name of the file it came from, and stays unsaved.
    Settings.DesignFileName = before;
    ReportFileError(QStringLiteral("Cannot Save File : "), *chosen);
    return false;
}

QString MainPage::SaveDialogStart() const {
    const QString name = QFile::decodeName(QByteArray::fromStdString(Settings.DesignFileName));
    if (QFileInfo(name).isAbsolute()) return name;
    // A name without a folder (the default, or a name written on another machine) is offered in
    // the folder of the file last chosen.
    const QString fileName = name.section(QLatin1Char('\\'), -1);
    const QFileInfo last(fileDialogName_);
    return last.isAbsolute() ? last.dir().filePath(fileName) : fileName;
}

void MainPage::ReportFileError(const QString& failure, const QString& path) {
    platform::ShowMessage(failure + path, platform::Buttons::OK, QStringLiteral("File Error"), this);
}

bool MainPage::Form_QueryUnload() { return QuerySaveDesign(); }

namespace {

template <class Window>
void UnloadWindow() {
    if (Window* window = platform::Forms::FindLoaded<Window>()) {
        window->close();
        window->deleteLater();
    }
}

}  // namespace

void MainPage::Form_Unload() {
    // The result windows go with the main window; a window that was never loaded is not made.
    UnloadWindow<fmCurve>();
    UnloadWindow<fmSummary>();
    UnloadWindow<fmTransfo>();
    UnloadWindow<fmBOM>();
}

void MainPage::closeEvent(QCloseEvent* event) {
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QMainWindow::closeEvent(event);
    // The program ends with its main window, whatever else is open. Queued: while this window
    // is still closing, the application would take the request for a cancelled close.
    if (event->isAccepted()) QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}
