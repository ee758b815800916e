#include "ControlNetwork.h"

#include <cmath>
#include <cstddef>

#include "Formula.h"
#include "OutputCode.h"
#include "NumberText.h"
#include "Rectifiers.h"
#include "Variables.h"

namespace zorvic {

namespace {


void ChooseOscillator() {
    ChipRecord& chip = CurrentChip;
    for (std::size_t r = 0; r < OscillatorResistors.size(); ++r)
        chip.OscResistor.Values[r + 1] = OscillatorResistors[r];
    for (std::size_t c = 0; c < OscillatorCapacitors.size(); ++c)
        chip.OscCapacitor.C[c + 1] = OscillatorCapacitors[c];

    const auto fsw = static_cast<float>(InputStage.SwitchingFrequency);
    const float target = chip.Family == 5 ? fsw / 1000 : fsw;
    float best = 1e6f;
    for (std::size_t r = 1; r <= OscillatorResistors.size(); ++r) {
        for (std::size_t c = 1; c <= OscillatorCapacitors.size(); ++c) {
            const float resistor = chip.OscResistor.Values[r];
            const float capacitor = chip.OscCapacitor.C[c];
            const float error = std::fabs(target - OscillatorFrequency(resistor, capacitor));
            if (error < best) {
                best = error;
                chip.OscResistor.Value = resistor;
                chip.OscCapacitor.Value = capacitor;
            }
        }
    }
}

}  // namespace

float OscillatorFrequency(float r, float c) {
    const ChipRecord& chip = CurrentChip;
    const float kohm = r / 1000;
    const float nf = c * 1e9f;
    if (chip.Family == 5) {
        return 1710 / (nf * kohm) * (nf * 1.005f + 0.794801f) / (nf + 1.1329166f) * (kohm * 1.05f - 0.5659f) /
               (kohm - 0.0831f);
    }
    return (1 - chip.OscK2 / (kohm * 1000 - chip.OscK3)) * chip.OscK1 / (nf * kohm / 1e6f);
}

void SizeControlNetwork() {
    ChipRecord& chip = CurrentChip;
    ChooseOscillator();

    // The supply capacitor carries the chip while the outputs' capacitors, seen through the
    // turns ratios, charge at 30 % of the current limit.
    float reflectedCapacitance = 0;
    for (int i = 0; i <= LastActiveOutput(); ++i) {
        const OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
        if (output.CurrentRatio == 0) continue;
        const float c = OutputCode(output.OutputType).IsPlain() ? output.Cap1.Value : output.Cap1.Value + output.Cap2.Value;
        reflectedCapacitance += c / (output.CurrentRatio * output.CurrentRatio);
    }
    const float chargeCurrent = chip.Idlim * 0.3f;
    const float startTime =
        chargeCurrent != 0 ? InputStage.ReflectedVoltage * reflectedCapacitance / chargeCurrent : 0;
    const float idd = ChipSupplyCurrent();
    const float window = chip.Vdd3 - chip.Vdd2;

    float c4 = window != 0 ? idd * startTime / window : 0;
    RoundToE12(c4, true, 2);
    chip.SupplyCapacitor.Value = c4;

    if (chip.Family >= 4 && idd != 0 && chip.Param27 != 0) {
        const float holdTime = window * c4 / idd;
        float c9 = chip.Param26 * holdTime / chip.Param27;
        RoundToE12(c9, true, 2);
        chip.SupplyCapacitor2.Value = c9;
    }

    SelectAuxDiode();
}

}  // namespace zorvic
