#include "OutputEdit.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "Compensation.h"
#include "DesignCommands.h"
#include "DesignHost.h"
#include "NumberText.h"
#include "OutputParts.h"
#include "OutputStage.h"

namespace zorvic {

namespace {

constexpr int16_t MostAdditionalOutputs = OutputCount - 1;

// Base codes of the kinds for the outputs after the main one.
int16_t BaseCode(OutputKind kind) {
    switch (kind) {
    case OutputKind::Zener: return 1;
    case OutputKind::Vreg: return 3;
    case OutputKind::Self: return 5;
    case OutputKind::Direct: return 7;
    }
    return 7;
}

constexpr std::array<const char*, 3> DropoutKeys = {"Std", "Semi", "Low"};

bool ValidIndex(int16_t index) { return index >= 0 && index < OutputCount; }

// Passes every call to the installed host except the label marks, which belong to the applied
// outputs only.
class LabelMarksHeld : public DesignHost {
public:
    explicit LabelMarksHeld(DesignHost& inner) : inner_(inner) {}
    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title) override {
        return inner_.ShowMessage(text, buttons, title);
    }
    int ShellOpen(const std::string& fileName) override { return inner_.ShellOpen(fileName); }
    void DoEvents() override { inner_.DoEvents(); }
    void EditInputPara() override { inner_.EditInputPara(); }
    void EditZorvicPara() override { inner_.EditZorvicPara(); }
    bool ChipEditorIsActive() override { return inner_.ChipEditorIsActive(); }
    void CloseChipEditor() override { inner_.CloseChipEditor(); }
    void ShowPowerWarning(bool visible) override { inner_.ShowPowerWarning(visible); }
    void SetOutputLabelTags(int, const std::string&, const std::string&) override {}
    void AddToCustomList(const CoreGeometry& core) override { inner_.AddToCustomList(core); }
    void DesignFileChanged() override { inner_.DesignFileChanged(); }
    void ShowProjectName(const std::string& name) override { inner_.ShowProjectName(name); }
    bool OutputBlockShown(int output) override { return inner_.OutputBlockShown(output); }
    void ShowOutputBlock(int output, bool visible) override { inner_.ShowOutputBlock(output, visible); }

private:
    DesignHost& inner_;
};

int16_t RegulatedActiveOutputs() {
    int count = 0;
    for (int i = 0; i <= LastActiveOutput(); ++i)
        if (Outputs[static_cast<std::size_t>(i)].Regulated) ++count;
    return static_cast<int16_t>(std::min<int>(count, OperatingPoint.MaxRegulatedOutputs));
}

}  // namespace

int16_t OutputTypeCode(OutputKind kind, bool negative, int16_t index, bool secondary) {
    const int16_t base = BaseCode(kind);
    if (index != 0) return static_cast<int16_t>(base + (negative ? 1 : 0));
    return static_cast<int16_t>(base + 4 + (kind == OutputKind::Vreg ? 6 : 0) + (secondary ? 1 : 0));
}

std::optional<OutputTypeShown> ShowOutputType(int16_t code) {
    const OutputCode type(code);
    const std::optional<OutputKind> kind = type.Kind();
    if (!kind) return std::nullopt;
    OutputTypeShown shown;
    shown.kind = *kind;
    if (type.IsAdditionalCode()) shown.negative = type.Negative();
    // Only an inductor filter has a second cell whose ripple the user sets.
    shown.secondCell = type.IsInductorFilter();
    shown.mainCode = type.IsMainCode();
    return shown;
}

std::string RegulatorFamily(int16_t dropout, bool positive) {
    const auto k = static_cast<std::size_t>(std::clamp<int>(dropout, 0, 2));
    return std::string(DropoutKeys[k]) + (positive ? "Pos" : "Neg");
}

std::optional<int16_t> DropoutOfFamily(const std::string& family) {
    for (std::size_t k = 0; k < DropoutKeys.size(); ++k)
        for (const char* sign : {"Pos", "Neg"})
            if (family == std::string(DropoutKeys[k]) + sign) return static_cast<int16_t>(k);
    return std::nullopt;
}

void ReadOutputChoices(OutputRecord& work, int16_t index, const OutputChoices& choices) {
    work.OutputType =
        OutputTypeCode(choices.kind, !choices.positive, index, OperatingPoint.SecondaryRegulation);
    work.Polarity = choices.positive;
    work.Regulator.Family = RegulatorFamily(choices.dropout, choices.positive);
    work.Regulated = choices.regulated;
}

bool RegulatedChangeable(int16_t index, bool negative, bool zener, bool vreg) {
    const OperatingRecord& op = OperatingPoint;
    if (!op.SecondaryRegulation) return false;
    // The loop as stored: the edited copy's own tick is no place in it yet, and counting it
    // would lock the box of an output the user just ticked.
    const bool inLoop = ValidIndex(index) && index <= Settings.AdditionalOutputs &&
                        Outputs[static_cast<std::size_t>(index)].Regulated;
    if (op.RegulatedOutputCount >= op.MaxRegulatedOutputs && !inLoop) return false;
    // The last output in the loop stays in it.
    if (op.RegulatedOutputCount == 1 && inLoop) return false;
    return !negative && !zener && !vreg;
}

OutputBoxRule RuleOfBox(OutputBox box, int16_t index, const OutputRecord& work, const std::string& currentUnit) {
    const bool main = index == 0;
    switch (box) {
    case OutputBox::Voltage: {
        float max = 150;
        // The shunt reference regulates the main output up to 40 V (SHR1) or 12 V (SHR2).
        if (main && OperatingPoint.SecondaryRegulation) max = Regulation.ReferenceName == "SHR1" ? 40.0f : 12.0f;
        return {main ? 2.5f : 0.1f, max, "V", "##0.00"};
    }
    case OutputBox::Current:
        // Milliamperes are shown whole, as the box shows them; a refused entry puts the held
        // value back in that form.
        return {std::max(main ? 0.0001f : 0.001f, work.MinimumCurrent), 30, currentUnit,
                currentUnit == "mA" ? "##0" : "##0.00"};
    case OutputBox::MinimumCurrent:
        return {0, std::min(5.0f, work.Current), currentUnit, currentUnit == "mA" ? "##0" : "##0.00"};
    case OutputBox::RippleFirstCell:
        return {std::max(0.1f, work.RippleSecondCell), 2.0f, "Vpp", "#0.00 "};
    case OutputBox::RippleSecondCell:
        return {0.01f, std::min(1.0f, work.RippleFirstCell), "Vpp", "#0.00 "};
    case OutputBox::Derating:
        return {0.3f, 10, " ", "#.0 "};
    }
    return {};
}

CurrentShown ShowCurrent(float amps) {
    if (amps >= 0.2f) return {Format(amps, "##0.00"), "A"};
    return {Format(static_cast<double>(amps) * 1000, "##0"), "mA"};
}

std::string EsrText(const CapacitorRecord& capacitor) {
    float esr = capacitor.Esr[0];
    // The mark of "no second cell" is a stored 32-bit value: compared as such.
    if (esr == NoEsr) esr = 0;
    return "ESR : " + Format(esr, "#0.00 Ohm");
}

std::string IrmsText(const CapacitorRecord& capacitor) { return "Irms : " + FormatEng(capacitor.Irms[0], "A"); }

std::string RippleText(float volts) { return Format(volts, "0.00") + " Vpp"; }

std::string OutputCaption(int16_t index) {
    if (index == 0) return "Parameters Main Output";
    return "Parameters Output " + std::to_string(index);
}

std::string VoltageTip(int16_t index) { return index == 0 ? "2.5V - 150.0V Range" : "0.0V - 150.0V Range"; }

void ComputeOutputWork(int16_t index) {
    const auto turnsRatio = Transfo.TurnsRatio;
    const auto userDiodes = Settings.UserDefinedDiode;
    const float dutyMax = DutyMax;
    DesignHost& host = Host();
    LabelMarksHeld held(host);
    InstallHost(&held);
    OutputWork.Index = index;
    ComputeOutput(OutputWork);
    InstallHost(&host);
    Transfo.TurnsRatio = turnsRatio;
    Settings.UserDefinedDiode = userDiodes;
    DutyMax = dutyMax;
}

bool CheckEditedRegulation(int16_t index) {
    const RegulationRecord before = Regulation;
    const int16_t last = std::max(Settings.AdditionalOutputs, index);
    const bool ok = SelectReferenceIC(last, index, OutputWork.Regulated, OutputWork.Voltage);
    Regulation = before;
    return ok;
}

OutputEditorMarks TakeOutputEditorMarks() { return {Settings.UserDefinedDiode, Settings.DesignSaved}; }

void RestoreOutputEditorMarks(const OutputEditorMarks& marks) {
    Settings.UserDefinedDiode = marks.userDefinedDiode;
    Settings.DesignSaved = marks.designSaved;
}

bool IsNewOutput(int16_t index) { return index == Settings.AdditionalOutputs + 1; }

bool CountAppliedOutput(int16_t index) {
    if (!ValidIndex(index) || !IsNewOutput(index)) return false;
    Settings.AdditionalOutputs = index;
    return true;
}

void ClearUserDiodeMark(int16_t index) {
    if (!ValidIndex(index)) return;
    bool& mark = Settings.UserDefinedDiode[static_cast<std::size_t>(index)];
    if (mark) Settings.DesignSaved = false;
    mark = false;
}

RemovedOutput RemoveOutput(int16_t index) {
    const int16_t last = Settings.AdditionalOutputs;
    if (index < 1 || index > last || last > MostAdditionalOutputs) return {};
    const bool wasRegulated = Outputs[static_cast<std::size_t>(index)].Regulated;

    for (int i = index; i < last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        Outputs[k] = Outputs[k + 1];
        Outputs[k].Index = static_cast<int16_t>(i);
        Settings.UserDefinedDiode[k] = Settings.UserDefinedDiode[k + 1];
    }
    const auto freed = static_cast<std::size_t>(last);
    Outputs[freed].Regulated = false;
    Settings.UserDefinedDiode[freed] = false;
    Settings.AdditionalOutputs = static_cast<int16_t>(last - 1);
    OperatingPoint.RegulatedOutputCount = RegulatedActiveOutputs();
    Settings.DesignSaved = false;

    RemovedOutput removed{true, last, false};
    if (OperatingPoint.SecondaryRegulation && wasRegulated && OperatingPoint.RegulatedOutputCount == 0) {
        // As if the user chose "Secondary Regulation" again on a primary-regulated design.
        OperatingPoint.SecondaryRegulation = false;
        Settings.RegulationWasSecondary = false;
        removed.chooseRegulation = true;
    }
    return removed;
}

bool ChooseSecondaryLoopAgain() {
    Settings.RegulationWasSecondary = false;
    if (FindSecondaryLoopOutput()) {
        SelectSecondaryRegulation();
        return true;
    }
    SelectPrimaryRegulation();
    return false;
}

}  // namespace zorvic
