#pragma once
// What the output editor's diode panel shows of an output's rectifier: its ratings, the reverse
// voltage, drop and loss it sees, the table diodes that suit the output, the thermal run-away
// warning, and the user's own pick. Every quotient stays finite: an output not yet computed (no
// voltage before the diode, no reflected voltage) shows figures of 0.

#include <cstdint>
#include <string>
#include <vector>

#include "Variables.h"

namespace zorvic {

struct DiodeOperatingFigures {
    float TurnsRatio = 0;  // primary to secondary
    float Vrmax = 0;       // V, reverse voltage at the highest bus voltage
    float Vdrop = 0;       // V, forward drop at the output current
    float Ploss = 0;       // W
};
DiodeOperatingFigures DiodeFigures(const OutputRecord& output);

struct DiodeRatingsWanted {
    float Irating = 0;  // A
    float Vrating = 0;  // V, never below MinimumDiodeVrating
};
inline constexpr float MinimumDiodeVrating = 20;
DiodeRatingsWanted WantedDiodeRatings(const OutputRecord& output, float vrmax);

// Names of the table diodes whose current and reverse ratings both lie within the margins
// around the wanted ratings, bounds included, highest table row first.
std::vector<std::string> SuitableDiodes(const OutputRecord& output, const DiodeRatingsWanted& wanted);

// Schottky families whose leakage grows fast with heat.
bool ThermalRunAwayRisk(const std::string& diodeName);

// The user's hand pick from the list: the output's mark is set, and every table row carrying
// the name is copied into the output (the last such row wins); a name no row carries changes
// only the mark.
void PickDiode(OutputRecord& output, int16_t outputIndex, const std::string& diodeName);

// The user-defined mark of one output; an index outside the outputs reads false and writes nothing.
bool UserDefinedDiodeMark(int16_t outputIndex);
void SetUserDefinedDiodeMark(int16_t outputIndex, bool marked);

// Every text of the panel.
struct DiodePanelTexts {
    std::string Vf;
    std::string If;
    std::string Vr;
    std::string Ir;
    std::vector<std::string> Suitable;
    std::string DiodeName;
    std::string RunAway;
    std::string Vrmax;
    std::string Vdrop;
    std::string Ploss;
};
DiodePanelTexts DiodePanelView(const OutputRecord& output);

}  // namespace zorvic
