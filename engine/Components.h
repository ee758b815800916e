#pragma once
// Component records, the built-in component tables and their builders.
//
// Lists inside a record are fixed arrays filled from element 1 in row order; element 0 holds
// the chosen part's value in a copy that stands for one part. `ChipRecord::Packages` alone is
// filled from element 0.

#include <array>
#include <cstdint>
#include <string>

namespace zorvic {

struct DiodeRecord {
    std::string Name;
    float Vf = 0;        // V
    float VfAtIf = 0;    // V, Vt0 + Rd x If
    float VfCopy = 0;    // V, drop used in the turns ratio
    float If = 0;        // A
    float Vrrm = 0;      // V (a Zener copy holds the Zener voltage here)
    float Ir = 0;        // A
    float Trr = 0;       // s
    float Vt0 = 0;       // V
    float Rd = 0;        // ohm
    int16_t Index = 0;
};

struct CapacitorRecord {
    std::string Series;
    std::array<float, 38> C{};     // F
    float Value = 0;               // F
    float Vrated = 0;              // V
    std::array<float, 38> Irms{};  // A
    std::array<float, 38> Esr{};   // ohm
    int16_t ChosenItem = 0;
};

struct ResistorRecord {
    std::string Name;
    float Value = 0;                 // ohm
    std::array<float, 29> Values{};  // ohm
};

struct InductorRecord {
    std::string Label;
    float Value = 0;  // H
};

struct RegulatorRecord {
    std::string Name;
    std::array<float, 19> Vout{};  // V
    float VinMax = 0;              // V
    float IoutMax = 0;             // A
    float Vdrop = 0;               // V
    float VdropSlope = 0;          // V
    std::string Family;
    int16_t ChosenItem = 0;
};

struct PackageRecord {
    std::string Name;
    float Rth = 0;  // degC/W, junction to pin
};

struct ChipRecord {
    std::string Name;
    int16_t Family = 0;
    float Rdson = 0;           // ohm at 25 degC
    float Vdmax = 0;           // V
    float IddOffset = 0;       // A
    float Vdd1 = 0;            // V
    float Vdd2 = 0;            // V
    float Vdd3 = 0;            // V
    float VddReg = 0;          // V
    float FixedFrequency = 0;  // kHz
    float MaxFrequency = 0;    // kHz
    float Idlim = 0;           // A
    float IddSlope = 0;        // A per 100 kHz
    float SupplyCurrent = 0;   // A
    float LossConduction = 0;  // W
    float LossBias = 0;        // W
    float LossSwitching = 0;   // W
    float Param21 = 0;
    float Param28 = 0;
    float Param29 = 0;
    ResistorRecord OscResistor;
    CapacitorRecord OscCapacitor;
    CapacitorRecord SupplyCapacitor;
    CapacitorRecord SupplyCapacitor2;
    float Param26 = 0;
    float Param27 = 0;
    float OscK1 = 0;
    float OscK2 = 0;
    float OscK3 = 0;
    float Coss = 0;     // F
    float Tswitch = 0;  // s
    float TonMin = 0;   // s
    float Param17 = 0;
    float Param18 = 0;
    float Param22 = 0;
    float Param19 = 0;
    int16_t Index = 0;
    DiodeRecord AuxDiode;
    float Tj = 0;  // degC
    bool OverTemperature = false;
    std::array<int16_t, 5> Packages{};  // rows of PackageTable, from element 0
    float InputBiasCurrent = 0;         // A
};

struct CoreMaterial {
    std::string Name;
    std::string Supplier;
    float K = 0;
    float K1 = 0;
    float K2 = 0;
    float Ui100 = 0;
    float Ui25 = 0;
    float Hsat = 0;       // A/m
    float Bsat = 0;       // T
    int32_t FreqMin = 0;  // Hz
    int32_t FreqMax = 0;  // Hz
    int16_t Index = 0;
    float Bdc = 0;  // T
};

struct CoreGeometry {
    std::string Series;
    std::string Name;
    float Ae = 0;        // mm2
    float Le = 0;        // mm
    float Lm = 0;        // mm
    float W = 0;         // mm2
    float Ve = 0;        // mm3
    float LeOverAe = 0;  // 1/mm; 101 = not given
    float Rth = 0;       // degC/W
    int16_t Index = 0;
};

struct WireRecord {
    int16_t Awg = 0;
    float Area = 0;     // mm2, bare copper
    float AreaIns = 0;  // mm2, over the insulation
    float Rlin = 0;     // ohm/m
    int16_t Index = 0;
    int16_t Strands = 0;
};

struct ClampRecord {
    std::string Series;
    std::array<std::string, 14> Code{};
    std::array<float, 14> VbrMax{};  // V
    std::array<float, 14> Vbr{};     // V
    std::array<float, 14> Coef{};
    float PowerRating = 0;  // W
    float Dissipation = 0;  // W
};

inline constexpr int DiodeTableSize = 57;
inline constexpr int CapacitorTableSize = 10;
inline constexpr int RegulatorTableSize = 27;
inline constexpr int ChipTableSize = 17;
inline constexpr int CoreMaterialTableSize = 17;
inline constexpr int StandardCoreTableSize = 37;
inline constexpr int WireTableSize = 35;
inline constexpr int ClampTableSize = 4;
inline constexpr int CustomCoreListSize = 301;  // elements 0 to 300
// As many candidates as the custom core list can hold, so a custom family never overflows it.
inline constexpr int CandidateCoresSize = CustomCoreListSize;

extern std::array<DiodeRecord, DiodeTableSize> DiodeTable;
extern std::array<CapacitorRecord, CapacitorTableSize> CapacitorTable;
extern std::array<RegulatorRecord, RegulatorTableSize> RegulatorTable;
extern std::array<ChipRecord, ChipTableSize> ChipTable;
extern std::array<PackageRecord, 5> PackageTable;  // rows 1 to 4 used
extern std::array<CoreMaterial, CoreMaterialTableSize> CoreMaterialTable;
extern std::array<std::string, 5> SupplierNames;
extern std::array<CoreGeometry, StandardCoreTableSize> StandardCoreTable;
extern std::array<CoreGeometry, CandidateCoresSize> CandidateCores;
extern int16_t CandidateCoreLast;
extern std::array<CoreGeometry, CustomCoreListSize> CustomCoreList;
extern int16_t CustomCoreCount;
extern std::array<WireRecord, WireTableSize> WireTable;
extern std::array<ClampRecord, ClampTableSize> ClampTable;

extern ChipRecord CurrentChip;
extern ChipRecord ChipWork;
extern CoreGeometry CurrentCore;
extern CoreMaterial CurrentMaterial;
extern std::string CoreSupplier;
extern WireRecord WorkWire;
extern ClampRecord CurrentClamp;

// Next field of a table row. `start` and `pos` are 1-based character positions; before the first
// call on a row, `pos` is the position of the row's first comma. `lastItem` tells whether the
// field ended a list.
std::string NextField(int32_t& start, int32_t& pos, const std::string& row, bool& lastItem);

void InitDiodeTable();
void InitClampTable();
void InitCapacitorTable();
void InitRegulatorTable();
void InitChipTable();
void InitCoreTables();
void InitWireTable();

// The seven builders in the order start-up runs them.
void BuildComponentTables();

}  // namespace zorvic
