#pragma once
// The row texts of the component tables, one array per builder. Only the builders read them.
// A row is its name, then each field ended by ","; list items are separated by "-"; numbers use
// "." as the decimal point.

#include <array>

namespace zorvic::rows {

extern const std::array<const char*, 57> Diodes;
extern const std::array<const char*, 4> Clamps;
extern const std::array<const char*, 10> Capacitors;
extern const std::array<const char*, 27> Regulators;
extern const std::array<const char*, 17> Chips;
extern const std::array<const char*, 17> CoreMaterials;
extern const std::array<const char*, 37> CoreGeometries;
extern const std::array<const char*, 35> Wires;

}  // namespace zorvic::rows
