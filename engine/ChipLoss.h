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

// How the divider resistors are matched to the regulated outputs. Two rules, because the
// design's own loss moves to the next divider only past a fitted one while the curve, like the
// loop model, gives each regulated output its own; they differ only where one has no divider.
enum class DividerNumbering {
    // A divider counts only once fitted (not 0 ohm when rounded); the next regulated output
    // takes an unfitted one's place again. The design's own loss.
    FittedDividers,
    // The j-th regulated output has the j-th divider; one not above 0 ohm carries nothing. The
    // loss curve.
    RegulatedOutputs,
};

// Loss of the secondary-regulation network (reference, ground resistor and dividers), W; 0 under
// primary regulation.
float RegulationNetworkLoss(DividerNumbering numbering);

}  // namespace zorvic
