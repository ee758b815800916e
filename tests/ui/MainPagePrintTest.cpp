// File > Printer Setup and File > Print of the main window, and the Zener labels' explanations:
// what the user sees of the window before, during and after a print, where the page goes, and
// the messages of a click on a Zener label.

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QToolBar>

#include "Colours.h"
#include "CommandFixture.h"
#include "Printing.h"
#include "SvgPicture.h"

using namespace zorvic;

namespace {

constexpr uint32_t Screen = 0xEBEBEB;
constexpr uint32_t Paper = 0xFFFFFF;

class PrintFixture : public CommandFixture {
protected:
    void TearDown() override {
        platform::SetPrintFolder(QString());
        platform::PrinterDialogScript::Clear();
        CommandFixture::TearDown();
    }
    void Menu(const char* name) {
        QAction* item = page->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        item->trigger();
        QApplication::processEvents();
    }
    // The schematic drawn at about `zoom`, as the window's width gives it.
    void ShowAtZoom(float zoom) {
        const SchematicLayout& layout = page->Layout();
        ShowDrawingAt(platform::TwipsToPixels(zoom * layout.SchematicWidth),
                      platform::TwipsToPixels(zoom * layout.SchematicHeight + 500) + 2);
    }
    std::vector<QWidget*> EditButtons() const {
        return {page->cmdTransformer, page->cmdInputEdit, page->cmdZorvic, page->cmdOutputEdit[0]};
    }
    std::vector<QWidget*> Frame() const { return {page->lblLeftBar, page->lblRightBar, page->lblBottomBar}; }
    static bool AllShown(const std::vector<QWidget*>& widgets, bool shown) {
        return std::all_of(widgets.begin(), widgets.end(), [shown](QWidget* w) { return w->isVisible() == shown; });
    }
    static QString Title() {
        return QStringLiteral("   Default.zpj    Date : ") +
               QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    }
    // The screen layout after a print: grey, no frame, the tool row and the buttons the drawing
    // shows, the logo as before; the title keeps the print's text.
    void ExpectScreenLayout(bool buttons, bool logo) {
        EXPECT_EQ(platform::BackColor(page->picSchematic), Screen);
        EXPECT_EQ(platform::BackColor(page->InputFilter), Screen);
        EXPECT_TRUE(AllShown(Frame(), false));
        EXPECT_TRUE(page->tbCommands->isVisible());
        EXPECT_TRUE(AllShown(EditButtons(), buttons));
        EXPECT_EQ(page->TWlogo->isVisible(), logo);
        EXPECT_EQ(page->lblTitle->text(), Title());
    }
};

struct LayoutCase {
    const char* what;
    float zoom;
    bool logo;     // the logo stands in for the panels
    bool buttons;  // the drawing shows the schematic's buttons
};

class PrintLayoutTest : public PrintFixture, public ::testing::WithParamInterface<LayoutCase> {};

struct PrintCase {
    const char* what;
    bool writable;
};

class PrintCommandTest : public PrintFixture, public ::testing::WithParamInterface<PrintCase> {};

struct SetupCase {
    const char* what;
    bool cancel;  // the second Printer Setup is cancelled
};

class PrinterSetupTest : public PrintFixture, public ::testing::WithParamInterface<SetupCase> {};

}  // namespace

TEST_P(PrintLayoutTest, PaperLayoutThenTheScreenLayoutAgain) {
    ShowAtZoom(GetParam().zoom);
    ASSERT_EQ(page->TWlogo->isVisible(), GetParam().logo);
    ASSERT_TRUE(AllShown(EditButtons(), GetParam().buttons));
    ASSERT_TRUE(AllShown(Frame(), false));

    page->PreparePrintLayout();
    EXPECT_EQ(page->lblTitle->text(), Title());
    EXPECT_TRUE(AllShown(Frame(), true));
    EXPECT_FALSE(page->TWlogo->isVisible());
    EXPECT_FALSE(page->tbCommands->isVisible());
    EXPECT_TRUE(AllShown(EditButtons(), false));
    EXPECT_EQ(platform::BackColor(page->picSchematic), Paper);
    EXPECT_EQ(platform::BackColor(page->ZorvicHost), Paper);

    page->RestoreScreenLayout();
    ExpectScreenLayout(GetParam().buttons, GetParam().logo);
}

INSTANTIATE_TEST_SUITE_P(Zooms, PrintLayoutTest,
                         ::testing::Values(LayoutCase{"Labels", 1.0f, false, true},
                                           LayoutCase{"LogoInsteadOfPanels", 0.6f, true, true},
                                           LayoutCase{"TooSmallForButtons", 0.35f, true, false}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_P(PrintCommandTest, ScreenLayoutComesBackWhetherThePagePrintedOrNot) {
    QTemporaryDir folder;
    const QString target = GetParam().writable ? folder.path() : folder.filePath(QStringLiteral("missing/deeper"));
    platform::SetPrintFolder(target);
    Menu("mnuPrint");
    ExpectScreenLayout(true, false);
    const QString pdf = QDir(target).filePath(QStringLiteral("Zorvic Design.pdf"));
    EXPECT_EQ(QFile::exists(pdf), GetParam().writable);
    // A failed print says nothing; a page in a file tells where it is.
    if (GetParam().writable)
        EXPECT_EQ(Messages(), (std::vector<QString>{QStringLiteral("Print: There is no printer: the window was saved as ") + pdf}));
    else
        EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Outcomes, PrintCommandTest,
                         ::testing::Values(PrintCase{"Printed", true}, PrintCase{"Failed", false}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_P(PrinterSetupTest, LaterPrintsUseTheLastPrinterChosen) {
    QTemporaryDir first;
    QTemporaryDir second;
    platform::PrinterDialogScript::PushPdfFolder(first.path());
    Menu("mnuPrintSetup");
    if (GetParam().cancel)
        platform::PrinterDialogScript::PushCancel();
    else
        platform::PrinterDialogScript::PushPdfFolder(second.path());
    const double background = Settings.BackgroundColor;
    Menu("mnuPrintSetup");
    EXPECT_EQ(platform::PrinterDialogScript::Shown(), 2);
    EXPECT_EQ(Settings.BackgroundColor, background);
    EXPECT_TRUE(page->tbCommands->isVisible());
    EXPECT_TRUE(Messages().empty());

    Menu("mnuPrint");
    const QString name = QStringLiteral("Zorvic Design.pdf");
    EXPECT_EQ(QFile::exists(QDir(first.path()).filePath(name)), GetParam().cancel);
    EXPECT_EQ(QFile::exists(QDir(second.path()).filePath(name)), !GetParam().cancel);
}

INSTANTIATE_TEST_SUITE_P(Choices, PrinterSetupTest,
                         ::testing::Values(SetupCase{"Chosen", false}, SetupCase{"Cancelled", true}),
                         [](const auto& info) { return std::string(info.param.what); });

namespace {

struct ZenerClickCase {
    const char* what;
    float current;  // of a 12 V Zener output: 0.2 A dissipates 2.4 W, 0.02 A 240 mW
    bool training;
    const char* message;  // nullptr: nothing shown
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
    QApplication::processEvents();
    platform::MessageScript::Clear();
    ASSERT_TRUE(page->lblZener[1]->isVisible());
    QTest::mouseClick(page->lblZener[1], Qt::LeftButton);
    if (GetParam().message)
        EXPECT_EQ(Messages(), (std::vector<QString>{QStringLiteral("Limiting Zener Diode: ") +
                                                    QString::fromLatin1(GetParam().message)}));
    else
        EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Labels, ZenerLabelClickTest,
    ::testing::Values(
        ZenerClickCase{"WarningOutsideTraining", 0.2f, false, " Dissipation Over 400mW "},
        ZenerClickCase{"QuietOutsideTraining", 0.02f, false, nullptr},
        ZenerClickCase{"ExplainedInTraining", 0.02f, true,
                       "This Diode is sinking the excess of current in order to maintain the nominal output voltage"}),
    [](const auto& info) { return std::string(info.param.what); });
