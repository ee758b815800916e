#include "Variables.h"

#include <algorithm>
#include <cmath>

#include "ComputeTransfo.h"
#include "DrainWaveform.h"
#include "NumberText.h"
#include "Optimum.h"
#include "OutputCode.h"
#include "OutputStage.h"

namespace zorvic {

SettingsRecord Settings;
OperatingRecord OperatingPoint;
RegulationRecord Regulation;
TransfoRecord Transfo;
ClamperRecord Clamper;
InputRecord InputStage;
ControlRecord Control;
std::array<OutputRecord, OutputCount> Outputs;
OutputRecord OutputWork;
OutputRecord OutputBlank;
int16_t CurveWindowState = 0;

void ResetDesignState() {
    Settings = {};
    OperatingPoint = {};
    Regulation = {};
    Transfo = {};
    Clamper = {};
    InputStage = {};
    Control = {};
    Outputs = {};
    OutputWork = {};
    OutputBlank = {};
    CurveWindowState = 0;

    DiodeTable = {};
    CapacitorTable = {};
    RegulatorTable = {};
    ChipTable = {};
    PackageTable = {};
    CoreMaterialTable = {};
    SupplierNames = {};
    StandardCoreTable = {};
    CandidateCores = {};
    CandidateCoreLast = 0;
    CustomCoreList = {};
    CustomCoreCount = 0;
    WireTable = {};
    ClampTable = {};
    CurrentChip = {};
    ChipWork = {};
    CurrentCore = {};
    CurrentMaterial = {};
    CoreSupplier.clear();
    WorkWire = {};
    CurrentClamp = {};
    ResetTransformerState();
    OptimiserState{}.Restore();
    DutyMax = 0;
    ForgetDrainWaveform();
}

DesignRecords DesignRecords::Now() {
    return {Settings, OperatingPoint, Regulation,  Transfo,     Clamper,        InputStage,
            Control,  Outputs,        CurrentChip, CurrentCore, CurrentMaterial};
}

void DesignRecords::Restore() const {
    Settings = settings;
    OperatingPoint = operating;
    Regulation = regulation;
    Transfo = transfo;
    Clamper = clamper;
    InputStage = input;
    Control = control;
    Outputs = outputs;
    CurrentChip = chip;
    CurrentCore = core;
    CurrentMaterial = material;
}

void SetAcBusVoltages() {
    const double root2 = std::sqrt(2.0);
    InputStage.VdcMin = static_cast<float>(InputStage.VacMin * root2 - InputStage.RippleVoltage);
    InputStage.VdcMax = static_cast<float>(InputStage.VacMax * root2);
}

void ApplyDesignDefaults() {
    Settings.DesignFileName = "Default.zpj";
    Settings.DesignSaved = true;

    Settings.ButtonZoomMin = 0.4f;
    Settings.LabelZoomMin = 0.75f;
    Settings.DecimalSeparator = Format(0.1, "0.#").substr(1, 1);
    Settings.BmaxRatio = 0.75f;
    Settings.TrainingMode = 0;
    Settings.AdditionalOutputs = 0;
    Settings.DecimalPointIsDot = Settings.DecimalSeparator == ".";
    Settings.UserPrimaryInductance = false;
    Settings.UserPrimaryTurns = false;
    Settings.UserCoreMaterial = false;
    Settings.UserCoreGeometry = false;
    Settings.AWGDetailWinding = 7;
    Settings.WindingOptimisationType = 0;
    Settings.FixedDiameter = false;
    Settings.GeometryListType = "E";
    Settings.ACInput = true;
    Settings.CoreCriterionTemp = true;
    Settings.BackgroundColor = 15461355;
    Settings.RegulationWasSecondary = false;
    Settings.CustomCoreMode = false;

    OperatingPoint.MaxRegulatedOutputs = 3;
    OperatingPoint.RegulatedOutputCount = 0;
    OperatingPoint.AmbientTemperature = 25;
    OperatingPoint.DiodeCurrentMargin = 2.0f;
    OperatingPoint.DiodeVoltageMargin = 1.75f;
    OperatingPoint.RthPinAmbient = 30;

    Transfo.ParallelWireMax = 10;
    Transfo.LeakageRatio = 0.03f;
    OperatingPoint.SecondaryRegulation = false;
    Transfo.WindowFactor = 0.8f;
    Transfo.Cpri.Value = 3e-11f;
    Transfo.CoreLossShare = 0.02f;
    Transfo.MaxDeltaT = 40;
    Clamper.RCClamper = true;
    Settings.ActiveZorvicPicture = 0;

    InputStage.VacMin = 88;
    InputStage.MainsFrequency = 50;
    InputStage.VacMax = 264;
    InputStage.SwitchingFrequency = 100000;
    InputStage.DCInputMin = 36;
    InputStage.DCInputMax = 72;
    InputStage.RippleVoltage = 40;
    InputStage.ReflectedVoltage = 80;
    // The AC formula whatever ACInput says: the default design is a mains design.
    SetAcBusVoltages();

    Settings.StartupPending = true;
    Control.OptoGain = 1.0f;
    Control.SoftStartTime = 0.01f;
    Regulation.ReferenceCurrent = 0.001f;

    BuildComponentTables();

    for (int i = 0; i < OutputCount; ++i) {
        OutputRecord& output = Outputs[static_cast<std::size_t>(i)];
        output.Voltage = 5;
        output.Polarity = true;
        output.Current = 1;
        output.OutputType = 7;
        output.Regulated = false;
        output.MinimumCurrent = 0;
        output.Index = static_cast<int16_t>(i);
        output.RippleFirstCell = 0.3f;
        output.RippleSecondCell = 0.05f;
        output.Regulator.Vdrop = 0;
        output.VoltageBeforeDiode = 5.45f;
        output.CapacitorDerating = 2;
        Settings.UserDefinedDiode[static_cast<std::size_t>(i)] = false;
    }
    // The template of a new output is taken before output 0 becomes the main output type.
    OutputBlank = Outputs[5];
    Outputs[0].OutputType = 9;
}

int LastActiveOutput() { return std::clamp<int>(Settings.AdditionalOutputs, 0, OutputCount - 1); }

int16_t ChipPictureIndex(int16_t mainOutputType, int16_t family) {
    int offset = 0;
    if (family == 3) offset = 6;
    else if (family == 4) offset = 12;
    else if (family == 5) offset = 18;
    return static_cast<int16_t>(OutputCode(mainOutputType).MainPictureStep() + offset);
}

int16_t ChipPictureIndex() { return ChipPictureIndex(Outputs[0].OutputType, CurrentChip.Family); }

void UpdateChipPicture() { Settings.ActiveZorvicPicture = ChipPictureIndex(); }

void SelectPrimaryRegulation() {
    Settings.RegulationWasSecondary = false;
    OutputRecord& main = Outputs[0];
    main.OutputType = OutputCode(main.OutputType).WithPrimaryRegulation().Code();
    UpdateChipPicture();
    OperatingPoint.SecondaryRegulation = false;
    for (OutputRecord& output : Outputs) output.Regulated = false;
}

void SelectSecondaryRegulation() {
    OutputRecord& main = Outputs[0];
    main.OutputType = OutputCode(main.OutputType).WithSecondaryRegulation().Code();
    UpdateChipPicture();
    OperatingPoint.SecondaryRegulation = true;
}

}  // namespace zorvic
