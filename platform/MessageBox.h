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

// A modal box, centred over the window it belongs to (`parent` when it is shown, else the window
// in front: the splash during start-up) and wide enough to show its whole title.
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
