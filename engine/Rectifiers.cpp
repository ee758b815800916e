#include "Rectifiers.h"

#include <cmath>
#include <cstddef>

#include "DesignHost.h"
#include "NumberText.h"
#include "OutputStage.h"

namespace zorvic {

namespace {

// The clamp table rows list at most ten voltage items; the items past a row's end are 0.
constexpr int ClampItems = 10;

// Reverse voltage below which the auxiliary winding takes the small Schottky rectifier.
constexpr float AuxSchottkyLimit = 70;

// An automatic rectifier is never rated below this reverse voltage, however low the output.
constexpr float MinimumReverseRating = 20;

bool ValidOutputIndex(int16_t i) { return i >= 0 && i < OutputCount; }

}  // namespace

void SelectClampComponents() {
    const float vr = InputStage.ReflectedVoltage;
    const float i = 0.8f * Transfo.IpeakMax;
    const float l = Transfo.Lleak.Value;
    const auto f = static_cast<float>(InputStage.SwitchingFrequency);
    float best = 2.0f;
    bool found = false;
    ClampRecord candidate;

    for (const ClampRecord& row : ClampTable) {
        for (std::size_t item = 1; item <= ClampItems; ++item) {
            const float vbr = row.Vbr[item];
            if (!(vbr > vr && InputStage.VdcMax + row.VbrMax[item] < CurrentChip.Vdmax)) continue;
            // Energy of the leakage inductance, 0.5 L I^2 f, raised by Vbr / (Vbr - VR) because the
            // clamp also passes the reflected voltage's share while the leakage current decays.
            const float p = vbr * f * (i * i) / (2 * (vbr - vr) / l);
            if (p <= row.PowerRating && p < best) {
                candidate = row;
                candidate.Vbr[0] = vbr;
                candidate.VbrMax[0] = row.VbrMax[item];
                candidate.Code[0] = row.Code[item];
                candidate.Dissipation = p;
                best = p;
                found = true;
            }
        }
    }

    if (found) {
        Clamper.Clamp = candidate;
        return;
    }
    const float margin = Clamper.VoltageMargin;
    ClampRecord none;
    none.Series = "No Ref";
    none.Vbr[0] = 0.9f * (margin + vr);
    none.PowerRating = 100;
    none.Dissipation = margin * f * (i * i) / (2 * margin / l);
    // With no voltage margin the written form is 0 / 0; the loss it stands for is 0.5 L I^2 f.
    if (!std::isfinite(none.Dissipation)) none.Dissipation = 0.5f * l * (i * i) * f;
    Clamper.Clamp = none;
}

void SelectAuxDiode() {
    CurrentChip.AuxDiode.Name = InputStage.VdcMax / Transfo.AuxTurnsRatio < AuxSchottkyLimit ? "1NQ58" : "RD059";
}

void SelectOutputDiodes(OutputRecord& output, float v) {
    const float vr = InputStage.ReflectedVoltage;
    const float vout = output.Voltage;
    const float iout = output.Current;
    const int16_t index = output.Index;
    const bool indexed = ValidOutputIndex(index);
    const auto slot = static_cast<std::size_t>(indexed ? index : 0);

    // Turns ratio with the present rectifier's drop, and the reverse voltage it then stands.
    const float n = vr / (v + vout + output.Diode.VfCopy);
    const float reverse = InputStage.VdcMax / n + vout;

    bool userDiode = indexed && Settings.UserDefinedDiode[slot];
    if (userDiode) {
        if (output.Diode.Vrrm < reverse) {
            Settings.UserDefinedDiode[slot] = false;
            userDiode = false;
            Host().ShowMessage("Too Low Reverse Voltage of " + output.Diode.Name + " On Output " + Str(int32_t{index}),
                               MessageButtons::OK, "Diode Selection Updated");
        } else {
            output.CurrentRatio = n;
        }
    }

    if (!userDiode) {
        const float voltageMargin = OperatingPoint.DiodeVoltageMargin;
        const float currentMargin = OperatingPoint.DiodeCurrentMargin;
        float best = 1e10f;
        for (int row = DiodeTableSize - 1; row >= 0; --row) {
            const DiodeRecord& d = DiodeTable[static_cast<std::size_t>(row)];
            const float nd = vr / (v + vout + d.VfCopy);
            float vrev = (InputStage.VdcMax / nd + vout) * voltageMargin;
            if (vrev < MinimumReverseRating) vrev = MinimumReverseRating;

            if (row == DiodeTableSize - 1) {
                // Placeholder kept when no row fits. Its forward-drop model is the table row its
                // index names (row 0 for a new output), as a project file reloads it: the file
                // keeps only the index and the name.
                const int16_t named = output.Diode.Index;
                if (named >= 0 && named < DiodeTableSize) output.Diode = DiodeTable[static_cast<std::size_t>(named)];
                output.Diode.Name = "No Ref";
                output.Diode.VfCopy = 2.0f;
                output.Diode.If = 100;
                output.Diode.Vrrm = 1000;
                output.CurrentRatio = nd;
            }

            if (1.2f * vrev / voltageMargin > d.Vrrm) continue;  // voltage rating too low
            if (d.If < iout) continue;                            // current rating too low
            if (voltageMargin * vrev < d.Vrrm) continue;         // voltage rating too high
            // Current rating too high, except a signal diode for an output of a few milliamperes.
            const bool tinyOutput = 0.001f / currentMargin > iout && d.If <= 0.001f;
            if (d.If > currentMargin * currentMargin * iout && !tinyOutput) continue;

            const float currentTerm = (currentMargin * iout - d.If) / iout * currentMargin;
            const float voltageTerm = (vrev - d.Vrrm) / vrev;
            const float cost = currentTerm * currentTerm + voltageTerm * voltageTerm;
            if (cost < best) {
                best = cost;
                output.Diode = d;
                output.CurrentRatio = nd;
            }
        }
    }

    output.Diode.VfCopy = output.Diode.Vt0 + output.Diode.Rd * iout;
    output.VoltageBeforeDiode = v + vout + output.Diode.VfCopy;
    if (indexed) Transfo.TurnsRatio[slot] = output.CurrentRatio;
    output.DiodeLoss = DiodeLoss(output);
}

}  // namespace zorvic
