#pragma once
// The chip's oscillator (R2, C5) and supply capacitors (C4, and C9 for the families 4 and 5),
// then the auxiliary winding's rectifier.

#include <array>

namespace zorvic {

// Oscillator candidates: the E24 resistors from 2.2 k to 22 k and four capacitors.
inline constexpr std::array<float, 25> OscillatorResistors{
    2200, 2400, 2700, 3000, 3300, 3600, 3900, 4300, 4700, 5100, 5600, 6200, 6800,
    7500, 8200, 9100, 10000, 11000, 12000, 13000, 15000, 16000, 18000, 20000, 22000};
inline constexpr std::array<float, 4> OscillatorCapacitors{1e-9f, 2.2e-9f, 4.7e-9f, 1e-8f};

// Chooses the oscillator pair nearest the switching frequency and sizes the supply capacitors
// to hold the chip supplied while the outputs charge at start-up.
void SizeControlNetwork();

// The chip's oscillator frequency for a resistor r (ohm) and a capacitor c (F): kHz for the
// family 5, Hz for the others.
float OscillatorFrequency(float r, float c);

}  // namespace zorvic
