#pragma once
// The figures the transformer window shows beside the computed transformer: which wire and turns
// belong to a winding, the loss share and temperature rise reached, the resistances of a winding
// and the window picture's bars. Every quotient stays finite when a core, a wire or the power is
// blank: the figure is then 0.

#include <cstdint>
#include <vector>

#include "Components.h"

namespace zorvic {

// Windings by their detail number: 0 to 5 the outputs, 6 the auxiliary, 7 the primary.
inline constexpr int16_t DetailAux = 6;
inline constexpr int16_t DetailPrimary = 7;

const WireRecord& WindingWire(int16_t winding);
int16_t WindingTurns(int16_t winding);

// Share of the input power lost in the transformer.
float LossShareReached();
// Temperature rise of the design's core for the transformer loss, in K.
double TemperatureRiseReached();
// True when the flux density is at or above 0.9 x Bsat.
bool FluxTooHigh();

// True when every dimension the design divides by is there.
bool CoreUsable(const CoreGeometry& core);

// Diameter in metres of a round conductor of `area` mm2.
double WireDiameter(float area);

struct WindingResistance {
    double Rdc = 0;  // ohm
    double Rac = 0;  // ohm
};
// DC resistance over the core's mean turn length, AC resistance through the skin-area ratio.
WindingResistance ResistanceOf(int16_t winding);

// The winding window picture in twips, bars stacked from the bottom: the primary, the
// auxiliary, then the outputs in order.
struct WindingBar {
    double Top = 0;
    double Height = 0;
};
struct WindingWindowPicture {
    double LimitTop = 0;  // the usable part of the window ends here
    std::vector<WindingBar> Bars;
};
// `scaleHeight` is the picture's height in twips, `twipsPerPixel` the screen's vertical twips
// per pixel. `windings` lists wire and turns in stacking order.
struct WindingFill {
    WireRecord Wire;
    int16_t Turns = 0;
};
WindingWindowPicture WindingWindowBars(double scaleHeight, double twipsPerPixel, float windowArea,
                                       float windowFactor, const std::vector<WindingFill>& windings);

}  // namespace zorvic
