#pragma once
// Number and text conventions shared by the whole program: integer conversions, number texts,
// pattern formatting, engineering notation, preferred values and typed-number parsing.

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvic {

// Nearest integer, halves to the even neighbour. A NaN gives 0 and values beyond the type's
// range saturate, so no conversion can trap.
int16_t CInt(double x);
int32_t CLng(double x);

// Largest integer not above x (as a double, so callers pick the width).
double Int(double x);

// Decimal text with a blank in front of a non-negative number. A float keeps up to 7
// significant digits, a double up to 15; the leading zero of a fraction is dropped (" .5") and
// very large or small magnitudes use a signed two-digit exponent (" 1E-05").
std::string Str(int32_t x);
std::string Str(float x);
std::string Str(double x);
// A number as a text box shows it: Str's shortest digits without the blank, the locale's
// separator and a zero before a leading point ("264", "0.5", "-40").
std::string CStr(float x);

// Pattern formatting: "0" a digit always shown, "#" a digit shown only when significant, "."
// the decimal point (written with the locale's separator), "%" multiplies by 100 and is
// printed, any other character is copied. "scientific" gives 4.72E-08. A half is rounded away
// from zero, judged on the exact binary value.
std::string Format(double x, std::string_view pattern);
// Format of a 32-bit value: the pattern is laid over the shortest decimal that reads back to the
// same float, so a table's 1.16 shows as "1.16" and never as "1.15999997" ("%" patterns as Format).
std::string FormatSingle(float x, std::string_view pattern);
// The shortest decimal text that reads back to the same float, without exponent, with the
// locale's separator: "1.16", "0.001", "30000".
std::string ShortestText(float x);

// The locale's decimal separator, used by Format and by ParseLocaleNumber. The program sets it
// once at start-up from the system locale; anything but "," is taken as ".".
void SetLocaleDecimalSeparator(char separator);
char LocaleDecimalSeparator();

// A number typed by the user. "." and "," both stand for the decimal point, whatever the
// locale; blanks around it are allowed; any other text, an empty text or an out-of-range value
// is refused.
bool ParseLocaleNumber(std::string_view text, double& value);
bool ParseLocaleNumber(std::string_view text, float& value);

// Engineering notation: mantissa, prefix (f p n u m k M G) and unit, e.g. "4.7k", "470uF".
// Empty while Settings.PowerTooHigh is set, and for a value that is not finite.
std::string FormatEng(float value, const std::string& unit);
// The same with one more digit ("#0.00" / "##0.0").
std::string FormatEng2(float value, const std::string& unit);

double Log10(double x);

// Rounds x to the preferred series (step 1 = E12, 2 = E6, 4 = E3), up (a value already on the series goes to the next one)
// or down (E12 only). Zero, negative and non-finite values are left unchanged.
void RoundToE12(float& x, bool up, int16_t step);

}  // namespace zorvic
