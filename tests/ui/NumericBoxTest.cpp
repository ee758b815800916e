// A numeric box typed into for real: the key filter, leaving the box, the mA/A switch, and
// leaving for Cancel.

#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "MessageBox.h"
#include "NumberText.h"
#include "NumericBox.h"
#include "Variables.h"

using namespace zorvic;

namespace {

class NumericBoxTest : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override {
        SetLocaleDecimalSeparator(GetParam());
        ApplyDesignDefaults();  // under the locale
        platform::MessageScript::Clear();
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        edit = new QLineEdit(window.get());
        other = new QLineEdit(window.get());
        cancel = new QPushButton("Cancel", window.get());
        layout->addWidget(edit);
        layout->addWidget(other);
        layout->addWidget(cancel);
        window->show();
        QApplication::setActiveWindow(window.get());
    }
    void TearDown() override { SetLocaleDecimalSeparator('.'); }

    // What the user types replaces the box's text.
    void Type(const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    void Leave(QWidget* to) {
        to->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    std::unique_ptr<QWidget> window;
    QLineEdit* edit = nullptr;
    QLineEdit* other = nullptr;
    QPushButton* cancel = nullptr;
};

}  // namespace

TEST_P(NumericBoxTest, TypedKeysAreFilteredAndTheValueStoredOnLeaving) {
    float value = 88;
    NumericBox box(edit, 85, 264, " V", "##0", &value, cancel);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, "-1a0.5");
    EXPECT_EQ(edit->text(), QString("10") + QChar(GetParam()) + "5");
    Type("120");
    Leave(other);
    EXPECT_FLOAT_EQ(value, 120.0f);
    EXPECT_EQ(edit->text(), "120");
}

// "." and "," both type the decimal point, in either locale; a text still no number is refused.
TEST_P(NumericBoxTest, APointOrACommaIsTheDecimalPoint) {
    const struct { const char* keys; float value; const char* shown; } cases[] = {
        {"5,5", 5.5f, "5.5"}, {"5.5", 5.5f, "5.5"}, {"0,25", 0.25f, "0.3"}, {"1,2,3", 88, "88.0"}};
    for (const auto& c : cases) {
        float value = 88;
        NumericBox box(edit, 0, 100, " V", "#0.0", &value, cancel);
        Type(c.keys);
        Leave(other);
        EXPECT_FLOAT_EQ(value, c.value) << c.keys;
        EXPECT_EQ(edit->text(), QString(c.shown).replace('.', QChar(GetParam()))) << c.keys;
    }
    EXPECT_TRUE(platform::MessageScript::Shown().empty());
}

TEST_P(NumericBoxTest, OutOfRangeShowsRangeErrorAndRestores) {
    float value = 88;
    NumericBox box(edit, 85, 264, " V", "##0", &value, cancel);
    Type("300");
    Leave(other);
    EXPECT_FLOAT_EQ(value, 88.0f);
    EXPECT_EQ(edit->text(), "88");
    ASSERT_FALSE(platform::MessageScript::Shown().empty());
    EXPECT_EQ(platform::MessageScript::Shown().back().title, "Range Error");
    EXPECT_EQ(platform::MessageScript::Shown().back().text, "300 V > 264 V");
}

TEST_P(NumericBoxTest, LeavingForCancelSkipsTheCheck) {
    float value = 88;
    NumericBox box(edit, 85, 264, " V", "##0", &value, cancel);
    Type("300");
    Leave(cancel);
    EXPECT_FLOAT_EQ(value, 88.0f);
    EXPECT_EQ(edit->text(), "300");
    EXPECT_TRUE(platform::MessageScript::Shown().empty());
}

TEST_P(NumericBoxTest, SwitchingWindowsIsNotLeavingTheBox) {
    float value = 88;
    NumericBox box(edit, 85, 264, " V", "##0", &value, cancel);
    Type("300");
    // What a message box or another window does to the box while the user is still in it.
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QApplication::sendEvent(edit, &away);
    }
    EXPECT_EQ(edit->text(), "300");
    EXPECT_FLOAT_EQ(value, 88.0f);
    EXPECT_TRUE(platform::MessageScript::Shown().empty());
    Leave(other);
    EXPECT_EQ(edit->text(), "88");
    EXPECT_EQ(platform::MessageScript::Shown().size(), 1u);
}

// 0.0123 read in percent and back would move by one bit: a refused entry stores nothing.
TEST_P(NumericBoxTest, AScaledBoxStoresTheEntryConvertedAndARefusalNothing) {
    float value = 0.0123f;
    NumericBox box(edit, 0.5f, 10, " %", "#0.0 ", &value, cancel, {.factor = 100});
    Type("30");
    Leave(other);
    EXPECT_EQ(value, 0.0123f);
    EXPECT_EQ(edit->text(), QString("1") + QChar(GetParam()) + "2 ");
    Type("2.5");
    Leave(other);
    EXPECT_EQ(value, 2.5f / 100);
}

TEST_P(NumericBoxTest, MilliampBoxSwitchesToAmps) {
    float value = 0.1f;
    NumericBox box(edit, 0.001f, 10, "mA", "##0", &value, cancel);
    Type("250");
    Leave(other);
    EXPECT_FLOAT_EQ(value, 0.25f);
    EXPECT_EQ(box.Unit(), "A");
    EXPECT_EQ(edit->text(), QString("0") + QChar(GetParam()) + "25");
}

TEST_P(NumericBoxTest, PassingThroughAnUntouchedBoxStoresNothing) {
    // The box shows the value rounded; storing that text would change the value.
    float value = 1.2345f;
    NumericBox box(edit, 0, 10, " mH", "0.0", &value, cancel);
    edit->setText(QString::fromStdString(Format(value, "0.0")));
    edit->setFocus();
    Leave(other);
    EXPECT_FLOAT_EQ(value, 1.2345f);
    EXPECT_TRUE(platform::MessageScript::Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Separators, NumericBoxTest, ::testing::Values('.', ','),
                         [](const ::testing::TestParamInfo<char>& info) {
                             return std::string(info.param == '.' ? "Point" : "Comma");
                         });
