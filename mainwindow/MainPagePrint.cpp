// File > Print of the main window: the schematic laid out for paper and printed as it shows, and
// what a click on an output's Zener label explains.

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QToolBar>
#include <algorithm>

#include "DocumentMenus.h"
#include "MainPage.h"
#include "Placement.h"
#include "SvgPicture.h"
#include "Variables.h"
#include "WindowPrint.h"

using namespace zorvic;

namespace {

constexpr double ScreenBackground = 15461355;  // &HEBEBEB
constexpr double PaperBackground = 16777215;   // &HFFFFFF

}  // namespace

void MainPage::mnuPrint_Click() {
    (void)PrintDesign();
    // However the print ended, the user gets the screen layout back, without a message.
    RestoreScreenLayout();
}

bool MainPage::PrintDesign() {
    return WindowPrint::PrintWindow(
        picSchematic, WindowPrint::Page::Design, QStringLiteral("The window"), QStringLiteral("Print"),
        [this] { PreparePrintLayout(); }, [this] { RestoreScreenLayout(); });
}

void MainPage::PreparePrintLayout() {
    lblTitle->setText(WindowPrint::PrintTitle(QString::fromStdString(Settings.DesignFileName),
                                              QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)));
    for (QWidget* bar : {lblLeftBar, lblRightBar, lblBottomBar}) bar->show();
    LogoWasVisible = !TWlogo->isHidden();
    TWlogo->hide();
    for (QWidget* edit : {static_cast<QWidget*>(cmdTransformer), static_cast<QWidget*>(cmdInputEdit),
                          static_cast<QWidget*>(cmdZorvic), static_cast<QWidget*>(tbCommands)})
        edit->hide();
    const int last = LastActiveOutput();
    for (int i = 0; i <= last; ++i) cmdOutputEdit[static_cast<std::size_t>(i)]->hide();
    Settings.BackgroundColor = PaperBackground;
    SetBackgroundColor();
}

void MainPage::RestoreScreenLayout() {
    Settings.BackgroundColor = ScreenBackground;
    SetBackgroundColor();
    TWlogo->setVisible(LogoWasVisible);
    // The title line belongs to the paper: on the screen it would keep a file name the design
    // may no longer have after Save As or Open.
    lblTitle->clear();
    for (QWidget* bar : {lblLeftBar, lblRightBar, lblBottomBar}) bar->hide();
    // The schematic's buttons come back where its drawing shows them: a schematic drawn too
    // small for them keeps them hidden.
    const bool buttons = drawing_.Zoom > Settings.ButtonZoomMin;
    for (QPushButton* edit : {cmdTransformer, cmdInputEdit, cmdZorvic}) edit->setVisible(buttons);
    tbCommands->show();
    const int last = LastActiveOutput();
    for (int i = 0; i <= last; ++i) cmdOutputEdit[static_cast<std::size_t>(i)]->setVisible(buttons);
}

void MainPage::lblZener_Click(int index) {
    DocumentMenus::ZenerLabelClick(LabelTag(lblZener[static_cast<std::size_t>(index)]), Settings.TrainingMode, this);
}
