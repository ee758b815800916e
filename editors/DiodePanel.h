#pragma once
// The output diode panel of the output editor: the chosen diode's ratings, the suitable diodes,
// the user's own choice and the diode's operating figures. It computes nothing itself.

#include <QGroupBox>

#include <cstdint>
#include <functional>

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
    std::function<void()> markCleared_;
};
