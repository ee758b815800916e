// Registers or unregisters a control library in the user's control registry:
//   zorvic_regctl register PATH
//   zorvic_regctl unregister PATH
//   zorvic_regctl list

#include <QCoreApplication>
#include <QString>
#include <cstdio>

#include "ControlRegistry.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: zorvic_regctl register|unregister LIBRARY\n       zorvic_regctl list\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 2 && arguments[1] == "list") {
        std::printf("%s\n", qPrintable(platform::ControlRegistry::Location()));
        for (const platform::RegistryEntry& entry : platform::ControlRegistry::Entries()) {
            std::printf("%s=%s\n", qPrintable(entry.classId), qPrintable(entry.libraryPath));
        }
        return 0;
    }
    if (arguments.size() != 3) return Usage();
    platform::RegistryStatus status;
    if (arguments[1] == "register") {
        status = platform::ControlRegistry::Register(arguments[2]);
    } else if (arguments[1] == "unregister") {
        status = platform::ControlRegistry::Unregister(arguments[2]);
    } else {
        return Usage();
    }
    if (!status.ok) {
        std::fprintf(stderr, "zorvic_regctl: %s\n", qPrintable(status.error));
        return 1;
    }
    std::printf("%s %s in %s\n", arguments[1] == "register" ? "Registered" : "Unregistered", qPrintable(arguments[2]),
                qPrintable(platform::ControlRegistry::Location()));
    return 0;
}
