#pragma once
// The main window: the schematic of the design with its panels, and the one refresh road
// (UpdateInstance) that every accepted change of the design takes.

#include <QMainWindow>
#include <QString>

#include "ReentryGuard.h"

class QCloseEvent;
class QLineEdit;
class QWidget;

class MainPage : public QMainWindow {
    Q_OBJECT

public:
    // `commandLine` is the program's command line text after the program name.
    explicit MainPage(QString commandLine, QWidget* parent = nullptr);
    ~MainPage() override;

    // The window's creation event: it only runs Initial_Setup.
    void Form_Initialize();
    // Defaults, component tables, the command-line project and the first computation.
    void Initial_Setup();
    void SetBackgroundColor();
    // Recomputes the design and refreshes every loaded window that shows it.
    void UpdateInstance();

    // The project path named by a command line: the text without surrounding blanks and quotes.
    static QString ProjectPathFromCommandLine(const QString& commandLine);

    // Caption prefix; the design file name follows it.
    static const QString CaptionPrefix;

    QLineEdit* txtProject = nullptr;
    QWidget* picSchematic = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RefreshLoadedWindows();
    // Loads the project named on the command line; false (and reported) when it cannot be.
    bool LoadCommandLineProject(const QString& path);

    QString commandLine_;
    QString fileDialogName_;
    platform::ReentryGuard refreshGuard_;
};

// The one main window of the run, created on first use.
MainPage& TheMainPage();
bool MainPageExists();
void SetMainPageCommandLine(const QString& commandLine);
