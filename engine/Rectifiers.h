#pragma once
// Component choosers of the primary clamp and of the rectifiers: the surge clamp, the auxiliary
// winding's diode and each output's rectifier.

#include "Variables.h"

namespace zorvic {

// Picks the surge clamp of the primary with the least dissipation into Clamper.Clamp; a
// "No Ref" placeholder when no part fits.
void SelectClampComponents();

// Names the auxiliary winding's rectifier by the reverse voltage it must stand.
void SelectAuxDiode();

// Picks (or checks the user's) rectifier of one output. `v` is the drop of the output's series
// element, which the rectifier's winding must also supply. When no row fits, the output holds a
// "No Ref" placeholder with the forward-drop model of the row its diode index names.
void SelectOutputDiodes(OutputRecord& output, float v);

}  // namespace zorvic
