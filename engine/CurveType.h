#pragma once
// The twenty curves the curve window draws, by their type code (1 to 20, 0 a blank chart): the
// menu caption, the family (which sample function draws it), the design corner the curve is
// taken at (for the power curves the quantity the chart's cursor moves) and the value drawn.

#include <array>
#include <cstddef>
#include <cstdint>

namespace zorvic {

enum class CurveFamily { Drain, Loop, Power };
enum class CurveCorner { Vmin, Vmax, Pmin, Pmax, Pin, Vin };
enum class CurveValue { Current, Voltage, Gain, Phase, Loss, Efficiency };

struct CurveType {
    const char* caption;
    CurveFamily family;
    CurveCorner corner;
    CurveValue value;
};

constexpr int16_t CurveTypeCount = 20;

// In menu order; element k is type k + 1.
inline constexpr std::array<CurveType, CurveTypeCount> CurveTypes{{
    {"Idrain=f(Pin) @ Vmin", CurveFamily::Drain, CurveCorner::Vmin, CurveValue::Current},
    {"Idrain=f(Pin) @ Vmax", CurveFamily::Drain, CurveCorner::Vmax, CurveValue::Current},
    {"Vdrain=f(Pin) @ Vmin", CurveFamily::Drain, CurveCorner::Vmin, CurveValue::Voltage},
    {"Vdrain=f(Pin) @ Vmax", CurveFamily::Drain, CurveCorner::Vmax, CurveValue::Voltage},
    {"Idrain=f(Vin) @ Pmin", CurveFamily::Drain, CurveCorner::Pmin, CurveValue::Current},
    {"Idrain=f(Vin) @ Pmax", CurveFamily::Drain, CurveCorner::Pmax, CurveValue::Current},
    {"Vdrain=f(Vin) @ Pmin", CurveFamily::Drain, CurveCorner::Pmin, CurveValue::Voltage},
    {"Vdrain=f(Vin) @ Pmax", CurveFamily::Drain, CurveCorner::Pmax, CurveValue::Voltage},
    {"Gain=f(Pin) @ Vinmin", CurveFamily::Loop, CurveCorner::Vmin, CurveValue::Gain},
    {"Phase=f(Pin) @ Vinmin", CurveFamily::Loop, CurveCorner::Vmin, CurveValue::Phase},
    {"Gain=f(Pin) @ Vinmax", CurveFamily::Loop, CurveCorner::Vmax, CurveValue::Gain},
    {"Phase=f(Pin) @ Vinmax", CurveFamily::Loop, CurveCorner::Vmax, CurveValue::Phase},
    {"Gain=f(Vin) @ Pinmin", CurveFamily::Loop, CurveCorner::Pmin, CurveValue::Gain},
    {"Phase=f(Vin) @ Pinmin", CurveFamily::Loop, CurveCorner::Pmin, CurveValue::Phase},
    {"Gain=f(Vin) @ Pinmax", CurveFamily::Loop, CurveCorner::Pmax, CurveValue::Gain},
    {"Phase=f(Vin) @ Pinmax", CurveFamily::Loop, CurveCorner::Pmax, CurveValue::Phase},
    // Drawn against the input voltage while the cursor moves the input power, and back.
    {"Pdiss(Vin)", CurveFamily::Power, CurveCorner::Pin, CurveValue::Loss},
    {"Efficiency(Vin)", CurveFamily::Power, CurveCorner::Pin, CurveValue::Efficiency},
    {"Pdiss(Pin)", CurveFamily::Power, CurveCorner::Vin, CurveValue::Loss},
    {"Efficiency(Pin)", CurveFamily::Power, CurveCorner::Vin, CurveValue::Efficiency},
}};

// The curve of a type code, none for a code outside 1 to 20.
constexpr const CurveType* CurveTypeOf(int16_t code) {
    return code >= 1 && code <= CurveTypeCount ? &CurveTypes[static_cast<std::size_t>(code - 1)] : nullptr;
}

// The corner as the sample functions take it: "Vmin", "Vmax", "Pmin", "Pmax", "Pin", "Vin".
constexpr const char* CornerText(CurveCorner corner) {
    constexpr const char* texts[] = {"Vmin", "Vmax", "Pmin", "Pmax", "Pin", "Vin"};
    return texts[static_cast<int>(corner)];
}

}  // namespace zorvic
