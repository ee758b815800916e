#pragma once
// What both harnesses share: a design to start every input from, and a hard stop when a
// promise of the readers is broken.

#include <array>
#include <cstdio>
#include <cstdlib>

#include "Components.h"
#include "Variables.h"

namespace fuzzing {

// The records a reader may change, copied so that each input starts from the same design.
struct DesignCopy {
    zorvic::DesignRecords records;
    zorvic::OutputRecord blank;
    std::array<zorvic::CoreGeometry, zorvic::CustomCoreListSize> customList;
    int16_t customCount = 0;

    void Take() {
        using namespace zorvic;
        records = DesignRecords::Now();
        blank = OutputBlank;
        customList = CustomCoreList;
        customCount = CustomCoreCount;
    }
    void Restore() const {
        using namespace zorvic;
        records.Restore();
        OutputBlank = blank;
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
