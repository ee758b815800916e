// The scroll control's tests run headless with a real application object. The control registry
// points at a temporary file for the whole run, so the user's registry is never read or written.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir registryFolder;
    qputenv("ZORVIC_CONTROL_REGISTRY", registryFolder.filePath("controls.conf").toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
