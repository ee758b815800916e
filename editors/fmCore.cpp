#include "fmCore.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

#include "EditorRows.h"
#include "Forms.h"
#include "NumberText.h"
#include "Variables.h"

using namespace zorvic;

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }
QString Formatted(double value, const char* pattern) { return Text(Format(value, pattern)); }

}  // namespace

fmCore::fmCore(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmCore"));
    setWindowTitle(QStringLiteral("Transformer Core Material"));
    platform::Forms::Register(this);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* lists = new QGridLayout;
    lstSupplier = new QComboBox(this);
    lstSupplier->setObjectName(QStringLiteral("lstSupplier"));
    lstCore = new QComboBox(this);
    lstCore->setObjectName(QStringLiteral("lstCore"));
    lists->addWidget(new QLabel(QStringLiteral("Supplier"), this), 0, 0);
    lists->addWidget(lstSupplier, 1, 0);
    lists->addWidget(new QLabel(QStringLiteral("Ferrite Grade"), this), 0, 1);
    lists->addWidget(lstCore, 1, 1);
    layout->addLayout(lists);
    auto* frame = new QGroupBox(QStringLiteral("Core Physical Parameters"), this);
    auto* column = new QVBoxLayout(frame);
    for (auto [label, name] : {std::pair{&lblType, "lblType"}, {&lblK, "lblK"}, {&lblK1, "lblK1"}, {&lblK2, "lblK2"},
                               {&lblua, "lblua"}, {&lblui, "lblui"}, {&lblHsat, "lblHsat"}, {&lblBsat, "lblBsat"}}) {
        *label = new QLabel(frame);
        (*label)->setObjectName(QString::fromLatin1(name));
        column->addWidget(*label);
    }
    layout->addWidget(frame);
    cmdOk = EditorButton(this, QStringLiteral("cmdOk"), QStringLiteral("OK"));
    layout->addWidget(cmdOk, 0, Qt::AlignRight);

    connect(lstSupplier, &QComboBox::activated, this, &fmCore::lstSupplier_Click);
    connect(lstCore, &QComboBox::activated, this, &fmCore::lstCore_Click);
    connect(cmdOk, &QPushButton::clicked, this, &fmCore::cmdOk_Click);
    ShowCoreMaterial();
}

void fmCore::ShowCoreMaterial() {
    const CoreMaterial& m = CurrentMaterial;
    lblType->setText(QStringLiteral("Type :") + Text(m.Name));
    lblK->setText(QStringLiteral("K : ") + Formatted(m.K, "scientific") + QStringLiteral(" kW/m3"));
    lblK1->setText(QStringLiteral("K1 : ") + Formatted(m.K1, "0.########"));
    lblK2->setText(QStringLiteral("K2 : ") + Formatted(m.K2, "0.########"));
    lblua->setText(QStringLiteral("ui @ 25°C : ") + Formatted(m.Ui25, "####0"));
    lblui->setText(QStringLiteral("ui @ 100°C : ") + Formatted(m.Ui100, "#####0"));
    lblHsat->setText(QStringLiteral("Hsat : ") + Formatted(m.Hsat, "#####0") + QStringLiteral(" A/m"));
    lblBsat->setText(QStringLiteral("Bsat : ") + Text(FormatEng(m.Bsat, "T")));
    if (lstSupplier->count() == 0)
        for (const std::string& name : SupplierNames) lstSupplier->addItem(Text(name));
    lstCore->clear();
    for (const CoreMaterial& row : CoreMaterialTable)
        if (row.Supplier == CoreSupplier) lstCore->addItem(Text(row.Name));
    lstSupplier->setCurrentIndex(lstSupplier->findText(Text(CoreSupplier)));
    lstCore->setCurrentIndex(lstCore->findText(Text(m.Name)));
}

void fmCore::lstSupplier_Click(int entry) {
    if (entry < 0) return;
    CoreSupplier = lstSupplier->itemText(entry).toStdString();
    for (const CoreMaterial& row : CoreMaterialTable)
        if (row.Supplier == CoreSupplier) {
            CurrentMaterial = row;
            break;
        }
    Settings.UserCoreMaterial = true;
    Settings.DesignSaved = false;
    ShowCoreMaterial();
}

void fmCore::lstCore_Click(int entry) {
    if (entry >= 0) {
        const std::string name = lstCore->itemText(entry).toStdString();
        for (const CoreMaterial& row : CoreMaterialTable)
            if (row.Name == name) CurrentMaterial = row;
    }
    Settings.UserCoreMaterial = true;
    Settings.DesignSaved = false;
    ShowCoreMaterial();
}

void fmCore::cmdOk_Click() {
    if (QWidget* transfo = platform::Forms::Find(QStringLiteral("fmTransfo")))
        QMetaObject::invokeMethod(transfo, "Form_Load", Qt::DirectConnection);
    accept();
}
