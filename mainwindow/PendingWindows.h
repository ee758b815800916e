#pragma once
// The windows the main window opens, one call each. The window not built yet (the output editor)
// shows a plain message naming it until its own work replaces
// that one call.

#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

// "<window> is not available yet.", titled "Zorvic".
void ShowNotAvailable(const QString& window, QWidget* parent);

// The output editor on OutputWork for output `index`; true when the user confirmed.
bool ShowOutputEditor(int16_t index, QWidget* parent);
void ShowTransformerWindow(QWidget* parent);
void ShowSummaryWindow(QWidget* parent);
void ShowCurveWindow(QWidget* parent);
void ShowBillOfMaterials(QWidget* parent);

// Window tests edit OutputWork here as the user would and answer whether the edit was confirmed,
// until the output editor exists. An empty function brings the message back.
void SetOutputEditorStandIn(std::function<bool(int16_t index)> editor);
