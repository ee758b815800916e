#pragma once
// The whole converter computation: input stage, outputs, operating point, chip, clamp and parts.

namespace zorvic {

// Most refining passes of one computation; each over-voltage warning after which the user
// changed the design asks for another.
inline constexpr int MaxRefiningPasses = 100;

// Recomputes the design from the current state.
void ComputeDesign();

// Derives the DC bus limits from the input settings, then the values that follow from them.
void UpdateInputVoltages();

// The DC bus limits alone, from the mains or the DC input settings, without the outputs that
// UpdateInputVoltages goes on to derive.
void UpdateDcBusVoltages();

}  // namespace zorvic
