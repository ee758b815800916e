#pragma once
// What both harnesses share: a design to start every input from, and a hard stop when a
// promise of the readers is broken.

#include <cstdio>
#include <cstdlib>

#include "Components.h"
#include "Variables.h"

namespace fuzzing {

// The records a reader may change, copied so that each input starts from the same design.
struct DesignCopy {
    zorvic::SettingsRecord settings;
    zorvic::OperatingRecord operating;
    zorvic::RegulationRecord regulation;
    zorvic::TransfoRecord transfo;
    zorvic::ClamperRecord clamper;
    zorvic::InputRecord input;
    zorvic::ControlRecord control;
    std::array<zorvic::OutputRecord, zorvic::OutputCount> outputs;
    zorvic::OutputRecord blank;
    zorvic::ChipRecord chip;
    zorvic::CoreGeometry core;
    zorvic::CoreMaterial material;
    std::array<zorvic::CoreGeometry, zorvic::CustomCoreListSize> customList;
    int16_t customCount = 0;

    void Take() {
        using namespace zorvic;
        settings = Settings;
        operating = OperatingPoint;
        regulation = Regulation;
        transfo = Transfo;
        clamper = Clamper;
        input = InputStage;
        control = Control;
        outputs = Outputs;
        blank = OutputBlank;
        chip = CurrentChip;
        core = CurrentCore;
        material = CurrentMaterial;
        customList = CustomCoreList;
        customCount = CustomCoreCount;
    }
    void Restore() const {
        using namespace zorvic;
        Settings = settings;
        OperatingPoint = operating;
        Regulation = regulation;
        Transfo = transfo;
        Clamper = clamper;
        InputStage = input;
        Control = control;
        Outputs = outputs;
        OutputBlank = blank;
        CurrentChip = chip;
        CurrentCore = core;
        CurrentMaterial = material;
        CustomCoreList = customList;
        CustomCoreCount = customCount;
    }
};

inline void Require(bool condition, const char* promise) {
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

}  // namespace fuzzing
