// Window tests run headless with a real application object, scripted message boxes, file dialogs
// and printer dialog. They keep their configuration in a folder of their own, so the user's is never read or
// written: the scroll control the build made is registered there for the windows that create it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "ControlRegistry.h"
#include "FileDialog.h"
#include "FreshDesign.h"
#include "MessageBox.h"
#include "Printing.h"
#include "QtDesignHost.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configuration;
    if (!configuration.isValid()) {
        std::fprintf(stderr, "ui_tests: no temporary folder for the configuration\n");
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", configuration.path().toUtf8());
    QApplication app(argc, argv);
    platform::ControlRegistry::SetLocation(configuration.filePath("controls.conf"));
    const platform::RegistryStatus registered = platform::ControlRegistry::Register(GLIDEBAR_LIBRARY);
    if (!registered.ok) {
        std::fprintf(stderr, "ui_tests: %s\n", qPrintable(registered.error));
        return 1;
    }
    platform::MessageScript::Enable();
    platform::FileDialogScript::Enable();
    platform::PrinterDialogScript::Enable();
    // The program's host, so engine messages reach the scripted message boxes.
    QtDesignHost host;
    ::testing::InitGoogleTest(&argc, argv);
    test_support::StartEveryTestOnAFreshDesign(&host);
    const int result = RUN_ALL_TESTS();
    zorvic::InstallHost(nullptr);
    return result;
}
