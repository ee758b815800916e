#include "DiodePanel.h"

#include <utility>

DiodePanel::DiodePanel(QWidget* parent) : QGroupBox(QStringLiteral("Output Diode"), parent) {
    setObjectName(QStringLiteral("fmDiode"));
}

void DiodePanel::RefreshDiodePanel(int16_t) {}

void DiodePanel::ClearDiodeList() {}

void DiodePanel::SetMarkClearedHandler(std::function<void()> handler) {
    markCleared_ = std::move(handler);
}
