#include "fmOutput.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DesignCommands.h"
#include "DesignHost.h"
#include "DiodePanel.h"
#include "EditorServices.h"
#include "EditorRows.h"
#include "Forms.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "NumericBox.h"
#include "Variables.h"

using namespace zorvic;

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

template <typename Button>
Button* Choice(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new Button(caption, parent);
    button->setObjectName(name);
    return button;
}

// A label of a computed figure, with its tip.
QLabel* Figure(QWidget* parent, const char* name, const QString& tip) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setToolTip(tip);
    // Wide enough for the longest figure, so the frames keep their size while values change.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("Irms : 888.8mA")));
    return label;
}

}  // namespace

fmOutput::fmOutput(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmOutput"));
    platform::Forms::Register(this);

    BuildOutputType();
    BuildPolarity();
    BuildPower();
    BuildRipple();
    BuildCapacitor();
    fmDiodeSelect = new DiodePanel(this);
    fmDiodeSelect->setObjectName(QStringLiteral("fmDiodeSelect"));
    fmDiodeSelect->SetMarkClearedHandler([this] { RefreshControls(); });
    // Made last, so that Tab runs through the boxes before the buttons.
    cmdApply = EditorButton(this, QStringLiteral("cmdApply"), QStringLiteral("Apply"));
    cmdOk = EditorButton(this, QStringLiteral("cmdOk"), QStringLiteral("OK"));
    cmdCancel = EditorButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    cmdOutputCancel = EditorButton(this, QStringLiteral("cmdOutputCancel"), QStringLiteral("Delete"));
    cmdOutputCancel->setToolTip(QStringLiteral("Delete this Output"));

    auto* grid = new QGridLayout;
    grid->addWidget(frOutputType, 0, 0);
    grid->addWidget(frPolarity, 0, 1);
    grid->addWidget(Frame1, 1, 0);
    grid->addWidget(frRipple, 1, 1);
    grid->addWidget(fmCapacitor, 2, 0, 1, 3);
    // The diode panel keeps its own height beside the frames; what is left stays below it.
    grid->addWidget(fmDiodeSelect, 0, 2, 2, 1, Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOutputCancel);
    buttons->addStretch(1);
    buttons->addWidget(cmdApply);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    AttachBoxes();

    connect(optZener, &QRadioButton::clicked, this, &fmOutput::optZener_Click);
    connect(optVreg, &QRadioButton::clicked, this, &fmOutput::optVreg_Click);
    connect(optSelf, &QRadioButton::clicked, this, &fmOutput::optSelf_Click);
    connect(optDirect, &QRadioButton::clicked, this, &fmOutput::optDirect_Click);
    connect(optPositive, &QRadioButton::clicked, this, &fmOutput::optPositive_Click);
    connect(optNegative, &QRadioButton::clicked, this, &fmOutput::optNegative_Click);
    connect(chkRegulated, &QCheckBox::clicked, this, &fmOutput::chkRegulated_Click);
    connect(cmdApply, &QPushButton::clicked, this, &fmOutput::cmdApply_Click);
    connect(cmdOk, &QPushButton::clicked, this, &fmOutput::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &fmOutput::cmdCancel_Click);
    connect(cmdOutputCancel, &QPushButton::clicked, this, &fmOutput::cmdOutputCancel_Click);
}

void fmOutput::BuildOutputType() {
    frOutputType = Frame(this, "frOutputType", QStringLiteral("Output Type"));
    auto* grid = new QGridLayout(frOutputType);
    optZener = Choice<QRadioButton>(frOutputType, QStringLiteral("optZener"), QStringLiteral("Zener"));
    optVreg = Choice<QRadioButton>(frOutputType, QStringLiteral("optVreg"), QStringLiteral("Vreg"));
    optSelf = Choice<QRadioButton>(frOutputType, QStringLiteral("optSelf"), QStringLiteral("Self"));
    optDirect = Choice<QRadioButton>(frOutputType, QStringLiteral("optDirect"), QStringLiteral("Direct"));
    int row = 0;
    for (QRadioButton* option : {optZener, optVreg, optSelf, optDirect}) grid->addWidget(option, row++, 0);

    frVregDropout = Frame(frOutputType, "frVregDropout", QStringLiteral("Dropout"));
    auto* dropout = new QVBoxLayout(frVregDropout);
    const QString captions[] = {QStringLiteral("Standard"), QStringLiteral("Semi-Low Dropout"),
                                QStringLiteral("Low Dropout")};
    for (std::size_t i = 0; i < optDropout.size(); ++i) {
        optDropout[i] = Choice<QRadioButton>(frVregDropout, QStringLiteral("optDropout(%1)").arg(i), captions[i]);
        dropout->addWidget(optDropout[i]);
    }
    optDropout[0]->setChecked(true);
    grid->addWidget(frVregDropout, 0, 1, 4, 1);
}

void fmOutput::BuildPolarity() {
    frPolarity = Frame(this, "frPolarity", QStringLiteral("Polarity"));
    auto* column = new QVBoxLayout(frPolarity);
    optPositive = Choice<QRadioButton>(frPolarity, QStringLiteral("optPositive"), QStringLiteral("Positive"));
    optNegative = Choice<QRadioButton>(frPolarity, QStringLiteral("optNegative"), QStringLiteral("Negative"));
    chkRegulated = Choice<QCheckBox>(frPolarity, QStringLiteral("chkRegulated"), QStringLiteral("Regulated"));
    column->addWidget(optPositive);
    column->addWidget(optNegative);
    column->addSpacing(optPositive->sizeHint().height() / 2);
    column->addWidget(chkRegulated);
    column->addStretch(1);
}

void fmOutput::BuildPower() {
    Frame1 = Frame(this, "Frame1", QStringLiteral("Output Power"));
    auto* grid = new QGridLayout(Frame1);
    txtVoltage = AddBoxRow(grid, 0, {{}, QStringLiteral("Voltage"), QStringLiteral("txtVoltage"), QStringLiteral("V")}).box;
    txtActualVoltage =
        AddBoxRow(grid, 1, {{}, QStringLiteral("Actual"), QStringLiteral("txtActualVoltage"), QStringLiteral("V")}).box;
    txtActualVoltage->setReadOnly(true);
    txtActualVoltage->setFocusPolicy(Qt::NoFocus);
    txtActualVoltage->setToolTip(QStringLiteral("0V (Main 3.5V) - 150V Range"));
    const BoxRow current =
        AddBoxRow(grid, 2, {{}, QStringLiteral("Current"), QStringLiteral("txtCurrent"), QStringLiteral("A")});
    txtCurrent = current.box;
    txtCurrent->setToolTip(QStringLiteral("0A (Main 1mA) - 30A Range"));
    lblAmp = current.unit;
    lblAmp->setObjectName(QStringLiteral("lblAmp"));
    const BoxRow minimum = AddBoxRow(
        grid, 3, {{}, QStringLiteral("Minimum Current"), QStringLiteral("txtCurrentMin"), QStringLiteral("A")});
    txtCurrentMin = minimum.box;
    txtCurrentMin->setToolTip(QStringLiteral("0A - 5A Range"));
    lblAmp2 = minimum.unit;
    lblAmp2->setObjectName(QStringLiteral("lblAmp2"));
}

void fmOutput::BuildRipple() {
    frRipple = Frame(this, "frRipple", QStringLiteral("Output Ripple"));
    auto* grid = new QGridLayout(frRipple);
    txtRip1 = AddBoxRow(grid, 0, {{}, QStringLiteral("First Cell Ripple"), QStringLiteral("txtRip1"),
                                  QStringLiteral("Vpp")}).box;
    txtRip1->setToolTip(QStringLiteral("0.1V - 2.0V Range"));
    const BoxRow second = AddBoxRow(grid, 1, {QStringLiteral("lblRip2"), QStringLiteral("Second Cell Ripple"),
                                              QStringLiteral("txtRip2"), QStringLiteral("Vpp")});
    txtRip2 = second.box;
    txtRip2->setToolTip(QStringLiteral("0.01V - 1.0V Range"));
    lblRip2 = second.caption;
    lblRip2Unit_ = second.unit;

    fmActual = Frame(frRipple, "fmActual", QStringLiteral("Actual"));
    auto* actual = new QVBoxLayout(fmActual);
    lblRipV1 = new QLabel(fmActual);
    lblRipV1->setObjectName(QStringLiteral("lblRipV1"));
    lblRipV2 = new QLabel(fmActual);
    lblRipV2->setObjectName(QStringLiteral("lblRipV2"));
    for (QLabel* label : {lblRipV1, lblRipV2}) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("88.88 Vpp")));
        actual->addWidget(label);
    }
    grid->addWidget(fmActual, 0, 3, 2, 1);
}

void fmOutput::BuildCapacitor() {
    fmCapacitor = Frame(this, "fmCapacitor", QStringLiteral("Capacitor Parameters"));
    auto* grid = new QGridLayout(fmCapacitor);
    const BoxRow derating = AddBoxRow(grid, 0, {QStringLiteral("lblIrated"), QStringLiteral("Iactual / Irated Derating"),
                                                QStringLiteral("txtIrated"), QString()});
    lblIrated = derating.caption;
    lblIrated->setToolTip(QStringLiteral("Accepted Actual to Rated Capacitor Rms Current"));
    txtIrated = derating.box;
    txtIrated->setToolTip(QStringLiteral("0.3 to 10 Range"));

    auto cell = [this](const char* name, const QString& caption, QLabel*& esr, QLabel*& irms, const char* esrName,
                       const char* irmsName) {
        QGroupBox* frame = Frame(fmCapacitor, name, caption);
        auto* column = new QVBoxLayout(frame);
        esr = Figure(frame, esrName, QStringLiteral("Min Required ESR"));
        irms = Figure(frame, irmsName, QStringLiteral("Irms Seen by Capacitor"));
        column->addWidget(esr);
        column->addWidget(irms);
        return frame;
    };
    fmCapa1 = cell("fmCapa1", QStringLiteral("First Cell Capacitor"), lblESR1, lblImax1, "lblESR1", "lblImax1");
    fmCapa2 = cell("fmCapa2", QStringLiteral("Second Cell Capacitor"), lblESR2, lblImax2, "lblESR2", "lblImax2");
    // The derating beside the two cells it sizes.
    grid->setColumnMinimumWidth(2, grid->spacing() * 2);
    grid->addWidget(fmCapa1, 0, 3);
    grid->addWidget(fmCapa2, 0, 4);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(4, 1);
}

void fmOutput::Attach(QLineEdit* box, OutputBox kind, float* value, QLabel* unitLabel) {
    const OutputBoxRule rule = RuleOfBox(kind, 0, OutputWork);
    auto* numeric = new NumericBox(box, rule.min, rule.max, rule.unit, rule.pattern, value, cmdCancel);
    // The limits follow the working output, and a current's unit its label.
    numeric->BeforeValidate = [this, numeric, kind, value, unitLabel] {
        const std::string unit = unitLabel ? unitLabel->text().toStdString() : std::string();
        const OutputBoxRule r = RuleOfBox(kind, OutputIndex, OutputWork, unit);
        numeric->SetLimits(r.min, r.max);
        numeric->SetUnit(r.unit, r.pattern);
        valueBefore_ = *value;
    };
    // A new voltage or current changes the output's parts: it is computed again.
    const bool recomputes = kind == OutputBox::Voltage || kind == OutputBox::Current;
    numeric->AfterValidate = [this, numeric, value, unitLabel, recomputes] {
        if (unitLabel) unitLabel->setText(Text(numeric->Unit()));
        if (recomputes && *value != valueBefore_) PowerChanged();
    };
}

void fmOutput::AttachBoxes() {
    Attach(txtVoltage, OutputBox::Voltage, &OutputWork.Voltage);
    Attach(txtCurrent, OutputBox::Current, &OutputWork.Current, lblAmp);
    Attach(txtCurrentMin, OutputBox::MinimumCurrent, &OutputWork.MinimumCurrent, lblAmp2);
    Attach(txtRip1, OutputBox::RippleFirstCell, &OutputWork.RippleFirstCell);
    Attach(txtRip2, OutputBox::RippleSecondCell, &OutputWork.RippleSecondCell);
    Attach(txtIrated, OutputBox::Derating, &OutputWork.CapacitorDerating);
}

void fmOutput::Form_Load() {
    Result = false;
    Modified = true;
    marksAtStart_ = TakeOutputEditorMarks();
    RefreshControls();
}

void fmOutput::RefreshControls() {
    const bool main = OutputIndex == 0;
    ComputeOutputWork(OutputIndex);

    if (const auto shown = ShowOutputType(OutputWork.OutputType)) {
        QRadioButton* kinds[] = {optZener, optVreg, optSelf, optDirect};
        kinds[static_cast<int>(shown->kind)]->setChecked(true);
        if (shown->negative)
            (*shown->negative ? optNegative : optPositive)->setChecked(true);
        else
            // The main output's polarity does not enter its code; it shows what is stored, so
            // that reading the dialog back keeps it.
            (OutputWork.Polarity ? optPositive : optNegative)->setChecked(true);
        EnableSecondCell(shown->secondCell);
        optZener->setEnabled(!shown->mainCode);
    }

    EnableRegulatedByRule();
    // A regulated output that cannot leave the loop stays a Self or Direct output.
    const bool locked = OutputWork.Regulated && !chkRegulated->isEnabled();
    chkRegulated->setChecked(OutputWork.Regulated);
    optVreg->setEnabled(!locked);
    if (locked) optZener->setEnabled(false);
    optNegative->setEnabled(!main && !chkRegulated->isChecked());

    EnableDropoutChoice(optVreg->isChecked());
    if (const auto dropout = DropoutOfFamily(OutputWork.Regulator.Family))
        optDropout[static_cast<std::size_t>(*dropout)]->setChecked(true);

    if (main || IsNewOutput(OutputIndex)) cmdOutputCancel->setEnabled(false);

    const CurrentShown current = ShowCurrent(OutputWork.Current);
    txtCurrent->setText(Text(current.text));
    lblAmp->setText(Text(current.unit));
    const CurrentShown minimum = ShowCurrent(OutputWork.MinimumCurrent);
    txtCurrentMin->setText(Text(minimum.text));
    lblAmp2->setText(Text(minimum.unit));

    txtVoltage->setText(Text(Format(OutputWork.Voltage, "##0.00")));
    txtActualVoltage->setText(Text(Format(OutputWork.ActualVoltage, "##0.00")));
    txtRip1->setText(Text(Format(OutputWork.RippleFirstCell, "##0.00")));
    txtRip2->setText(Text(Format(OutputWork.RippleSecondCell, "##0.00")));
    txtIrated->setText(Text(Format(OutputWork.CapacitorDerating, "#.0")));

    lblESR1->setText(Text(EsrText(OutputWork.Cap1)));
    lblESR2->setText(Text(EsrText(OutputWork.Cap2)));
    lblImax1->setText(Text(IrmsText(OutputWork.Cap1)));
    lblImax2->setText(Text(IrmsText(OutputWork.Cap2)));
    lblRipV1->setText(Text(RippleText(OutputWork.ActualRippleFirstCell)));
    lblRipV2->setText(Text(RippleText(OutputWork.ActualRippleSecondCell)));

    setWindowTitle(Text(OutputCaption(OutputIndex)));
    txtVoltage->setToolTip(Text(VoltageTip(OutputIndex)));

    fmDiodeSelect->RefreshDiodePanel(OutputIndex);
}

void fmOutput::ReadControls() {
    OutputChoices choices;
    if (optZener->isChecked()) choices.kind = OutputKind::Zener;
    else if (optVreg->isChecked()) choices.kind = OutputKind::Vreg;
    else if (optSelf->isChecked()) choices.kind = OutputKind::Self;
    choices.positive = optPositive->isChecked();
    for (std::size_t i = 0; i < optDropout.size(); ++i)
        if (optDropout[i]->isChecked()) choices.dropout = static_cast<int16_t>(i);
    choices.regulated = chkRegulated->isChecked();
    ReadOutputChoices(OutputWork, OutputIndex, choices);
}

void fmOutput::EnableDropoutChoice(bool enabled) {
    frVregDropout->setEnabled(enabled);
    for (QRadioButton* option : optDropout) option->setEnabled(enabled);
}

void fmOutput::EnableSecondCell(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(txtRip2), static_cast<QWidget*>(lblRip2),
                       static_cast<QWidget*>(lblRip2Unit_), static_cast<QWidget*>(lblRipV2),
                       static_cast<QWidget*>(fmCapa2), static_cast<QWidget*>(lblESR2),
                       static_cast<QWidget*>(lblImax2)})
        w->setEnabled(enabled);
}

void fmOutput::EnableRegulatedByRule() {
    chkRegulated->setEnabled(
        RegulatedChangeable(OutputIndex, optNegative->isChecked(), optZener->isChecked(), optVreg->isChecked()));
}

void fmOutput::PowerChanged() {
    ClearUserDiodeMark(OutputIndex);
    ReadControls();
    fmDiodeSelect->ClearDiodeList();
    RefreshControls();
}

void fmOutput::optZener_Click() {
    EnableSecondCell(false);
    LeaveLoop();
    EnableDropoutChoice(false);
}

void fmOutput::optVreg_Click() {
    EnableSecondCell(false);
    LeaveLoop();
    EnableDropoutChoice(true);
}

void fmOutput::LeaveLoop() {
    chkRegulated->setChecked(false);
    chkRegulated->setEnabled(false);
    chkRegulated_Click();
}

void fmOutput::optSelf_Click() {
    EnableSecondCell(true);
    EnableRegulatedByRule();
    EnableDropoutChoice(false);
}

void fmOutput::optDirect_Click() {
    EnableSecondCell(false);
    EnableRegulatedByRule();
    EnableDropoutChoice(false);
}

void fmOutput::optPositive_Click() {
    EnableRegulatedByRule();
    EnableDropoutChoice(optVreg->isChecked());
}

void fmOutput::optNegative_Click() {
    chkRegulated->setEnabled(false);
    EnableDropoutChoice(optVreg->isChecked());
}

void fmOutput::chkRegulated_Click() {
    // A regulated output is positive; the main output's polarity is not offered.
    optNegative->setEnabled(OutputIndex != 0 && !chkRegulated->isChecked());
}

bool fmOutput::ReadAndCheckRegulation() {
    ReadControls();
    if (CheckEditedRegulation(OutputIndex)) return true;
    platform::ShowMessage(QStringLiteral("Regulation Configuration Impossible\r\n(Output Voltage Too Low)"),
                          platform::Buttons::OK, QStringLiteral("Secondary Regulation Error"), this);
    RefreshControls();
    return false;
}

void fmOutput::cmdApply_Click() {
    if (busy_ || NumericBox::FocusEntryRefused()) return;
    if (!ReadAndCheckRegulation()) return;
    busy_ = true;
    Settings.DesignSaved = false;
    Services().UpdateOutput(OutputIndex);
    if (CountAppliedOutput(OutputIndex) && !CanAddOutput()) Services().EnableAddOutput(false);
    Modified = false;
    QPointer<fmOutput> self(this);
    Services().UpdateInstance();
    if (!self) return;
    busy_ = false;
    marksAtStart_ = TakeOutputEditorMarks();
    LoadOutputWork(OutputIndex);
    RefreshControls();
}

void fmOutput::cmdOk_Click() {
    if (busy_ || NumericBox::FocusEntryRefused()) return;
    if (!ReadAndCheckRegulation()) return;
    // The caller stores what the dialog shows, also after an Apply: what was edited since then
    // reaches the design, and storing an applied output again changes nothing.
    Result = true;
    Settings.DesignSaved = false;
    accept();
}

void fmOutput::cmdCancel_Click() {
    if (busy_) return;
    reject();
}

void fmOutput::reject() {
    // Cancel, Escape and the close box: what the dialog wrote since it opened (or since the last
    // Apply) is taken back, unless an Apply is storing it right now.
    if (!busy_) RestoreOutputEditorMarks(marksAtStart_);
    QDialog::reject();
}

void fmOutput::cmdOutputCancel_Click() {
    if (busy_) return;
    if (DeleteOutput(OutputIndex)) reject();
}

bool fmOutput::DeleteOutput(int16_t index) {
    const int answer = platform::ShowMessage(
        QStringLiteral("Are You Sure You Want to Delete Output %1 ?").arg(index), platform::Buttons::OKCancel,
        QStringLiteral("Cancel Output"), this);
    if (answer != platform::AnswerOK) return false;
    const RemovedOutput removed = RemoveOutput(index);
    if (!removed.removed) return false;
    busy_ = true;
    Host().ShowOutputBlock(removed.formerLast, false);
    Services().EnableAddOutput(true);
    QPointer<fmOutput> self(this);
    if (removed.chooseRegulation)
        Services().RegulationType_Click();
    else
        Services().UpdateInstance();
    if (!self) return true;
    busy_ = false;
    // The removal stands; the dialog closes on it.
    marksAtStart_ = TakeOutputEditorMarks();
    return true;
}
