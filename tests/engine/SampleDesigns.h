#pragma once
// Designs the curve, compensation and transformer tests start from. GiveTransformerTurns sets the
// transformer fields the samples read for tests that do not run the transformer design; a
// computation overwrites them with its own, which must serve the samples just as well.

#include <cmath>
#include <cstddef>
#include <string>

#include "ComputeDesign.h"
#include "NumberText.h"
#include "Variables.h"

namespace sample_designs {

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
    if (d == Design::SixOutputs) {
        Settings.AdditionalOutputs = 5;
        const int16_t types[] = {9, 1, 3, 5, 7, 13};
        const float volts[] = {5, 12, 3.3f, 15, 24, 5};
        for (std::size_t i = 0; i < 6; ++i) {
            Outputs[i].OutputType = types[i];
            Outputs[i].Voltage = volts[i];
            Outputs[i].Current = 0.1f;
            Outputs[i].MinimumCurrent = 0.02f;
            Outputs[i].Regulator.Family = "VRA";
        }
    }
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
