#pragma once
// The design's side of the main window's commands: which output carries the secondary feedback
// loop, the output editor's working copy and its return into the design, a new output, and the
// clamp choice. The window shows the answers; nothing here talks to the user.

#include <cstdint>
#include <optional>
#include <string>

namespace zorvic {

// Whether one of the outputs 0 to Settings.AdditionalOutputs carries the secondary loop. Unless
// the regulation was secondary already, the first output that can carry it (a positive output
// with a filter inductor or direct, or the main output without a post-regulator) becomes the
// regulated one, alone in the loop. Outputs beyond the last active one are never looked at.
bool FindSecondaryLoopOutput();

// OutputWork for the output editor: a copy of output `index`, or the template of a new output
// for the one after the last active output.
void LoadOutputWork(int16_t index);

// OutputWork becomes output `index` (0 to 5): the count of regulated outputs follows its flag
// (kept within 0 to the most the loop takes, so the design stays one the file reader accepts),
// and a new main output brings its chip picture.
void StoreOutputWork(int16_t index);

// The tooltip of an output's series element label for its output type; none when the type has
// no series element whose tooltip changes (direct outputs).
std::optional<std::string> SerialElementToolTip(int16_t index, int16_t outputType);

// The output after the last active one, with its actual voltage cleared for the editor; none
// when the design has six outputs already.
std::optional<int16_t> PrepareNewOutput();
bool CanAddOutput();

// The clamp becomes the other kind; the design counts as changed.
void ToggleClamper();

}  // namespace zorvic
