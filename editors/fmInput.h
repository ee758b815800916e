#pragma once
// The input editor: an AC mains range with its line frequency and bulk-capacitor ripple, or a
// DC input range, with presets. It edits its public fields; the caller copies them in and, after
// Done, back into the design. Only the AC/DC choice reaches the design at once.

#include <QDialog>

#include "InputEdit.h"

class NumericBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class Slider;
}

class fmInput : public QDialog, public zorvic::InputFields {
    Q_OBJECT

public:
    explicit fmInput(QWidget* parent = nullptr);

    // True when the dialog was closed with Done.
    bool Done = false;

    // Shows the frame of the design's input kind and every value; the caller runs it after
    // setting the fields.
    void Form_Load();

    QPushButton* cmdACInput = nullptr;
    QPushButton* cmdDCInput = nullptr;
    QPushButton* cmdDone = nullptr;
    QPushButton* cmdCancel = nullptr;
    QGroupBox* fmACRange = nullptr;
    QGroupBox* fmFreq = nullptr;
    QGroupBox* fmRip = nullptr;
    QGroupBox* fmDCRange = nullptr;
    QRadioButton* opt50Hz = nullptr;
    QRadioButton* opt60Hz = nullptr;
    QRadioButton* optFullRange = nullptr;
    QRadioButton* optEurStd = nullptr;
    QRadioButton* optUSstd = nullptr;
    QRadioButton* OptTelecomStd = nullptr;
    QLineEdit* txtMaxVoltage = nullptr;
    QLineEdit* txtMinVoltage = nullptr;
    QLineEdit* txtRipVoltage = nullptr;
    QLineEdit* txtMinDCVoltage = nullptr;
    QLineEdit* txtMaxDCVoltage = nullptr;
    platform::Slider* sldMaxVoltage = nullptr;
    platform::Slider* sldMinVoltage = nullptr;
    platform::Slider* sldRipVoltage = nullptr;
    platform::Slider* sldMinDCVoltage = nullptr;
    platform::Slider* sldMaxDCVoltage = nullptr;
    QLabel* lblInRipple = nullptr;

private:
    void BuildAcRange();
    void BuildDcRange();
    void AttachBoxes();
    void RefreshControls();

    void cmdACInput_Click();
    void cmdDCInput_Click();
    void cmdDone_Click();
    void cmdCancel_Click();
    void ChooseAcPreset(zorvic::AcPreset preset);
    void ChooseFrequency(int16_t frequency);
    void OptTelecomStd_Click();

    void sldMaxVoltage_Moved(int position);
    void sldMinVoltage_Moved(int position);
    void sldRipVoltage_Moved(int position);
    void sldMaxDCVoltage_Moved(int position);
    void sldMinDCVoltage_Moved(int position);

    // The steps after a range box was left: the end that was typed stays, the other follows.
    void MaxVoltageLeft();
    void MinVoltageLeft();
    void MaxDCVoltageLeft();
    void MinDCVoltageLeft();
};
