// Printing a window lays it out for paper and always brings the screen layout back, also when
// the print cannot be made.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "MessageBox.h"
#include "Printing.h"
#include "Variables.h"
#include "WindowPrint.h"

namespace {

struct PrintCase {
    const char* what;
    bool writableFolder;
    bool printed;
};

class WindowPrintTest : public ::testing::TestWithParam<PrintCase> {};

}  // namespace

TEST_P(WindowPrintTest, ScreenLayoutComesBack) {
    platform::MessageScript::Clear();
    zorvic::Settings.DesignFileName = "Default.zpj";
    QTemporaryDir folder;
    QFile plain(folder.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    const QString target = GetParam().writableFolder ? folder.path() : folder.filePath(QStringLiteral("plain/deeper"));
    platform::SetPrintFolder(target);
    QLabel window(QStringLiteral("schematic"));
    window.resize(400, 300);
    std::vector<QString> steps;
    const bool printed = WindowPrint::PrintWindow(
        &window, WindowPrint::Page::Design, QStringLiteral("The window"), QStringLiteral("Print"),
        [&] { steps.push_back(QStringLiteral("prepare")); }, [&] { steps.push_back(QStringLiteral("restore")); });
    platform::SetPrintFolder(QString());
    EXPECT_EQ(printed, GetParam().printed);
    EXPECT_EQ(steps, (std::vector<QString>{QStringLiteral("prepare"), QStringLiteral("restore")}));
    EXPECT_EQ(QFile::exists(QDir(target).filePath(QStringLiteral("Default - Design.pdf"))), GetParam().printed);
    // Either way the user is told: where the file is, or why it could not be written.
    EXPECT_EQ(platform::MessageScript::Shown().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Prints, WindowPrintTest,
                         ::testing::Values(PrintCase{"Made", true, true}, PrintCase{"Failed", false, false}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(WindowPrintTitleTest, ThreeBlanksBeforeTheFileAndFourBeforeTheDate) {
    EXPECT_EQ(WindowPrint::PrintTitle(QStringLiteral("Default.zpj"), QStringLiteral("12/9/2026")),
              QStringLiteral("   Default.zpj    Date : 12/9/2026"));
}
