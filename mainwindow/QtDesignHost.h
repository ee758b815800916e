#pragma once
// The engine's door to the windows: message boxes, the shell, the event pump, the editors the
// over-voltage warnings open and the main window's marks, on Qt.

#include "DesignHost.h"

class QtDesignHost : public zorvic::DesignHost {
public:
    zorvic::MessageAnswer ShowMessage(const std::string& text, zorvic::MessageButtons buttons,
                                      const std::string& title) override;
    int ShellOpen(const std::string& fileName) override;
    void DoEvents() override;
    void EditInputPara() override;
    void EditZorvicPara() override;
    bool ChipEditorIsActive() override;
    void CloseChipEditor() override;
    void DesignFileChanged() override;
    void ShowProjectName(const std::string& name) override;
    void ShowPowerWarning(bool visible) override;
    void SetOutputLabelTags(int output, const std::string& serialTag, const std::string& zenerTag) override;
    bool OutputBlockShown(int output) override;
    void ShowOutputBlock(int output, bool visible) override;
};
