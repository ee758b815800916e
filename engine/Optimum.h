#pragma once
// Winding optimisation: divides the usable winding window among the transformer's windings so
// that the total copper loss is as low as possible. A gradient search adjusts the insulated
// strand diameters and the numbers of parallel strands; every trial fills the window exactly
// (each strand taking a square of its insulated diameter).

#include <array>
#include <cstdint>

namespace zorvic {

// Windings in the order the optimiser visits them: the primary, the auxiliary winding, then
// outputs 0 to 5.
inline constexpr int PrimaryWinding = 0;
inline constexpr int AuxWinding = 1;
inline constexpr int FirstOutputWinding = 2;
inline constexpr int WindingCount = FirstOutputWinding + 6;
constexpr int OutputWinding(int output) { return FirstOutputWinding + output; }

// Kinds of winding (Settings.WindingOptimisationType).
inline constexpr int16_t SingleWire = 0;          // diameters only, strand counts kept
inline constexpr int16_t ParallelEqualWires = 1;  // one common diameter, strand counts only
inline constexpr int16_t ParallelFreeWires = 2;   // both

// The winding description exchanged with the transformer design: per winding its turns, its
// number of parallel strands (continuous while optimising) and the insulated diameter of one
// strand in mm.
struct WindingSet {
    std::array<int32_t, WindingCount> Turns{};
    std::array<float, WindingCount> Strands{};
    std::array<float, WindingCount> Diameter{};
};

// One component per winding, for the diameters or for the strand counts.
using Gradient = std::array<double, WindingCount>;

// Module state, set at the start of each OptimiseWinding call. Each thread has its own, so that
// candidates can be optimised side by side; the design's is that of the thread it is computed on.
extern thread_local float TurnLength;          // m, length of one turn
extern thread_local float OptimumSkinDepth;    // mm, 66 / sqrt(fsw)
extern thread_local int16_t OptimisationType;  // SingleWire, ParallelEqualWires or ParallelFreeWires
extern thread_local int16_t LastOutput;        // Settings.AdditionalOutputs
extern thread_local int16_t MaxStrands;        // Transfo.ParallelWireMax
extern thread_local int32_t OptimiseIterations;  // iterations the last OptimiseWinding call ran

// The module state above as one value, to keep and put back around work that changes it.
struct OptimiserState {
    float turnLength = 0;
    float skinDepth = 0;
    int16_t optimisationType = SingleWire;
    int16_t lastOutput = 0;
    int16_t maxStrands = 1;
    int32_t iterations = 0;

    static OptimiserState Now();
    void Restore() const;
};

// The iterations stop after this many even when the changes have not settled.
inline constexpr int32_t MaxOptimiseIterations = 100;

// The optimised set for a turn of turnLength (m) and a usable window (mm2). The currents are
// Transfo.IrmsMax (primary), CurrentChip.SupplyCurrent (auxiliary) and each output's
// IrmsSecondary. The auxiliary winding always starts with one strand. Returns the set of lowest
// copper loss found; strand counts stay continuous.
WindingSet OptimiseWinding(float turnLength, float window, const WindingSet& set, int16_t kind);

// Copper loss (W) of the set OptimiseWinding starts from (set's diameters scaled to fill the
// window): the set it returns never loses more. Leaves the module state as it was.
double AllocatedCopperLoss(float turnLength, float window, const WindingSet& set, int16_t kind);

// Copper loss (W) of a set, at the module's turn length and skin depth.
double TotalCopperLoss(const WindingSet& set);

// Resistance per length (ohm/m) of a magnet wire of insulated diameter d (mm), at the module's
// skin depth.
float WireResistancePerLength(float d);

// One diameter for every winding that fills the window.
void EqualDiameterAllocation(float window, WindingSet& set);
// Every diameter scaled by one factor so that the set fills the window.
void WeightedDiameterAllocation(float window, WindingSet& set);

// The set moved from base along the two gradients by step t, filling the window.
WindingSet TryAllocation(float window, const WindingSet& base, const Gradient& gd, const Gradient& gs,
                         float t);

// Line search along the gradients (one of them all zero): moves set and its loss when a
// better point is found.
void OptimiseStep(float window, WindingSet& set, const Gradient& gd, const Gradient& gs, float& s,
                  double& loss);

// x + a b for a >= 0, x / (1 - a b) below: a decrease never makes x negative.
float StepValue(float x, float a, float b);
// x + a b kept within 1 to max.
float ClampStep(float x, float a, float b, int16_t max);

// Gradients at a set of loss L. Components whose divisor is zero count as 0.
Gradient DiameterGradient(float window, const WindingSet& set, double loss);
Gradient StrandGradient(float window, const WindingSet& set, double loss);

}  // namespace zorvic
