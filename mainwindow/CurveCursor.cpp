#include "CurveCursor.h"

#include <cmath>

#include "Components.h"
#include "NumberText.h"
#include "OperatingCurrents.h"
#include "Variables.h"

using zorvic::FormatEng;

float BurstThreshold(float vin) {
    const float energy = vin * zorvic::CurrentChip.TonMin;
    const float lp = zorvic::Transfo.Lprimary.Value;
    const float threshold =
        energy * energy * 0.5f * static_cast<float>(zorvic::InputStage.SwitchingFrequency) / lp;
    return std::isfinite(threshold) && threshold > 0 ? threshold : 0.0f;
}

namespace {
void Fix(CursorReadout& r, float pin, float vin, const char* unit) {
    r.Pin = pin;
    r.Vin = vin;
    r.Unit = unit;
}
}  // namespace

CursorReadout ReadCursor(int16_t type, float x) {
    CursorReadout r;
    const float pmin = zorvic::OperatingPoint.Pmin;
    const float pfull = zorvic::Transfo.InputPower;
    const float vmin = zorvic::InputStage.VdcMin;
    const float vmax = zorvic::InputStage.VdcMax;
    const float powerAt = pmin + x * (pfull - pmin);
    const float voltageAt = vmin + x * (vmax - vmin);
    switch (type) {
        case 1: case 3: case 9: case 10: Fix(r, powerAt, vmin, "W"); break;
        case 2: case 4: case 11: case 12: Fix(r, powerAt, vmax, "W"); break;
        case 5: case 7: case 13: case 14: Fix(r, pmin, voltageAt, "V"); break;
        case 6: case 8: case 15: case 16: Fix(r, pfull, voltageAt, "V"); break;
        case 17: case 18: Fix(r, powerAt, 0, "W"); break;
        case 19: case 20: Fix(r, -1, voltageAt, "V"); break;
        default: break;
    }
    if (r.Unit == "W") {
        r.ButtonLabel = FormatEng(r.Pin, "W");
        r.RightLabel = "Pmax";
        r.LeftLabel = "Pmin";
        r.ToolTip = "Changing Pin Transformer";
    } else if (r.Unit == "V") {
        r.ButtonLabel = FormatEng(r.Vin, "V");
        r.RightLabel = "Vmax";
        r.LeftLabel = "Vmin";
        r.ToolTip = "Changing Vin Transformer";
    }
    if (r.Vin <= 0 || r.Pin <= -1) {
        r.ModeText = zorvic::OperatingPoint.ContinuousModeText;
    } else {
        r.FixesMode = true;
        r.ModeString = zorvic::ConductionModeAt(r.Vin, r.Pin);
        const float threshold = BurstThreshold(r.Vin);
        if (r.Pin < threshold)
            r.ModeText = "Burst " + zorvic::Format(r.Pin / threshold * 100, "#0") + "%";
        else
            r.ModeText = r.ModeString;
    }
    uint32_t colour = 0xFFFF80;
    if (r.ModeText == "Cont") colour = 255;
    else if (r.ModeText == "Discont") colour = 0xC0FFC0;
    r.ModeColour = std::to_string(colour);
    return r;
}
