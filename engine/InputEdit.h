#pragma once
// The rules of the input editor: the values it edits, their copy from and back to the design,
// the presets, the minimum gaps between the ends of a range and the rules of its number boxes.

#include <cstdint>

#include "BoxRules.h"

namespace zorvic {

// The input values the editor works on, in the order of its public fields.
struct InputFields {
    int16_t Freq = 50;  // Hz
    float Vmax = 0;     // V rms
    float Vmin = 0;     // V rms
    float Ripple = 0;   // V peak to peak on the bulk capacitor
    float VminDC = 0;   // V
    float VmaxDC = 0;   // V
};

InputFields LoadInputFields();
// Writes the values back into the design, marks it unsaved and lets the bus voltages follow
// the input kind (UpdateInputVoltages), so AC and DC never disagree with the bus.
void StoreInputFields(const InputFields& fields);

// The AC/DC choice is written at once; the bus voltages follow, and a change marks the design
// unsaved.
void SetInputKind(bool acInput);

enum class AcPreset { None, FullRange, Eur220, Us110 };

// The preset the values match exactly, if any.
AcPreset MatchAcPreset(const InputFields& fields);
void ApplyAcPreset(InputFields& fields, AcPreset preset);
bool MatchesTelecomPreset(const InputFields& fields);
void ApplyTelecomPreset(InputFields& fields);

// The ends of a range keep a gap of 30 V (AC) and 15 V (DC): the end the user changed stays and
// the other follows. Each answers whether it moved the other end.
bool AdjustMinVoltage(InputFields& fields);    // after a change of Vmax
bool AdjustMaxVoltage(InputFields& fields);    // after a change of Vmin
bool AdjustMinDCVoltage(InputFields& fields);  // after a change of VmaxDC
bool AdjustMaxDCVoltage(InputFields& fields);  // after a change of VminDC

// The number boxes, their sliders and the sliders' end captions. The DC sliders run past the
// boxes' maxima (to 435 V and 550 V); their captions show what the boxes accept.
enum class InputBox { MaxVoltage, MinVoltage, RipVoltage, MinDCVoltage, MaxDCVoltage };
const BoxRule& RuleOf(InputBox box);

}  // namespace zorvic
