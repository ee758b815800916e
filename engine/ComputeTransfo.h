#pragma once
// The transformer design: ferrite grade for the switching frequency, the candidate core list,
// primary and winding turns, magnet wire choice, air gap and the thermal rules of thumb that
// relate a core's loss to its temperature rise; the search over cores and turns built from them
// (one candidate's evaluation, its record, the search itself) and the copy of the finished
// transformer into the design. None of them speaks to the user.
//
// Units: core dimensions as stored in CoreGeometry (mm, mm2, mm3), flux density in T,
// inductance in H, wire areas in mm2, wire resistance in ohm/m, the air gap in m.

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Components.h"
#include "Optimum.h"
#include "Variables.h"

namespace zorvic {

// Turn counts are computed in 32-bit integers; a winding needs at most this many turns to be
// stored in the design. A core that would need more is not a candidate.
inline constexpr int32_t MaxTurns = 32767;
// What ComputeTurns returns when no usable turn count exists for the request (none up to
// MaxTurns, or a user count below 1). Callers test for a result above MaxTurns.
inline constexpr int32_t NoTurnCount = MaxTurns + 1;

// Module state kept for the whole run.
extern float SkinDepth;         // mm, 66 / sqrt(fsw); written by the design loop at its start
// SelectWire had to make a wire thinner than AWG 44; each thread has its own, as the optimiser's
// module state.
extern thread_local bool SyntheticWireUsed;
extern int32_t WorkAuxTurns;    // auxiliary turns belonging to the last ComputeTurns result
extern std::array<int32_t, OutputCount> WorkOutputTurns;  // output turns, same primary turns

// The recorded design of the transformer search (written by the design loop, read by
// ComputeAirGap and by the copy into the design state).
extern int16_t BestPrimaryTurns;
extern int16_t BestAuxTurns;
extern std::array<int16_t, OutputCount> BestOutputTurns;
extern WireRecord BestPrimaryWire;
extern WireRecord BestAuxWire;
extern std::array<WireRecord, OutputCount> BestOutputWires;
extern float BestCoreLoss;     // W
extern float BestWindingLoss;  // W
extern float BestTotalLoss;    // W, 1e10 = nothing recorded yet
extern float BestFlux;         // T, peak flux density of the recorded design
extern float LowestFlux;       // T, lowest Bdc + Bpk met during a run

// Back to what the module holds at program start (zero, empty, false).
void ResetTransformerState();

// Rebuilds CandidateCores / CandidateCoreLast for Settings.GeometryListType: the standard rows
// of that series in table order, every standard row for "Any", the user's custom cores for
// "Custom". A family without any core leaves the list as it was.
void FilterGeometryList();

// The grade whose frequency range holds fsw strictly inside it with the lowest upper limit
// (first in table order on a tie). Leaves CurrentMaterial alone when the user fixed it.
void SelectCoreMaterial(int32_t fsw);

// Share of a round conductor of area A (mm2) that carries current at SkinDepth, 0 to 1.
float SkinAreaRatio(float A);

// Temperature rise (K) of a core losing P watts, and its inverse, from the area product
// W x Ae in cm4.
double CoreTempRise(float P, const CoreGeometry& core);
double CoreMaxLoss(float dT, const CoreGeometry& core);

// The thickest table wire whose insulated area is not above A (mm2), with its resistance per
// length raised for the skin effect at InputStage.SwitchingFrequency. A below AWG 44 gives a
// synthetic wire of AWG 44's resistivity when allowed (or once one was made); a non-positive A
// gives AWG 44.
WireRecord SelectWire(float A, bool allowSynthetic);

// Index of the output with the lowest VoltageBeforeDiode (the lower index on a tie).
int16_t FindLowestOutput();

// Minimum primary turns for core area Ae (mm2) and path Le (mm): enough to stay below the flux
// limit and to reach the primary inductance ungapped; then as ComputeTurns.
int32_t ComputePrimaryTurns(float Ae, float Le);

// The first primary turns above nMin that come from a whole number of turns on the lowest
// output (or the user's primary turns); sets WorkAuxTurns and WorkOutputTurns to match.
// NoTurnCount when some winding would need more than MaxTurns.
int32_t ComputeTurns(int32_t nMin);

// Transfo.AirGap (m) for BestPrimaryTurns on CurrentCore of CurrentMaterial; 0 when the grade,
// the core or the inductance gives no number.
void ComputeAirGap();

// ---- Steps of the transformer search --------------------------------------------------------

// Voltage the auxiliary winding must give the chip (before its diode): the middle of the chip's
// supply range under secondary regulation, its regulated supply voltage under primary regulation.
float AuxWindingVoltage();

// Volt-amperes of each winding (proportional to its ampere-turns): the weights of its share of
// the window.
struct WindingWeights {
    float Primary = 0;
    float Aux = 0;
    std::array<float, OutputCount> Outputs{};
    float Sum = 0;
};

// The weights of the present operating point; also sets Transfo.AuxTurnsRatio.
WindingWeights ComputeWindingWeights();

// Transfo.PrimaryWindingArea, AuxWindingArea and OutputWindingArea of the active outputs: the
// usable window (mm2) shared by the weights. With no weight at all every share is 0.
void SetWindowShares(float usableWindow, const WindingWeights& weights);

// One core and turn count of the search, with its wires chosen and optimised.
struct CandidateDesign {
    int32_t PrimaryTurns = 0;
    int32_t AuxTurns = 0;
    std::array<int32_t, OutputCount> OutputTurns{};
    float PeakFlux = 0;     // T, Bpk
    float CoreLoss = 0;     // W
    float WindingLoss = 0;  // W
    float TotalLoss = 0;    // W, core + winding
    WireRecord PrimaryWire;
    WireRecord AuxWire;
    std::array<WireRecord, OutputCount> OutputWires{};
    WindingSet Winding;  // the optimised set the wires were chosen for
};

// The turns of one candidate: the primary's and those the ComputeTurns call that gave it left
// in WorkAuxTurns and WorkOutputTurns.
struct CandidateTurns {
    int32_t Primary = 0;
    int32_t Aux = 0;
    std::array<int32_t, OutputCount> Outputs{};
    bool operator==(const CandidateTurns&) const = default;
};
// primaryTurns with WorkAuxTurns and WorkOutputTurns.
CandidateTurns WorkingTurns(int32_t primaryTurns);

// The window shares of one core, mm2: the primary's, the auxiliary's and each output's.
struct WindowShares {
    float Primary = 0;
    float Aux = 0;
    std::array<float, OutputCount> Outputs{};
};
// Those SetWindowShares left in the transformer record.
WindowShares CurrentWindowShares();

// Peak flux, core loss, starting wires, optimised winding, final wires and copper loss for
// primaryTurns on core, with WorkAuxTurns and WorkOutputTurns (from the ComputeTurns call that
// gave primaryTurns) and the window shares of SetWindowShares. Clears SyntheticWireUsed first.
// A winding that carries no current, or has no turns, adds no loss.
CandidateDesign EvaluateCandidate(const CoreGeometry& core, int32_t primaryTurns);
// The same for the given turns and window shares. It writes only its result and the calling
// thread's SyntheticWireUsed and optimiser state, so that candidates can be evaluated side by side.
CandidateDesign EvaluateCandidate(const CoreGeometry& core, const CandidateTurns& turns, const WindowShares& shares);

// Peak flux density Bpk (T) of primaryTurns on core, and the core loss (W) at that flux.
float PeakFluxAt(const CoreGeometry& core, int32_t primaryTurns);
float CoreLossAt(const CoreGeometry& core, float peakFlux);

// The winding set a candidate's optimisation starts from, for primaryTurns with WorkAuxTurns and
// WorkOutputTurns and the window shares of SetWindowShares: each winding's starting wire (clears
// SyntheticWireUsed first) as diameter, one strand for single wires, half the strand limit
// otherwise.
WindingSet StartingWinding(int32_t primaryTurns);
WindingSet StartingWinding(const CandidateTurns& turns, const WindowShares& shares);

// A floor under the copper loss of every candidate on one core, known before its winding is
// optimised. Whatever the optimiser does, it fills the window, and each final wire takes at most
// its strand's square (4 / 3 of it once the strand count is rounded) at no less than the lowest
// resistance times insulated area of any wire a strand of its share can be (skin effect
// included); only the auxiliary winding, or a winding shrunk to nothing, can get the thinnest
// table wire beyond its share. The best filling of the window with such copper loses no less
// than (sum of N I sqrt(that resistance))^2 x Lm / window.
class CopperLossFloor {
public:
    // For core at the present currents, strand limit and kind of winding. Not usable (At gives
    // 0) when the window, the turn length or a current gives no number.
    explicit CopperLossFloor(const CoreGeometry& core);

    // W, for the turns of one candidate whose starting set loses allocatedLoss once allocated
    // (AllocatedCopperLoss); 0 when any turn count is negative.
    double At(int32_t primaryTurns, int32_t auxTurns, const std::array<int32_t, OutputCount>& outputTurns,
              double allocatedLoss) const;

private:
    bool usable_ = false;
    double window_ = 0;        // mm2 the rounded strands may take
    double usableWindow_ = 0;  // mm2 the optimiser fills
    double lengthFactor_ = 0;  // Lm in m
    double turnLength_ = 0;    // m, one turn as the optimiser takes it
    double thinnest_ = 0;      // mm2, the thinnest wire's insulated area
    // ohm mm2/m: Rlin x AreaIns of AWG 44's copper alone, of a synthetic wire, of AWG 44, and
    // for each table row its insulated area and the lowest value of the rows up to it.
    double copper44_ = 0;
    double synthetic_ = 0;
    double thinnestRow_ = 0;
    std::array<std::pair<double, double>, WireTableSize> rows_{};
    std::array<double, WindingCount> current_{};
    std::array<double, WindingCount> strandsMax_{};  // the largest rounded strand count
};

// Makes candidate the recorded design: every Best* value (turns and wires included) and
// CurrentCore := core. Turn counts above MaxTurns must have been refused before.
void RecordCandidate(const CandidateDesign& candidate, const CoreGeometry& core);

// Volts per turn of the finished transformer: the mean over the regulated outputs of
// VoltageBeforeDiode / BestOutputTurns under secondary regulation; under primary regulation,
// or when no regulated output has turns, (VddReg + 0.6) / BestAuxTurns; with no auxiliary
// turns either, the reflected voltage over the primary turns; 0 with no turns at all.
float FinishedVoltsPerTurn();

// Copies the recorded design into the design state: material, core, losses, flux, turns,
// wires, the actual reflected voltage and every active output's actual voltage.
// OperatingPoint.TransformerLoss is the recorded core + winding loss, so it never holds the
// search's "nothing yet" value.
void ApplyRecordedDesign();

// ---- The search -----------------------------------------------------------------------------

// Core and turn counts the last DesignTransformer run evaluated, and whether it recorded a
// design (a run that records none leaves the previous record).
extern int32_t DesignEvaluations;
extern bool LastSearchRecorded;

// Searches the candidate cores from small to large (only CurrentCore when the user fixed the
// geometry) and for each the primary turns from the minimum upwards, until the recorded design's
// core + copper loss is below the allowed loss: CoreMaxLoss of the core under the temperature
// criterion, else Transfo.CoreLossShare of P (W). Records the best design below the flux limit,
// or the least saturating one while there is none. Once a design below the flux limit is
// recorded, a core is left as soon as the core loss plus the copper floor of each of its
// remaining turn counts is above the recorded loss: none of them could be recorded. Sets Settings.DesignWithinLoss,
// Settings.DesignFound and Transfo.DesignRecorded; true when a design below the flux limit was
// recorded.
bool DesignTransformer(float P);

// A float compared by its bits: equal only to the very same number, so that -0 is not 0 and a
// value of no number equals itself.
struct FloatBits {
    uint32_t Bits = 0;
    FloatBits() = default;
    FloatBits(float x) : Bits(std::bit_cast<uint32_t>(x)) {}  // implicit: a float stands for its bits
    bool operator==(const FloatBits&) const = default;
};

// A core and a wire with their numbers as bits: the search reads their numbers and records them
// whole, names and indices included.
struct CoreBits {
    std::string Series;
    std::string Name;
    FloatBits Ae, Le, Lm, W, Ve, LeOverAe, Rth;
    int16_t Index = 0;

    CoreBits() = default;
    explicit CoreBits(const CoreGeometry& core);
    bool operator==(const CoreBits&) const = default;
};

struct WireBits {
    int16_t Awg = 0;
    FloatBits Area, AreaIns, Rlin;
    int16_t Index = 0;
    int16_t Strands = 0;

    WireBits() = default;
    explicit WireBits(const WireRecord& wire);
    bool operator==(const WireBits&) const = default;
};

// Everything the search of ComputeTransformer reads (the hint from the search before it aside,
// which changes how much it evaluates, never what it leaves in the design): two searches that
// read equal inputs record the same design. What the search does not read stays at its default:
// the primary turns unless the user fixed them, the user's core unless the user fixed the
// geometry, the candidates while the user's core stands alone, the outputs past the last one.
struct SearchInputs {
    FloatBits Power;  // Transfo.InputPower
    int32_t SwitchingFrequency = 0;
    FloatBits ReflectedVoltage;
    FloatBits VdcMin;
    FloatBits DutyCycleAtVmin;
    FloatBits ContRatio;
    bool SecondaryRegulation = false;
    FloatBits BmaxRatio;
    bool UserPrimaryTurns = false;
    int16_t PrimaryTurns = 0;
    bool UserCoreGeometry = false;
    bool CoreCriterionTemp = false;
    int16_t WindingOptimisationType = 0;
    int16_t AdditionalOutputs = 0;
    FloatBits Lprimary;
    FloatBits IrmsMax;
    FloatBits IpeakMax;
    FloatBits WindowFactor;
    FloatBits CoreLossShare;
    FloatBits MaxDeltaT;
    int16_t ParallelWireMax = 0;
    // Of CurrentMaterial.
    FloatBits Bsat, Ui100, K, K1, K2, Bdc;
    // Of CurrentChip.
    FloatBits Vdd1, Vdd2, VddReg, SupplyCurrent;
    std::array<FloatBits, OutputCount> VoltageBeforeDiode{};
    std::array<FloatBits, OutputCount> IrmsSecondary{};
    CoreBits UserCore;
    std::vector<CoreBits> CandidateCores;  // elements 0 to CandidateCoreLast
    std::array<WireBits, WireTableSize> Wires{};

    bool operator==(const SearchInputs&) const = default;
};

// The inputs of a search on the present design state: the one place they are read.
SearchInputs ReadSearchInputs();

// Searches ComputeTransformer ran since ResetTransformerState, not counting those whose design
// it put back.
extern int32_t SearchesRun;

// Designs the transformer of the present operating point: grade, search, air gap, and the copy
// of the recorded design into the design state. A search whose inputs equal those of the one
// before it is not run again: what that one left is put back. Under the loss criterion any other
// search leaves early the cores that cannot beat the design the previous search recorded (first
// evaluated on today's inputs), or that cannot get below the allowed loss when that design can,
// as long as it leaves what DesignTransformer would (else it runs DesignTransformer's search).
void ComputeTransformer();

}  // namespace zorvic
