#pragma once
// How the main window, the transformer window and the engine's over-voltage warnings open the
// input and the chip editor: copy the design into the editor's public fields, show it modal,
// and copy the fields back only when it was closed with Done. Neither call recomputes; the
// caller runs UpdateInstance.

#include <cstdint>
#include <functional>

class QWidget;
class fmInput;
class fmZorvic;

// Fills the editor from the design and shows its values, without showing the editor itself
// (a snapshot renders it so).
void LoadInputEditor(fmInput& editor);
void LoadChipEditor(fmZorvic& editor);

// Returns the editor's Done. After Done the input values go back into the design and the bus
// voltages follow the input kind; InputEditedLast is set either way.
bool EditInputPara(QWidget* parent = nullptr);
// Returns the editor's Done. After Done the chip and its operating values go back into the
// design with the chip picture index; InputEditedLast is cleared either way.
bool EditZorvicPara(QWidget* parent = nullptr);

// Whether the chip editor is the active (topmost modal) window, and closing it as if cancelled:
// the input over-voltage warning closes it before it opens the input editor.
bool ChipEditorIsActive();
void CloseChipEditor();

// The output editor for output `index`, as the main window opens it; true when confirmed.
// Without a hook no editor opens and the answer is false.
void SetEditOutputHook(std::function<bool(int16_t index)> hook);
bool EditOutputPara(int16_t index);

// The main window's UpdateInstance, which the chip editor's Apply runs. Without a hook Apply
// recomputes the design alone.
void SetUpdateInstanceHook(std::function<void()> hook);
void RunUpdateInstance();
