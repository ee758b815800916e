#include "ProgramStart.h"

#include <QApplication>
#include <QLocale>

#include "MainPage.h"
#include "NumberText.h"
#include "QtDesignHost.h"
#include "fmSplash.h"

void StartProgram(const QStringList& words) {
    const QString separator = QLocale::system().decimalPoint();
    zorvic::SetLocaleDecimalSeparator(separator.isEmpty() ? '.' : separator.at(0).toLatin1());

    static QtDesignHost host;
    zorvic::InstallHost(&host);

    // Qt would end the program when the last "main" window closes, and counts neither the splash
    // nor a message box without a shown parent: closing a box shown before the main window
    // would end the run. The main window ends it instead.
    QApplication::setQuitOnLastWindowClosed(false);

    SetMainPageCommandLine(words.join(QLatin1Char(' ')));
    fmSplash::Instance().show();
}
