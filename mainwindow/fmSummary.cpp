#include "fmSummary.h"

#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Forms.h"
#include "SummaryLines.h"
#include "Variables.h"

namespace {

fmSummary* summary = nullptr;

QGroupBox* Frame(const char* name, const char* caption, QWidget* parent) {
    auto* frame = new QGroupBox(QString::fromLatin1(caption), parent);
    frame->setObjectName(QString::fromLatin1(name));
    new QVBoxLayout(frame);
    return frame;
}

QString Element(const char* array, int k) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(k); }

}  // namespace

fmSummary::fmSummary(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("fmSummary"));
    setWindowTitle(QStringLiteral("All Design Parameters"));
    setAttribute(Qt::WA_DeleteOnClose);
    platform::Forms::Register(this);
    if (!summary) summary = this;

    auto* layout = new QVBoxLayout(this);
    fmACInput = Frame("fmACInput", "Input AC", this);
    for (const char* name : {"lblInputVoltMax", "lblInputVoltMin", "lblRipVolt", "lblMainFreq", "lblInputDCMax", "lblInputDCMin"})
        AddLabel(fmACInput, QString::fromLatin1(name));
    fmDCinput = Frame("fmDCinput", "Input DC", this);
    for (const char* name : {"lblInputDCMax2", "lblInputDCMin2"}) AddLabel(fmDCinput, QString::fromLatin1(name));
    QGroupBox* frZorvicReg = Frame("frZorvicReg", "Zorvic and Regulation", this);
    for (const char* name : {"lblRegulation", "lblReflectVolt", "lblGainOpto", "lblSoftStart", "lblSwitchFreq"})
        AddLabel(frZorvicReg, QString::fromLatin1(name));
    layout->addWidget(fmACInput);
    layout->addWidget(fmDCinput);
    layout->addWidget(frZorvicReg);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    const char* const tabs[] = {"OUT", "Out 1", "Out 2", "Out 3", "Out 4", "Out 5"};
    for (int k = 0; k < SummaryLines::OutputTabs; ++k) {
        auto* tab = new QWidget;
        auto* tabLayout = new QVBoxLayout(tab);
        QGroupBox* para = Frame(Element("frOutputPara", k).toLatin1().constData(), "Electrical Parameters", tab);
        for (const char* name : {"lblVoltage", "lblCurrentNom", "lblCurrentMin", "lblPowerNom", "lblPowerLoss", "lblPowerMin"})
            AddLabel(para, Element(name, k));
        QGroupBox* parts = Frame(Element("frStruct", k).toLatin1().constData(), "Components", tab);
        for (const char* name : {"lblShottky", "lblOutCap", "lblOutCap2", "lblSerialElement"}) AddLabel(parts, Element(name, k));
        tabLayout->addWidget(para);
        tabLayout->addWidget(parts);
        tabLayout->addStretch();
        SSTab1->addTab(tab, QString::fromLatin1(tabs[k]));
    }
    auto* total = new QWidget;
    auto* totalLayout = new QVBoxLayout(total);
    QGroupBox* frSystem = Frame("frSystem", "System Summary", total);
    for (const char* name : {"lblMode", "lblOutputNumber"}) AddLabel(frSystem, QString::fromLatin1(name));
    QGroupBox* frPowerRating = Frame("frPowerRating", "Power Rating", total);
    for (const char* name : {"lblTransfoLoss", "lblOutputLoss", "lblSnubberLoss", "lblZorvicLoss", "lblTotalLoss",
                             "lblEfficiency", "lblTotalPower"})
        AddLabel(frPowerRating, QString::fromLatin1(name));
    totalLayout->addWidget(frSystem);
    totalLayout->addWidget(frPowerRating);
    totalLayout->addStretch();
    SSTab1->addTab(total, QStringLiteral("Total"));
    layout->addWidget(SSTab1);

    Form_Load();
}

fmSummary::~fmSummary() {
    if (summary == this) summary = nullptr;
}

QLabel* fmSummary::AddLabel(QWidget* frame, const QString& name) {
    auto* label = new QLabel(frame);
    label->setObjectName(name);
    frame->layout()->addWidget(label);
    return label;
}

fmSummary* fmSummary::Loaded() { return summary; }

fmSummary& fmSummary::ShowSummary() {
    fmSummary* window = summary ? summary : new fmSummary;
    if (!window->isVisible()) window->show();
    window->raise();
    window->activateWindow();
    return *window;
}

void fmSummary::Form_Load() {
    const bool ac = zorvic::Settings.ACInput;
    fmACInput->setVisible(ac);
    fmDCinput->setVisible(!ac);
    for (const SummaryLine& line : SummaryLines::AllLines())
        if (auto* label = findChild<QLabel*>(line.label)) label->setText(line.caption);
}
