// The design program: the splash window first, then the main window with the default design or
// the project named on the command line.

#include <QApplication>

#include "DesignHost.h"
#include "ProgramStart.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvic"));

    QStringList words = QApplication::arguments();
    words.removeFirst();
    StartProgram(words);
    const int result = QApplication::exec();
    zorvic::InstallHost(nullptr);
    return result;
}
