#pragma once
// The secondary-side shunt reference with the divider that weights the regulated outputs, and
// the compensation network (R3, C6 on the chip side; R6, C8 on the secondary side) sized from
// the power stage's loop model at the full-load corner.

#include <cstdint>

namespace zorvic {

// The two shunt references: reference voltage (V) and the quiescent current they draw (A).
inline constexpr float Shr1Voltage = 2.5f;
inline constexpr float Shr1Current = 0.001f;
inline constexpr float Shr2Voltage = 1.24f;
inline constexpr float Shr2Current = 0.0001f;
// R7, from the reference node to ground, ohm.
inline constexpr float DividerGroundResistance = 4700;
// The divider has one resistor per regulated output, elements 1 to 4 of Regulation.Divider.
inline constexpr int MaxDividerResistors = 4;

// Chooses "SHR1" or "SHR2" and, under secondary regulation, sizes Regulation.Divider so that
// the regulated outputs share the reference current. Outputs 0 to lastOutput are read from
// Outputs, except output `index`, whose regulated flag and voltage are the next two arguments
// (the output editor tests a change before applying it; an edited main output's voltage also
// decides the reference). Only the first four regulated
// outputs get a resistor; a resistor that would come out zero, negative or not finite (every
// regulated output at or below the reference) is left out with the value 0. True when the
// divider can regulate the outputs as set.
bool SelectReferenceIC(int16_t lastOutput, int16_t index, bool regulated, float voltage);

// Evaluates the loop model at the full-load corner "Pmax" (through BodePoint) and sizes the
// compensation parts, rounded to their preferred series. Under primary regulation R6 and C8
// are left as they are. A part that would come out zero, negative or not finite (no turns
// known yet) keeps its previous value.
void ComputeCompensation();

}  // namespace zorvic
