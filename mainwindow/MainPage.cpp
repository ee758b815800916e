#include "MainPage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QVBoxLayout>
#include <QHBoxLayout>

#include "Colours.h"
#include "ComputeDesign.h"
#include "FileManagement.h"
#include "Forms.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "Variables.h"
#include "fmSplash.h"

using namespace zorvic;

const QString MainPage::CaptionPrefix = QStringLiteral("Zorvic Flyback Converter Design Help :  ");

namespace {
MainPage* mainPage = nullptr;
QString pendingCommandLine;
}  // namespace

MainPage& TheMainPage() {
    if (!mainPage) mainPage = new MainPage(pendingCommandLine);
    return *mainPage;
}

bool MainPageExists() { return mainPage != nullptr; }

void SetMainPageCommandLine(const QString& commandLine) { pendingCommandLine = commandLine; }

MainPage::MainPage(QString commandLine, QWidget* parent) : QMainWindow(parent), commandLine_(std::move(commandLine)) {
    setObjectName(QStringLiteral("MainPage"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    platform::Forms::Register(this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* projectRow = new QHBoxLayout;
    projectRow->setContentsMargins(6, 6, 6, 0);
    projectRow->addWidget(new QLabel(tr("Project :"), central));
    txtProject = new QLineEdit(central);
    txtProject->setObjectName(QStringLiteral("txtProject"));
    projectRow->addWidget(txtProject, 1);
    layout->addLayout(projectRow);
    picSchematic = new QWidget(central);
    picSchematic->setObjectName(QStringLiteral("picSchematic"));
    picSchematic->setAutoFillBackground(true);
    layout->addWidget(picSchematic, 1);
    setCentralWidget(central);
    setAutoFillBackground(true);
    resize(1024, 720);

    if (!mainPage) mainPage = this;
    Form_Initialize();
}

MainPage::~MainPage() {
    if (mainPage == this) mainPage = nullptr;
}

void MainPage::Form_Initialize() { Initial_Setup(); }

QString MainPage::ProjectPathFromCommandLine(const QString& commandLine) {
    QString path = commandLine.trimmed();
    // Paths with blanks come quoted; the quotes are not part of the file name.
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    return path;
}

void MainPage::Initial_Setup() {
    const QString commandText = commandLine_;

    // The engine sets the defaults and builds the tables before the window shows the design name.
    ApplyDesignDefaults();
    fileDialogName_ = QString::fromStdString(Settings.DesignFileName);
    txtProject->clear();
    setWindowTitle(CaptionPrefix + QString::fromStdString(Settings.DesignFileName));
    SetBackgroundColor();

    const QString projectPath = ProjectPathFromCommandLine(commandText);
    if (!projectPath.isEmpty() && !LoadCommandLineProject(projectPath)) {
        // Reported once: File > New must not ask about the same file again.
        commandLine_.clear();
    }

    ComputeDesign();

    if (Settings.SplashDone) {
        fmSplash::Unload();
        showMaximized();
        Settings.SplashDone = false;
    }
}

bool MainPage::LoadCommandLineProject(const QString& path) {
    switch (LoadProject(path.toStdString())) {
    case FileStatus::Done:
        return true;
    case FileStatus::NotReadable:
        platform::ShowMessage(QStringLiteral("Cannot Open File : ") + path, platform::Buttons::OK,
                              QStringLiteral("File Error"), this);
        return false;
    default:
        // The loader has shown its own message and left the defaults in place.
        return false;
    }
}

void MainPage::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    // The program ends with its main window, whatever else is open. Queued: while this window
    // is still closing, the application would take the request for a cancelled close.
    if (event->isAccepted()) QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void MainPage::SetBackgroundColor() {
    const QColor colour = platform::ColourFromBgr(static_cast<uint32_t>(CLng(Settings.BackgroundColor)));
    for (QWidget* w : {static_cast<QWidget*>(this), picSchematic, centralWidget()}) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, colour);
        w->setPalette(palette);
    }
}

void MainPage::UpdateInstance() {
    refreshGuard_.Run([this] {
        ComputeDesign();
        RefreshLoadedWindows();
    });
}

void MainPage::RefreshLoadedWindows() {
    // Only loaded windows are refreshed, in load order; none is created here.
    for (QWidget* form : platform::Forms::Loaded()) {
        const QString name = form->objectName();
        if (name == QLatin1String("fmTransfo") || name == QLatin1String("fmSummary"))
            QMetaObject::invokeMethod(form, "Form_Load", Qt::DirectConnection);
        else if (name == QLatin1String("fmCurve"))
            QMetaObject::invokeMethod(form, "TraceAll", Qt::DirectConnection);
    }
}
