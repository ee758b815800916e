#pragma once
// The chip editor: the chip and its package with their ratings, the chip's operating point
// (reflected voltage, switching frequency, temperatures and thermal resistances, opto-coupler
// gain and soft start) and the split of the chip loss. It works on its public fields and on
// ChipWork; Apply writes them into the design at once and recomputes with the dialog open.

#include <QDialog>

#include "ChipEdit.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace platform {
class Slider;
}

class fmZorvic : public QDialog, public zorvic::ChipFields {
    Q_OBJECT

public:
    explicit fmZorvic(QWidget* parent = nullptr);

    // True when the dialog was closed with Done.
    bool Done = false;

    // Shows every value; the caller runs it after setting the fields and ChipWork.
    void Form_Load();

    QLabel* lblZorvicSelect = nullptr;
    QComboBox* lstZorvic = nullptr;
    QLabel* lblPackage = nullptr;
    QComboBox* lstPackage = nullptr;
    QLabel* lblVdmax = nullptr;
    QLabel* lblIdlim = nullptr;
    QLabel* lblRdson = nullptr;
    QGroupBox* fmZorvicFrame = nullptr;  // object name "fmZorvic", as the dialog's own
    QLineEdit* txtReflectVolt = nullptr;
    platform::Slider* sldReflectVoltage = nullptr;
    QLineEdit* txtReflectVoltActual = nullptr;
    QLabel* lblSwitch = nullptr;
    QLineEdit* txtSwitchFreq = nullptr;
    platform::Slider* sldSwitchFreq = nullptr;
    QLabel* lblMinFreq = nullptr;
    QLabel* lblMaxFreq = nullptr;
    QGroupBox* fmReg = nullptr;
    QLabel* lblSoftStart = nullptr;
    QLineEdit* txtSoftStart = nullptr;
    platform::Slider* sldSoftStart = nullptr;
    QLabel* lblInRipple = nullptr;
    QLineEdit* txtGainOpto = nullptr;
    platform::Slider* sldGainOpto = nullptr;
    QLineEdit* txtTemp_Amb = nullptr;
    QLineEdit* txtRtj_p = nullptr;
    QLineEdit* txtRtp_a = nullptr;
    QWidget* picZorvicLosses = nullptr;
    QWidget* picBiasLosses = nullptr;
    QWidget* picConductLosses = nullptr;
    QWidget* picSwitchLosses = nullptr;
    QLabel* lblZorvicLosses = nullptr;
    QLabel* lblBiasLosses = nullptr;
    QLabel* lblConductLosses = nullptr;
    QLabel* lblSwitchLosses = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* cmdDone = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildChoice(QWidget* parent);
    void BuildOperatingPoint();
    void BuildRegulation();
    void BuildLosses(QWidget* parent);
    void AttachBoxes();
    void RefreshControls();
    void RefreshChipList();
    void RefreshPackageList();
    void PlaceLossBars();

    void lstZorvic_Click(int entry);
    void lstPackage_Click(int position);
    void sldReflectVoltage_Moved(int position);
    void sldSwitchFreq_Moved(int position);
    void sldGainOpto_Moved(int position);
    void sldSoftStart_Moved(int position);
    void cmdApply_Click();
    void cmdDone_Click();
    void cmdCancel_Click();

    // Apply's computation lets window events through; a second Apply must not start inside it.
    bool applying_ = false;
};
