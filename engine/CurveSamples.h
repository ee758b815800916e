#pragma once
// One sample of a curve of the finished design, for the curve window: the loop gain and phase
// of the power stage and of the feedback network against frequency, and the loss and
// efficiency against input voltage or input power. (The drain waveform is in DrainWaveform.h.)
//
// Every sample is taken at a corner of the operating range: "Vmin" / "Vmax" (the lowest or
// highest DC bus voltage) or "Pmin" / "Pmax" (the lowest or highest input power). The cursor
// fraction f (0 to 1) sets the other coordinate: the power between Pmin and the design's input
// power at a voltage corner, the bus voltage between VdcMin and VdcMax at a power corner.
// The samples read the design state only, except that BodePoint stores its loop model in the
// seven loop-model fields of Control.

#include <string>

namespace zorvic {

// Gain (dB) and phase (degrees) at the frequency freq (Hz) of the power stage for the mode
// "Cont", "Discont" or "Burst", and of the feedback network. Another mode text writes neither
// the stage results nor the loop model; the feedback results are written only when the network
// has its parts (R3, and C8 under secondary regulation) and the turns are known. Any other
// corner text is taken as "Vmin".
void BodePoint(float f, float freq, float& stageGain, float& stagePhase, float& feedbackGain, float& feedbackPhase,
               const std::string& corner, const std::string& mode);

// Efficiency (%) and total loss (W) at the abscissa x. With held "Vin" the cursor holds the bus
// voltage and x is the input power (W); with "Pin" (or any other text) the cursor holds the
// input power and x is the bus voltage (V). The mode text is not used.
void PowerCurvePoint(float f, float x, float& efficiency, float& totalLoss, const std::string& held,
                     const std::string& mode);

}  // namespace zorvic
