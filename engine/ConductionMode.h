#pragma once
// The primary's conduction mode and its texts. The design state and the curve functions carry
// the mode as the text the user sees ("Cont", "@ Low Line", "Discont"; "Burst" on a chart);
// every reader turns it into the mode here and decides on that.

#include <string>

namespace zorvic {

enum class ConductionMode {
    Unknown,        // no design computed yet, or a text that names no mode
    Continuous,     // continuous at both ends of the input range
    LowLine,        // continuous at the lowest input voltage only
    Discontinuous,
    Burst,          // a chart's point below the chip's skipping threshold
};

inline const char* ConductionModeText(ConductionMode mode) {
    switch (mode) {
    case ConductionMode::Continuous: return "Cont";
    case ConductionMode::LowLine: return "@ Low Line";
    case ConductionMode::Discontinuous: return "Discont";
    case ConductionMode::Burst: return "Burst";
    case ConductionMode::Unknown: break;
    }
    return "";
}

inline ConductionMode ConductionModeOf(const std::string& text) {
    for (ConductionMode mode : {ConductionMode::Continuous, ConductionMode::LowLine, ConductionMode::Discontinuous,
                                ConductionMode::Burst})
        if (text == ConductionModeText(mode)) return mode;
    return ConductionMode::Unknown;
}

}  // namespace zorvic
