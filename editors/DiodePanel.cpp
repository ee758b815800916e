#include "DiodePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <utility>

#include "ComboEntries.h"
#include "DiodePanelFigures.h"
#include "Variables.h"

using namespace zorvic;

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

QLabel* NamedLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

DiodePanel::DiodePanel(QWidget* parent) : QGroupBox(QStringLiteral("Output Diode"), parent) {
    setObjectName(QStringLiteral("fmDiodeSelect"));
    auto* grid = new QGridLayout(this);

    fm125deg = new QGroupBox(QStringLiteral("Specification Max @ 125°C"), this);
    fm125deg->setObjectName(QStringLiteral("fm125deg"));
    auto* ratings = new QVBoxLayout(fm125deg);
    for (auto [label, name] : {std::pair{&lblVf, "lblVf"}, {&lblIf, "lblIf"}, {&lblVr, "lblVr"}, {&lblIr, "lblIr"}}) {
        *label = NamedLabel(fm125deg, name);
        ratings->addWidget(*label);
    }
    grid->addWidget(fm125deg, 0, 0, 4, 1);

    lstDiode = new QComboBox(this);
    lstDiode->setObjectName(QStringLiteral("lstDiode"));
    // One width for every diode name, so the dialog keeps its size from output to output.
    lstDiode->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lstDiode->setMinimumContentsLength(10);
    grid->addWidget(lstDiode, 0, 1);
    chkDiodeUserDefine = new QCheckBox(QStringLiteral("User Defined"), this);
    chkDiodeUserDefine->setObjectName(QStringLiteral("chkDiodeUserDefine"));
    grid->addWidget(chkDiodeUserDefine, 1, 1);
    lblRunAway = NamedLabel(this, "lblRunAway");
    // The warning wraps under the list rather than widening the dialog when it appears.
    lblRunAway->setWordWrap(true);
    lblRunAway->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(lblRunAway, 2, 1);

    int row = 4;
    for (auto [label, name] : {std::pair{&lblVrmax, "lblVrmax"}, {&lblVdrop, "lblVdrop"}, {&lblPloss, "lblPloss"}}) {
        *label = NamedLabel(this, name);
        grid->addWidget(*label, row++, 0, 1, 2);
    }

    // Only the user's own picks and clicks: the refreshes set the list and the box silently.
    connect(lstDiode, &QComboBox::activated, this, [this](int entry) { lstDiode_Click(entry); });
    connect(chkDiodeUserDefine, &QCheckBox::clicked, this, [this](bool checked) { chkDiodeUserDefine_Click(checked); });
}

void DiodePanel::RefreshDiodePanel(int16_t outputIndex) {
    outputIndex_ = outputIndex;
    const DiodePanelTexts t = DiodePanelView(OutputWork);
    lblVf->setText(Text(t.Vf));
    lblIf->setText(Text(t.If));
    lblVr->setText(Text(t.Vr));
    lblIr->setText(Text(t.Ir));
    lblVrmax->setText(Text(t.Vrmax));
    lblVdrop->setText(Text(t.Vdrop));
    lblPloss->setText(Text(t.Ploss));
    SetEntries(lstDiode, t.Suitable);
    ShowText(lstDiode, Text(t.DiodeName));
    lblRunAway->setText(Text(t.RunAway));
    chkDiodeUserDefine->setChecked(UserDefinedDiodeMark(outputIndex));
}

void DiodePanel::ClearDiodeList() {
    const QString shown = lstDiode->currentIndex() >= 0 ? lstDiode->currentText() : lstDiode->placeholderText();
    lstDiode->clear();
    ShowText(lstDiode, shown);
}

void DiodePanel::SetMarkClearedHandler(std::function<void()> handler) { markCleared_ = std::move(handler); }

void DiodePanel::lstDiode_Click(int entry) {
    PickDiode(OutputWork, outputIndex_, lstDiode->itemText(entry).toStdString());
    chkDiodeUserDefine->setChecked(true);
    RefreshDiodePanel(outputIndex_);
}

void DiodePanel::chkDiodeUserDefine_Click(bool checked) {
    SetUserDefinedDiodeMark(outputIndex_, checked);
    // Cleared, the computation chooses the diode again when the editor recomputes the output.
    if (!checked && markCleared_) markCleared_();
}
