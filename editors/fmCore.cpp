#include "fmCore.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "EditorRows.h"
#include "Forms.h"
#include "NumberText.h"
#include "Variables.h"
#include "fmTransfo.h"

using namespace zorvic;

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

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
    material = AddMaterialLabels(new QGridLayout(frame), 0, 1);
    layout->addWidget(frame);
    cmdOk = EditorButton(this, QStringLiteral("cmdOk"), QStringLiteral("OK"));
    layout->addWidget(cmdOk, 0, Qt::AlignRight);

    connect(lstSupplier, &QComboBox::activated, this, &fmCore::lstSupplier_Click);
    connect(lstCore, &QComboBox::activated, this, &fmCore::lstCore_Click);
    connect(cmdOk, &QPushButton::clicked, this, &fmCore::cmdOk_Click);
    ShowCoreMaterial();
}

void fmCore::ShowCoreMaterial() {
    ShowMaterial(material, CurrentMaterial, MaterialStyle::MaterialWindow);
    if (lstSupplier->count() == 0)
        for (const std::string& name : SupplierNames) lstSupplier->addItem(Text(name));
    lstCore->clear();
    for (const CoreMaterial& row : CoreMaterialTable)
        if (row.Supplier == CoreSupplier) lstCore->addItem(Text(row.Name));
    lstSupplier->setCurrentIndex(lstSupplier->findText(Text(CoreSupplier)));
    lstCore->setCurrentIndex(lstCore->findText(Text(CurrentMaterial.Name)));
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
    if (fmTransfo* transfo = platform::Forms::FindLoaded<fmTransfo>()) transfo->Form_Load();
    accept();
}
