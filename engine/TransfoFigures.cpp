#include "TransfoFigures.h"

#include <algorithm>
#include <cmath>

#include "ComputeTransfo.h"
#include "Formula.h"
#include "NumberText.h"
#include "Variables.h"

namespace zorvic {

const WireRecord& WindingWire(int16_t winding) {
    if (winding == DetailPrimary) return Transfo.PrimaryWire;
    if (winding == DetailAux) return Transfo.AuxWire;
    return Transfo.OutputWire[static_cast<std::size_t>(std::clamp<int16_t>(winding, 0, 5))];
}

int16_t WindingTurns(int16_t winding) {
    if (winding == DetailPrimary) return Transfo.PrimaryTurns;
    if (winding == DetailAux) return Transfo.AuxTurns;
    return Transfo.OutputTurns[static_cast<std::size_t>(std::clamp<int16_t>(winding, 0, 5))];
}

float LossShareReached() {
    const float total = Transfo.InputPowerNoTransformer + OperatingPoint.TransformerLoss;
    return total > 0 ? OperatingPoint.TransformerLoss / total : 0.0f;
}

double TemperatureRiseReached() {
    return CoreUsable(Transfo.Core) ? CoreTempRise(OperatingPoint.TransformerLoss, Transfo.Core) : 0.0;
}

bool FluxTooHigh() {
    const float limit = 0.9f * Transfo.Material.Bsat;
    return Transfo.Bmax >= limit;
}

bool CoreUsable(const CoreGeometry& core) {
    return core.Ae > 0 && core.Le > 0 && core.Lm > 0 && core.W > 0 && core.Ve > 0;
}

double WireDiameter(float area) { return 2 * std::sqrt(area / Pi) / 1000; }

WindingResistance ResistanceOf(int16_t winding) {
    const WireRecord& wire = WindingWire(winding);
    WindingResistance r;
    if (wire.Strands <= 0) return r;
    r.Rdc = static_cast<double>(wire.Rlin) / wire.Strands * Transfo.Core.Lm * WindingTurns(winding) / 1000.0;
    const float ratio = wire.Area > 0 && SkinDepth > 0 ? SkinAreaRatio(wire.Area) : 0.0f;
    r.Rac = ratio > 0 ? r.Rdc / ratio : 0.0;
    return r;
}

WindingWindowPicture WindingWindowBars(double scaleHeight, double twipsPerPixel, float windowArea,
                                       float windowFactor, const std::vector<WindingFill>& windings) {
    WindingWindowPicture picture;
    const double p = std::max(1, CLng(twipsPerPixel));
    double bottom = CLng(scaleHeight);
    // A blank core has no window to scale to: every bar keeps its 3 pixels.
    const double s = windowArea > 0 ? scaleHeight / windowArea : 0.0;
    picture.LimitTop = (1.0 - windowFactor) * bottom;
    for (const WindingFill& w : windings) {
        WindingBar bar;
        bar.Height = CLng(w.Wire.AreaIns * s * 4 / Pi * w.Wire.Strands * w.Turns / p + 3) * p;
        bar.Top = CLng(bottom - bar.Height);
        bottom = bar.Top;
        picture.Bars.push_back(bar);
    }
    return picture;
}

}  // namespace zorvic
