#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "Variables.h"

namespace zorvic {

namespace {

char localeSeparator = '.';

template <typename T>
T RoundToInteger(double x) {
    if (std::isnan(x)) return 0;
    // nearbyint follows the default rounding mode: nearest, halves to even.
    const double r = std::nearbyint(x);
    if (r <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    if (r >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return static_cast<T>(r);
}

// Exact decimal expansion of |x| split at the point. A double has at most 1074 fractional
// binary digits, so that many decimal places are exact.
struct ExactDecimal {
    std::string whole;
    std::string fraction;
};

ExactDecimal Expand(double magnitude) {
    static thread_local std::array<char, 1500> buffer;
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                std::chars_format::fixed, 1074);
    std::string text(buffer.data(), result.ptr);
    const auto point = text.find('.');
    ExactDecimal d;
    d.whole = text.substr(0, point);
    d.fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    return d;
}

// Adds one unit in the last place of a digit string; returns true when it carried out of it.
bool IncrementDigits(std::string& digits) {
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return false;
        }
    }
    return true;
}

// Exact digits rounded to `places` decimals, half away from zero.
ExactDecimal RoundedDigits(ExactDecimal d, std::size_t places) {
    d.fraction.resize(std::max(d.fraction.size(), places + 1), '0');
    const bool up = d.fraction[places] >= '5';
    d.fraction.resize(places);
    if (up && IncrementDigits(d.fraction) && IncrementDigits(d.whole)) d.whole.insert(d.whole.begin(), '1');
    return d;
}

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

std::string FormatScientific(double x) {
    if (x == 0) return std::string("0") + localeSeparator + "00E+00";
    const double magnitude = std::fabs(x);
    static thread_local std::array<char, 1200> buffer;
    // 767 significant digits are enough for the exact value of any double.
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                std::chars_format::scientific, 800);
    std::string text(buffer.data(), result.ptr);
    const auto e = text.find('e');
    int exponent = std::stoi(text.substr(e + 1));
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    const bool up = digits[3] >= '5';
    digits.resize(3);
    if (up && IncrementDigits(digits)) {
        digits = "100";
        ++exponent;
    }
    std::string out = x < 0 ? "-" : "";
    out += digits[0];
    out += localeSeparator;
    out += digits.substr(1);
    out += exponent < 0 ? "E-" : "E+";
    const int absExponent = std::abs(exponent);
    if (absExponent < 10) out += '0';
    out += std::to_string(absExponent);
    return out;
}

// Str of a value with `precision` significant digits.
std::string StrFloating(double x, int precision) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? " Inf" : "-Inf";
    const std::string sign = x < 0 ? "-" : " ";
    if (x == 0) return " 0";
    std::array<char, 64> buffer;
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(x),
                                std::chars_format::scientific, precision - 1);
    std::string text(buffer.data(), result.ptr);
    const auto e = text.find('e');
    const int exponent = std::stoi(text.substr(e + 1));
    std::string digits = text.substr(0, 1) + (e > 2 ? text.substr(2, e - 2) : std::string());
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (exponent <= -5 || exponent >= precision) {
        std::string out = sign + digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += exponent < 0 ? "E-" : "E+";
        const int absExponent = std::abs(exponent);
        if (absExponent < 10) out += '0';
        return out + std::to_string(absExponent);
    }
    std::string whole;
    std::string fraction;
    if (exponent < 0) {
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
        whole = digits + std::string(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        whole = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
        fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    std::string out = sign + whole;
    if (!fraction.empty()) out += "." + fraction;
    return out;
}

std::string FormatEngWith(float value, const std::string& unit, const char* wholePattern,
                          const char* otherPattern) {
    if (Settings.PowerTooHigh) return "";
    if (!std::isfinite(value)) return "";
    float sign = 1;
    if (value < 0) {
        sign = -1;
        value = -value;
    }
    if (value == 0) return "0.0 " + unit;
    const int e = static_cast<int>(std::floor(std::log(static_cast<double>(value)) / std::log(10.0) + 0.001));
    const int k = static_cast<int>(std::floor(e / 3.0));
    static const char* const prefixes[] = {"f", "p", "n", "u", "m", "", "k", "M", "G"};
    // The scaling is a 32-bit formula like the others: a 32-bit value over a 32-bit constant.
    static const float scales[] = {1e-15f, 1e-12f, 1e-9f, 1e-6f, 1e-3f, 1, 1e3f, 1e6f, 1e9f};
    std::string prefix;
    float scale = 1;
    if (k >= -5 && k <= 3) {
        prefix = prefixes[k + 5];
        scale = scales[k + 5];
    }
    // Mod keeps the sign of e: e = -3 gives 0, e = -4 gives -1.
    const char* pattern = (e % 3 == 0) ? wholePattern : otherPattern;
    const float shown = value / scale * sign;
    return Format(shown, pattern) + prefix + unit;
}

}  // namespace

int16_t CInt(double x) { return RoundToInteger<int16_t>(x); }
int32_t CLng(double x) { return RoundToInteger<int32_t>(x); }
double Int(double x) { return std::floor(x); }

std::string Str(int32_t x) { return (x < 0 ? "" : " ") + std::to_string(x); }
std::string Str(float x) { return StrFloating(x, 7); }
std::string Str(double x) { return StrFloating(x, 15); }

std::string CStr(float x) {
    std::string text = Str(x);
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    const auto point = text.find('.');
    if (point == std::string::npos) return text;
    text[point] = localeSeparator;
    // Str drops the zero before the point; a value written for the user keeps it.
    if (point == 0 || text[point - 1] == '-') text.insert(point, 1, '0');
    return text;
}

void SetLocaleDecimalSeparator(char separator) {
    // Table rows and typed numbers know only "." and ","; any other separator (or none that a
    // single byte can hold) would turn every table value into 0, so it reads as ".".
    localeSeparator = separator == ',' ? ',' : '.';
}
char LocaleDecimalSeparator() { return localeSeparator; }

namespace {

// Lays the exact decimal digits of a magnitude into a numeric pattern (already scaled for "%").
std::string LayDigits(bool negative, const ExactDecimal& exact, std::string_view pattern) {
    const auto point = pattern.find('.');
    const std::string_view wholeSection = pattern.substr(0, point);
    const std::string_view fractionSection =
        point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);

    std::size_t fractionPlaces = 0;
    for (char c : fractionSection) fractionPlaces += IsPlaceholder(c) ? 1 : 0;
    std::size_t wholePlaces = 0;
    std::size_t minimumWholeDigits = 0;
    for (char c : wholeSection) {
        if (!IsPlaceholder(c)) continue;
        ++wholePlaces;
        if (c == '0' || minimumWholeDigits > 0) ++minimumWholeDigits;
    }

    ExactDecimal d = RoundedDigits(exact, fractionPlaces);

    // Trailing "#" places drop their zeros.
    std::size_t shownFraction = fractionPlaces;
    {
        std::size_t place = fractionPlaces;
        for (auto i = fractionSection.size(); i-- > 0 && place > 0;) {
            if (!IsPlaceholder(fractionSection[i])) continue;
            if (fractionSection[i] != '#' || d.fraction[place - 1] != '0') break;
            --place;
            shownFraction = place;
        }
    }

    std::string wholeDigits = d.whole;
    wholeDigits.erase(0, std::min(wholeDigits.find_first_not_of('0'), wholeDigits.size()));
    if (wholeDigits.size() < minimumWholeDigits)
        wholeDigits.insert(0, minimumWholeDigits - wholeDigits.size(), '0');

    // The whole part is laid from the right; digits beyond the placeholders go in front.
    std::string whole;
    {
        std::size_t remaining = wholeDigits.size();
        std::size_t placesLeft = wholePlaces;
        for (auto i = wholeSection.size(); i-- > 0;) {
            const char c = wholeSection[i];
            if (!IsPlaceholder(c)) {
                whole.insert(whole.begin(), c);
                continue;
            }
            --placesLeft;
            if (placesLeft == 0) {
                whole.insert(0, wholeDigits.substr(0, remaining));
                remaining = 0;
            } else if (remaining > 0) {
                whole.insert(whole.begin(), wholeDigits[--remaining]);
            }
        }
        if (wholePlaces == 0) whole.insert(0, wholeDigits);
    }

    // The sign stays even when the shown digits round to zero ("-0.0"), as a plain sign-and-digits
    // writer shows it.
    std::string out = negative ? "-" : "";
    out += whole;
    if (point != std::string_view::npos) {
        out += localeSeparator;
        std::size_t place = 0;
        for (char c : fractionSection) {
            if (!IsPlaceholder(c)) {
                out += c;
                continue;
            }
            if (place < shownFraction) out += d.fraction[place];
            ++place;
        }
    }
    return out;
}

// The shortest decimal digits that read back to the same 32-bit value.
ExactDecimal ShortestDigits(float magnitude) {
    std::array<char, 128> buffer;
    // Without a precision, to_chars writes the shortest text that reads back to the value.
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::fixed);
    const std::string text(buffer.data(), result.ptr);
    const auto point = text.find('.');
    ExactDecimal d;
    d.whole = text.substr(0, point);
    d.fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    return d;
}

}  // namespace

std::string Format(double x, std::string_view pattern) {
    if (!std::isfinite(x)) return "";
    if (pattern == "scientific" || pattern == "Scientific") return FormatScientific(x);
    if (pattern.find('%') != std::string_view::npos) x *= 100;
    return LayDigits(x < 0, Expand(std::fabs(x)), pattern);
}

std::string FormatSingle(float x, std::string_view pattern) {
    // A percentage's digits are those of a value a hundred times larger: left to Format.
    if (!std::isfinite(x) || pattern == "scientific" || pattern == "Scientific" ||
        pattern.find('%') != std::string_view::npos)
        return Format(x, pattern);
    return LayDigits(x < 0, ShortestDigits(std::fabs(x)), pattern);
}

std::string ShortestText(float x) {
    if (!std::isfinite(x)) return "";
    const ExactDecimal d = ShortestDigits(std::fabs(x));
    std::string out = x < 0 ? "-" : "";
    out += d.whole;
    if (!d.fraction.empty()) out += localeSeparator + d.fraction;
    return out;
}

namespace {

// A typed number's text made ready for from_chars: blanks around it dropped, "." or "," as the
// decimal point, one leading "+" allowed. Empty when nothing is left.
std::string TypedNumberText(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    std::string s(text.substr(first, last - first + 1));
    // A "," is the decimal point wherever a "." is, in either locale: a comma typed in a "."
    // locale must not vanish and turn 5,5 into 55. Two separators still make no number.
    for (auto& c : s)
        if (c == ',') c = '.';
    if (s.front() == '+') {
        s.erase(0, 1);
        if (s.empty() || s.front() == '-' || s.front() == '+') return {};
    }
    return s;
}

template <typename T>
bool ParseTyped(std::string_view text, T& value) {
    const std::string s = TypedNumberText(text);
    if (s.empty()) return false;
    T parsed = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), parsed, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != s.data() + s.size() || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

}  // namespace

bool ParseLocaleNumber(std::string_view text, double& value) { return ParseTyped(text, value); }

bool ParseLocaleNumber(std::string_view text, float& value) {
    // Parsed straight to float so the value is rounded once, as a single conversion does; a
    // text beyond the float range is refused like one beyond the double range.
    double check = 0;
    return ParseTyped(text, check) && ParseTyped(text, value);
}

std::string FormatEng(float value, const std::string& unit) { return FormatEngWith(value, unit, "#0.0", "###"); }

std::string FormatEng2(float value, const std::string& unit) {
    return FormatEngWith(value, unit, "#0.00", "##0.0");
}

double Log10(double x) { return std::log(x) / std::log(10.0); }

void RoundToE12(float& x, bool up, int16_t step) {
    static const std::array<float, 14> E = {0.82f, 1.0f, 1.2f, 1.5f, 1.8f, 2.2f, 2.7f,
                                            3.3f,  3.9f, 4.7f, 5.6f, 6.8f, 8.2f, 10.0f};
    if (x == 0 || !std::isfinite(x) || x < 0) return;
    if (step < 1) step = 1;
    const float decade = static_cast<float>(std::pow(10.0, Int(Log10(x))));
    const float m = x / decade;
    for (int i = 1; i <= 13; i += step) {
        if (static_cast<float>(m - E[static_cast<std::size_t>(i)]) < 0) {
            x = decade * (up ? E[static_cast<std::size_t>(i)] : E[static_cast<std::size_t>(i - 1)]);
            return;
        }
    }
}

}  // namespace zorvic
