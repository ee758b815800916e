#include "EditorServices.h"

#include <QPushButton>

#include "ComputeDesign.h"
#include "DesignCommands.h"
#include "Forms.h"
#include "OutputEdit.h"
#include "fmTransfo.h"

using namespace zorvic;

namespace {

class DesignAlone final : public EditorServices {};

DesignAlone designAlone;
EditorServices* installed = &designAlone;

}  // namespace

void EditorServices::UpdateInstance() { ComputeDesign(); }

bool EditorServices::EditOutputPara(int16_t, QWidget*) { return false; }

void EditorServices::UpdateOutput(int16_t index) { StoreOutputWork(index); }

void EditorServices::EnableAddOutput(bool enabled) { EnableTransformerAddOutput(enabled); }

void EditorServices::RegulationType_Click() {
    ChooseSecondaryLoopAgain();
    Services().UpdateInstance();
}

EditorServices& Services() { return *installed; }

void InstallEditorServices(EditorServices* services) { installed = services ? services : &designAlone; }

void WithdrawEditorServices(const EditorServices* services) {
    if (installed == services) installed = &designAlone;
}

void EnableTransformerAddOutput(bool enabled) {
    if (fmTransfo* transformer = platform::Forms::FindLoaded<fmTransfo>()) transformer->cmdAddOutput->setEnabled(enabled);
}
