#pragma once
// The output editor: one output's post-regulation, polarity, place in the secondary loop,
// voltage and currents, ripple targets and capacitor derating, with the computed figures and
// the rectifier diode panel. It edits OutputWork; Apply stores it in the design at once (and
// counts an output being added), OK hands it to the caller, Delete removes the output.

#include <QDialog>
#include <array>
#include <cstdint>

#include "OutputEdit.h"

class DiodePanel;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class fmOutput : public QDialog {
    Q_OBJECT

public:
    explicit fmOutput(QWidget* parent = nullptr);

    // True when the caller must still store OutputWork as output OutputIndex (OK was pressed).
    bool Result = false;
    // True from loading until the first successful Apply.
    bool Modified = false;
    // 0 = the main output, 1 to 5 the others; the one after the last active output is new.
    int16_t OutputIndex = 0;

    // Shows OutputWork; the caller runs it after setting OutputWork and OutputIndex.
    void Form_Load();
    // Cancel, Escape and the close box end here.
    void reject() override;

    QGroupBox* frOutputType = nullptr;
    QRadioButton* optZener = nullptr;
    QRadioButton* optVreg = nullptr;
    QRadioButton* optSelf = nullptr;
    QRadioButton* optDirect = nullptr;
    QGroupBox* frVregDropout = nullptr;
    std::array<QRadioButton*, 3> optDropout{};
    QGroupBox* frPolarity = nullptr;
    QRadioButton* optPositive = nullptr;
    QRadioButton* optNegative = nullptr;
    QCheckBox* chkRegulated = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* txtVoltage = nullptr;
    QLineEdit* txtActualVoltage = nullptr;
    QLineEdit* txtCurrent = nullptr;
    QLabel* lblAmp = nullptr;
    QLineEdit* txtCurrentMin = nullptr;
    QLabel* lblAmp2 = nullptr;
    QGroupBox* frRipple = nullptr;
    QLineEdit* txtRip1 = nullptr;
    QLabel* lblRip2 = nullptr;
    QLineEdit* txtRip2 = nullptr;
    QGroupBox* fmActual = nullptr;
    QLabel* lblRipV1 = nullptr;
    QLabel* lblRipV2 = nullptr;
    QGroupBox* fmCapacitor = nullptr;
    QLabel* lblIrated = nullptr;
    QLineEdit* txtIrated = nullptr;
    QGroupBox* fmCapa1 = nullptr;
    QLabel* lblESR1 = nullptr;
    QLabel* lblImax1 = nullptr;
    QGroupBox* fmCapa2 = nullptr;
    QLabel* lblESR2 = nullptr;
    QLabel* lblImax2 = nullptr;
    DiodePanel* fmDiodeSelect = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdOutputCancel = nullptr;

private:
    void BuildOutputType();
    void BuildPolarity();
    void BuildPower();
    void BuildRipple();
    void BuildCapacitor();
    void AttachBoxes();
    void Attach(QLineEdit* box, zorvic::OutputBox kind, float* value, QLabel* unitLabel = nullptr);

    void RefreshControls();
    void ReadControls();
    bool DeleteOutput(int16_t index);
    void EnableDropoutChoice(bool enabled);
    void EnableSecondCell(bool enabled);
    // chkRegulated enabled by the regulated rule, from the options as they are checked.
    void EnableRegulatedByRule();
    // After a voltage or current change: the diode is chosen anew and the output recomputed.
    void PowerChanged();
    // A Zener or post-regulated output is out of the secondary loop.
    void LeaveLoop();
    // ReadControls, then the reference check of Apply and OK; false (and said) when the
    // reference cannot regulate the outputs so.
    bool ReadAndCheckRegulation();

    void optZener_Click();
    void optVreg_Click();
    void optSelf_Click();
    void optDirect_Click();
    void optPositive_Click();
    void optNegative_Click();
    void chkRegulated_Click();
    void cmdApply_Click();
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdOutputCancel_Click();

    // Apply and Delete recompute and let window events through; no second command starts
    // inside them.
    bool busy_ = false;
    // The value of the box being checked, before the check.
    float valueBefore_ = 0;
    // The diode marks and unsaved flag a Cancel puts back.
    zorvic::OutputEditorMarks marksAtStart_;
    QLabel* lblRip2Unit_ = nullptr;
};
