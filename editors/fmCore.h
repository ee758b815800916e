#pragma once
// The core material window: a supplier, then one of its ferrite grades. Every pick becomes the
// design's working grade at once and fixes it; OK refills the transformer window.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class fmCore : public QDialog {
    Q_OBJECT

public:
    explicit fmCore(QWidget* parent = nullptr);

    void ShowCoreMaterial();

    QComboBox* lstSupplier = nullptr;
    QComboBox* lstCore = nullptr;
    QLabel* lblType = nullptr;
    QLabel* lblK = nullptr;
    QLabel* lblK1 = nullptr;
    QLabel* lblK2 = nullptr;
    QLabel* lblua = nullptr;
    QLabel* lblui = nullptr;
    QLabel* lblHsat = nullptr;
    QLabel* lblBsat = nullptr;
    QPushButton* cmdOk = nullptr;

private:
    void lstSupplier_Click(int entry);
    void lstCore_Click(int entry);
    void cmdOk_Click();
};
