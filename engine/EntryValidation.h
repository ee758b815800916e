#pragma once
// Rules of the numeric text boxes: the range check with its "Range Error" message, the
// leave-the-box validator with the mA/A switch, and the key filter. A window attaches them to a
// real text box through EntryBox.

#include <cstdint>
#include <string>

namespace zorvic {

class EntryBox {
public:
    virtual ~EntryBox() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetFocus() = 0;
};

// False for an empty box, a text that is no number, or a number outside [min, max]; the last
// shows "Range Error", with the number and the limit in the pattern where it tells them apart
// and with all their digits where it does not.
bool CheckRange(EntryBox& box, float min, float max, const std::string& unit, const std::string& fmt);

// Stores the box's number in `value` (base units; an "mA" box holds amperes) and shows it in
// the box's pattern, switching between "mA" and "A" at 200 mA; otherwise gives the box the focus
// back and shows the previous value again.
void ValidateEntry(EntryBox& box, float min, float max, std::string& unit, float& value, const std::string& fmt);

// Lets digits, Backspace and the decimal separator through ("." and "," both become the locale's
// separator); any other key becomes 0. A box whose range reaches below zero also takes the
// minus sign.
void FilterNumericKey(int16_t& keyCode, bool negativeAllowed = false);

// Opens a document or address with the desktop's handler; a missing file is reported, and so is
// a document or address that nothing on the machine could open.
void OpenDocument(const std::string& fileName);

}  // namespace zorvic
