#pragma once
// What the editors ask of the main window, which implements this interface and installs itself.
// Without one installed the design alone follows, so an editor also works with no main window:
// a recomputation is ComputeDesign, no output editor opens, OutputWork is stored as it is, the
// transformer window's add button follows, and the engine chooses the regulation.

#include <cstdint>

class QWidget;

class EditorServices {
public:
    // Recomputes the design and refreshes every window that shows it.
    virtual void UpdateInstance();
    // The output editor for output `index` over `parent`, as the main window opens it; true when
    // the user confirmed.
    virtual bool EditOutputPara(int16_t index, QWidget* parent);
    // OutputWork becomes output `index`.
    virtual void UpdateOutput(int16_t index);
    // Every add-output button follows `enabled`.
    virtual void EnableAddOutput(bool enabled);
    // The regulation is chosen again, as the regulation list's own handler does it; recomputes.
    virtual void RegulationType_Click();

protected:
    ~EditorServices() = default;
};

// The installed services; the design-alone ones when none is.
EditorServices& Services();
// Installs `services`; null brings back the design-alone ones. An installer that goes away
// takes itself out with WithdrawEditorServices.
void InstallEditorServices(EditorServices* services);
void WithdrawEditorServices(const EditorServices* services);

// The transformer window's add-output button, when that window is loaded.
void EnableTransformerAddOutput(bool enabled);
