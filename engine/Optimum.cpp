#include "Optimum.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Formula.h"
#include "Variables.h"

namespace zorvic {

float TurnLength = 0;
float OptimumSkinDepth = 0;
int16_t OptimisationType = SingleWire;
int16_t LastOutput = 0;
int16_t MaxStrands = 1;
int32_t OptimiseIterations = 0;

namespace {

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
    double loss = 0;
    const int lastOutput = std::clamp<int>(Settings.AdditionalOutputs, 0, OutputCount - 1);
    ForEachWindingAuxFirst(lastOutput, [&](int j) {
        const auto k = static_cast<std::size_t>(j);
        const auto current = static_cast<double>(WindingCurrent(j));
        loss += static_cast<double>(set.Turns[k]) * static_cast<double>(TurnLength) * (current * current) *
                static_cast<double>(WireResistancePerLength(set.Diameter[k])) / static_cast<double>(set.Strands[k]);
    });
    return loss;
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
    WindingSet trial = base;
    for (int j = 0; j < ActiveWindings(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        trial.Strands[k] = ClampStep(base.Strands[k], ToFloat(gs[k]), t, MaxStrands);
    }
    if (OptimisationType == ParallelEqualWires) {
        EqualDiameterAllocation(window, trial);
        return trial;
    }
    // A strand count that grows thins its strands so that the winding keeps its copper area.
    for (int j = 0; j < ActiveWindings(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        trial.Diameter[k] = StepValue(base.Diameter[k], ToFloat(gd[k]), t) *
                            std::sqrt(base.Strands[k] / trial.Strands[k]);
    }
    WeightedDiameterAllocation(window, trial);
    return trial;
}

Gradient DiameterGradient(float window, const WindingSet& set, double loss) {
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
        const double trialLoss = TotalCopperLoss(trial);
        g[k] = ((loss - trialLoss) / 0.01) / loss * static_cast<double>(trial.Diameter[k]);
    }
    return g;
}

Gradient StrandGradient(float window, const WindingSet& set, double loss) {
    Gradient g{};
    for (int j = 0; j < ActiveWindings(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        WindingSet trial = set;
        trial.Strands[k] *= 1.01f;
        if (OptimisationType == ParallelEqualWires)
            EqualDiameterAllocation(window, trial);
        else
            trial.Diameter[k] *= 0.995f;
        const double trialLoss = TotalCopperLoss(trial);
        const auto d = static_cast<double>(trial.Diameter[k]);
        const double divisor = d * d;
        if (divisor == 0) continue;
        g[k] = ((loss - trialLoss) / 0.01) / divisor;
    }
    return g;
}

void OptimiseStep(float window, WindingSet& set, const Gradient& gd, const Gradient& gs, float& s,
                  double& loss) {
    // A step of no number has nowhere to go.
    if (!std::isfinite(s)) return;
    const WindingSet base = set;
    const auto lossAt = [&](float t) { return TotalCopperLoss(TryAllocation(window, base, gd, gs, t)); };

    const double l0 = lossAt(0);
    const double d0 = lossAt(0.001f * s) - l0;
    const double ls = lossAt(s);
    const double ds = lossAt(s + 0.001f * s) - ls;
    if (d0 >= 0) {
        // Uphill at the start: only the full step, and only if it lowers the loss.
        if (loss > ls) {
            set = TryAllocation(window, base, gd, gs, s);
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
        WindingSet trial = TryAllocation(window, base, gd, gs, m);
        const double lm = TotalCopperLoss(trial);
        if (lm <= loss || attempt == attempts) {
            set = trial;
            loss = lm;
            return;
        }
        s = m / 2.0f;
    }
}

WindingSet OptimiseWinding(float turnLength, float window, const WindingSet& set, int16_t kind) {
    TurnLength = turnLength;
    OptimumSkinDepth = SkinDepthAt(static_cast<float>(InputStage.SwitchingFrequency));
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
    double loss = TotalCopperLoss(work);

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
            const Gradient gd = DiameterGradient(window, work, loss);
            double smallest = 1e30;
            for (int j = 0; j < ActiveWindings(); ++j) {
                const auto k = static_cast<std::size_t>(j);
                if (gd[k] != 0) smallest = std::min(smallest, std::fabs(static_cast<double>(work.Diameter[k]) / gd[k]));
            }
            auto s = ToFloat(3 * smallest);
            OptimiseStep(window, work, gd, NoGradient, s, loss);
            keepBest();
        }
        if (kind != SingleWire) {
            const Gradient gs = StrandGradient(window, work, loss);
            // The longest step that keeps some strand count within 1 to MaxStrands.
            double longest = 0;
            for (int j = 0; j < ActiveWindings(); ++j) {
                const auto k = static_cast<std::size_t>(j);
                const auto strands = static_cast<double>(work.Strands[k]);
                if (gs[k] > 0) longest = std::max(longest, (MaxStrands - strands) / gs[k]);
                if (gs[k] < 0) longest = std::max(longest, (1 - strands) / gs[k]);
            }
            auto s = ToFloat(longest * (1 - 0.01));
            OptimiseStep(window, work, NoGradient, gs, s, loss);
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
