#pragma once
// The lines of the bill of materials, read from the design state: section by section, one line
// per part (reference, value with unit, rating and role). The screen and the printer write the
// same lines.

#include <string>
#include <vector>

namespace BomLines {

inline constexpr const char* Separator = "------------------------------------------------------------------";

// The value in engineering notation followed by the unit text as given.
std::string FormatBOMValue(float value, const std::string& unit);

std::vector<std::string> InputSection();
std::vector<std::string> ClamperSection();
std::vector<std::string> ChipSection();
std::vector<std::string> TransformerSection();
// Output k (0 the main output).
std::vector<std::string> OutputSection(int k);
std::vector<std::string> RegulationSection();

// The whole list, separators included, in the order it is written.
std::vector<std::string> BuildBOM();

// The heading of the printed list.
std::string PrintHeading(const std::string& designFile, const std::string& date);

}  // namespace BomLines
