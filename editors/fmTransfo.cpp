#include "fmTransfo.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <memory>

#include "Colours.h"
#include "ComputeDesign.h"
#include "EditorCalls.h"
#include "EditorServices.h"
#include "EditorRows.h"
#include "Forms.h"
#include "NumberText.h"
#include "NumericBox.h"
#include "Screen.h"
#include "Twips.h"
#include "Variables.h"
#include "fmCore.h"
#include "fmCoreSizeEdit.h"

using namespace zorvic;

namespace {

constexpr uint32_t InputColour = 0x80C0FF;
constexpr uint32_t AuxColour = 0xFF00;
constexpr std::array<uint32_t, 6> OutputColours{0xFFFF00, 0xFF0000, 0xFF00FF, 0x80FF, 0xC0E0FF, 0xC0};
constexpr uint32_t GoodColour = 0x80FF80;
constexpr uint32_t BadColour = 0xFF;
constexpr uint32_t LightBadColour = 0xC0C0FF;

const QString Break = QStringLiteral("\r\n");

QString Text(const std::string& text) { return QString::fromStdString(text); }
QString Formatted(double value, const char* pattern) { return Text(Format(value, pattern)); }
QString Eng(float value, const char* unit) { return Text(FormatEng(value, unit)); }
QString Shown(TransfoBox box, float value) { return Text(BoxText(RuleOf(box), value)); }

QLabel* Label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit* Box(QWidget* parent, const char* name, const char* tip, bool readOnly = false) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000000000")));
    if (tip) box->setToolTip(QString::fromUtf8(tip));
    box->setReadOnly(readOnly);
    box->setAutoFillBackground(true);
    return box;
}

template <typename Button>
Button* Choice(QWidget* parent, const char* name, const char* caption) {
    auto* button = new Button(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QGroupBox* Frame(QWidget* parent, const char* caption) { return new QGroupBox(QString::fromLatin1(caption), parent); }

QFrame* Bar(QWidget* parent, const QString& name, uint32_t colour) {
    auto* bar = new QFrame(parent);
    bar->setObjectName(name);
    bar->setFrameShape(QFrame::Box);
    bar->setAutoFillBackground(true);
    platform::SetBackColor(bar, colour);
    return bar;
}

void Flag(QWidget* control, bool good) { platform::SetBackColor(control, good ? GoodColour : BadColour); }

QString WindingName(int16_t winding) {
    if (winding == DetailPrimary) return QStringLiteral("Input");
    if (winding == DetailAux) return QStringLiteral("Auxiliary");
    return winding == 0 ? QStringLiteral("OUT") : QStringLiteral("Out") + Text(Str(int32_t{winding}));
}

// Name, gauge, and turns with strands, in the text colour that reads on the terminal's colour; a
// winding for which no gauge fits is drawn in red (light red on a dark terminal).
void ShowWindingLabel(QLabel* label, int16_t winding, uint32_t terminal) {
    const WireRecord& wire = WindingWire(winding);
    const QString gauge = wire.Awg != 0 ? QStringLiteral("AWG") + Text(Str(int32_t{wire.Awg})) : QStringLiteral("AWG **");
    label->setText(WindingName(winding) + Break + gauge + Break + Text(Str(int32_t{WindingTurns(winding)})) +
                   QStringLiteral("T-") + Text(Str(int32_t{wire.Strands})) + QStringLiteral("W"));
    const uint32_t text = platform::ContrastingText(terminal);
    platform::SetForeColor(label, wire.Awg != 0 ? text : text == 0 ? BadColour : LightBadColour);
}

}  // namespace

fmTransfo::fmTransfo(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("fmTransfo"));
    setWindowTitle(QStringLiteral("Transformer Design"));
    setAttribute(Qt::WA_DeleteOnClose);
    platform::Forms::Register(this);
    // The working copies start from the design the program computed first.
    static bool initialised = false;
    if (!initialised) {
        CurrentMaterial = Transfo.Material;
        CurrentCore = Transfo.Core;
        initialised = true;
    }

    cmdAddOutput = EditorButton(this, QStringLiteral("cmdAddOutput"), QStringLiteral("Add Output"));
    cmdCore = EditorButton(this, QStringLiteral("cmdCore"), QStringLiteral("Core"));
    cmdCore->setToolTip(QStringLiteral("Type of Core Geometry "));
    cmdApply = EditorButton(this, QStringLiteral("cmdApply"), QStringLiteral("Apply"));
    cmdOK = EditorButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdCancel = EditorButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));

    // The frames scroll where the screen is too small for them; the buttons stay in view below.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("fmTransfoContent"));
    auto* grid = new QGridLayout(content);
    grid->addWidget(BuildOutlook(), 0, 0, 1, 3);
    grid->addWidget(BuildParameters(), 1, 0);
    grid->addWidget(BuildMaterial(), 2, 0);
    grid->addWidget(BuildCoreSize(), 3, 0);
    grid->addWidget(BuildCriteria(), 1, 1);
    grid->addWidget(BuildWireSelection(), 2, 1);
    grid->addWidget(BuildDetails(), 3, 1);
    grid->addWidget(BuildLosses(), 4, 1);
    grid->addWidget(BuildTurns(), 1, 2, 3, 1);
    grid->addWidget(BuildUsage(), 4, 2);
    scrContent = new QScrollArea(this);
    scrContent->setObjectName(QStringLiteral("scrContent"));
    scrContent->setFrameShape(QFrame::NoFrame);
    scrContent->setWidgetResizable(true);
    scrContent->setWidget(content);
    buttonRow_ = new QHBoxLayout;
    buttonRow_->addWidget(cmdAddOutput);
    buttonRow_->addWidget(cmdCore);
    buttonRow_->addStretch(1);
    buttonRow_->addWidget(cmdApply);
    buttonRow_->addWidget(cmdOK);
    buttonRow_->addWidget(cmdCancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(scrContent, 1);
    column->addLayout(buttonRow_);

    AttachBoxes();

    auto flag = [](bool& setting) {
        return [&setting](bool checked) {
            setting = checked;
            Settings.DesignSaved = false;
        };
    };
    connect(chkLprimary, &QCheckBox::clicked, this, [this, flag](bool checked) {
        flag(Settings.UserPrimaryInductance)(checked);
        txtLprimary->setReadOnly(!checked);
    });
    connect(chkForceNpri, &QCheckBox::clicked, this, [this, flag](bool checked) {
        flag(Settings.UserPrimaryTurns)(checked);
        txtNpri->setReadOnly(!checked);
    });
    connect(chkCore, &QCheckBox::clicked, this, flag(Settings.UserCoreMaterial));
    connect(chkCoreSize, &QCheckBox::clicked, this, flag(Settings.UserCoreGeometry));
    connect(chkFixed, &QCheckBox::clicked, this, &fmTransfo::chkFixed_Click);
    connect(optSingleWire, &QRadioButton::clicked, this, &fmTransfo::optSingleWire_Click);
    connect(optParalleled, &QRadioButton::clicked, this, &fmTransfo::optParalleled_Click);
    auto criterion = [this] {
        Settings.CoreCriterionTemp = optTempCore->isChecked();
        Settings.DesignSaved = false;
    };
    connect(optPdissCore, &QRadioButton::clicked, this, criterion);
    connect(optTempCore, &QRadioButton::clicked, this, criterion);
    connect(cmdAWGInput, &QPushButton::clicked, this, [this] { cmdAWG_Click(DetailPrimary); });
    connect(cmdAWGAux, &QPushButton::clicked, this, [this] { cmdAWG_Click(DetailAux); });
    for (int16_t i = 0; i < 6; ++i)
        connect(cmdAWGOut[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { cmdAWG_Click(i); });
    connect(cmdApply, &QPushButton::clicked, this, &fmTransfo::cmdApply_Click);
    connect(cmdOK, &QPushButton::clicked, this, &fmTransfo::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdAddOutput, &QPushButton::clicked, this, &fmTransfo::cmdAddOutput_Click);
    connect(cmdEditCore, &QPushButton::clicked, this, &fmTransfo::cmdEditCore_Click);
    connect(cmdCore, &QPushButton::clicked, this, &fmTransfo::cmdEditCoreSize_Click);
    connect(cmdEditCoreSize, &QPushButton::clicked, this, &fmTransfo::cmdEditCoreSize_Click);
}

fmTransfo* fmTransfo::ShowTransformer(QWidget* parent) {
    auto* window = platform::Forms::FindLoaded<fmTransfo>();
    const bool made = !window;
    if (made) window = new fmTransfo(parent ? parent : QApplication::activeWindow());
    window->Form_Load();
    window->show();
    // Measured once shown, when the frames' layouts have taken their texts and style; a window
    // that was open already stays where the user left it.
    if (made) window->FitToScreen();
    // A minimised window comes back.
    window->setWindowState(Qt::WindowNoState);
    window->raise();
    window->activateWindow();
    return window;
}

void fmTransfo::FitToScreen() {
    const QMargins margins = layout()->contentsMargins();
    QSize wanted = scrContent->widget()->sizeHint();
    wanted.rwidth() += margins.left() + margins.right();
    wanted.rheight() += margins.top() + margins.bottom() + layout()->spacing() + buttonRow_->sizeHint().height();
    // A scroll bar takes room of its own across the way it scrolls.
    const QSize room = platform::LargestClientSize(this);
    if (wanted.height() > room.height()) wanted.rwidth() += scrContent->verticalScrollBar()->sizeHint().width();
    if (wanted.width() > room.width()) wanted.rheight() += scrContent->horizontalScrollBar()->sizeHint().height();
    platform::FitToScreen(this, wanted);
}

QWidget* fmTransfo::BuildOutlook() {
    auto* frame = Frame(this, "Transformer Outlook");
    auto* row = new QHBoxLayout(frame);
    auto bond = [this, frame, row](const QString& name, const char* labelName, uint32_t colour, const char* tip,
                                   QLabel*& label) {
        auto* pic = Bar(frame, name, colour);
        pic->setToolTip(QString::fromLatin1(tip));
        auto* inside = new QVBoxLayout(pic);
        label = Label(pic, labelName);
        label->setAlignment(Qt::AlignCenter);
        inside->addWidget(label);
        pic->installEventFilter(this);
        row->addWidget(pic);
        return pic;
    };
    picInputBond = bond(QStringLiteral("picInputBond"), "lblInput", InputColour, "Edit Input Parameters", lblInput);
    picAuxBond = bond(QStringLiteral("picAuxBond"), "lblAux", AuxColour, "Edit Zorvic Parameters", lblAux);
    static const char* const tips[6] = {"Edit Main Output Parameters", "Edit Output1 Parameters",
                                        "Edit Output2 Parameters",     "Edit Output3 Parameters",
                                        "Edit Output4 Parameters",     "Edit Output5 Parameters"};
    for (std::size_t i = 0; i < 6; ++i) {
        picOutBond[i] = bond(QStringLiteral("picOutBond%1").arg(i), "lblOut1", OutputColours[i], tips[i], lblOut1[i]);
        lblOut1[i]->setObjectName(QStringLiteral("lblOut1_%1").arg(i));
    }
    row->addStretch(1);
    return frame;
}

QWidget* fmTransfo::BuildParameters() {
    auto* frame = Frame(this, "Transformer Parameters");
    auto* grid = new QGridLayout(frame);
    chkLprimary = Choice<QCheckBox>(frame, "chkLprimary", "User Defined");
    grid->addWidget(chkLprimary, 0, 0, 1, 3);
    txtLprimary = AddBoxRow(grid, 1, {{}, QStringLiteral("Lprimary"), QStringLiteral("txtLprimary"), QStringLiteral("mH")}).box;
    txtLprimary->setToolTip(QStringLiteral("Range 10uH - 100mH"));
    txtLprimary->setAutoFillBackground(true);
    txtLleakage = AddBoxRow(grid, 2, {{}, QStringLiteral("Leakage"), QStringLiteral("txtLleakage"), QStringLiteral("%")}).box;
    txtLleakage->setToolTip(QStringLiteral("Range 0.5% - 10%"));
    txtCpri = AddBoxRow(grid, 3, {{}, QStringLiteral("Cprimary"), QStringLiteral("txtCpri"), QStringLiteral("pF")}).box;
    txtCpri->setToolTip(QStringLiteral("Range 0pF - 1000pF"));
    return frame;
}

// A frame headed by its "Fixed" box and its "Edit" button.
QGridLayout* FixedEditFrame(QWidget* parent, const char* caption, const char* checkName, const char* editName,
                            QCheckBox*& check, QPushButton*& edit) {
    auto* frame = Frame(parent, caption);
    auto* grid = new QGridLayout(frame);
    check = Choice<QCheckBox>(frame, checkName, "Fixed");
    edit = EditorButton(frame, QString::fromLatin1(editName), QStringLiteral("Edit"));
    grid->addWidget(check, 0, 0);
    grid->addWidget(edit, 0, 1);
    return grid;
}

QWidget* fmTransfo::BuildMaterial() {
    QGridLayout* grid = FixedEditFrame(this, "Core Material", "chkCore", "cmdEditCore", chkCore, cmdEditCore);
    material = AddMaterialLabels(grid, 1, 2);
    return grid->parentWidget();
}

QWidget* fmTransfo::BuildCoreSize() {
    QGridLayout* grid =
        FixedEditFrame(this, "Core Size", "chkCoreSize", "cmdEditCoreSize", chkCoreSize, cmdEditCoreSize);
    QWidget* frame = grid->parentWidget();
    int row = 1;
    for (auto [label, name] : {std::pair{&lblCoreGeometry, "lblCoreGeometry"}, {&lblCoreAe, "lblCoreAe"},
                               {&lblCoreLe, "lblCoreLe"}, {&lblCoreLm, "lblCoreLm"}, {&lblCoreW, "lblCoreW"},
                               {&lblCoreVe, "lblCoreVe"}})
        grid->addWidget(*label = Label(frame, name), row++, 0, 1, 2);
    return frame;
}

QWidget* fmTransfo::BuildCriteria() {
    auto* frame = Frame(this, "Core Selection Criteria");
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Target"), frame), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Actual"), frame), 0, 3);
    optPdissCore = Choice<QRadioButton>(frame, "optPdissCore", "Dissipated Power");
    optTempCore = Choice<QRadioButton>(frame, "optTempCore", "Temperature Increase");
    txtPdissCore = Box(frame, "txtPdissCore", "Range 0% - 10%");
    txtPdissCoreActual = Box(frame, "txtPdissCoreActual", nullptr, true);
    txtTempCore = Box(frame, "txtTempCore", "Range 0.1°C - 100°C");
    txtTempCoreActual = Box(frame, "txtTempCoreActual", nullptr, true);
    grid->addWidget(optPdissCore, 1, 0);
    grid->addWidget(txtPdissCore, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("%"), frame), 1, 2);
    grid->addWidget(txtPdissCoreActual, 1, 3);
    grid->addWidget(optTempCore, 2, 0);
    grid->addWidget(txtTempCore, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("°C"), frame), 2, 2);
    grid->addWidget(txtTempCoreActual, 2, 3);
    return frame;
}

QWidget* fmTransfo::BuildWireSelection() {
    auto* frame = Frame(this, "Wire Selection");
    auto* grid = new QGridLayout(frame);
    optSingleWire = Choice<QRadioButton>(frame, "optSingleWire", "Single Wire");
    optParalleled = Choice<QRadioButton>(frame, "optParalleled", "// Wires");
    grid->addWidget(optSingleWire, 0, 0);
    grid->addWidget(optParalleled, 1, 0);
    auto* parallel = Frame(frame, "Parallel Conductors");
    auto* inner = new QHBoxLayout(parallel);
    txtNmax = Box(parallel, "txtNmax", "1 to 10 Range");
    chkFixed = Choice<QCheckBox>(parallel, "chkFixed", "Single Diameter");
    inner->addWidget(txtNmax);
    inner->addWidget(chkFixed);
    grid->addWidget(parallel, 0, 1, 2, 1);
    return frame;
}

QWidget* fmTransfo::BuildDetails() {
    fmAWGDetail = Frame(this, "AWG details");
    fmAWGDetail->setObjectName(QStringLiteral("fmAWGDetail"));
    auto* grid = new QGridLayout(fmAWGDetail);
    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const QString& name, uint32_t colour) {
        auto* b = EditorButton(fmAWGDetail, name, QString());
        b->setFixedSize(18, 18);
        b->setAutoFillBackground(true);
        platform::SetBackColor(b, colour);
        buttons->addWidget(b);
        return b;
    };
    cmdAWGInput = button(QStringLiteral("cmdAWGInput"), InputColour);
    cmdAWGAux = button(QStringLiteral("cmdAWGAux"), AuxColour);
    for (std::size_t i = 0; i < 6; ++i) cmdAWGOut[i] = button(QStringLiteral("cmdAWGOut%1").arg(i), OutputColours[i]);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 0, 1, 2);
    auto* diameter = new QHBoxLayout;
    diameter->addWidget(new QLabel(QStringLiteral("Ø"), fmAWGDetail));
    diameter->addWidget(lblDiameter = Label(fmAWGDetail, "lblDiameter"));
    diameter->addStretch(1);
    grid->addLayout(diameter, 1, 0, 1, 2);
    grid->addWidget(lblIsoDiameter = Label(fmAWGDetail, "lblIsoDiameter"), 2, 0, 1, 2);
    grid->addWidget(lblWindResistDC = Label(fmAWGDetail, "lblWindResistDC"), 3, 0, 1, 2);
    grid->addWidget(lblWindResistAC = Label(fmAWGDetail, "lblWindResistAC"), 4, 0, 1, 2);
    return fmAWGDetail;
}

QWidget* fmTransfo::BuildLosses() {
    auto* frame = Frame(this, "Power Losses");
    auto* column = new QVBoxLayout(frame);
    column->addWidget(lblPowerCore = Label(frame, "lblPowerCore"));
    column->addWidget(lblPowerWinding = Label(frame, "lblPowerWinding"));
    column->addWidget(lblPowerTotal = Label(frame, "lblPowerTotal"));
    return frame;
}

QWidget* fmTransfo::BuildTurns() {
    auto* frame = Frame(this, "Winding Turns");
    auto* grid = new QGridLayout(frame);
    chkForceNpri = Choice<QCheckBox>(frame, "chkForceNpri", "Force Input Turns");
    txtNpri = Box(frame, "txtNpri", "Range 1-2000");
    grid->addWidget(chkForceNpri, 0, 0);
    grid->addWidget(txtNpri, 1, 0);
    grid->addWidget(lblNaux = Label(frame, "lblNaux"), 2, 0);
    for (std::size_t i = 0; i < 6; ++i) {
        lblNout[i] = Label(frame, "lblNout");
        lblNout[i]->setObjectName(QStringLiteral("lblNout%1").arg(i));
        grid->addWidget(lblNout[i], 3 + static_cast<int>(i), 0);
    }
    grid->setRowStretch(9, 1);
    picTransfoWindow = new QFrame(frame);
    picTransfoWindow->setObjectName(QStringLiteral("picTransfoWindow"));
    picTransfoWindow->setFrameShape(QFrame::NoFrame);
    picTransfoWindow->setAutoFillBackground(true);
    platform::SetBackColor(picTransfoWindow, 0xFFFFFF);
    picTransfoWindow->setFixedSize(60, 240);
    grid->addWidget(picTransfoWindow, 0, 1, 10, 1);
    picNmain = Bar(picTransfoWindow, QStringLiteral("picNmain"), InputColour);
    picNaux = Bar(picTransfoWindow, QStringLiteral("picNaux"), AuxColour);
    for (std::size_t i = 0; i < 6; ++i) picNSize[i] = Bar(picTransfoWindow, QStringLiteral("picNSize%1").arg(i), OutputColours[i]);
    LineWindowLimit = new QFrame(picTransfoWindow);
    LineWindowLimit->setObjectName(QStringLiteral("LineWindowLimit"));
    LineWindowLimit->setAutoFillBackground(true);
    platform::SetBackColor(LineWindowLimit, 0);
    return frame;
}

QWidget* fmTransfo::BuildUsage() {
    auto* frame = Frame(this, "Transformer Usage");
    auto* grid = new QGridLayout(frame);
    txtBsatMargin = AddBoxRow(grid, 0, {{}, QStringLiteral("Bsat Margin"), QStringLiteral("txtBsatMargin"), QStringLiteral("%")}).box;
    txtBsatMargin->setToolTip(QStringLiteral("0% to 90% Range"));
    txtWindowFactor = AddBoxRow(grid, 1, {{}, QStringLiteral("Window Factor"), QStringLiteral("txtWindowFactor"), {}}).box;
    txtWindowFactor->setToolTip(QStringLiteral("0.01 to 1 Range"));
    grid->addWidget(lblContRatio = Label(frame, "lblContRatio"), 2, 0, 1, 3);
    grid->addWidget(lblAirGap = Label(frame, "lblAirGap"), 3, 0, 1, 3);
    grid->addWidget(lblBmax = Label(frame, "lblBmax"), 4, 0, 1, 3);
    lblBmax->setAutoFillBackground(true);
    return frame;
}

void fmTransfo::AttachBox(QLineEdit* edit, TransfoBox box, float& value) {
    const BoxRule& rule = RuleOf(box);
    auto* numeric = new NumericBox(edit, rule.min, rule.max, rule.unit, rule.pattern, &value, cmdCancel, rule.scale);
    auto before = std::make_shared<float>();
    numeric->BeforeValidate = [&value, before] { *before = value; };
    numeric->AfterValidate = [&value, before] {
        if (value != *before) Settings.DesignSaved = false;
    };
}

void fmTransfo::AttachCount(QLineEdit* edit, TransfoBox box, int16_t& count, float& entry) {
    const BoxRule& rule = RuleOf(box);
    auto* numeric = new NumericBox(edit, rule.min, rule.max, rule.unit, rule.pattern, &entry, cmdCancel, rule.scale);
    auto before = std::make_shared<float>();
    numeric->BeforeValidate = [&count, &entry, before] { *before = entry = count; };
    numeric->AfterValidate = [edit, box, &count, &entry, before] {
        if (entry != *before && StoreCount(count, entry)) Settings.DesignSaved = false;
        edit->setText(Shown(box, count));
    };
}

void fmTransfo::AttachBoxes() {
    AttachBox(txtBsatMargin, TransfoBox::BsatMargin, Settings.BmaxRatio);
    AttachBox(txtLleakage, TransfoBox::Leakage, Transfo.LeakageRatio);
    AttachBox(txtLprimary, TransfoBox::Lprimary, Transfo.Lprimary.Value);
    AttachBox(txtCpri, TransfoBox::Cpri, Transfo.Cpri.Value);
    AttachCount(txtNmax, TransfoBox::Nmax, Transfo.ParallelWireMax, nmaxEntry_);
    AttachBox(txtPdissCore, TransfoBox::PdissCore, Transfo.CoreLossShare);
    AttachBox(txtTempCore, TransfoBox::TempCore, Transfo.MaxDeltaT);
    AttachBox(txtWindowFactor, TransfoBox::WindowFactor, Transfo.WindowFactor);
    AttachCount(txtNpri, TransfoBox::Npri, Transfo.PrimaryTurns, npriEntry_);
}

void fmTransfo::Form_Load() {
    chkLprimary->setChecked(Settings.UserPrimaryInductance);
    txtLprimary->setText(Shown(TransfoBox::Lprimary, Transfo.Lprimary.Value));
    Flag(txtLprimary, !Settings.PowerTooHigh);
    txtLprimary->setReadOnly(!Settings.UserPrimaryInductance);
    txtLleakage->setText(Shown(TransfoBox::Leakage, Transfo.LeakageRatio));
    txtCpri->setText(Shown(TransfoBox::Cpri, Transfo.Cpri.Value));
    txtPdissCore->setText(Shown(TransfoBox::PdissCore, Transfo.CoreLossShare));
    const float share = LossShareReached();
    txtPdissCoreActual->setText(Shown(TransfoBox::PdissCore, share));
    Flag(txtPdissCoreActual, share < Transfo.CoreLossShare);
    optTempCore->setChecked(Settings.CoreCriterionTemp);
    optPdissCore->setChecked(!Settings.CoreCriterionTemp);
    txtTempCore->setText(Shown(TransfoBox::TempCore, Transfo.MaxDeltaT));
    const double rise = TemperatureRiseReached();
    txtTempCoreActual->setText(Formatted(rise, "#0.0"));
    Flag(txtTempCoreActual, Transfo.MaxDeltaT > rise);
    chkCore->setChecked(Settings.UserCoreMaterial);
    chkCoreSize->setChecked(Settings.UserCoreGeometry);
    chkForceNpri->setChecked(Settings.UserPrimaryTurns);
    cmdAddOutput->setEnabled(Settings.AdditionalOutputs < 5);

    const bool paralleled = Settings.WindingOptimisationType != 0;
    chkFixed->setEnabled(paralleled);
    chkFixed->setChecked(Settings.FixedDiameter);
    optSingleWire->setChecked(!paralleled);
    optParalleled->setChecked(paralleled);
    txtNmax->setEnabled(paralleled);

    ShowWindings();
    ShowWindowPicture();
    txtNpri->setText(Shown(TransfoBox::Npri, Transfo.PrimaryTurns));
    lblNaux->setText(QStringLiteral("Aux : ") + QString::number(Transfo.AuxTurns));
    for (int16_t i = 0; i <= LastActiveOutput(); ++i)
        lblNout[static_cast<std::size_t>(i)]->setText(
            (i == 0 ? QStringLiteral("OUT") : QStringLiteral("Out") + Text(Str(int32_t{i}))) + QStringLiteral(" : ") +
            QString::number(Transfo.OutputTurns[static_cast<std::size_t>(i)]));
    ShowCore();
    ShowMaterial(material, CurrentMaterial, MaterialStyle::TransformerWindow);

    txtWindowFactor->setText(Shown(TransfoBox::WindowFactor, Transfo.WindowFactor));
    txtNmax->setText(Shown(TransfoBox::Nmax, Transfo.ParallelWireMax));
    lblAirGap->setText(QStringLiteral("Air Gap : ") + Formatted(Transfo.AirGap * 1000, "0.00 mm"));
    lblContRatio->setText(QStringLiteral("Cont Ratio : ") + Formatted(OperatingPoint.ContRatio, "0.00"));
    txtBsatMargin->setText(Shown(TransfoBox::BsatMargin, Settings.BmaxRatio));
    lblBmax->setText(QStringLiteral("Flux Density : ") + Eng(Transfo.Bmax, "T"));
    txtNpri->setReadOnly(!Settings.UserPrimaryTurns);
    Flag(lblBmax, !FluxTooHigh());

    ShowDetails();
    lblPowerCore->setText(QStringLiteral("Core Losses : ") + Eng(Transfo.CoreLoss, "W"));
    lblPowerWinding->setText(QStringLiteral("Winding Losses : ") + Eng(Transfo.WindingLoss, "W"));
    lblPowerTotal->setText(QStringLiteral("Total Losses : ") + Eng(OperatingPoint.TransformerLoss, "W"));
}

void fmTransfo::ShowWindings() {
    ShowWindingLabel(lblInput, DetailPrimary, InputColour);
    ShowWindingLabel(lblAux, DetailAux, AuxColour);
    for (int16_t i = 0; i < 6; ++i) {
        const auto k = static_cast<std::size_t>(i);
        ShowWindingLabel(lblOut1[k], i, OutputColours[k]);
        const bool active = i <= Settings.AdditionalOutputs;
        picOutBond[k]->setVisible(active);
        picNSize[k]->setVisible(active);
        cmdAWGOut[k]->setVisible(active);
        lblNout[k]->setVisible(active);
    }
}

void fmTransfo::ShowWindowPicture() {
    std::vector<WindingFill> windings{{Transfo.PrimaryWire, Transfo.PrimaryTurns}, {Transfo.AuxWire, Transfo.AuxTurns}};
    std::vector<QFrame*> bars{picNmain, picNaux};
    for (int16_t i = 0; i <= LastActiveOutput(); ++i) {
        windings.push_back({Transfo.OutputWire[static_cast<std::size_t>(i)], Transfo.OutputTurns[static_cast<std::size_t>(i)]});
        bars.push_back(picNSize[static_cast<std::size_t>(i)]);
    }
    const double twipsPerPixel = platform::PixelsToTwips(1);
    picture_ = WindingWindowBars(platform::PixelsToTwips(picTransfoWindow->height()), twipsPerPixel, Transfo.Core.W,
                                 Transfo.WindowFactor, windings);
    const int width = picTransfoWindow->width();
    auto pixels = [](double twips) { return platform::TwipsToPixels(twips); };
    LineWindowLimit->setGeometry(0, pixels(picture_.LimitTop), width, 1);
    for (std::size_t i = 0; i < bars.size(); ++i)
        bars[i]->setGeometry(4, pixels(picture_.Bars[i].Top), width - 8, pixels(picture_.Bars[i].Height));
    LineWindowLimit->raise();
}

void fmTransfo::ShowCore() {
    const CoreGeometry& c = CurrentCore;
    lblCoreGeometry->setText(QStringLiteral("Geometry : ") + Text(c.Name) + Break + Text(Settings.GeometryListType) +
                             QStringLiteral(" Serie"));
    lblCoreAe->setText(QStringLiteral("Ae : ") + Formatted(c.Ae, "#0.0") + QStringLiteral(" mm2"));
    lblCoreLe->setText(QStringLiteral("Le : ") + Formatted(c.Le, "#0.0") + QStringLiteral(" mm"));
    lblCoreLm->setText(QStringLiteral("Lm : ") + Formatted(c.Lm, "#0.0") + QStringLiteral(" mm"));
    lblCoreW->setText(QStringLiteral("Window Area : ") + Formatted(c.W, "#0.0") + QStringLiteral(" mm2"));
    lblCoreVe->setText(QStringLiteral("Ve : ") + Formatted(c.Ve, "#0.0") + QStringLiteral(" mm3"));
}

void fmTransfo::ShowDetails() {
    const int16_t k = std::clamp<int16_t>(Settings.AWGDetailWinding, 0, DetailPrimary);
    const WireRecord& wire = WindingWire(k);
    fmAWGDetail->setTitle(k == DetailPrimary ? QStringLiteral("AWG Details : Input")
                          : k == DetailAux   ? QStringLiteral("AWG Details : Aux")
                          : k == 0            ? QStringLiteral("AWG Details : OUT")
                                              : QStringLiteral("AWG Details : Out") + Text(Str(int32_t{k})));
    lblDiameter->setText(QStringLiteral(": ") + Eng(static_cast<float>(WireDiameter(wire.Area)), "m"));
    lblIsoDiameter->setText(QStringLiteral("Iso : ") + Eng(static_cast<float>(WireDiameter(wire.AreaIns)), "m"));
    const WindingResistance r = ResistanceOf(k);
    lblWindResistDC->setText(QStringLiteral("Rdc=") + Eng(static_cast<float>(r.Rdc), "R"));
    lblWindResistAC->setText(QStringLiteral("Rac=") + Eng(static_cast<float>(r.Rac), "R"));
}

void fmTransfo::chkFixed_Click() {
    if (!chkFixed->isEnabled()) return;
    Settings.FixedDiameter = chkFixed->isChecked();
    Settings.WindingOptimisationType = Settings.FixedDiameter ? 1 : 2;
    Settings.DesignSaved = false;
}

void fmTransfo::optSingleWire_Click() {
    txtNmax->setEnabled(false);
    chkFixed->setEnabled(false);
    if (optSingleWire->isChecked()) Settings.WindingOptimisationType = 0;
    Settings.DesignSaved = false;
}

void fmTransfo::optParalleled_Click() {
    txtNmax->setEnabled(true);
    chkFixed->setEnabled(true);
    chkFixed_Click();
}

void fmTransfo::cmdAWG_Click(int16_t winding) {
    Settings.AWGDetailWinding = winding;
    Form_Load();
}

void fmTransfo::cmdApply_Click() {
    if (busy_ || NumericBox::FocusEntryRefused()) return;
    busy_ = true;
    QPointer<fmTransfo> self(this);
    Services().UpdateInstance();
    if (self) busy_ = false;
}

void fmTransfo::cmdOk_Click() {
    if (busy_ || NumericBox::FocusEntryRefused()) return;
    busy_ = true;
    Settings.DesignSaved = false;
    QPointer<fmTransfo> self(this);
    Services().UpdateInstance();
    if (!self) return;
    busy_ = false;
    close();
}

void fmTransfo::cmdAddOutput_Click() {
    const auto n = static_cast<int16_t>(Settings.AdditionalOutputs + 1);
    if (n > 5 || !Services().EditOutputPara(n, this)) return;
    Settings.AdditionalOutputs = n;
    Settings.DesignSaved = false;
    if (n == 5) Services().EnableAddOutput(false);
    Services().UpdateInstance();
}

void fmTransfo::cmdEditCore_Click() {
    fmCore editor(this);
    editor.exec();
}

void fmTransfo::cmdEditCoreSize_Click() {
    fmCoreSizeEdit editor(this);
    editor.exec();
}

void fmTransfo::Winding_Click(int16_t winding) {
    bool confirmed = false;
    if (winding == DetailPrimary) {
        confirmed = EditInputPara(this);
        if (confirmed) UpdateInputVoltages();
    } else if (winding == DetailAux) {
        confirmed = EditZorvicPara(this);
    } else {
        confirmed = Services().EditOutputPara(winding, this);
    }
    if (confirmed) Services().UpdateInstance();
}

bool fmTransfo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == picInputBond) Winding_Click(DetailPrimary);
        else if (watched == picAuxBond) Winding_Click(DetailAux);
        for (int16_t i = 0; i < 6; ++i)
            if (watched == picOutBond[static_cast<std::size_t>(i)]) Winding_Click(i);
    }
    return QWidget::eventFilter(watched, event);
}
