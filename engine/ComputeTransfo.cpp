#include "ComputeTransfo.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "NumberText.h"

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

namespace {

constexpr float Pi = std::numbers::pi_v<float>;
constexpr float Mu0 = 1.2566371e-6f;  // H/m
constexpr int WireRowThinnest = WireTableSize - 1;  // AWG 44

// Outputs 0 to Settings.AdditionalOutputs, kept inside the table whatever the setting holds.
int LastOutputIndex() {
    return std::clamp<int>(Settings.AdditionalOutputs, 0, OutputCount - 1);
}

// Skin depth in copper (mm) at the switching frequency; 66 / sqrt(f) with f in Hz.
float SkinDepthAt(int32_t fsw) {
    return 66.0f / std::sqrt(static_cast<float>(fsw));
}

// W x Ae in cm4.
float AreaProduct(const CoreGeometry& core) {
    return core.W * core.Ae / 10000.0f;
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
    return static_cast<double>(23.0f * P) * std::pow(static_cast<double>(AreaProduct(core)), -0.37);
}

double CoreMaxLoss(float dT, const CoreGeometry& core) {
    return std::pow(static_cast<double>(AreaProduct(core)), 0.37) * static_cast<double>(dT) / 23.0;
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

    const float vaux = OperatingPoint.SecondaryRegulation ? (CurrentChip.Vdd1 + CurrentChip.Vdd2) / 2.0f
                                                          : CurrentChip.VddReg;
    const int32_t aux = CLng((vaux + 0.6f) / v);
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
    Transfo.AirGap = np * np * CurrentCore.Ae * Mu0 * 1e-6f / Transfo.Lprimary.Value -
                     CurrentCore.Le * 0.001f / CurrentMaterial.Ui100;
}

}  // namespace zorvic
