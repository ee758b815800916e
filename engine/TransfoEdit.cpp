#include "TransfoEdit.h"

#include <array>
#include <cstddef>

namespace zorvic {

namespace {

// In the order of TransfoBox. The margin is what the flux ratio leaves below saturation; the
// primary capacitance is filled from the 64-bit product, as 1e12 is no float.
const std::array<BoxRule, 9> Rules = {{
    {.min = 1, .max = 90, .unit = "%", .pattern = "#0.0 ", .fill = "0.0", .scale = {.factor = 100, .complement = true}},
    {.min = 0.5f, .max = 10, .unit = " %", .pattern = "#0.0 ", .fill = "#0.0", .scale = {.factor = 100}},
    {.min = 0.01f, .max = 100, .unit = " mH", .pattern = "0.0# ", .fill = "0.0#", .scale = {.factor = 1000}},
    {.min = 1, .max = 1000, .unit = " pF", .pattern = "0## ", .fill = "##0", .scale = {.factor = 1e12, .wideText = true}},
    {.min = 1, .max = 10, .unit = " ", .pattern = "#0 ", .fill = "#0"},
    {.min = 0.01f, .max = 10, .unit = " %", .pattern = "#0.0 ", .fill = "#0.0", .scale = {.factor = 100}},
    {.min = 0.1f, .max = 100, .unit = " °C", .pattern = "#0.0 ", .fill = "#0.0"},
    {.min = 0.01f, .max = 1, .unit = " ", .pattern = "#0.0 ", .fill = "0.#0"},
    {.min = 1, .max = 500, .unit = " ", .pattern = "#0.0 "},
}};

}  // namespace

const BoxRule& RuleOf(TransfoBox box) { return Rules[static_cast<std::size_t>(box)]; }

}  // namespace zorvic
