#pragma once
// Every message box of the program goes through ShowMessage, so that tests can script the
// answers and read what was shown.

#include <QString>
#include <vector>

class QWidget;

namespace platform {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };

// The answers, with the values the program's callers compare against.
enum Answer : int { AnswerOK = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

struct ShownMessage {
    QString text;
    Buttons buttons;
    QString title;
};

int ShowMessage(const QString& text, Buttons buttons, const QString& title, QWidget* parent = nullptr);

// Scripted mode: no box is shown; each call takes the next queued answer, or OK for an OK box
// and Cancel otherwise when the queue is empty. Every call is recorded.
namespace MessageScript {
void Enable();
void Disable();
bool Enabled();
void PushAnswer(int answer);
const std::vector<ShownMessage>& Shown();
void Clear();
}  // namespace MessageScript

}  // namespace platform
