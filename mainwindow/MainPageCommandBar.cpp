#include "MainPageCommandBar.h"

#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {

// A design file button: a picture with its tooltip. It takes no focus, so a click on it leaves
// the box the user is typing in as it is.
QToolButton* NewFileButton(QToolBar* bar, const QString& name, QStyle::StandardPixmap picture, const QString& toolTip) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setIcon(QApplication::style()->standardIcon(picture));
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(button);
    return button;
}

QPushButton* NewCommandButton(QToolBar* bar, const QString& name, const QString& caption, const QString& toolTip) {
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::TabFocus);
    bar->addWidget(button);
    return button;
}

QAction* NewMenuItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

}  // namespace

void MainPageCommandBar::BuildCommandBar(QMainWindow* window) {
    tbCommands = new QToolBar(window);
    tbCommands->setObjectName(QStringLiteral("tbCommands"));
    // The row stays where the design put it: above the schematic, whose drawing fits the area
    // below it.
    tbCommands->setMovable(false);
    tbCommands->setFloatable(false);
    tbCommands->toggleViewAction()->setVisible(false);
    window->addToolBar(Qt::TopToolBarArea, tbCommands);

    cmdFileNew = NewFileButton(tbCommands, QStringLiteral("cmdFileNew"), QStyle::SP_FileIcon, QStringLiteral("New Design"));
    cmdOpenFile = NewFileButton(tbCommands, QStringLiteral("cmdOpenFile"), QStyle::SP_DialogOpenButton,
                                QStringLiteral("Open Design"));
    cmdFileSave = NewFileButton(tbCommands, QStringLiteral("cmdFileSave"), QStyle::SP_DialogSaveButton,
                                QStringLiteral("Save Design"));
    tbCommands->addSeparator();

    RegulationType = new QComboBox(tbCommands);
    RegulationType->setObjectName(QStringLiteral("RegulationType"));
    RegulationType->addItem(QStringLiteral("Secondary Regulation"));
    RegulationType->addItem(QStringLiteral("Primary Regulation"));
    RegulationType->setCurrentIndex(PrimaryEntry);
    tbCommands->addWidget(RegulationType);
    tbCommands->addSeparator();

    cmdOutputCreate = NewCommandButton(tbCommands, QStringLiteral("cmdOutputCreate"), QStringLiteral("Add Output"),
                                       QStringLiteral("Add Output"));
    cmdSnubber = NewCommandButton(tbCommands, QStringLiteral("cmdSnubber"), QStringLiteral("Dravex Clamper"),
                                  QStringLiteral("RC orDravex Clamper"));
    cmdSummary = NewCommandButton(tbCommands, QStringLiteral("cmdSummary"), QStringLiteral("All Datas"),
                                  QStringLiteral("Summary of All Inputs Parameters"));
    cmdCurve = NewCommandButton(tbCommands, QStringLiteral("cmdCurve"), QStringLiteral("Waveform"),
                                QStringLiteral("Curves of Selected Parameters"));
    cmdBOM = NewCommandButton(tbCommands, QStringLiteral("cmdBOM"), QStringLiteral("BOM"), QStringLiteral("Bill Of Material"));

    mnu = window->menuBar()->addMenu(QStringLiteral("File"));
    mnu->setObjectName(QStringLiteral("mnu"));
    mnuNew = NewMenuItem(mnu, QStringLiteral("mnuNew"), QStringLiteral("New"));
    mnuOpen = NewMenuItem(mnu, QStringLiteral("mnuOpen"), QStringLiteral("Open"));
    mnu->addSeparator();
    mnuSave = NewMenuItem(mnu, QStringLiteral("mnuSave"), QStringLiteral("Save"));
    mnuClose = NewMenuItem(mnu, QStringLiteral("mnuClose"), QStringLiteral("Close"));
    mnu->addSeparator();
    mnuPrintSetup = NewMenuItem(mnu, QStringLiteral("mnuPrintSetup"), QStringLiteral("Printer Setup"));
    mnuPrint = NewMenuItem(mnu, QStringLiteral("mnuPrint"), QStringLiteral("Print"));
}
