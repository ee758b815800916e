#pragma once
// The windows the main window opens, one call each.

#include <cstdint>
#include <functional>

class QWidget;

// The output editor on OutputWork for output `index`; true when the user confirmed.
bool ShowOutputEditor(int16_t index, QWidget* parent);
void ShowTransformerWindow(QWidget* parent);
void ShowSummaryWindow(QWidget* parent);
void ShowCurveWindow(QWidget* parent);
void ShowBillOfMaterials(QWidget* parent);

// Window tests of the main window's own output commands edit OutputWork here in place of the
// editor and answer whether the edit was confirmed. An empty function brings the editor back.
void SetOutputEditorStandIn(std::function<bool(int16_t index)> editor);
