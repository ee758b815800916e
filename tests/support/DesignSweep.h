#pragma once
// The engine's design sweep: a grid of designs that spans the editors' ranges (input kind and
// range, switching frequency, output power, one to six outputs of the kinds the output editor
// offers), then every winding kind under both core criteria. The transformer sweep test
// computes each of them; the dump tooling writes them as override files and the benchmarks time
// the slowest.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "Optimum.h"
#include "Variables.h"

namespace sweep {

struct InputRange {
    bool Ac;
    float Min;
    float Max;
};

// A design of the sweep as the changes it makes to the start-up design.
struct SweepDesign {
    std::string Name;
    std::optional<InputRange> Input;
    std::optional<int32_t> Frequency;
    float Watts = 0;
    int LastOutput = 0;
    std::optional<int16_t> WindingKind;
    std::optional<bool> TemperatureCriterion;
    bool AnyCore = false;  // every standard core a candidate
};

// Kind, voltage and current of output i when `watts` are shared by outputs 0 to last.
inline constexpr int16_t OutputTypes[] = {9, 7, 1, 3, 13, 5};
inline constexpr float OutputVolts[] = {5, 12, 3.3f, 15, 24, 48};
inline const char* const OutputRegulatorFamily = "VRA";

inline float OutputCurrent(int i, int last, float watts) {
    return watts / static_cast<float>(last + 1) / OutputVolts[i];
}

// The grid first (6 inputs x 7 frequencies x 5 powers x 4 output counts), then the winding
// kinds and criteria at 20 W.
inline std::vector<SweepDesign> DesignSweep() {
    const InputRange inputs[] = {{true, 85, 130}, {true, 85, 264}, {true, 195, 300},
                                 {false, 35, 50}, {false, 36, 72}, {false, 305, 400}};
    const int32_t frequencies[] = {10000, 20000, 50000, 100000, 150000, 200000, 300000};
    const float powers[] = {0.3f, 10, 30, 60, 200};
    const int lastOutputs[] = {0, 1, 3, 5};
    std::vector<SweepDesign> designs;
    for (const InputRange& input : inputs) {
        for (int32_t fsw : frequencies) {
            for (float watts : powers) {
                for (int last : lastOutputs) {
                    SweepDesign d;
                    d.Name = (input.Ac ? "AC " : "DC ") + std::to_string(input.Min) + "-" + std::to_string(input.Max) +
                             " V, " + std::to_string(fsw) + " Hz, " + std::to_string(watts) + " W, " +
                             std::to_string(last + 1) + " outputs";
                    d.Input = input;
                    d.Frequency = fsw;
                    d.Watts = watts;
                    d.LastOutput = last;
                    designs.push_back(d);
                }
            }
        }
    }
    for (int16_t kind : {zorvic::SingleWire, zorvic::ParallelEqualWires, zorvic::ParallelFreeWires}) {
        for (bool temperature : {true, false}) {
            for (int last : {0, 5}) {
                SweepDesign d;
                d.Name = "kind " + std::to_string(kind) + (temperature ? " temperature" : " loss") + ", " +
                         std::to_string(last + 1) + " outputs";
                d.Watts = 20;
                d.LastOutput = last;
                d.WindingKind = kind;
                d.TemperatureCriterion = temperature;
                d.AnyCore = true;
                designs.push_back(d);
            }
        }
    }
    return designs;
}

// Sets the design on the start-up state, ready for ComputeDesign.
inline void ApplySweepDesign(const SweepDesign& d) {
    using namespace zorvic;
    if (d.Input) {
        Settings.ACInput = d.Input->Ac;
        if (d.Input->Ac) {
            InputStage.VacMin = d.Input->Min;
            InputStage.VacMax = d.Input->Max;
        } else {
            InputStage.DCInputMin = d.Input->Min;
            InputStage.DCInputMax = d.Input->Max;
        }
        UpdateDcBusVoltages();
    }
    if (d.Frequency) InputStage.SwitchingFrequency = *d.Frequency;
    if (d.WindingKind) Settings.WindingOptimisationType = *d.WindingKind;
    if (d.TemperatureCriterion) Settings.CoreCriterionTemp = *d.TemperatureCriterion;
    if (d.AnyCore) {
        Settings.GeometryListType = "Any";
        FilterGeometryList();
    }
    Settings.AdditionalOutputs = static_cast<int16_t>(d.LastOutput);
    for (int i = 0; i <= d.LastOutput; ++i) {
        OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
        output.OutputType = OutputTypes[i];
        output.Voltage = OutputVolts[i];
        output.Current = OutputCurrent(i, d.LastOutput, d.Watts);
        output.Regulator.Family = OutputRegulatorFamily;
    }
}

}  // namespace sweep
