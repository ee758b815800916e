#include "MaterialPanel.h"

#include <QGridLayout>
#include <QLabel>

#include "NumberText.h"

using namespace zorvic;

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }
QString Formatted(double value, const char* pattern) { return Text(Format(value, pattern)); }

}  // namespace

MaterialLabels AddMaterialLabels(QGridLayout* grid, int row, int columns) {
    MaterialLabels l;
    QWidget* parent = grid->parentWidget();
    for (auto [label, name] : {std::pair{&l.lblType, "lblType"}, {&l.lblK, "lblK"}, {&l.lblK1, "lblK1"},
                               {&l.lblK2, "lblK2"}, {&l.lblua, "lblua"}, {&l.lblui, "lblui"},
                               {&l.lblHsat, "lblHsat"}, {&l.lblBsat, "lblBsat"}}) {
        *label = new QLabel(parent);
        (*label)->setObjectName(QString::fromLatin1(name));
        grid->addWidget(*label, row++, 0, 1, columns);
    }
    return l;
}

void ShowMaterial(const MaterialLabels& l, const CoreMaterial& m, MaterialStyle style) {
    const bool transformer = style == MaterialStyle::TransformerWindow;
    l.lblType->setText(transformer ? QStringLiteral("Type : ") + Text(m.Name) + QStringLiteral("\r\nSupplier : ") +
                                         Text(m.Supplier)
                                   : QStringLiteral("Type :") + Text(m.Name));
    l.lblK->setText(QStringLiteral("K : ") + Formatted(m.K, "scientific") +
                    (transformer ? QString() : QStringLiteral(" kW/m3")));
    // The table's constants are 32-bit values: shown by their shortest text, without the noise
    // of the binary value.
    const char* constant = transformer ? "0.0#######" : "0.########";
    l.lblK1->setText(QStringLiteral("K1 : ") + Text(FormatSingle(m.K1, constant)));
    l.lblK2->setText(QStringLiteral("K2 : ") + Text(FormatSingle(m.K2, constant)));
    l.lblua->setText(QStringLiteral("ui @ 25°C : ") + Formatted(m.Ui25, "####0"));
    l.lblui->setText(QStringLiteral("ui @ 100°C : ") + Formatted(m.Ui100, "#####0"));
    l.lblHsat->setText(QStringLiteral("Hsat : ") + Formatted(m.Hsat, "#####0") + QStringLiteral(" A/m"));
    l.lblBsat->setText(QStringLiteral("Bsat : ") + Text(FormatEng(m.Bsat, "T")));
}
