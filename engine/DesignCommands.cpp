#include "DesignCommands.h"

#include <algorithm>
#include <cstddef>

#include "OutputCode.h"
#include "Variables.h"

namespace zorvic {

namespace {

constexpr int16_t MostAdditionalOutputs = OutputCount - 1;

}  // namespace

bool FindSecondaryLoopOutput() {
    for (int i = 0; i <= LastActiveOutput(); ++i) {
        OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
        if (!Settings.RegulationWasSecondary && OutputCode(output.OutputType).CanCarryLoop()) {
            output.Regulated = true;
            OperatingPoint.RegulatedOutputCount = 1;
        }
        if (output.Regulated) return true;
    }
    return false;
}

void LoadOutputWork(int16_t index) {
    if (index <= Settings.AdditionalOutputs && index >= 0 && index < OutputCount) {
        OutputWork = Outputs[static_cast<std::size_t>(index)];
    } else {
        OutputWork = OutputBlank;
        OutputWork.Index = index;
    }
}

void StoreOutputWork(int16_t index) {
    if (index < 0 || index >= OutputCount) return;
    OutputRecord& output = Outputs[static_cast<std::size_t>(index)];
    if (OutputWork.Regulated != output.Regulated) {
        const int count = OperatingPoint.RegulatedOutputCount + (OutputWork.Regulated ? 1 : -1);
        OperatingPoint.RegulatedOutputCount =
            static_cast<int16_t>(std::clamp<int>(count, 0, OperatingPoint.MaxRegulatedOutputs));
    }
    output = OutputWork;
    if (index == 0) UpdateChipPicture();
}

std::optional<std::string> SerialElementToolTip(int16_t index, int16_t outputType) {
    const OutputCode type(outputType);
    switch (type.Kind().value_or(OutputKind::Direct)) {
    case OutputKind::Zener: return "Drop Voltage Resistor";
    case OutputKind::Vreg: return type.Negative() ? "Negative Voltage Regulator" : "Positive Voltage Regulator";
    case OutputKind::Self:
        return index == 0 ? std::string("Output Filtering Inductor")
                          : "Output" + std::to_string(index) + " Filtering Inductor";
    case OutputKind::Direct: return std::nullopt;
    }
    return std::nullopt;
}

std::optional<int16_t> PrepareNewOutput() {
    if (!CanAddOutput()) return std::nullopt;
    const auto index = static_cast<int16_t>(LastActiveOutput() + 1);
    Outputs[static_cast<std::size_t>(index)].ActualVoltage = 0;
    return index;
}

bool CanAddOutput() { return Settings.AdditionalOutputs < MostAdditionalOutputs; }

void ToggleClamper() {
    Settings.DesignSaved = false;
    Clamper.RCClamper = !Clamper.RCClamper;
}

}  // namespace zorvic
