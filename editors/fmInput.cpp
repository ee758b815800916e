#include "fmInput.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ComputeDesign.h"
#include "EditorRows.h"
#include "Forms.h"
#include "NumberText.h"
#include "NumericBox.h"
#include "Slider.h"
#include "Variables.h"

using namespace zorvic;

namespace {

// The option buttons are checked by what the values match, so none may be checked at all: Qt's
// own exclusivity would keep one.
QRadioButton* NamedOption(QWidget* parent, const QString& name, const QString& caption) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    option->setAutoExclusive(false);
    return option;
}

const SliderScale& Slider(InputBox box) { return RuleOf(box).slider; }

QString Shown(InputBox box, float value) { return QString::fromStdString(BoxText(RuleOf(box), value)); }

}  // namespace

fmInput::fmInput(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmInput"));
    setWindowTitle(QStringLiteral("Input Parameters"));
    platform::Forms::Register(this);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* kind = new QHBoxLayout;
    cmdACInput = EditorButton(this, QStringLiteral("cmdACInput"), QStringLiteral("AC Input"));
    cmdDCInput = EditorButton(this, QStringLiteral("cmdDCInput"), QStringLiteral("DC Input"));
    kind->addWidget(cmdACInput);
    kind->addWidget(cmdDCInput);
    kind->addStretch(1);
    layout->addLayout(kind);

    fmACRange = new QGroupBox(QStringLiteral("AC Input Range"), this);
    fmACRange->setObjectName(QStringLiteral("fmACRange"));
    fmDCRange = new QGroupBox(QStringLiteral("DC Input Range"), this);
    fmDCRange->setObjectName(QStringLiteral("fmDCRange"));
    layout->addWidget(fmACRange);
    layout->addWidget(fmDCRange);

    auto* closing = new QHBoxLayout;
    cmdDone = EditorButton(this, QStringLiteral("cmdDone"), QStringLiteral("Done"));
    cmdCancel = EditorButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    closing->addStretch(1);
    closing->addWidget(cmdDone);
    closing->addWidget(cmdCancel);
    layout->addLayout(closing);

    BuildAcRange();
    BuildDcRange();
    AttachBoxes();

    connect(cmdACInput, &QPushButton::clicked, this, &fmInput::cmdACInput_Click);
    connect(cmdDCInput, &QPushButton::clicked, this, &fmInput::cmdDCInput_Click);
    connect(cmdDone, &QPushButton::clicked, this, &fmInput::cmdDone_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &fmInput::cmdCancel_Click);
    connect(optFullRange, &QRadioButton::clicked, this, [this] { ChooseAcPreset(AcPreset::FullRange); });
    connect(optEurStd, &QRadioButton::clicked, this, [this] { ChooseAcPreset(AcPreset::Eur220); });
    connect(optUSstd, &QRadioButton::clicked, this, [this] { ChooseAcPreset(AcPreset::Us110); });
    connect(opt50Hz, &QRadioButton::clicked, this, [this] { ChooseFrequency(50); });
    connect(opt60Hz, &QRadioButton::clicked, this, [this] { ChooseFrequency(60); });
    connect(OptTelecomStd, &QRadioButton::clicked, this, &fmInput::OptTelecomStd_Click);
    connect(sldMaxVoltage, &platform::Slider::Moved, this, &fmInput::sldMaxVoltage_Moved);
    connect(sldMinVoltage, &platform::Slider::Moved, this, &fmInput::sldMinVoltage_Moved);
    connect(sldRipVoltage, &platform::Slider::Moved, this, &fmInput::sldRipVoltage_Moved);
    connect(sldMaxDCVoltage, &platform::Slider::Moved, this, &fmInput::sldMaxDCVoltage_Moved);
    connect(sldMinDCVoltage, &platform::Slider::Moved, this, &fmInput::sldMinDCVoltage_Moved);
}

void fmInput::BuildAcRange() {
    auto* grid = new QGridLayout(fmACRange);
    auto* presets = new QHBoxLayout;
    optFullRange = NamedOption(fmACRange, QStringLiteral("optFullRange"), QStringLiteral("Full Range"));
    optEurStd = NamedOption(fmACRange, QStringLiteral("optEurStd"), QStringLiteral("220VAC Range"));
    optUSstd = NamedOption(fmACRange, QStringLiteral("optUSstd"), QStringLiteral("110VAC Range"));
    presets->addWidget(optFullRange);
    presets->addWidget(optEurStd);
    presets->addWidget(optUSstd);
    presets->addStretch(1);
    grid->addLayout(presets, 0, 0, 1, 6);

    const SliderRow max = AddSliderRow(grid, 1,
        SliderRowOf({{}, QStringLiteral("Maximum Voltage"), QStringLiteral("txtMaxVoltage"), QStringLiteral("VAC")},
                    QStringLiteral("sldMaxVoltage"), RuleOf(InputBox::MaxVoltage)));
    txtMaxVoltage = max.box;
    sldMaxVoltage = max.slider;
    const SliderRow min = AddSliderRow(grid, 2,
        SliderRowOf({{}, QStringLiteral("Minimum Voltage"), QStringLiteral("txtMinVoltage"), QStringLiteral("VAC")},
                    QStringLiteral("sldMinVoltage"), RuleOf(InputBox::MinVoltage)));
    txtMinVoltage = min.box;
    sldMinVoltage = min.slider;

    fmFreq = new QGroupBox(QStringLiteral("Line Frequency"), fmACRange);
    fmFreq->setObjectName(QStringLiteral("fmFreq"));
    auto* frequencies = new QVBoxLayout(fmFreq);
    opt50Hz = NamedOption(fmFreq, QStringLiteral("opt50Hz"), QStringLiteral("50Hz"));
    opt60Hz = NamedOption(fmFreq, QStringLiteral("opt60Hz"), QStringLiteral("60Hz"));
    frequencies->addWidget(opt50Hz);
    frequencies->addWidget(opt60Hz);

    fmRip = new QGroupBox(QStringLiteral("Input Ripple"), fmACRange);
    fmRip->setObjectName(QStringLiteral("fmRip"));
    auto* ripple = new QGridLayout(fmRip);
    const SliderRow rip = AddSliderRow(ripple, 0,
        SliderRowOf({QStringLiteral("lblInRipple"), QStringLiteral("Ripple Voltage"), QStringLiteral("txtRipVoltage"),
                     QStringLiteral("Vpp")},
                    QStringLiteral("sldRipVoltage"), RuleOf(InputBox::RipVoltage)));
    lblInRipple = rip.caption;
    txtRipVoltage = rip.box;
    sldRipVoltage = rip.slider;

    auto* lower = new QHBoxLayout;
    lower->addWidget(fmFreq);
    lower->addWidget(fmRip, 1);
    grid->addLayout(lower, 3, 0, 1, 6);
}

void fmInput::BuildDcRange() {
    auto* grid = new QGridLayout(fmDCRange);
    OptTelecomStd = NamedOption(fmDCRange, QStringLiteral("OptTelecomStd"), QStringLiteral("Standard Telecom DC/DC"));
    grid->addWidget(OptTelecomStd, 0, 0, 1, 6);
    const SliderRow min = AddSliderRow(grid, 1,
        SliderRowOf({{}, QStringLiteral("Minimum Voltage"), QStringLiteral("txtMinDCVoltage"), QStringLiteral("VDC")},
                    QStringLiteral("sldMinDCVoltage"), RuleOf(InputBox::MinDCVoltage)));
    txtMinDCVoltage = min.box;
    sldMinDCVoltage = min.slider;
    const SliderRow max = AddSliderRow(grid, 2,
        SliderRowOf({{}, QStringLiteral("Maximum Voltage"), QStringLiteral("txtMaxDCVoltage"), QStringLiteral("VDC")},
                    QStringLiteral("sldMaxDCVoltage"), RuleOf(InputBox::MaxDCVoltage)));
    txtMaxDCVoltage = max.box;
    sldMaxDCVoltage = max.slider;
}

void fmInput::AttachBoxes() {
    auto attach = [this](QLineEdit* edit, InputBox box, float* value) {
        const BoxRule& rule = RuleOf(box);
        return new NumericBox(edit, rule.min, rule.max, rule.unit, rule.pattern, value, cmdCancel, rule.scale);
    };
    auto* max = attach(txtMaxVoltage, InputBox::MaxVoltage, &Vmax);
    max->AfterValidate = max->AfterLeaveForCancel = [this] { MaxVoltageLeft(); };
    auto* min = attach(txtMinVoltage, InputBox::MinVoltage, &Vmin);
    min->AfterValidate = min->AfterLeaveForCancel = [this] { MinVoltageLeft(); };
    auto* rip = attach(txtRipVoltage, InputBox::RipVoltage, &Ripple);
    rip->AfterValidate = [this] { sldRipVoltage->SetPosition(Slider(InputBox::RipVoltage).Position(Ripple)); };
    auto* minDc = attach(txtMinDCVoltage, InputBox::MinDCVoltage, &VminDC);
    minDc->AfterValidate = minDc->AfterLeaveForCancel = [this] { MinDCVoltageLeft(); };
    auto* maxDc = attach(txtMaxDCVoltage, InputBox::MaxDCVoltage, &VmaxDC);
    maxDc->AfterValidate = maxDc->AfterLeaveForCancel = [this] { MaxDCVoltageLeft(); };
}

void fmInput::Form_Load() {
    fmACRange->setVisible(Settings.ACInput);
    fmDCRange->setVisible(!Settings.ACInput);
    Done = false;
    RefreshControls();
}

void fmInput::RefreshControls() {
    txtRipVoltage->setText(Shown(InputBox::RipVoltage, Ripple));
    txtMaxVoltage->setText(Shown(InputBox::MaxVoltage, Vmax));
    txtMinVoltage->setText(Shown(InputBox::MinVoltage, Vmin));
    sldRipVoltage->SetPosition(Slider(InputBox::RipVoltage).Position(Ripple));
    sldMaxVoltage->SetPosition(Slider(InputBox::MaxVoltage).Position(Vmax));
    sldMinVoltage->SetPosition(Slider(InputBox::MinVoltage).Position(Vmin));
    const AcPreset preset = MatchAcPreset(*this);
    txtMaxDCVoltage->setText(Shown(InputBox::MaxDCVoltage, VmaxDC));
    txtMinDCVoltage->setText(Shown(InputBox::MinDCVoltage, VminDC));
    sldMaxDCVoltage->SetPosition(Slider(InputBox::MaxDCVoltage).Position(VmaxDC));
    sldMinDCVoltage->SetPosition(Slider(InputBox::MinDCVoltage).Position(VminDC));
    OptTelecomStd->setChecked(MatchesTelecomPreset(*this));
    opt50Hz->setChecked(Freq == 50);
    opt60Hz->setChecked(Freq == 60);
    optEurStd->setChecked(preset == AcPreset::Eur220);
    optUSstd->setChecked(preset == AcPreset::Us110);
    optFullRange->setChecked(preset == AcPreset::FullRange);
}

void fmInput::cmdACInput_Click() {
    SetInputKind(true);
    fmACRange->setVisible(true);
    fmDCRange->setVisible(false);
}

void fmInput::cmdDCInput_Click() {
    SetInputKind(false);
    fmDCRange->setVisible(true);
    fmACRange->setVisible(false);
}

void fmInput::cmdDone_Click() {
    if (NumericBox::FocusEntryRefused()) return;
    Done = true;
    Settings.DesignSaved = false;
    Freq = opt50Hz->isChecked() ? 50 : 60;
    UpdateInputVoltages();
    accept();
}

void fmInput::cmdCancel_Click() { reject(); }

void fmInput::ChooseAcPreset(AcPreset preset) {
    ApplyAcPreset(*this, preset);
    RefreshControls();
}

void fmInput::ChooseFrequency(int16_t frequency) {
    Freq = frequency;
    RefreshControls();
}

void fmInput::OptTelecomStd_Click() {
    ApplyTelecomPreset(*this);
    RefreshControls();
}

void fmInput::sldMaxVoltage_Moved(int position) {
    Vmax = Slider(InputBox::MaxVoltage).Value(position);
    AdjustMinVoltage(*this);
    RefreshControls();
}

void fmInput::sldMinVoltage_Moved(int position) {
    Vmin = Slider(InputBox::MinVoltage).Value(position);
    AdjustMaxVoltage(*this);
    RefreshControls();
}

void fmInput::sldRipVoltage_Moved(int position) {
    Ripple = Slider(InputBox::RipVoltage).Value(position);
    txtRipVoltage->setText(Shown(InputBox::RipVoltage, Ripple));
}

void fmInput::sldMaxDCVoltage_Moved(int position) {
    VmaxDC = Slider(InputBox::MaxDCVoltage).Value(position);
    AdjustMinDCVoltage(*this);
    RefreshControls();
}

void fmInput::sldMinDCVoltage_Moved(int position) {
    VminDC = Slider(InputBox::MinDCVoltage).Value(position);
    AdjustMaxDCVoltage(*this);
    RefreshControls();
}

void fmInput::MaxVoltageLeft() {
    sldMaxVoltage->SetPosition(Slider(InputBox::MaxVoltage).Position(Vmax));
    AdjustMinVoltage(*this);
    RefreshControls();
}

void fmInput::MinVoltageLeft() {
    sldMinVoltage->SetPosition(Slider(InputBox::MinVoltage).Position(Vmin));
    AdjustMaxVoltage(*this);
    RefreshControls();
}

void fmInput::MaxDCVoltageLeft() {
    AdjustMinDCVoltage(*this);
    RefreshControls();
}

void fmInput::MinDCVoltageLeft() {
    AdjustMaxDCVoltage(*this);
    RefreshControls();
}
