#pragma once
// The chip's losses (supply, conduction, switching), its junction temperature through the
// package's thermal resistances, the loss of the secondary-regulation network, then the clamp.

namespace zorvic {

// Junction temperature limit of the chip, degC.
inline constexpr float JunctionTemperatureLimit = 170;

// Writes the chip's loss and temperature fields, OperatingPoint.ChipLoss, ChipPinTemperature and
// RegulationLoss, runs the clamp, and stores the total loss (with the regulation network) and the
// efficiency for the sizing steps that follow in the same pass.
void ComputeChipLoss();

// Loss of the secondary-regulation network (reference, ground resistor and divider), W; 0 under
// primary regulation.
float RegulationNetworkLoss();

}  // namespace zorvic
