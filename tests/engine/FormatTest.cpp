// Number texts and conversions: CInt, Str, Format, FormatEng, RoundToE12, typed numbers.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "NumberText.h"
#include "TestLocale.h"
#include "Variables.h"

using namespace zorvic;

class FormatTest : public ::testing::Test {
protected:
};

TEST_F(FormatTest, CIntRoundsHalvesToEvenAndNeverTraps) {
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(-3.5), -4);
    EXPECT_EQ(CInt(2.5000001), 3);
    EXPECT_EQ(CInt(std::nan("")), 0);
    EXPECT_EQ(CInt(1e9), 32767);
    EXPECT_EQ(CInt(-1e9), -32768);
    EXPECT_EQ(CLng(1e12), 2147483647);
    EXPECT_EQ(CLng(100000.5), 100000);
    EXPECT_EQ(Int(-0.5), -1);
    EXPECT_EQ(Int(2.999), 2);
}

TEST_F(FormatTest, StrPutsABlankBeforeNonNegativeNumbers) {
    EXPECT_EQ(Str(2), " 2");
    EXPECT_EQ(Str(-2), "-2");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(700.0f), " 700");
    EXPECT_EQ(Str(2.5f), " 2.5");
    EXPECT_EQ(Str(0.5f), " .5");
    EXPECT_EQ(Str(-0.25f), "-.25");
    EXPECT_EQ(Str(0.0001f), " .0001");
    EXPECT_EQ(Str(0.00001f), " 1E-05");
    EXPECT_EQ(Str(1234567.0f), " 1234567");
    EXPECT_EQ(Str(12345678.0f), " 1.234568E+07");
    // A float shows the digits a single carries, not the binary tail of its double.
    EXPECT_EQ(Str(0.1f), " .1");
    EXPECT_EQ(Str(0.1), " .1");
}

TEST_P(LocaleTest, FormatFollowsThePattern) {
    EXPECT_EQ(Format(300, "##0"), "300");
    EXPECT_EQ(Format(4.7, "#0.0"), Local("4.7"));
    EXPECT_EQ(Format(0.25, "#0.0"), Local("0.3"));   // half away from zero on an exact half
    EXPECT_EQ(Format(0.35, "#0.0"), Local("0.3"));   // 0.35 is stored just below the half
    EXPECT_EQ(Format(-0.25, "#0.0"), Local("-0.3"));
    EXPECT_EQ(Format(-0.04, "0.0"), Local("-0.0"));
    EXPECT_EQ(Format(2.5, "##0"), "3");
    EXPECT_EQ(Format(0.47, "###"), "");
    EXPECT_EQ(Format(47, "###"), "47");
    EXPECT_EQ(Format(12345, "##0"), "12345");
    EXPECT_EQ(Format(0.1, "0.#"), Local("0.1"));
    EXPECT_EQ(Format(0.8, "0.#0"), Local("0.80"));
    EXPECT_EQ(Format(1.5, "0.0#"), Local("1.5"));
    EXPECT_EQ(Format(1.234, "0.0#"), Local("1.23"));
    EXPECT_EQ(Format(0.45, "##%"), "45%");
    EXPECT_EQ(Format(3, " 0"), " 3");
    EXPECT_EQ(Format(0.00123, "0.00 mm"), Local("0.00 mm"));
    EXPECT_EQ(Format(1.23, "0.00 mm"), Local("1.23 mm"));
    EXPECT_EQ(Format(4.72e-8, "scientific"), Local("4.72E-08"));
    EXPECT_EQ(Format(-1.5e12, "scientific"), Local("-1.50E+12"));
    EXPECT_EQ(Format(9.999e-5, "scientific"), Local("1.00E-04"));
    EXPECT_EQ(Format(0, "scientific"), Local("0.00E+00"));
    EXPECT_EQ(Format(99.96, "#0.0"), Local("100.0"));
    EXPECT_EQ(Format(std::nan(""), "#0.0"), "");
}

TEST_P(LocaleTest, FormatEngWritesMantissaPrefixAndUnit) {
    EXPECT_EQ(FormatEng(4700, ""), Local("4.7k"));
    EXPECT_EQ(FormatEng(0.047f, "F"), "47mF");
    EXPECT_EQ(FormatEng(470e-6f, "F"), "470uF");
    EXPECT_EQ(FormatEng(0, "V"), "0.0 V");  // a fixed text, not a formatted number
    EXPECT_EQ(FormatEng(1e-18f, "F"), Local("0.0F"));  // k = -6: no prefix, no scaling
    EXPECT_EQ(FormatEng(-2200, "V"), Local("-2.2kV"));
    EXPECT_EQ(FormatEng(1e-9f, "H"), Local("1.0nH"));
    EXPECT_EQ(FormatEng(2.2e-9f, "F"), Local("2.2nF"));
    EXPECT_EQ(FormatEng(100000, "Hz"), "100kHz");
    EXPECT_EQ(FormatEng2(4700, ""), Local("4.70k"));
    EXPECT_EQ(FormatEng2(0.047f, "F"), Local("47.0mF"));
    // The mantissa is the single value over the single scale: 1.25e-9 / 1e-9 is exactly 1.25
    // in singles (1.2499999 in doubles), 12.5e-6 / 1e-6 exactly 12.5, 1.15e-3 / 1e-3 1.1499999.
    EXPECT_EQ(FormatEng(1.25e-9f, "H"), Local("1.3nH"));
    EXPECT_EQ(FormatEng(12.5e-6f, "F"), "13uF");
    EXPECT_EQ(FormatEng(1.15e-3f, ""), Local("1.1m"));
    EXPECT_EQ(FormatEng2(-1.25e-9f, "H"), Local("-1.25nH"));
}

TEST_P(LocaleTest, CStrWritesTheShortestNumberWithTheLocaleSeparator) {
    EXPECT_EQ(CStr(264.0f) + "|" + CStr(-40.0f), "264|-40");
    EXPECT_EQ(CStr(0.5f) + "|" + CStr(-0.25f) + "|" + CStr(0.1f), Local("0.5|-0.25|0.1"));
}

INSTANTIATE_TEST_SUITE_P(Separators, LocaleTest, ::testing::Values('.', ','), LocaleName);

TEST_F(FormatTest, FormatEngIsEmptyWhilePowerIsTooHighOrValueIsNotFinite) {
    Settings.PowerTooHigh = true;
    EXPECT_EQ(FormatEng(4700, "V"), "");
    EXPECT_EQ(FormatEng2(4700, "V"), "");
    Settings.PowerTooHigh = false;
    EXPECT_EQ(FormatEng(std::numeric_limits<float>::quiet_NaN(), "V"), "");
    EXPECT_EQ(FormatEng(std::numeric_limits<float>::infinity(), "V"), "");
    EXPECT_EQ(FormatEng2(-std::numeric_limits<float>::infinity(), "V"), "");
}

TEST_F(FormatTest, RoundToE12MovesToTheSeries) {
    auto rounded = [](float x, bool up, int16_t step) {
        RoundToE12(x, up, step);
        return x;
    };
    EXPECT_FLOAT_EQ(rounded(2.2f, true, 1), 2.7f);  // an exact series value goes up
    EXPECT_FLOAT_EQ(rounded(2.2f, false, 1), 2.2f);
    EXPECT_FLOAT_EQ(rounded(1.6f, true, 2), 2.2f);
    EXPECT_FLOAT_EQ(rounded(5.0f, true, 4), 10.0f);
    EXPECT_FLOAT_EQ(rounded(4700.0f, false, 1), 4700.0f);
    EXPECT_FLOAT_EQ(rounded(5000.0f, false, 1), 4700.0f);
    EXPECT_FLOAT_EQ(rounded(3.3e-9f, true, 2), 4.7e-9f);
    EXPECT_FLOAT_EQ(rounded(9.0e-6f, true, 1), 1.0e-5f);
    EXPECT_FLOAT_EQ(rounded(0.0f, true, 1), 0.0f);
    EXPECT_FLOAT_EQ(rounded(-5.0f, true, 1), -5.0f);
    EXPECT_TRUE(std::isnan(rounded(std::numeric_limits<float>::quiet_NaN(), true, 1)));
    EXPECT_TRUE(std::isinf(rounded(std::numeric_limits<float>::infinity(), false, 1)));
}

TEST_F(FormatTest, RoundedValuesLieOnTheSeries) {
    const float e12[] = {1.0f, 1.2f, 1.5f, 1.8f, 2.2f, 2.7f, 3.3f, 3.9f, 4.7f, 5.6f, 6.8f, 8.2f, 10.0f};
    for (float x = 1.05e-6f; x < 1e6f; x *= 1.37f) {
        for (bool up : {true, false}) {
            float r = x;
            RoundToE12(r, up, 1);
            if (up) {
                EXPECT_GT(r, x);
            } else {
                EXPECT_LE(r, x * 1.0000001f);
            }
            const double mantissa = r / std::pow(10.0, std::floor(std::log10(r) + 1e-6));
            bool onSeries = false;
            for (float e : e12) onSeries = onSeries || std::fabs(mantissa - e) < 1e-4;
            EXPECT_TRUE(onSeries) << x << " -> " << r;
        }
    }
}

TEST_F(FormatTest, Log10OfPowersOfTen) {
    EXPECT_DOUBLE_EQ(Log10(1000), std::log(1000.0) / std::log(10.0));
    EXPECT_NEAR(Log10(1e-6), -6, 1e-12);
}

TEST_F(FormatTest, SeparatorOtherThanCommaReadsAsPoint) {
    // A locale whose separator is neither "." nor "," (or is not a single byte) must not leave
    // the tables unreadable.
    SetLocaleDecimalSeparator('\0');
    EXPECT_EQ(LocaleDecimalSeparator(), '.');
    ApplyDesignDefaults();
    EXPECT_EQ(Settings.DecimalSeparator, ".");
    EXPECT_TRUE(Settings.DecimalPointIsDot);
    EXPECT_FLOAT_EQ(DiodeTable[0].Vf, 0.45f);
    SetLocaleDecimalSeparator(',');
    EXPECT_EQ(LocaleDecimalSeparator(), ',');
    SetLocaleDecimalSeparator('.');
}

TEST_F(FormatTest, TypedNumbersTakeAPointOrACommaInEitherLocale) {
    for (const char separator : {'.', ','}) {
        SetLocaleDecimalSeparator(separator);
        for (const auto& [text, value] : {std::pair{" 2.5 ", 2.5f}, {"2,5", 2.5f}, {",5", 0.5f}, {"-3", -3.0f},
                                          {"1E-05", 1e-5f}}) {
            float v = 0;
            EXPECT_TRUE(ParseLocaleNumber(text, v) && v == value) << text;
        }
        float v = 0;
        for (const char* refused : {"", "   ", "abc", "1,2.5", "2,,5", "12V", "inf", "1e999", "+-3"})
            EXPECT_FALSE(ParseLocaleNumber(refused, v)) << refused;
    }
    SetLocaleDecimalSeparator('.');
}
