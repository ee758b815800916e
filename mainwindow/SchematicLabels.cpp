#include "SchematicLabels.h"

#include <cmath>
#include <string>

#include "ConductionMode.h"
#include "NumberText.h"
#include "OutputCode.h"
#include "PrimaryClamp.h"
#include "Variables.h"

using namespace zorvic;

namespace SchematicLabels {

namespace {

constexpr uint32_t Red = 0x0000FF;
constexpr uint32_t Black = 0x000000;

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Reference, line break and the value in engineering notation.
QString Valued(const char* reference, float value, const char* unit) {
    return QString::fromLatin1(reference) + NL + Text(FormatEng(value, unit));
}

// Reference, line break and a part name.
QString Named(const char* reference, const std::string& name) { return QString::fromLatin1(reference) + NL + Text(name); }

LabelPlan Centred(LabelArray array, int index, int32_t x, int32_t y, QString caption) {
    return {array, index, Placing::Centred, x, y, std::move(caption), std::nullopt, {}};
}

LabelPlan Regulation(LabelArray array, int index, int32_t x, int32_t y, QString caption) {
    return {array, index, Placing::Regulation, x, y, std::move(caption), std::nullopt, {}};
}

LabelPlan Hidden(LabelArray array, int index) { return {array, index, Placing::Hidden, 0, 0, {}, std::nullopt, {}}; }

LabelPlan Left(int index, int32_t x, int32_t y, QString caption) {
    return {LabelArray::lblPower, index, Placing::Left, x, y, std::move(caption), std::nullopt, {}};
}

// The reference's sustain resistor: the reference current sets it. A zero current (a primary
// design loaded from a file) has no resistor value to show.
QString SustainResistor() {
    const float current = zorvic::Regulation.ReferenceCurrent;
    const float resistance = 1 / current;
    if (current == 0 || !std::isfinite(resistance)) return QStringLiteral("R5");
    return Valued("R5", resistance, "R");
}

}  // namespace

std::vector<LabelPlan> ComponentLabels() {
    using enum LabelArray;
    const int family = CurrentChip.Family;
    const bool rcChip = family == 1 || family == 2 || family == 5;  // RC oscillator and compensation
    const bool zenerChip = family == 3 || family == 4;
    std::vector<LabelPlan> plans;

    plans.push_back(Centred(lblCap, 1, 2000, 3330, QStringLiteral("C1")));
    // A DC input has no bulk capacitor: C2 is then the 100 nF decoupling capacitor.
    plans.push_back(Centred(lblCap, 2, 5500, 3930, Valued("C2", Settings.ACInput ? InputStage.C2.Value : 1e-7f, "F")));
    plans.push_back(Centred(lblCap, 4, 2350, 1300, Valued("C4", CurrentChip.SupplyCapacitor.Value, "F")));
    LabelPlan c5 = Centred(lblCap, 5, 3100, 2200,
                           Valued("C5", zenerChip ? Control.C6.Value : CurrentChip.OscCapacitor.Value, "F"));
    if (rcChip) c5.toolTip = QStringLiteral("Zorvic RC Oscillator Capacitor");
    if (zenerChip) c5.toolTip = QStringLiteral("Noise Filtering Capacitor");
    plans.push_back(c5);
    plans.push_back(Centred(lblCap, 7, 3950, 4930, Valued("C7", InputStage.C7.Value, "F") + QStringLiteral("-2kV")));
    plans.push_back(Regulation(lblCap, 8, 10400, 2150, Valued("C8 ", Control.C8.Value, "F")));
    plans.push_back(Centred(lblRes, 4, 5750, 330, QStringLiteral("R4 10R")));
    plans.push_back(Regulation(lblRes, 5, 10350, 1500, SustainResistor()));
    plans.push_back(Regulation(lblRes, 6, 9800, 400, Valued("R6", Control.R6.Value, "R")));

    const QString c9 = Valued("C9", CurrentChip.SupplyCapacitor2.Value, "F");
    if (family == 4) plans.push_back(Centred(lblCap, 9, 4500, 2800, c9));
    else if (family == 5) plans.push_back(Centred(lblCap, 9, 4200, 2250, c9));
    else plans.push_back(Hidden(lblCap, 9));

    if (rcChip) {
        plans.push_back(Centred(lblCap, 6, 5650, 2800, Valued("C6", Control.C6.Value, "F")));
        LabelPlan r2 = Centred(lblRes, 2, 3100, 670, Valued("R2", CurrentChip.OscResistor.Value, "R"));
        r2.toolTip = QStringLiteral("Zorvic RC Oscillator Resistor");
        plans.push_back(r2);
        plans.push_back(Centred(lblRes, 3, 5650, 2200, Valued("R3", Control.R3.Value, "R")));
    } else if (zenerChip) {
        plans.push_back(Hidden(lblCap, 6));
        LabelPlan d4 = OperatingPoint.SecondaryRegulation
                           ? Hidden(lblRes, 2)
                           : Centred(lblRes, 2, 3100, 670, Valued("D4", CurrentChip.Vdd3 + 3, "V"));
        d4.toolTip = QStringLiteral("Auxiliary Voltage Regulating Zener");
        plans.push_back(d4);
        plans.push_back(Hidden(lblRes, 3));
    }

    plans.push_back(Centred(lblVar, 0, 3500, 3160, QStringLiteral("L1")));
    plans.push_back(Centred(lblVar, 1, 7900, 1000, QStringLiteral("T1")));
    plans.push_back(Centred(lblVar, 2, 1510, 2630, QStringLiteral("F1")));
    plans.push_back(Centred(lblVar, 3, 1510, 3800, QStringLiteral("Th1")));
    plans.push_back(Centred(lblSil, 0, 4650, 3150, QStringLiteral("BR1")));
    plans.push_back(Centred(lblSil, 1, 6850, 4800, Named("D1", Clamper.Diode.Name)));
    if (Clamper.RCClamper) {
        plans.push_back(Centred(lblCap, 3, 6900, 4000, QStringLiteral("C3") + NL + Text(FormatClampEng(Clamper.C3.Value, "F"))));
        plans.push_back(Centred(lblRes, 1, 6400, 4400, QStringLiteral("R1") + NL + Text(FormatClampEng(Clamper.R1.Value, "R"))));
        plans.push_back(Hidden(lblSil, 3));
    } else {
        plans.push_back(Hidden(lblCap, 3));
        plans.push_back(Hidden(lblRes, 1));
        plans.push_back(Centred(lblSil, 3, 6650, 3900, Named("D2", ClampSized() ? Clamper.Clamp.Series + "-" + Clamper.Clamp.Code[0] : std::string())));
    }
    plans.push_back(Centred(lblSil, 4, 7350, 372, Named("D3", CurrentChip.AuxDiode.Name)));
    // The chip's name is red when its junction runs over its limit, black otherwise, also in
    // training mode.
    LabelPlan chip = zenerChip ? Centred(lblSil, 5, 4300, 1000, Text(CurrentChip.Name))
                               : Centred(lblSil, 5, 4150, 500, Text(CurrentChip.Name));
    chip.foreColor = CurrentChip.OverTemperature ? Red : Black;
    plans.push_back(chip);
    plans.push_back(Regulation(lblSil, 6, 8600, 1450, QStringLiteral("Opto1")));
    plans.push_back(Regulation(lblSil, 7, 10000, 3000, Text(zorvic::Regulation.ReferenceName)));
    return plans;
}

std::vector<LabelPlan> OutputLabels(int output, int32_t x0) {
    using enum LabelArray;
    const OutputRecord& o = Outputs[static_cast<std::size_t>(output)];
    QString sign;
    int32_t y0 = 0;
    const OutputCode type(o.OutputType);
    if (type.Negative()) {
        sign = QStringLiteral("-");
        y0 = 1015;  // a negative output's rail runs along the bottom of its block
    } else if (type.Valid()) {
        sign = QStringLiteral(" ");
    }
    std::vector<LabelPlan> plans;
    plans.push_back(Centred(lblVoltage, output, x0 + 4300, y0,
                            sign + Text(FormatEng2(o.Voltage, "V-")) + Text(FormatEng(o.Current, "A"))));
    // An additional output of no known kind has no block drawing: its parts have no place.
    if (output > 0 && !type.IsAdditionalCode()) {
        for (LabelArray part : {lblDiode, lblCap1, lblSerial, lblCap2, lblZener}) plans.push_back(Hidden(part, output));
        return plans;
    }
    plans.push_back(Centred(lblDiode, output, x0 + 760, y0,
                            QStringLiteral("D%1").arg(output + 1) + QStringLiteral("1   ") + Text(o.Diode.Name)));
    plans.push_back(Centred(lblCap1, output, x0 + 850, 500, Text(o.Cap1.Series)));
    plans.push_back(Centred(lblSerial, output, x0 + 2500, y0, Text(o.SerialElement.Name)));
    plans.push_back(Centred(lblCap2, output, x0 + 3380, 500, Text(o.Cap2.Series)));
    plans.push_back(Centred(lblZener, output, x0 + 2700, 450, Text(o.Zener.Name)));
    return plans;
}

std::optional<SecondCell> SecondCellLabels(int outputType) {
    const OutputCode type(static_cast<int16_t>(outputType));
    if (!type.Valid()) return std::nullopt;
    // A Zener cell: drop resistor, Zener, capacitor; a regulator or inductor, then a capacitor;
    // a plain output has no second cell.
    return SecondCell{type.IsZener(), type.HasSecondCell(), type.HasSecondCell()};
}

std::vector<int> TerminatorTags(int count) {
    switch (count) {
    case 1: return {1};
    case 2: return {2, 4};
    case 3: return {3, 5, 7};
    default: return {};
    }
}

std::vector<int> TerminatorDividers(int count) {
    switch (count) {
    case 1: return {7, 8};
    case 2: return {9, 10, 13};
    case 3: return {11, 12, 14, 15};
    default: return {};
    }
}

std::vector<LabelPlan> TerminatorLabels(int count, std::vector<int>* tagsUnused) {
    using enum LabelArray;
    std::vector<LabelPlan> plans;
    if (count < 1 || count > 3) return plans;
    // Tags in output order, two label numbers apart; never more tags than the network has.
    int n = 0;
    auto tag = [&](const QString& caption) {
        if (n / 2 >= count) return;
        plans.push_back(Centred(lblTerm, count + n, n * 300 + 200, 0, caption));
        n += 2;
    };
    if (Outputs[0].Regulated) tag(QStringLiteral("OUT"));
    const int last = LastActiveOutput();
    for (int j = 1; j <= last; ++j)
        if (Outputs[static_cast<std::size_t>(j)].Regulated) tag(QStringLiteral("Out%1").arg(j));
    if (tagsUnused) {
        tagsUnused->clear();
        for (int k = n / 2; k < count; ++k) tagsUnused->push_back(count + 2 * k);
    }

    const std::vector<int> dividers = TerminatorDividers(count);
    plans.push_back(Centred(lblRes, dividers[0], 530, 1500, Valued("R7", zorvic::Regulation.GroundResistor.Value, "R")));
    plans.push_back(Centred(lblRes, dividers[1], 530, 600, Valued("R8", zorvic::Regulation.Divider[1].Value, "R")));
    if (count >= 2)
        plans.push_back(Centred(lblRes, dividers[2], 1100, 600, Valued("R9", zorvic::Regulation.Divider[2].Value, "R")));
    if (count == 3)
        plans.push_back(Centred(lblRes, dividers[3], 1700, 600, Valued("R10", zorvic::Regulation.Divider[3].Value, "R")));
    return plans;
}

std::vector<LabelPlan> PanelLines() {
    const OperatingRecord& op = OperatingPoint;
    std::vector<LabelPlan> lines;
    lines.push_back(Left(0, 200, 250, QStringLiteral("Output           : ") + Text(FormatEng(op.OutputLoss, "W"))));
    LabelPlan chipLoss = Left(1, 200, 500,
                              QStringLiteral("Zorvic at ") + Text(FormatEng(CurrentChip.Tj, "\u00B0C")) +
                                  QStringLiteral(" : ") + Text(FormatEng(op.ChipLoss, "W")));
    chipLoss.foreColor = CurrentChip.OverTemperature ? Red : Black;
    lines.push_back(chipLoss);
    lines.push_back(Left(2, 200, 750, QStringLiteral("Clamper         : ") + Text(FormatClampEng(op.ClamperLoss, "W"))));
    lines.push_back(Left(3, 200, 300,
                         QStringLiteral("Efficiency : ") + Text(FormatEng(op.Efficiency * 100, "% @ ")) +
                             Text(FormatEng(op.AmbientTemperature, "\u00B0C"))));
    lines.push_back(Left(4, 3200, 300, QStringLiteral("Output Power : ") + Text(FormatEng(op.OutputPower, "W"))));
    lines.push_back(Left(5, 3200, 650, QStringLiteral("Ipeak Primary : ") + Text(FormatEng(Transfo.IpeakMax, "A"))));
    lines.push_back(
        Left(6, 3200, 1000, QStringLiteral("Primary Inductance: ") + Text(FormatEng(Transfo.Lprimary.Value, "H"))));
    lines.push_back(Left(8, 200, 1000, QStringLiteral("Transformer   : ") + Text(FormatEng(op.TransformerLoss, "W"))));

    QString mode;
    switch (ConductionModeOf(op.ContinuousModeText)) {
    case ConductionMode::Discontinuous: mode = QStringLiteral("Never"); break;
    case ConductionMode::LowLine: mode = QStringLiteral("@ Low Line"); break;
    case ConductionMode::Continuous: mode = QStringLiteral("Always"); break;
    default: break;
    }
    // Above half duty in continuous mode the chip needs slope compensation. The colour follows
    // the real mode even when the power warning replaces the mode's text.
    LabelPlan duty = Left(10, 3200, 1700, QStringLiteral("Duty Cycle at Vmin : ") + Text(Format(op.DutyCycleAtVmin, "##%")));
    duty.foreColor = op.DutyCycleAtVmin > 0.5f && mode != QLatin1String("Never") ? Red : Black;
    lines.push_back(duty);
    lines.push_back(Left(9, 200, 2050, QStringLiteral("Project Name : ")));
    if (Settings.PowerTooHigh) mode = QStringLiteral("Over Power");
    lines.push_back(Left(7, 3200, 1350, QStringLiteral("Continuous Mode : ") + mode));
    return lines;
}

}  // namespace SchematicLabels
