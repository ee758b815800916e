#include "Optimum.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "Variables.h"

namespace zorvic {

float TurnLength = 0;
float OptimumSkinDepth = 0;
int16_t OptimisationType = SingleWire;
int16_t LastOutput = 0;
int16_t MaxStrands = 1;
int32_t OptimiseIterations = 0;

namespace {

constexpr double PiDouble = std::numbers::pi;
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

// The copper loss of the sets one optimisation tries. Its trials differ from one another in few
// windings or in none of a winding's numbers (a gradient moves one winding, equal wires share one
// diameter, a line search's last steps move some windings by less than a float can tell), so each
// winding keeps the terms of the last two diameter and strand pairs it met, and the resistances
// of the diameters met last. The terms are added in the order of TotalCopperLoss every time, so
// the total is the same number. Valid while the turn length, the skin depth and the currents stay
// as they were when it was made: within one OptimiseWinding call.
class CopperLossCache {
public:
    CopperLossCache() {
        lastOutput_ = std::clamp<int>(Settings.AdditionalOutputs, 0, OutputCount - 1);
        turnLength_ = static_cast<double>(TurnLength);
        for (int j = 0; j < WindingCount; ++j) {
            const bool active = j <= OutputWinding(lastOutput_);
            current_[static_cast<std::size_t>(j)] = active ? static_cast<double>(WindingCurrent(j)) : 0.0;
        }
    }

    double Total(const WindingSet& set) {
        double loss = 0;
        ForEachWindingAuxFirst(lastOutput_, [&](int j) { loss += Term(set, j); });
        return loss;
    }

private:
    struct TermEntry {
        uint64_t key = 0;  // 0: empty; else the marked diameter and strand bits
        int32_t turns = 0;
        double value = 0;
    };
    struct ResistanceEntry {
        uint64_t key = 0;  // 0: empty; else the marked diameter bits
        float value = 0;
    };
    static constexpr uint64_t Marked = uint64_t{1} << 63;
    static constexpr int ResistanceSlots = 64;

    // N x TurnLength x I2 x R / strands, left to right.
    double Term(const WindingSet& set, int j) {
        const auto k = static_cast<std::size_t>(j);
        const float d = set.Diameter[k];
        const uint32_t dBits = std::bit_cast<uint32_t>(d);
        const uint64_t key = Marked | (uint64_t{dBits} << 32) | std::bit_cast<uint32_t>(set.Strands[k]);
        const int32_t turns = set.Turns[k];
        std::array<TermEntry, 2>& entries = terms_[k];
        for (const TermEntry& entry : entries)
            if (entry.key == key && entry.turns == turns) return entry.value;
        const double current = current_[k];
        const double value = static_cast<double>(turns) * turnLength_ * (current * current) *
                             static_cast<double>(Resistance(d, dBits)) / static_cast<double>(set.Strands[k]);
        entries[1] = entries[0];
        entries[0] = {key, turns, value};
        return value;
    }

    float Resistance(float d, uint32_t dBits) {
        const uint64_t key = Marked | dBits;
        ResistanceEntry& entry = resistances_[(dBits * 0x9E3779B1u) >> 26];
        if (entry.key != key) entry = {key, WireResistancePerLength(d)};
        return entry.value;
    }

    int lastOutput_ = 0;
    double turnLength_ = 0;
    std::array<double, WindingCount> current_{};
    std::array<std::array<TermEntry, 2>, WindingCount> terms_{};
    std::array<ResistanceEntry, ResistanceSlots> resistances_{};
};

// The float value of each gradient component, as a step along it takes it.
std::array<float, WindingCount> FloatComponents(const Gradient& g) {
    std::array<float, WindingCount> f{};
    for (std::size_t k = 0; k < f.size(); ++k) f[k] = ToFloat(g[k]);
    return f;
}

WindingSet TryAllocationOf(float window, const WindingSet& base, const std::array<float, WindingCount>& gd,
                           const std::array<float, WindingCount>& gs, float t) {
    WindingSet trial = base;
    for (int j = 0; j < ActiveWindings(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        trial.Strands[k] = ClampStep(base.Strands[k], gs[k], t, MaxStrands);
    }
    if (OptimisationType == ParallelEqualWires) {
        EqualDiameterAllocation(window, trial);
        return trial;
    }
    // A strand count that grows thins its strands so that the winding keeps its copper area.
    for (int j = 0; j < ActiveWindings(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        const float stepped = StepValue(base.Diameter[k], gd[k], t);
        const float before = base.Strands[k];
        // An unchanged strand count keeps the diameter as it is: the root of before / before is
        // exactly 1 for any finite count other than 0.
        const bool same = before == trial.Strands[k] && std::isfinite(before) && before != 0;
        trial.Diameter[k] = same ? stepped : stepped * std::sqrt(before / trial.Strands[k]);
    }
    WeightedDiameterAllocation(window, trial);
    return trial;
}

Gradient DiameterGradientOf(float window, const WindingSet& set, double loss, CopperLossCache& copper) {
    Gradient g{};
    for (int j = 0; j < ActiveWindings(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        const float area = WindingArea(set, j);
        const float rest = window - area;
        // One winding alone in the whole window, or no loss to lower: no direction.
        if (rest == 0 || loss == 0) continue;
        // Thicken winding j by 1 % and thin the others so that they give up the area it takes.
        const float shrink = 0.01f * area / rest;
        WindingSet trial = set;
        for (int i = 0; i < ActiveWindings(); ++i) {
            const auto n = static_cast<std::size_t>(i);
            trial.Diameter[n] *= i == j ? 1.01f : 1.0f - shrink;
        }
        const double trialLoss = copper.Total(trial);
        g[k] = ((loss - trialLoss) / 0.01) / loss * static_cast<double>(trial.Diameter[k]);
    }
    return g;
}

Gradient StrandGradientOf(float window, const WindingSet& set, double loss, CopperLossCache& copper) {
    Gradient g{};
    for (int j = 0; j < ActiveWindings(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        WindingSet trial = set;
        trial.Strands[k] *= 1.01f;
        if (OptimisationType == ParallelEqualWires)
            EqualDiameterAllocation(window, trial);
        else
            trial.Diameter[k] *= 0.995f;
        const double trialLoss = copper.Total(trial);
        const auto d = static_cast<double>(trial.Diameter[k]);
        const double divisor = d * d;
        if (divisor == 0) continue;
        g[k] = ((loss - trialLoss) / 0.01) / divisor;
    }
    return g;
}

void OptimiseStepOf(float window, WindingSet& set, const Gradient& gd, const Gradient& gs, float& s, double& loss,
                    CopperLossCache& copper) {
    // A step of no number has nowhere to go.
    if (!std::isfinite(s)) return;
    const WindingSet base = set;
    const std::array<float, WindingCount> fd = FloatComponents(gd);
    const std::array<float, WindingCount> fs = FloatComponents(gs);
    const auto trialAt = [&](float t) { return TryAllocationOf(window, base, fd, fs, t); };
    const auto lossAt = [&](float t) { return copper.Total(trialAt(t)); };

    const double l0 = lossAt(0);
    const double d0 = lossAt(0.001f * s) - l0;
    const WindingSet full = trialAt(s);
    const double ls = copper.Total(full);
    const double ds = lossAt(s + 0.001f * s) - ls;
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
            dm = lossAt(m + 0.001f * s) - lossAt(m);
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

float WireResistancePerLength(float d) {
    // Computed in 64 bits, except the bare radius, which is kept as a 32-bit value.
    // Bare diameter from the insulated one by the grade-1 insulation build (diameters in cm).
    const double x = static_cast<double>(d) / 10.0;
    const double f = 2.2467e-7 / (x * x * x) - 6.71761e-5 / (x * x) + 0.0064977 / x + 1.01156;
    // A zero diameter meets inf - inf in the factor: no copper is left but the 1e-10 cm floor.
    const double bare = std::isfinite(f) ? 10.0 * (x / f + 1e-10) : 10.0 * 1e-10;
    const auto r = static_cast<float>(bare / 2.0);
    const auto radius = static_cast<double>(r);
    double area = PiDouble * (radius * radius);
    if (r > OptimumSkinDepth) {
        const double dead = radius - static_cast<double>(OptimumSkinDepth);
        area = PiDouble * (radius * radius) - PiDouble * (dead * dead);
    }
    return static_cast<float>(0.0172 / area);  // copper, 0.0172 ohm mm2/m
}

double TotalCopperLoss(const WindingSet& set) {
    CopperLossCache copper;
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
    float used = 0;
    ForEachWindingAuxFirst(LastOutput, [&](int j) { used += WindingArea(set, j); });
    if (!(used > 0) || !std::isfinite(used)) return;  // nothing that a scale factor could fill
    const float k = std::sqrt(window / used);
    for (int j = 0; j < ActiveWindings(); ++j) set.Diameter[static_cast<std::size_t>(j)] *= k;
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
    return TryAllocationOf(window, base, FloatComponents(gd), FloatComponents(gs), t);
}

Gradient DiameterGradient(float window, const WindingSet& set, double loss) {
    CopperLossCache copper;
    return DiameterGradientOf(window, set, loss, copper);
}

Gradient StrandGradient(float window, const WindingSet& set, double loss) {
    CopperLossCache copper;
    return StrandGradientOf(window, set, loss, copper);
}

void OptimiseStep(float window, WindingSet& set, const Gradient& gd, const Gradient& gs, float& s,
                  double& loss) {
    CopperLossCache copper;
    OptimiseStepOf(window, set, gd, gs, s, loss, copper);
}

WindingSet OptimiseWinding(float turnLength, float window, const WindingSet& set, int16_t kind) {
    TurnLength = turnLength;
    OptimumSkinDepth = 66.0f / std::sqrt(static_cast<float>(InputStage.SwitchingFrequency));
    OptimisationType = kind;
    LastOutput = static_cast<int16_t>(std::clamp<int>(Settings.AdditionalOutputs, 0, OutputCount - 1));
    MaxStrands = std::max<int16_t>(Transfo.ParallelWireMax, 1);
    OptimiseIterations = 0;

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
    CopperLossCache copper;
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
            OptimiseStepOf(window, work, gd, NoGradient, s, loss, copper);
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
            OptimiseStepOf(window, work, NoGradient, gs, s, loss, copper);
            keepBest();
        }
        change = 0;
        for (int j = 0; j < ActiveWindings(); ++j) {
            const auto k = static_cast<std::size_t>(j);
            change = std::max(change, std::fabs(previous.Diameter[k] / work.Diameter[k] - 1.0f));
            change = std::max(change, std::fabs(previous.Strands[k] / work.Strands[k] - 1.0f));
        }
    } while (change >= 0.05f && OptimiseIterations < MaxOptimiseIterations);
    return best;
}

}  // namespace zorvic
