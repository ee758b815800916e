#pragma once
// The designs the benchmarks time, set up once here.

#include <cstddef>
#include <cstdint>

#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "Optimum.h"
#include "NumberText.h"
#include "Variables.h"

namespace bench {

// The design the program starts with, not yet computed.
inline void DefaultDesign() {
    zorvic::ResetDesignState();
    zorvic::SetLocaleDecimalSeparator('.');
    zorvic::ApplyDesignDefaults();
}

// Six outputs of different kinds; with secondary regulation the first three are regulated, so
// the reference, the divider and the compensation run on every pass.
inline void SixOutputDesign(bool secondary) {
    DefaultDesign();
    using zorvic::Outputs;
    zorvic::Settings.AdditionalOutputs = 5;
    zorvic::OperatingPoint.SecondaryRegulation = secondary;
    const int16_t types[] = {9, 1, 3, 5, 7, 13};
    const float volts[] = {5, 12, 3.3f, 15, 24, 5};
    for (std::size_t i = 0; i < 6; ++i) {
        Outputs[i].OutputType = types[i];
        Outputs[i].Voltage = volts[i];
        Outputs[i].Current = 0.2f;
        Outputs[i].Regulator.Family = "VRA";
        Outputs[i].Regulated = secondary && i < 3;
    }
}

// Three outputs on 133 to 290 V mains with a 400 V chip: the input over-voltage warning asks for
// a pass after every pass, so a computation with no window to change the design runs every
// refining pass it may.
inline void OverVoltageThreeOutputDesign() {
    DefaultDesign();
    using namespace zorvic;
    CurrentChip = ChipTable[11];
    InputStage.SwitchingFrequency = 101000;
    OperatingPoint.ChipPackageType = 0;
    OperatingPoint.RthJunctionPin = 2.0f;
    Settings.ACInput = true;
    InputStage.VacMin = 133;
    InputStage.VacMax = 290;
    InputStage.MainsFrequency = 60;
    InputStage.ReflectedVoltage = 89;
    OperatingPoint.RthPinAmbient = 35;
    Settings.AdditionalOutputs = 2;
    OperatingPoint.SecondaryRegulation = false;
    OutputRecord& main = Outputs[0];
    main.Voltage = 23.9f;
    main.Current = 4.5f;
    main.OutputType = 9;
    OutputRecord& negative = Outputs[1];
    negative.Voltage = 9.8f;
    negative.Current = 0.19f;
    negative.MinimumCurrent = 0.009f;
    negative.OutputType = 8;
    negative.Polarity = false;
    negative.Regulator.Family = "StdNeg";
    negative.RippleFirstCell = 0.59f;
    negative.RippleSecondCell = 0.5f;
    negative.CapacitorDerating = 7.3f;
    OutputRecord& third = Outputs[2];
    third.Voltage = 27.2f;
    third.Current = 1.88f;
    third.OutputType = 5;
    third.RippleFirstCell = 0.97f;
    third.RippleSecondCell = 0.65f;
    UpdateDcBusVoltages();
}

// Far more power than the chip can deliver: 350 W from a 50 to 67 V DC input at 60 kHz, whose
// duty cycle is far above 1. Every core loss of the transformer search is no number, so it tries
// every turn count up to 500 on every standard core (a narrow window under the temperature
// criterion).
inline void NoNumberLossDesign() {
    DefaultDesign();
    using namespace zorvic;
    CurrentChip = ChipTable[12];
    Settings.ACInput = false;
    InputStage.DCInputMin = 50;
    InputStage.DCInputMax = 67;
    InputStage.SwitchingFrequency = 60000;
    InputStage.ReflectedVoltage = 96;
    OutputRecord& main = Outputs[0];
    main.OutputType = 9;
    main.Voltage = 117;
    main.Current = 3.03f;
    main.MinimumCurrent = 2.77f;
    Settings.BmaxRatio = 0.378f;
    Transfo.WindowFactor = 0.07f;
    Transfo.ParallelWireMax = 2;
    Settings.WindingOptimisationType = ParallelEqualWires;
    Settings.CoreCriterionTemp = true;
    Transfo.MaxDeltaT = 54.1f;
    Settings.GeometryListType = "Any";
    FilterGeometryList();
    UpdateDcBusVoltages();
}

// Six outputs at the output editor's 30 A each from 111 to 230 V AC at 37 kHz: far beyond the
// chip, so the outputs carry no current in the transformer search, whose optimiser shrinks their
// windings toward nothing.
inline void NoCurrentOutputsDesign() {
    DefaultDesign();
    using namespace zorvic;
    CurrentChip = ChipTable[2];
    InputStage.VacMin = 111;
    InputStage.VacMax = 230;
    InputStage.SwitchingFrequency = 37000;
    InputStage.ReflectedVoltage = 70;
    Settings.AdditionalOutputs = 5;
    const int16_t types[] = {9, 7, 3, 1, 7, 3};
    const float volts[] = {28.3f, 20.9f, 9.89f, 0.279f, 3.45f, 0.501f};
    for (std::size_t i = 0; i < 6; ++i) {
        Outputs[i].OutputType = types[i];
        Outputs[i].Voltage = volts[i];
        Outputs[i].Current = 30;
        Outputs[i].Regulator.Family = "SemiPos";
    }
    Settings.BmaxRatio = 0.873f;
    Transfo.ParallelWireMax = 9;
    Settings.WindingOptimisationType = ParallelFreeWires;
    Settings.CoreCriterionTemp = true;
    Transfo.MaxDeltaT = 86.7f;
    Settings.GeometryListType = "Any";
    FilterGeometryList();
    UpdateDcBusVoltages();
}

}  // namespace bench
