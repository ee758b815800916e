#pragma once
// The rules of the output editor: the output type code from the dialog's choices and back, the
// regulator family key, when an output may join or leave the secondary loop, each box's limits
// and unit, the texts of the computed figures, the working output's computation, the reference
// check before a change is applied, and the removal of an output.

#include <cstdint>
#include <optional>
#include <string>

#include "BoxRules.h"
#include "OutputCode.h"
#include "Variables.h"

namespace zorvic {

// What the dialog's option buttons and check box say.
struct OutputChoices {
    OutputKind kind = OutputKind::Direct;
    bool positive = true;
    int16_t dropout = 0;  // 0 standard, 1 semi-low, 2 low dropout
    bool regulated = false;
};

// The type code (1 to 14) of the choices. Other outputs: 1, 3, 5 or 7, plus 1 when negative. The
// main output: 9, 11 or 13 by kind, plus 1 under secondary regulation; polarity does not enter
// and a Zener cell is not offered.
int16_t OutputTypeCode(OutputKind kind, bool negative, int16_t index, bool secondary);

// What a type code shows: the kind, the polarity (other outputs only) and whether the output
// has a second filter cell. None for a code outside 1 to 14.
struct OutputTypeShown {
    OutputKind kind = OutputKind::Direct;
    std::optional<bool> negative;
    bool secondCell = false;
    bool mainCode = false;
};
std::optional<OutputTypeShown> ShowOutputType(int16_t code);

// "StdPos", "SemiNeg", "LowPos", ...; and the dropout class of a family key, none for a key that
// is not one of the six.
std::string RegulatorFamily(int16_t dropout, bool positive);
std::optional<int16_t> DropoutOfFamily(const std::string& family);

// Writes the choices into the working output: type code, polarity, regulator family and the
// regulated flag.
void ReadOutputChoices(OutputRecord& work, int16_t index, const OutputChoices& choices);

// Whether the user may put output `index` into the secondary loop or take it out: only under
// secondary regulation, while the loop has room or the output is in it already, never the last
// output in it, and never a negative, Zener or post-regulated output. Reads the outputs as
// stored (a new output is in no loop), not the working copy nor what the dialog shows.
bool RegulatedChangeable(int16_t index, bool negative, bool zener, bool vreg);

enum class OutputBox { Voltage, Current, MinimumCurrent, RippleFirstCell, RippleSecondCell, Derating };

// The output boxes' rules change with the working output; they are built when asked for.
using OutputBoxRule = BoxRule;

// The box's limits (in amperes for the currents), unit and pattern for output `index` as the
// working output stands. The current boxes take the unit their label shows ("A" or "mA").
OutputBoxRule RuleOfBox(OutputBox box, int16_t index, const OutputRecord& work,
                        const std::string& currentUnit = "A");

// A current as its box shows it: 0.2 A and more in amperes ("##0.00"), below in milliamperes
// ("##0").
struct CurrentShown {
    std::string text;
    std::string unit;
};
CurrentShown ShowCurrent(float amps);

// "ESR : 0.47 Ohm" of the chosen capacitor; the second cell of an output that has none shows 0.
std::string EsrText(const CapacitorRecord& capacitor);
// "Irms : 1.2A".
std::string IrmsText(const CapacitorRecord& capacitor);
// "0.12 Vpp".
std::string RippleText(float volts);
// "Parameters Main Output", "Parameters Output 3".
std::string OutputCaption(int16_t index);
// The voltage box's tip: "2.5V - 150.0V Range" for the main output, else "0.0V - 150.0V Range".
std::string VoltageTip(int16_t index);

// ComputeOutput on OutputWork (as output `index`) for the dialog's figures. The design stays as
// it was: the turns ratios, the user-defined diode marks and the schematic's label marks are
// those of the applied outputs. A message the computation shows still reaches the user.
void ComputeOutputWork(int16_t index);

// Whether the reference can regulate the outputs with OutputWork's flag and voltage as output
// `index` (the main output's voltage included). The design's reference and divider are left as
// they were: the next computation chooses them for what was applied.
bool CheckEditedRegulation(int16_t index);

// After Apply stored OutputWork as output `index`: an output being added is counted. True when
// it was.
bool CountAppliedOutput(int16_t index);

// The voltage or current of the working output changed: the diode of output `index` is chosen
// by the computation again. Clearing a mark changes the design.
void ClearUserDiodeMark(int16_t index);

// What the output editor writes into the design before Apply or OK: the user-defined diode
// marks (a diode picked, the mark ticked, a voltage or current changed) and with them the
// unsaved flag. The editor keeps them when it opens and after each Apply, and a Cancel puts
// them back, so a cancelled editor leaves the design as it was.
struct OutputEditorMarks {
    decltype(SettingsRecord::UserDefinedDiode) userDefinedDiode{};
    bool designSaved = true;
};
OutputEditorMarks TakeOutputEditorMarks();
void RestoreOutputEditorMarks(const OutputEditorMarks& marks);

// Output `index` is one being added (the one after the last active output).
bool IsNewOutput(int16_t index);

struct RemovedOutput {
    bool removed = false;           // false: the index names no removable output
    int16_t formerLast = 0;         // the slot that fell out of use
    bool chooseRegulation = false;  // the secondary loop lost its last output
};
// Removes output `index` (1 to the last active one): the later outputs and their user-defined
// diode marks move down one place, the freed slot loses its regulated flag and its mark, the
// count of outputs and of regulated outputs follows the records, and the design counts as
// changed. When the output was the last one in the secondary loop (by the stored flags), the
// design leaves the loop, as primary-regulated before a new choice, and the caller chooses the
// regulation again.
RemovedOutput RemoveOutput(int16_t index);

// The regulation choice after the loop lost its last output, as choosing "Secondary Regulation"
// from primary does: the first output that can carry the loop takes it (true), or the design
// stays primary-regulated (false).
bool ChooseSecondaryLoopAgain();

}  // namespace zorvic
