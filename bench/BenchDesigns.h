#pragma once
// The designs the benchmarks time, set up once here.

#include <cstddef>
#include <cstdint>

#include "ComputeDesign.h"
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

}  // namespace bench
