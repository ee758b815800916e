#include "MessageBox.h"

#include <QMessageBox>
#include <deque>

namespace platform {

namespace {

bool scripted = false;
std::deque<int> answers;
std::vector<ShownMessage> shown;

int DefaultAnswer(Buttons buttons) { return buttons == Buttons::OK ? AnswerOK : AnswerCancel; }

}  // namespace

int ShowMessage(const QString& text, Buttons buttons, const QString& title, QWidget* parent) {
    shown.push_back({text, buttons, title});
    if (scripted) {
        if (answers.empty()) return DefaultAnswer(buttons);
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QMessageBox::StandardButtons standard;
    switch (buttons) {
    case Buttons::OK: standard = QMessageBox::Ok; break;
    case Buttons::OKCancel: standard = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: standard = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, standard, parent);
    switch (box.exec()) {
    case QMessageBox::Ok: return AnswerOK;
    case QMessageBox::Yes: return AnswerYes;
    case QMessageBox::No: return AnswerNo;
    case QMessageBox::Cancel: return AnswerCancel;
    default: return DefaultAnswer(buttons);  // closed with the window's close button
    }
}

namespace MessageScript {
void Enable() { scripted = true; }
void Disable() {
    scripted = false;
    answers.clear();
}
bool Enabled() { return scripted; }
void PushAnswer(int answer) { answers.push_back(answer); }
const std::vector<ShownMessage>& Shown() { return shown; }
void Clear() {
    shown.clear();
    answers.clear();
}
}  // namespace MessageScript

}  // namespace platform
