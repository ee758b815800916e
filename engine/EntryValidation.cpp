#include "EntryValidation.h"

#include <string_view>

#include "DesignHost.h"
#include "NumberText.h"
#include "Variables.h"

namespace zorvic {

namespace {

// A number of a range message: in the box's pattern when that text reads back to the same
// 32-bit value, else its shortest exact text followed by what the pattern writes after its
// digits. A pattern too coarse for the limit ("0.1 < 0.1", "000 < 001") would make the
// message contradict itself.
std::string RangeNumber(float x, const std::string& fmt) {
    const std::string patterned = FormatSingle(x, fmt);
    float back = 0;
    if (ParseLocaleNumber(patterned, back) && back == x) return patterned;
    const auto digits = fmt.find_last_of("0#");
    return ShortestText(x) + (digits == std::string::npos ? std::string() : fmt.substr(digits + 1));
}

}  // namespace

bool CheckRange(EntryBox& box, float min, float max, const std::string& unit, const std::string& fmt) {
    const std::string text = box.Text();
    if (text.empty()) return false;
    float v = 0;
    if (!ParseLocaleNumber(text, v)) return false;
    if (v < min) {
        Host().ShowMessage(RangeNumber(v, fmt) + unit + " < " + RangeNumber(min, fmt) + unit, MessageButtons::OK,
                           "Range Error");
        return false;
    }
    if (v > max) {
        Host().ShowMessage(RangeNumber(v, fmt) + unit + " > " + RangeNumber(max, fmt) + unit, MessageButtons::OK,
                           "Range Error");
        return false;
    }
    return true;
}

void ValidateEntry(EntryBox& box, float min, float max, std::string& unit, float& value, const std::string& fmt) {
    const bool milliamps = unit == "mA";
    if (milliamps) {
        min *= 1000;
        max *= 1000;
    }
    float typed = 0;
    if (!ParseLocaleNumber(box.Text(), typed) || !CheckRange(box, min, max, unit, fmt)) {
        box.SetFocus();
        // An mA box shows milliamperes; restoring the ampere value would make the next leave
        // store a value a thousand times too small.
        box.SetText(Format(milliamps ? value * 1000 : value, fmt));
        return;
    }
    value = typed;
    if (milliamps) {
        if (value < 200) {
            box.SetText(Format(value, "##0"));
        } else {
            unit = "A";
            box.SetText(Format(value / 1000, "##0.00"));
        }
        value = value / 1000;
    } else if (unit == "A") {
        if (value >= 0.2f) {
            box.SetText(Format(value, "##0.00"));
        } else {
            unit = "mA";
            box.SetText(Format(value * 1000, "##0"));
        }
    } else {
        box.SetText(Format(value, fmt));
    }
}

void FilterNumericKey(int16_t& keyCode, bool negativeAllowed) {
    const char separator = Settings.DecimalSeparator.empty() ? '.' : Settings.DecimalSeparator[0];
    // Either key is the decimal point, in either locale; the box shows the locale's.
    if (keyCode == '.' || keyCode == ',' || keyCode == separator) {
        keyCode = Settings.DecimalPointIsDot ? '.' : separator;
    } else if (keyCode == '-' && negativeAllowed) {
        return;
    } else if ((keyCode < '0' || keyCode > '9') && keyCode != 8) {
        keyCode = 0;
    }
}

void OpenDocument(const std::string& fileName) {
    const int answer = Host().ShellOpen(fileName);
    if (answer == 2) {
        Host().ShowMessage("Missing File : " + fileName, MessageButtons::OK, "File Error");
    } else if (answer <= 32) {
        // Nothing on the machine opens it (no browser, no mail program): the user gets the
        // address itself, to take it elsewhere.
        constexpr std::string_view Mail = "mailto:";
        const std::string shown = fileName.starts_with(Mail) ? fileName.substr(Mail.size()) : fileName;
        Host().ShowMessage("Cannot Open : " + shown, MessageButtons::OK, "File Error");
    }
}

}  // namespace zorvic
