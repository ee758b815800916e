#include "SummaryLines.h"

#include <string>

#include "NumberText.h"
#include "OutputCode.h"
#include "PrimaryClamp.h"
#include "Variables.h"

using namespace zorvic;

namespace SummaryLines {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

SummaryLine Line(const char* label, const std::string& caption) { return {QString::fromLatin1(label), Text(caption)}; }

QString Element(const char* array, int k) { return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(k); }

const char* const OutputLabels[] = {"lblVoltage",      "lblCurrentNom", "lblCurrentMin", "lblPowerNom", "lblPowerMin",
                                    "lblPowerLoss",    "lblSerialElement", "lblOutCap2", "lblShottky", "lblOutCap"};

}  // namespace

std::vector<SummaryLine> InputLines() {
    const bool secondary = OperatingPoint.SecondaryRegulation;
    std::vector<SummaryLine> lines;
    lines.push_back(Line("lblInputVoltMax", "Max Input Voltage : " + FormatEng(InputStage.VacMax, "VAC")));
    lines.push_back(Line("lblInputVoltMin", "Min Input Voltage : " + FormatEng(InputStage.VacMin, "VAC")));
    lines.push_back(Line("lblInputDCMax", "Max DC Input Voltage : " + FormatEng(InputStage.VdcMax, "V")));
    lines.push_back(Line("lblInputDCMin", "Min DC Input Voltage : " + FormatEng(InputStage.VdcMin, "V")));
    lines.push_back(Line("lblInputDCMax2", "Max DC Input Voltage : " + FormatEng(InputStage.VdcMax, "V")));
    lines.push_back(Line("lblInputDCMin2", "Min DC Input Voltage : " + FormatEng(InputStage.VdcMin, "V")));
    lines.push_back(Line("lblRipVolt", "Ripple Voltage : " + FormatEng(InputStage.RippleVoltage, "Vpp")));
    lines.push_back(Line("lblMainFreq", InputStage.MainsFrequency == 50 ? "Main Frequency : 50 Hz "
                                                                         : "Main Frequency : 60 Hz"));
    lines.push_back(Line("lblSwitchFreq", "Switching Frequency : " +
                                              Format(InputStage.SwitchingFrequency / 1000.0, "##0") + " kHz"));
    lines.push_back(Line("lblSoftStart", secondary ? "Soft Start Time : " + FormatEng(Control.SoftStartTime, "s")
                                                   : "Soft Start Time : In Secondary Regulation Only"));
    lines.push_back(Line("lblGainOpto", secondary ? "Gain OptoCoupler : " + FormatEng(Control.OptoGain, "")
                                                  : "Gain OptoCoupler :  In Secondary Regulation Only"));
    lines.push_back(Line("lblReflectVolt", "Reflected Voltage : " + FormatEng(InputStage.ReflectedVoltage, "V")));
    lines.push_back(Line("lblRegulation", OutputCode(Outputs[0].OutputType).PrimaryRegulated() ? "Regulation Type : Primary"
                                                                         : "Regulation Type : Secondary"));
    return lines;
}

std::vector<SummaryLine> OutputLines(int k) {
    std::vector<SummaryLine> lines;
    if (k > Settings.AdditionalOutputs) {
        for (const char* label : OutputLabels) lines.push_back({Element(label, k), QString()});
        return lines;
    }
    const OutputRecord& o = Outputs[k];
    const std::string n = std::to_string(k + 1);
    // Plain outputs have neither serial element nor second capacitor.
    const bool direct = OutputCode(o.OutputType).IsPlain();
    auto add = [&](const char* label, const std::string& caption) { lines.push_back({Element(label, k), Text(caption)}); };
    add("lblVoltage", "Voltage : " + FormatEng(o.Voltage, "V"));
    add("lblCurrentNom", "Nominal Current : " + FormatEng(o.Current, "A"));
    add("lblCurrentMin", "Minimum Current : " + FormatEng(o.MinimumCurrent, "A"));
    add("lblPowerNom", "Nominal Power : " + FormatEng(o.Voltage * o.Current, "W"));
    add("lblPowerMin", "Minimum Power : " + FormatEng(o.MinimumCurrent * o.Voltage, "W"));
    add("lblPowerLoss", "Nom. Power Losses : " + FormatEng(o.Loss, "W"));
    add("lblSerialElement", direct ? " Serial Element : None" : " Serial Element : " + o.SerialElement.Name);
    add("lblOutCap2", direct ? " Second Output Capacitor : None"
                             : " Second Output Capacitor : C" + n + "2 " + FormatEng(o.Cap2.Value, "F"));
    add("lblShottky", " Rectifier Diode : " + o.Diode.Name);
    add("lblOutCap", " First Output Capacitor : C" + n + "1 " + FormatEng(o.Cap1.Value, "F") + " // " + Str(int32_t{o.Cap1Count}));
    return lines;
}

std::vector<SummaryLine> TotalLines() {
    std::vector<SummaryLine> lines;
    lines.push_back(Line("lblOutputNumber", "Active Outputs : " + Format(Settings.AdditionalOutputs + 1, " 0")));
    lines.push_back(Line("lblMode", "Continuous Mode : " + OperatingPoint.ContinuousModeText));
    lines.push_back(Line("lblZorvicLoss", CurrentChip.Name + " Losses : " + FormatEng(OperatingPoint.ChipLoss, "W")));
    lines.push_back(Line("lblSnubberLoss", "Clamper Losses : " + FormatClampEng(OperatingPoint.ClamperLoss, "W")));
    lines.push_back(Line("lblOutputLoss", "Outputs Losses : " + FormatEng(OperatingPoint.OutputLoss, "W")));
    lines.push_back(Line("lblTransfoLoss", "Transformer Losses : " + FormatEng(OperatingPoint.TransformerLoss, "W")));
    lines.push_back(Line("lblTotalPower", "Overall Output Power : " + FormatEng(OperatingPoint.OutputPower, "W")));
    lines.push_back(Line("lblEfficiency", "Total Efficiency : " + FormatEng(OperatingPoint.Efficiency * 100, " %")));
    lines.push_back(Line("lblTotalLoss", "Total Power Losses : " + FormatEng(OperatingPoint.TotalLoss, "W")));
    return lines;
}

std::vector<SummaryLine> AllLines() {
    std::vector<SummaryLine> lines = InputLines();
    for (int k = 0; k < OutputTabs; ++k) {
        const std::vector<SummaryLine> tab = OutputLines(k);
        lines.insert(lines.end(), tab.begin(), tab.end());
    }
    const std::vector<SummaryLine> totals = TotalLines();
    lines.insert(lines.end(), totals.begin(), totals.end());
    return lines;
}

}  // namespace SummaryLines
