#pragma once
// The rules of the chip editor: the operating values it edits with their copy from and back to
// the design, the chips it offers, the chip and package choices, the chip picture index and the
// rules of its number boxes.

#include <cstdint>
#include <string>
#include <vector>

#include "Components.h"
#include "BoxRules.h"

namespace zorvic {

// The chip's operating values the editor works on, in the order of its public fields.
struct ChipFields {
    float VR = 0;              // reflected voltage, V
    float Fsw = 0;             // switching frequency, kHz
    float Tamb = 0;            // ambient temperature, degC
    float RthJP = 0;           // junction to package pin, degC/W
    float RthPA = 0;           // package pin to ambient, degC/W
    float OptoGain = 0;        // opto-coupler current gain
    float SoftStart = 0;       // s
    int16_t PackageIndex = 0;  // position in the chip's package list, 0 to 4
};

// The design's operating values; ChipWork becomes a copy of CurrentChip.
ChipFields LoadChipFields();
// CurrentChip := ChipWork and the values into the design (the frequency in whole Hz, the
// temperature in whole degrees, halves to even); then the chip picture index. The design is
// marked unsaved.
void StoreChipFields(const ChipFields& fields);

// Chip rows the editor offers, in table order: every family but 2, without rows 14 and 16.
std::vector<int16_t> ChipListRows();
// Families 3 and 4 run at a fixed frequency.
bool IsFixedFrequency(const ChipRecord& chip);

// ChipWork := table row `row`; a fixed-frequency chip takes its frequency, a frequency above
// the chip's maximum comes down to it, and the chip's second package is chosen.
void ChooseChip(int16_t row, ChipFields& fields);
// The package at `position` of ChipWork's list, with its thermal resistance.
void ChoosePackage(int16_t position, ChipFields& fields);

// The names of the chip's packages, by position.
std::vector<std::string> PackageNames(const ChipRecord& chip);
// The name of the package at `position`; empty when the chip has none there.
std::string PackageName(const ChipRecord& chip, int position);

// The frequency slider's last position, so that its end is the chip's maximum frequency.
int16_t SwitchFreqLastPosition(const ChipRecord& chip);

// The number boxes. The frequency slider's last position follows the chip's maximum frequency
// (29, 300 kHz, until a chip sets it) and the window writes its high caption; the soft-start box
// shows milliseconds of the value in seconds. The frequency and soft-start sliders reach below
// what their boxes accept.
enum class ChipBox { ReflectVoltage, SwitchFreq, GainOpto, SoftStart, AmbientTemperature, RthJunctionPin, RthPinAmbient };
const BoxRule& RuleOf(ChipBox box);

}  // namespace zorvic
