#include "MessageBox.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>
#include <deque>

#include "Forms.h"
#include "Twips.h"

namespace platform {

namespace {

bool scripted = false;
std::deque<int> answers;
std::vector<ShownMessage> shown;

// Room a title bar takes besides its text: the window icon and three buttons, as wide as
// Windows draws them (46 pixels each at 96 dpi).
constexpr double TitleBarElementsTwips = 4 * 46 * TwipsPerInch / 96;

int DefaultAnswer(Buttons buttons) { return buttons == Buttons::OK ? AnswerOK : AnswerCancel; }

// The window a box belongs to: the caller's window when it is shown, else the modal window in
// front, the active window, or the window loaded last that is shown (the splash during
// start-up, before the main window appears).
QWidget* Owner(QWidget* parent) {
    if (parent && parent->window()->isVisible()) return parent->window();
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    const std::vector<QWidget*> loaded = Forms::Loaded();
    for (auto form = loaded.rbegin(); form != loaded.rend(); ++form)
        if ((*form)->isWindow() && (*form)->isVisible()) return *form;
    return nullptr;
}

// A message box centred over the window it belongs to, and wide enough for its whole title.
class OwnedMessageBox : public QMessageBox {
public:
    OwnedMessageBox(const QString& title, const QString& text, StandardButtons buttons, QWidget* owner)
        : QMessageBox(NoIcon, title, text, buttons, owner) {
        // A path or an address in a message can be copied from it.
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        // The box sizes itself to its text and buttons; a spacer across its grid keeps it at
        // least as wide as the title bar needs.
        if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
            QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
            titleFont.setBold(true);
            const int wanted =
                QFontMetrics(titleFont).horizontalAdvance(title) + TwipsToPixels(TitleBarElementsTwips);
            grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(),
                          0, 1, grid->columnCount());
        }
    }

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);  // takes its final size here
        QWidget* owner = parentWidget();
        if (!owner) return;
        const QRect area = owner->window()->frameGeometry();
        QRect placed(QPoint(0, 0), frameGeometry().size());
        placed.moveCenter(area.center());
        if (const QScreen* screen = owner->screen()) {
            const QRect desk = screen->availableGeometry();
            placed.moveRight(std::min(placed.right(), desk.right()));
            placed.moveBottom(std::min(placed.bottom(), desk.bottom()));
            placed.moveLeft(std::max(placed.left(), desk.left()));
            placed.moveTop(std::max(placed.top(), desk.top()));
        }
        move(placed.topLeft());
    }
};

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
    // Should its owner be destroyed while the box waits for the user, the box goes with it: it
    // is held by a guarded pointer, never on the stack.
    QPointer<QMessageBox> box = new OwnedMessageBox(title, text, standard, Owner(parent));
    const int chosen = box->exec();
    delete box.data();
    switch (chosen) {
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
