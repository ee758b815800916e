#include "ShowWindows.h"

#include "EditorCalls.h"
#include "fmBOM.h"
#include "fmCurve.h"
#include "fmSummary.h"
#include "fmTransfo.h"

namespace {

std::function<bool(int16_t)>& OutputEditorStandIn() {
    static std::function<bool(int16_t)> editor;
    return editor;
}

}  // namespace

bool ShowOutputEditor(int16_t index, QWidget* parent) {
    if (OutputEditorStandIn()) return OutputEditorStandIn()(index);
    return ExecOutputEditor(index, parent);
}

void ShowTransformerWindow(QWidget* parent) { fmTransfo::ShowTransformer(parent); }

void ShowSummaryWindow(QWidget*) { fmSummary::ShowSummary(); }

void ShowCurveWindow(QWidget*) { fmCurve::ShowCurves(); }

void ShowBillOfMaterials(QWidget* parent) { fmBOM::ShowBOM(parent); }

void SetOutputEditorStandIn(std::function<bool(int16_t)> editor) { OutputEditorStandIn() = std::move(editor); }
