#include "CurveCursor.h"

#include <cmath>

#include "Components.h"
#include "ConductionMode.h"
#include "CurveType.h"
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
    // At a corner of the input voltage the cursor moves the power, at a power corner the
    // voltage.
    if (const zorvic::CurveType* curve = zorvic::CurveTypeOf(type)) {
        switch (curve->corner) {
        case zorvic::CurveCorner::Vmin: Fix(r, powerAt, vmin, "W"); break;
        case zorvic::CurveCorner::Vmax: Fix(r, powerAt, vmax, "W"); break;
        case zorvic::CurveCorner::Pmin: Fix(r, pmin, voltageAt, "V"); break;
        case zorvic::CurveCorner::Pmax: Fix(r, pfull, voltageAt, "V"); break;
        case zorvic::CurveCorner::Pin: Fix(r, powerAt, 0, "W"); break;
        case zorvic::CurveCorner::Vin: Fix(r, -1, voltageAt, "V"); break;
        }
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
    const zorvic::ConductionMode mode = zorvic::ConductionModeOf(r.ModeText);
    if (mode == zorvic::ConductionMode::Continuous) colour = 255;
    else if (mode == zorvic::ConductionMode::Discontinuous) colour = 0xC0FFC0;
    r.ModeColour = std::to_string(colour);
    return r;
}
