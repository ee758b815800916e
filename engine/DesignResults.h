#pragma once
// What a computation leaves besides the design's inputs: every computed field of the design
// records, the computed part of the chip, the working core and grade the search chose, and the
// values the transformer search and the winding optimiser keep between calls.
//
// A computation reads some of them before it writes them: the first pass takes the clamp,
// chip and regulation losses of "the pass before" as estimates, the rectifier chooser the turns
// ratios, a search that records nothing keeps the design recorded before it, a clamp stopped
// by the over-voltage check keeps its parts. So that a design's figures depend on the design
// alone, every computation starts from one fixed set of them: what the default design leaves
// after its first computation at start-up.

#include <array>
#include <optional>
#include <string>

#include "Components.h"
#include "Optimum.h"
#include "Variables.h"

namespace zorvic {

struct DesignResults {
    DesignRecords records;
    std::string coreSupplier;

    // The transformer search's module values.
    int16_t bestPrimaryTurns = 0;
    int16_t bestAuxTurns = 0;
    std::array<int16_t, OutputCount> bestOutputTurns{};
    WireRecord bestPrimaryWire;
    WireRecord bestAuxWire;
    std::array<WireRecord, OutputCount> bestOutputWires{};
    float bestCoreLoss = 0;
    float bestWindingLoss = 0;
    float bestTotalLoss = 0;
    float bestFlux = 0;
    float lowestFlux = 0;
    float skinDepth = 0;
    bool syntheticWireUsed = false;
    int32_t workAuxTurns = 0;
    std::array<int32_t, OutputCount> workOutputTurns{};
    int32_t designEvaluations = 0;
    bool lastSearchRecorded = false;
    OptimiserState optimiser;
    float dutyMax = 0;
};

// The whole state as it stands.
DesignResults CaptureDesignResults();

// Writes every computed value from `results`; the design's inputs stay as they are: the user's
// settings, the mains, chip and package data, the outputs as the user gave them, and the
// inductance, turns, core, grade and rectifiers the user fixed.
void StartFromDesignResults(const DesignResults& results);

// The values every computation starts from; none until the default design was first computed.
// They depend on nothing but the program's own tables, which their computation builds afresh, so
// they stay for the whole run, across File > New and a reset of the design state.
const std::optional<DesignResults>& StartingResults();
void SetStartingResults(std::optional<DesignResults> results);

}  // namespace zorvic
