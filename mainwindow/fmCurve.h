#pragma once
// The curve window "Waveform": up to four charts of the design's curves, each with a cursor that
// fixes the curve's free parameter, chosen from the curve menus and arranged by the layout
// options of its top band.

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

#include "ControlRegistry.h"
#include "CurveLayout.h"
#include "CurvePlot.h"
#include "DesignWindow.h"

class CurveChartBox;
class QCheckBox;
class QRadioButton;
class QPushButton;

class fmCurve : public QMainWindow, public DesignWindow {
    Q_OBJECT

public:
    // The window with its four cursors, or null with error saying why a cursor could not be made.
    static std::unique_ptr<fmCurve> Create(QString& error);
    ~fmCurve() override;

    // The main window's "Waveform" command: shows the loaded window or a new one, refreshed, its
    // state restored when it was minimised, and gives it the focus. Null, after telling the
    // user, when the window cannot be made.
    static fmCurve* ShowCurves();

    void Form_Resize();

    // The window's handlers, driven by its controls and by tests.
    void optNumber_Click(int16_t index);
    void optDual_Click(int16_t index);
    void optQuad_Click(int16_t index);
    void picCurve_Click(int16_t index);
    void picCurve_DblClick(int16_t index);
    void mnuCurve_Click(int16_t type);
    void mnuBlank_Click();
    void ChkCursor_Click(int16_t index);
    void ScrollCurve_Scroll(int16_t index, float x);
    void ScrollCurve_Change(int16_t index, float x);
    void cmdMainReturn_Click();
    void mnuPrintCurve_Click();

    // What the window holds, for its readers and tests.
    const ChartInfo& Chart(int index) const { return ChartInfo_[index]; }
    int16_t Layout() const { return Layout_; }
    int16_t CurrentChart() const { return CurrentChart_; }
    int16_t SelectedChart() const { return SelectedChart_; }
    int16_t PreviousChart() const { return PreviousChart_; }
    CurveChartBox* picCurve(int index) const { return picCurve_[index]; }
    QPushButton* cmdCurve(int index) const { return cmdCurve_[index]; }
    platform::ControlInstance& ScrollCurve(int index) const { return *ScrollCurve_[index]; }
    QRadioButton* optNumber(int index) const { return optNumber_[index]; }
    QRadioButton* optDual(int index) const { return optDual_[index]; }
    QRadioButton* optQuad(int index) const { return optQuad_[index]; }
    QCheckBox* ChkCursor(int index) const { return ChkCursor_[index]; }
    // The thumb and arrow texts last given to a cursor.
    const std::array<std::string, 3>& CursorTexts(int index) const { return cursorTexts_[index]; }
    // The last drawing of a chart.
    const ChartPlot& LastPlot(int index) const { return lastPlot_[index]; }
    static QString MenuCaption(int16_t type);
    // The mode a chart's samples are taken in.
    const std::string& ChartMode(int index) const { return chartMode_[index]; }

public slots:
    // Redraws every shown chart from the design, after its cursor read-outs.
    void TraceAll();

public:
    void RefreshWithDesign() override { TraceAll(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    fmCurve();
    bool CreateCursors(QString& error);
    void BuildTopBand();
    void BuildMenus();
    void ArrangeCharts(int16_t layout);
    void ColourSelectButtons();
    void RefreshChart(int16_t index);
    void AssignCurve(const std::string& caption, int16_t type);
    void TraceCurve(int16_t index);
    ChartPlot PlotOf(int16_t index);
    void UpdateCursorInfo(float x, int16_t index);
    void SetCursorTexts(int16_t index, const std::string& button, const std::string& right, const std::string& left);
    void MoveCoupled(int16_t index, float x, const std::string& unit, float& shared);

    QWidget* client_ = nullptr;
    std::array<ChartInfo, 5> ChartInfo_{};
    int16_t Layout_ = 1;
    int32_t UsableHeight_ = 0;
    int32_t UsableWidth_ = 0;
    int16_t CurrentChart_ = 0;
    int16_t SelectedChart_ = 0;
    int16_t PreviousChart_ = 1;
    bool WattCoupled_ = false;
    bool VoltCoupled_ = false;
    float SharedWattValue_ = 0.5f;
    float SharedVoltValue_ = 0.5f;
    std::string ModeString_;
    // The mode each chart's own cursor fixed, empty when it fixes none.
    std::array<std::string, 4> chartMode_{};
    float SecondValue_ = 0;

    std::array<CurveChartBox*, 4> picCurve_{};
    std::array<QPushButton*, 4> cmdCurve_{};
    std::array<std::unique_ptr<platform::ControlInstance>, 4> ScrollCurve_{};
    std::array<std::array<std::string, 3>, 4> cursorTexts_{};
    std::array<ChartPlot, 4> lastPlot_{};
    std::array<QRadioButton*, 3> optNumber_{};
    std::array<QRadioButton*, 2> optDual_{};
    std::array<QRadioButton*, 2> optQuad_{};
    std::array<QCheckBox*, 2> ChkCursor_{};
};
