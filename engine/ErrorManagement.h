#pragma once
// The design warnings: the only place where the computation talks to the user. They open an
// editor from inside the computation and, when the user changed the design there, ask for
// another refining pass.

#include <string>

namespace zorvic {

// "VpeakInput" warns of the input voltage, "VpeakZorvic" of the reflected voltage; any other
// kind does nothing.
void ReportDesignError(const std::string& kind);

void ShowInputOverVoltage();
void ShowReflectedOverVoltage();

// Called at the start and the end of each computation. Within one computation a warning raised
// from the open chip editor is shown once, and a warning whose editor the user left without
// changing the design is not shown again.
void BeginDesignWarnings();
void EndDesignWarnings();

}  // namespace zorvic
