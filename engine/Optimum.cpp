#include "Optimum.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <tuple>

#include "Formula.h"
#include "Variables.h"

namespace zorvic {

thread_local float TurnLength = 0;
thread_local float OptimumSkinDepth = 0;
thread_local int16_t OptimisationType = SingleWire;
thread_local int16_t LastOutput = 0;
thread_local int16_t MaxStrands = 1;
thread_local int32_t OptimiseIterations = 0;

namespace {

// Sets are compared to the bit as whole objects: no padding between their numbers.
static_assert(sizeof(WindingSet) == 3 * WindingCount * 4);
constexpr Gradient NoGradient{};

// Primary, auxiliary and outputs 0 to LastOutput.
int ActiveWindings() {
    return OutputWinding(LastOutput) + 1;
}

// The sums over the windings run auxiliary first, then primary, then the outputs.
template <typename Visit>
void ForEachWindingAuxFirst(int lastOutput, Visit visit) {
    visit(AuxWinding);
    visit(PrimaryWinding);
    for (int i = 0; i <= lastOutput; ++i) visit(OutputWinding(i));
}

float WindingCurrent(int winding) {
    if (winding == PrimaryWinding) return Transfo.IrmsMax;
    if (winding == AuxWinding) return CurrentChip.SupplyCurrent;
    return Outputs[static_cast<std::size_t>(winding - FirstOutputWinding)].IrmsSecondary;
}

// A 64-bit value as a 32-bit float, saturating instead of leaving the float's range (a
// gradient over a nearly vanished diameter can exceed it).
float ToFloat(double x) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (x > largest) return std::numeric_limits<float>::max();
    if (x < -largest) return -std::numeric_limits<float>::max();
    return static_cast<float>(x);
}

// Window area a winding takes: each strand a square of its insulated diameter. N x strands x d2,
// the square taken first.
float WindingArea(const WindingSet& set, int j) {
    const auto k = static_cast<std::size_t>(j);
    return static_cast<float>(set.Turns[k]) * set.Strands[k] * (set.Diameter[k] * set.Diameter[k]);
}

// The resistance per length of a magnet wire of insulated diameter d (mm) at skin depth `skin`
// (mm), by the formula as it is stated: 64 bits, except the bare radius, which is kept as a
// 32-bit value.
inline float ResistanceAsStated(float d, float skin) {
    // Bare diameter from the insulated one by the grade-1 insulation build (diameters in cm).
    const double x = static_cast<double>(d) / 10.0;
    const double f = 2.2467e-7 / (x * x * x) - 6.71761e-5 / (x * x) + 0.0064977 / x + 1.01156;
    // A zero diameter meets inf - inf in the factor: no copper is left but the 1e-10 cm floor.
    const double bare = std::isfinite(f) ? 10.0 * (x / f + 1e-10) : 10.0 * 1e-10;
    const auto r = static_cast<float>(bare / 2.0);
    const auto radius = static_cast<double>(r);
    double area = PiDouble * (radius * radius);
    if (r > skin) {
        const double dead = radius - static_cast<double>(skin);
        area = PiDouble * (radius * radius) - PiDouble * (dead * dead);
    }
    return static_cast<float>(0.0172 / area);  // copper, 0.0172 ohm mm2/m
}

// Resistance of each of n diameters (at most 64), as ResistanceAsStated gives it, with one
// division instead of four before the bare radius, which is the only rounding to 32 bits on the
// way there: x / f is x^4 / (a - b x + c x^2 + e x^3). Over every diameter of 1e-5 to 100 mm the
// sum's terms are at most 5.4 times its value and the value is positive, so this quotient and
// the stated one each lie within 130 units of the 64-bit last place of the exact value. When the
// float nearest to this radius is also the nearest to every number 2^-36 around it, the stated
// form rounds to that float too. The quick form runs for all diameters in one pass free of
// branches (several at once), then the stated form where it is not certain (about one diameter
// in a thousand) or the diameter is out of that range.
inline void Resistances(const float* d, float* resistance, int n, float skin) {
    constexpr int Most = 64;
    std::array<bool, Most> sure;
    constexpr double margin = 0x1p-36;
    for (int i = 0; i < n; ++i) {
        const float di = d[i];
        const double x = static_cast<double>(di) * 0.1;
        const double x2 = x * x;
        const double p = ((1.01156 * x + 0.0064977) * x - 6.71761e-5) * x + 2.2467e-7;
        const double half = 10.0 * (x2 * x2 / p + 1e-10) * 0.5;
        const auto r = static_cast<float>(half);
        const auto low = static_cast<float>(half * (1.0 - margin));
        const auto high = static_cast<float>(half * (1.0 + margin));
        const auto radius = static_cast<double>(r);
        const double whole = PiDouble * (radius * radius);
        const double dead = radius - static_cast<double>(skin);
        const double ring = PiDouble * (radius * radius) - PiDouble * (dead * dead);
        // The ring where the skin depth leaves a core without current, else the whole section,
        // chosen by bits so that the loop has no branch.
        const uint64_t ringMask = uint64_t{0} - static_cast<uint64_t>(r > skin);
        const double area = std::bit_cast<double>((std::bit_cast<uint64_t>(ring) & ringMask) |
                                                  (std::bit_cast<uint64_t>(whole) & ~ringMask));
        resistance[i] = static_cast<float>(0.0172 / area);
        sure[static_cast<std::size_t>(i)] = (di >= 1e-5f) & (di <= 100.0f) & (low == r) & (high == r);
    }
    for (int i = 0; i < n; ++i)
        if (!sure[static_cast<std::size_t>(i)]) resistance[i] = ResistanceAsStated(d[i], skin);
}

// The resistance of one diameter, as Resistances gives it.
inline float Resistance(float d, float skin) {
    float resistance = 0;
    Resistances(&d, &resistance, 1, skin);
    return resistance;
}

// The copper loss of the sets one optimisation tries, several sets at a time: the resistances
// of all their windings first, side by side (one for a set whose windings share one diameter),
// then each set's terms added in the order of TotalCopperLoss, so that each total is the same
// number. Holds the turn length, the skin depth and the currents of the moment it was made, and
// the turns of the sets it is given, which are those of turnsOf.
class CopperLoss {
public:
    static constexpr int MaxSets = WindingCount;

    explicit CopperLoss(const WindingSet& turnsOf) {
        const int lastOutput = LastActiveOutput();
        const auto turnLength = static_cast<double>(TurnLength);
        ForEachWindingAuxFirst(lastOutput, [&](int j) {
            const auto k = static_cast<std::size_t>(count_);
            order_[k] = j;
            const auto current = static_cast<double>(WindingCurrent(j));
            // N x TurnLength x I2, the first products of each term.
            turnsFactor_[k] = static_cast<double>(turnsOf.Turns[static_cast<std::size_t>(j)]) * turnLength *
                              (current * current);
            ++count_;
        });
        skin_ = OptimumSkinDepth;
        mayShare_ = OptimisationType == ParallelEqualWires;
    }

    double Total(const WindingSet& set) const {
        const WindingSet* sets[] = {&set};
        double total = 0;
        Totals(sets, 1, &total);
        return total;
    }

    // totals[i] := the loss of *sets[i], for n sets (at most MaxSets).
    void Totals(const WindingSet* const* sets, int n, double* totals) const {
        std::array<float, MaxSets * WindingCount> d;
        std::array<float, MaxSets * WindingCount> resistance;
        std::array<bool, MaxSets> shared;
        int m = 0;
        for (int i = 0; i < n; ++i) {
            const WindingSet& set = *sets[i];
            const float first = set.Diameter[static_cast<std::size_t>(order_[0])];
            // Resistances gives equal diameters equal values: only the kind that shares one
            // diameter is worth looking for it.
            bool same = mayShare_;
            for (int k = 1; k < count_ && same; ++k)
                same = same && std::bit_cast<uint32_t>(set.Diameter[static_cast<std::size_t>(order_[static_cast<std::size_t>(k)])]) ==
                                   std::bit_cast<uint32_t>(first);
            shared[static_cast<std::size_t>(i)] = same;
            for (int k = 0; k < (same ? 1 : count_); ++k)
                d[static_cast<std::size_t>(m++)] = set.Diameter[static_cast<std::size_t>(order_[static_cast<std::size_t>(k)])];
        }
        Resistances(d.data(), resistance.data(), m, skin_);
        m = 0;
        for (int i = 0; i < n; ++i) {
            const WindingSet& set = *sets[i];
            double loss = 0;
            for (int k = 0; k < count_; ++k) {
                const float r = resistance[static_cast<std::size_t>(shared[static_cast<std::size_t>(i)] ? m : m + k)];
                loss += TermWith(set, k, r);
            }
            m += shared[static_cast<std::size_t>(i)] ? 1 : count_;
            totals[i] = loss;
        }
    }

    // The loss of set, and its terms in the order they are added.
    double Terms(const WindingSet& set, std::array<double, WindingCount>& terms) const {
        std::array<float, WindingCount> resistance{};
        for (int k = 0; k < count_; ++k)
            resistance[static_cast<std::size_t>(k)] =
                Resistance(set.Diameter[static_cast<std::size_t>(order_[static_cast<std::size_t>(k)])], skin_);
        double loss = 0;
        for (int k = 0; k < count_; ++k) {
            terms[static_cast<std::size_t>(k)] = TermWith(set, k, resistance[static_cast<std::size_t>(k)]);
            loss += terms[static_cast<std::size_t>(k)];
        }
        return loss;
    }

    // The loss of set, which differs from the set of `terms` only in winding j.
    double TotalWithOneChanged(const WindingSet& set, int j, const std::array<double, WindingCount>& terms) const {
        double loss = 0;
        for (int k = 0; k < count_; ++k) {
            if (order_[static_cast<std::size_t>(k)] != j) {
                loss += terms[static_cast<std::size_t>(k)];
            } else {
                const auto w = static_cast<std::size_t>(j);
                loss += TermWith(set, k, Resistance(set.Diameter[w], skin_));
            }
        }
        return loss;
    }

private:
    // N x TurnLength x I2 x R / strands of the k-th winding added, left to right.
    double TermWith(const WindingSet& set, int k, float resistance) const {
        const auto w = static_cast<std::size_t>(order_[static_cast<std::size_t>(k)]);
        const double term = turnsFactor_[static_cast<std::size_t>(k)] * static_cast<double>(resistance);
        // A division by one gives the dividend to the bit: most windings keep a single strand.
        const auto strands = static_cast<double>(set.Strands[w]);
        return strands == 1.0 ? term : term / strands;
    }

    int count_ = 0;
    std::array<int, WindingCount> order_{};
    std::array<double, WindingCount> turnsFactor_{};
    float skin_ = 0;
    bool mayShare_ = false;
};

// The float value of each gradient component, as a step along it takes it.
std::array<float, WindingCount> FloatComponents(const Gradient& g) {
    std::array<float, WindingCount> f{};
    for (std::size_t k = 0; k < f.size(); ++k) f[k] = ToFloat(g[k]);
    return f;
}

// Every diameter of the active windings scaled by one factor so that the set fills the window,
// as WeightedDiameterAllocation does.
inline void ScaleToWindow(float window, WindingSet& set, int lastOutput) {
    float used = 0;
    ForEachWindingAuxFirst(lastOutput, [&](int j) { used += WindingArea(set, j); });
    if (!(used > 0) || !std::isfinite(used)) return;  // nothing that a scale factor could fill
    const float k = std::sqrt(window / used);
    const int active = OutputWinding(lastOutput) + 1;
    for (int j = 0; j < active; ++j) set.Diameter[static_cast<std::size_t>(j)] *= k;
}

// True when a step along gs leaves every strand count of base as it is for any finite step: no
// strand gradient and every count within 1 to MaxStrands, where x + 0 t is x and no bound acts.
bool StrandsKept(const WindingSet& base, const std::array<float, WindingCount>& gs) {
    for (int j = 0; j < ActiveWindings(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        const float x = base.Strands[k];
        if (gs[k] != 0 || !(x >= 1.0f && x <= static_cast<float>(MaxStrands))) return false;
    }
    return true;
}

// strandsKept: StrandsKept(base, gs).
WindingSet TryAllocationOf(float window, const WindingSet& base, const std::array<float, WindingCount>& gd,
                           const std::array<float, WindingCount>& gs, float t, bool strandsKept) {
    WindingSet trial = base;
    const int lastOutput = LastOutput;
    const int active = OutputWinding(lastOutput) + 1;
    if (strandsKept && std::isfinite(t)) {
        // The strand counts stay, so each diameter only takes its step.
        if (OptimisationType == ParallelEqualWires) {
            EqualDiameterAllocation(window, trial);
            return trial;
        }
        for (int j = 0; j < active; ++j) {
            const auto k = static_cast<std::size_t>(j);
            trial.Diameter[k] = StepValue(base.Diameter[k], gd[k], t);
        }
        ScaleToWindow(window, trial, lastOutput);
        return trial;
    }
    for (int j = 0; j < active; ++j) {
        const auto k = static_cast<std::size_t>(j);
        trial.Strands[k] = ClampStep(base.Strands[k], gs[k], t, MaxStrands);
    }
    if (OptimisationType == ParallelEqualWires) {
        EqualDiameterAllocation(window, trial);
        return trial;
    }
    // A strand count that grows thins its strands so that the winding keeps its copper area.
    for (int j = 0; j < active; ++j) {
        const auto k = static_cast<std::size_t>(j);
        const float stepped = StepValue(base.Diameter[k], gd[k], t);
        const float before = base.Strands[k];
        // An unchanged strand count keeps the diameter as it is: the root of before / before is
        // exactly 1 for any finite count other than 0.
        const bool same = before == trial.Strands[k] && std::isfinite(before) && before != 0;
        trial.Diameter[k] = same ? stepped : stepped * std::sqrt(before / trial.Strands[k]);
    }
    ScaleToWindow(window, trial, lastOutput);
    return trial;
}

Gradient DiameterGradientOf(float window, const WindingSet& set, double loss, const CopperLoss& copper) {
    Gradient g{};
    // The trials first, then their losses side by side.
    std::array<WindingSet, WindingCount> trials{};
    std::array<const WindingSet*, WindingCount> sets{};
    std::array<int, WindingCount> winding{};
    int n = 0;
    for (int j = 0; j < ActiveWindings(); ++j) {
        const float area = WindingArea(set, j);
        const float rest = window - area;
        // One winding alone in the whole window, or no loss to lower: no direction.
        if (rest == 0 || loss == 0) continue;
        // Thicken winding j by 1 % and thin the others so that they give up the area it takes.
        const float shrink = 0.01f * area / rest;
        WindingSet& trial = trials[static_cast<std::size_t>(n)];
        trial = set;
        for (int i = 0; i < ActiveWindings(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            trial.Diameter[k] *= i == j ? 1.01f : 1.0f - shrink;
        }
        sets[static_cast<std::size_t>(n)] = &trial;
        winding[static_cast<std::size_t>(n)] = j;
        ++n;
    }
    std::array<double, WindingCount> trialLoss{};
    copper.Totals(sets.data(), n, trialLoss.data());
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(winding[static_cast<std::size_t>(i)]);
        g[k] = ((loss - trialLoss[static_cast<std::size_t>(i)]) / 0.01) / loss *
               static_cast<double>(trials[static_cast<std::size_t>(i)].Diameter[k]);
    }
    return g;
}

Gradient StrandGradientOf(float window, const WindingSet& set, double loss, const CopperLoss& copper) {
    Gradient g{};
    std::array<WindingSet, WindingCount> trials{};
    for (int j = 0; j < ActiveWindings(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        WindingSet& trial = trials[k];
        trial = set;
        trial.Strands[k] *= 1.01f;
        if (OptimisationType == ParallelEqualWires)
            EqualDiameterAllocation(window, trial);
        else
            trial.Diameter[k] *= 0.995f;
    }
    std::array<double, WindingCount> trialLoss{};
    if (OptimisationType == ParallelEqualWires) {
        // Every diameter moves, to one value per trial.
        std::array<const WindingSet*, WindingCount> sets{};
        for (int j = 0; j < ActiveWindings(); ++j) sets[static_cast<std::size_t>(j)] = &trials[static_cast<std::size_t>(j)];
        copper.Totals(sets.data(), ActiveWindings(), trialLoss.data());
    } else {
        // Only winding j moves: the other terms are those of the set.
        std::array<double, WindingCount> terms{};
        copper.Terms(set, terms);
        for (int j = 0; j < ActiveWindings(); ++j)
            trialLoss[static_cast<std::size_t>(j)] = copper.TotalWithOneChanged(trials[static_cast<std::size_t>(j)], j, terms);
    }
    for (int j = 0; j < ActiveWindings(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        const auto d = static_cast<double>(trials[k].Diameter[k]);
        const double divisor = d * d;
        if (divisor == 0) continue;
        g[k] = ((loss - trialLoss[k]) / 0.01) / divisor;
    }
    return g;
}

// lossOfSet: loss is the loss copper gives set, so a trial equal to set to the bit has it too.
void OptimiseStepOf(float window, WindingSet& set, const Gradient& gd, const Gradient& gs, float& s, double& loss,
                    const CopperLoss& copper, bool lossOfSet) {
    // A step of no number has nowhere to go.
    if (!std::isfinite(s)) return;
    const WindingSet base = set;
    const std::array<float, WindingCount> fd = FloatComponents(gd);
    const std::array<float, WindingCount> fs = FloatComponents(gs);
    const bool strandsKept = StrandsKept(base, fs);
    const auto trialAt = [&](float t) { return TryAllocationOf(window, base, fd, fs, t, strandsKept); };
    // The losses at a and at b, side by side.
    const auto lossesAt = [&](float a, float b, double& la, double& lb) {
        const WindingSet ta = trialAt(a);
        const WindingSet tb = trialAt(b);
        const WindingSet* sets[] = {&ta, &tb};
        double losses[2];
        copper.Totals(sets, 2, losses);
        la = losses[0];
        lb = losses[1];
    };

    const WindingSet full = trialAt(s);
    double losses[4];
    {
        // The start of a step scales the set to fill the window again, which mostly leaves it as
        // it was.
        const WindingSet t0 = trialAt(0);
        const WindingSet t1 = trialAt(0.001f * s);
        const WindingSet t3 = trialAt(s + 0.001f * s);
        const bool unmoved = lossOfSet && std::memcmp(&t0, &base, sizeof t0) == 0;
        const WindingSet* sets[] = {&t0, &t1, &full, &t3};
        if (unmoved) {
            losses[0] = loss;
            copper.Totals(sets + 1, 3, losses + 1);
        } else {
            copper.Totals(sets, 4, losses);
        }
    }
    const double l0 = losses[0];
    const double d0 = losses[1] - l0;
    const double ls = losses[2];
    const double ds = losses[3] - ls;
    if (d0 >= 0) {
        // Uphill at the start: only the full step, and only if it lowers the loss.
        if (loss > ls) {
            set = full;
            loss = ls;
        }
        return;
    }
    constexpr int attempts = 10;
    // h halves every pass, so about 20 passes reach s / 1e6; the cap only guards a step so
    // small that s / 1e6 is no longer a float above zero.
    constexpr int maxBisections = 64;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        float m = s / 2.0f;
        float h = s / 2.0f;
        double dm = 0;
        int passes = 0;
        do {
            double ahead = 0;
            double here = 0;
            lossesAt(m + 0.001f * s, m, ahead, here);
            dm = ahead - here;
            h = h / 2.0f;
            m = dm * d0 > 0 ? m + h : m - h;
            ++passes;
        } while (h >= s / 1e6f && (std::fabs(dm) >= 0.05 * std::fabs(d0) || std::fabs(dm) >= 0.05 * std::fabs(ds)) &&
                 passes < maxBisections);
        WindingSet trial = trialAt(m);
        const double lm = copper.Total(trial);
        if (lm <= loss || attempt == attempts) {
            set = trial;
            loss = lm;
            return;
        }
        s = m / 2.0f;
    }
}

}  // namespace

namespace {

// The module state, in the order of OptimiserState's fields.
auto ModuleState() {
    return std::tie(TurnLength, OptimumSkinDepth, OptimisationType, LastOutput, MaxStrands, OptimiseIterations);
}

// Binding every field: a field added to OptimiserState fails to compile here until the module
// state above has it too.
auto Fields(OptimiserState& state) {
    auto& [length, skin, type, last, strands, iterations] = state;
    return std::tie(length, skin, type, last, strands, iterations);
}

}  // namespace

OptimiserState OptimiserState::Now() {
    OptimiserState state;
    Fields(state) = ModuleState();
    return state;
}

void OptimiserState::Restore() const {
    OptimiserState state = *this;
    ModuleState() = Fields(state);
}

float WireResistancePerLength(float d) {
    return Resistance(d, OptimumSkinDepth);
}

double TotalCopperLoss(const WindingSet& set) {
    const CopperLoss copper(set);
    return copper.Total(set);
}

void EqualDiameterAllocation(float window, WindingSet& set) {
    float strandTurns = 0;
    ForEachWindingAuxFirst(LastOutput, [&](int j) {
        const auto k = static_cast<std::size_t>(j);
        strandTurns += static_cast<float>(set.Turns[k]) * set.Strands[k];
    });
    if (!(strandTurns > 0)) return;  // no turns to fill the window with
    const float d = std::sqrt(window / strandTurns);
    for (int j = 0; j < ActiveWindings(); ++j) set.Diameter[static_cast<std::size_t>(j)] = d;
}

void WeightedDiameterAllocation(float window, WindingSet& set) {
    ScaleToWindow(window, set, LastOutput);
}

float StepValue(float x, float a, float b) {
    if (a >= 0) return x + a * b;
    return x / (1.0f - a * b);
}

float ClampStep(float x, float a, float b, int16_t max) {
    float y = x + a * b;
    if (!(y >= 1.0f)) y = 1.0f;  // a step of no number counts as a step to the lower bound
    if (y > static_cast<float>(max)) y = static_cast<float>(max);
    return y;
}

WindingSet TryAllocation(float window, const WindingSet& base, const Gradient& gd, const Gradient& gs,
                         float t) {
    const std::array<float, WindingCount> fs = FloatComponents(gs);
    return TryAllocationOf(window, base, FloatComponents(gd), fs, t, StrandsKept(base, fs));
}

Gradient DiameterGradient(float window, const WindingSet& set, double loss) {
    const CopperLoss copper(set);
    return DiameterGradientOf(window, set, loss, copper);
}

Gradient StrandGradient(float window, const WindingSet& set, double loss) {
    const CopperLoss copper(set);
    return StrandGradientOf(window, set, loss, copper);
}

void OptimiseStep(float window, WindingSet& set, const Gradient& gd, const Gradient& gs, float& s,
                  double& loss) {
    const CopperLoss copper(set);
    OptimiseStepOf(window, set, gd, gs, s, loss, copper, false);
}

namespace {

// The module state of an optimisation of set, and the set it starts from: the auxiliary winding
// with one strand, no winding without one, and (for a window of some area) the starting
// diameters scaled to fill it.
WindingSet StartOptimisation(float turnLength, float window, const WindingSet& set, int16_t kind) {
    TurnLength = turnLength;
    OptimumSkinDepth = SkinDepthAt(static_cast<float>(InputStage.SwitchingFrequency));
    OptimisationType = kind;
    LastOutput = static_cast<int16_t>(LastActiveOutput());
    MaxStrands = std::max<int16_t>(Transfo.ParallelWireMax, 1);

    WindingSet work = set;
    work.Strands[AuxWinding] = 1;
    // A winding without a strand would carry its current in no copper at all.
    for (int j = 0; j < ActiveWindings(); ++j) {
        float& strands = work.Strands[static_cast<std::size_t>(j)];
        if (!(strands >= 1.0f)) strands = 1.0f;
    }
    if (!(window > 0)) return work;  // no window to share

    if (kind == ParallelEqualWires)
        EqualDiameterAllocation(window, work);
    else
        WeightedDiameterAllocation(window, work);
    return work;
}

}  // namespace

double AllocatedCopperLoss(float turnLength, float window, const WindingSet& set, int16_t kind) {
    const OptimiserState before = OptimiserState::Now();
    const WindingSet start = StartOptimisation(turnLength, window, set, kind);
    const double loss = CopperLoss(start).Total(start);  // at the module state of this optimisation
    before.Restore();
    return loss;
}

WindingSet OptimiseWinding(float turnLength, float window, const WindingSet& set, int16_t kind) {
    OptimiseIterations = 0;
    WindingSet work = StartOptimisation(turnLength, window, set, kind);
    if (!(window > 0)) return work;  // no window to share
    const CopperLoss copper(work);  // the optimisation changes no turn count
    double loss = copper.Total(work);

    WindingSet best = work;
    double bestLoss = loss;
    const auto keepBest = [&] {
        if (loss < bestLoss) {
            best = work;
            bestLoss = loss;
        }
    };

    float change = 0;
    do {
        const WindingSet previous = work;
        ++OptimiseIterations;
        if (kind != ParallelEqualWires) {
            const Gradient gd = DiameterGradientOf(window, work, loss, copper);
            double smallest = 1e30;
            for (int j = 0; j < ActiveWindings(); ++j) {
                const auto k = static_cast<std::size_t>(j);
                if (gd[k] != 0) smallest = std::min(smallest, std::fabs(static_cast<double>(work.Diameter[k]) / gd[k]));
            }
            auto s = ToFloat(3 * smallest);
            OptimiseStepOf(window, work, gd, NoGradient, s, loss, copper, true);
            keepBest();
        }
        if (kind != SingleWire) {
            const Gradient gs = StrandGradientOf(window, work, loss, copper);
            // The longest step that keeps some strand count within 1 to MaxStrands.
            double longest = 0;
            for (int j = 0; j < ActiveWindings(); ++j) {
                const auto k = static_cast<std::size_t>(j);
                const auto strands = static_cast<double>(work.Strands[k]);
                if (gs[k] > 0) longest = std::max(longest, (MaxStrands - strands) / gs[k]);
                if (gs[k] < 0) longest = std::max(longest, (1 - strands) / gs[k]);
            }
            auto s = ToFloat(longest * (1 - 0.01));
            OptimiseStepOf(window, work, NoGradient, gs, s, loss, copper, true);
            keepBest();
        }
        change = 0;
        for (int j = 0; j < ActiveWindings(); ++j) {
            const auto k = static_cast<std::size_t>(j);
            // A winding without current loses nothing whatever its wire: it gives its copper away
            // a little more at every iteration and would never settle.
            if (WindingCurrent(j) == 0) continue;
            change = std::max(change, std::fabs(previous.Diameter[k] / work.Diameter[k] - 1.0f));
            change = std::max(change, std::fabs(previous.Strands[k] / work.Strands[k] - 1.0f));
        }
    } while (change >= 0.05f && OptimiseIterations < MaxOptimiseIterations);
    return best;
}

}  // namespace zorvic
