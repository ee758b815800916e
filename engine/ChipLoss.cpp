#include "ChipLoss.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "ConductionMode.h"
#include "Formula.h"
#include "NumberText.h"
#include "PrimaryClamp.h"
#include "Variables.h"

namespace zorvic {

float RegulationNetworkLoss(DividerNumbering numbering) {
    if (!OperatingPoint.SecondaryRegulation) return 0;
    const RegulationRecord& reg = Regulation;
    const float vref = reg.ReferenceVoltage;
    float loss = 0;
    if (reg.GroundResistor.Value != 0)
        loss = vref * vref / reg.GroundResistor.Value + reg.ReferenceCurrent * Outputs[0].ActualVoltage;
    // Dividers 1 to 4 go with the regulated outputs in their order.
    std::size_t k = 1;
    for (int i = 0; i <= LastActiveOutput() && k < reg.Divider.size(); ++i) {
        const OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
        if (!output.Regulated) continue;
        const float divider = reg.Divider[k].Value;
        const bool fitted = numbering == DividerNumbering::FittedDividers ? CLng(divider) != 0
                                                                          : std::isfinite(divider) && divider > 0;
        if (fitted) {
            const float across = output.ActualVoltage - vref;
            loss += across * across / divider;
        }
        if (fitted || numbering == DividerNumbering::RegulatedOutputs) ++k;
    }
    return loss;
}

void ComputeChipLoss() {
    ChipRecord& chip = CurrentChip;
    OperatingRecord& op = OperatingPoint;
    const float vr = InputStage.ReflectedVoltage;
    const float vmin = InputStage.VdcMin;
    const auto fsw = static_cast<float>(InputStage.SwitchingFrequency);
    const float irms = Transfo.IrmsMax;
    const float ipeak = Transfo.IpeakMax;
    const auto ambient = static_cast<float>(op.AmbientTemperature);

    const float idd = ChipSupplyCurrent();
    const float supply = op.SecondaryRegulation ? idd * ((chip.Vdd2 + chip.Vdd1) / 2 + 0.6f) : idd * chip.VddReg;
    chip.LossBias = supply + vmin * chip.InputBiasCurrent;

    const float irmsSquaredRds = irms * irms * chip.Rdson;
    chip.LossConduction =
        irmsSquaredRds * std::pow(RdsonGrowth, static_cast<float>(static_cast<int16_t>(op.AmbientTemperature - 25)));

    // Discontinuous conduction turns on at zero current, with the drain at the bus voltage only;
    // above the soft limit the switch pays a share of Param21 per cycle.
    float ion = 0;
    float va = 0;
    if (ConductionModeOf(op.ContinuousModeText) != ConductionMode::Discontinuous) {
        ion = ipeak - op.RippleCurrentAtVmin;
        va = vr;
    }
    const float drain = vmin + va;
    const float capacitance = DrainCapacitance(drain) + Transfo.Cpri.Value;
    const float capacitive = 0.5f * capacitance * (vmin * vmin);
    chip.LossSwitching = (capacitive + chip.Param29 * ion * std::pow(drain, 2.22f)) * fsw;
    const float softLimit = chip.Param28 * chip.Idlim;
    const float softRange = (1 - chip.Param28) * chip.Idlim;
    if (softLimit < ipeak && softRange != 0) {
        chip.LossSwitching += (ipeak - softLimit) * chip.Param21 / softRange * fsw;
    }

    op.ChipLoss = chip.LossConduction + chip.LossBias + chip.LossSwitching;

    // The loss heats the junction, which raises the on-resistance and so the loss again. A step
    // past the limit ends the search: the conduction loss is then taken at the limit itself,
    // never as a sum of growths taken back, which cancels to nothing in single precision.
    const float rthSum = op.RthPinAmbient + op.RthJunctionPin;
    float tj = ambient;
    float step = 0;
    do {
        const float previous = tj;
        tj = rthSum * op.ChipLoss + ambient;
        if (tj <= JunctionTemperatureLimit) op.ChipLoss += irmsSquaredRds * (RdsonFactor(tj) - RdsonFactor(previous));
        step = tj - previous;
    } while (step >= 0.1f && tj <= JunctionTemperatureLimit);

    chip.OverTemperature = tj > JunctionTemperatureLimit;
    // With no thermal resistance at all the pin sits at the ambient temperature.
    op.ChipPinTemperature =
        rthSum != 0 ? (tj - ambient) * op.RthPinAmbient / rthSum + ambient : ambient;
    if (chip.OverTemperature) {
        chip.Tj = JunctionTemperatureLimit;
        chip.LossConduction = irmsSquaredRds * RdsonFactor(JunctionTemperatureLimit);
        op.ChipLoss = chip.LossConduction + chip.LossBias + chip.LossSwitching;
    } else {
        chip.Tj = tj;
        chip.LossConduction = op.ChipLoss - chip.LossBias - chip.LossSwitching;
    }

    op.RegulationLoss = RegulationNetworkLoss(DividerNumbering::FittedDividers);

    ComputeClamp();

    op.TotalLoss = op.OutputLoss + op.ChipLoss + op.ClamperLoss + op.TransformerLoss + op.RegulationLoss;
    const float gross = op.OutputPower + op.TotalLoss;
    op.Efficiency = gross != 0 ? op.OutputPower / gross : 0;
}

}  // namespace zorvic
