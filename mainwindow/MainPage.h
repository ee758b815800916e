#pragma once
// The main window: the schematic of the design with its labels and panels, the commands above
// it, and the one refresh road (UpdateInstance) that every accepted change of the design takes.

#include <QMainWindow>
#include <QString>
#include <cstdint>

#include "EditorServices.h"
#include "MainPageCommandBar.h"
#include "MainPageControls.h"
#include "ReentryGuard.h"
#include "SchematicLayout.h"

class QCloseEvent;

class MainPage : public QMainWindow, public MainPageControls, public MainPageCommandBar, public EditorServices {
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
    void UpdateInstance() override;

    // The window's resize: the schematic is rebuilt under the cover picture.
    void Form_Resize();
    // Redraws the whole schematic, its labels and panels for the current design. Reads the
    // design state, never writes it.
    void ChartRedraw();
    // Training mode on (flag not 0) or off: the schematic's labels take the training colour.
    void SetTrainingMode(int16_t flag);
    void TerminatorDraw(float zoom);
    void LblComponentDraw(float zoom);
    void LblPowerDraw(float zoom);

    // The editors, modal. Each copies the design in, and back only when the user confirmed;
    // the caller recomputes. An editor already open is not opened again.
    bool EditInputPara();
    bool EditZorvicPara();
    // Output `index` (0 = the main output; the one after the last active output = a new one).
    // Over `parent` when given: the editor returns to the window that opened it.
    bool EditOutputPara(int16_t index, QWidget* parent = nullptr) override;
    // OutputWork becomes output `index`, and its series element label takes its tooltip.
    void UpdateOutput(int16_t index) override;
    // True when some active output can carry the secondary feedback loop; otherwise the user is
    // told.
    bool CheckSecondaryRegulation();
    // True when the design in memory may be discarded: it is saved, or the user saved it now or
    // chose not to.
    bool QuerySaveDesign();

    // File > Print: the schematic laid out for paper (title line, frame, no edit buttons, white),
    // on the current printer; the screen layout comes back however the print went. False when
    // nothing was printed.
    bool PrintDesign();
    void PreparePrintLayout();
    // Undoes PreparePrintLayout; harmless when the screen layout is already there. The title
    // line is emptied.
    void RestoreScreenLayout();
    // Whether the logo showed before the print layout hid it.
    bool LogoWasVisible = false;

    // Shows or hides the block of additional output `index` (1..5). A block is placed before it
    // shows: a message of the computation that follows a File > Open keeps the window on the
    // screen before the next drawing.
    void ShowOutputBlock(int index, bool visible);
    // What the window does with a design that was just read: the tool row, the add buttons and
    // the regulation list follow it, and it is computed and drawn.
    void ShowOpenedDesign();

    // The layout values and the places of the last drawing.
    const SchematicLayout& Layout() const { return layout_; }
    const SchematicDrawing& LastDrawing() const { return drawing_; }

    // The project path named by a command line: the text without surrounding blanks and quotes.
    static QString ProjectPathFromCommandLine(const QString& commandLine);

    // Caption prefix; the design file name follows it.
    static const QString CaptionPrefix;
    // The filter of the design file dialogs.
    static const QString DesignFileFilter;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Commands: the tool row, the buttons on the schematic, the project box and the File menu.
    void ConnectCommands();
    void cmdInputEdit_Click();
    void cmdZorvic_Click();
    void cmdOutputEdit_Click(int index);
    void cmdOutputCreate_Click();
    void cmdSnubber_Click();
    void cmdTransformer_Click();
    void cmdSummary_Click();
    void cmdCurve_Click();
    void cmdBOM_Click();
    void mnuPrint_Click();
    void lblZener_Click(int index);
    void txtProject_Edited(const QString& text);
    // The add-output buttons, the clamp button's caption, the series tooltips and the training
    // check as the design has them.
    void FollowDesign();
    void EnableAddOutput(bool enabled) override;
    // The series element label's tooltip for the output's type (unchanged for a direct output).
    void ShowSerialToolTip(int16_t index);

    // The regulation list.
    void RegulationType_Click() override;
    void ApplyRegulationChoice();
    // Shows an entry without running the list's handler.
    void ShowRegulationEntry(int entry);
    // The entry of the design's regulation, applied without recomputing.
    void SelectDesignRegulation();
    // At the first layout: the design's regulation, recomputed when applying it changed the design.
    void SelectFirstRegulation();

    // The design file commands and closing.
    void cmdFileNew_Click();
    void cmdOpenFile_Click();
    // True when the file was written.
    bool cmdFileSave_Click();
    QString SaveDialogStart() const;
    bool Form_QueryUnload();
    void Form_Unload();
    void ReportFileError(const QString& failure, const QString& path);

    void FitSchematic();
    void OutputDraw(int index, float zoom);
    void PlaceLabelPlan(const LabelPlan& plan, float zoom);
    // The picture boxes that the cover hides while the schematic is rebuilt.
    void ShowSchematicPictures(bool visible);
    void RefreshLoadedWindows();
    // Loads the project named on the command line; false (and reported) when it cannot be.
    bool LoadCommandLineProject(const QString& path);

    QString commandLine_;
    QString fileDialogName_;  // the file the dialog last gave, offered by the next Open
    bool inputEditorOpen_ = false;
    bool chipEditorOpen_ = false;
    bool outputEditorOpen_ = false;
    platform::ReentryGuard refreshGuard_;
    SchematicLayout layout_;
    SchematicDrawing drawing_;
};

// The one main window of the run, created on first use.
MainPage& TheMainPage();
bool MainPageExists();
void SetMainPageCommandLine(const QString& commandLine);
