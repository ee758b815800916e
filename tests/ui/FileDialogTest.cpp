// The platform's file dialog: the program's "description|pattern" filters in Qt's form, and the
// real dialog answered by a user, with a cancel the caller tells apart.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "EditorDriving.h"
#include "FileDialog.h"

using namespace platform;

TEST(FileDialogTest, ProgramFiltersBecomeQtNameFilters) {
    struct Case {
        const char* program;
        QStringList qt;
    };
    for (const Case& c : {Case{"Zorvic design (*.zpj)|*.zpj|All Files (*.*)|*.*", {"Zorvic design (*.zpj)", "All Files (*)"}},
                          Case{"Core list|*.zcl;*.txt", {"Core list (*.zcl *.txt)"}},
                          Case{"Text (*.txt)|*.txt|Dangling", {"Text (*.txt)"}}, Case{"Nothing|", {}}, Case{"", {}}})
        EXPECT_EQ(NameFilters(QString::fromLatin1(c.program)), c.qt) << c.program;
}

TEST(FileDialogTest, RealDialogStartsOnTheNameAndTellsACancelApart) {
    QTemporaryDir dir;
    FileDialogScript::Disable();
    for (const bool accept : {true, false}) {
        QString seenName;
        driving::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            seenName = dialog->directory().filePath(name->text());
            if (!accept) return dialog->reject();
            name->selectAll();
            // Without extension: the filter's is added.
            QTest::keyClicks(name, "chosen");
            static_cast<QDialog*>(dialog)->accept();
        });
        const auto answer = ShowFileDialog(FileDialogKind::Save, "Zorvic design (*.zpj)|*.zpj", dir.filePath("start.zpj"));
        EXPECT_EQ(seenName, dir.filePath("start.zpj"));
        EXPECT_EQ(answer.value_or("(cancelled)"), accept ? dir.filePath("chosen.zpj") : "(cancelled)");
    }
    FileDialogScript::Enable();
}
