// The about box states the program's own version: major, a point, then minor and revision.

#include <gtest/gtest.h>

#include <QLabel>

#include "fmAboutSoft.h"

TEST(AboutBoxTest, VersionLineComesFromTheProgramVersion) {
    // "2.2.1" reads 2.21: only the first point is written.
    QString version = QStringLiteral(ZORVIC_PROJECT_VERSION);
    version.remove(version.lastIndexOf(QLatin1Char('.')), 1);
    fmAboutSoft box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About Zorvic Software"));
    EXPECT_EQ(box.lblZorvic->text(),
              QStringLiteral("Zorvic Switch Mode Power Supply Design Software : Version %1 support@zorvic.com").arg(version));
}
