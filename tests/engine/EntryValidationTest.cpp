// Numeric text boxes: range check, leave-the-box validation with the mA/A switch, key filter,
// and the document opener's report of a missing file.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "EntryValidation.h"
#include "RecordingHost.h"
#include "TestLocale.h"
#include "Variables.h"

using namespace zorvic;

namespace {

class FakeBox : public EntryBox {
public:
    explicit FakeBox(std::string text) : text_(std::move(text)) {}
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    void SetFocus() override { ++focusCalls; }
    int focusCalls = 0;

private:
    std::string text_;
};

class EntryTest : public LocaleTest {
protected:
    void SetUp() override {
        LocaleTest::SetUp();
        ApplyDesignDefaults();  // the tables read under the locale
        InstallHost(&host);
    }
    void TearDown() override {
        InstallHost(nullptr);
        LocaleTest::TearDown();
    }
    RecordingHost host;
};

}  // namespace

TEST_P(EntryTest, RangeCheckReportsTheBoundItBroke) {
    FakeBox above("300");
    EXPECT_FALSE(CheckRange(above, 85, 264, " V", "##0"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "300 V > 264 V");
    EXPECT_EQ(host.messages[0].title, "Range Error");
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::OK);

    FakeBox below(Local("0.5"));
    EXPECT_FALSE(CheckRange(below, 1, 10, " %", "#0.0"));
    EXPECT_EQ(host.messages.back().text, Local("0.5 % < 1.0 %"));

    FakeBox onMinimum("85"), onMaximum("264");
    EXPECT_TRUE(CheckRange(onMinimum, 85, 264, " V", "##0"));
    EXPECT_TRUE(CheckRange(onMaximum, 85, 264, " V", "##0"));
    FakeBox empty("");
    EXPECT_FALSE(CheckRange(empty, 85, 264, " V", "##0"));
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST_P(EntryTest, MilliampsAboveTwoHundredSwitchToAmpsAndAmpsBelowTwoTenthsToMilliamps) {
    const struct { const char* typed; const char* unit; const char* format; float value; const char* newUnit;
                   const char* shown; } cases[] = {{"250", "mA", "##0", 0.25f, "A", "0.25"},
                                                   {"150", "mA", "##0", 0.15f, "mA", "150"},
                                                   {"0.15", "A", "##0.00", 0.15f, "mA", "150"},
                                                   {"2", "A", "##0.00", 2.0f, "A", "2.00"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " " + c.unit);
        FakeBox box(Local(c.typed));
        std::string unit = c.unit;
        float value = 0;
        ValidateEntry(box, 0.001f, 10, unit, value, c.format);
        EXPECT_FLOAT_EQ(value, c.value);
        EXPECT_EQ(unit, c.newUnit);
        EXPECT_EQ(box.Text(), Local(c.shown));
    }
}

TEST_P(EntryTest, RefusedEntryRestoresThePreviousValueAndFocus) {
    FakeBox box("abc");
    std::string unit = " V";
    float value = 88;
    ValidateEntry(box, 85, 264, unit, value, "##0");
    EXPECT_FLOAT_EQ(value, 88.0f);
    EXPECT_EQ(box.Text(), "88");
    EXPECT_EQ(box.focusCalls, 1);
    EXPECT_TRUE(host.messages.empty());  // no message for a text that is no number

    FakeBox empty("");
    ValidateEntry(empty, 85, 264, unit, value, "##0");
    EXPECT_EQ(empty.Text(), "88");
    EXPECT_TRUE(host.messages.empty());

    FakeBox outside("300");
    ValidateEntry(outside, 85, 264, unit, value, "##0");
    EXPECT_EQ(outside.Text(), "88");
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_P(EntryTest, MilliampBoxRestoresInMilliamps) {
    // The box shows mA: restoring the ampere value would make the next leave store 0.05 mA.
    FakeBox box("99999");
    std::string unit = "mA";
    float value = 0.05f;
    ValidateEntry(box, 0.001f, 10, unit, value, "##0");
    EXPECT_EQ(box.Text(), "50");
    EXPECT_FLOAT_EQ(value, 0.05f);
    ValidateEntry(box, 0.001f, 10, unit, value, "##0");
    EXPECT_FLOAT_EQ(value, 0.05f);
}

TEST_P(EntryTest, KeyFilterPassesDigitsBackspaceAndTheSeparator) {
    Settings.DecimalSeparator = std::string(1, GetParam());
    Settings.DecimalPointIsDot = GetParam() == '.';
    for (int16_t key : std::initializer_list<int16_t>{'0', '5', '9', 8}) {
        int16_t k = key;
        FilterNumericKey(k);
        EXPECT_EQ(k, key);
    }
    for (int16_t key : std::initializer_list<int16_t>{'-', 'a', ' ', 'E', '+', 13}) {
        int16_t k = key;
        FilterNumericKey(k);
        EXPECT_EQ(k, 0) << key;
    }
    int16_t point = '.';
    FilterNumericKey(point);
    EXPECT_EQ(point, GetParam());
    int16_t separator = GetParam();
    FilterNumericKey(separator);
    EXPECT_EQ(separator, GetParam());
    // A box whose range reaches below zero takes the minus sign, and nothing else besides.
    int16_t minus = '-';
    FilterNumericKey(minus, true);
    EXPECT_EQ(minus, '-');
    int16_t plus = '+';
    FilterNumericKey(plus, true);
    EXPECT_EQ(plus, 0);
}

INSTANTIATE_TEST_SUITE_P(Separators, EntryTest, ::testing::Values('.', ','), LocaleName);

TEST(OpenDocumentTest, ReportsAMissingFileAndWhatNothingCouldOpen) {
    RecordingHost host;
    InstallHost(&host);
    // The shell's answer, what was opened and what the user is told ("" for nothing); a mail
    // address is told alone, ready to be copied.
    const std::tuple<int, std::string, std::string> cases[] = {
        {2, "/opt/ZorvicF1.pdf", "Missing File : /opt/ZorvicF1.pdf"}, {42, "https://www.zorvic.com", ""},
        {31, "https://www.zorvic.com", "Cannot Open : https://www.zorvic.com"},
        {31, "mailto:support@zorvic.com", "Cannot Open : support@zorvic.com"}};
    for (const auto& [answer, opened, told] : cases) {
        host.messages.clear();
        host.shellAnswer = answer;
        OpenDocument(opened);
        EXPECT_EQ(host.messages.empty() ? std::string() : host.messages[0].title + ": " + host.messages[0].text,
                  told.empty() ? told : "File Error: " + told);
    }
    InstallHost(nullptr);
}
