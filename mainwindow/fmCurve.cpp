#include "fmCurve.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "Colours.h"
#include "CurveChartBox.h"
#include "CurveCursor.h"
#include "CurveType.h"
#include "EventPump.h"
#include "Forms.h"
#include "MainPage.h"
#include "MessageBox.h"
#include "Printing.h"
#include "Twips.h"
#include "Variables.h"
#include "WindowPrint.h"

using platform::SetTwipGeometry;
using platform::TwipRect;

namespace {

constexpr uint32_t SelectedColour = 0xFFFF80;
constexpr uint32_t PreviousColour = 0xFFC0C0;
constexpr uint32_t OtherColour = 0xC00000;

// The small picture beside a layout option: the boxes of the arrangement.
QLabel* LayoutPicture(QWidget* parent, int16_t layout) {
    QPixmap picture(24, 16);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(0x80, 0x80, 0x80));
    const bool quad = layout >= LayoutQuad;
    const int count = quad ? 4 : 2;
    for (int i = 0; i < count; ++i) {
        QRect r;
        if (layout == LayoutDualStacked) r = QRect(1, 1 + 7 * i, 21, 6);
        else if (layout == LayoutDualSideBySide) r = QRect(1 + 11 * i, 1, 10, 13);
        else if (layout == LayoutQuad) r = QRect(1 + 11 * (i % 2), 1 + 7 * (i / 2), 10, 6);
        else r = QRect(1, 1 + 4 * i, 21, 2);
        painter.drawRect(r);
    }
    painter.end();
    auto* label = new QLabel(parent);
    label->setPixmap(picture);
    return label;
}

}  // namespace

QString fmCurve::MenuCaption(int16_t type) {
    const zorvic::CurveType* curve = zorvic::CurveTypeOf(type);
    return curve ? QString::fromLatin1(curve->caption) : QString();
}

fmCurve::fmCurve() {
    setObjectName(QStringLiteral("fmCurve"));
    setWindowTitle(QStringLiteral("Waveform"));
    client_ = new QWidget(this);
    setCentralWidget(client_);
    BuildMenus();
    BuildTopBand();
    for (int16_t i = 0; i < 4; ++i) {
        auto* box = new CurveChartBox(client_, [this, i] { return PlotOf(i); });
        box->setObjectName(QStringLiteral("picCurve%1").arg(i));
        connect(box, &CurveChartBox::Clicked, this, [this, i] { picCurve_Click(i); });
        connect(box, &CurveChartBox::DoubleClicked, this, [this, i] { picCurve_DblClick(i); });
        picCurve_[i] = box;
        auto* button = new QPushButton(QString::number(i + 1), box);
        button->setObjectName(QStringLiteral("cmdCurve%1").arg(i));
        SetTwipGeometry(button, {0, 0, 330, 300});
        connect(button, &QPushButton::clicked, this, [this, i] { picCurve_Click(i); });
        cmdCurve_[i] = button;
    }
    client_->installEventFilter(this);
}

fmCurve::~fmCurve() = default;

void fmCurve::BuildMenus() {
    struct Family {
        const char* caption;
        zorvic::CurveFamily family;
    };
    const Family families[] = {{"Zorvic", zorvic::CurveFamily::Drain},
                               {"Compensation", zorvic::CurveFamily::Loop},
                               {"Power", zorvic::CurveFamily::Power}};
    for (const Family& f : families) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(f.caption));
        for (int16_t type = 1; type <= zorvic::CurveTypeCount; ++type)
            if (zorvic::CurveTypeOf(type)->family == f.family)
                menu->addAction(MenuCaption(type), this, [this, type] { mnuCurve_Click(type); });
        menu->addSeparator();
        menu->addAction(QStringLiteral("Blank"), this, [this] { mnuBlank_Click(); });
    }
    QMenu* print = menuBar()->addMenu(QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("mnuPrint"));
    // The one printer choice of the program, the main window's Printer Setup's too.
    QAction* setup = print->addAction(QStringLiteral("Printer Setup"), this, [this] {
        (void)platform::ChoosePrinter(this, platform::PrinterDialogUse::Setup,
                                      WindowPrint::PageName(WindowPrint::Page::Waveform));
    });
    setup->setObjectName(QStringLiteral("mnuPrintSetup"));
    QAction* curve = print->addAction(QStringLiteral("Print Curve"), this, [this] { mnuPrintCurve_Click(); });
    curve->setObjectName(QStringLiteral("mnuPrintCurve"));
}

void fmCurve::BuildTopBand() {
    auto* frame = new QGroupBox(QStringLiteral("Chart"), client_);
    frame->setObjectName(QStringLiteral("frPicNumber"));
    SetTwipGeometry(frame, {50, 0, 4700, 960});
    const char* const numbers[] = {"Single", "Dual", "Quad"};
    for (int16_t i = 0; i < 3; ++i) {
        optNumber_[i] = new QRadioButton(QString::fromLatin1(numbers[i]), frame);
        SetTwipGeometry(optNumber_[i], {120, 220 + 240 * i, 1000, 240});
        connect(optNumber_[i], &QRadioButton::clicked, this, [this, i] { optNumber_Click(i); });
    }
    auto* dual = new QGroupBox(frame);
    dual->setObjectName(QStringLiteral("fmDual"));
    SetTwipGeometry(dual, {1250, 150, 1600, 760});
    auto* quad = new QGroupBox(frame);
    quad->setObjectName(QStringLiteral("fmQuad"));
    SetTwipGeometry(quad, {2980, 150, 1600, 760});
    for (int16_t i = 0; i < 2; ++i) {
        optDual_[i] = new QRadioButton(dual);
        SetTwipGeometry(optDual_[i], {150, 120 + 320 * i, 300, 260});
        SetTwipGeometry(LayoutPicture(dual, static_cast<int16_t>(LayoutDualStacked + i)),
                        {550, 110 + 320 * i, 400, 280});
        connect(optDual_[i], &QRadioButton::clicked, this, [this, i] { optDual_Click(i); });
        optQuad_[i] = new QRadioButton(quad);
        SetTwipGeometry(optQuad_[i], {150, 120 + 320 * i, 300, 260});
        SetTwipGeometry(LayoutPicture(quad, static_cast<int16_t>(LayoutQuad + i)), {550, 110 + 320 * i, 400, 280});
        connect(optQuad_[i], &QRadioButton::clicked, this, [this, i] { optQuad_Click(i); });
    }
    auto* coupled = new QLabel(QStringLiteral("Cursor Coupled"), client_);
    coupled->setObjectName(QStringLiteral("lblCursorCoupled"));
    SetTwipGeometry(coupled, {4950, 120, 1500, 240});
    const char* const units[] = {"Watt", "Volt"};
    for (int16_t i = 0; i < 2; ++i) {
        ChkCursor_[i] = new QCheckBox(QString::fromLatin1(units[i]), client_);
        SetTwipGeometry(ChkCursor_[i], {4950, 400 + 260 * i, 1200, 240});
        connect(ChkCursor_[i], &QCheckBox::clicked, this, [this, i] { ChkCursor_Click(i); });
    }
    auto* schematic = new QPushButton(QStringLiteral("Schematic"), client_);
    schematic->setObjectName(QStringLiteral("cmdMainReturn"));
    SetTwipGeometry(schematic, {6500, 300, 1300, 400});
    connect(schematic, &QPushButton::clicked, this, [this] { cmdMainReturn_Click(); });
}

bool fmCurve::CreateCursors(QString& error) {
    for (int16_t i = 0; i < 4; ++i) {
        platform::ControlCreation made = platform::ControlRegistry::CreateControl("Glidebar.Glidebar", picCurve_[i]);
        if (!made.control) {
            error = made.error;
            return false;
        }
        made.control->Widget()->setObjectName(QStringLiteral("ScrollCurve%1").arg(i));
        made.control->OnEvent([this, i](const QString& name, double value) {
            if (name == QLatin1String("Click")) picCurve_Click(i);
            else if (name == QLatin1String("Scroll")) ScrollCurve_Scroll(i, static_cast<float>(value));
            else if (name == QLatin1String("Change")) ScrollCurve_Change(i, static_cast<float>(value));
        });
        ScrollCurve_[i] = std::move(made.control);
    }
    return true;
}

std::unique_ptr<fmCurve> fmCurve::Create(QString& error) {
    std::unique_ptr<fmCurve> window(new fmCurve());
    if (!window->CreateCursors(error)) return nullptr;
    // The set-up: the dual layout, empty charts with empty cursor texts, chart 0 selected.
    window->optNumber_[1]->setChecked(true);
    window->optDual_[0]->setChecked(true);
    window->optQuad_[0]->setChecked(true);
    window->optNumber_Click(1);
    for (int16_t i = 0; i < 4; ++i) {
        window->ChartInfo_[i].HasCurve = false;
        window->ChartInfo_[i].Type = 0;
        window->SetCursorTexts(i, "", "", "");
    }
    window->ColourSelectButtons();
    platform::Forms::Register(window.get());
    window->resize(platform::TwipsToPixels(12000), platform::TwipsToPixels(9000));
    return window;
}

fmCurve* fmCurve::ShowCurves() {
    auto* window = platform::Forms::FindLoaded<fmCurve>();
    const bool wasLoaded = window != nullptr;
    if (!window) {
        QString error;
        std::unique_ptr<fmCurve> made = Create(error);
        if (!made) {
            platform::ShowMessage(QStringLiteral("The curve window cannot open: its cursor control "
                                                 "\"Glidebar.Glidebar\" is not registered or cannot be loaded.\n") +
                                      error,
                                  platform::Buttons::OK, QStringLiteral("Waveform"));
            return nullptr;
        }
        window = made.release();
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->update();
    if (wasLoaded && window->isMinimized())
        window->setWindowState(zorvic::CurveWindowState == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
    window->raise();
    window->activateWindow();
    return window;
}

bool fmCurve::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void fmCurve::Form_Resize() {
    if (!(windowState() & Qt::WindowMinimized))
        zorvic::CurveWindowState = (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) ? 2 : 0;
    UsableHeight_ = platform::TwipHeight(client_) - CurveTopBand;
    UsableWidth_ = platform::TwipWidth(client_) - 50;
    ArrangeCharts(Layout_);
}

void fmCurve::TraceAll() {
    platform::DoEvents();
    // The read-outs first, so the mode each chart samples with is the new design's.
    for (int16_t i = 0; i < 4; ++i)
        if (ChartInfo_[i].Type != 0) UpdateCursorInfo(ChartInfo_[i].CursorValue, i);
    ArrangeCharts(Layout_);
}

void fmCurve::ArrangeCharts(int16_t layout) {
    const CurvePlaces places = ArrangeChartPlaces(layout, UsableHeight_, UsableWidth_, SelectedChart_, PreviousChart_);
    if (places.Arranged) {
        for (int i = 0; i < 4; ++i) {
            CurveChartBox* box = picCurve_[i];
            box->hide();
            SetTwipGeometry(box, places.Box[i]);
            box->setVisible(places.Shown[i]);
            if (ScrollCurve_[i] && ScrollCurve_[i]->Widget())
                SetTwipGeometry(ScrollCurve_[i]->Widget(),
                                CursorPlace(platform::TwipWidth(box), platform::TwipHeight(box)));
        }
    }
    Layout_ = layout;
}

void fmCurve::optNumber_Click(int16_t index) {
    for (int i = 0; i < 2; ++i) {
        optDual_[i]->setEnabled(index == 1);
        optQuad_[i]->setEnabled(index == 2);
    }
    int16_t layout = LayoutSingle;
    if (index == 1) layout = optDual_[0]->isChecked() ? LayoutDualStacked : LayoutDualSideBySide;
    if (index == 2) layout = optQuad_[0]->isChecked() ? LayoutQuad : LayoutQuadStacked;
    ArrangeCharts(layout);
}

void fmCurve::optDual_Click(int16_t index) { ArrangeCharts(static_cast<int16_t>(index + 1)); }

void fmCurve::optQuad_Click(int16_t index) { ArrangeCharts(static_cast<int16_t>(index + 3)); }

void fmCurve::picCurve_Click(int16_t index) {
    CurrentChart_ = index;
    if (SelectedChart_ != index) {
        PreviousChart_ = SelectedChart_;
        SelectedChart_ = index;
    }
    ColourSelectButtons();
}

void fmCurve::picCurve_DblClick(int16_t index) {
    picCurve_Click(index);
    optNumber_[0]->setChecked(true);
    optNumber_Click(0);
}

void fmCurve::ColourSelectButtons() {
    for (int i = 0; i < 4; ++i)
        platform::SetBackColor(cmdCurve_[i], i == SelectedChart_   ? SelectedColour
                                             : i == PreviousChart_ ? PreviousColour
                                                                   : OtherColour);
}

void fmCurve::mnuCurve_Click(int16_t type) {
    if (const zorvic::CurveType* curve = zorvic::CurveTypeOf(type)) AssignCurve(curve->caption, type);
}

void fmCurve::mnuBlank_Click() {
    const int16_t c = CurrentChart_;
    ChartInfo_[c].HasCurve = false;
    ChartInfo_[c].Type = 0;
    ChartInfo_[c].CursorUnit.clear();
    SetCursorTexts(c, "", "", "");
    RefreshChart(c);
}

void fmCurve::RefreshChart(int16_t index) {
    ColourSelectButtons();
    TraceCurve(index);
}

void fmCurve::AssignCurve(const std::string& caption, int16_t type) {
    const int16_t c = CurrentChart_;
    ChartInfo& chart = ChartInfo_[c];
    chart.Caption = caption;
    platform::SetBackColor(cmdCurve_[c], SelectedColour);
    chart.HasCurve = true;
    chart.Type = type;
    UpdateCursorInfo(chart.CursorValue, c);
    const bool watt = chart.CursorUnit == "W" && WattCoupled_;
    const bool volt = chart.CursorUnit == "V" && VoltCoupled_;
    if (watt || volt) {
        // A chart joining a coupled quantity takes the shared value, its thumb too.
        const float shared = watt ? SharedWattValue_ : SharedVoltValue_;
        ScrollCurve_[c]->Invoke(QStringLiteral("UpdateScroll"), shared);
        chart.CursorValue = shared;
        UpdateCursorInfo(shared, c);
    }
    RefreshChart(c);
}

ChartPlot fmCurve::PlotOf(int16_t index) {
    CurveChartBox* box = picCurve_[index];
    ChartPlot& plot = lastPlot_[index];
    if (!box->isVisible()) {
        plot = ChartPlot();
        return plot;
    }
    const QWidget* cursor = ScrollCurve_[index] ? ScrollCurve_[index]->Widget() : nullptr;
    const int32_t width = platform::TwipWidth(box);
    const int32_t plotHeight = platform::TwipHeight(box) - (cursor ? platform::TwipHeight(cursor) : 0);
    const std::string& mode = chartMode_[index].empty() ? ModeString_ : chartMode_[index];
    plot = PlotChart(ChartInfo_[index], width, plotHeight, mode, SecondValue_);
    return plot;
}

void fmCurve::TraceCurve(int16_t index) {
    if (picCurve_[index]->isVisible())
        picCurve_[index]->repaint();
    else
        lastPlot_[index] = ChartPlot();
}

void fmCurve::SetCursorTexts(int16_t index, const std::string& button, const std::string& right,
                             const std::string& left) {
    cursorTexts_[index] = {button, right, left};
    if (!ScrollCurve_[index]) return;
    ScrollCurve_[index]->SetText(QStringLiteral("ButtonLabel"), QString::fromStdString(button));
    ScrollCurve_[index]->SetText(QStringLiteral("RightLabel"), QString::fromStdString(right));
    ScrollCurve_[index]->SetText(QStringLiteral("LeftLabel"), QString::fromStdString(left));
}

void fmCurve::UpdateCursorInfo(float x, int16_t index) {
    ChartInfo& chart = ChartInfo_[index];
    const CursorReadout r = ReadCursor(chart.Type, x);
    if (chart.Type != 0) {
        chart.CursorUnit = r.Unit;
        SetCursorTexts(index, r.ButtonLabel, r.RightLabel, r.LeftLabel);
    }
    chart.ModeText = r.ModeText;
    chart.ModeColour = r.ModeColour;
    chartMode_[index] = r.FixesMode ? r.ModeString : std::string();
    if (r.FixesMode) ModeString_ = r.ModeString;
    if (ScrollCurve_[index] && ScrollCurve_[index]->Widget())
        ScrollCurve_[index]->Widget()->setToolTip(QString::fromStdString(r.ToolTip));
}

void fmCurve::ScrollCurve_Scroll(int16_t index, float x) {
    ChartInfo_[index].CursorValue = x;
    UpdateCursorInfo(x, index);
}

void fmCurve::MoveCoupled(int16_t index, float x, const std::string& unit, float& shared) {
    for (int16_t i = 0; i < 4; ++i) {
        if (ChartInfo_[i].CursorUnit != unit) continue;
        if (i != index) {
            ChartInfo_[i].CursorValue = x;
            ScrollCurve_[i]->Invoke(QStringLiteral("UpdateScroll"), x);
        } else {
            shared = x;
        }
        TraceCurve(i);
    }
}

void fmCurve::ScrollCurve_Change(int16_t index, float x) {
    const std::string unit = ChartInfo_[index].CursorUnit;
    if (unit == "W" && WattCoupled_) {
        MoveCoupled(index, x, unit, SharedWattValue_);
    } else if (unit == "V" && VoltCoupled_) {
        MoveCoupled(index, x, unit, SharedVoltValue_);
    } else {
        ScrollCurve_Scroll(index, x);
        TraceCurve(index);
    }
    platform::DoEvents();
}

void fmCurve::ChkCursor_Click(int16_t index) {
    if (index != 0 && index != 1) return;
    const bool ticked = ChkCursor_[index]->isChecked();
    (index == 0 ? WattCoupled_ : VoltCoupled_) = ticked;
    if (!ticked) return;
    const std::string unit = index == 0 ? "W" : "V";
    int16_t leader = -1;
    if (ChartInfo_[CurrentChart_].CursorUnit == unit) leader = CurrentChart_;
    for (int16_t i = 0; i < 4 && leader < 0; ++i)
        if (ChartInfo_[i].CursorUnit == unit) leader = i;
    if (leader < 0) return;
    ScrollCurve_Change(leader, ChartInfo_[leader].CursorValue);
}

void fmCurve::cmdMainReturn_Click() {
    if (MainPage* main = platform::Forms::FindLoaded<MainPage>()) {
        main->raise();
        main->activateWindow();
    }
}

void fmCurve::mnuPrintCurve_Click() {
    // A cancelled dialog prints nothing and says nothing.
    const QString page = WindowPrint::PageName(WindowPrint::Page::Waveform);
    if (!platform::ChoosePrinter(this, platform::PrinterDialogUse::Print, page)) return;
    (void)WindowPrint::PrintWindow(client_, WindowPrint::Page::Waveform, QStringLiteral("The curve window"),
                                   QStringLiteral("Waveform"), [] {}, [] {});
}
