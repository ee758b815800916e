#include "SnapCommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTest>

#include "FileDialog.h"
#include "MainPage.h"
#include "MessageBox.h"

namespace {

bool Click(MainPage& page, const QString& name, std::string& error) {
    auto* button = page.findChild<QAbstractButton*>(name);
    if (!button) {
        error = "no button " + name.toStdString();
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    return true;
}

bool Pick(MainPage& page, const QString& argument, std::string& error) {
    const QString name = argument.section(QLatin1Char(':'), 0, 0);
    bool number = false;
    const int entry = argument.section(QLatin1Char(':'), 1).toInt(&number);
    auto* list = page.findChild<QComboBox*>(name);
    if (!list || !number || entry < 0 || entry >= list->count()) {
        error = "no list entry " + argument.toStdString();
        return false;
    }
    list->setCurrentIndex(entry);
    emit list->activated(entry);
    QApplication::processEvents();
    return true;
}

bool Answer(const QString& answer, std::string& error) {
    if (answer == QLatin1String("yes")) platform::MessageScript::PushAnswer(platform::AnswerYes);
    else if (answer == QLatin1String("no")) platform::MessageScript::PushAnswer(platform::AnswerNo);
    else if (answer == QLatin1String("cancel")) platform::MessageScript::PushAnswer(platform::AnswerCancel);
    else if (answer == QLatin1String("ok")) platform::MessageScript::PushAnswer(platform::AnswerOK);
    else {
        error = "no answer " + answer.toStdString();
        return false;
    }
    return true;
}

}  // namespace

bool RunCommands(MainPage& page, const std::vector<std::string>& commands, std::string& error) {
    platform::FileDialogScript::Enable();
    for (const std::string& command : commands) {
        const QString text = QString::fromStdString(command);
        const QString verb = text.section(QLatin1Char('='), 0, 0);
        const QString argument = text.section(QLatin1Char('='), 1);
        bool done = false;
        if (verb == QLatin1String("open") || verb == QLatin1String("save")) {
            platform::FileDialogScript::PushPath(argument);
            done = Click(page, verb == QLatin1String("open") ? QStringLiteral("cmdOpenFile") : QStringLiteral("cmdFileSave"),
                         error);
        } else if (verb == QLatin1String("click")) {
            done = Click(page, argument, error);
        } else if (verb == QLatin1String("pick")) {
            done = Pick(page, argument, error);
        } else if (verb == QLatin1String("answer")) {
            done = Answer(argument, error);
        } else {
            error = "no command " + command;
        }
        if (!done) return false;
    }
    return true;
}
