// Writes each design of the engine's design sweep as a zorvic_dump override file, DIR/NNN.json,
// and lists "NNN name" on standard output. With --fresh-chip each file also copies the start-up
// design's chip row afresh ("@Chip"), as a loaded project file does, so that the design's
// computation does not start from the chip losses the start-up computation left.
//
//   zorvic_sweep_designs [--fresh-chip] DIR

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "DesignFields.h"
#include "DesignSweep.h"
#include "NumberText.h"
#include "Variables.h"

namespace {

using zorvic::dump::Json;

// The overrides that ApplySweepDesign makes, in the same order.
Json Overrides(const sweep::SweepDesign& d) {
    Json o = Json::object();
    if (d.Input) {
        o["Settings.ACInput"] = d.Input->Ac;
        const std::string stage = "InputStage.";
        o[stage + (d.Input->Ac ? "VacMin" : "DCInputMin")] = d.Input->Min;
        o[stage + (d.Input->Ac ? "VacMax" : "DCInputMax")] = d.Input->Max;
    }
    if (d.Frequency) o["InputStage.SwitchingFrequency"] = *d.Frequency;
    if (d.WindingKind) o["Settings.WindingOptimisationType"] = *d.WindingKind;
    if (d.TemperatureCriterion) o["Settings.CoreCriterionTemp"] = *d.TemperatureCriterion;
    if (d.AnyCore) o["Settings.GeometryListType"] = "Any";
    o["Settings.AdditionalOutputs"] = d.LastOutput;
    for (int i = 0; i <= d.LastOutput; ++i) {
        const std::string output = "Outputs[" + std::to_string(i) + "].";
        o[output + "OutputType"] = sweep::OutputTypes[i];
        o[output + "Voltage"] = sweep::OutputVolts[i];
        // A float as a double holds it exactly; the dump reads it back to the same float.
        o[output + "Current"] = sweep::OutputCurrent(i, d.LastOutput, d.Watts);
        o[output + "Regulator.Family"] = sweep::OutputRegulatorFamily;
    }
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    const bool freshChip = argc == 3 && std::string(argv[1]) == "--fresh-chip";
    if (argc != 2 && !freshChip) {
        std::cerr << "usage: zorvic_sweep_designs [--fresh-chip] DIR\n";
        return 2;
    }
    const std::string dir = argv[argc - 1];
    zorvic::SetLocaleDecimalSeparator('.');
    zorvic::ApplyDesignDefaults();
    const int16_t startUpChip = zorvic::CurrentChip.Index;
    int n = 0;
    for (const sweep::SweepDesign& design : sweep::DesignSweep()) {
        char number[16];
        std::snprintf(number, sizeof number, "%03d", ++n);
        std::ofstream file(dir + "/" + number + ".json");
        Json overrides = Overrides(design);
        if (freshChip) overrides["@Chip"] = startUpChip;
        file << overrides.dump(1) << "\n";
        if (!file) {
            std::cerr << "zorvic_sweep_designs: cannot write " << dir << "/" << number << ".json\n";
            return 2;
        }
        std::cout << number << " " << design.Name << "\n";
    }
    return 0;
}
