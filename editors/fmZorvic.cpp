#include "fmZorvic.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "ChipLossBar.h"
#include "Colours.h"
#include "ComboEntries.h"
#include "EditorServices.h"
#include "EditorRows.h"
#include "Forms.h"
#include "NumberText.h"
#include "NumericBox.h"
#include "Slider.h"
#include "Twips.h"
#include "Variables.h"

using namespace zorvic;

namespace {

// The colours of the three losses, bars and labels alike.
constexpr uint32_t BiasColour = 0x00FFFF;        // yellow
constexpr uint32_t ConductionColour = 0x0000FF;  // red
constexpr uint32_t SwitchingColour = 0xFF0000;   // blue

QString Text(const std::string& text) { return QString::fromStdString(text); }
QString Formatted(double value, const char* pattern) { return Text(Format(value, pattern)); }
QString Shown(ChipBox box, float value) { return Text(BoxText(RuleOf(box), value)); }
const SliderScale& Slider(ChipBox box) { return RuleOf(box).slider; }

void Paint(QWidget* widget, QPalette::ColorRole role, uint32_t bgr) {
    QPalette palette = widget->palette();
    palette.setColor(role, platform::ColourFromBgr(bgr));
    widget->setPalette(palette);
}

QWidget* LossBar(QWidget* frame, const QString& name, uint32_t bgr) {
    auto* bar = new QWidget(frame);
    bar->setObjectName(name);
    bar->setAutoFillBackground(true);
    Paint(bar, QPalette::Window, bgr);
    return bar;
}

QLabel* LossLabel(QWidget* parent, const QString& name, uint32_t bgr) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    if (bgr) Paint(label, QPalette::WindowText, bgr);
    return label;
}

}  // namespace

fmZorvic::fmZorvic(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmZorvic"));
    setWindowTitle(QStringLiteral("Zorvic and Regulation Parameters"));
    platform::Forms::Register(this);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* choice = new QWidget(this);
    BuildChoice(choice);
    layout->addWidget(choice);

    fmZorvicFrame = new QGroupBox(QStringLiteral("Around Zorvic"), this);
    fmZorvicFrame->setObjectName(QStringLiteral("fmZorvic"));
    layout->addWidget(fmZorvicFrame);
    fmReg = new QGroupBox(QStringLiteral("Regulation"), this);
    fmReg->setObjectName(QStringLiteral("fmReg"));
    layout->addWidget(fmReg);
    BuildOperatingPoint();
    BuildRegulation();

    auto* losses = new QWidget(this);
    BuildLosses(losses);
    layout->addWidget(losses, 0, Qt::AlignLeft);

    auto* buttons = new QHBoxLayout;
    cmdApply = EditorButton(this, QStringLiteral("cmdApply"), QStringLiteral("Apply"));
    cmdDone = EditorButton(this, QStringLiteral("cmdDone"), QStringLiteral("Done"));
    cmdCancel = EditorButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));
    buttons->addStretch(1);
    buttons->addWidget(cmdApply);
    buttons->addWidget(cmdDone);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    AttachBoxes();

    connect(lstZorvic, &QComboBox::activated, this, &fmZorvic::lstZorvic_Click);
    connect(lstPackage, &QComboBox::activated, this, &fmZorvic::lstPackage_Click);
    connect(sldReflectVoltage, &platform::Slider::Moved, this, &fmZorvic::sldReflectVoltage_Moved);
    connect(sldSwitchFreq, &platform::Slider::Moved, this, &fmZorvic::sldSwitchFreq_Moved);
    connect(sldGainOpto, &platform::Slider::Moved, this, &fmZorvic::sldGainOpto_Moved);
    connect(sldSoftStart, &platform::Slider::Moved, this, &fmZorvic::sldSoftStart_Moved);
    connect(cmdApply, &QPushButton::clicked, this, &fmZorvic::cmdApply_Click);
    connect(cmdDone, &QPushButton::clicked, this, &fmZorvic::cmdDone_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &fmZorvic::cmdCancel_Click);
}

void fmZorvic::BuildChoice(QWidget* parent) {
    auto* grid = new QGridLayout(parent);
    grid->setContentsMargins(0, 0, 0, 0);
    lblZorvicSelect = new QLabel(QStringLiteral("Select your Zorvic :"), parent);
    lblZorvicSelect->setObjectName(QStringLiteral("lblZorvicSelect"));
    lstZorvic = new QComboBox(parent);
    lstZorvic->setObjectName(QStringLiteral("lstZorvic"));
    lblZorvicSelect->setBuddy(lstZorvic);
    lblPackage = new QLabel(QStringLiteral("Package"), parent);
    lblPackage->setObjectName(QStringLiteral("lblPackage"));
    lstPackage = new QComboBox(parent);
    lstPackage->setObjectName(QStringLiteral("lstPackage"));
    lblPackage->setBuddy(lstPackage);
    lblVdmax = LossLabel(parent, QStringLiteral("lblVdmax"), 0);
    lblIdlim = LossLabel(parent, QStringLiteral("lblIdlim"), 0);
    lblRdson = LossLabel(parent, QStringLiteral("lblRdson"), 0);
    grid->addWidget(lblZorvicSelect, 0, 0);
    grid->addWidget(lstZorvic, 0, 1);
    grid->addWidget(lblPackage, 0, 2);
    grid->addWidget(lstPackage, 0, 3);
    grid->addWidget(lblVdmax, 1, 0);
    grid->addWidget(lblIdlim, 1, 1);
    grid->addWidget(lblRdson, 1, 2);
}

void fmZorvic::BuildOperatingPoint() {
    auto* grid = new QGridLayout(fmZorvicFrame);
    const SliderRow reflect = AddSliderRow(grid, 0,
        SliderRowOf({{}, QStringLiteral("Reflected Voltage"), QStringLiteral("txtReflectVolt"), QStringLiteral("V")},
                    QStringLiteral("sldReflectVoltage"), RuleOf(ChipBox::ReflectVoltage)));
    txtReflectVolt = reflect.box;
    sldReflectVoltage = reflect.slider;
    auto* actual = new QLabel(QStringLiteral("V actual"), fmZorvicFrame);
    txtReflectVoltActual = new QLineEdit(fmZorvicFrame);
    txtReflectVoltActual->setObjectName(QStringLiteral("txtReflectVoltActual"));
    txtReflectVoltActual->setReadOnly(true);
    txtReflectVoltActual->setAlignment(Qt::AlignRight);
    txtReflectVoltActual->setMaximumWidth(txtReflectVolt->maximumWidth());
    actual->setBuddy(txtReflectVoltActual);
    grid->addWidget(actual, 0, 6);
    grid->addWidget(txtReflectVoltActual, 0, 7);

    const SliderRow frequency = AddSliderRow(grid, 1,
        SliderRowOf({QStringLiteral("lblSwitch"), QStringLiteral("Switching Frequency"), QStringLiteral("txtSwitchFreq"),
                     QStringLiteral("kHz")},
                    QStringLiteral("sldSwitchFreq"), RuleOf(ChipBox::SwitchFreq), QStringLiteral("lblMinFreq"),
                    QStringLiteral("lblMaxFreq")));
    lblSwitch = frequency.caption;
    txtSwitchFreq = frequency.box;
    sldSwitchFreq = frequency.slider;
    lblMinFreq = frequency.low;
    lblMaxFreq = frequency.high;

    txtTemp_Amb = AddBoxRow(grid, 2, {{}, QStringLiteral("Ambient Temperature"), QStringLiteral("txtTemp_Amb"),
                                      QStringLiteral("°C")}).box;
    txtTemp_Amb->setToolTip(QStringLiteral("Range -40°C to 125°C"));
    const BoxRow junction = AddBoxRow(grid, 3, {{}, QStringLiteral("Rt junction-pin :"), QStringLiteral("txtRtj_p"),
                                                QStringLiteral("°C/W")});
    junction.caption->setToolTip(QStringLiteral("Thermal Resistance Junction to Zorvic Package Pin"));
    txtRtj_p = junction.box;
    txtRtj_p->setToolTip(QStringLiteral("Range 0°C/W to 200°C/W"));
    const BoxRow ambient = AddBoxRow(grid, 4, {{}, QStringLiteral("Rt pin-ambient :"), QStringLiteral("txtRtp_a"),
                                               QStringLiteral("°C/W")});
    ambient.caption->setToolTip(QStringLiteral("Thermal Resistance Zorvic Package Pin to Ambient"));
    txtRtp_a = ambient.box;
    txtRtp_a->setToolTip(QStringLiteral("Range 0°C/W to 200°C/W"));
}

void fmZorvic::BuildRegulation() {
    auto* grid = new QGridLayout(fmReg);
    const SliderRow soft = AddSliderRow(grid, 0,
        SliderRowOf({QStringLiteral("lblSoftStart"), QStringLiteral("Soft Start Time"), QStringLiteral("txtSoftStart"),
                     QStringLiteral("ms")},
                    QStringLiteral("sldSoftStart"), RuleOf(ChipBox::SoftStart)));
    lblSoftStart = soft.caption;
    txtSoftStart = soft.box;
    sldSoftStart = soft.slider;
    const SliderRow gain = AddSliderRow(grid, 1,
        SliderRowOf({QStringLiteral("lblInRipple"), QStringLiteral("Gain OptoCoupler"), QStringLiteral("txtGainOpto"), {}},
                    QStringLiteral("sldGainOpto"), RuleOf(ChipBox::GainOpto)));
    lblInRipple = gain.caption;
    txtGainOpto = gain.box;
    sldGainOpto = gain.slider;
}

void fmZorvic::BuildLosses(QWidget* parent) {
    auto* grid = new QGridLayout(parent);
    grid->setContentsMargins(0, 0, 0, 0);
    picZorvicLosses = new QWidget(parent);
    picZorvicLosses->setObjectName(QStringLiteral("picZorvicLosses"));
    picZorvicLosses->setAutoFillBackground(true);
    Paint(picZorvicLosses, QPalette::Window, platform::WindowBackground);
    picZorvicLosses->setFixedSize(platform::TwipsToPixels(4500), platform::TwipsToPixels(300));
    picZorvicLosses->installEventFilter(this);
    picBiasLosses = LossBar(picZorvicLosses, QStringLiteral("picBiasLosses"), BiasColour);
    picConductLosses = LossBar(picZorvicLosses, QStringLiteral("picConductLosses"), ConductionColour);
    picSwitchLosses = LossBar(picZorvicLosses, QStringLiteral("picSwitchLosses"), SwitchingColour);
    lblZorvicLosses = LossLabel(parent, QStringLiteral("lblZorvicLosses"), 0);
    lblBiasLosses = LossLabel(parent, QStringLiteral("lblBiasLosses"), BiasColour);
    lblConductLosses = LossLabel(parent, QStringLiteral("lblConductLosses"), ConductionColour);
    lblSwitchLosses = LossLabel(parent, QStringLiteral("lblSwitchLosses"), SwitchingColour);
    grid->addWidget(lblZorvicLosses, 0, 0);
    grid->addWidget(picZorvicLosses, 1, 0);
    grid->addWidget(lblBiasLosses, 2, 0);
    grid->addWidget(lblConductLosses, 3, 0);
    grid->addWidget(lblSwitchLosses, 4, 0);
}

void fmZorvic::AttachBoxes() {
    auto attach = [this](QLineEdit* edit, ChipBox box, float* value, platform::Slider* slider = nullptr) {
        const BoxRule& rule = RuleOf(box);
        auto* numeric = new NumericBox(edit, rule.min, rule.max, rule.unit, rule.pattern, value, cmdCancel, rule.scale);
        if (slider) numeric->AfterValidate = [slider, box, value] { slider->SetPosition(Slider(box).Position(*value)); };
    };
    attach(txtReflectVolt, ChipBox::ReflectVoltage, &VR, sldReflectVoltage);
    attach(txtSwitchFreq, ChipBox::SwitchFreq, &Fsw, sldSwitchFreq);
    attach(txtGainOpto, ChipBox::GainOpto, &OptoGain, sldGainOpto);
    attach(txtSoftStart, ChipBox::SoftStart, &SoftStart, sldSoftStart);
    attach(txtTemp_Amb, ChipBox::AmbientTemperature, &Tamb);
    attach(txtRtj_p, ChipBox::RthJunctionPin, &RthJP);
    attach(txtRtp_a, ChipBox::RthPinAmbient, &RthPA);
}

void fmZorvic::Form_Load() { RefreshControls(); }

void fmZorvic::RefreshControls() {
    Done = false;
    txtReflectVolt->setText(Shown(ChipBox::ReflectVoltage, VR));
    txtSwitchFreq->setText(Shown(ChipBox::SwitchFreq, Fsw));
    txtGainOpto->setText(Shown(ChipBox::GainOpto, OptoGain));
    txtSoftStart->setText(Shown(ChipBox::SoftStart, SoftStart));
    txtReflectVoltActual->setText(Formatted(OperatingPoint.ReflectedVoltageActual, "##0.0"));
    txtTemp_Amb->setText(Shown(ChipBox::AmbientTemperature, Tamb));
    txtRtp_a->setText(Shown(ChipBox::RthPinAmbient, RthPA));

    // A fixed-frequency chip keeps the slider's end from the last chip that had one. The end is
    // set before the slider is placed, so a frequency above the old end shows where it belongs.
    const bool fixed = IsFixedFrequency(ChipWork);
    if (!fixed) {
        sldSwitchFreq->SetLastPosition(SwitchFreqLastPosition(ChipWork));
        lblMaxFreq->setText(Text(Str(ChipWork.MaxFrequency) + "KHz"));
    }
    sldSwitchFreq->setEnabled(!fixed);
    txtSwitchFreq->setReadOnly(fixed);
    lblSwitch->setEnabled(!fixed);
    sldReflectVoltage->SetPosition(Slider(ChipBox::ReflectVoltage).Position(VR));
    sldSwitchFreq->SetPosition(Slider(ChipBox::SwitchFreq).Position(Fsw));
    sldGainOpto->SetPosition(Slider(ChipBox::GainOpto).Position(OptoGain));
    sldSoftStart->SetPosition(Slider(ChipBox::SoftStart).Position(SoftStart));

    const bool secondary = OperatingPoint.SecondaryRegulation;
    for (QWidget* w : {static_cast<QWidget*>(fmReg), static_cast<QWidget*>(lblInRipple),
                       static_cast<QWidget*>(txtGainOpto), static_cast<QWidget*>(sldGainOpto)})
        w->setEnabled(secondary);
    for (QWidget* w : {static_cast<QWidget*>(lblSoftStart), static_cast<QWidget*>(txtSoftStart),
                       static_cast<QWidget*>(sldSoftStart)})
        w->setEnabled(secondary && !fixed);

    lblVdmax->setText(Text("Vdmax : " + Str(ChipWork.Vdmax) + " V"));
    lblIdlim->setText(Text("Idlim : " + Format(ChipWork.Idlim, "0.0") + " A"));
    lblRdson->setText(Text("Rdson : " + Str(ChipWork.Rdson) + " Ohm"));

    // The losses are the design's last computation, not the chip being chosen.
    PlaceLossBars();
    lblBiasLosses->setText(Text("Bias Losses             : " + FormatEng(CurrentChip.LossBias, "W")));
    lblConductLosses->setText(Text("Conduction Losses: " + FormatEng(CurrentChip.LossConduction, "W")));
    lblSwitchLosses->setText(Text("Switching Losses  : " + FormatEng(CurrentChip.LossSwitching, "W")));
    lblZorvicLosses->setText(Text("Zorvic Losses @ Vmin: " + FormatEng(OperatingPoint.ChipLoss, "W")));

    RefreshChipList();
    RefreshPackageList();
    txtRtj_p->setText(Shown(ChipBox::RthJunctionPin, RthJP));
}

void fmZorvic::RefreshChipList() {
    std::vector<std::string> names;
    for (const int16_t row : ChipListRows()) names.push_back(ChipTable[static_cast<std::size_t>(row)].Name);
    SetEntries(lstZorvic, names);
    ShowText(lstZorvic, Text(ChipWork.Name));
}

void fmZorvic::RefreshPackageList() {
    SetEntries(lstPackage, PackageNames(ChipWork));
    ShowText(lstPackage, Text(PackageName(ChipWork, PackageIndex)));
}

void fmZorvic::PlaceLossBars() {
    const ChipLossBar bar(CurrentChip.LossBias, CurrentChip.LossConduction, CurrentChip.LossSwitching,
                          OperatingPoint.ChipLoss);
    const auto segments = bar.Segments(picZorvicLosses->width());
    const int height = picZorvicLosses->height();
    QWidget* bars[] = {picBiasLosses, picConductLosses, picSwitchLosses};
    for (std::size_t i = 0; i < segments.size(); ++i) {
        bars[i]->setGeometry(segments[i].Left, 0, segments[i].Width, height);
        bars[i]->setVisible(segments[i].Width > 0);
    }
}

bool fmZorvic::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picZorvicLosses && event->type() == QEvent::Resize) PlaceLossBars();
    return QDialog::eventFilter(watched, event);
}

void fmZorvic::lstZorvic_Click(int entry) {
    const std::vector<int16_t> rows = ChipListRows();
    if (entry < 0 || entry >= static_cast<int>(rows.size())) return;
    ChooseChip(rows[static_cast<std::size_t>(entry)], *this);
    RefreshControls();
}

void fmZorvic::lstPackage_Click(int position) {
    if (position < 0) return;
    ChoosePackage(static_cast<int16_t>(position), *this);
    RefreshControls();
}

void fmZorvic::sldReflectVoltage_Moved(int position) {
    VR = Slider(ChipBox::ReflectVoltage).Value(position);
    txtReflectVolt->setText(Shown(ChipBox::ReflectVoltage, VR));
}

void fmZorvic::sldSwitchFreq_Moved(int position) {
    Fsw = Slider(ChipBox::SwitchFreq).Value(position);
    txtSwitchFreq->setText(Shown(ChipBox::SwitchFreq, Fsw));
}

void fmZorvic::sldGainOpto_Moved(int position) {
    OptoGain = Slider(ChipBox::GainOpto).Value(position);
    txtGainOpto->setText(Shown(ChipBox::GainOpto, OptoGain));
}

void fmZorvic::sldSoftStart_Moved(int position) {
    SoftStart = Slider(ChipBox::SoftStart).Value(position);
    txtSoftStart->setText(Shown(ChipBox::SoftStart, SoftStart));
}

void fmZorvic::cmdApply_Click() {
    if (applying_ || NumericBox::FocusEntryRefused()) return;
    applying_ = true;
    StoreChipFields(*this);
    QPointer<fmZorvic> self(this);
    Services().UpdateInstance();
    if (!self) return;
    applying_ = false;
    // An input over-voltage warning closes this dialog on its way to the input editor; the
    // dialog then ends as if cancelled and has nothing left to show.
    if (isVisible()) RefreshControls();
}

void fmZorvic::cmdDone_Click() {
    if (applying_ || NumericBox::FocusEntryRefused()) return;
    Done = true;
    Settings.DesignSaved = false;
    accept();
}

void fmZorvic::cmdCancel_Click() {
    if (applying_) return;
    reject();
}
