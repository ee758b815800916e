#pragma once
// A transformer search's walk along the turn counts of one core: the chain of turn counts it
// tries, the bound that says when none left on the core can win, and the candidates it has
// evaluated, those of a long walk evaluated ahead on worker threads. Used by the search alone.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ComputeTransfo.h"
#include "Optimum.h"
#include "SideBySide.h"
#include "Variables.h"

namespace zorvic {

// Puts back the working turns and the synthetic-wire flag when it goes.
class KeepWorkingTurns {
public:
    KeepWorkingTurns() = default;
    KeepWorkingTurns(const KeepWorkingTurns&) = delete;
    KeepWorkingTurns& operator=(const KeepWorkingTurns&) = delete;
    ~KeepWorkingTurns() {
        WorkAuxTurns = aux_;
        WorkOutputTurns = outputs_;
        SyntheticWireUsed = synthetic_;
    }

private:
    int32_t aux_ = WorkAuxTurns;
    std::array<int32_t, OutputCount> outputs_ = WorkOutputTurns;
    bool synthetic_ = SyntheticWireUsed;
};

// The turn counts the scan tries on one core from the first it is asked about, each with its
// working turns: each turn count's successor is fixed (ComputeTurns of it), up to the turn limit.
class TurnChain {
public:
    explicit TurnChain(int32_t turnLimit) : turnLimit_(turnLimit) {}

    // The index of primaryTurns with the present working turns, the chain starting there when
    // it is empty; size() when it is not on the chain.
    std::size_t Find(int32_t primaryTurns) {
        const CandidateTurns now = WorkingTurns(primaryTurns);
        if (turns_.empty()) {
            turns_.reserve(16);
            turns_.push_back(now);
        }
        while (turns_.back().Primary < primaryTurns && Extend()) {
        }
        // The scan asks in the chain's order: look from the last turn count found.
        std::size_t i = cursor_ < turns_.size() && turns_[cursor_].Primary <= primaryTurns ? cursor_ : 0;
        while (i < turns_.size() && turns_[i].Primary < primaryTurns) ++i;
        if (i == turns_.size() || !(turns_[i] == now)) return turns_.size();
        cursor_ = i;
        return i;
    }

    // Whether the chain has an i-th turn count (worked out when first asked).
    bool Has(std::size_t i) {
        while (turns_.size() <= i)
            if (!Extend()) return false;
        return true;
    }

    const CandidateTurns& operator[](std::size_t i) const { return turns_[i]; }
    std::size_t size() const { return turns_.size(); }

private:
    // Adds the next turn count; false past the turn limit.
    bool Extend() {
        if (ended_ || turns_.empty()) return false;
        const KeepWorkingTurns keep;
        const CandidateTurns& last = turns_.back();
        WorkAuxTurns = last.Aux;
        WorkOutputTurns = last.Outputs;
        const int32_t next = ComputeTurns(last.Primary);
        ended_ = next > turnLimit_;
        if (!ended_) turns_.push_back(WorkingTurns(next));
        return !ended_;
    }

    int32_t turnLimit_;
    std::vector<CandidateTurns> turns_;
    std::size_t cursor_ = 0;
    bool ended_ = false;
};

// Whether every candidate left on one core loses more than a given loss: the core loss plus the
// copper floor of each turn count the scan would still try, up to the turn limit, is above it.
// The scan asks at each turn count it reaches, so each turn count's bound is worked out once per
// core, however often the scan asks. WorkAuxTurns, WorkOutputTurns and SyntheticWireUsed are
// left as they were.
class RemainingTurnsBound {
public:
    RemainingTurnsBound(const CopperLossFloor& floor, const CoreGeometry& core, TurnChain& chain, int32_t turnLimit)
        : floor_(floor), core_(core), chain_(chain), turnLimit_(turnLimit), shares_(CurrentWindowShares()) {}

    // True when each candidate from primaryTurns (with the working turns of the moment) on loses
    // more than best.
    bool CannotWin(int32_t primaryTurns, double best) {
        const std::size_t first = chain_.Find(primaryTurns);
        // The last turn count's floor, once known, settles most questions of a long walk first.
        if (first < chain_.size() && floorAtTheEnd_ && !Above(*floorAtTheEnd_, best)) return false;
        // With every winding counted the floor is only higher: most turn counts of most designs
        // stop here, before their bound is worked out.
        constexpr double everyWinding = -std::numeric_limits<double>::infinity();
        if (!Known(first) &&
            !Above(Bound(primaryTurns, floor_.At(primaryTurns, WorkAuxTurns, WorkOutputTurns, everyWinding)), best))
            return false;
        if (first == chain_.size()) return CannotWinUncached(primaryTurns, best);
        // The scan asks along the chain with a best that never grows, so a turn count found above
        // one best stays above the next: the search for one that is not goes on from the last.
        if (best > lastBest_ || first < lastFirst_) notAbove_ = 0;
        lastBest_ = best;
        lastFirst_ = first;
        std::size_t i = std::max(first, notAbove_);
        // The bounds worked out already, and a few more one by one, settle most questions; once a
        // far turn count has settled one, it is asked before any more.
        const std::size_t few = endSettled_ ? 0 : 4;
        for (const std::size_t end = i + few; chain_.Has(i) && (Known(i) || i < end); ++i)
            if (!Above(Value(i, 1), best)) return NotAboveAt(i);
        if (!chain_.Has(i)) return AllAbove();
        notAbove_ = i;
        // The later a turn count, the lower its core loss: a walk that goes on mostly has one far
        // on below best already by the floor with every winding counted, without the bounds on
        // the way.
        if (FarOnNotAbove(best)) {
            endSettled_ = true;
            return false;
        }
        if (CoreLossAloneAbove(i, best)) return AllAbove();
        for (; chain_.Has(i); ++i) {
            if (!Known(i)) block_ *= 2;
            if (!Above(Value(i, block_), best)) return NotAboveAt(i);
        }
        return AllAbove();
    }

private:
    // The candidate's total is its core loss, as it computes it, plus its copper loss; 1e-3
    // covers the float roundings of the copper loss and of the sum. No number is never above.
    static bool Above(double bound, double best) { return bound > best; }
    double Bound(int32_t np, double copperFloor) const {
        const auto coreLoss = static_cast<double>(CoreLossAt(core_, PeakFluxAt(core_, np)));
        return (coreLoss + copperFloor) * (1.0 - 1e-3);
    }

    bool Known(std::size_t i) const { return i < bounds_.size() && bounds_[i]; }
    bool NotAboveAt(std::size_t i) {
        notAbove_ = i;
        return false;
    }
    bool AllAbove() {
        notAbove_ = chain_.size();
        return true;
    }

    // Whether a far turn count of the chain is not above best by the floor with every winding
    // counted: the chain is worked out further, twice as far each time, up to its last turn
    // count, whose floor is then kept.
    bool FarOnNotAbove(double best) {
        constexpr double everyWinding = -std::numeric_limits<double>::infinity();
        while (!floorAtTheEnd_) {
            const bool end = !chain_.Has(chain_.size() - 1 + reach_);
            reach_ *= 2;
            const CandidateTurns& t = chain_[chain_.size() - 1];
            const double floor = Bound(t.Primary, floor_.At(t.Primary, t.Aux, t.Outputs, everyWinding));
            if (end) floorAtTheEnd_ = floor;
            if (!Above(floor, best)) return true;
        }
        return !Above(*floorAtTheEnd_, best);
    }

    // Whether the core loss alone is above best at every turn count from the chain's i-th on
    // (worked out to its end): each bound is no less than its core loss, which falls (or grows)
    // with the turns, so that one of the two ends is the lowest; 1e-5 more covers the roundings
    // that may break that order by a unit or two. An end of no number shows nothing.
    bool CoreLossAloneAbove(std::size_t i, double best) {
        std::size_t last = i;
        while (chain_.Has(last + 1)) ++last;
        const auto above = [&](std::size_t k) {
            const auto coreLoss = static_cast<double>(CoreLossAt(core_, PeakFluxAt(core_, chain_[k].Primary)));
            return coreLoss * (1.0 - 1e-3) * (1.0 - 1e-5) > best;
        };
        return above(i) && above(last);
    }

    // The bound of turns. It writes only the calling thread's state, and puts that back.
    double BoundOf(const CandidateTurns& turns) const {
        const bool synthetic = SyntheticWireUsed;
        const float turnMetres = core_.Lm / 1000.0f;
        const float window = core_.W * Transfo.WindowFactor;
        const double allocated =
            AllocatedCopperLoss(turnMetres, window, StartingWinding(turns, shares_), Settings.WindingOptimisationType);
        SyntheticWireUsed = synthetic;
        return Bound(turns.Primary, floor_.At(turns.Primary, turns.Aux, turns.Outputs, allocated));
    }

    // The bound of the chain's i-th turn count, with those of the block turn counts from there
    // on when it is not known yet: side by side once they are a few for each thread (a bound
    // takes about a microsecond, too little to hand out one by one).
    double Value(std::size_t i, std::size_t block) {
        if (bounds_.size() <= i) bounds_.resize(std::max(i + 1, 2 * bounds_.size()));
        if (!bounds_[i] && block == 1) bounds_[i] = BoundOf(chain_[i]);
        if (!bounds_[i]) {
            std::vector<std::size_t> missing;
            for (std::size_t k = i; k < i + block && chain_.Has(k); ++k) {
                if (bounds_.size() <= k) bounds_.resize(k + 1);
                if (!bounds_[k]) missing.push_back(k);
            }
            const auto threads = static_cast<std::size_t>(SideBySideThreads());
            std::vector<double> values(missing.size());
            const auto work = [&](int m) {
                const auto k = static_cast<std::size_t>(m);
                values[k] = BoundOf(chain_[missing[k]]);
            };
            if (missing.size() >= 4 * threads) {
                RunSideBySide(static_cast<int>(missing.size()), work);
            } else {
                for (std::size_t k = 0; k < missing.size(); ++k) work(static_cast<int>(k));
            }
            for (std::size_t k = 0; k < missing.size(); ++k) bounds_[missing[k]] = values[k];
        }
        return *bounds_[i];
    }

    // A start off the chain (not met in a scan): each turn count worked out afresh.
    bool CannotWinUncached(int32_t primaryTurns, double best) const {
        const KeepWorkingTurns keep;  // ComputeTurns writes the working turns
        bool cannot = Above(BoundOf(WorkingTurns(primaryTurns)), best);
        for (int32_t np = ComputeTurns(primaryTurns); np <= turnLimit_ && cannot; np = ComputeTurns(np))
            cannot = Above(BoundOf(WorkingTurns(np)), best);
        return cannot;
    }

    const CopperLossFloor& floor_;
    const CoreGeometry& core_;
    TurnChain& chain_;
    int32_t turnLimit_;
    WindowShares shares_;
    std::vector<std::optional<double>> bounds_;  // by chain index, worked out when first asked
    std::size_t block_ = 1;  // the long walk's next block: twice the one before
    std::optional<double> floorAtTheEnd_;
    std::size_t reach_ = 4;  // turn counts FarOnNotAbove works the chain out by, the next time
    bool endSettled_ = false;
    // Every turn count from the last one asked (lastFirst_) to notAbove_ (exclusive) is above
    // lastBest_.
    std::size_t notAbove_ = 0;
    std::size_t lastFirst_ = 0;
    double lastBest_ = std::numeric_limits<double>::infinity();
};

// What a search works out on one core whatever the loss it must beat: the chain of turn counts
// and their bounds. A search that scans the cores again, on another hint, finds them worked out.
// Made once the window shares of the moment are those of the core.
struct CoreWalk {
    CoreWalk(const CoreGeometry& c, int32_t turnLimit)
        : core(c), floor(core), chain(turnLimit), remaining(floor, core, chain, turnLimit) {}
    CoreWalk(const CoreWalk&) = delete;
    CoreWalk& operator=(const CoreWalk&) = delete;

    const CoreGeometry core;
    const CopperLossFloor floor;
    TurnChain chain;
    RemainingTurnsBound remaining;
};

// The walks of one search, by the core's place in the list.
class CoreWalks {
public:
    CoreWalk& Of(std::size_t place, const CoreGeometry& core, int32_t turnLimit) {
        if (walks_.size() <= place) walks_.resize(place + 1);
        auto& walk = walks_[place];
        if (!walk || !(CoreBits(walk->core) == CoreBits(core))) walk = std::make_unique<CoreWalk>(core, turnLimit);
        return *walk;
    }

private:
    std::vector<std::unique_ptr<CoreWalk>> walks_;
};

// The candidates one search has evaluated. An evaluation reads of its core only Ae, Ve, Lm and W,
// and the search's other inputs hold for the whole search: the same turns on a core of the same
// numbers (one core listed under two series) give the same candidate and leave the same module
// state, which is kept with it.
class EvaluatedCandidates {
public:
    CandidateDesign Evaluate(const CoreGeometry& core, int32_t primaryTurns) {
        const CandidateTurns turns = WorkingTurns(primaryTurns);
        const Key key = KeyOf(core, turns);
        if (const Known* known = Lookup(key)) {
            SyntheticWireUsed = known->synthetic;
            known->optimiser.Restore();
            return known->candidate;
        }
        const Known known = EvaluateNow(core, turns, CurrentWindowShares());
        known_.emplace(key, known);
        return known.candidate;
    }

    // A candidate on a core of its own, with the window shares of that core.
    struct Elsewhere {
        CoreGeometry core;
        CandidateTurns turns;
        WindowShares shares;
    };

    // Each candidate of the list, those not known evaluated side by side.
    std::vector<CandidateDesign> EvaluateAll(const std::vector<Elsewhere>& list) {
        std::vector<Key> keys;
        std::vector<std::size_t> missing;
        for (std::size_t i = 0; i < list.size(); ++i) {
            keys.push_back(KeyOf(list[i].core, list[i].turns));
            if (Lookup(keys.back()) == nullptr) missing.push_back(i);
        }
        std::vector<Known> results(missing.size());
        RunSideBySide(static_cast<int>(missing.size()), [&](int m) {
            const Elsewhere& one = list[missing[static_cast<std::size_t>(m)]];
            results[static_cast<std::size_t>(m)] = EvaluateNow(one.core, one.turns, one.shares);
        });
        for (std::size_t m = 0; m < missing.size(); ++m) known_.emplace(keys[missing[m]], results[m]);
        std::vector<CandidateDesign> candidates;
        for (const Key& key : keys) candidates.push_back(known_.at(key).candidate);
        return candidates;
    }

    // Keeps the worker threads evaluating the candidates of core with the turns of chain from
    // index first on, count at a time, while the scan goes on: when the candidate at first is
    // neither known nor handed out, those of the count turn counts from there that are not known
    // are handed out (the ones handed out before are withdrawn); once the scan is halfway through
    // the last ones handed out, the next count follow. Evaluate then finds them, and leaves the
    // state it would have left evaluating them itself. The window shares of the moment must be
    // those of core.
    void EvaluateAhead(const CoreGeometry& core, TurnChain& chain, std::size_t first, std::size_t count) {
        if (!chain.Has(first)) return;
        const Key key = KeyOf(core, chain[first]);
        const auto [ahead, i] = Handed(key);
        if (ahead == nullptr && known_.contains(key)) return;
        if (ahead == nullptr) {
            Withdraw();
            HandOut(core, chain, first, count);
        } else if (ahead == aheads_.back().get() && 2 * i >= ahead->keys.size()) {
            // Those before are all asked for: only the last ones handed out are kept.
            if (aheads_.size() > 1) aheads_.erase(aheads_.begin());
            HandOut(core, chain, ahead->next, count);
        }
    }

    // Withdraws the candidates handed out: those no worker has started are never evaluated, and
    // those no scan has asked for are forgotten once their workers are done, which the scan does
    // not wait for.
    void Withdraw() {
        std::erase_if(withdrawn_, [](const auto& ahead) { return !ahead->pieces->Running(); });
        for (auto& ahead : aheads_) {
            ahead->pieces->Withdraw();
            withdrawn_.push_back(std::move(ahead));
        }
        aheads_.clear();
    }

    // Waits for the workers still evaluating candidates: they read the design state, which the
    // computation changes once the search is over.
    ~EvaluatedCandidates() {
        aheads_.clear();
        withdrawn_.clear();
    }
    EvaluatedCandidates() = default;
    EvaluatedCandidates(const EvaluatedCandidates&) = delete;
    EvaluatedCandidates& operator=(const EvaluatedCandidates&) = delete;

private:
    struct Key {
        std::array<uint32_t, 4> core;
        CandidateTurns turns;
        bool operator==(const Key&) const = default;
    };
    static Key KeyOf(const CoreGeometry& core, const CandidateTurns& turns) {
        return {{std::bit_cast<uint32_t>(core.Ae), std::bit_cast<uint32_t>(core.Ve), std::bit_cast<uint32_t>(core.Lm),
                 std::bit_cast<uint32_t>(core.W)},
                turns};
    }
    // FNV-1a over the key's numbers: a search that tries every turn count of every core keeps
    // thousands of candidates.
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            uint64_t hash = 14695981039346656037u;
            const auto mix = [&hash](uint32_t x) {
                hash ^= x;
                hash *= 1099511628211u;
            };
            for (uint32_t x : key.core) mix(x);
            mix(static_cast<uint32_t>(key.turns.Primary));
            mix(static_cast<uint32_t>(key.turns.Aux));
            for (int32_t x : key.turns.Outputs) mix(static_cast<uint32_t>(x));
            return static_cast<std::size_t>(hash);
        }
    };
    struct Known {
        CandidateDesign candidate;
        bool synthetic = false;
        OptimiserState optimiser;
    };
    // The candidate and the state its evaluation leaves on the calling thread.
    static Known EvaluateNow(const CoreGeometry& core, const CandidateTurns& turns, const WindowShares& shares) {
        Known known;
        known.candidate = EvaluateCandidate(core, turns, shares);
        known.synthetic = SyntheticWireUsed;
        known.optimiser = OptimiserState::Now();
        return known;
    }
    // Candidates handed to the worker threads, each with its own result.
    struct Ahead {
        CoreGeometry core;
        WindowShares shares;  // of core: the scan moves on to other cores while workers finish
        std::vector<CandidateTurns> turns;
        std::vector<Key> keys;
        std::vector<Known> results;
        std::size_t next = 0;                 // the chain index after the last turn count handed out
        std::unique_ptr<PiecesAhead> pieces;  // last: goes first, waiting for the workers that write above
    };

    // The candidates of core with the turns of chain from index first on, up to count of them,
    // that are not known: handed out.
    void HandOut(const CoreGeometry& core, TurnChain& chain, std::size_t first, std::size_t count) {
        auto ahead = std::make_unique<Ahead>();
        ahead->core = core;
        ahead->shares = CurrentWindowShares();
        std::size_t i = first;
        for (; i < first + count && chain.Has(i); ++i) {
            if (known_.contains(KeyOf(core, chain[i]))) continue;
            ahead->turns.push_back(chain[i]);
            ahead->keys.push_back(KeyOf(core, chain[i]));
        }
        ahead->next = i;
        if (ahead->keys.empty()) return;
        ahead->results.resize(ahead->turns.size());
        Ahead& a = *ahead;
        a.pieces = std::make_unique<PiecesAhead>(static_cast<int>(a.turns.size()), [&a](int k) {
            const auto j = static_cast<std::size_t>(k);
            a.results[j] = EvaluateNow(a.core, a.turns[j], a.shares);
        });
        aheads_.push_back(std::move(ahead));
    }

    // The candidate key names when it is known or handed out (then finished here if no worker
    // has started it); null otherwise.
    const Known* Lookup(const Key& key) {
        auto found = known_.find(key);
        if (found == known_.end()) {
            const auto [ahead, i] = Handed(key);
            if (ahead == nullptr) return nullptr;
            ahead->pieces->Finish(static_cast<int>(i));
            found = known_.emplace(key, ahead->results[i]).first;
        }
        return &found->second;
    }

    // The candidates handed out that key names, and its place there; null when none.
    std::pair<Ahead*, std::size_t> Handed(const Key& key) const {
        for (const auto& ahead : aheads_)
            if (const auto at = std::ranges::find(ahead->keys, key); at != ahead->keys.end())
                return {ahead.get(), static_cast<std::size_t>(at - ahead->keys.begin())};
        return {nullptr, 0};
    }

    std::unordered_map<Key, Known, KeyHash> known_;
    std::vector<std::unique_ptr<Ahead>> aheads_;  // at most two: the last handed out, and the one before
    std::vector<std::unique_ptr<Ahead>> withdrawn_;  // those whose workers may not be done yet
};

// A core's candidates are evaluated ahead once it has given this many, or from its first when
// the core before gave as many (a design that walks one core far mostly walks the next as far);
// at a time, as many as it has given, from one to four for each thread: the longer a core is
// walked, the likelier it is walked further, and the more pieces each thread has, the less one
// long piece holds the others.
constexpr int WalkBeforeEvaluatingAhead = 8;
inline std::size_t EvaluatedAhead(int walked) {
    const auto threads = static_cast<std::size_t>(SideBySideThreads());
    return std::clamp(static_cast<std::size_t>(walked), threads, 4 * threads);
}

// Withdraws the candidates handed out to the worker threads when it goes.
class WithdrawAtEnd {
public:
    explicit WithdrawAtEnd(EvaluatedCandidates& evaluated) : evaluated_(evaluated) {}
    ~WithdrawAtEnd() { evaluated_.Withdraw(); }
    WithdrawAtEnd(const WithdrawAtEnd&) = delete;
    WithdrawAtEnd& operator=(const WithdrawAtEnd&) = delete;

private:
    EvaluatedCandidates& evaluated_;
};

}  // namespace zorvic
