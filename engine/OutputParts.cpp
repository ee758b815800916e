#include "OutputParts.h"

#include <cmath>
#include <cstddef>
#include <optional>

#include "ConductionMode.h"
#include "Formula.h"
#include "NumberText.h"

namespace zorvic {

namespace {

constexpr const char* NL = "\r\n";

// Placeholder regulator row ("No Ref") when no part of the family fits.
constexpr std::size_t NoRefRegulatorRow = 26;
// Output voltage a fixed regulator may miss by, as a factor.
constexpr float RegulatorTolerance = 1.03f;
// The output voltage of an adjustable regulator's reference, which its list holds as its one item.
constexpr float AdjustableItem = 1.2f;

constexpr int MaxParallelCapacitors = 11;
constexpr std::size_t CapacitorItems = 37;
// An electrolytic works at no more than 80 % of its rated voltage.
constexpr float CapacitorVoltageDerating = 0.8f;
// Value shown for a filter cell with no part.
constexpr float NoRefCapacitance = 0.0001f;
// The second cell of a regulator or Zener output is a plain 100 nF decoupling capacitor.
constexpr float DecouplingCapacitance = 1e-7f;

// Designator text of a part: letter, output number from 1 without a blank, cell digit.
std::string Designator(const char* letter, const OutputRecord& output, const char* cell) {
    return letter + std::to_string(output.Index + 1) + cell;
}

bool PositiveFinite(float x) { return std::isfinite(x) && x > 0; }

// First capacitor row rated above the output voltage with its derating.
std::optional<std::size_t> CapacitorRowFor(float vout) {
    for (std::size_t row = 0; row < CapacitorTable.size(); ++row)
        if (CapacitorTable[row].Vrated > vout / CapacitorVoltageDerating) return row;
    return std::nullopt;
}

// Start of a capacitor search: nothing chosen, an ESR no part can be farther from.
CapacitorRecord EmptyCapacitor() {
    CapacitorRecord c;
    c.Esr[0] = NoEsr;
    c.Vrated = 1000;
    c.ChosenItem = 0;
    return c;
}

float ChosenEsr(const CapacitorRecord& c) { return c.Esr[static_cast<std::size_t>(c.ChosenItem)]; }

// The name of a fixed regulator carries its voltage by the family's rule.
std::string RegulatorName(const RegulatorRecord& r, std::size_t item) {
    const std::string& name = r.Name;
    const float v = r.Vout[item];
    if (name == "VRA" || name == "VRAL" || name == "VRB" || name == "VRAS" || name == "VRAM" || name == "VRBL")
        return name + Format(v, "0#");
    if (name == "VRK" || name == "VRH") return name + Format(10 * v, "00");
    if (name == "VRG1" || name == "VRG3" || name == "VRD7") return name + "-" + Format(v, "0.0");
    return name;
}

}  // namespace

float RegulatorLoss(OutputRecord& output) {
    const RegulatorRecord& r = output.Regulator;
    // A record never chosen from the table has no current rating; its slope then adds nothing.
    const float slope = r.IoutMax != 0 ? r.VdropSlope / r.IoutMax : 0.0f;
    return (slope * output.Current + r.Vdrop) * output.Current;
}

void SelectOutputRegulator(OutputRecord& output, float& drop) {
    const float vout = output.Voltage;
    const float iout = output.Current;
    RegulatorRecord best = RegulatorTable[NoRefRegulatorRow];
    std::size_t j = 0;

    // The family row with the smallest sufficient current rating wins; within it the last item
    // that matches the voltage.
    for (const RegulatorRecord& row : RegulatorTable) {
        if (row.Family != output.Regulator.Family) continue;
        if (!(row.IoutMax >= iout && row.IoutMax < best.IoutMax)) continue;
        for (std::size_t k = 1; k < row.Vout.size(); ++k) {
            const float item = row.Vout[k];
            if (item == AdjustableItem || (vout / RegulatorTolerance < item && item < RegulatorTolerance * vout)) {
                best = row;
                j = k;
            }
            if (item == 0) break;
        }
    }

    if (best.Vout[1] == AdjustableItem) {
        // An adjustable part cannot go below its reference voltage.
        if (AdjustableItem / RegulatorTolerance > vout) best.Name = "No Ref";
    } else {
        best.Name = RegulatorName(best, j);
    }
    if (best.Name == "No Ref") best.Vout[0] = vout;
    // The placeholder row belongs to another family; the output keeps its own, so a corrected
    // voltage finds the family's parts again.
    if (j == 0) best.Family = output.Regulator.Family;
    best.ChosenItem = static_cast<int16_t>(j);
    output.Regulator = best;

    drop = best.VdropSlope / best.IoutMax * iout + best.Vdrop;
    output.RegulatorLoss = RegulatorLoss(output);
    output.SerialElement.Name = "    Vr" + std::to_string(output.Index + 1) + "1  " + best.Name;
}

void SizeZenerCell(OutputRecord& output, float& drop) {
    const float vout = output.Voltage;
    const float iout = output.Current;
    output.Zener.Vrrm = vout;

    // The resistor drops half the output voltage at the full output current.
    float r = vout / (2 * iout);
    const bool resistorFits = PositiveFinite(r);
    if (resistorFits) {
        RoundToE12(r, false, 1);
    } else {
        r = 0;  // zero current or voltage: no resistor can be sized
    }
    output.DropResistor.Value = r;

    const std::string zenerValue = PositiveFinite(vout) ? FormatEng(vout, "V") : "No Ref";
    output.Zener.Name = Designator("D", output, "2") + NL + zenerValue;
    output.SerialElement.Name =
        Designator("R", output, "1  ") + (resistorFits ? FormatEng(r, "") + "R" : std::string("No Ref"));
    drop = vout / 2;
}

void LabelOutputInductor(OutputRecord& output) {
    // No inductor is sized while the first cell has no part.
    output.Inductor.Label = PositiveFinite(output.Inductor.Value) ? FormatEng(output.Inductor.Value, "H") : "No Ref";
    output.SerialElement.Name = Designator("L", output, "1  ") + output.Inductor.Label;
}

void SelectOutputCapacitors(OutputRecord& output) {
    if (!Settings.RecomputeFlag) {
        const float vout = output.Voltage;
        const float share = output.VoltageBeforeDiode * output.Current / Transfo.InputPower;
        const ConductionMode mode = ConductionModeOf(OperatingPoint.ContinuousModeText);
        const std::optional<std::size_t> row = CapacitorRowFor(vout);

        // Secondary ripple current: the primary's, scaled by the turns ratio and by this
        // output's share of the power.
        float dI = 0;
        if (mode == ConductionMode::Continuous || mode == ConductionMode::LowLine) {
            dI = OperatingPoint.RippleCurrentAtVmin * output.CurrentRatio * share;
        } else if (mode == ConductionMode::Discontinuous) {
            dI = 2 * OperatingPoint.CentreCurrentAtVmin * output.CurrentRatio * share;
        }
        const float wantedEsr = output.RippleFirstCell / dI;
        // Zero output current or power leaves no ripple to size against: no part.
        const bool sizable = row.has_value() && PositiveFinite(dI) && std::isfinite(wantedEsr);

        bool taken = false;
        int n = 1;
        CapacitorRecord best;
        for (; sizable && n <= MaxParallelCapacitors; ++n) {
            best = EmptyCapacitor();
            const CapacitorRecord& series = CapacitorTable[*row];
            for (std::size_t k = 1; k <= CapacitorItems; ++k) {
                if (series.C[k] == 0) continue;  // past the end of the list
                const float closer = std::fabs(series.Esr[k] / static_cast<float>(n) - wantedEsr);
                const float current = std::fabs(ChosenEsr(best) / static_cast<float>(n) - wantedEsr);
                if (closer < current &&
                    output.RippleCurrent / output.CapacitorDerating < static_cast<float>(n) * series.Irms[k]) {
                    best = series;
                    best.Esr[0] = wantedEsr;
                    best.ChosenItem = static_cast<int16_t>(k);
                    best.Irms[0] = output.RippleCurrent;
                    best.Value = series.C[k];
                    taken = true;
                }
            }
            if (taken) break;
        }

        const std::string label = Designator("C", output, "1") + NL;
        if (taken) {
            output.Cap1 = best;
            output.Cap1Count = static_cast<int16_t>(n);
            output.ActualRippleFirstCell = dI * ChosenEsr(output.Cap1) / static_cast<float>(n);
            output.Cap1.Series =
                label + (n == 1 ? "" : Str(int32_t{n}) + "x") + FormatEng(output.Cap1.Value, "F");
        } else {
            output.Cap1.Value = NoRefCapacitance;
            output.Cap1.Series = label + "No Ref";
        }
    }
    output.Cap2.Esr[0] = NoEsr;
}

void SelectSecondCell(OutputRecord& output, const std::string& kind) {
    if (Settings.RecomputeFlag) return;
    CapacitorRecord best = EmptyCapacitor();
    bool taken = false;
    float xl = 0;

    if (kind == "Vreg" || kind == "Zener") {
        best.Value = DecouplingCapacitance;
    } else if (kind == "Self") {
        const float esr1 = ChosenEsr(output.Cap1);
        const auto fsw = static_cast<float>(InputStage.SwitchingFrequency);
        // The inductor's reactance is 25 times the first cell's ESR, so the cell divides the
        // ripple by about 25; E3 values are enough for that.
        float l = 0;
        if (fsw > 0) {
            l = 25 * esr1 / (2 * Pi * fsw);
            RoundToE12(l, true, 4);
        }
        output.Inductor.Value = l;
        xl = 2 * Pi * fsw * l;

        // With no first-cell part there is no ripple to divide: the cell stays without a part.
        const bool sizable = PositiveFinite(esr1) && PositiveFinite(xl) &&
                             PositiveFinite(output.ActualRippleFirstCell) && PositiveFinite(output.RippleFirstCell);
        const std::optional<std::size_t> row = CapacitorRowFor(output.Voltage);
        if (sizable && row) {
            const float wantedEsr = xl * output.RippleSecondCell / output.ActualRippleFirstCell;
            const float i2 = esr1 * output.RippleCurrent / xl;
            const CapacitorRecord& series = CapacitorTable[*row];
            for (std::size_t k = 1; k <= CapacitorItems; ++k) {
                if (series.C[k] == 0) continue;  // past the end of the list
                if (std::fabs(series.Esr[k] - wantedEsr) < std::fabs(ChosenEsr(best) - wantedEsr) &&
                    !(series.Vrated > best.Vrated) && i2 / output.CapacitorDerating < series.Irms[k]) {
                    best = series;
                    best.Esr[0] = xl * output.RippleSecondCell / output.RippleFirstCell;
                    best.ChosenItem = static_cast<int16_t>(k);
                    best.Irms[0] = i2;
                    best.Value = series.C[k];
                    taken = true;
                }
            }
        }
    }

    const std::string label = Designator("C", output, "2") + NL;
    if (kind != "Vreg" && kind != "Zener" && !taken) {
        output.Cap2.Value = NoRefCapacitance;
        output.Cap2.Series = label + "No Ref";
        return;
    }
    output.Cap2 = best;
    output.Cap2.Series = label + FormatEng(output.Cap2.Value, "F");
    if (kind == "Self") output.ActualRippleSecondCell = ChosenEsr(output.Cap2) * output.ActualRippleFirstCell / xl;
}

}  // namespace zorvic
