#pragma once
// Helpers of the file tests: a scratch folder, whole-file reads and writes, the list of every
// field the project file carries; the designs that set each of them away from its default are
// among the sample designs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Components.h"
#include "NumberText.h"
#include "SampleDesigns.h"
#include "Variables.h"

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zorvic-files-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string ReadWhole(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteWhole(const std::string& fileName, const std::string& text) {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out << text;
}

// Lines of a file written with CR LF line ends.
inline std::vector<std::string> ReadCrLfLines(const std::string& fileName) {
    const std::string text = ReadWhole(fileName);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

inline std::string JoinLines(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
    std::string text;
    for (const auto& line : lines) text += line + end;
    return text;
}

// Line of value n of a project file (line 0 is the version, then key and value lines).
inline std::size_t ValueLine(int n) { return static_cast<std::size_t>(2 + 2 * n); }

// Every field the project file carries, written exactly (floats in hexadecimal).
using FieldList = std::vector<std::pair<std::string, std::string>>;

inline FieldList SavedFields() {
    using namespace zorvic;
    FieldList f;
    auto put = [&f](const std::string& name, auto value) {
        std::ostringstream text;
        text << std::hexfloat << value;
        f.emplace_back(name, text.str());
    };
    const auto& s = Settings;
    put("DesignFileName", s.DesignFileName);
    put("TrainingMode", s.TrainingMode);
    put("AdditionalOutputs", s.AdditionalOutputs);
    put("UserPrimaryInductance", s.UserPrimaryInductance);
    put("UserCoreMaterial", s.UserCoreMaterial);
    put("UserCoreGeometry", s.UserCoreGeometry);
    put("ActiveZorvicPicture", s.ActiveZorvicPicture);
    put("RegulatedOutputCount", OperatingPoint.RegulatedOutputCount);
    put("AmbientTemperature", OperatingPoint.AmbientTemperature);
    put("LeakageRatio", Transfo.LeakageRatio);
    put("WindowFactor", Transfo.WindowFactor);
    put("CoreLossShare", Transfo.CoreLossShare);
    put("SecondaryRegulation", OperatingPoint.SecondaryRegulation);
    put("RCClamper", Clamper.RCClamper);
    put("VacMin", InputStage.VacMin);
    put("VacMax", InputStage.VacMax);
    put("RippleVoltage", InputStage.RippleVoltage);
    put("MainsFrequency", InputStage.MainsFrequency);
    put("ReflectedVoltage", InputStage.ReflectedVoltage);
    put("SwitchingFrequency", InputStage.SwitchingFrequency);
    put("CurrentChip.Index", CurrentChip.Index);
    put("CurrentChip.Name", CurrentChip.Name);
    put("OptoGain", Control.OptoGain);
    put("SoftStartTime", Control.SoftStartTime);
    put("ReferenceCurrent", Regulation.ReferenceCurrent);
    for (int i = 0; i < OutputCount; ++i) {
        const auto& o = Outputs[static_cast<std::size_t>(i)];
        const std::string p = "Outputs(" + std::to_string(i) + ").";
        put(p + "Polarity", o.Polarity);
        put(p + "Voltage", o.Voltage);
        put(p + "Current", o.Current);
        put(p + "MinimumCurrent", o.MinimumCurrent);
        put(p + "RippleFirstCell", o.RippleFirstCell);
        put(p + "RippleSecondCell", o.RippleSecondCell);
        put(p + "OutputType", o.OutputType);
        put(p + "Regulated", o.Regulated);
        put(p + "Regulator.Vdrop", o.Regulator.Vdrop);
        put(p + "Regulator.Family", o.Regulator.Family);
        put(p + "Index", o.Index);
        put(p + "VoltageBeforeDiode", o.VoltageBeforeDiode);
        put(p + "Diode.Index", o.Diode.Index);
        put(p + "Diode.Name", o.Diode.Name);
        put(p + "CapacitorDerating", o.CapacitorDerating);
        put("UserDefinedDiode(" + std::to_string(i) + ")", s.UserDefinedDiode[static_cast<std::size_t>(i)]);
    }
    put("Lprimary", Transfo.Lprimary.Value);
    put("Material.Index", Transfo.Material.Index);
    put("Core.Index", Transfo.Core.Index);
    put("PrimaryWire.Index", Transfo.PrimaryWire.Index);
    put("Cpri", Transfo.Cpri.Value);
    put("BmaxRatio", s.BmaxRatio);
    put("FixedDiameter", s.FixedDiameter);
    put("WindingOptimisationType", s.WindingOptimisationType);
    put("GeometryListType", s.GeometryListType);
    put("PowerTooHigh", s.PowerTooHigh);
    put("ProjectName", s.ProjectName);
    put("DCInputMin", InputStage.DCInputMin);
    put("DCInputMax", InputStage.DCInputMax);
    put("ACInput", s.ACInput);
    put("CoreCriterionTemp", s.CoreCriterionTemp);
    put("MaxDeltaT", Transfo.MaxDeltaT);
    put("RthJunctionPin", OperatingPoint.RthJunctionPin);
    put("ChipPackageType", OperatingPoint.ChipPackageType);
    put("ChipPinTemperature", OperatingPoint.ChipPinTemperature);
    put("ParallelWireMax", Transfo.ParallelWireMax);
    put("UserPrimaryTurns", s.UserPrimaryTurns);
    put("PrimaryTurns", Transfo.PrimaryTurns);
    put("CurrentCore.Name", CurrentCore.Name);
    put("CurrentCore.Series", CurrentCore.Series);
    put("CurrentCore.Lm", CurrentCore.Lm);
    put("CurrentCore.Le", CurrentCore.Le);
    put("CurrentCore.Ae", CurrentCore.Ae);
    put("CurrentCore.W", CurrentCore.W);
    put("CurrentCore.Ve", CurrentCore.Ve);
    put("RthPinAmbient", OperatingPoint.RthPinAmbient);
    return f;
}
