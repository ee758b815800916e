#pragma once
// The output diode panel of the output editor: the chosen diode's ratings, the suitable diodes,
// the user's own choice and the diode's operating figures. It shows what the engine works out
// for OutputWork and computes nothing itself.

#include <QGroupBox>

#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;

class DiodePanel : public QGroupBox {
public:
    explicit DiodePanel(QWidget* parent = nullptr);
    // Redisplays the panel from OutputWork and the design; shows Settings.UserDefinedDiode(outputIndex)
    // in "User Defined" (no click handler runs).
    void RefreshDiodePanel(int16_t outputIndex);
    // Empties the suitable-diode list (the editor calls it when the voltage or current changes).
    void ClearDiodeList();
    // Run when the user clears "User Defined": the editor's RefreshControls.
    void SetMarkClearedHandler(std::function<void()> handler);

private:
    void lstDiode_Click(int entry);
    void chkDiodeUserDefine_Click(bool checked);

    QGroupBox* fm125deg = nullptr;
    QLabel* lblVf = nullptr;
    QLabel* lblIf = nullptr;
    QLabel* lblVr = nullptr;
    QLabel* lblIr = nullptr;
    QComboBox* lstDiode = nullptr;
    QCheckBox* chkDiodeUserDefine = nullptr;
    QLabel* lblRunAway = nullptr;
    QLabel* lblVrmax = nullptr;
    QLabel* lblVdrop = nullptr;
    QLabel* lblPloss = nullptr;

    // The output the panel last showed, which the user's picks and mark changes apply to.
    int16_t outputIndex_ = 0;
    std::function<void()> markCleared_;
};
