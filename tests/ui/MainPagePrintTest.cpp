// File > Print and File > Printer Setup of the main window, and a click on a Zener label: what the
// user sees of the window on paper and after a print, where the page goes, and what is explained.

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QLocale>
#include <QPrintDialog>
#include <QPushButton>
#include <QToolBar>

#include "Colours.h"
#include "CommandFixture.h"
#include "EditorDriving.h"
#include "Printing.h"
#include "SvgPicture.h"

using namespace zorvic;

namespace {

enum class Folder { Present, Missing, Blocked };

struct PrintCase {
    const char* what;
    float zoom;
    bool logo;      // the logo stands in for the panels
    bool buttons;   // the drawing shows the schematic's buttons
    Folder folder;  // of the PDF file: there, to be made, or under a regular file
};

class PrintFixture : public CommandFixture {
protected:
    void TearDown() override {
        platform::SetPrintFolder(QString());
        platform::PrinterDialogScript::Clear();
        CommandFixture::TearDown();
    }
    void Menu(const char* name) {
        page->findChild<QAction*>(QString::fromLatin1(name))->trigger();
        QApplication::processEvents();
    }
    // What the user sees: a white background, the tool row, the logo, the frame, the edit buttons.
    std::vector<bool> Seen() const {
        std::vector<bool> seen{platform::BackColor(page->picSchematic) == 0xFFFFFF};
        for (QWidget* w : std::initializer_list<QWidget*>{
                 page->tbCommands, page->TWlogo, page->lblLeftBar, page->lblRightBar, page->lblBottomBar,
                 page->cmdTransformer, page->cmdInputEdit, page->cmdZorvic, page->cmdOutputEdit[0]})
            seen.push_back(w->isVisible());
        return seen;
    }
    static std::vector<bool> Screen(bool logo, bool buttons) {
        return {false, true, logo, false, false, false, buttons, buttons, buttons, buttons};
    }
    static QString Title() {
        return QStringLiteral("   Default.zpj    Date : ") +
               QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    }
};

class PrintTest : public PrintFixture, public ::testing::WithParamInterface<PrintCase> {};
// Whether the second Printer Setup chooses another folder or is cancelled.
class PrinterSetupTest : public PrintFixture, public ::testing::WithParamInterface<bool> {};

}  // namespace

TEST_P(PrintTest, PaperLayoutThenTheScreenLayoutAgainHoweverThePrintEnds) {
    const PrintCase& c = GetParam();
    ShowDrawingAt(platform::TwipsToPixels(c.zoom * page->Layout().SchematicWidth),
                  platform::TwipsToPixels(c.zoom * page->Layout().SchematicHeight + 500) + 2);
    ASSERT_EQ(Seen(), Screen(c.logo, c.buttons));

    page->PreparePrintLayout();
    EXPECT_EQ(Seen(), (std::vector<bool>{true, false, false, true, true, true, false, false, false, false}));
    EXPECT_EQ(page->lblTitle->text(), Title());
    page->RestoreScreenLayout();
    EXPECT_EQ(Seen(), Screen(c.logo, c.buttons));

    QTemporaryDir folder;
    QFile plain(folder.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    const char* const targets[] = {"", "missing/deeper", "plain/deeper"};
    const QString target = folder.filePath(QLatin1String(targets[static_cast<int>(c.folder)]));
    platform::SetPrintFolder(target);
    Menu("mnuPrint");
    EXPECT_EQ(Seen(), Screen(c.logo, c.buttons));
    EXPECT_EQ(page->lblTitle->text(), QString());  // the title line is the paper's only
    const QString pdf = QDir(target).filePath(QStringLiteral("Default - Design.pdf"));
    const bool written = c.folder != Folder::Blocked;
    EXPECT_EQ(QFile::exists(pdf), written);
    // The user learns where the page went, or where it could not go and why.
    const QString told = written ? QStringLiteral("Print: The window was printed to the file ") + pdf
                                 : QStringLiteral("Print: The window could not be printed to the file ") + pdf + " : ";
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].startsWith(told) && !Messages()[0].endsWith(QStringLiteral(": ")))
        << Messages()[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Zooms, PrintTest,
                         ::testing::Values(PrintCase{"Labels", 1.0f, false, true, Folder::Present},
                                           PrintCase{"LogoMissingFolder", 0.6f, true, true, Folder::Missing},
                                           PrintCase{"TooSmallForButtonsFailedPrint", 0.35f, true, false,
                                                     Folder::Blocked}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_P(PrinterSetupTest, LaterPrintsUseTheLastPrinterChosenAndACancelChangesNothing) {
    QTemporaryDir first;
    QTemporaryDir second;
    platform::PrinterDialogScript::PushPdfFolder(first.path());
    Menu("mnuPrintSetup");
    const bool chosen = GetParam();
    if (chosen) platform::PrinterDialogScript::PushPdfFolder(second.path());  // else a cancel
    Menu("mnuPrintSetup");
    EXPECT_EQ(platform::PrinterDialogScript::Shown(), 2);
    EXPECT_EQ(Seen(), Screen(false, true));
    EXPECT_TRUE(Messages().empty());
    Menu("mnuPrint");
    const QString name = QStringLiteral("Default - Design.pdf");
    EXPECT_EQ(QFile::exists(QDir(first.path()).filePath(name)), !chosen);
    EXPECT_EQ(QFile::exists(QDir(second.path()).filePath(name)), chosen);
}

INSTANTIATE_TEST_SUITE_P(Choices, PrinterSetupTest, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Chosen" : "Cancelled"); });

// A print never replaces a file, whichever design printed it.
TEST_F(PrintFixture, EachPrintTakesAFreeNameAfterItsDesign) {
    QTemporaryDir folder;
    platform::SetPrintFolder(folder.path());
    QFile kept(folder.filePath(QStringLiteral("Default - Design.pdf")));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly) && kept.write("kept") == 4);
    kept.close();
    Menu("mnuPrint");
    Settings.DesignFileName = "/elsewhere/Bench.zpj";
    Menu("mnuPrint");
    Menu("mnuPrint");
    QStringList told;
    for (const QString& m : Messages()) told << m.section(QStringLiteral(" the file "), 1);
    EXPECT_EQ(told, QStringList({folder.filePath(QStringLiteral("Default - Design (2).pdf")),
                                 folder.filePath(QStringLiteral("Bench - Design.pdf")),
                                 folder.filePath(QStringLiteral("Bench - Design (2).pdf"))}));
    for (const QString& path : told) EXPECT_TRUE(QFile::exists(path)) << path.toStdString();
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "kept");
}

// Printer Setup only chooses, as its button says; a file name typed there is the next print's.
TEST_F(PrintFixture, PrinterSetupKeepsTheFileNameTypedInIt) {
    QTemporaryDir folder;
    platform::SetPrintFolder(folder.path());
    const QString typed = folder.filePath(QStringLiteral("mine.pdf"));
    QString confirm = QStringLiteral("(no dialog)");
    platform::PrinterDialogScript::Disable();
    driving::WhenModal<QPrintDialog>([&](QPrintDialog* dialog) {
        confirm = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (name) name->setText(typed);
        dialog->accept();
    });
    Menu("mnuPrintSetup");
    platform::PrinterDialogScript::Enable();
    EXPECT_EQ(confirm, QStringLiteral("OK"));
    Menu("mnuPrint");
    Menu("mnuPrint");
    EXPECT_TRUE(QFile::exists(typed));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("Default - Design.pdf"))));
}

namespace {

struct ZenerClickCase {
    const char* what;
    float current;  // of a 12 V Zener output: 0.2 A dissipates 2.4 W, 0.02 A 240 mW
    bool training;
    const char* message;  // empty: nothing shown
};

class ZenerLabelClickTest : public CommandFixture, public ::testing::WithParamInterface<ZenerClickCase> {};

}  // namespace

TEST_P(ZenerLabelClickTest, ClickExplainsTheZener) {
    Settings.AdditionalOutputs = 1;
    Outputs[1].OutputType = 1;
    Outputs[1].Voltage = 12;
    Outputs[1].Current = GetParam().current;
    page->UpdateInstance();
    if (GetParam().training) page->findChild<QAction*>(QStringLiteral("mnuHelpTraining"))->trigger();
    platform::MessageScript::Clear();
    QTest::mouseClick(page->lblZener[1], Qt::LeftButton);
    std::vector<QString> expected;
    if (*GetParam().message)
        expected.push_back(QStringLiteral("Limiting Zener Diode: ") + QLatin1String(GetParam().message));
    EXPECT_EQ(Messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, ZenerLabelClickTest,
    ::testing::Values(ZenerClickCase{"WarningOutsideTraining", 0.2f, false, " Dissipation Over 400mW "},
                      ZenerClickCase{"QuietOutsideTraining", 0.02f, false, ""},
                      ZenerClickCase{"ExplainedInTraining", 0.02f, true,
                                     "This Diode is sinking the excess of current in order to maintain the nominal "
                                     "output voltage"}),
    [](const auto& info) { return std::string(info.param.what); });
