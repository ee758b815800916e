#pragma once
// The rule of an editor's number box: the limits and the unit text and pattern that the entry
// check and its "Range Error" message use, the pattern the box is filled with, the scale between
// the value the box shows and the value the design stores, and for a box with a slider the
// slider's scale and end captions. Each editor keeps its boxes' rules in one table.

#include <cstdint>
#include <string>

#include "SliderScale.h"

namespace zorvic {

// Shown = stored x factor, or (1 - stored) x factor for a box that shows what a fraction leaves;
// stored = shown / factor, or (factor - shown) / factor. Both in 32 bits, as the boxes always
// converted. A box filled from the 64-bit product (a factor no float holds exactly) says so.
struct BoxScale {
    double factor = 1;
    bool complement = false;
    bool wideText = false;

    float Shown(float stored) const;
    float Stored(float shown) const;
};

struct BoxRule {
    float min = 0;  // limits of the shown value
    float max = 0;
    std::string unit{};     // written after each number of the range message
    std::string pattern{};  // of the checked entry and the range message
    std::string fill{};     // of the text the window fills the box with; empty: the plain number
    BoxScale scale{};
    SliderScale slider{};   // over stored values; a last position of 0: the box has no slider
    std::string endUnit{};  // after the numbers of the slider's end captions
    // The high caption shows the box's maximum; otherwise the window writes it (the chip's own
    // maximum frequency).
    bool highEndIsMax = true;

    bool HasSlider() const { return slider.Last > 0; }
};

// The text the window fills the box with for a stored value.
std::string BoxText(const BoxRule& rule, float stored);
// The slider's end captions: the value of its first position, and the box's maximum (empty when
// the window writes it).
std::string SliderLowText(const BoxRule& rule);
std::string SliderHighText(const BoxRule& rule);

// A count box stores its entry rounded (halves to even). True when the count changed.
bool StoreCount(int16_t& count, float entry);

}  // namespace zorvic
