#pragma once
// Component choosers of an output's filter and post-regulation: the linear regulator, the Zener cell,
// the filter inductor and the two capacitor cells, with the schematic label texts.

#include <string>

#include "Variables.h"

namespace zorvic {

// An ESR farther from any target than a part: the empty start of a capacitor search, and the
// mark of an output that has no second cell.
inline constexpr float NoEsr = 1e15f;

// Picks the regulator of the output's family; `drop` gets its voltage drop at the output current.
void SelectOutputRegulator(OutputRecord& output, float& drop);

// Sizes the Zener shunt and its series resistor; `drop` gets the resistor's voltage drop.
void SizeZenerCell(OutputRecord& output, float& drop);

// Writes the filter inductor's label texts from its value.
void LabelOutputInductor(OutputRecord& output);

// Picks the first-cell capacitors (refining passes only).
void SelectOutputCapacitors(OutputRecord& output);

// Sizes the second filter cell; `kind` is "Self", "Vreg" or "Zener" (refining passes only).
void SelectSecondCell(OutputRecord& output, const std::string& kind);

// The regulator's dissipation at the output current, W.
float RegulatorLoss(OutputRecord& output);

}  // namespace zorvic
