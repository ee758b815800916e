#include "DesignFields.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <type_traits>
#include <vector>

#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Variables.h"

namespace zorvic::dump {

namespace {

// One visiting function per record type lists its fields once, for printing and for setting. A
// field added to a record must be added here too, or the dump leaves it out. Declared first so
// that records nested in records find each other.
template <class V> void VisitFields(V& v, DiodeRecord& r);
template <class V> void VisitFields(V& v, CapacitorRecord& r);
template <class V> void VisitFields(V& v, ResistorRecord& r);
template <class V> void VisitFields(V& v, InductorRecord& r);
template <class V> void VisitFields(V& v, RegulatorRecord& r);
template <class V> void VisitFields(V& v, ChipRecord& r);
template <class V> void VisitFields(V& v, CoreMaterial& r);
template <class V> void VisitFields(V& v, CoreGeometry& r);
template <class V> void VisitFields(V& v, WireRecord& r);
template <class V> void VisitFields(V& v, ClampRecord& r);
template <class V> void VisitFields(V& v, SettingsRecord& r);
template <class V> void VisitFields(V& v, OperatingRecord& r);
template <class V> void VisitFields(V& v, RegulationRecord& r);
template <class V> void VisitFields(V& v, TransfoRecord& r);
template <class V> void VisitFields(V& v, ClamperRecord& r);
template <class V> void VisitFields(V& v, InputRecord& r);
template <class V> void VisitFields(V& v, ControlRecord& r);
template <class V> void VisitFields(V& v, OutputRecord& r);

#define F(field) v(#field, r.field)

template <class V>
void VisitFields(V& v, DiodeRecord& r) {
    F(Name); F(Vf); F(VfAtIf); F(VfCopy); F(If); F(Vrrm); F(Ir); F(Trr); F(Vt0); F(Rd); F(Index);
}

template <class V>
void VisitFields(V& v, CapacitorRecord& r) {
    F(Series); F(C); F(Value); F(Vrated); F(Irms); F(Esr); F(ChosenItem);
}

template <class V>
void VisitFields(V& v, ResistorRecord& r) {
    F(Name); F(Value); F(Values);
}

template <class V>
void VisitFields(V& v, InductorRecord& r) {
    F(Label); F(Value);
}

template <class V>
void VisitFields(V& v, RegulatorRecord& r) {
    F(Name); F(Vout); F(VinMax); F(IoutMax); F(Vdrop); F(VdropSlope); F(Family); F(ChosenItem);
}

template <class V>
void VisitFields(V& v, ChipRecord& r) {
    F(Name); F(Family); F(Rdson); F(Vdmax); F(IddOffset); F(Vdd1); F(Vdd2); F(Vdd3); F(VddReg);
    F(FixedFrequency); F(MaxFrequency); F(Idlim); F(IddSlope); F(SupplyCurrent); F(LossConduction);
    F(LossBias); F(LossSwitching); F(Param21); F(Param28); F(Param29); F(OscResistor); F(OscCapacitor);
    F(SupplyCapacitor); F(SupplyCapacitor2); F(Param26); F(Param27); F(OscK1); F(OscK2); F(OscK3); F(Coss);
    F(Tswitch); F(TonMin); F(Param17); F(Param18); F(Param22); F(Param19); F(Index); F(AuxDiode); F(Tj);
    F(OverTemperature); F(Packages); F(InputBiasCurrent);
}

template <class V>
void VisitFields(V& v, CoreMaterial& r) {
    F(Name); F(Supplier); F(K); F(K1); F(K2); F(Ui100); F(Ui25); F(Hsat); F(Bsat); F(FreqMin); F(FreqMax);
    F(Index); F(Bdc);
}

template <class V>
void VisitFields(V& v, CoreGeometry& r) {
    F(Series); F(Name); F(Ae); F(Le); F(Lm); F(W); F(Ve); F(LeOverAe); F(Rth); F(Index);
}

template <class V>
void VisitFields(V& v, WireRecord& r) {
    F(Awg); F(Area); F(AreaIns); F(Rlin); F(Index); F(Strands);
}

template <class V>
void VisitFields(V& v, ClampRecord& r) {
    F(Series); F(Code); F(VbrMax); F(Vbr); F(Coef); F(PowerRating); F(Dissipation);
}

template <class V>
void VisitFields(V& v, SettingsRecord& r) {
    F(DecimalPointIsDot); F(DecimalSeparator); F(StartupPending); F(TrainingMode); F(ButtonZoomMin);
    F(LabelZoomMin); F(AdditionalOutputs); F(ActiveZorvicPicture); F(DesignSaved); F(DesignFileName);
    F(UserDefinedDiode); F(UserPrimaryInductance); F(UserPrimaryTurns); F(UserCoreMaterial);
    F(UserCoreGeometry); F(RecomputeFlag); F(DesignFound); F(DesignWithinLoss); F(AWGDetailWinding);
    F(BmaxRatio); F(WindingOptimisationType); F(FixedDiameter); F(SplashDone); F(PowerTooHigh);
    F(GeometryListType); F(BackgroundColor); F(ProjectName); F(ACInput); F(CoreCriterionTemp);
    F(RegulationWasSecondary); F(InputEditedLast); F(CustomCoreMode);
}

template <class V>
void VisitFields(V& v, OperatingRecord& r) {
    F(MaxRegulatedOutputs); F(RegulatedOutputCount); F(ContinuousModeText); F(SecondaryRegulation);
    F(AmbientTemperature); F(Efficiency); F(RegulationLoss); F(ClamperLoss); F(ChipLoss); F(TransformerLoss);
    F(OutputLoss); F(TotalLoss); F(OutputPower); F(CentreCurrentAtVmin); F(CentreCurrentAtVmax);
    F(DutyCycleAtVmin); F(DutyCycleAtVmax); F(RippleCurrentAtVmin); F(RippleCurrentAtVmax);
    F(ValleyCurrentAtVmin); F(ContRatio); F(Pmin); F(Pmax); F(ReflectedVoltageActual); F(DiodeCurrentMargin);
    F(DiodeVoltageMargin); F(ChipPinTemperature); F(ChipPackageType); F(RthJunctionPin); F(RthPinAmbient);
}

template <class V>
void VisitFields(V& v, RegulationRecord& r) {
    F(ReferenceName); F(ReferenceVoltage); F(ReferenceCurrent); F(Divider); F(GroundResistor);
}

template <class V>
void VisitFields(V& v, TransfoRecord& r) {
    F(Material); F(OutputWire); F(AuxWire); F(PrimaryWire); F(ParallelWireMax); F(Bmax); F(DesignRecorded);
    F(OutputTurns); F(TurnsRatio); F(PrimaryTurns); F(AuxTurnsRatio); F(AuxTurns); F(Lleak); F(Lprimary);
    F(Cpri); F(LeakageRatio); F(AirGap); F(InputPower); F(InputPowerNoTransformer); F(IrmsMax); F(IpeakMax);
    F(Core); F(CoreLoss); F(CoreLossShare); F(MaxDeltaT); F(WindingLoss); F(AuxWindingArea);
    F(PrimaryWindingArea); F(OutputWindingArea); F(WindowFactor);
}

template <class V>
void VisitFields(V& v, ClamperRecord& r) {
    F(Diode); F(Clamp); F(R1); F(C3); F(RCClamper); F(VoltageMargin);
}

template <class V>
void VisitFields(V& v, InputRecord& r) {
    F(VacMin); F(VacMax); F(DCInputMin); F(DCInputMax); F(RippleVoltage); F(MainsFrequency); F(VdcMin);
    F(VdcMax); F(ReflectedVoltage); F(SwitchingFrequency); F(C2); F(C7);
}

template <class V>
void VisitFields(V& v, ControlRecord& r) {
    F(R3); F(C6); F(R6); F(C8); F(EsrZeroDiscont); F(EsrZeroCont); F(RhpZero); F(OutputPole);
    F(OutputPolePartLoad); F(StageGain); F(StageGainPartLoad); F(SoftStartTime); F(OptoGain);
}

template <class V>
void VisitFields(V& v, OutputRecord& r) {
    F(Voltage); F(Current); F(IrmsSecondary); F(RippleCurrent); F(MinimumCurrent); F(OutputType); F(Polarity);
    F(RippleFirstCell); F(RippleSecondCell); F(ActualRippleFirstCell); F(ActualRippleSecondCell);
    F(Regulated); F(Diode); F(VoltageBeforeDiode); F(ActualVoltage); F(Loss); F(DiodeLoss); F(RegulatorLoss);
    F(ZenerLoss); F(Cap1); F(Cap2); F(Cap1Count); F(CapacitorDerating); F(Zener); F(DropResistor);
    F(Inductor); F(Regulator); F(SerialElement); F(Index); F(CurrentRatio);
}

#undef F

// The records of the design state in the order they are printed.
template <class V>
void VisitDesign(V& v) {
    v("Settings", Settings);
    v("OperatingPoint", OperatingPoint);
    v("Regulation", Regulation);
    v("Transfo", Transfo);
    v("Clamper", Clamper);
    v("InputStage", InputStage);
    v("Control", Control);
    v("CurrentChip", CurrentChip);
    v("CurrentCore", CurrentCore);
    v("CurrentMaterial", CurrentMaterial);
    v("CurrentClamp", CurrentClamp);
    v("Outputs", Outputs);
}

template <class T>
struct IsArray : std::false_type {};
template <class T, std::size_t N>
struct IsArray<std::array<T, N>> : std::true_type {};

template <class T>
concept Scalar = std::is_arithmetic_v<T> || std::is_same_v<T, std::string>;
template <class T>
concept Record = std::is_class_v<T> && !Scalar<T> && !IsArray<T>::value;

// A float as the shortest decimal that reads back to the same float.
Json FloatJson(float x) {
    if (std::isnan(x)) return "nan";
    if (std::isinf(x)) return x > 0 ? "inf" : "-inf";
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), x).ptr;
    return std::strtod(std::string(text.data(), end).c_str(), nullptr);
}

Json DoubleJson(double x) {
    if (std::isnan(x)) return "nan";
    if (std::isinf(x)) return x > 0 ? "inf" : "-inf";
    return x;
}

template <class T>
Json ToJson(T& x);

struct Printer {
    Json& out;
    template <class T>
    void operator()(const char* name, T& field) {
        out[name] = ToJson(field);
    }
};

template <class T>
Json ToJson(T& x) {
    if constexpr (std::is_same_v<T, float>) {
        return FloatJson(x);
    } else if constexpr (std::is_same_v<T, double>) {
        return DoubleJson(x);
    } else if constexpr (Scalar<T>) {
        return x;
    } else if constexpr (IsArray<T>::value) {
        Json list = Json::array();
        for (auto& element : x) list.push_back(ToJson(element));
        return list;
    } else {
        Json object = Json::object();
        Printer printer{object};
        VisitFields(printer, x);
        return object;
    }
}

// One step of a field path: a name and, for a list, the element.
struct Step {
    std::string name;
    std::optional<std::size_t> index;
};

std::optional<std::vector<Step>> ParsePath(const std::string& path) {
    std::vector<Step> steps;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t dot = path.find('.', start);
        const std::string part = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        Step step;
        const std::size_t open = part.find('[');
        step.name = part.substr(0, open);
        if (step.name.empty()) return std::nullopt;
        if (open != std::string::npos) {
            if (part.back() != ']' || part.size() < open + 3) return std::nullopt;
            const std::string digits = part.substr(open + 1, part.size() - open - 2);
            std::size_t index = 0;
            const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
            if (ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
            step.index = index;
        }
        steps.push_back(step);
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return steps;
}

bool ReadFloat(const Json& value, double& x) {
    if (value.is_number()) {
        x = value.get<double>();
        return true;
    }
    if (value.is_string()) {
        const auto& text = value.get_ref<const std::string&>();
        if (text == "nan") x = std::numeric_limits<double>::quiet_NaN();
        else if (text == "inf") x = std::numeric_limits<double>::infinity();
        else if (text == "-inf") x = -std::numeric_limits<double>::infinity();
        else return false;
        return true;
    }
    return false;
}

template <class T>
bool ReadInteger(const Json& value, T& x) {
    double d = 0;
    if (!value.is_number() || !ReadFloat(value, d)) return false;
    if (d != std::floor(d) || d < std::numeric_limits<T>::min() || d > std::numeric_limits<T>::max()) return false;
    x = static_cast<T>(d);
    return true;
}

template <class T>
bool Assign(T& field, const Json& value) {
    if constexpr (std::is_same_v<T, bool>) {
        if (value.is_boolean()) field = value.get<bool>();
        else if (value.is_number()) field = value.get<double>() != 0;  // the file format's 0 / -1
        else return false;
        return true;
    } else if constexpr (std::is_floating_point_v<T>) {
        double d = 0;
        if (!ReadFloat(value, d)) return false;
        field = static_cast<T>(d);
        return true;
    } else if constexpr (std::is_integral_v<T>) {
        return ReadInteger(value, field);
    } else if constexpr (std::is_same_v<T, std::string>) {
        if (!value.is_string()) return false;
        field = value.get<std::string>();
        return true;
    } else if constexpr (IsArray<T>::value) {
        // A whole list from a JSON list of at most its length, from element 0.
        if (!value.is_array() || value.size() > field.size()) return false;
        for (std::size_t k = 0; k < value.size(); ++k)
            if (!Assign(field[k], value[k])) return false;
        return true;
    } else {
        return false;  // a whole record is set field by field
    }
}

// Walks a parsed path down the records and sets the field it ends at.
struct Setter {
    const std::vector<Step>& steps;
    std::size_t at;
    const Json& value;
    SetStatus status = SetStatus::UnknownPath;
    bool matched = false;

    template <class T>
    void operator()(const char* name, T& field) {
        if (matched || steps[at].name != name) return;
        matched = true;
        if (steps[at].index) {
            if constexpr (IsArray<T>::value) {
                if (*steps[at].index >= field.size()) return;  // no such element: unknown path
                Descend(field[*steps[at].index]);
            }
            return;
        }
        Descend(field);
    }

    template <class T>
    void Descend(T& x) {
        if (at + 1 == steps.size()) {
            status = Assign(x, value) ? SetStatus::Ok : SetStatus::BadValue;
            return;
        }
        if constexpr (Record<T>) {
            Setter inner{steps, at + 1, value};
            VisitFields(inner, x);
            status = inner.status;
        }
    }
};

}  // namespace

Json DesignToJson() {
    Json design = Json::object();
    Printer printer{design};
    VisitDesign(printer);
    // Only the active outputs: 0 to AdditionalOutputs.
    const int active = std::clamp<int>(Settings.AdditionalOutputs + 1, 0, OutputCount);
    Json& outputs = design["Outputs"];
    while (static_cast<int>(outputs.size()) > active) outputs.erase(outputs.size() - 1);
    return design;
}

SetStatus SetField(const std::string& path, const Json& value, std::string& error) {
    const auto steps = ParsePath(path);
    SetStatus status = SetStatus::UnknownPath;
    if (steps) {
        Setter setter{*steps, 0, value};
        VisitDesign(setter);
        status = setter.status;
    }
    if (status == SetStatus::UnknownPath) error = "unknown field path \"" + path + "\"";
    if (status == SetStatus::BadValue) error = "value " + value.dump() + " does not fit field \"" + path + "\"";
    return status;
}

void RebuildCandidateCores() {
    // As the program does when a project sets the list type.
    FilterGeometryList();
}

bool ComputeWithOverrides(const Json& overrides, std::string& error, const std::function<void()>& afterStartUp) {
    SetLocaleDecimalSeparator('.');
    ApplyDesignDefaults();
    ComputeDesign();
    if (afterStartUp) afterStartUp();

    if (!overrides.is_object()) {
        error = "the overrides must be one JSON object";
        return false;
    }
    // Table rows first, so that field overrides can then change the copied record.
    for (const auto& [key, value] : overrides.items()) {
        if (key.empty() || key[0] != '@') continue;
        int row = -1;
        if (!ReadInteger(value, row) || row < 0) {
            error = "row " + value.dump() + " of \"" + key + "\" is not a table row";
            return false;
        }
        const auto r = static_cast<std::size_t>(row);
        if (key == "@Chip" && r < ChipTable.size()) CurrentChip = ChipTable[r];
        else if (key == "@Material" && r < CoreMaterialTable.size()) CurrentMaterial = CoreMaterialTable[r];
        else if (key == "@Core" && r < StandardCoreTable.size()) CurrentCore = StandardCoreTable[r];
        else {
            error = key == "@Chip" || key == "@Material" || key == "@Core"
                        ? "row " + value.dump() + " of \"" + key + "\" is past the table's end"
                        : "unknown table key \"" + key + "\"";
            return false;
        }
    }
    bool busOverridden = false;
    bool listTypeOverridden = false;
    for (const auto& [key, value] : overrides.items()) {
        if (!key.empty() && key[0] == '@') continue;
        if (SetField(key, value, error) != SetStatus::Ok) return false;
        busOverridden = busOverridden || key == "InputStage.VdcMin" || key == "InputStage.VdcMax";
        listTypeOverridden = listTypeOverridden || key == "Settings.GeometryListType";
    }
    if (!busOverridden) UpdateDcBusVoltages();
    if (listTypeOverridden) RebuildCandidateCores();
    ComputeDesign();
    return true;
}

}  // namespace zorvic::dump
