#include "FileManagement.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <type_traits>
#include <variant>
#include <vector>

#include "Components.h"
#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "CustomCores.h"
#include "DesignHost.h"
#include "FileText.h"
#include "NumberText.h"
#include "OutputCode.h"
#include "Variables.h"

namespace zorvic {

namespace {

// Everything the project file carries, as one copy: the loader fills a copy of the design and
// commits it only when the whole file was good.
struct DesignImage : DesignRecords {
    std::array<bool, OutputCount> shown{};  // output blocks shown on the schematic
};

DesignImage CaptureDesign() {
    DesignImage d{DesignRecords::Now()};
    d.shown[0] = true;  // the main output is always there
    for (int i = 1; i < OutputCount; ++i) d.shown[static_cast<std::size_t>(i)] = Host().OutputBlockShown(i);
    return d;
}

void CommitDesign(const DesignImage& d) { d.Restore(); }

using FieldRef = std::variant<std::string*, int16_t*, int32_t*, float*, bool*>;
using FieldValue = std::variant<std::string, int16_t, int32_t, float, bool>;

struct Slot {
    std::string key;
    FieldRef field;
    // False for the values that the loader does not copy straight into their field: table
    // indices (the row is copied), the output shown flags and the repeated regulation flag.
    bool plain = true;
};

// The pairs of the project file in their order; the fields point into `d`.
std::vector<Slot> ProjectSlots(DesignImage& d) {
    std::vector<Slot> s;
    s.reserve(ProjectValueCount - 1);
    auto add = [&s](std::string key, FieldRef field, bool plain = true) {
        s.push_back({std::move(key), field, plain});
    };
    add("File Name :", &d.settings.DesignFileName);
    add("Training Mode :", &d.settings.TrainingMode);
    add("Additional Outputs :", &d.settings.AdditionalOutputs);
    add("User Defined Primary Inductance :", &d.settings.UserPrimaryInductance);
    add("User Defined Core Material :", &d.settings.UserCoreMaterial);
    add("User Defined Core Geometry :", &d.settings.UserCoreGeometry);
    add("Active Zorvic Picture :", &d.settings.ActiveZorvicPicture);
    add("Output Regulated :", &d.operating.RegulatedOutputCount);
    add("Ambient Temperature :", &d.operating.AmbientTemperature);
    add("Leakage Inductance Percentage :", &d.transfo.LeakageRatio);
    add("Window Factor Utilisation :", &d.transfo.WindowFactor);
    add("Percentage of Power Transmit Loss in Core :", &d.transfo.CoreLossShare);
    add("Secondary Regulation :", &d.operating.SecondaryRegulation);
    add("RC Clamper ? :", &d.clamper.RCClamper);
    add("Minimum Input AC Voltage :", &d.input.VacMin);
    add("Maximum Input AC Voltage :", &d.input.VacMax);
    add("C2 Ripple Voltage :", &d.input.RippleVoltage);
    add("Main Frequency :", &d.input.MainsFrequency);
    add("Reflected Voltage :", &d.input.ReflectedVoltage);
    add("Zorvic Switching Frequency :", &d.input.SwitchingFrequency);
    add("Type of Zorvic Index:", &d.chip.Index, false);
    add("Type of Zorvic :", &d.chip.Name, false);
    add("Gain of Opto-Coupler :", &d.control.OptoGain);
    add("Soft Start Time :", &d.control.SoftStartTime);
    add("SHR1 Quiescent Current :", &d.regulation.ReferenceCurrent);
    for (int i = 0; i < OutputCount; ++i) {
        OutputRecord& o = d.outputs[static_cast<std::size_t>(i)];
        const std::string name = "Output " + Str(i);
        add(name + " Polarity :", &o.Polarity);
        add(name + " Voltage :", &o.Voltage);
        add(name + " Current :", &o.Current);
        add(name + " Minimum Current :", &o.MinimumCurrent);
        add(name + " Ripple Voltage First Cell :", &o.RippleFirstCell);
        add(name + " Ripple Voltage Second Cell :", &o.RippleSecondCell);
        add(name + " Type of Output :", &o.OutputType);
        add(name + " Regulated :", &o.Regulated);
        add(name + " Vreg Drop :", &o.Regulator.Vdrop);
        add(name + " Type of Vreg :", &o.Regulator.Family);
        add(name + " Index :", &o.Index);
        add(name + " Voltage Before Diode :", &o.VoltageBeforeDiode);
        add(name + " Selected Diode Index:", &o.Diode.Index, false);
        add(name + " Selected Diode :", &o.Diode.Name, false);
        add(name + " Active :", &d.shown[static_cast<std::size_t>(i)], false);
        add("User Defined Output " + Str(i) + " Diode :", &d.settings.UserDefinedDiode[static_cast<std::size_t>(i)]);
    }
    add("Primary Inductance", &d.transfo.Lprimary.Value);
    add("Transformer Core", &d.transfo.Material.Index, false);
    add("Transformer Geometry", &d.transfo.Core.Index, false);
    add("Primary Bonding", &d.transfo.PrimaryWire.Index, false);
    add("Transformer Capacitance", &d.transfo.Cpri.Value);
    add("Bsat Margin", &d.settings.BmaxRatio);
    add("Option Fixed Diameter", &d.settings.FixedDiameter);
    add("Type of optimisation for winding", &d.settings.WindingOptimisationType);
    add("Type of Geometry List", &d.settings.GeometryListType);
    add("Flag Power Error", &d.settings.PowerTooHigh);
    add("Secondary Regulation", &d.operating.SecondaryRegulation, false);
    add("Project Name", &d.settings.ProjectName);
    add("Min DC Input Voltage", &d.input.DCInputMin);
    add("Max DC Input Voltage", &d.input.DCInputMax);
    add(" AC (or DC) input ?", &d.settings.ACInput);
    add("Transformer Optimisation Criteria", &d.settings.CoreCriterionTemp);
    add("Transformer Max Delta T", &d.transfo.MaxDeltaT);
    add("Zorvic Package Rtj_p", &d.operating.RthJunctionPin);
    add("Zorvic Package Type", &d.operating.ChipPackageType);
    add("Zorvic Pin Temperature", &d.operating.ChipPinTemperature);
    add("Transformer Parallel Wire", &d.transfo.ParallelWireMax);
    add("Primary Turns User Define", &d.settings.UserPrimaryTurns);
    add("Transformer Primary Turns", &d.transfo.PrimaryTurns);
    for (int i = 0; i < OutputCount; ++i)
        add("Output" + Str(i) + "Capacitor Derating", &d.outputs[static_cast<std::size_t>(i)].CapacitorDerating);
    add("Core Type Name", &d.core.Name);
    add("Core Type", &d.core.Series);
    add("Core Lm", &d.core.Lm);
    add("Core Le", &d.core.Le);
    add("Core Ae", &d.core.Ae);
    add("Core W", &d.core.W);
    add("Core Ve", &d.core.Ve);
    add("Rtpin_ambiant", &d.operating.RthPinAmbient);
    return s;
}

// Value numbers of the project file.
constexpr int RequiredValues = 121;  // the outputs and everything before them
constexpr int ChipIndexValue = 20;
constexpr int MaterialIndexValue = 122;
constexpr int CoreIndexValue = 123;
constexpr int WireIndexValue = 124;
constexpr int MaxValueCount = 301;  // the reader stops there
constexpr int OutputBlockFirst = 25;
constexpr int OutputBlockSize = 16;
constexpr int DiodeIndexOffset = 12;
constexpr int ShownOffset = 14;

// Later versions appended groups of values; a file holds a group only when it holds its last
// value (values are read in order, so it then holds all of it).
int GroupLastValue(int n) {
    if (n >= 133 && n <= 137) return 137;
    if (n >= 138 && n <= 140) return 140;
    if (n >= 142 && n <= 143) return 143;
    if (n >= 144 && n <= 156) return 156;
    return n;
}

std::string Item(const std::string& text) { return TextItem(text); }
std::string Item(bool flag) { return FlagItem(flag); }
std::string Item(int16_t value) { return NumberItem(static_cast<int32_t>(value)); }
std::string Item(int32_t value) { return NumberItem(value); }
std::string Item(float value) { return NumberItem(value); }

bool ParseItem(const std::string& line, std::string& text) { return ParseTextItem(line, text); }
bool ParseItem(const std::string& line, bool& flag) { return ParseFlagItem(line, flag); }
template <typename Number>
bool ParseItem(const std::string& line, Number& value) {
    return ParseNumberItem(line, value);
}

bool ParseSlot(const FieldRef& field, const std::string& line, FieldValue& value) {
    return std::visit(
        [&](auto* target) {
            std::remove_pointer_t<decltype(target)> parsed{};
            if (!ParseItem(line, parsed)) return false;
            value = std::move(parsed);
            return true;
        },
        field);
}

void AssignSlot(const FieldRef& field, const FieldValue& value) {
    std::visit([&](auto* target) { *target = std::get<std::remove_pointer_t<decltype(target)>>(value); }, field);
}

template <typename Table>
bool InTable(int16_t index, const Table& table) {
    return index >= 0 && static_cast<std::size_t>(index) < table.size();
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// Stored chip rows of older tables and the rows that replaced them.
int16_t RemapChipIndex(int16_t index) {
    switch (index) {
    case 3:
        return 1;
    case 7:
        return 5;
    case 8:
        return 10;
    default:
        return index;
    }
}

// Copies the table rows that the file names by index; false for an index outside its table.
bool ApplyTableIndices(DesignImage& d, const std::vector<FieldValue>& values) {
    const auto has = [&values](int n) { return n < static_cast<int>(values.size()); };
    const auto index = [&values](int n) { return std::get<int16_t>(values[static_cast<std::size_t>(n)]); };

    const int16_t chip = RemapChipIndex(index(ChipIndexValue));
    if (!InTable(chip, ChipTable)) return false;
    d.chip = ChipTable[static_cast<std::size_t>(chip)];

    for (int i = 0; i < OutputCount; ++i) {
        const int16_t diode = index(OutputBlockFirst + OutputBlockSize * i + DiodeIndexOffset);
        if (!InTable(diode, DiodeTable)) return false;
        d.outputs[static_cast<std::size_t>(i)].Diode = DiodeTable[static_cast<std::size_t>(diode)];
        if (i > 0)
            d.shown[static_cast<std::size_t>(i)] =
                std::get<bool>(values[static_cast<std::size_t>(OutputBlockFirst + OutputBlockSize * i + ShownOffset)]);
    }
    if (has(MaterialIndexValue)) {
        const int16_t material = index(MaterialIndexValue);
        if (!InTable(material, CoreMaterialTable)) return false;
        d.transfo.Material = CoreMaterialTable[static_cast<std::size_t>(material)];
        d.transfo.Material.Index = material;
        d.material = d.transfo.Material;
    }
    if (has(CoreIndexValue)) {
        const int16_t core = index(CoreIndexValue);
        if (!InTable(core, StandardCoreTable)) return false;
        d.transfo.Core = StandardCoreTable[static_cast<std::size_t>(core)];
        d.transfo.Core.Index = core;
        d.core = d.transfo.Core;
    }
    if (has(WireIndexValue)) {
        const int16_t wire = index(WireIndexValue);
        if (!InTable(wire, WireTable)) return false;
        d.transfo.PrimaryWire = WireTable[static_cast<std::size_t>(wire)];
        d.transfo.PrimaryWire.Index = wire;
    }
    return true;
}

// Defaults of the values that files of older versions do not hold.
void ApplyMissingGroups(DesignImage& d, int valuesRead) {
    const auto holds = [valuesRead](int last) { return last < valuesRead; };
    if (!holds(137)) {
        d.settings.ACInput = true;
        d.settings.CoreCriterionTemp = false;
    }
    if (!holds(140)) {
        d.operating.ChipPinTemperature = 25.0f;
        d.operating.ChipPackageType = 0;
        const int16_t package = d.chip.Packages[0];
        d.operating.RthJunctionPin = InTable(package, PackageTable) ? PackageTable[static_cast<std::size_t>(package)].Rth : 0;
    }
    if (!holds(141)) d.transfo.ParallelWireMax = 10;
    if (!holds(143)) d.settings.UserPrimaryTurns = false;
    if (!holds(156)) {
        for (auto& output : d.outputs) output.CapacitorDerating = 2.0f;
    } else if (d.core.Series == "Custom") {
        d.settings.CustomCoreMode = true;
        d.settings.UserCoreGeometry = true;
    }
}

// Values the computation divides by, takes as a count or uses as an index, checked before they
// reach the design. Values merely outside the editors' ranges pass.
bool DesignIsUsable(const DesignImage& d) {
    if (!InRange(d.settings.AdditionalOutputs, 0, OutputCount - 1)) return false;
    if (!InRange(d.operating.RegulatedOutputCount, 0, 3)) return false;
    if (!InRange(d.settings.ActiveZorvicPicture, 0, 23)) return false;
    if (!InRange(d.settings.WindingOptimisationType, 0, 2)) return false;
    if (!InRange(d.transfo.ParallelWireMax, 1, 10)) return false;
    // The chip editor picks the chip's package by this position.
    if (!InTable(d.operating.ChipPackageType, d.chip.Packages)) return false;
    for (const auto& output : d.outputs)
        if (!OutputCode(output.OutputType).Valid() || !InRange(output.Index, 0, OutputCount - 1)) return false;

    if (d.input.SwitchingFrequency == 0 || d.input.ReflectedVoltage == 0) return false;
    if (d.settings.ACInput && d.input.MainsFrequency == 0) return false;
    if (d.settings.BmaxRatio == 0 || d.transfo.WindowFactor == 0 || d.transfo.LeakageRatio == 0) return false;
    if (d.control.OptoGain == 0) return false;
    for (int i = 0; i <= d.settings.AdditionalOutputs; ++i)
        if (d.outputs[static_cast<std::size_t>(i)].Voltage == 0) return false;
    if (d.settings.UserPrimaryInductance && !(d.transfo.Lprimary.Value > 0)) return false;
    if (d.settings.UserPrimaryTurns && !(d.transfo.PrimaryTurns > 0)) return false;
    // The design uses the stored core itself when it is a custom one or fixed by the user.
    if (d.core.Series == "Custom" || d.settings.UserCoreGeometry) {
        const auto& c = d.core;
        if (!(c.Lm > 0 && c.Le > 0 && c.Ae > 0 && c.W > 0 && c.Ve > 0)) return false;
    }
    return true;
}

FileStatus RefuseProjectFile() {
    Host().ShowMessage("Wrong File Format", MessageButtons::OK, "File Error");
    return FileStatus::WrongFormat;
}

std::string VersionText() {
    return "Zorvic Soft Version " + Str(int32_t{ZORVIC_VERSION_MAJOR}) + "." + Str(int32_t{ZORVIC_VERSION_MINOR}) +
           Str(int32_t{ZORVIC_VERSION_PATCH});
}

constexpr int CoreLines = 7;
const char* const CustomSeries = "Custom";

}  // namespace

bool CheckProjectFormat(int16_t count, bool versionOk) {
    if (count >= RequiredValues && count < 161 && versionOk) return true;
    Host().ShowMessage("Wrong File Format", MessageButtons::OK, "File Error");
    return false;
}

std::vector<std::string> ProjectFileLines() {
    DesignImage d = CaptureDesign();
    std::vector<std::string> lines;
    lines.reserve(2 * ProjectValueCount + 1);
    lines.push_back(TextItem(VersionText()));
    for (const Slot& slot : ProjectSlots(d)) {
        lines.push_back(TextItem(slot.key));
        lines.push_back(std::visit([](auto* field) { return Item(*field); }, slot.field));
    }
    lines.push_back(TextItem("End of Record"));
    return lines;
}

std::string DesignName(const std::string& designFileName) {
    // A name written on Windows keeps its backslashes.
    const std::size_t slash = designFileName.find_last_of("/\\");
    std::string name = slash == std::string::npos ? designFileName : designFileName.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name.empty() ? std::string("Zorvic") : name;
}

FileStatus SaveProject() {
    if (!WriteLinesReplacing(Settings.DesignFileName, ProjectFileLines())) return FileStatus::NotWritable;

    OutputBlank = Outputs[5];
    Settings.DesignSaved = true;
    Host().DesignFileChanged();
    return FileStatus::Done;
}

FileStatus LoadProject(const std::string& fileName) {
    std::ifstream file;
    if (!OpenForReading(fileName, file)) return FileStatus::NotReadable;
    return LoadProject(file);
}

FileStatus LoadProject(std::istream& file) {
    LineReader reader(file);
    std::string line;
    std::string version;
    const bool versionOk = reader.Next(line) && ParseTextItem(line, version) && version.starts_with("Zorvic Soft Version");

    // Key lines are skipped, not matched: values count by position.
    std::vector<std::string> lines;
    int16_t count = 0;
    do {
        if (!reader.AtEnd()) reader.Next(line);
        if (!reader.AtEnd()) {
            reader.Next(line);
            lines.push_back(line);
        }
        ++count;
    } while (!reader.AtEnd() && count < MaxValueCount);
    if (reader.ReadFailed()) return FileStatus::NotReadable;
    if (reader.LineTooLong()) return RefuseProjectFile();
    if (!CheckProjectFormat(count, versionOk)) return FileStatus::WrongFormat;
    if (static_cast<int>(lines.size()) < RequiredValues) return RefuseProjectFile();

    DesignImage d = CaptureDesign();
    const std::vector<Slot> slots = ProjectSlots(d);
    const int valuesRead = std::min(static_cast<int>(lines.size()), static_cast<int>(slots.size()));
    std::vector<FieldValue> values(static_cast<std::size_t>(valuesRead));
    for (int n = 0; n < valuesRead; ++n) {
        const auto k = static_cast<std::size_t>(n);
        if (!ParseSlot(slots[k].field, lines[k], values[k])) return RefuseProjectFile();
    }

    if (!ApplyTableIndices(d, values)) return RefuseProjectFile();
    for (int n = 0; n < valuesRead; ++n) {
        const auto k = static_cast<std::size_t>(n);
        if (slots[k].plain && GroupLastValue(n) < valuesRead) AssignSlot(slots[k].field, values[k]);
    }
    ApplyMissingGroups(d, valuesRead);
    if (!DesignIsUsable(d)) return RefuseProjectFile();

    CommitDesign(d);
    for (int i = 1; i < OutputCount; ++i) Host().ShowOutputBlock(i, d.shown[static_cast<std::size_t>(i)]);
    if (GroupLastValue(144) < valuesRead && CurrentCore.Series == CustomSeries) {
        const CustomListChange change = AddToCustomList(CurrentCore, true);
        if (change == CustomListChange::Added || change == CustomListChange::Replaced) Host().AddToCustomList(CurrentCore);
    }
    Settings.DesignSaved = true;
    Host().DesignFileChanged();
    UpdateDcBusVoltages();
    Host().ShowProjectName(Settings.ProjectName);
    FilterGeometryList();
    return FileStatus::Done;
}

FileStatus SaveCustomCoreList(const std::string& fileName) {
    if (CustomCoreCount < 1) {
        Host().ShowMessage("Custom Core List is Empty", MessageButtons::OK, "No File Saved");
        return FileStatus::EmptyCoreList;
    }
    return WriteLinesReplacing(fileName, CustomCoreListLines()) ? FileStatus::Done : FileStatus::NotWritable;
}

std::vector<std::string> CustomCoreListLines() {
    std::vector<std::string> lines;
    const int count = std::clamp<int>(CustomCoreCount, 0, MaxCustomCores);
    lines.reserve(static_cast<std::size_t>(count * CoreLines));
    for (int i = 0; i < count; ++i) {
        const CoreGeometry& core = CustomCoreList[static_cast<std::size_t>(i)];
        lines.push_back(TextItem(core.Name));
        lines.push_back(TextItem(core.Series));
        for (float value : {core.Lm, core.Le, core.Ae, core.W, core.Ve}) lines.push_back(NumberItem(value));
    }
    return lines;
}

FileStatus LoadCustomCoreList(const std::string& fileName) {
    std::ifstream file;
    if (!OpenForReading(fileName, file)) return FileStatus::NotReadable;
    return LoadCustomCoreList(file);
}

FileStatus LoadCustomCoreList(std::istream& file) {
    LineReader reader(file);
    std::vector<CoreGeometry> cores;
    bool bad = false;
    std::string line;
    do {
        CoreGeometry core;
        float* const dimensions[] = {&core.Lm, &core.Le, &core.Ae, &core.W, &core.Ve};
        for (int item = 0; item < CoreLines; ++item) {
            if (!reader.Next(line)) {
                bad = true;  // the file ends inside a core
                continue;
            }
            if (item == 0) {
                bad = bad || !ParseTextItem(line, core.Name);
            } else if (item == 1) {
                bad = bad || !ParseTextItem(line, core.Series) || core.Series != CustomSeries;
            } else {
                float& value = *dimensions[item - 2];
                bad = bad || !ParseNumberItem(line, value) || !(value > 0);
            }
        }
        cores.push_back(core);
    } while (!reader.AtEnd() && !bad && static_cast<int>(cores.size()) != MaxCustomCores);
    if (reader.ReadFailed()) return FileStatus::NotReadable;

    if (bad || reader.LineTooLong()) {
        Host().ShowMessage("Core File Problem", MessageButtons::OK, "Wrong File Format");
        return FileStatus::WrongFormat;
    }
    CustomCoreList = {};
    std::copy(cores.begin(), cores.end(), CustomCoreList.begin());
    CustomCoreCount = static_cast<int16_t>(cores.size());
    return FileStatus::Done;
}

}  // namespace zorvic
