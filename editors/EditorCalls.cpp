#include "EditorCalls.h"

#include <QApplication>
#include <QPushButton>

#include "ComputeDesign.h"
#include "DesignCommands.h"
#include "Forms.h"
#include "OutputEdit.h"
#include "Variables.h"
#include "fmInput.h"
#include "fmOutput.h"
#include "fmZorvic.h"

using namespace zorvic;

namespace {

std::function<void()>& UpdateInstanceHook() {
    static std::function<void()> hook;
    return hook;
}

std::function<bool(int16_t, QWidget*)>& EditOutputHook() {
    static std::function<bool(int16_t, QWidget*)> hook;
    return hook;
}

MainWindowCalls& MainWindow() {
    static MainWindowCalls calls;
    return calls;
}

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
    QWidget* editor = platform::Forms::Find(QStringLiteral("fmZorvic"));
    return editor && editor->isVisible() && QApplication::activeModalWidget() == editor;
}

void CloseChipEditor() {
    if (auto* editor = qobject_cast<fmZorvic*>(platform::Forms::Find(QStringLiteral("fmZorvic")))) editor->reject();
}

void SetUpdateInstanceHook(std::function<void()> hook) { UpdateInstanceHook() = std::move(hook); }

void RunUpdateInstance() {
    if (UpdateInstanceHook())
        UpdateInstanceHook()();
    else
        ComputeDesign();
}

void SetEditOutputHook(std::function<bool(int16_t, QWidget*)> hook) { EditOutputHook() = std::move(hook); }

bool EditOutputPara(int16_t index, QWidget* parent) {
    return EditOutputHook() ? EditOutputHook()(index, parent) : false;
}

void SetMainWindowCalls(MainWindowCalls calls) { MainWindow() = std::move(calls); }

void RunUpdateOutput(int16_t index) {
    if (MainWindow().UpdateOutput)
        MainWindow().UpdateOutput(index);
    else
        StoreOutputWork(index);
}

void EnableAddOutputButtons(bool enabled) {
    if (MainWindow().EnableAddOutput) {
        MainWindow().EnableAddOutput(enabled);
        return;
    }
    if (QWidget* transformer = platform::Forms::Find(QStringLiteral("fmTransfo")))
        if (auto* add = transformer->findChild<QPushButton*>(QStringLiteral("cmdAddOutput"))) add->setEnabled(enabled);
}

void RunRegulationChoice() {
    if (MainWindow().RegulationType_Click) {
        MainWindow().RegulationType_Click();
        return;
    }
    ChooseSecondaryLoopAgain();
    RunUpdateInstance();
}
