#pragma once
// Answers the real message boxes of a test as a user would: it waits for each box to show, notes
// what it showed and where, and clicks its first button (OK on an OK box).

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <vector>

class BoxAnswerer {
public:
    struct Seen {
        QString title;
        QRect frame;     // the box on the screen
        QRect context;   // what `context` gave when the box showed
    };

    // `context` names a window to measure alongside each box (empty rectangle when none).
    explicit BoxAnswerer(std::function<QRect()> context = {}) : context_(std::move(context)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
        timer_.start(10);
    }

    std::vector<Seen> seen;

private:
    void Answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        seen.push_back({box->windowTitle(), box->frameGeometry(), context_ ? context_() : QRect()});
        const QList<QAbstractButton*> buttons = box->buttons();
        if (buttons.isEmpty())
            box->reject();
        else
            buttons.front()->click();
    }

    std::function<QRect()> context_;
    QTimer timer_;
};
