#pragma once
// The core material window: a supplier, then one of its ferrite grades. Every pick becomes the
// design's working grade at once and fixes it; OK refills the transformer window.

#include <QDialog>

#include "MaterialPanel.h"

class QComboBox;
class QPushButton;

class fmCore : public QDialog {
    Q_OBJECT

public:
    explicit fmCore(QWidget* parent = nullptr);

    void ShowCoreMaterial();

    QComboBox* lstSupplier = nullptr;
    QComboBox* lstCore = nullptr;
    MaterialLabels material;
    QPushButton* cmdOk = nullptr;

private:
    void lstSupplier_Click(int entry);
    void lstCore_Click(int entry);
    void cmdOk_Click();
};
