#pragma once
// The designs the benchmarks time, set up once here.

#include <cstddef>
#include <cstdint>

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

}  // namespace bench
