#include "EditorCalls.h"

#include <QApplication>

#include "Forms.h"
#include "Variables.h"
#include "fmInput.h"
#include "fmOutput.h"
#include "fmZorvic.h"

using namespace zorvic;

namespace {

QWidget* Owner(QWidget* parent) { return parent ? parent : QApplication::activeWindow(); }

}  // namespace

void LoadInputEditor(fmInput& editor) {
    static_cast<InputFields&>(editor) = LoadInputFields();
    editor.Form_Load();
}

void LoadChipEditor(fmZorvic& editor) {
    static_cast<ChipFields&>(editor) = LoadChipFields();
    editor.Form_Load();
}

void LoadOutputEditor(fmOutput& editor, int16_t index) {
    editor.OutputIndex = index;
    editor.Form_Load();
}

bool ExecOutputEditor(int16_t index, QWidget* parent) {
    fmOutput editor(Owner(parent));
    LoadOutputEditor(editor, index);
    editor.exec();
    return editor.Result;
}

bool EditInputPara(QWidget* parent) {
    fmInput editor(Owner(parent));
    LoadInputEditor(editor);
    editor.exec();
    const bool done = editor.Done;
    if (done) StoreInputFields(editor);
    Settings.InputEditedLast = true;
    return done;
}

bool EditZorvicPara(QWidget* parent) {
    fmZorvic editor(Owner(parent));
    LoadChipEditor(editor);
    editor.exec();
    const bool done = editor.Done;
    if (done) StoreChipFields(editor);
    Settings.InputEditedLast = false;
    return done;
}

bool ChipEditorIsActive() {
    fmZorvic* editor = platform::Forms::FindLoaded<fmZorvic>();
    return editor && editor->isVisible() && QApplication::activeModalWidget() == editor;
}

void CloseChipEditor() {
    if (fmZorvic* editor = platform::Forms::FindLoaded<fmZorvic>()) editor->reject();
}
