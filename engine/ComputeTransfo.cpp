#include "ComputeTransfo.h"

#include <algorithm>
#include <cmath>

#include "Formula.h"
#include "NumberText.h"
#include "TransfoFigures.h"

namespace zorvic {

float SkinDepth = 0;
bool SyntheticWireUsed = false;
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

namespace {

constexpr float Mu0 = 1.2566371e-6f;  // H/m
constexpr int WireRowThinnest = WireTableSize - 1;  // AWG 44

// Outputs 0 to Settings.AdditionalOutputs, kept inside the table whatever the setting holds.
int LastOutputIndex() {
    return std::clamp<int>(Settings.AdditionalOutputs, 0, OutputCount - 1);
}

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
    for (int i = 1; i <= LastOutputIndex(); ++i) {
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
    for (int i = 0; i <= LastOutputIndex(); ++i)
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
    for (int i = 0; i <= LastOutputIndex(); ++i) {
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
    for (int i = 0; i <= LastOutputIndex(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        Transfo.OutputWindingArea[k] = share(weights.Outputs[k]);
    }
}

CandidateDesign EvaluateCandidate(const CoreGeometry& core, int32_t primaryTurns) {
    CandidateDesign candidate;
    const int last = LastOutputIndex();
    const int16_t kind = Settings.WindingOptimisationType;
    candidate.PrimaryTurns = primaryTurns;
    candidate.AuxTurns = WorkAuxTurns;
    candidate.OutputTurns = WorkOutputTurns;

    // Peak flux density from the peak primary current (T); core loss by the grade's Steinmetz
    // fit over the flux swing Bpk / 2.
    candidate.PeakFlux = Transfo.Lprimary.Value * Transfo.IpeakMax / (core.Ae * 1e-6f * static_cast<float>(primaryTurns));
    const auto fsw = static_cast<float>(InputStage.SwitchingFrequency);
    candidate.CoreLoss = CurrentMaterial.K * std::pow(fsw, CurrentMaterial.K1) *
                         std::pow(candidate.PeakFlux / 2.0f, CurrentMaterial.K2) * core.Ve * 0.001f;

    // Starting wires: a strand of each winding's window share over its turns (a fifth of it
    // when the winding is paralleled); the auxiliary winding never gets a synthetic wire.
    SyntheticWireUsed = false;
    const float parallel = kind == SingleWire ? 1.0f : 5.0f;
    const auto startWire = [&](float share, int32_t turns, bool allowSynthetic) {
        return SelectWire(Pi / 4.0f * share / (parallel * static_cast<float>(turns)), allowSynthetic);
    };
    std::array<WireRecord, WindingCount> wires{};
    wires[PrimaryWinding] = startWire(Transfo.PrimaryWindingArea, primaryTurns, true);
    wires[AuxWinding] = startWire(Transfo.AuxWindingArea, candidate.AuxTurns, false);
    for (int i = 0; i <= last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        wires[static_cast<std::size_t>(OutputWinding(i))] =
            startWire(Transfo.OutputWindingArea[k], candidate.OutputTurns[k], true);
    }

    WindingSet set;
    set.Turns[PrimaryWinding] = primaryTurns;
    set.Turns[AuxWinding] = candidate.AuxTurns;
    for (int i = 0; i <= last; ++i)
        set.Turns[static_cast<std::size_t>(OutputWinding(i))] = candidate.OutputTurns[static_cast<std::size_t>(i)];
    const float strands = kind == SingleWire ? 1.0f : static_cast<float>(Transfo.ParallelWireMax) / 2.0f + 0.5f;
    for (int j = 0; j <= OutputWinding(last); ++j) {
        const auto k = static_cast<std::size_t>(j);
        set.Strands[k] = strands;
        set.Diameter[k] = 2.0f * std::sqrt(wires[k].AreaIns / Pi);
    }

    const float turnMetres = core.Lm / 1000.0f;
    candidate.Winding = OptimiseWinding(turnMetres, core.W * Transfo.WindowFactor, set, kind);

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
        for (int i = 0; i <= LastOutputIndex(); ++i) {
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
    for (int i = 0; i <= LastOutputIndex(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        OutputRecord& output = Outputs[k];
        Transfo.OutputTurns[k] = BestOutputTurns[k];
        Transfo.OutputWire[k] = BestOutputWires[k];
        const int16_t type = output.OutputType;
        if (type >= 5 && type <= 12) {
            output.ActualVoltage = static_cast<float>(Transfo.OutputTurns[k]) * v - output.Diode.VfCopy;
        } else if (type == 3 || type == 4 || type == 13 || type == 14) {
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

bool DesignTransformer(float P) {
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

        int32_t np = ComputePrimaryTurns(core.Ae, core.Le);
        bool falling = false;
        // A core that needs more turns than a winding can hold is no candidate.
        while (np <= MaxTurns) {
            const CandidateDesign candidate = EvaluateCandidate(core, np);
            ++DesignEvaluations;
            const float total = candidate.TotalLoss;
            if (previousTotal != LaterCore && previousTotal > total) falling = true;

            const float flux = CurrentMaterial.Bdc + candidate.PeakFlux;
            bool newLow = false;
            if (flux < LowestFlux) {
                newLow = true;
                LowestFlux = flux;
            }
            const bool acceptable = fluxLimit > flux || (userCore && userTurns);
            if (acceptable && total < BestTotalLoss) {
                RecordCandidate(candidate, core);
                validFound = true;
            } else if (!acceptable && newLow && !validFound) {
                // The least saturating design so far, kept whole (turns and wires too) so that
                // nothing later reads the turns of another design.
                RecordCandidate(candidate, core);
            }
            if (BestTotalLoss < allowed || userCore || userTurns) stop = true;

            const int32_t next = ComputeTurns(np);
            if (stop || next > TurnLimit || (falling && previousTotal < total) ||
                (candidate.CoreLoss > BestTotalLoss && candidate.WindingLoss > BestTotalLoss))
                break;
            previousTotal = total;
            np = next;
        }
        previousTotal = LaterCore;
    }

    Settings.DesignWithinLoss = BestTotalLoss < allowed;
    Settings.DesignFound = stop;
    Transfo.DesignRecorded = validFound;
    return validFound;
}

void ComputeTransformer() {
    SelectCoreMaterial(InputStage.SwitchingFrequency);
    DesignTransformer(Transfo.InputPower);
    ComputeAirGap();
    ApplyRecordedDesign();
}

}  // namespace zorvic
