#include "ChipEdit.h"

#include <array>
#include <cstddef>

#include "NumberText.h"
#include "Variables.h"

namespace zorvic {

namespace {

// In the order of ChipBox.
const std::array<BoxRule, 7> Rules = {{
    {.min = 50, .max = 150, .unit = " V", .pattern = "##0", .fill = "##0", .slider = {50, 5, 1, 20}, .endUnit = "V"},
    {.min = 20, .max = 200, .unit = " kHz", .pattern = "##0", .fill = "##0", .slider = {10, 10, 1, 29},
     .endUnit = "kHz", .highEndIsMax = false},
    {.min = 0.2f, .max = 2.0f, .unit = " ", .pattern = "0.0", .fill = "0.0", .slider = {0.2, 1, 10, 18}},
    {.min = 5, .max = 20, .unit = " ms", .pattern = "0", .fill = "0", .scale = {.factor = 1000},
     .slider = {0, 1, 1000, 20}},
    {.min = -40, .max = 125, .unit = " °C", .pattern = "0", .fill = "##0.0"},
    {.min = 0, .max = 200, .unit = " °C/W", .pattern = "0", .fill = "#0.0"},
    {.min = 0, .max = 200, .unit = " °C/W", .pattern = "0", .fill = "##0.0"},
}};

// The package row that a chip names at `position`; 0 when there is none.
std::size_t PackageRow(const ChipRecord& chip, int position) {
    if (position < 0 || position >= static_cast<int>(chip.Packages.size())) return 0;
    const int16_t code = chip.Packages[static_cast<std::size_t>(position)];
    if (code < 1 || code >= static_cast<int16_t>(PackageTable.size())) return 0;
    return static_cast<std::size_t>(code);
}

}  // namespace

const BoxRule& RuleOf(ChipBox box) { return Rules[static_cast<std::size_t>(box)]; }

ChipFields LoadChipFields() {
    ChipFields f;
    f.VR = InputStage.ReflectedVoltage;
    f.Fsw = static_cast<float>(InputStage.SwitchingFrequency / 1000.0);
    f.OptoGain = Control.OptoGain;
    f.SoftStart = Control.SoftStartTime;
    f.PackageIndex = OperatingPoint.ChipPackageType;
    f.Tamb = OperatingPoint.AmbientTemperature;
    f.RthJP = OperatingPoint.RthJunctionPin;
    f.RthPA = OperatingPoint.RthPinAmbient;
    ChipWork = CurrentChip;
    return f;
}

void StoreChipFields(const ChipFields& f) {
    CurrentChip = ChipWork;
    InputStage.ReflectedVoltage = f.VR;
    InputStage.SwitchingFrequency = CLng(static_cast<double>(f.Fsw) * 1000);
    Control.OptoGain = f.OptoGain;
    Control.SoftStartTime = f.SoftStart;
    OperatingPoint.ChipPackageType = f.PackageIndex;
    OperatingPoint.AmbientTemperature = CInt(f.Tamb);
    OperatingPoint.RthJunctionPin = f.RthJP;
    OperatingPoint.RthPinAmbient = f.RthPA;
    UpdateChipPicture();
    Settings.DesignSaved = false;
}

std::vector<int16_t> ChipListRows() {
    std::vector<int16_t> rows;
    for (int16_t i = 0; i < ChipTableSize; ++i)
        if (ChipTable[static_cast<std::size_t>(i)].Family != 2 && i != 14 && i != 16) rows.push_back(i);
    return rows;
}

bool IsFixedFrequency(const ChipRecord& chip) { return chip.Family == 3 || chip.Family == 4; }

void ChooseChip(int16_t row, ChipFields& f) {
    if (row < 0 || row >= ChipTableSize) return;
    ChipWork = ChipTable[static_cast<std::size_t>(row)];
    if (IsFixedFrequency(ChipWork)) f.Fsw = ChipWork.FixedFrequency;
    if (f.Fsw > ChipWork.MaxFrequency) f.Fsw = ChipWork.MaxFrequency;
    ChoosePackage(1, f);
}

void ChoosePackage(int16_t position, ChipFields& f) {
    f.PackageIndex = position;
    f.RthJP = PackageTable[PackageRow(ChipWork, position)].Rth;
}

std::vector<std::string> PackageNames(const ChipRecord& chip) {
    std::vector<std::string> names;
    for (int i = 0; i < static_cast<int>(chip.Packages.size()) && chip.Packages[static_cast<std::size_t>(i)] != 0; ++i)
        names.push_back(PackageName(chip, i));
    return names;
}

std::string PackageName(const ChipRecord& chip, int position) { return PackageTable[PackageRow(chip, position)].Name; }

int16_t SwitchFreqLastPosition(const ChipRecord& chip) { return CInt(chip.MaxFrequency / 10.0 - 1); }

}  // namespace zorvic
