#pragma once
// The designs the tests, the benchmarks and the fuzz harnesses start from, each written once.
// GiveTransformerTurns sets the transformer fields the samples read for tests that do not run the
// transformer design; a computation overwrites them with its own, which must serve the samples
// just as well.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Components.h"
#include "ComputeDesign.h"
#include "ComputeTransfo.h"
#include "NumberText.h"
#include "Optimum.h"
#include "Variables.h"

namespace sample_designs {

// The design the program starts with, not yet computed.
inline void DefaultDesign() {
    zorvic::ResetDesignState();
    zorvic::SetLocaleDecimalSeparator('.');
    zorvic::ApplyDesignDefaults();
}

// Six outputs of different kinds, each carrying `amps` and at least `minimumAmps`.
inline void SetSixOutputs(float amps, float minimumAmps) {
    using zorvic::Outputs;
    zorvic::Settings.AdditionalOutputs = 5;
    const int16_t types[] = {9, 1, 3, 5, 7, 13};
    const float volts[] = {5, 12, 3.3f, 15, 24, 5};
    for (std::size_t i = 0; i < 6; ++i) {
        Outputs[i].OutputType = types[i];
        Outputs[i].Voltage = volts[i];
        Outputs[i].Current = amps;
        Outputs[i].MinimumCurrent = minimumAmps;
        Outputs[i].Regulator.Family = "VRA";
    }
}

// The six outputs at 0.2 A; with secondary regulation the first three are regulated, so the
// reference, the divider and the compensation run on every pass.
inline void SixOutputDesign(bool secondary) {
    DefaultDesign();
    SetSixOutputs(0.2f, 0);
    zorvic::OperatingPoint.SecondaryRegulation = secondary;
    for (std::size_t i = 0; i < 6; ++i) zorvic::Outputs[i].Regulated = secondary && i < 3;
}

// Three outputs on 133 to 290 V mains with a 400 V chip: the input over-voltage warning asks for
// a pass after every pass, so a computation with no window to change the design runs every
// refining pass it may.
inline void OverVoltageThreeOutputDesign() {
    DefaultDesign();
    using namespace zorvic;
    CurrentChip = ChipTable[11];
    InputStage.SwitchingFrequency = 101000;
    OperatingPoint.ChipPackageType = 0;
    OperatingPoint.RthJunctionPin = 2.0f;
    Settings.ACInput = true;
    InputStage.VacMin = 133;
    InputStage.VacMax = 290;
    InputStage.MainsFrequency = 60;
    InputStage.ReflectedVoltage = 89;
    OperatingPoint.RthPinAmbient = 35;
    Settings.AdditionalOutputs = 2;
    OperatingPoint.SecondaryRegulation = false;
    OutputRecord& main = Outputs[0];
    main.Voltage = 23.9f;
    main.Current = 4.5f;
    main.OutputType = 9;
    OutputRecord& negative = Outputs[1];
    negative.Voltage = 9.8f;
    negative.Current = 0.19f;
    negative.MinimumCurrent = 0.009f;
    negative.OutputType = 8;
    negative.Polarity = false;
    negative.Regulator.Family = "StdNeg";
    negative.RippleFirstCell = 0.59f;
    negative.RippleSecondCell = 0.5f;
    negative.CapacitorDerating = 7.3f;
    OutputRecord& third = Outputs[2];
    third.Voltage = 27.2f;
    third.Current = 1.88f;
    third.OutputType = 5;
    third.RippleFirstCell = 0.97f;
    third.RippleSecondCell = 0.65f;
    UpdateDcBusVoltages();
}

// Far more power than the chip can deliver: 350 W from a 50 to 67 V DC input at 60 kHz, whose
// duty cycle is far above 1. Every core loss of the transformer search is no number, so it tries
// every turn count up to 500 on every standard core (a narrow window under the temperature
// criterion).
inline void NoNumberLossDesign() {
    DefaultDesign();
    using namespace zorvic;
    CurrentChip = ChipTable[12];
    Settings.ACInput = false;
    InputStage.DCInputMin = 50;
    InputStage.DCInputMax = 67;
    InputStage.SwitchingFrequency = 60000;
    InputStage.ReflectedVoltage = 96;
    OutputRecord& main = Outputs[0];
    main.OutputType = 9;
    main.Voltage = 117;
    main.Current = 3.03f;
    main.MinimumCurrent = 2.77f;
    Settings.BmaxRatio = 0.378f;
    Transfo.WindowFactor = 0.07f;
    Transfo.ParallelWireMax = 2;
    Settings.WindingOptimisationType = ParallelEqualWires;
    Settings.CoreCriterionTemp = true;
    Transfo.MaxDeltaT = 54.1f;
    Settings.GeometryListType = "Any";
    FilterGeometryList();
    UpdateDcBusVoltages();
}

// Six outputs at the output editor's 30 A each from 111 to 230 V AC at 37 kHz: far beyond the
// chip, so the outputs carry no current in the transformer search, whose optimiser shrinks their
// windings toward nothing.
inline void NoCurrentOutputsDesign() {
    DefaultDesign();
    using namespace zorvic;
    CurrentChip = ChipTable[2];
    InputStage.VacMin = 111;
    InputStage.VacMax = 230;
    InputStage.SwitchingFrequency = 37000;
    InputStage.ReflectedVoltage = 70;
    Settings.AdditionalOutputs = 5;
    const int16_t types[] = {9, 7, 3, 1, 7, 3};
    const float volts[] = {28.3f, 20.9f, 9.89f, 0.279f, 3.45f, 0.501f};
    for (std::size_t i = 0; i < 6; ++i) {
        Outputs[i].OutputType = types[i];
        Outputs[i].Voltage = volts[i];
        Outputs[i].Current = 30;
        Outputs[i].Regulator.Family = "SemiPos";
    }
    Settings.BmaxRatio = 0.873f;
    Transfo.ParallelWireMax = 9;
    Settings.WindingOptimisationType = ParallelFreeWires;
    Settings.CoreCriterionTemp = true;
    Transfo.MaxDeltaT = 86.7f;
    Settings.GeometryListType = "Any";
    FilterGeometryList();
    UpdateDcBusVoltages();
}

// A 0.6 W output of 88 V from 147 to 222 V AC at 60 kHz whose transformer may lose only 0.5 % of
// the power: no candidate gets there, and the core loss falls with every turn added, so the
// search walks a few hundred turn counts of nearly every standard core, in the first pass and
// again in the refining pass.
inline void NeverWithinLossDesign() {
    DefaultDesign();
    using namespace zorvic;
    CurrentChip = ChipTable[12];
    InputStage.VacMin = 147;
    InputStage.VacMax = 222;
    InputStage.MainsFrequency = 60;
    InputStage.RippleVoltage = 83;
    InputStage.SwitchingFrequency = 60000;
    InputStage.ReflectedVoltage = 142;
    OperatingPoint.AmbientTemperature = 43;
    OperatingPoint.RthJunctionPin = 180;
    OperatingPoint.RthPinAmbient = 70;
    Control.OptoGain = 0.54f;
    Control.SoftStartTime = 0.01f;
    OutputRecord& main = Outputs[0];
    main.OutputType = 13;
    main.Voltage = 88.3f;
    main.Current = 0.00704f;
    main.MinimumCurrent = 0;
    main.RippleFirstCell = 1.8f;
    main.RippleSecondCell = 0.045f;
    main.CapacitorDerating = 8.4f;
    main.Regulator.Family = "LowPos";
    main.Regulated = false;
    Settings.BmaxRatio = 0.617f;
    Transfo.LeakageRatio = 0.04f;
    Transfo.Cpri.Value = 3.22e-10f;
    Transfo.ParallelWireMax = 8;
    Transfo.CoreLossShare = 0.005f;
    Transfo.MaxDeltaT = 26.7f;
    Transfo.WindowFactor = 0.83f;
    Settings.WindingOptimisationType = ParallelFreeWires;
    Settings.CoreCriterionTemp = false;
    Settings.GeometryListType = "Any";
    FilterGeometryList();
    UpdateDcBusVoltages();
}

// Three outputs from 125 to 287 V AC at 174 kHz on a user grade, at a fifth of its flux: under
// the temperature criterion the search walks ten turn counts of every standard core, in the
// first pass and again in the refining pass.
inline void ManyShortWalksDesign() {
    DefaultDesign();
    using namespace zorvic;
    CurrentChip = ChipTable[11];
    Settings.UserCoreMaterial = true;
    CurrentMaterial = CoreMaterialTable[6];
    InputStage.VacMin = 125;
    InputStage.VacMax = 287;
    InputStage.MainsFrequency = 60;
    InputStage.RippleVoltage = 54;
    InputStage.SwitchingFrequency = 174000;
    InputStage.ReflectedVoltage = 82;
    OperatingPoint.AmbientTemperature = 25;
    OperatingPoint.RthJunctionPin = 13;
    OperatingPoint.RthPinAmbient = 26;
    Control.OptoGain = 1.1f;
    Control.SoftStartTime = 0.011f;
    Settings.AdditionalOutputs = 2;
    const int16_t types[] = {9, 5, 2};
    const bool polarities[] = {true, true, false};
    const float volts[] = {12.3f, 1.36f, 3.35f};
    const float amps[] = {0.003f, 0.00508f, 2.14f};
    const float minimumAmps[] = {0, 0, 1.52f};
    const float firstRipples[] = {1.7f, 0.4f, 0.8f};
    const float secondRipples[] = {0.41f, 0.35f, 0.75f};
    const float deratings[] = {1.9f, 2.4f, 9.9f};
    const char* const families[] = {"LowPos", "LowPos", "StdNeg"};
    for (std::size_t i = 0; i < 3; ++i) {
        OutputRecord& output = Outputs[i];
        output.OutputType = types[i];
        output.Polarity = polarities[i];
        output.Voltage = volts[i];
        output.Current = amps[i];
        output.MinimumCurrent = minimumAmps[i];
        output.RippleFirstCell = firstRipples[i];
        output.RippleSecondCell = secondRipples[i];
        output.CapacitorDerating = deratings[i];
        output.Regulator.Family = families[i];
        output.Regulated = false;
    }
    Settings.BmaxRatio = 0.185f;
    Transfo.LeakageRatio = 0.092f;
    Transfo.Cpri.Value = 4.18e-10f;
    Transfo.ParallelWireMax = 8;
    Transfo.CoreLossShare = 0.023f;
    Transfo.MaxDeltaT = 45.9f;
    Transfo.WindowFactor = 0.43f;
    Settings.WindingOptimisationType = ParallelFreeWires;
    Settings.CoreCriterionTemp = true;
    Settings.GeometryListType = "Any";
    FilterGeometryList();
    UpdateDcBusVoltages();
}

// The parts a computation picks from the tables, as it leaves them in a computed design.
inline void PickTableParts(int chip, int material, int core, int wire, int firstDiode) {
    using namespace zorvic;
    CurrentChip = ChipTable[static_cast<std::size_t>(chip)];
    Transfo.Material = CoreMaterialTable[static_cast<std::size_t>(material)];
    CurrentMaterial = Transfo.Material;
    Transfo.Core = StandardCoreTable[static_cast<std::size_t>(core)];
    CurrentCore = Transfo.Core;
    Transfo.PrimaryWire = WireTable[static_cast<std::size_t>(wire)];
    for (int i = 0; i < OutputCount; ++i)
        Outputs[static_cast<std::size_t>(i)].Diode = DiodeTable[static_cast<std::size_t>(firstDiode + 3 * i)];
}

// The start-up design once computed: defaults everywhere, table parts chosen.
inline void MakeDefaultDesign() { PickTableParts(15, 0, 4, 10, 6); }

// Six outputs, secondary regulation, every carried field away from its default.
inline void MakeSixOutputSecondaryDesign() {
    using namespace zorvic;
    PickTableParts(12, 5, 7, 20, 2);
    auto& s = Settings;
    s.DesignFileName = "six outputs.zpj";
    s.TrainingMode = 1;
    s.AdditionalOutputs = 5;
    s.UserPrimaryInductance = true;
    s.UserCoreMaterial = true;
    s.UserCoreGeometry = true;
    s.ActiveZorvicPicture = 13;
    s.BmaxRatio = 0.7f;
    s.FixedDiameter = true;
    s.WindingOptimisationType = 2;
    s.GeometryListType = "RM";
    s.PowerTooHigh = true;
    s.ProjectName = "Bench supply, rev. B";
    s.CoreCriterionTemp = false;
    s.UserPrimaryTurns = true;
    OperatingPoint.RegulatedOutputCount = 2;
    OperatingPoint.AmbientTemperature = 55;
    OperatingPoint.SecondaryRegulation = true;
    OperatingPoint.RthJunctionPin = 15;
    OperatingPoint.ChipPackageType = 1;
    OperatingPoint.ChipPinTemperature = 87.5f;
    OperatingPoint.RthPinAmbient = 42.5f;
    Transfo.LeakageRatio = 0.025f;
    Transfo.WindowFactor = 0.65f;
    Transfo.CoreLossShare = 0.015f;
    Transfo.Lprimary.Value = 1.234e-3f;
    Transfo.Cpri.Value = 4.7e-11f;
    Transfo.MaxDeltaT = 35;
    Transfo.ParallelWireMax = 4;
    Transfo.PrimaryTurns = 57;
    Clamper.RCClamper = false;
    InputStage.VacMin = 85;
    InputStage.VacMax = 265.5f;
    InputStage.RippleVoltage = 33.3f;
    InputStage.MainsFrequency = 60;
    InputStage.ReflectedVoltage = 95.5f;
    InputStage.SwitchingFrequency = 132000;
    InputStage.DCInputMin = 40.5f;
    InputStage.DCInputMax = 80;
    Control.OptoGain = 1.7f;
    Control.SoftStartTime = 0.0125f;
    Regulation.ReferenceCurrent = 1e-4f;
    const float volts[] = {3.3f, 5, 12, 15, 24, 48};
    for (int i = 0; i < OutputCount; ++i) {
        auto& o = Outputs[static_cast<std::size_t>(i)];
        o.Polarity = i % 2 == 0;
        o.Voltage = volts[i];
        o.Current = 0.25f * static_cast<float>(i + 1);
        o.MinimumCurrent = 0.01f * static_cast<float>(i);
        o.RippleFirstCell = 0.1f + 0.01f * static_cast<float>(i);
        o.RippleSecondCell = 0.02f;
        o.OutputType = static_cast<int16_t>(i == 0 ? 12 : 1 + 2 * i);
        o.Regulated = i < 2;
        o.Regulator.Vdrop = i == 3 ? 2.5f : 0;
        o.Regulator.Family = i == 3 ? "78xx" : "";
        o.Index = static_cast<int16_t>(i);
        o.VoltageBeforeDiode = volts[i] + 0.55f;
        o.CapacitorDerating = 1.5f + 0.1f * static_cast<float>(i);
        s.UserDefinedDiode[static_cast<std::size_t>(i)] = i == 4;
    }
}

// A DC input design.
inline void MakeDcDesign() {
    using namespace zorvic;
    MakeDefaultDesign();
    Settings.ACInput = false;
    Settings.DesignFileName = "dc.zpj";
    InputStage.DCInputMin = 18;
    InputStage.DCInputMax = 36.5f;
    Outputs[0].Voltage = 12;
    Outputs[0].VoltageBeforeDiode = 12.6f;
}

// A design on a core of the user's own.
inline void MakeCustomCoreDesign() {
    using namespace zorvic;
    MakeDefaultDesign();
    Settings.DesignFileName = "custom.zpj";
    Settings.CustomCoreMode = true;
    Settings.UserCoreGeometry = true;
    Settings.GeometryListType = "Custom";
    CurrentCore.Series = "Custom";
    CurrentCore.Name = "Pot 26/16";
    CurrentCore.Lm = 52.5f;
    CurrentCore.Le = 37.5f;
    CurrentCore.Ae = 93.1f;
    CurrentCore.W = 38.3f;
    CurrentCore.Ve = 3530;
}

// A custom core in the user's list, so that a loaded design or list may replace or join it.
inline void ListOneCustomCore() {
    using namespace zorvic;
    CoreGeometry& core = CustomCoreList[0];
    core.Series = "Custom";
    core.Name = "listed";
    core.Lm = core.Le = core.Ae = core.W = core.Ve = 10;
    CustomCoreCount = 1;
}

// Turns that give the wanted reflected voltage, wires and a core of the size a few watts need.
inline void GiveTransformerTurns() {
    using namespace zorvic;
    UpdateInputVoltages();  // the outputs' voltages before their diodes
    const float v0 = Outputs[0].VoltageBeforeDiode;
    const int16_t ns = 6;
    const auto np = static_cast<int16_t>(std::lround(InputStage.ReflectedVoltage / v0 * ns));
    Transfo.PrimaryTurns = np;
    for (std::size_t i = 0; i < Outputs.size(); ++i) {
        const auto turns = std::lround(Outputs[i].VoltageBeforeDiode / v0 * ns);
        Transfo.OutputTurns[i] = static_cast<int16_t>(turns < 1 ? 1 : turns);
    }
    Transfo.AuxTurns = static_cast<int16_t>(std::lround((CurrentChip.VddReg + 0.6f) / v0 * ns));
    Transfo.AuxTurnsRatio = static_cast<float>(np) / static_cast<float>(Transfo.AuxTurns);
    Transfo.PrimaryWire = WireTable[20];  // AWG 30
    Transfo.PrimaryWire.Strands = 1;
    Transfo.Core = StandardCoreTable[7];
    Transfo.CoreLoss = 0.05f;
    Transfo.WindingLoss = 0.08f;
}

// The operating point the transformer tests design for: two outputs at 100 kHz from an 80 V
// reflected voltage.
inline void TwoOutputTransformerLoad() {
    using namespace zorvic;
    InputStage.SwitchingFrequency = 100000;
    InputStage.ReflectedVoltage = 80;
    Settings.AdditionalOutputs = 1;
    Transfo.IrmsMax = 0.45f;
    Transfo.IpeakMax = 0.9f;
    Transfo.Lprimary.Value = 1e-3f;
    CurrentChip.VddReg = 12;
    CurrentChip.SupplyCurrent = 0.012f;
    Outputs[0].VoltageBeforeDiode = 5.45f;
    Outputs[0].IrmsSecondary = 3.2f;
    Outputs[1].VoltageBeforeDiode = 12.7f;
    Outputs[1].IrmsSecondary = 0.6f;
}

enum class Design { Default, DcInput, SixOutputs, OneRegulated, TwoRegulated, ThreeRegulated };

inline std::string DesignName(Design d) {
    switch (d) {
    case Design::Default: return "Default";
    case Design::DcInput: return "DcInput";
    case Design::SixOutputs: return "SixOutputs";
    case Design::OneRegulated: return "OneRegulated";
    case Design::TwoRegulated: return "TwoRegulated";
    case Design::ThreeRegulated: return "ThreeRegulated";
    }
    return "";
}

// Writes the inputs of the design on top of the defaults (nothing computed yet).
inline void SetUpDesign(Design d) {
    using namespace zorvic;
    if (d == Design::DcInput) {
        Settings.ACInput = false;
        UpdateDcBusVoltages();
    }
    if (d == Design::SixOutputs) SetSixOutputs(0.1f, 0.02f);
    const int regulated = d == Design::OneRegulated ? 1 : d == Design::TwoRegulated ? 2 : d == Design::ThreeRegulated ? 3 : 0;
    if (regulated > 0) {
        OperatingPoint.SecondaryRegulation = true;
        Settings.AdditionalOutputs = 2;
        const float volts[] = {5, 12, 15};
        for (std::size_t i = 0; i < 3; ++i) {
            Outputs[i].Voltage = volts[i];
            Outputs[i].Current = i == 0 ? 1.0f : 0.3f;
            Outputs[i].Regulated = static_cast<int>(i) < regulated;
        }
    }
}

// A small hand-set design whose loop model is worked out by hand in the tests: 1 mH primary,
// 100 to 300 V, 80 V reflected, 100 kHz; one output of 5.5 V before its diode at 1 A on 1 mF
// (40 mohm) and 220 uF (100 mohm), regulated through a 4.7 k divider resistor; 6 secondary and
// 9 auxiliary turns; a family 5 chip with a 2 A limit.
inline void SetUpSmallLoopDesign() {
    using namespace zorvic;
    InputStage.VdcMin = 100;
    InputStage.VdcMax = 300;
    InputStage.ReflectedVoltage = 80;
    InputStage.SwitchingFrequency = 100000;
    Transfo.Lprimary.Value = 1e-3f;
    Transfo.IpeakMax = 0.5f;
    Transfo.OutputTurns[0] = 6;
    Transfo.AuxTurns = 9;
    OutputRecord& output = Outputs[0];
    output.VoltageBeforeDiode = 5.5f;
    output.Current = 1;
    output.MinimumCurrent = 0;
    output.Cap1.Value = 1e-3f;
    output.Cap1.Esr[0] = 0.04f;
    output.Cap2.Value = 2.2e-4f;
    output.Cap2.Esr[0] = 0.1f;
    output.Regulated = true;
    Settings.AdditionalOutputs = 0;
    OperatingPoint.ContinuousModeText = "Discont";
    Regulation.Divider[1].Value = 4700;
    CurrentChip.Family = 5;
    CurrentChip.Idlim = 2;
    CurrentChip.Param17 = 1.5e-3f;
    CurrentChip.Param18 = 1e-6f;  // soft start needs only 10 nF
    CurrentChip.Param19 = 4;
}

inline void ComputeWithTransformer(Design d) {
    SetUpDesign(d);
    GiveTransformerTurns();
    zorvic::ComputeDesign();
}

}  // namespace sample_designs
