#pragma once
// The command controls of the main window as its design holds them: the tool row above the
// schematic (the design file buttons, the regulation list and the command buttons) and the File
// menu, with their names, captions and tooltips. MainPage connects them to its handlers.

#include <QString>

class QAction;
class QComboBox;
class QMainWindow;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;

struct MainPageCommandBar {
    QToolBar* tbCommands = nullptr;
    QToolButton* cmdFileNew = nullptr;
    QToolButton* cmdOpenFile = nullptr;
    QToolButton* cmdFileSave = nullptr;
    QComboBox* RegulationType = nullptr;
    QPushButton* cmdOutputCreate = nullptr;
    QPushButton* cmdSnubber = nullptr;
    QPushButton* cmdSummary = nullptr;
    QPushButton* cmdCurve = nullptr;
    QPushButton* cmdBOM = nullptr;

    QMenu* mnu = nullptr;  // "File"
    QAction* mnuNew = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuClose = nullptr;
    QAction* mnuPrintSetup = nullptr;
    QAction* mnuPrint = nullptr;

    // The entries of RegulationType.
    static constexpr int SecondaryEntry = 0;
    static constexpr int PrimaryEntry = 1;

    // Creates the tool row above the window's central area and the menu bar.
    void BuildCommandBar(QMainWindow* window);
};
