#include "SliderScale.h"

#include "NumberText.h"

namespace zorvic {

float SliderScale::Value(int position) const { return static_cast<float>(Base + Step * position / Divisor); }

int16_t SliderScale::Position(float value) const { return CInt((value - Base) * Divisor / Step); }

}  // namespace zorvic
