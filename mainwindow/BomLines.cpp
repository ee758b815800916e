#include "BomLines.h"

#include "NumberText.h"
#include "OutputCode.h"
#include "PrimaryClamp.h"
#include "Variables.h"

using namespace zorvic;

namespace BomLines {

namespace {

std::string E(float value, const std::string& unit) { return FormatBOMValue(value, unit); }
std::string S(int32_t n) { return Str(n); }

std::string Winding(const std::string& title, int32_t turns, const WireRecord& wire) {
    return title + " : " + S(turns) + " - AWG" + S(wire.Awg) + " //" + S(wire.Strands);
}

}  // namespace

std::string FormatBOMValue(float value, const std::string& unit) { return FormatEng(value, unit); }

std::vector<std::string> InputSection() {
    return {
        "Input Components",
        Separator,
        "BR1 - " + E(Transfo.IpeakMax, "A - ") + E(InputStage.VdcMax, "V") + " - Diode Bridge",
        "C2 - " + E(InputStage.C2.Value, "F") + " - " + E(InputStage.VdcMax, "Vmin") + " - Filtering Capacitor",
        "C7 - " + E(InputStage.C7.Value, "F") + " - 2KV - Common Mode Capacitor",
    };
}

std::vector<std::string> ClamperSection() {
    std::vector<std::string> lines{"Clamper Components", Separator};
    if (Clamper.RCClamper) {
        lines.push_back("C3 - " + FormatClampEng(Clamper.C3.Value, "F - ") + E(InputStage.VdcMax, "Vmin") +
                        " - Surge Clamping Capacitor");
        lines.push_back("R1 - " + FormatClampEng(Clamper.R1.Value, "Ohm - ") + E(InputStage.VdcMax, "Vmin - ") +
                        FormatClampEng(OperatingPoint.ClamperLoss, "Wmin") + " - Dissipating Resistor");
    } else {
        const bool sized = ClampSized();
        const std::string series = sized ? Clamper.Clamp.Series : std::string();
        const std::string code = sized ? Clamper.Clamp.Code[0] : std::string();
        lines.push_back(series + " - " + code + " - " + FormatClampEng(Clamper.Clamp.PowerRating, "W") +
                        " - Surge Clamping Dravex");
    }
    lines.push_back(Clamper.Diode.Name + " - 600V - Clamper Rectifier Diode");
    return lines;
}

std::vector<std::string> ChipSection() {
    const ChipRecord& chip = CurrentChip;
    std::vector<std::string> lines{"Zorvic Components", Separator};
    lines.push_back(chip.Name + " - " + E(chip.Rdson, "Ohm - ") + E(chip.Vdmax, "V - ") + E(chip.Idlim, "A"));
    lines.push_back("D3 - " + chip.AuxDiode.Name + " - Auxiliairy Supply Rectifying Diode");
    lines.push_back("R4 - 10Ohm - Auxiliary Supply Drop Voltage Resistor");
    lines.push_back("C4 - " + E(chip.SupplyCapacitor.Value, "F") + " - Start-Up and Decoupling Capacitor");
    if (chip.Family != 3) {
        lines.push_back("R2 - " + E(chip.OscResistor.Value, "Ohm") + " - Resistor of Zorvic RC Oscillator");
        lines.push_back("C5 - " + E(chip.OscCapacitor.Value, "F") + " - Capacitor of Zorvic RC Oscillator");
        lines.push_back("R3 - " + E(Control.R3.Value, "Ohm - ") + "Resistor of Zorvic Compensation");
        lines.push_back("C6 - " + E(Control.C6.Value, "F - ") + "Capacitor of Zorvic Compensation");
    } else {
        if (!OperatingPoint.SecondaryRegulation)
            lines.push_back("D4 - " + E(chip.VddReg + 3, "V") + " - Auxiliary Voltage Regulating Zener Diode");
        lines.push_back("C5 - " + E(chip.OscCapacitor.Value, "F - ") + "Noise Filtering Capacitor");
    }
    return lines;
}

std::vector<std::string> TransformerSection() {
    std::vector<std::string> lines{"Transformer", Separator};
    lines.push_back("Primary Inductance : " + E(Transfo.Lprimary.Value, "H"));
    lines.push_back("Leakage Inductance : " + E(Transfo.LeakageRatio * Transfo.Lprimary.Value, "H"));
    lines.push_back("Imax : " + E(Transfo.IpeakMax, "A") + " With Bmax=" + E(Transfo.Bmax, "T"));
    lines.push_back("Core Material : " + Transfo.Material.Name + " - " + Transfo.Material.Supplier + " - Bsat=" +
                    E(Transfo.Material.Bsat, "T"));
    lines.push_back("Geometry : " + Transfo.Core.Name);
    lines.push_back(Winding("Primary Winding", Transfo.PrimaryTurns, Transfo.PrimaryWire));
    lines.push_back(Winding("Auxiliairy Winding", Transfo.AuxTurns, Transfo.AuxWire));
    lines.push_back(Winding("Main Output Winding", Transfo.OutputTurns[0], Transfo.OutputWire[0]));
    for (int i = 1; i <= LastActiveOutput(); ++i)
        lines.push_back(Winding("Output" + S(i) + " Winding", Transfo.OutputTurns[i], Transfo.OutputWire[i]));
    return lines;
}

std::vector<std::string> OutputSection(int k) {
    const OutputRecord& o = Outputs[k];
    const std::string n = std::to_string(k + 1);
    const OutputCode type(o.OutputType);
    std::vector<std::string> lines{k == 0 ? std::string("Main Output Components") : "Output" + S(k) + " Components", Separator};
    lines.push_back("D" + n + "1 - " + o.Diode.Name + " - Rectifying Diode");
    lines.push_back("C" + n + "1 - " + E(o.Cap1.Value, "F") + " //" + S(o.Cap1Count) + ", Irms=" + E(o.Cap1.Irms[0], "A") +
                    ", ESR=" + E(o.Cap1.Esr[0], "Ohm") + " - " + E(o.Cap1.Vrated, "V") + " - First Cell Filtering Capacitor");
    if (type.IsZener()) {
        lines.push_back("D" + n + "2 - " + E(o.Voltage, "V") + " - Shunt Regulating Zener Diode");
        lines.push_back("R" + n + "1 - " + E(o.DropResistor.Value, "Ohm") + " - " +
                        E(o.Current * o.Current * o.DropResistor.Value, "W") + " - Drop Voltage Resistor");
    }
    if (type.IsRegulator()) lines.push_back("Vr" + n + "1 - " + o.Regulator.Name + " - Voltage Regulator");
    if (type.IsInductorFilter()) {
        lines.push_back("L" + n + "1 - " + E(o.Inductor.Value, "H") + " - Filtering Inductor");
        lines.push_back("C" + n + "2 - " + E(o.Cap2.Value, "F") + ", Irms=" + E(o.Cap2.Irms[0], "A") + ", ESR=" +
                        E(o.Cap2.Esr[0], "Ohm") + " - " + E(o.Cap2.Vrated, "V") + " - Second Cell Filtering Capacitor");
    }
    if (type.IsZener() || type.IsRegulator())
        lines.push_back("C" + n + "2 - " + E(o.Cap2.Value, "F") + " - " + E(o.Cap2.Vrated, "V") +
                        " - Second Cell Filtering Capacitor");
    return lines;
}

std::vector<std::string> RegulationSection() {
    const int count = OperatingPoint.RegulatedOutputCount;
    const std::string& reference = Regulation.ReferenceName;
    // A zero reference current (a primary design loaded from a file) has no resistor value.
    const float current = Regulation.ReferenceCurrent;
    const std::string sustain = current != 0 ? E(1 / current, "Ohm - ") : std::string();
    std::vector<std::string> lines{"Regulation Components", Separator};
    lines.push_back("Opto-Coupler : Gain=" + Str(Control.OptoGain));
    lines.push_back(reference + " - Shunt Regulator");
    lines.push_back("R5 - " + sustain + reference + " Supply Sustain Current Resistor");
    lines.push_back("R6 - " + E(Control.R6.Value, "Ohm") + " - Gain Resistor");
    lines.push_back("C8 - " + E(Control.C8.Value, "F") + " - Compensation Capacitor");
    if (count >= 1 && count <= 3) {
        lines.push_back("R7 - " + E(Regulation.GroundResistor.Value, "Ohm") + " - Bridge Grounded Resistor");
        lines.push_back("R8 - " + E(Regulation.Divider[1].Value, "Ohm") + " - Ouput Regulation Resistor");
    }
    if (count == 2 || count == 3)
        lines.push_back("R9 - " + E(Regulation.Divider[2].Value, "Ohm") + " - Ouput Regulation Resistor");
    if (count == 3) lines.push_back("R10 - " + E(Regulation.Divider[3].Value, "Ohm") + " - Ouput Regulation Resistor");
    return lines;
}

std::vector<std::string> BuildBOM() {
    std::vector<std::string> lines;
    auto add = [&lines](const std::vector<std::string>& section) {
        lines.insert(lines.end(), section.begin(), section.end());
        lines.push_back(Separator);
    };
    lines.push_back(Separator);
    add(InputSection());
    add(ClamperSection());
    add(ChipSection());
    add(TransformerSection());
    for (int k = 0; k <= LastActiveOutput(); ++k) add(OutputSection(k));
    if (OperatingPoint.SecondaryRegulation) add(RegulationSection());
    return lines;
}

std::string PrintHeading(const std::string& designFile, const std::string& date) {
    return " BOM list " + designFile + "      Date : " + date;
}

}  // namespace BomLines
