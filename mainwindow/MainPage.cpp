#include "MainPage.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "Colours.h"
#include "ComputeDesign.h"
#include "DesignCommands.h"
#include "DesignWindow.h"
#include "FileManagement.h"
#include "Forms.h"
#include "NumberText.h"
#include "OutputCode.h"
#include "Placement.h"
#include "SchematicLabels.h"
#include "SvgPicture.h"
#include "Twips.h"
#include "Variables.h"
#include "fmSplash.h"

using namespace zorvic;

const QString MainPage::CaptionPrefix = QStringLiteral("Zorvic Flyback Converter Design Help :  ");

namespace {
MainPage* mainPage = nullptr;
QString pendingCommandLine;

// An additional output's block drawing; a code with no drawing leaves the block empty.
QString BlockPicture(int16_t code) {
    return OutputCode(code).IsAdditionalCode() ? QStringLiteral("Schema%1").arg(code) : QString();
}
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

    auto* canvas = new QWidget(this);
    canvas->setObjectName(QStringLiteral("picSchematic"));
    canvas->setAutoFillBackground(true);
    BuildControls(canvas);
    // The schematic fills the area below the tool row: its zoom takes that area's height as the
    // window's inner height.
    BuildCommandBar(this);
    setCentralWidget(canvas);
    canvas->installEventFilter(this);
    setAutoFillBackground(true);
    resize(1024, 720);
    // The layout comes from the pictures' own sizes, so the first drawing does not wait for the
    // window manager to report the maximised window.
    FitSchematic();

    if (!mainPage) mainPage = this;
    ConnectCommands();
    // The editors reach the main window of the run through the services it implements.
    if (mainPage == this) InstallEditorServices(this);
    Form_Initialize();
    FollowDesign();
}

MainPage::~MainPage() {
    WithdrawEditorServices(this);
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
    picHide->hide();
    platform::SetTwipGeometry(picHide, {0, 400, platform::TwipWidth(picHide), platform::TwipHeight(picHide)});
    // Only the main output is part of a new design.
    for (int i = 1; i <= 5; ++i) Output[static_cast<std::size_t>(i)]->hide();

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
        ReportFileError(QStringLiteral("Cannot Open File : "), path);
        return false;
    default:
        // The loader has shown its own message and left the defaults in place.
        return false;
    }
}

void MainPage::SetBackgroundColor() {
    const auto colour = static_cast<uint32_t>(CLng(Settings.BackgroundColor));
    platform::SetBackColor(InputFilter, colour);
    platform::SetBackColor(ZorvicHost, colour);
    platform::SetBackColor(this, colour);
    platform::SetBackColor(picSchematic, colour);
    const int count = OperatingPoint.RegulatedOutputCount;
    if (count >= 1 && count <= 3) platform::SetBackColor(Terminator[static_cast<std::size_t>(count)], colour);
    const int last = LastActiveOutput();
    for (int i = 1; i <= last; ++i) platform::SetBackColor(Output[static_cast<std::size_t>(i)], colour);
}

void MainPage::UpdateInstance() {
    refreshGuard_.Run([this] {
        ComputeDesign();
        // Whichever window added or deleted an output, the add buttons follow the count.
        EnableAddOutput(CanAddOutput());
        ChartRedraw();
        RefreshLoadedWindows();
    });
}

void MainPage::RefreshLoadedWindows() {
    // Only loaded windows are refreshed, in load order; none is created here. A window that a
    // refresh before it closed for good is skipped.
    const std::vector<QWidget*> loaded = platform::Forms::Loaded();
    const std::vector<QPointer<QWidget>> snapshot(loaded.begin(), loaded.end());
    for (const QPointer<QWidget>& form : snapshot)
        if (auto* window = dynamic_cast<DesignWindow*>(form.data())) window->RefreshWithDesign();
}

bool MainPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picSchematic && event->type() == QEvent::Resize) Form_Resize();
    const bool click =
        event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (click) {
        const auto zener = std::find(lblZener.begin(), lblZener.end(), watched);
        if (zener != lblZener.end()) lblZener_Click(static_cast<int>(zener - lblZener.begin()));
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainPage::FitSchematic() {
    auto width = [](const QString& picture) { return static_cast<int32_t>(SvgPicture::DesignSize(picture).width()); };
    auto height = [](const QString& picture) { return static_cast<int32_t>(SvgPicture::DesignSize(picture).height()); };
    DesignSizes sizes;
    sizes.OutputBlockWidth = width(DesignOutputBlock);
    sizes.OutputBlockHeight = height(DesignOutputBlock);
    sizes.FilterWidth = width(DesignFilter);
    sizes.FilterHeight = height(DesignFilter);
    sizes.HostWidth = width(DesignHost);
    sizes.HostHeight = height(DesignHost);
    sizes.TransfoWidth = width(QStringLiteral("Transfo"));
    sizes.TransfoHeight = height(QStringLiteral("Transfo"));
    sizes.LogoWidth = width(QStringLiteral("Logo"));
    sizes.LogoHeight = height(QStringLiteral("Logo"));
    for (int k = 1; k <= 3; ++k) sizes.TerminatorWidth[static_cast<std::size_t>(k - 1)] = width(QStringLiteral("Terminator%1").arg(k));
    sizes.TerminatorHeight = height(QStringLiteral("Terminator1"));
    sizes.ProjectBoxWidth = ProjectBoxWidth;
    layout_.Fit(sizes);
}

void MainPage::ShowSchematicPictures(bool visible) {
    ZorvicHost->setVisible(visible);
    InputFilter->setVisible(visible);
    const int last = LastActiveOutput();
    for (int i = 1; i <= last; ++i) Output[static_cast<std::size_t>(i)]->setVisible(visible);
}

void MainPage::Form_Resize() {
    // The layout values were measured when the window was made. The first layout selects the
    // regulation the design has, so the chip picture is the one of the design's main output
    // and chip.
    if (Settings.StartupPending) {
        SelectFirstRegulation();
        Settings.StartupPending = false;
    }
    // The cover spans the window's outer size.
    platform::TwipRect cover = platform::TwipGeometry(picHide);
    cover.Width = static_cast<int32_t>(platform::PixelsToTwips(frameGeometry().width()));
    cover.Height = static_cast<int32_t>(platform::PixelsToTwips(frameGeometry().height()));
    platform::SetTwipGeometry(picHide, cover);
    if (cover.Height <= 500) return;
    picHide->show();
    picHide->raise();
    ShowSchematicPictures(false);
    ChartRedraw();
    ShowSchematicPictures(true);
    picHide->hide();
}

namespace {

// The chip picture for the design: the stored index, or the index the chip picture rule gives
// when the stored one names no picture. Empty when neither does.
QString ChipPicture() {
    int index = Settings.ActiveZorvicPicture;
    if (index < 0 || index > 23) index = ChipPictureIndex();
    if (index < 0 || index > 23) return {};
    return QStringLiteral("Zorvic%1").arg(index, 2, 10, QLatin1Char('0'));
}

}  // namespace

void MainPage::ChartRedraw() {
    const auto innerWidth = static_cast<float>(platform::PixelsToTwips(picSchematic->width()));
    const auto innerHeight = static_cast<float>(platform::PixelsToTwips(picSchematic->height()));
    if (!layout_.CanDraw(innerHeight)) return;
    const float zoom = layout_.Zoom(innerWidth, innerHeight);
    drawing_ = layout_.Draw(zoom, Settings.AdditionalOutputs);

    platform::SetTwipGeometry(InputFilter, drawing_.InputFilter);
    platform::SetTwipGeometry(lblTitle, drawing_.lblTitle);
    platform::SetTwipGeometry(lblLeftBar, drawing_.lblLeftBar);
    platform::SetTwipGeometry(lblRightBar, drawing_.lblRightBar);
    platform::SetTwipGeometry(lblBottomBar, drawing_.lblBottomBar);
    InputFilter->SetPicture(Clamper.RCClamper ? QStringLiteral("Filter1") : QStringLiteral("Filter0"));
    platform::SetTwipGeometry(fmPower, drawing_.fmPower);
    platform::SetTwipGeometry(fmLosses, drawing_.fmLosses);

    PlaceButton(cmdInputEdit, zoom, 1000, 395, 1000, 3500, 0);
    PlaceButton(cmdZorvic, zoom, 1200, 395, 1800, 500, 0);
    PlaceButton(cmdTransformer, zoom, 1200, 395, 7000, 3100, 0);

    platform::SetTwipGeometry(Transfo, drawing_.Transfo);
    ZorvicHost->SetPicture(ChipPicture());
    platform::SetTwipGeometry(ZorvicHost, drawing_.ZorvicHost);

    if (Settings.PowerTooHigh) {
        const QRect outer = frameGeometry();
        platform::SetTwipGeometry(
            picWarning, SchematicLayout::WarningPlace(static_cast<int32_t>(platform::PixelsToTwips(outer.width())),
                                                      static_cast<int32_t>(platform::PixelsToTwips(outer.height())),
                                                      platform::TwipWidth(picWarning), platform::TwipHeight(picWarning)));
    }

    const int last = LastActiveOutput();
    for (int i = 0; i <= last; ++i) OutputDraw(i, zoom);
    TerminatorDraw(zoom);
    LblComponentDraw(zoom);
    LblPowerDraw(zoom);
}

void MainPage::ShowOutputBlock(int index, bool visible) {
    if (index < 1 || index > 5) return;
    const auto k = static_cast<std::size_t>(index);
    SvgPicture* block = Output[k];
    if (visible && !block->isVisibleTo(picSchematic)) {
        const auto innerWidth = static_cast<float>(platform::PixelsToTwips(picSchematic->width()));
        const auto innerHeight = static_cast<float>(platform::PixelsToTwips(picSchematic->height()));
        if (layout_.CanDraw(innerHeight)) {
            const SchematicDrawing drawing =
                layout_.Draw(layout_.Zoom(innerWidth, innerHeight), std::max<int>(index, Settings.AdditionalOutputs));
            platform::SetTwipGeometry(block, drawing.Output[k]);
        }
        block->SetPicture(BlockPicture(Outputs[k].OutputType));
    }
    block->setVisible(visible);
}

void MainPage::PlaceLabelPlan(const LabelPlan& plan, float zoom) {
    QLabel* label = Label(plan.array, plan.index);
    if (!label) return;
    switch (plan.placing) {
    case Placing::Centred: PlaceLabel(label, plan.x, plan.y, zoom, plan.caption); break;
    case Placing::Left: PlaceLabelLeft(label, plan.x, plan.y, zoom, plan.caption); break;
    case Placing::Regulation: PlaceRegulationLabel(label, plan.x, plan.y, zoom, plan.caption); break;
    case Placing::Hidden: label->hide(); break;
    }
    if (plan.foreColor) platform::SetForeColor(label, *plan.foreColor);
    if (!plan.toolTip.isEmpty()) label->setToolTip(plan.toolTip);
}

void MainPage::OutputDraw(int index, float zoom) {
    const auto k = static_cast<std::size_t>(index);
    const OutputCode type(Outputs[k].OutputType);
    int32_t x0 = 0;
    if (index != 0) {
        SvgPicture* block = Output[k];
        platform::SetTwipGeometry(block, drawing_.Output[k]);
        block->SetPicture(BlockPicture(type.Code()));
        block->show();
    } else {
        x0 = drawing_.MainOutputX0;
    }
    for (const LabelPlan& plan : SchematicLabels::OutputLabels(index, x0)) PlaceLabelPlan(plan, zoom);
    PlaceButton(cmdOutputEdit[k], zoom, 495, 395, x0 + 4800, 500, 100);

    const bool blockDrawn = index == 0 || type.IsAdditionalCode();
    if (zoom > Settings.LabelZoomMin && blockDrawn) {
        if (const std::optional<SecondCell> cell = SchematicLabels::SecondCellLabels(type.Code())) {
            lblZener[k]->setVisible(cell->zener);
            lblCap2[k]->setVisible(cell->cap2);
            lblSerial[k]->setVisible(cell->serial);
        }
    }
}

void MainPage::TerminatorDraw(float zoom) {
    const int count = OperatingPoint.RegulatedOutputCount;
    const bool secondary = OperatingPoint.SecondaryRegulation;
    for (int k = 1; k <= 3; ++k) Terminator[static_cast<std::size_t>(k)]->setVisible(secondary && count == k);
    // A count with no network drawing shows none.
    if (!secondary || count < 1 || count > 3) return;
    platform::SetTwipGeometry(Terminator[static_cast<std::size_t>(count)],
                              layout_.TerminatorPlace(count, drawing_.ZorvicHost, zoom));
    std::vector<int> unusedTags;
    for (const LabelPlan& plan : SchematicLabels::TerminatorLabels(count, &unusedTags)) PlaceLabelPlan(plan, zoom);
    for (int tag : unusedTags) lblTerm[static_cast<std::size_t>(tag)]->hide();
}

void MainPage::LblComponentDraw(float zoom) {
    for (const LabelPlan& plan : SchematicLabels::ComponentLabels()) PlaceLabelPlan(plan, zoom);
}

void MainPage::LblPowerDraw(float zoom) {
    if (!(zoom > Settings.LabelZoomMin)) {
        // Too small to read: the logo stands in for the panels.
        TWlogo->show();
        txtProject->hide();
        fmPower->hide();
        fmLosses->hide();
        platform::SetTwipGeometry(TWlogo, layout_.LogoPlace(zoom));
        return;
    }
    TWlogo->hide();
    txtProject->show();
    fmPower->show();
    fmLosses->show();
    for (const LabelPlan& line : SchematicLabels::PanelLines()) {
        PlaceLabelPlan(line, zoom);
        if (line.index == 9) platform::SetTwipGeometry(txtProject, layout_.ProjectBoxPlace(zoom));
    }
}
