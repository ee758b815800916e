#include "BulkCapacitor.h"

#include "Formula.h"
#include "NumberText.h"
#include "Variables.h"

namespace zorvic {

void SizeBulkCapacitor() {
    const float vmin = InputStage.VdcMin;
    const float vpeak = vmin + InputStage.RippleVoltage;
    // The input stage's fixed capacitor is fitted whatever the bus needs.
    InputStage.C7.Value = 2.2e-9f;
    const auto quarterPeriods = static_cast<int16_t>(4 * InputStage.MainsFrequency);
    if (quarterPeriods <= 0) return;  // no mains frequency: nothing to bridge
    // The rectifier conducts from VdcMin up to the crest; the capacitor carries the rest.
    const auto conduction = static_cast<float>((1 + 2 * ArcSin(vmin / vpeak) / Pi) / quarterPeriods);
    const float power = OperatingPoint.OutputPower + OperatingPoint.TotalLoss;
    const float swing = vpeak * vpeak - vmin * vmin;
    // No ripple allowed (a DC bus) leaves nothing to size.
    float c2 = swing > 0 ? 2 * power * conduction / swing : 0;
    RoundToE12(c2, true, 2);
    InputStage.C2.Value = c2;
}

}  // namespace zorvic
