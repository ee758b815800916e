// How the main window opens the editors: the input and chip editors through their calls, the
// output editor on OutputWork. None of them recomputes; the caller does.

#include <QLabel>

#include "DesignCommands.h"
#include "EditorCalls.h"
#include "MainPage.h"
#include "ShowWindows.h"
#include "Variables.h"

using namespace zorvic;

namespace {

// Marks an editor open for as long as its call runs: a warning raised while it is open (the
// computation lets events through, an editor's Apply recomputes) never opens it a second time.
class EditorOpen {
public:
    explicit EditorOpen(bool& open) : open_(open) { open_ = true; }
    ~EditorOpen() { open_ = false; }
    EditorOpen(const EditorOpen&) = delete;
    EditorOpen& operator=(const EditorOpen&) = delete;

private:
    bool& open_;
};

}  // namespace

bool MainPage::EditInputPara() {
    if (inputEditorOpen_) return false;
    const EditorOpen open(inputEditorOpen_);
    return ::EditInputPara(this);
}

bool MainPage::EditZorvicPara() {
    if (chipEditorOpen_) return false;
    const EditorOpen open(chipEditorOpen_);
    return ::EditZorvicPara(this);
}

bool MainPage::EditOutputPara(int16_t index, QWidget* parent) {
    if (outputEditorOpen_ || index < 0 || index >= OutputCount) return false;
    const EditorOpen open(outputEditorOpen_);
    LoadOutputWork(index);
    const bool result = ShowOutputEditor(index, parent ? parent : this);
    if (result) UpdateOutput(index);
    return result;
}

void MainPage::UpdateOutput(int16_t index) {
    if (index < 0 || index >= OutputCount) return;
    StoreOutputWork(index);
    ShowSerialToolTip(index);
}

void MainPage::ShowSerialToolTip(int16_t index) {
    const auto k = static_cast<std::size_t>(index);
    if (const auto tip = SerialElementToolTip(index, Outputs[k].OutputType))
        lblSerial[k]->setToolTip(QString::fromStdString(*tip));
}
