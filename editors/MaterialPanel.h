#pragma once
// The ferrite grade's constants, shown alike by the transformer window and the core material
// window (which differ only in the type caption, the unit after K and the K1/K2 pattern).

#include "Components.h"

class QGridLayout;
class QLabel;

struct MaterialLabels {
    QLabel* lblType = nullptr;
    QLabel* lblK = nullptr;
    QLabel* lblK1 = nullptr;
    QLabel* lblK2 = nullptr;
    QLabel* lblua = nullptr;
    QLabel* lblui = nullptr;
    QLabel* lblHsat = nullptr;
    QLabel* lblBsat = nullptr;
};

enum class MaterialStyle { TransformerWindow, MaterialWindow };

// The eight labels, one a row from `row` on, spanning `columns`.
MaterialLabels AddMaterialLabels(QGridLayout* grid, int row, int columns);
void ShowMaterial(const MaterialLabels& labels, const zorvic::CoreMaterial& m, MaterialStyle style);
