#pragma once
// The read-out of a chart's cursor: the input power and voltage it fixes for the curve type, the
// thumb and arrow texts, and the converter's operating mode at that point with its colour.
// Nothing here touches a widget.

#include <cstdint>
#include <string>

struct CursorReadout {
    float Pin = 0;  // -1: not fixed by the cursor
    float Vin = 0;  // 0: not fixed by the cursor
    std::string Unit;  // "W", "V", or "" for no curve
    std::string ButtonLabel;
    std::string LeftLabel;
    std::string RightLabel;
    std::string ToolTip;
    std::string ModeText;
    std::string ModeColour;  // decimal colour number
    bool FixesMode = false;  // both quantities fixed: ModeString takes the mode
    std::string ModeString;
};

// The read-out of a chart of the type with its cursor at fraction x, from the design.
CursorReadout ReadCursor(int16_t type, float x);

// The power a cycle of the chip's minimum on-time transfers each second at the bus voltage: below
// it the converter skips cycles. 0 when the design gives no sound value.
float BurstThreshold(float vin);
