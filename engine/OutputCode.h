#pragma once
// What the stored output type code (OutputRecord::OutputType, 1 to 14) means. The project file
// keeps the bare number; every reader asks it through this type. Codes 1 to 8 are the outputs
// after the main one, odd positive and even negative: 1/2 Zener cell, 3/4 linear regulator, 5/6
// filter inductor, 7/8 plain. The main output has 9/10 filter inductor, 11/12 plain and 13/14
// linear regulator, odd under primary regulation and even under secondary. Any other code is no
// output kind: every question answers no and the regulation changes leave it as it is.

#include <algorithm>
#include <cstdint>
#include <optional>

namespace zorvic {

enum class OutputKind { Zener, Vreg, Self, Direct };

class OutputCode {
public:
    constexpr explicit OutputCode(int16_t code) : code_(code) {}

    constexpr int16_t Code() const { return code_; }
    constexpr bool Valid() const { return code_ >= 1 && code_ <= 14; }

    constexpr std::optional<OutputKind> Kind() const {
        if (code_ >= 1 && code_ <= 8) {
            constexpr OutputKind kinds[] = {OutputKind::Zener, OutputKind::Vreg, OutputKind::Self, OutputKind::Direct};
            return kinds[(code_ - 1) / 2];
        }
        if (code_ == 9 || code_ == 10) return OutputKind::Self;
        if (code_ == 11 || code_ == 12) return OutputKind::Direct;
        if (code_ == 13 || code_ == 14) return OutputKind::Vreg;
        return std::nullopt;
    }
    constexpr bool IsZener() const { return Kind() == OutputKind::Zener; }
    constexpr bool IsRegulator() const { return Kind() == OutputKind::Vreg; }
    constexpr bool IsInductorFilter() const { return Kind() == OutputKind::Self; }
    constexpr bool IsPlain() const { return Kind() == OutputKind::Direct; }

    // A code of the main output (9 to 14); the others (1 to 8) carry a polarity and have a block
    // picture of their own on the schematic.
    constexpr bool IsMainCode() const { return code_ >= 9 && code_ <= 14; }
    constexpr bool IsAdditionalCode() const { return code_ >= 1 && code_ <= 8; }
    // Only the additional codes are negative; the main output's codes say nothing of polarity.
    constexpr bool Negative() const { return IsAdditionalCode() && code_ % 2 == 0; }

    // The main output's regulation read from its code: odd primary, even secondary (an
    // additional code read as the main output's answers by its parity too).
    constexpr bool PrimaryRegulated() const { return Valid() && code_ % 2 != 0; }
    constexpr bool SecondaryRegulated() const { return Valid() && code_ % 2 == 0; }
    constexpr OutputCode WithPrimaryRegulation() const {
        return OutputCode(IsMainCode() && SecondaryRegulated() ? static_cast<int16_t>(code_ - 1) : code_);
    }
    constexpr OutputCode WithSecondaryRegulation() const {
        return OutputCode(IsMainCode() && PrimaryRegulated() ? static_cast<int16_t>(code_ + 1) : code_);
    }

    // A second filter cell (Zener, regulator or inductor, then a capacitor) after the first
    // capacitor: every kind but the plain output.
    constexpr bool HasSecondCell() const { return Valid() && !IsPlain(); }

    // The secondary loop may regulate a positive output with a filter inductor or a plain one,
    // and the main output without a post-regulator.
    constexpr bool CanCarryLoop() const { return (IsInductorFilter() || IsPlain()) && !Negative(); }

    // The main output's place among the chip pictures (0 to 5); a code outside 9 to 14 takes
    // the nearest main code.
    constexpr int16_t MainPictureStep() const { return static_cast<int16_t>(std::clamp<int>(code_, 9, 14) - 9); }

private:
    int16_t code_;
};

}  // namespace zorvic
