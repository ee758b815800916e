#include "QtDesignHost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>

#include "EditorCalls.h"
#include "MainPage.h"
#include "MessageBox.h"
#include "Placement.h"
#include "SvgPicture.h"
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

// The warning has shown its message; the editor opens modal over the main window, through the
// main window's call, which never opens an editor that is open already.
void QtDesignHost::EditInputPara() {
    if (MainPageExists())
        TheMainPage().EditInputPara();
    else
        ::EditInputPara();
}

void QtDesignHost::EditZorvicPara() {
    if (MainPageExists())
        TheMainPage().EditZorvicPara();
    else
        ::EditZorvicPara();
}

bool QtDesignHost::ChipEditorIsActive() { return ::ChipEditorIsActive(); }

void QtDesignHost::CloseChipEditor() { ::CloseChipEditor(); }

void QtDesignHost::DesignFileChanged() {
    if (!MainPageExists()) return;
    TheMainPage().setWindowTitle(MainPage::CaptionPrefix + QString::fromStdString(zorvic::Settings.DesignFileName));
}

void QtDesignHost::ShowProjectName(const std::string& name) {
    if (MainPageExists()) TheMainPage().txtProject->setText(QString::fromStdString(name));
}

void QtDesignHost::ShowPowerWarning(bool visible) {
    if (MainPageExists()) TheMainPage().picWarning->setVisible(visible);
}

void QtDesignHost::SetOutputLabelTags(int output, const std::string& serialTag, const std::string& zenerTag) {
    if (!MainPageExists() || output < 0 || output > 5) return;
    MainPage& page = TheMainPage();
    const auto k = static_cast<std::size_t>(output);
    SetLabelTag(page.lblSerial[k], QString::fromStdString(serialTag));
    SetLabelTag(page.lblZener[k], QString::fromStdString(zenerTag));
}

bool QtDesignHost::OutputBlockShown(int output) {
    if (!MainPageExists() || output < 1 || output > 5) return DesignHost::OutputBlockShown(output);
    // The block's own visibility, whether or not the window is on the screen.
    const SvgPicture* block = TheMainPage().Output[static_cast<std::size_t>(output)];
    return block->isVisibleTo(block->parentWidget());
}

void QtDesignHost::ShowOutputBlock(int output, bool visible) {
    if (MainPageExists()) TheMainPage().ShowOutputBlock(output, visible);
}
