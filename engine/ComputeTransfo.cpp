#include "ComputeTransfo.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "Formula.h"
#include "OutputCode.h"
#include "NumberText.h"
#include "TransformerWalk.h"
#include "TransfoFigures.h"

namespace zorvic {

float SkinDepth = 0;
thread_local bool SyntheticWireUsed = false;
int32_t WorkAuxTurns = 0;
std::array<int32_t, OutputCount> WorkOutputTurns{};

int16_t BestPrimaryTurns = 0;
int16_t BestAuxTurns = 0;
std::array<int16_t, OutputCount> BestOutputTurns{};
WireRecord BestPrimaryWire;
WireRecord BestAuxWire;
std::array<WireRecord, OutputCount> BestOutputWires{};
float BestCoreLoss = 0;
float BestWindingLoss = 0;
float BestTotalLoss = 0;
float BestFlux = 0;
float LowestFlux = 0;
int32_t DesignEvaluations = 0;
bool LastSearchRecorded = false;
int32_t SearchesRun = 0;

namespace {

// Drops what the last transformer search read and left.
void ForgetPreviousSearch();

constexpr float Mu0 = 1.2566371e-6f;  // H/m
constexpr int WireRowThinnest = WireTableSize - 1;  // AWG 44

// W x Ae in cm4, in 64 bits as the thermal rules are.
double AreaProduct(const CoreGeometry& core) {
    return static_cast<double>(core.W) * static_cast<double>(core.Ae) / 10000.0;
}

}  // namespace

void ResetTransformerState() {
    SkinDepth = 0;
    SyntheticWireUsed = false;
    WorkAuxTurns = 0;
    WorkOutputTurns = {};
    BestPrimaryTurns = 0;
    BestAuxTurns = 0;
    BestOutputTurns = {};
    BestPrimaryWire = {};
    BestAuxWire = {};
    BestOutputWires = {};
    BestCoreLoss = 0;
    BestWindingLoss = 0;
    BestTotalLoss = 0;
    BestFlux = 0;
    LowestFlux = 0;
    DesignEvaluations = 0;
    LastSearchRecorded = false;
    SearchesRun = 0;
    ForgetPreviousSearch();
}

void FilterGeometryList() {
    const std::string& family = Settings.GeometryListType;
    int k = 0;
    // The custom cores are a family of their own: the list holds every one of them (they are
    // kept in ascending order of volume, like the standard table).
    if (family == "Custom") {
        const int count = std::clamp<int>(CustomCoreCount, 0, CandidateCoresSize);
        for (int i = 0; i < count; ++i) {
            CandidateCores[static_cast<std::size_t>(k)] = CustomCoreList[static_cast<std::size_t>(i)];
            CandidateCoreLast = static_cast<int16_t>(k);
            ++k;
        }
        return;
    }
    for (const CoreGeometry& row : StandardCoreTable) {
        if (family == "Any" || family == row.Series) {
            CandidateCores[static_cast<std::size_t>(k)] = row;
            CandidateCoreLast = static_cast<int16_t>(k);
            ++k;
        }
    }
}

void SelectCoreMaterial(int32_t fsw) {
    if (Settings.UserCoreMaterial) return;
    // FreqMax of the working grade is the running limit of the search.
    CurrentMaterial.FreqMax = 10000000;
    for (const CoreMaterial& row : CoreMaterialTable) {
        if (row.FreqMin < fsw && row.FreqMax > fsw && row.FreqMax < CurrentMaterial.FreqMax)
            CurrentMaterial = row;
    }
    CoreSupplier = CurrentMaterial.Supplier;
}

float SkinAreaRatio(float A) {
    const float r = std::sqrt(A / Pi);
    if (r > SkinDepth) {
        const float dead = r - SkinDepth;
        return (A - Pi * (dead * dead)) / A;
    }
    return 1.0f;
}

// Rule of thumb for ferrite cores in free air: dT = 23 K x P x (W Ae / cm4)^-0.37.
double CoreTempRise(float P, const CoreGeometry& core) {
    return 23.0 * static_cast<double>(P) * std::pow(AreaProduct(core), -0.37);
}

double CoreMaxLoss(float dT, const CoreGeometry& core) {
    return std::pow(AreaProduct(core), 0.37) * static_cast<double>(dT) / 23.0;
}

WireRecord SelectWire(float A, bool allowSynthetic) {
    const float delta = SkinDepthAt(InputStage.SwitchingFrequency);
    const WireRecord& thinnest = WireTable[WireRowThinnest];
    WireRecord wire;
    if (!(A > 0)) {
        // No room at all (or no number): the thinnest real wire, never a synthetic one of no
        // area, which would have an infinite or negative resistance.
        wire = thinnest;
    } else if (thinnest.AreaIns > A) {
        if (allowSynthetic || SyntheticWireUsed) {
            // Thinner than the table: AWG 44's resistivity on the bare area A / 1.5.
            const float bare = A / 1.5f;
            wire = {};
            wire.Awg = 0;
            wire.AreaIns = A;
            wire.Area = bare;
            wire.Rlin = thinnest.Rlin * thinnest.Area / bare;
            wire.Index = 0;
            wire.Strands = 0;
            SyntheticWireUsed = true;
        } else {
            wire = thinnest;
        }
    } else {
        int row = 0;
        for (int i = WireRowThinnest; i >= 0; --i) {
            if (WireTable[static_cast<std::size_t>(i)].AreaIns > A) {
                row = i + 1;
                break;
            }
        }
        wire = WireTable[static_cast<std::size_t>(row)];
    }
    // Skin effect: only the outer ring of one skin depth carries the current.
    const float r = std::sqrt(wire.Area / Pi);
    if (r > delta) {
        const float dead = r - delta;
        wire.Rlin = wire.Rlin * wire.Area / (wire.Area - Pi * (dead * dead));
    }
    return wire;
}

int16_t FindLowestOutput() {
    int16_t lowest = 0;
    float voltage = Outputs[0].VoltageBeforeDiode;
    for (int i = 1; i <= LastActiveOutput(); ++i) {
        const float vi = Outputs[static_cast<std::size_t>(i)].VoltageBeforeDiode;
        if (voltage > vi) {
            lowest = static_cast<int16_t>(i);
            voltage = vi;
        }
    }
    return lowest;
}

int32_t ComputePrimaryTurns(float Ae, float Le) {
    const auto fsw = static_cast<float>(InputStage.SwitchingFrequency);
    // Volt-seconds at the lowest bus voltage over the allowed flux times the core area, scaled
    // by the peak-to-ripple ratio of the drain current.
    const float voltSeconds = OperatingPoint.DutyCycleAtVmin * InputStage.VdcMin / fsw;
    const float fluxArea = Settings.BmaxRatio * CurrentMaterial.Bsat * Ae * 1e-6f;
    const int32_t nSat = CLng(voltSeconds / fluxArea * OperatingPoint.ContRatio);
    // Turns that reach the primary inductance with no gap.
    const float ungapped =
        Transfo.Lprimary.Value * Le * 0.001f / (CurrentMaterial.Ui100 * Mu0 * Ae * 1e-6f);
    const int32_t nL = CLng(std::sqrt(ungapped));
    return ComputeTurns(std::max(nSat, nL));
}

int32_t ComputeTurns(int32_t nMin) {
    const int16_t k = FindLowestOutput();
    const float vk = Outputs[static_cast<std::size_t>(k)].VoltageBeforeDiode;
    const float vr = InputStage.ReflectedVoltage;
    if (Settings.UserPrimaryTurns) nMin = Transfo.PrimaryTurns - 1;
    WorkAuxTurns = 0;
    WorkOutputTurns = {};
    if (nMin >= MaxTurns) return NoTurnCount;

    int32_t ns = CLng(vk * static_cast<float>(nMin) / vr);
    if (ns < 1) ns = 1;
    // The primary turns must come from a whole number of turns on the lowest output. The lowest
    // output's own turns bound the search: past MaxTurns there is no usable count (this also
    // ends the search for a zero or negative reflected voltage).
    float v = 0;
    int32_t np = 0;
    do {
        if (ns > MaxTurns) return NoTurnCount;
        v = vk / static_cast<float>(ns);
        np = CLng(vr / v);
        ++ns;
    } while (!(np > nMin));

    const int32_t aux = CLng((AuxWindingVoltage() + 0.6f) / v);
    std::array<int32_t, OutputCount> outputs{};
    for (int i = 0; i <= LastActiveOutput(); ++i)
        outputs[static_cast<std::size_t>(i)] = CLng(Outputs[static_cast<std::size_t>(i)].VoltageBeforeDiode / v);
    if (Settings.UserPrimaryTurns) np = Transfo.PrimaryTurns;

    if (np > MaxTurns || np < 1 || aux > MaxTurns) return NoTurnCount;
    for (int32_t turns : outputs)
        if (turns > MaxTurns) return NoTurnCount;
    WorkAuxTurns = aux;
    WorkOutputTurns = outputs;
    return np;
}

void ComputeAirGap() {
    const auto np = static_cast<float>(BestPrimaryTurns);
    const float gap = np * np * CurrentCore.Ae * Mu0 * 1e-6f / Transfo.Lprimary.Value -
                      CurrentCore.Le * 0.001f / CurrentMaterial.Ui100;
    // No grade chosen yet (no permeability), no core or no inductance: there is no gap to give.
    Transfo.AirGap = std::isfinite(gap) ? gap : 0.0f;
}

float AuxWindingVoltage() {
    return OperatingPoint.SecondaryRegulation ? (CurrentChip.Vdd1 + CurrentChip.Vdd2) / 2.0f : CurrentChip.VddReg;
}

WindingWeights ComputeWindingWeights() {
    WindingWeights weights;
    const float vr = InputStage.ReflectedVoltage;
    // The auxiliary winding gives its voltage plus a diode drop of 0.6 V.
    const float vaux = AuxWindingVoltage() + 0.6f;
    weights.Primary = Transfo.IrmsMax * vr;
    weights.Aux = vaux * CurrentChip.SupplyCurrent;
    Transfo.AuxTurnsRatio = vr / vaux;
    weights.Sum = weights.Primary + weights.Aux;
    for (int i = 0; i <= LastActiveOutput(); ++i) {
        const OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
        const float va = output.VoltageBeforeDiode * output.IrmsSecondary;
        weights.Outputs[static_cast<std::size_t>(i)] = va;
        weights.Sum += va;
    }
    return weights;
}

void SetWindowShares(float usableWindow, const WindingWeights& weights) {
    // No current anywhere: nothing to share out (and no 0 / 0).
    const bool none = !(weights.Sum > 0);
    const auto share = [&](float weight) { return none ? 0.0f : usableWindow * weight / weights.Sum; };
    Transfo.PrimaryWindingArea = share(weights.Primary);
    Transfo.AuxWindingArea = share(weights.Aux);
    for (int i = 0; i <= LastActiveOutput(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        Transfo.OutputWindingArea[k] = share(weights.Outputs[k]);
    }
}

float PeakFluxAt(const CoreGeometry& core, int32_t primaryTurns) {
    // From the peak primary current.
    return Transfo.Lprimary.Value * Transfo.IpeakMax / (core.Ae * 1e-6f * static_cast<float>(primaryTurns));
}

float CoreLossAt(const CoreGeometry& core, float peakFlux) {
    // The grade's Steinmetz fit over the flux swing Bpk / 2.
    const auto fsw = static_cast<float>(InputStage.SwitchingFrequency);
    return CurrentMaterial.K * std::pow(fsw, CurrentMaterial.K1) * std::pow(peakFlux / 2.0f, CurrentMaterial.K2) *
           core.Ve * 0.001f;
}

CandidateTurns WorkingTurns(int32_t primaryTurns) {
    return {primaryTurns, WorkAuxTurns, WorkOutputTurns};
}

WindowShares CurrentWindowShares() {
    return {Transfo.PrimaryWindingArea, Transfo.AuxWindingArea, Transfo.OutputWindingArea};
}

WindingSet StartingWinding(int32_t primaryTurns) {
    return StartingWinding(WorkingTurns(primaryTurns), CurrentWindowShares());
}

WindingSet StartingWinding(const CandidateTurns& turns, const WindowShares& shares) {
    const int32_t primaryTurns = turns.Primary;
    const int last = LastActiveOutput();
    const int16_t kind = Settings.WindingOptimisationType;

    // Starting wires: a strand of each winding's window share over its turns (a fifth of it
    // when the winding is paralleled); the auxiliary winding never gets a synthetic wire.
    SyntheticWireUsed = false;
    const float parallel = kind == SingleWire ? 1.0f : 5.0f;
    const auto startWire = [&](float share, int32_t turns, bool allowSynthetic) {
        return SelectWire(Pi / 4.0f * share / (parallel * static_cast<float>(turns)), allowSynthetic);
    };
    std::array<WireRecord, WindingCount> wires{};
    wires[PrimaryWinding] = startWire(shares.Primary, primaryTurns, true);
    wires[AuxWinding] = startWire(shares.Aux, turns.Aux, false);
    for (int i = 0; i <= last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        wires[static_cast<std::size_t>(OutputWinding(i))] = startWire(shares.Outputs[k], turns.Outputs[k], true);
    }

    WindingSet set;
    set.Turns[PrimaryWinding] = primaryTurns;
    set.Turns[AuxWinding] = turns.Aux;
    for (int i = 0; i <= last; ++i)
        set.Turns[static_cast<std::size_t>(OutputWinding(i))] = turns.Outputs[static_cast<std::size_t>(i)];
    const float strands = kind == SingleWire ? 1.0f : static_cast<float>(Transfo.ParallelWireMax) / 2.0f + 0.5f;
    for (int j = 0; j <= OutputWinding(last); ++j) {
        const auto k = static_cast<std::size_t>(j);
        set.Strands[k] = strands;
        set.Diameter[k] = 2.0f * std::sqrt(wires[k].AreaIns / Pi);
    }
    return set;
}

CandidateDesign EvaluateCandidate(const CoreGeometry& core, int32_t primaryTurns) {
    return EvaluateCandidate(core, WorkingTurns(primaryTurns), CurrentWindowShares());
}

CandidateDesign EvaluateCandidate(const CoreGeometry& core, const CandidateTurns& turns, const WindowShares& shares) {
    const int32_t primaryTurns = turns.Primary;
    CandidateDesign candidate;
    const int last = LastActiveOutput();
    const int16_t kind = Settings.WindingOptimisationType;
    candidate.PrimaryTurns = primaryTurns;
    candidate.AuxTurns = turns.Aux;
    candidate.OutputTurns = turns.Outputs;

    candidate.PeakFlux = PeakFluxAt(core, primaryTurns);
    candidate.CoreLoss = CoreLossAt(core, candidate.PeakFlux);

    const WindingSet set = StartingWinding(turns, shares);
    const float turnMetres = core.Lm / 1000.0f;
    candidate.Winding = OptimiseWinding(turnMetres, core.W * Transfo.WindowFactor, set, kind);
    std::array<WireRecord, WindingCount> wires{};

    // Real gauges for the optimised diameters, with the same synthetic-wire permissions.
    std::array<float, WindingCount> currents{};
    currents[PrimaryWinding] = Transfo.IrmsMax;
    currents[AuxWinding] = CurrentChip.SupplyCurrent;
    for (int i = 0; i <= last; ++i)
        currents[static_cast<std::size_t>(OutputWinding(i))] = Outputs[static_cast<std::size_t>(i)].IrmsSecondary;
    for (int j = 0; j <= OutputWinding(last); ++j) {
        const auto k = static_cast<std::size_t>(j);
        const float d = candidate.Winding.Diameter[k];
        wires[k] = SelectWire(Pi / 4.0f * (d * d), j != AuxWinding);
        wires[k].Strands = CInt(candidate.Winding.Strands[k]);
    }
    candidate.PrimaryWire = wires[PrimaryWinding];
    candidate.AuxWire = wires[AuxWinding];
    for (int i = 0; i <= last; ++i)
        candidate.OutputWires[static_cast<std::size_t>(i)] = wires[static_cast<std::size_t>(OutputWinding(i))];

    // N x Lm / 1000 x I^2 x Rlin / strands, left to right. A winding without current or turns
    // loses nothing, even on the synthetic wire of a diameter the optimiser shrank so far that
    // its resistance overflows (0 x infinity would be no number).
    const auto copper = [&](int32_t turns, float current, const WireRecord& wire) {
        if (turns == 0 || current == 0) return 0.0f;
        return static_cast<float>(turns) * core.Lm / 1000.0f * (current * current) * wire.Rlin /
               static_cast<float>(wire.Strands);
    };
    float pw = copper(primaryTurns, currents[PrimaryWinding], candidate.PrimaryWire) +
               copper(candidate.AuxTurns, currents[AuxWinding], candidate.AuxWire);
    for (int i = 0; i <= last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        pw += copper(candidate.OutputTurns[k], currents[static_cast<std::size_t>(OutputWinding(i))],
                     candidate.OutputWires[k]);
    }
    candidate.WindingLoss = pw;
    candidate.TotalLoss = candidate.CoreLoss + pw;
    return candidate;
}

CopperLossFloor::CopperLossFloor(const CoreGeometry& core) {
    const int last = LastActiveOutput();
    const float window = core.W * Transfo.WindowFactor;  // as the optimiser is given it
    // Rounding a strand count of 1 or more to the nearest (halves to even) raises it by at most
    // 4 / 3 (1.5 to 2); a single wire keeps its one strand. The optimiser's fill is exact to a
    // few float units; 1e-3 covers it.
    const bool single = Settings.WindingOptimisationType == SingleWire;
    window_ = (single ? 1.0 : 4.0 / 3.0) * (PiDouble / 4.0) * static_cast<double>(window) * (1.0 + 1e-3);
    // Resistance times insulated area of each wire the final choice can give: each table row
    // with its skin-effect factor as SelectWire gives it, from the thinnest up (its lowest value
    // up to each row kept), and a synthetic wire: AWG 44's copper over an insulated area 1.5
    // times it, no less than that copper alone where the area is too small for a float to keep
    // the ratio. 1e-5 covers the float roundings.
    const WireRecord& thinnest = WireTable[WireRowThinnest];
    copper44_ = static_cast<double>(thinnest.Rlin) * static_cast<double>(thinnest.Area) * (1.0 - 1e-5);
    synthetic_ = 1.5 * copper44_;
    double lowest = std::numeric_limits<double>::infinity();
    for (int row = WireRowThinnest; row >= 0; --row) {
        const WireRecord wire = SelectWire(WireTable[static_cast<std::size_t>(row)].AreaIns, false);
        lowest = std::min(lowest, static_cast<double>(wire.Rlin) * static_cast<double>(wire.AreaIns) * (1.0 - 1e-5));
        rows_[static_cast<std::size_t>(row)] = {static_cast<double>(wire.AreaIns), lowest};
    }
    thinnestRow_ = rows_[WireRowThinnest].second;
    usableWindow_ = static_cast<double>(window) * (1.0 + 1e-3);
    lengthFactor_ = static_cast<double>(core.Lm) / 1000.0;
    turnLength_ = static_cast<double>(core.Lm / 1000.0f);  // as the optimiser is given it
    thinnest_ = static_cast<double>(thinnest.AreaIns);
    const double strands = single ? 1.0 : static_cast<double>(std::max<int16_t>(Transfo.ParallelWireMax, 1));
    strandsMax_.fill(strands);
    current_[PrimaryWinding] = static_cast<double>(Transfo.IrmsMax);
    current_[AuxWinding] = static_cast<double>(CurrentChip.SupplyCurrent);
    for (int i = 0; i <= last; ++i)
        current_[static_cast<std::size_t>(OutputWinding(i))] =
            static_cast<double>(Outputs[static_cast<std::size_t>(i)].IrmsSecondary);
    usable_ = window > 0 && std::isfinite(window) && lengthFactor_ > 0 && std::isfinite(lengthFactor_) &&
              copper44_ > 0 && thinnest_ > 0;
    for (double current : current_) usable_ = usable_ && std::isfinite(current);
}

double CopperLossFloor::At(int32_t primaryTurns, int32_t auxTurns, const std::array<int32_t, OutputCount>& outputTurns,
                           double allocatedLoss) const {
    if (!usable_) return 0;
    std::array<double, WindingCount> turns{};
    turns[PrimaryWinding] = primaryTurns;
    turns[AuxWinding] = auxTurns;
    for (int i = 0; i <= LastActiveOutput(); ++i)
        turns[static_cast<std::size_t>(OutputWinding(i))] = outputTurns[static_cast<std::size_t>(i)];
    for (double n : turns)
        if (n < 0) return 0;
    // The winding set the optimiser returns never loses more than allocatedLoss, and a strand so
    // thin that its area is no float above zero (the only way for a winding other than the
    // auxiliary to get a wire above its share) has more than 1e16 ohm/m: a winding whose loss
    // on such a strand would be above allocatedLoss keeps its wire within its share. The others
    // are left out of the sum. The auxiliary winding may take the thinnest wire beyond its
    // share: the window grows by that.
    // A strand of winding j takes at most pi / 4 x window / N of insulated area, so its wire is
    // one of the rows up to that (the synthetic wire included); the auxiliary winding may also
    // get AWG 44, or a synthetic wire of any area.
    const auto lowestUpTo = [this](double area) {
        double lowest = synthetic_;
        for (const auto& [rowArea, rowLowest] : rows_)
            if (rowArea <= area) lowest = std::min(lowest, rowLowest);
        return lowest;
    };
    double kept = 0;
    for (std::size_t j = 0; j < turns.size(); ++j) {
        const double current = current_[j];
        if (turns[j] == 0 || current == 0) continue;
        const double thinLoss = turns[j] * turnLength_ * current * current * 1e16 / strandsMax_[j];
        const bool aux = j == AuxWinding;
        if (!aux && !(thinLoss > allocatedLoss)) continue;
        const double strandArea = PiDouble / 4.0 * usableWindow_ / turns[j] * (1.0 + 1e-6);
        double lowest = lowestUpTo(strandArea);
        if (aux) lowest = std::min({lowest, thinnestRow_, copper44_});
        kept += turns[j] * std::fabs(current) * std::sqrt(lowest * lengthFactor_);
    }
    return kept * kept / (window_ + turns[AuxWinding] * strandsMax_[AuxWinding] * thinnest_);
}

void RecordCandidate(const CandidateDesign& candidate, const CoreGeometry& core) {
    const auto turns16 = [](int32_t turns) { return static_cast<int16_t>(std::clamp<int32_t>(turns, 0, MaxTurns)); };
    BestWindingLoss = candidate.WindingLoss;
    BestCoreLoss = candidate.CoreLoss;
    BestTotalLoss = candidate.TotalLoss;
    BestFlux = candidate.PeakFlux;
    BestPrimaryTurns = turns16(candidate.PrimaryTurns);
    BestAuxTurns = turns16(candidate.AuxTurns);
    BestPrimaryWire = candidate.PrimaryWire;
    BestAuxWire = candidate.AuxWire;
    for (int i = 0; i < OutputCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        BestOutputTurns[k] = turns16(candidate.OutputTurns[k]);
        BestOutputWires[k] = candidate.OutputWires[k];
    }
    CurrentCore = core;
}

float FinishedVoltsPerTurn() {
    if (OperatingPoint.SecondaryRegulation) {
        float sum = 0;
        int count = 0;
        for (int i = 0; i <= LastActiveOutput(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (!Outputs[k].Regulated || BestOutputTurns[k] <= 0) continue;
            sum += Outputs[k].VoltageBeforeDiode / static_cast<float>(BestOutputTurns[k]);
            ++count;
        }
        if (count > 0) return sum / static_cast<float>(count);
    }
    if (BestAuxTurns > 0) return (CurrentChip.VddReg + 0.6f) / static_cast<float>(BestAuxTurns);
    if (BestPrimaryTurns > 0) return InputStage.ReflectedVoltage / static_cast<float>(BestPrimaryTurns);
    return 0;
}

void ApplyRecordedDesign() {
    Transfo.Material = CurrentMaterial;
    Transfo.CoreLoss = BestCoreLoss;
    Transfo.WindingLoss = BestWindingLoss;
    Transfo.PrimaryWire = BestPrimaryWire;
    Transfo.AuxWire = BestAuxWire;
    // The sum equals BestTotalLoss whenever the search recorded at its present total, and is
    // still the recorded design's loss when the search restarted its total for a later core.
    OperatingPoint.TransformerLoss = BestCoreLoss + BestWindingLoss;
    Transfo.Core = CurrentCore;
    Transfo.Bmax = CurrentMaterial.Bdc + BestFlux;
    Transfo.PrimaryTurns = BestPrimaryTurns;
    Transfo.AuxTurns = BestAuxTurns;

    const float v = FinishedVoltsPerTurn();
    OperatingPoint.ReflectedVoltageActual = static_cast<float>(Transfo.PrimaryTurns) * v;
    for (int i = 0; i <= LastActiveOutput(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        OutputRecord& output = Outputs[k];
        Transfo.OutputTurns[k] = BestOutputTurns[k];
        Transfo.OutputWire[k] = BestOutputWires[k];
        const OutputCode type(output.OutputType);
        if (type.IsInductorFilter() || type.IsPlain()) {
            output.ActualVoltage = static_cast<float>(Transfo.OutputTurns[k]) * v - output.Diode.VfCopy;
        } else if (type.IsRegulator()) {
            // A fixed regulator gives its chosen voltage; an adjustable one (listed by its 1.2 V
            // reference) is set to the requested voltage.
            const RegulatorRecord& regulator = output.Regulator;
            const auto item = static_cast<std::size_t>(std::clamp<int>(regulator.ChosenItem, 0, 18));
            output.ActualVoltage = regulator.Vout[1] != 1.2f ? regulator.Vout[item] : output.Voltage;
        } else {
            output.ActualVoltage = output.Voltage;
        }
    }
}

namespace {

// The core loss of every candidate on core is 0 or more (or no number), so a candidate's total is
// never below its copper loss.
bool CoreLossNeverNegative(const CoreGeometry& core) {
    return CurrentMaterial.K >= 0 && core.Ve >= 0 && core.Ae > 0 && Transfo.Lprimary.Value >= 0 &&
           Transfo.IpeakMax >= 0;
}

// A candidate of the search whose winding was not optimised, with the turns of the moment.
struct UnoptimisedCandidate {
    CoreGeometry core;
    int32_t primaryTurns = 0;
    int32_t auxTurns = 0;
    std::array<int32_t, OutputCount> outputTurns{};
};

// Evaluates the search's last candidate when its winding was not optimised: the wire choice's
// synthetic flag and the optimiser's module values are then those its evaluation leaves, as
// after a search that optimises every candidate. The working turns and window shares of the
// moment are put back.
void EvaluateLastCandidate(const UnoptimisedCandidate& last, const WindingWeights& weights,
                           EvaluatedCandidates& evaluated) {
    const int32_t aux = WorkAuxTurns;
    const std::array<int32_t, OutputCount> outputs = WorkOutputTurns;
    const float primaryArea = Transfo.PrimaryWindingArea;
    const float auxArea = Transfo.AuxWindingArea;
    const std::array<float, OutputCount> outputAreas = Transfo.OutputWindingArea;
    WorkAuxTurns = last.auxTurns;
    WorkOutputTurns = last.outputTurns;
    SetWindowShares(last.core.W * Transfo.WindowFactor, weights);
    evaluated.Evaluate(last.core, last.primaryTurns);
    WorkAuxTurns = aux;
    WorkOutputTurns = outputs;
    Transfo.PrimaryWindingArea = primaryArea;
    Transfo.AuxWindingArea = auxArea;
    Transfo.OutputWindingArea = outputAreas;
}

// How a scan of the cores ended. An Unsure scan also tells the loss of the design below the flux
// limit it had recorded (infinity: none).
struct ScanEnd {
    bool done = true;
    float recorded = std::numeric_limits<float>::infinity();
};

// The search of DesignTransformer. A core may also be left when every candidate left on it loses
// more than hint, a loss known beforehand of no less than the allowed loss (a candidate's, or the
// allowed loss itself). While the recorded loss is above hint, the search that leaves only below
// the recorded loss would have evaluated those candidates too, and may have recorded one: its
// recorded loss then lies between hint and this one, so it stops exactly when this one does. The
// scan carries on only while every other decision it takes reads the same either way, and ends
// Unsure as soon as one would not (nothing it leaves then counts). It ends Done with everything
// that search leaves, except LowestFlux and DesignEvaluations.
ScanEnd ScanCores(float P, EvaluatedCandidates& evaluated, CoreWalks& walks, float hint) {
    // 1e10 stands for "nothing recorded yet"; 10000 marks the first pass of a later core.
    constexpr float Nothing = 1e10f;
    constexpr float LaterCore = 10000.0f;
    // Past this many primary turns no further turn count is tried on a core.
    constexpr int32_t TurnLimit = 500;

    BestTotalLoss = Nothing;
    float previousTotal = Nothing;
    LowestFlux = Nothing;
    SkinDepth = SkinDepthAt(InputStage.SwitchingFrequency);
    DesignEvaluations = 0;

    const WindingWeights weights = ComputeWindingWeights();
    // A user core with a blank dimension cannot be designed on: the candidates stand in for it.
    const bool userCore = Settings.UserCoreGeometry && CoreUsable(CurrentCore);
    const bool userTurns = Settings.UserPrimaryTurns;
    const int lastCore = userCore ? 0 : std::clamp<int>(CandidateCoreLast, 0, CandidateCoresSize - 1);
    // Both 32-bit, as the limit is compared.
    const float fluxLimit = Settings.BmaxRatio * CurrentMaterial.Bsat;

    bool validFound = false;
    bool stop = false;
    float allowed = 0;
    bool recorded = false;
    // A core was left on hint alone.
    bool leftOnHint = false;
    // The last candidate tried, when its winding was not optimised.
    std::optional<UnoptimisedCandidate> unoptimised;
    const auto unsure = [&] {
        return ScanEnd{false, validFound ? BestTotalLoss : std::numeric_limits<float>::infinity()};
    };
    // Candidates the core of the moment has given so far: a core that has given a few is likely
    // to be walked further, so its next candidates are evaluated ahead, on the worker threads.
    int walked = 0;
    for (int c = 0; c <= lastCore && !stop; ++c) {
        // A copy: recording a design overwrites CurrentCore, the user's core among others.
        const CoreGeometry core = userCore ? CurrentCore : CandidateCores[static_cast<std::size_t>(c)];
        if (Settings.CoreCriterionTemp) {
            allowed = static_cast<float>(CoreMaxLoss(Transfo.MaxDeltaT, core));
            BestTotalLoss = Nothing;
            previousTotal = Nothing;
        } else {
            allowed = Transfo.CoreLossShare * P;
        }
        SetWindowShares(core.W * Transfo.WindowFactor, weights);

        // Once a design below the flux limit is recorded, a candidate that cannot beat it changes
        // nothing: no record, no stop, and the lowest flux only decides while none is recorded.
        CoreWalk& walk = walks.Of(static_cast<std::size_t>(c), core, TurnLimit);
        TurnChain& chain = walk.chain;
        RemainingTurnsBound& remaining = walk.remaining;
        const bool mayLeave = !userCore && !userTurns && CoreLossNeverNegative(core);

        int32_t np = ComputePrimaryTurns(core.Ae, core.Le);
        bool falling = false;
        const bool walkedFar = std::exchange(walked, 0) >= WalkBeforeEvaluatingAhead;
        const int walkBeforeAhead = walkedFar ? 0 : WalkBeforeEvaluatingAhead;
        // The candidates handed out for this core are of no use once the scan leaves it.
        const WithdrawAtEnd withdraw(evaluated);
        // A core that needs more turns than a winding can hold is no candidate.
        while (np <= MaxTurns) {
            if (validFound && mayLeave &&
                remaining.CannotWin(np, std::min(BestTotalLoss, hint))) {
                leftOnHint = leftOnHint || hint < BestTotalLoss;
                break;
            }
            const float peakFlux = PeakFluxAt(core, np);
            const float flux = CurrentMaterial.Bdc + peakFlux;
            const bool acceptable = fluxLimit > flux || (userCore && userTurns);
            // A core loss of no number makes the total no number, whatever the winding: such a
            // candidate is never recorded as acceptable, sets no "falling" and leaves no core by
            // its losses. Its winding is optimised only when it may become the least saturating
            // design, which is recorded whole.
            const float coreLoss = CoreLossAt(core, peakFlux);
            CandidateDesign candidate;
            if (std::isnan(coreLoss) && (acceptable || !(flux < LowestFlux) || validFound)) {
                candidate.PeakFlux = peakFlux;
                candidate.CoreLoss = coreLoss;
                candidate.TotalLoss = coreLoss;
                unoptimised = {core, np, WorkAuxTurns, WorkOutputTurns};
            } else {
                if (walked >= walkBeforeAhead && !userCore && !userTurns)
                    evaluated.EvaluateAhead(core, chain, chain.Find(np), EvaluatedAhead(walked));
                candidate = evaluated.Evaluate(core, np);
                unoptimised.reset();
            }
            ++walked;
            ++DesignEvaluations;
            const float total = candidate.TotalLoss;
            if (previousTotal != LaterCore && previousTotal > total) falling = true;

            bool newLow = false;
            if (flux < LowestFlux) {
                newLow = true;
                LowestFlux = flux;
            }
            if (acceptable && total < BestTotalLoss) {
                RecordCandidate(candidate, core);
                validFound = true;
                recorded = true;
            } else if (!acceptable && newLow && !validFound) {
                // The least saturating design so far, kept whole (turns and wires too) so that
                // nothing later reads the turns of another design.
                RecordCandidate(candidate, core);
                recorded = true;
            }
            if (BestTotalLoss < allowed || userCore || userTurns) stop = true;

            const int32_t next = ComputeTurns(np);
            bool leave = stop || next > TurnLimit || (falling && previousTotal < total);
            if (!leave) {
                const auto bothAbove = [&](float best) {
                    return candidate.CoreLoss > best && candidate.WindingLoss > best;
                };
                leave = bothAbove(BestTotalLoss);
                if (leftOnHint && hint < BestTotalLoss && leave != bothAbove(hint)) return unsure();
            }
            if (leave) break;
            previousTotal = total;
            np = next;
        }
        previousTotal = LaterCore;
    }
    // Only a recorded loss of hint or below is certainly the other search's.
    if (leftOnHint && hint < BestTotalLoss) return unsure();
    if (unoptimised) EvaluateLastCandidate(*unoptimised, weights, evaluated);

    Settings.DesignWithinLoss = BestTotalLoss < allowed;
    Settings.DesignFound = stop;
    Transfo.DesignRecorded = validFound;
    LastSearchRecorded = recorded;
    return {};
}

}  // namespace

bool DesignTransformer(float P) {
    EvaluatedCandidates evaluated;
    CoreWalks walks;
    ScanCores(P, evaluated, walks, std::numeric_limits<float>::infinity());
    return Transfo.DesignRecorded;
}

CoreBits::CoreBits(const CoreGeometry& core) {
    // Binding every field: a field added to CoreGeometry fails to compile here until it is kept.
    const auto& [series, name, ae, le, lm, w, ve, leOverAe, rth, index] = core;
    Series = series;
    Name = name;
    Ae = ae;
    Le = le;
    Lm = lm;
    W = w;
    Ve = ve;
    LeOverAe = leOverAe;
    Rth = rth;
    Index = index;
}

WireBits::WireBits(const WireRecord& wire) {
    // As for a core.
    const auto& [awg, area, areaIns, rlin, index, strands] = wire;
    Awg = awg;
    Area = area;
    AreaIns = areaIns;
    Rlin = rlin;
    Index = index;
    Strands = strands;
}

SearchInputs ReadSearchInputs() {
    SearchInputs in;
    in.Power = Transfo.InputPower;
    in.SwitchingFrequency = InputStage.SwitchingFrequency;
    in.ReflectedVoltage = InputStage.ReflectedVoltage;
    in.VdcMin = InputStage.VdcMin;
    in.DutyCycleAtVmin = OperatingPoint.DutyCycleAtVmin;
    in.ContRatio = OperatingPoint.ContRatio;
    in.SecondaryRegulation = OperatingPoint.SecondaryRegulation;
    in.BmaxRatio = Settings.BmaxRatio;
    in.UserPrimaryTurns = Settings.UserPrimaryTurns;
    // Otherwise the copy of the recorded design writes them, and the search never reads them.
    if (Settings.UserPrimaryTurns) in.PrimaryTurns = Transfo.PrimaryTurns;
    in.UserCoreGeometry = Settings.UserCoreGeometry;
    in.CoreCriterionTemp = Settings.CoreCriterionTemp;
    in.WindingOptimisationType = Settings.WindingOptimisationType;
    in.AdditionalOutputs = Settings.AdditionalOutputs;
    in.Lprimary = Transfo.Lprimary.Value;
    in.IrmsMax = Transfo.IrmsMax;
    in.IpeakMax = Transfo.IpeakMax;
    in.WindowFactor = Transfo.WindowFactor;
    in.CoreLossShare = Transfo.CoreLossShare;
    in.MaxDeltaT = Transfo.MaxDeltaT;
    in.ParallelWireMax = Transfo.ParallelWireMax;
    in.Bsat = CurrentMaterial.Bsat;
    in.Ui100 = CurrentMaterial.Ui100;
    in.K = CurrentMaterial.K;
    in.K1 = CurrentMaterial.K1;
    in.K2 = CurrentMaterial.K2;
    in.Bdc = CurrentMaterial.Bdc;
    in.Vdd1 = CurrentChip.Vdd1;
    in.Vdd2 = CurrentChip.Vdd2;
    in.VddReg = CurrentChip.VddReg;
    in.SupplyCurrent = CurrentChip.SupplyCurrent;
    for (int i = 0; i <= LastActiveOutput(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        in.VoltageBeforeDiode[k] = Outputs[k].VoltageBeforeDiode;
        in.IrmsSecondary[k] = Outputs[k].IrmsSecondary;
    }
    // A user core with a blank dimension is not searched: the candidates stand in for it.
    if (Settings.UserCoreGeometry) in.UserCore = CoreBits(CurrentCore);
    if (!Settings.UserCoreGeometry || !CoreUsable(CurrentCore)) {
        const int last = std::clamp<int>(CandidateCoreLast, 0, CandidateCoresSize - 1);
        in.CandidateCores.reserve(static_cast<std::size_t>(last) + 1);
        for (int c = 0; c <= last; ++c) in.CandidateCores.emplace_back(CandidateCores[static_cast<std::size_t>(c)]);
    }
    for (std::size_t row = 0; row < WireTable.size(); ++row) in.Wires[row] = WireBits(WireTable[row]);
    return in;
}

namespace {

// What a search leaves: the values every search writes, those that only an evaluated candidate
// writes, and the recorded design, which only a record writes (a search that records nothing
// leaves the previous record as it was).
struct SearchOutcome {
    float bestTotal = 0, lowestFlux = 0, skinDepth = 0, auxTurnsRatio = 0, primaryArea = 0, auxArea = 0;
    std::array<float, OutputCount> outputArea{};
    int32_t evaluations = 0, workAux = 0;
    std::array<int32_t, OutputCount> workOutputs{};
    bool withinLoss = false, designFound = false, designRecorded = false, lastRecorded = false;

    bool evaluated = false;  // a candidate was evaluated: the values below were written
    bool synthetic = false;
    OptimiserState optimiser;

    bool recorded = false;  // a design was recorded: the values below were written
    int16_t primaryTurns = 0, auxTurns = 0;
    std::array<int16_t, OutputCount> outputTurns{};
    WireRecord primaryWire, auxWire;
    std::array<WireRecord, OutputCount> outputWires{};
    float coreLoss = 0, windingLoss = 0, flux = 0;
    CoreGeometry core;
};

// Copies between an outcome and the module and design state, one way or the other: the one list
// of what a search leaves.
template <class Outcome, class Copy>
void TransferOutcome(Outcome& o, Copy copy) {
    copy(o.bestTotal, BestTotalLoss);
    copy(o.lowestFlux, LowestFlux);
    copy(o.skinDepth, SkinDepth);
    copy(o.auxTurnsRatio, Transfo.AuxTurnsRatio);
    copy(o.primaryArea, Transfo.PrimaryWindingArea);
    copy(o.auxArea, Transfo.AuxWindingArea);
    for (int i = 0; i <= LastActiveOutput(); ++i)
        copy(o.outputArea[static_cast<std::size_t>(i)], Transfo.OutputWindingArea[static_cast<std::size_t>(i)]);
    copy(o.evaluations, DesignEvaluations);
    copy(o.workAux, WorkAuxTurns);
    copy(o.workOutputs, WorkOutputTurns);
    copy(o.withinLoss, Settings.DesignWithinLoss);
    copy(o.designFound, Settings.DesignFound);
    copy(o.designRecorded, Transfo.DesignRecorded);
    copy(o.lastRecorded, LastSearchRecorded);
    if (o.evaluated) {
        copy(o.synthetic, SyntheticWireUsed);
        // The optimiser's state goes whichever way the copy does.
        OptimiserState optimiser = OptimiserState::Now();
        copy(o.optimiser, optimiser);
        optimiser.Restore();
    }
    if (o.recorded) {
        copy(o.primaryTurns, BestPrimaryTurns);
        copy(o.auxTurns, BestAuxTurns);
        copy(o.outputTurns, BestOutputTurns);
        copy(o.primaryWire, BestPrimaryWire);
        copy(o.auxWire, BestAuxWire);
        copy(o.outputWires, BestOutputWires);
        copy(o.coreLoss, BestCoreLoss);
        copy(o.windingLoss, BestWindingLoss);
        copy(o.flux, BestFlux);
        copy(o.core, CurrentCore);
    }
}

// What the state holds of everything a search may leave.
SearchOutcome TakeOutcome(bool evaluated, bool recorded) {
    SearchOutcome outcome;
    outcome.evaluated = evaluated;
    outcome.recorded = recorded;
    TransferOutcome(outcome, [](auto& kept, const auto& state) { kept = state; });
    return outcome;
}

// Writes an outcome into the module and design state.
void LeaveOutcome(const SearchOutcome& outcome) {
    TransferOutcome(outcome, [](const auto& kept, auto& state) { state = kept; });
}

// A search run: what it read and what it left.
struct LastSearch {
    SearchInputs inputs;
    SearchOutcome outcome;
};
// The last two searches, the one used last first. A computation searches twice, in its first
// pass and in its refining pass, and recomputing the same design asks both again.
std::array<std::optional<LastSearch>, 2> RecentSearches;

void ForgetPreviousSearch() {
    RecentSearches = {};
}

// Whether the scan may take a hint: not on a user core or turns, nor under the temperature
// criterion (the allowed loss changes from core to core).
bool TakesHint() {
    return !Settings.UserCoreGeometry && !Settings.UserPrimaryTurns && !Settings.CoreCriterionTemp;
}

// The hint for the scan: the loss today's inputs give the design the previous search recorded
// (evaluated ahead of its turn) when that is above the allowed loss, else the allowed loss; none
// without a design below the flux limit on a core still among the candidates. A search whose
// design gets below the allowed loss stops at the first such design, not at the lowest: only what
// cannot get below the allowed loss may be left, and that suffices, whatever came before.
std::optional<float> ScanHint(EvaluatedCandidates& evaluated, const SearchOutcome* previousSearch, float allowed) {
    if (!previousSearch) return std::nullopt;
    const SearchOutcome& previous = *previousSearch;
    if (!previous.recorded || !previous.designRecorded || previous.primaryTurns < 1) return std::nullopt;
    const int lastCore = std::clamp<int>(CandidateCoreLast, 0, CandidateCoresSize - 1);
    const auto cores = CandidateCores.begin();
    const CoreBits previousCore(previous.core);
    const auto found = std::find_if(cores, cores + lastCore + 1,
                                    [&](const CoreGeometry& core) { return CoreBits(core) == previousCore; });
    if (found == cores + lastCore + 1) return std::nullopt;
    const CoreGeometry& core = *found;

    SetWindowShares(core.W * Transfo.WindowFactor, ComputeWindingWeights());
    const int32_t np = ComputeTurns(previous.primaryTurns - 1);
    if (np > MaxTurns) return std::nullopt;
    const CandidateDesign candidate = evaluated.Evaluate(core, np);
    const float flux = CurrentMaterial.Bdc + candidate.PeakFlux;
    const float loss = candidate.TotalLoss;
    if (!(Settings.BmaxRatio * CurrentMaterial.Bsat > flux)) return std::nullopt;
    // A loss of no number compares false: the allowed loss.
    return loss >= allowed ? loss : allowed;
}

// A hint when the search before gave none and the allowed loss proved too low: on every core,
// the candidate at its first turn count, and the one where its total loss would be lowest if
// the copper loss grew as the square of the turns (the core loss falls as their K2-th power);
// the lowest loss of those below the flux limit (infinity: none). A loss the scan itself never
// meets only makes it end unsure.
float ProbeHint(EvaluatedCandidates& evaluated) {
    constexpr int32_t TurnLimit = 500;  // as the scan has it
    const WindingWeights weights = ComputeWindingWeights();
    const int lastCore = std::clamp<int>(CandidateCoreLast, 0, CandidateCoresSize - 1);
    const float fluxLimit = Settings.BmaxRatio * CurrentMaterial.Bsat;
    const auto candidateAt = [&](const CoreGeometry& core, int32_t np) {
        SetWindowShares(core.W * Transfo.WindowFactor, weights);
        return EvaluatedCandidates::Elsewhere{core, WorkingTurns(np), CurrentWindowShares()};
    };
    float hint = std::numeric_limits<float>::infinity();
    const auto lowest = [&](const std::vector<EvaluatedCandidates::Elsewhere>& list) {
        const std::vector<CandidateDesign> candidates = evaluated.EvaluateAll(list);
        for (const CandidateDesign& candidate : candidates)
            if (fluxLimit > CurrentMaterial.Bdc + candidate.PeakFlux) hint = std::min(hint, candidate.TotalLoss);
        return candidates;
    };

    std::vector<EvaluatedCandidates::Elsewhere> first;
    for (int c = 0; c <= lastCore; ++c) {
        const CoreGeometry& core = CandidateCores[static_cast<std::size_t>(c)];
        const int32_t np = ComputePrimaryTurns(core.Ae, core.Le);
        if (np <= MaxTurns) first.push_back(candidateAt(core, np));
    }
    const std::vector<CandidateDesign> atFirst = lowest(first);
    std::vector<EvaluatedCandidates::Elsewhere> second;
    const double k2 = CurrentMaterial.K2;
    for (std::size_t i = 0; i < first.size(); ++i) {
        const double coreLoss = atFirst[i].CoreLoss;
        const double copperLoss = atFirst[i].WindingLoss;
        // n^(k2 + 2) = k2 x coreLoss x n0^k2 / (2 x copperLoss / n0^2)
        const double ratio = k2 * coreLoss / (2.0 * copperLoss);
        const double n = first[i].turns.Primary * std::pow(ratio, 1.0 / (k2 + 2.0));
        if (!(n > first[i].turns.Primary + 1.0)) continue;  // also no number
        const int32_t np = ComputeTurns(static_cast<int32_t>(std::min<double>(n, TurnLimit)) - 1);
        if (np <= MaxTurns) second.push_back(candidateAt(first[i].core, np));
    }
    lowest(second);
    return hint;
}

// DesignTransformer(P)'s search, on the hint of what the search before it left (null: none): what
// it leaves, with the state left as it was.
SearchOutcome Search(float P, const SearchOutcome* previous) {
    // Everything the search may change, put back after the evaluation ahead, after a scan on its
    // hint that does not count, and at the end.
    const SearchOutcome before = TakeOutcome(true, true);
    EvaluatedCandidates evaluated;
    CoreWalks walks;
    constexpr float none = std::numeric_limits<float>::infinity();
    // As the scan works it out.
    const float allowed = Transfo.CoreLossShare * P;
    std::optional<float> known;
    if (TakesHint()) {
        known = ScanHint(evaluated, previous, allowed);
        LeaveOutcome(before);
    }
    float hint = TakesHint() ? known.value_or(allowed) : none;
    // A scan that ends unsure has mostly recorded about the loss the search finds, or a little
    // more: a closer hint than none. Each hint is above the one before, and after two of them
    // none is; the candidates evaluated and the bounds worked out on the way are kept.
    for (int scan = 0;; ++scan) {
        const ScanEnd end = ScanCores(P, evaluated, walks, hint);
        if (end.done) break;
        LeaveOutcome(before);
        if (scan == 0 && !known) {
            const float probe = ProbeHint(evaluated);
            LeaveOutcome(before);
            hint = std::min(end.recorded, probe > hint ? probe : none);
        } else {
            hint = scan < 2 ? end.recorded : none;
        }
    }
    const SearchOutcome outcome = TakeOutcome(DesignEvaluations > 0, LastSearchRecorded);
    LeaveOutcome(before);
    return outcome;
}

// DesignTransformer(P) on the present inputs, or what the search before it left when it read the
// same: either way the state gets its outcome here.
void SearchTransformer() {
    SearchInputs inputs = ReadSearchInputs();
    auto& [latest, earlier] = RecentSearches;
    if (earlier && earlier->inputs == inputs) {
        std::swap(latest, earlier);
    } else if (!latest || !(latest->inputs == inputs)) {
        SearchOutcome outcome = Search(Transfo.InputPower, latest ? &latest->outcome : nullptr);
        earlier = std::move(latest);
        latest = LastSearch{std::move(inputs), std::move(outcome)};
        ++SearchesRun;
    }
    LeaveOutcome(latest->outcome);
}

}  // namespace

void ComputeTransformer() {
    SelectCoreMaterial(InputStage.SwitchingFrequency);
    SearchTransformer();
    ComputeAirGap();
    ApplyRecordedDesign();
}

}  // namespace zorvic
