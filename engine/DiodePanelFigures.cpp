#include "DiodePanelFigures.h"

#include <cmath>

#include "NumberText.h"

namespace zorvic {

namespace {

bool ValidOutput(int16_t outputIndex) { return outputIndex >= 0 && outputIndex < OutputCount; }

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// A figure that could not be formed (a zero or missing divisor upstream) shows as 0.
float Finite(float x) { return std::isfinite(x) ? x : 0.0f; }

}  // namespace

DiodeOperatingFigures DiodeFigures(const OutputRecord& output) {
    DiodeOperatingFigures f;
    const DiodeRecord& d = output.Diode;
    // Before the first computation there is no voltage before the diode, so no turns ratio.
    if (output.VoltageBeforeDiode != 0 && InputStage.ReflectedVoltage != 0) {
        f.TurnsRatio = Finite(InputStage.ReflectedVoltage / output.VoltageBeforeDiode);
        if (f.TurnsRatio != 0) f.Vrmax = Finite(InputStage.VdcMax / f.TurnsRatio + output.Voltage);
    }
    f.Vdrop = d.Vt0 + d.Rd * output.Current;
    f.Ploss = output.IrmsSecondary * output.IrmsSecondary * d.Rd + output.Current * d.Vt0;
    return f;
}

DiodeRatingsWanted WantedDiodeRatings(const OutputRecord& output, float vrmax) {
    DiodeRatingsWanted w;
    w.Irating = OperatingPoint.DiodeCurrentMargin * output.Current;
    w.Vrating = OperatingPoint.DiodeVoltageMargin * vrmax;
    if (w.Vrating < MinimumDiodeVrating) w.Vrating = MinimumDiodeVrating;
    return w;
}

std::vector<std::string> SuitableDiodes(const OutputRecord& output, const DiodeRatingsWanted& wanted) {
    const float currentMargin = OperatingPoint.DiodeCurrentMargin;
    const float voltageMargin = OperatingPoint.DiodeVoltageMargin;
    const float iMax = currentMargin * currentMargin * wanted.Irating;
    // Without a voltage margin no reverse rating lies in the (empty) range up to 0 V.
    const float vMin = voltageMargin != 0 ? wanted.Vrating / voltageMargin : 0.0f;
    const float vMax = voltageMargin * wanted.Vrating;
    std::vector<std::string> names;
    for (int row = DiodeTableSize - 1; row >= 0; --row) {
        const DiodeRecord& d = DiodeTable[static_cast<std::size_t>(row)];
        const bool current = output.Current <= d.If && d.If <= iMax;
        const bool voltage = vMin <= d.Vrrm && d.Vrrm <= vMax;
        if (current && voltage) names.push_back(d.Name);
    }
    return names;
}

bool ThermalRunAwayRisk(const std::string& diodeName) {
    return StartsWith(diodeName, "RDKA") || StartsWith(diodeName, "1N");
}

void PickDiode(OutputRecord& output, int16_t outputIndex, const std::string& diodeName) {
    SetUserDefinedDiodeMark(outputIndex, true);
    for (const DiodeRecord& d : DiodeTable)
        if (d.Name == diodeName) output.Diode = d;
}

bool UserDefinedDiodeMark(int16_t outputIndex) {
    return ValidOutput(outputIndex) && Settings.UserDefinedDiode[static_cast<std::size_t>(outputIndex)];
}

void SetUserDefinedDiodeMark(int16_t outputIndex, bool marked) {
    if (ValidOutput(outputIndex)) Settings.UserDefinedDiode[static_cast<std::size_t>(outputIndex)] = marked;
}

DiodePanelTexts DiodePanelView(const OutputRecord& output) {
    const DiodeRecord& d = output.Diode;
    const DiodeOperatingFigures f = DiodeFigures(output);
    DiodePanelTexts t;
    t.Vf = "Vf : " + FormatEng(d.VfAtIf, "V");
    t.If = "If : " + FormatEng(d.If, "A");
    t.Vr = "Vr : " + FormatEng(d.Vrrm, "V");
    t.Ir = "Ir : " + FormatEng(d.Ir, "A") + " @ 25°C";
    t.Vrmax = "Vrmax : " + FormatEng(f.Vrmax, "V");
    t.Vdrop = "Vdrop : " + FormatEng(f.Vdrop, "V");
    t.Ploss = "Ploss : " + FormatEng(f.Ploss, "W");
    t.Suitable = SuitableDiodes(output, WantedDiodeRatings(output, f.Vrmax));
    t.DiodeName = d.Name;
    t.RunAway = ThermalRunAwayRisk(d.Name) ? "Check Thermal Run Away Limit" : "";
    return t;
}

}  // namespace zorvic
