#include "OutputStage.h"

#include <cstddef>
#include <optional>

#include "DesignHost.h"
#include "OutputCode.h"
#include "OutputParts.h"
#include "Rectifiers.h"

namespace zorvic {

float DutyMax = 0;

namespace {

float TurnsRatioOf(int index) {
    if (index < 0 || index >= static_cast<int>(Transfo.TurnsRatio.size())) return 0;
    return Transfo.TurnsRatio[static_cast<std::size_t>(index)];
}

}  // namespace

float DiodeLoss(const OutputRecord& output) {
    const DiodeRecord& diode = output.Diode;
    const float conduction = diode.Vt0 * output.Current + diode.Rd * (output.IrmsSecondary * output.IrmsSecondary);
    // With no winding ratio yet the diode sees only the output voltage in reverse.
    const float ratio = TurnsRatioOf(output.Index);
    const float reverseVoltage = (ratio != 0 ? InputStage.VdcMax / ratio : 0) + output.Voltage;
    // The first pass has no operating point yet: it takes the duty estimate.
    const float duty = Settings.RecomputeFlag ? DutyMax : OperatingPoint.DutyCycleAtVmin;
    const float leakage = reverseVoltage * duty * diode.Ir;
    return leakage + conduction;
}

double ZenerLoss(const OutputRecord& output) {
    const float r = output.DropResistor.Value;
    const double loss = static_cast<double>(output.Current) * output.Current * r;
    std::string serialTag;
    std::string zenerTag;
    // The series resistor would dissipate over 2 W at 1.5 x the output voltage.
    const float overVoltage = 1.5f * output.Voltage;
    if (r > 0 && overVoltage * overVoltage / r > 2) serialTag = "Warning";
    // The Zener dissipates over 400 mW when the load draws only its minimum current.
    if ((output.Current - output.MinimumCurrent) * output.Voltage > 0.4f) zenerTag = "Warning";
    Host().SetOutputLabelTags(output.Index, serialTag, zenerTag);
    return loss;
}

void ComputeOutput(OutputRecord& output) {
    const float vr = InputStage.ReflectedVoltage;
    DutyMax = vr / (InputStage.VdcMin + vr);
    float drop = 0;
    const std::optional<OutputKind> kind = OutputCode(output.OutputType).Kind();
    if (!kind) return;
    switch (*kind) {
    case OutputKind::Zener:
        SizeZenerCell(output, drop);
        output.ZenerLoss = static_cast<float>(ZenerLoss(output));
        SelectOutputDiodes(output, drop);
        output.DiodeLoss = DiodeLoss(output);
        SelectOutputCapacitors(output);
        SelectSecondCell(output, "Zener");
        output.Loss = output.ZenerLoss + output.DiodeLoss;
        break;
    case OutputKind::Vreg:
        SelectOutputRegulator(output, drop);
        output.RegulatorLoss = RegulatorLoss(output);
        SelectOutputDiodes(output, drop);
        output.DiodeLoss = DiodeLoss(output);
        SelectOutputCapacitors(output);
        SelectSecondCell(output, "Vreg");
        output.Loss = output.RegulatorLoss + output.DiodeLoss;
        break;
    case OutputKind::Self:
        SelectOutputDiodes(output, 0);
        output.DiodeLoss = DiodeLoss(output);
        SelectOutputCapacitors(output);
        SelectSecondCell(output, "Self");
        LabelOutputInductor(output);
        output.Loss = output.DiodeLoss;
        break;
    case OutputKind::Direct:
        SelectOutputDiodes(output, 0);
        output.DiodeLoss = DiodeLoss(output);
        SelectOutputCapacitors(output);
        output.Loss = output.DiodeLoss;
        break;
    }
}

void SumOutputPowers() {
    OperatingRecord& op = OperatingPoint;
    op.OutputLoss = 0;
    op.OutputPower = 0;
    op.Pmin = 0;
    op.Pmax = 0;
    for (int i = 0; i <= LastActiveOutput(); ++i) {
        const OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
        op.OutputLoss += output.Loss;
        op.OutputPower += output.Voltage * output.Current;
        op.Pmax += output.VoltageBeforeDiode * output.Current;
        op.Pmin += output.VoltageBeforeDiode * output.MinimumCurrent;
    }
    Transfo.InputPowerNoTransformer =
        op.OutputPower + op.OutputLoss + op.ClamperLoss + op.RegulationLoss + CurrentChip.LossBias;
    Transfo.InputPower = op.OutputPower + op.OutputLoss + op.TransformerLoss + op.ClamperLoss + op.RegulationLoss +
                         CurrentChip.LossBias + CurrentChip.LossSwitching;
}

}  // namespace zorvic
