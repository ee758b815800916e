#pragma once
// How the main window, the transformer window and the engine's over-voltage warnings open the
// input and the chip editor: copy the design into the editor's public fields, show it modal,
// and copy the fields back only when it was closed with Done. Neither call recomputes; the
// caller runs UpdateInstance.

#include <cstdint>

class QWidget;
class fmInput;
class fmOutput;
class fmZorvic;

// Fills the editor from the design and shows its values, without showing the editor itself
// (a snapshot renders it so).
void LoadInputEditor(fmInput& editor);
void LoadChipEditor(fmZorvic& editor);
// The output editor on OutputWork for output `index`.
void LoadOutputEditor(fmOutput& editor, int16_t index);

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

// Shows the output editor modal on OutputWork for output `index` and returns its Result;
// OutputWork holds what the editor left in it.
bool ExecOutputEditor(int16_t index, QWidget* parent = nullptr);
