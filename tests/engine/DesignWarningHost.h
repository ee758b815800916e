#pragma once
// A recording host for the design computation: it counts the power-warning updates, the label
// tags and the editor calls, and runs a scripted action when an editor is asked for.

#include <functional>
#include <string>
#include <vector>

#include "RecordingHost.h"

class DesignWarningHost : public RecordingHost {
public:
    struct Tags {
        int output;
        std::string serial;
        std::string zener;
    };

    std::vector<bool> powerWarnings;
    std::vector<Tags> tags;
    int inputEditorCalls = 0;
    int chipEditorCalls = 0;
    int chipEditorCloses = 0;
    bool chipEditorActive = false;
    // What the user does in the editor; nothing (a cancel) when empty.
    std::function<void()> onEditInput;
    std::function<void()> onEditChip;

    void EditInputPara() override {
        ++inputEditorCalls;
        if (onEditInput) onEditInput();
    }
    void EditZorvicPara() override {
        ++chipEditorCalls;
        if (onEditChip) onEditChip();
    }
    bool ChipEditorIsActive() override { return chipEditorActive; }
    void CloseChipEditor() override {
        ++chipEditorCloses;
        chipEditorActive = false;
    }
    void ShowPowerWarning(bool visible) override { powerWarnings.push_back(visible); }
    void SetOutputLabelTags(int output, const std::string& serialTag, const std::string& zenerTag) override {
        tags.push_back({output, serialTag, zenerTag});
    }
};
