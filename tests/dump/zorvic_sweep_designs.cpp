// Writes each design of the engine's design sweep as a zorvic_dump override file, DIR/NNN.json,
// and lists "NNN name" on standard output.
//
//   zorvic_sweep_designs DIR

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
    if (argc != 2) {
        std::cerr << "usage: zorvic_sweep_designs DIR\n";
        return 2;
    }
    const std::string dir = argv[argc - 1];
    zorvic::SetLocaleDecimalSeparator('.');
    zorvic::ApplyDesignDefaults();
    int n = 0;
    for (const sweep::SweepDesign& design : sweep::DesignSweep()) {
        char number[16];
        std::snprintf(number, sizeof number, "%03d", ++n);
        std::ofstream file(dir + "/" + number + ".json");
        file << Overrides(design).dump(1) << "\n";
        if (!file) {
            std::cerr << "zorvic_sweep_designs: cannot write " << dir << "/" << number << ".json\n";
            return 2;
        }
        std::cout << number << " " << design.Name << "\n";
    }
    return 0;
}
