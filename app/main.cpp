// The design program: the splash window first, then the main window with the default design or
// the project named on the command line.

#include <QApplication>
#include <QLocale>
#include <QStringList>

#include "MainPage.h"
#include "NumberText.h"
#include "QtDesignHost.h"
#include "fmSplash.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvic"));

    const QString separator = QLocale::system().decimalPoint();
    zorvic::SetLocaleDecimalSeparator(separator.isEmpty() ? '.' : separator.at(0).toLatin1());

    QtDesignHost host;
    zorvic::InstallHost(&host);

    QStringList words = QApplication::arguments();
    words.removeFirst();
    SetMainPageCommandLine(words.join(QLatin1Char(' ')));

    fmSplash::Instance().show();
    const int result = QApplication::exec();
    zorvic::InstallHost(nullptr);
    return result;
}
