#include "QtDesignHost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLineEdit>

#include "MainPage.h"
#include "MessageBox.h"
#include "ShellOpen.h"
#include "Variables.h"

using zorvic::MessageAnswer;
using zorvic::MessageButtons;

MessageAnswer QtDesignHost::ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title) {
    platform::Buttons shown = platform::Buttons::OK;
    switch (buttons) {
    case MessageButtons::OK: shown = platform::Buttons::OK; break;
    case MessageButtons::OKCancel: shown = platform::Buttons::OKCancel; break;
    case MessageButtons::YesNo: shown = platform::Buttons::YesNo; break;
    case MessageButtons::YesNoCancel: shown = platform::Buttons::YesNoCancel; break;
    }
    const int answer =
        platform::ShowMessage(QString::fromStdString(text), shown, QString::fromStdString(title));
    return static_cast<MessageAnswer>(answer);
}

int QtDesignHost::ShellOpen(const std::string& fileName) { return platform::ShellOpenDocument(fileName); }

void QtDesignHost::DoEvents() {
    // Inside a computation only painting and timers go through: a click waits until the
    // computation has ended, so no handler runs in the middle of it.
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtDesignHost::DesignFileChanged() {
    if (!MainPageExists()) return;
    TheMainPage().setWindowTitle(MainPage::CaptionPrefix + QString::fromStdString(zorvic::Settings.DesignFileName));
}

void QtDesignHost::ShowProjectName(const std::string& name) {
    if (MainPageExists()) TheMainPage().txtProject->setText(QString::fromStdString(name));
}
