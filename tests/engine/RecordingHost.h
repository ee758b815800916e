#pragma once
// A host that records what the engine asked of the windows and answers from a script.

#include <deque>
#include <string>
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
};
