#pragma once
// The design warnings: the only place where the computation talks to the user. They open an
// editor from inside the computation and ask for another refining pass.

#include <string>

namespace zorvic {

// "VpeakInput" warns of the input voltage, "VpeakZorvic" of the reflected voltage; any other
// kind does nothing.
void ReportDesignError(const std::string& kind);

void ShowInputOverVoltage();
void ShowReflectedOverVoltage();

// Called at the start of each computation: a warning raised from the open chip editor is shown
// once per computation.
void BeginDesignWarnings();

}  // namespace zorvic
