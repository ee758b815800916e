// Window tests run headless with a real application object and scripted message boxes.

#include <gtest/gtest.h>

#include <QApplication>

#include "MessageBox.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::MessageScript::Enable();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
