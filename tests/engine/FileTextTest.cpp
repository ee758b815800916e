// Number and text items of the files: written in invariant form, read in any invariant form.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <sstream>

#include "FileText.h"
#include "TestLocale.h"

using namespace zorvic;

class FileTextTest : public LocaleTest {};

TEST_P(FileTextTest, WritesFloatsWithTheShortestDigitsThatReadBack) {
    const std::pair<float, const char*> cases[] = {
        {0.0f, "0"},          {-0.0f, "0"},           {1.0f, "1"},
        {-0.5f, "-.5"},       {0.03f, ".03"},         {5.45f, "5.45"},
        {1e-5f, "1E-05"},     {1.5e-4f, ".00015"},    {100000.0f, "100000"},
        {123456789.0f, "123456790"}, {1.5e15f, "1.5E+15"}, {FLT_MAX, "3.4028235E+38"},
        {1e-40f, "1E-40"},    {std::numeric_limits<float>::quiet_NaN(), "0"},
        {std::numeric_limits<float>::infinity(), "0"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(NumberItem(value), text);
        float back = 7;
        ASSERT_TRUE(ParseNumberItem(NumberItem(value), back)) << text;
        if (std::isfinite(value)) {
            EXPECT_EQ(back, value) << text;
        }
    }
}

TEST_P(FileTextTest, ReadsEveryInvariantDecimalForm) {
    const std::pair<const char*, double> cases[] = {
        {"1.", 1},  {".5", 0.5},      {"-.5", -0.5},   {"+5", 5},      {"1e5", 1e5},
        {"1E+05", 1e5}, {" 7 ", 7},   {"\t-2.25E-3", -2.25e-3},        {"0003", 3},
    };
    for (const auto& [text, expected] : cases) {
        double value = 0;
        ASSERT_TRUE(ParseNumberItem(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST_P(FileTextTest, RefusesAnythingElseAsANumber) {
    for (const char* text : {"", " ", ".", "-", "e5", "1e", "1e+", "0x10", "1,5", "1 2", "--1", "inf", "nan",
                             "1e400", "#TRUE#", "\"5\"", "5V"}) {
        double value = 0;
        EXPECT_FALSE(ParseNumberItem(text, value)) << text;
    }
    float single = 0;
    EXPECT_FALSE(ParseNumberItem("1e39", single));
    EXPECT_TRUE(ParseNumberItem("1e-50", single));  // underflows to zero, as it was written
    EXPECT_EQ(single, 0.0f);
}

TEST_P(FileTextTest, WholeNumbersRoundHalfToEvenWithinTheirType) {
    int16_t value = 0;
    EXPECT_TRUE(ParseNumberItem("32767", value));
    EXPECT_EQ(value, 32767);
    EXPECT_FALSE(ParseNumberItem("32767.5", value));  // 32768
    EXPECT_TRUE(ParseNumberItem("-32768.5", value));  // -32768
    EXPECT_EQ(value, -32768);
    EXPECT_TRUE(ParseNumberItem("2.5", value));
    EXPECT_EQ(value, 2);
    int32_t wide = 0;
    EXPECT_TRUE(ParseNumberItem("2147483647", wide));
    EXPECT_FALSE(ParseNumberItem("2147483648", wide));
}

TEST_P(FileTextTest, TextsAndFlags) {
    EXPECT_EQ(TextItem("a \"b\"\r\nc"), "\"a 'b'  c\"");
    std::string text;
    ASSERT_TRUE(ParseTextItem(" \"x, y\" ", text));
    EXPECT_EQ(text, "x, y");
    ASSERT_TRUE(ParseTextItem("  bare words ", text));
    EXPECT_EQ(text, "bare words");
    EXPECT_FALSE(ParseTextItem("\"open", text));
    EXPECT_FALSE(ParseTextItem("\"a\"b", text));
    bool flag = false;
    EXPECT_TRUE(ParseFlagItem("#TRUE#", flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(ParseFlagItem(" #FALSE# ", flag));
    EXPECT_FALSE(flag);
    EXPECT_FALSE(ParseFlagItem("#True#", flag));
    EXPECT_FALSE(ParseFlagItem("0", flag));
}

// Older files written on Windows hold their texts in Windows-1252; UTF-8 stays as it is.
TEST_P(FileTextTest, TextsThatAreNotUtf8AreReadAsWindows1252) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"Caf\xC3\xA9\"", "Caf\xC3\xA9"},                      // UTF-8 already
        {"\"\xE2\x82\xAC 5 \xF0\x9F\x94\x8C\"", "\xE2\x82\xAC 5 \xF0\x9F\x94\x8C"},
        {"\"Caf\xE9\"", "Caf\xC3\xA9"},                           // e acute
        {"Caf\xE9 bare", "Caf\xC3\xA9 bare"},                      // without quotes too
        {"\"\x80 \x9F \xFF\"", "\xE2\x82\xAC \xC5\xB8 \xC3\xBF"},    // euro, Y diaeresis, y diaeresis
        {"\"\x81\x8D\"", "\xC2\x81\xC2\x8D"},                    // the unassigned bytes
        {"\"\xC3\x28\"", "\xC3\x83("},                            // a lead byte without its tail
        {"\"\xC0\xAF\"", "\xC3\x80\xC2\xAF"},                    // an overlong slash
        {"\"\xED\xA0\x80\"", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},         // a surrogate
        {"\"\xF4\x90\x80\x80\"", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},  // past U+10FFFF
        {"\"\xE2\x82\"", "\xC3\xA2\xE2\x80\x9A"},                // cut short
    };
    for (const auto& [line, expected] : cases) {
        std::string text;
        ASSERT_TRUE(ParseTextItem(line, text)) << line;
        EXPECT_EQ(text, expected) << line;
    }
}

TEST_P(FileTextTest, LineReaderSplitsEveryLineEndAndDropsTrailingBlankLines) {
    std::istringstream in("a\r\nb\nc\r\r\nd\n\n\n");
    LineReader reader(in);
    std::vector<std::string> lines;
    std::string line;
    while (reader.Next(line)) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "", "d"}));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.LineTooLong());
}

TEST_P(FileTextTest, LineReaderStopsAtAnOverlongLine) {
    std::istringstream in(std::string(MaxFileLineLength, 'x') + "\n" + std::string(MaxFileLineLength + 1, 'y'));
    LineReader reader(in);
    std::string line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.size(), MaxFileLineLength);
    EXPECT_FALSE(reader.Next(line));
    EXPECT_TRUE(reader.LineTooLong());
}

INSTANTIATE_TEST_SUITE_P(Locales, FileTextTest, ::testing::Values('.', ','), LocaleName);
