#pragma once
// The main window: the schematic of the design with its labels and panels, and the one refresh
// road (UpdateInstance) that every accepted change of the design takes.

#include <QMainWindow>
#include <QString>

#include "MainPageControls.h"
#include "ReentryGuard.h"
#include "SchematicLayout.h"

class QCloseEvent;

class MainPage : public QMainWindow, public MainPageControls {
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

    // The window's resize: the schematic is rebuilt under the cover picture.
    void Form_Resize();
    // Redraws the whole schematic, its labels and panels for the current design. Reads the
    // design state, never writes it.
    void ChartRedraw();
    void TerminatorDraw(float zoom);
    void LblComponentDraw(float zoom);
    void LblPowerDraw(float zoom);

    // The layout values and the places of the last drawing.
    const SchematicLayout& Layout() const { return layout_; }
    const SchematicDrawing& LastDrawing() const { return drawing_; }

    // The project path named by a command line: the text without surrounding blanks and quotes.
    static QString ProjectPathFromCommandLine(const QString& commandLine);

    // Caption prefix; the design file name follows it.
    static const QString CaptionPrefix;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FitSchematic();
    void OutputDraw(int index, float zoom);
    void PlaceLabelPlan(const LabelPlan& plan, float zoom);
    // The picture boxes that the cover hides while the schematic is rebuilt.
    void ShowSchematicPictures(bool visible);
    void RefreshLoadedWindows();
    // Loads the project named on the command line; false (and reported) when it cannot be.
    bool LoadCommandLineProject(const QString& path);

    QString commandLine_;
    QString fileDialogName_;
    platform::ReentryGuard refreshGuard_;
    SchematicLayout layout_;
    SchematicDrawing drawing_;
};

// The one main window of the run, created on first use.
MainPage& TheMainPage();
bool MainPageExists();
void SetMainPageCommandLine(const QString& commandLine);
