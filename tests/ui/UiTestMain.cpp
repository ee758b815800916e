// Window tests run headless with a real application object, scripted message boxes and file
// dialogs.

#include <gtest/gtest.h>

#include <QApplication>

#include "FileDialog.h"
#include "MessageBox.h"
#include "QtDesignHost.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::MessageScript::Enable();
    platform::FileDialogScript::Enable();
    // The program's host, so engine messages reach the scripted message boxes.
    QtDesignHost host;
    zorvic::InstallHost(&host);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    zorvic::InstallHost(nullptr);
    return result;
}
