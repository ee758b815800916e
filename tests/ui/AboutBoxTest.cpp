// The about box states the program's own version: major, a point, then minor and revision.

#include <gtest/gtest.h>

#include <QLabel>

#include "fmAboutSoft.h"

TEST(AboutBoxTest, VersionLineWritesOnlyTheFirstPoint) {
    fmAboutSoft box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Zorvic Software"));
    // Version 2.2.1.
    EXPECT_EQ(box.lblZorvic->text(),
              QStringLiteral("Zorvic Switch Mode Power Supply Design Software : Version 2.21 support@zorvic.com"));
}
