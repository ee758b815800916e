// The Documentation, About and Help menus: a document missing beside the program is reported,
// the training item turns over and tells the window, and the Zener label's messages.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>

#include "DocumentMenus.h"
#include "MessageBox.h"

namespace {

class DocumentMenusTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::MessageScript::Clear();
        DocumentMenus::AddMenus(&bar, [this](bool on) { training.push_back(on); }, nullptr);
    }
    QAction* Item(const char* name) { return bar.findChild<QAction*>(QString::fromLatin1(name)); }

    QMenuBar bar;
    std::vector<bool> training;
};

struct ZenerCase {
    const char* tag;
    int trainingMode;
    const char* message;  // nullptr: nothing shown
};

class ZenerLabelTest : public ::testing::TestWithParam<ZenerCase> {};

}  // namespace

TEST_F(DocumentMenusTest, MissingDatasheetIsReportedWithItsPath) {
    QAction* item = Item("mnuDocDatasheetZorvicF1");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("ZorvicF1"));
    item->trigger();
    ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_EQ(platform::MessageScript::Shown()[0].text,
              QStringLiteral("Missing File : ") + DocumentMenus::DocumentPath(QStringLiteral("ZorvicF1.pdf")));
    EXPECT_EQ(platform::MessageScript::Shown()[0].title, QStringLiteral("File Error"));
}

TEST_F(DocumentMenusTest, TrainingItemTurnsOverAndTellsTheWindow) {
    QAction* item = Item("mnuHelpTraining");
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(training, (std::vector<bool>{true, false}));
    Item("mnuAboutTechno")->trigger();  // has no action
    EXPECT_TRUE(platform::MessageScript::Shown().empty());
}

TEST_P(ZenerLabelTest, MessageFollowsTheWarningThenTheTrainingMode) {
    platform::MessageScript::Clear();
    DocumentMenus::ZenerLabelClick(QString::fromLatin1(GetParam().tag), GetParam().trainingMode);
    const auto& shown = platform::MessageScript::Shown();
    if (!GetParam().message) {
        EXPECT_TRUE(shown.empty());
        return;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QString::fromLatin1(GetParam().message));
    EXPECT_EQ(shown[0].title, QStringLiteral("Limiting Zener Diode"));
}

INSTANTIATE_TEST_SUITE_P(
    Labels, ZenerLabelTest,
    ::testing::Values(
        ZenerCase{"Warning", 0, " Dissipation Over 400mW "}, ZenerCase{"Warning", 1, " Dissipation Over 400mW "},
        ZenerCase{"", 1, "This Diode is sinking the excess of current in order to maintain the nominal output voltage"},
        ZenerCase{"", 0, nullptr}));
