#pragma once
// The design state: one instance of each record for the whole run. Physical values are in base
// units (V, A, W, H, F, Hz, s, degC, T, m) unless a field says otherwise.

#include <array>
#include <cstdint>
#include <string>

#include "Components.h"

namespace zorvic {

struct SettingsRecord {
    bool DecimalPointIsDot = true;
    std::string DecimalSeparator = ".";
    bool StartupPending = true;
    int16_t TrainingMode = 0;
    float ButtonZoomMin = 0.4f;
    float LabelZoomMin = 0.75f;
    int16_t AdditionalOutputs = 0;
    int16_t ActiveZorvicPicture = 0;
    bool DesignSaved = true;
    std::string DesignFileName = "Default.zpj";
    std::array<bool, 6> UserDefinedDiode{};
    bool UserPrimaryInductance = false;
    bool UserPrimaryTurns = false;
    bool UserCoreMaterial = false;
    bool UserCoreGeometry = false;
    bool RecomputeFlag = false;
    bool DesignFound = false;
    bool DesignWithinLoss = false;
    int16_t AWGDetailWinding = 7;
    float BmaxRatio = 0.75f;
    int16_t WindingOptimisationType = 0;
    bool FixedDiameter = false;
    bool SplashDone = false;
    bool PowerTooHigh = false;
    std::string GeometryListType = "E";
    double BackgroundColor = 15461355;  // &HEBEBEB
    std::string ProjectName;
    bool ACInput = true;
    bool CoreCriterionTemp = true;
    bool RegulationWasSecondary = false;
    bool InputEditedLast = false;
    bool CustomCoreMode = false;
};

struct OperatingRecord {
    int16_t MaxRegulatedOutputs = 3;
    int16_t RegulatedOutputCount = 0;
    std::string ContinuousModeText;
    bool SecondaryRegulation = false;
    int16_t AmbientTemperature = 25;  // degC
    float Efficiency = 0;
    float RegulationLoss = 0;
    float ClamperLoss = 0;
    float ChipLoss = 0;
    float TransformerLoss = 0;
    float OutputLoss = 0;
    float TotalLoss = 0;
    float OutputPower = 0;
    float CentreCurrentAtVmin = 0;
    float CentreCurrentAtVmax = 0;
    float DutyCycleAtVmin = 0;
    float DutyCycleAtVmax = 0;
    float RippleCurrentAtVmin = 0;
    float RippleCurrentAtVmax = 0;
    float ValleyCurrentAtVmin = 0;
    float ContRatio = 0;
    float Pmin = 0;
    float Pmax = 0;
    float ReflectedVoltageActual = 0;
    float DiodeCurrentMargin = 2.0f;
    float DiodeVoltageMargin = 1.75f;
    float ChipPinTemperature = 0;
    int16_t ChipPackageType = 0;
    float RthJunctionPin = 0;
    float RthPinAmbient = 30;
};

struct RegulationRecord {
    std::string ReferenceName;
    float ReferenceVoltage = 0;
    float ReferenceCurrent = 0.001f;
    std::array<ResistorRecord, 5> Divider{};
    ResistorRecord GroundResistor;
};

struct TransfoRecord {
    CoreMaterial Material;
    std::array<WireRecord, 6> OutputWire{};
    WireRecord AuxWire;
    WireRecord PrimaryWire;
    int16_t ParallelWireMax = 10;
    float Bmax = 0;
    bool DesignRecorded = false;
    std::array<int16_t, 6> OutputTurns{};
    std::array<float, 6> TurnsRatio{};
    int16_t PrimaryTurns = 0;
    float AuxTurnsRatio = 0;
    int16_t AuxTurns = 0;
    InductorRecord Lleak;
    InductorRecord Lprimary;
    CapacitorRecord Cpri;
    float LeakageRatio = 0.03f;
    float AirGap = 0;
    float InputPower = 0;
    float InputPowerNoTransformer = 0;
    float IrmsMax = 0;
    float IpeakMax = 0;
    CoreGeometry Core;
    float CoreLoss = 0;
    float CoreLossShare = 0.02f;
    float MaxDeltaT = 40;
    float WindingLoss = 0;
    float AuxWindingArea = 0;
    float PrimaryWindingArea = 0;
    std::array<float, 6> OutputWindingArea{};
    float WindowFactor = 0.8f;
};

struct ClamperRecord {
    DiodeRecord Diode;
    ClampRecord Clamp;
    ResistorRecord R1;
    CapacitorRecord C3;
    bool RCClamper = true;
    float VoltageMargin = 0;
};

struct InputRecord {
    float VacMin = 88;
    float VacMax = 264;
    float DCInputMin = 36;
    float DCInputMax = 72;
    float RippleVoltage = 40;
    int16_t MainsFrequency = 50;
    float VdcMin = 0;
    float VdcMax = 0;
    float ReflectedVoltage = 80;
    int32_t SwitchingFrequency = 100000;
    CapacitorRecord C2;
    CapacitorRecord C7;
};

struct ControlRecord {
    ResistorRecord R3;
    CapacitorRecord C6;
    ResistorRecord R6;
    CapacitorRecord C8;
    float EsrZeroDiscont = 0;
    float EsrZeroCont = 0;
    float RhpZero = 0;
    float OutputPole = 0;
    float OutputPolePartLoad = 0;
    float StageGain = 0;
    float StageGainPartLoad = 0;
    float SoftStartTime = 0.01f;
    float OptoGain = 1.0f;
};

struct OutputRecord {
    float Voltage = 0;
    float Current = 0;
    float IrmsSecondary = 0;
    float RippleCurrent = 0;
    float MinimumCurrent = 0;
    int16_t OutputType = 0;
    bool Polarity = false;
    float RippleFirstCell = 0;
    float RippleSecondCell = 0;
    float ActualRippleFirstCell = 0;
    float ActualRippleSecondCell = 0;
    bool Regulated = false;
    DiodeRecord Diode;
    float VoltageBeforeDiode = 0;
    float ActualVoltage = 0;
    float Loss = 0;
    float DiodeLoss = 0;
    float RegulatorLoss = 0;
    float ZenerLoss = 0;
    CapacitorRecord Cap1;
    CapacitorRecord Cap2;
    int16_t Cap1Count = 0;
    float CapacitorDerating = 0;
    DiodeRecord Zener;
    ResistorRecord DropResistor;
    InductorRecord Inductor;
    RegulatorRecord Regulator;
    RegulatorRecord SerialElement;
    int16_t Index = 0;
    float CurrentRatio = 0;
};

inline constexpr int OutputCount = 6;

// A copy of the design: the seven records, the outputs, and the working copies of the chip, the
// core and the grade.
struct DesignRecords {
    SettingsRecord settings;
    OperatingRecord operating;
    RegulationRecord regulation;
    TransfoRecord transfo;
    ClamperRecord clamper;
    InputRecord input;
    ControlRecord control;
    std::array<OutputRecord, OutputCount> outputs;
    ChipRecord chip;
    CoreGeometry core;
    CoreMaterial material;

    // The design as it stands, and back into place.
    static DesignRecords Now();
    void Restore() const;
};

extern SettingsRecord Settings;
extern OperatingRecord OperatingPoint;
extern RegulationRecord Regulation;
extern TransfoRecord Transfo;
extern ClamperRecord Clamper;
extern InputRecord InputStage;
extern ControlRecord Control;
extern std::array<OutputRecord, OutputCount> Outputs;
extern OutputRecord OutputWork;
extern OutputRecord OutputBlank;
extern int16_t CurveWindowState;  // last non-minimised state of the curve window, 0 = normal

// Program start: every record back to what it holds before anything ran (zero, empty, false),
// the tables, working copies and the values the modules keep between calls included. Tests call
// it so they never depend on each other.
void ResetDesignState();

// DC bus extremes from the mains limits: VacMin x sqrt(2) - ripple and VacMax x sqrt(2), the
// square root and products in 64-bit floats, stored as 32-bit floats.
void SetAcBusVoltages();

// The design the program starts with and File > New returns to: every input default, the decimal
// separator, the DC bus limits and the component tables. The window's own start-up work (caption,
// colours, command line) stays with the window.
void ApplyDesignDefaults();

// The index of the last active output: Settings.AdditionalOutputs, kept inside the table
// whatever the setting holds.
int LastActiveOutput();

// The chip picture of the schematic: one drawing per main-output code (9 to 14) and chip family
// (1 and 2 share one set), 0 to 23. The code less 9, plus 6, 12 or 18 for families 3, 4 and 5;
// a main output that carries another output's code (a file may hold one) takes the nearest of
// the main output's drawings, so the index always names a picture.
int16_t ChipPictureIndex(int16_t mainOutputType, int16_t family);
// The index for output 0 and CurrentChip.
int16_t ChipPictureIndex();
// Settings.ActiveZorvicPicture from output 0 and CurrentChip.
void UpdateChipPicture();

// The design's part of choosing "Primary Regulation": the main output takes its primary code
// (9, 11 or 13), the chip picture follows it, and no output stays in the secondary loop.
void SelectPrimaryRegulation();
// The design's part of choosing "Secondary Regulation" once an output can carry the loop: the
// main output takes its secondary code (10, 12 or 14) and the chip picture follows it.
void SelectSecondaryRegulation();

}  // namespace zorvic
