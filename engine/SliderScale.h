#pragma once
// A slider of an editor stands for value = base + step x position / divisor, with whole
// positions from 0 to a last position. The divisor keeps steps such as 1/10 exact.

#include <cstdint>

namespace zorvic {

struct SliderScale {
    double Base = 0;
    double Step = 1;
    double Divisor = 1;
    int16_t Last = 0;

    // The value of a position, computed in 64 bits and stored as a 32-bit float.
    float Value(int position) const;
    // The nearest whole position of a value, halves to the even one. Not limited to 0..Last: the
    // slider itself keeps a far value at its end.
    int16_t Position(float value) const;
};

}  // namespace zorvic
