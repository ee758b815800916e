#pragma once
// A main window shown at a usual size, with its commands ready to click: the file dialogs and
// message boxes answered by the test, and no stand-in for the output editor unless a test sets
// one.

#include <QAbstractButton>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <vector>

#include "FileDialog.h"
#include "MainPageFixture.h"
#include "ShowWindows.h"

class CommandFixture : public MainPageFixture {
protected:
    void SetUp() override {
        MainPageFixture::SetUp();
        platform::FileDialogScript::Clear();
        ShowAt(1600, 1000);
        platform::MessageScript::Clear();
    }
    void TearDown() override {
        SetOutputEditorStandIn(nullptr);
        platform::FileDialogScript::Clear();
        platform::MessageScript::Clear();
        MainPageFixture::TearDown();
    }

    static void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
    // The message boxes shown, as "title: text".
    static std::vector<QString> Messages() {
        std::vector<QString> shown;
        for (const platform::ShownMessage& m : platform::MessageScript::Shown()) shown.push_back(m.title + ": " + m.text);
        return shown;
    }
    static QString Corpus(const char* file) { return QStringLiteral(ZORVIC_PROJECT_CORPUS "/") + QLatin1String(file); }
    QString Caption(const QString& name) const { return MainPage::CaptionPrefix + name; }

    QTemporaryDir dir;
};
