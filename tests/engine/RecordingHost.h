#pragma once
// A host that records what the engine asked of the windows and answers from a script.

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Components.h"
#include "DesignHost.h"

struct RecordedMessage {
    std::string text;
    zorvic::MessageButtons buttons;
    std::string title;
};

class RecordingHost : public zorvic::DesignHost {
public:
    std::vector<RecordedMessage> messages;
    std::deque<zorvic::MessageAnswer> answers;
    std::vector<std::string> opened;
    int shellAnswer = 42;
    int doEventsCalls = 0;
    int designFileChanges = 0;
    std::vector<std::string> projectNames;
    std::vector<zorvic::CoreGeometry> coresAdded;
    // Which output blocks the schematic shows; unset answers as a host with no window.
    std::optional<std::array<bool, 6>> blocksShown;
    std::vector<std::pair<int, bool>> blockChanges;

    zorvic::MessageAnswer ShowMessage(const std::string& text, zorvic::MessageButtons buttons,
                                      const std::string& title) override {
        messages.push_back({text, buttons, title});
        if (answers.empty()) return zorvic::DesignHost::ShowMessage(text, buttons, title);
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    int ShellOpen(const std::string& fileName) override {
        opened.push_back(fileName);
        return shellAnswer;
    }

    void DoEvents() override { ++doEventsCalls; }

    void AddToCustomList(const zorvic::CoreGeometry& core) override { coresAdded.push_back(core); }
    void DesignFileChanged() override { ++designFileChanges; }
    void ShowProjectName(const std::string& name) override { projectNames.push_back(name); }
    bool OutputBlockShown(int output) override {
        if (!blocksShown) return zorvic::DesignHost::OutputBlockShown(output);
        return (*blocksShown)[static_cast<std::size_t>(output)];
    }
    void ShowOutputBlock(int output, bool visible) override { blockChanges.emplace_back(output, visible); }
};
