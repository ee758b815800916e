#include "CurvePlot.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cmath>

#include "CurveSamples.h"
#include "CurveType.h"
#include "DrainWaveform.h"
#include "NumberText.h"
#include "Variables.h"

using zorvic::CLng;
using zorvic::CornerText;
using zorvic::CurveCorner;
using zorvic::CurveFamily;
using zorvic::CurveType;
using zorvic::CurveTypeOf;
using zorvic::CurveValue;
using zorvic::FormatEng;
using zorvic::Int;
using zorvic::Log10;

namespace {

bool Is(int16_t type, CurveFamily family) {
    const CurveType* curve = CurveTypeOf(type);
    return curve && curve->family == family;
}

const char* UnitOf(CurveValue value) {
    constexpr const char* units[] = {"A", "V", "dB", "deg", "W", "%"};
    return units[static_cast<int>(value)];
}

}  // namespace

bool IsGainPhase(int16_t type) { return Is(type, CurveFamily::Loop); }

void SetChartAxes(ChartInfo& chart, int16_t type) {
    chart.Type = type;
    const CurveType* curve = CurveTypeOf(type);
    if (!curve) return;
    const float fsw = static_cast<float>(zorvic::InputStage.SwitchingFrequency);
    chart.YUnit = UnitOf(curve->value);
    switch (curve->family) {
    case CurveFamily::Drain:
        chart.XMin = -0.25f / fsw;
        chart.XMax = 1.25f / fsw;
        chart.XUnit = "s";
        chart.XAxis = "Lin";
        break;
    case CurveFamily::Loop:
        chart.XMin = 1.0f;
        chart.XMax = fsw;
        chart.XUnit = "Hz";
        chart.XAxis = "Log";
        break;
    case CurveFamily::Power: {
        // The cursor moves the input power of a curve drawn against the input voltage.
        const bool againstVoltage = curve->corner == CurveCorner::Pin;
        chart.XMin = againstVoltage ? zorvic::InputStage.VdcMin : zorvic::OperatingPoint.Pmin;
        chart.XMax = againstVoltage ? zorvic::InputStage.VdcMax : zorvic::OperatingPoint.Pmax;
        chart.XUnit = againstVoltage ? "V" : "W";
        chart.XAxis = "Lin";
        break;
    }
    }
}

namespace {

double StepFor(double m, double power) {
    if (m <= 1) return 0.1 * power;
    if (m <= 2) return 0.2 * power;
    if (m <= 5) return 0.5 * power;
    return power;
}

bool Finite(float v) { return std::isfinite(v); }

int32_t Twip(double v) { return CLng(v); }

}  // namespace

float ComputeCurvePoint(const ChartInfo& chart, float x, const std::string& modeString, float& secondValue) {
    if (chart.XAxis == "Log") x = static_cast<float>(std::pow(10.0, static_cast<double>(x)));
    float y = 0;
    secondValue = 0;
    const CurveType* curve = CurveTypeOf(chart.Type);
    if (!curve) return y;
    const std::string corner = CornerText(curve->corner);
    switch (curve->family) {
    case CurveFamily::Drain: {
        float voltage = 0;
        float current = 0;
        zorvic::DrainWaveformPoint(chart.CursorValue, x, voltage, current, corner, modeString, chart.XMin);
        y = curve->value == CurveValue::Current ? current : voltage;
        break;
    }
    case CurveFamily::Loop: {
        float stageGain = 0;
        float stagePhase = 0;
        float feedbackGain = 0;
        float feedbackPhase = 0;
        zorvic::BodePoint(chart.CursorValue, x, stageGain, stagePhase, feedbackGain, feedbackPhase, corner,
                          modeString);
        const bool gain = curve->value == CurveValue::Gain;
        y = gain ? stageGain : stagePhase;
        secondValue = gain ? feedbackGain : feedbackPhase;
        break;
    }
    case CurveFamily::Power: {
        float efficiency = 0;
        float loss = 0;
        zorvic::PowerCurvePoint(chart.CursorValue, x, efficiency, loss, corner, modeString);
        y = curve->value == CurveValue::Loss ? loss : efficiency;
        break;
    }
    }
    return y;
}

double LinearGridStep(float range) {
    const double e = Int(Log10(range));
    const double power = std::pow(10.0, e);
    float m = std::fabs(static_cast<float>(range / power));
    if (range / 1000.0f > m) m = 0;
    return StepFor(m, power);
}

std::string PowerAxisLabel(double v, double step, double largest, const std::string& unit) {
    if (zorvic::Settings.PowerTooHigh || !std::isfinite(v) || !(step > 0)) return "";
    static const char* const prefixes[] = {"f", "p", "n", "u", "m", "", "k", "M", "G"};
    int k = 0;
    if (unit != "%" && largest > 0) {
        const int e = static_cast<int>(Int(Log10(largest) + 0.001));
        k = std::clamp(static_cast<int>(Int(e / 3.0)), -5, 3);
    }
    const double scale = std::pow(1000.0, k);
    // A step of 0.002 needs three decimals, 0.5 one, 5 none.
    const int decimals = std::clamp(static_cast<int>(std::ceil(-Log10(step / scale) - 1e-6)), 0, 6);
    std::string pattern = "0";
    if (decimals > 0) pattern += "." + std::string(static_cast<size_t>(decimals), '0');
    return zorvic::Format(v / scale, pattern) + prefixes[k + 5] + unit;
}

namespace {

void DrawCurveTitle(const ChartInfo& chart, int32_t width, ChartPlot& plot) {
    plot.Texts.push_back({400, 0, ChartColour::Yellow, chart.Caption});
    if (IsGainPhase(chart.Type)) {
        plot.Texts.push_back({400, 200, ChartColour::RegulationCell, "Regulation Cell"});
        plot.Texts.push_back({400, 400, ChartColour::PowerCell, "Power Cell"});
    }
    const uint32_t modeColour = static_cast<uint32_t>(std::strtoul(chart.ModeColour.c_str(), nullptr, 10));
    plot.Texts.push_back({width - 1000, 0, modeColour, chart.ModeText});
}

// The lines 1, 2, ... 9, 10, 20 ... from the decade below the range's start up to its end, on the
// scale the trace uses: the whole range, from 1 Hz to the switching frequency, lies in the box.
void DrawLogGrid(const ChartInfo& chart, int32_t width, int32_t plotHeight, float x0, float x1, ChartPlot& plot) {
    double v = std::pow(10.0, Int(x0));
    const double last = std::pow(10.0, static_cast<double>(x1)) * 1.0001;
    for (int32_t n = 0; n < MaxGridLines && !(v > last); ++n) {
        const double l = Log10(v);
        const bool decade = std::fabs(l - std::round(l)) < 0.0001;
        const int32_t xp = Twip((l - plot.XOffset) * width * plot.XScale);
        const uint32_t colour = decade ? ChartColour::Major : ChartColour::Minor;
        plot.Grid.push_back({xp, 0, xp, plotHeight, colour});
        // A label near the right edge ends at its line instead of running out of the box.
        if (decade)
            plot.Texts.push_back({xp, plotHeight - 235, ChartColour::Label, FormatEng(static_cast<float>(v), chart.XUnit),
                                  xp > width * 4 / 5});
        v += std::pow(10.0, Int(Log10(v * 1.0001)));
    }
}

void DrawLinearGrid(const ChartInfo& chart, int32_t width, int32_t plotHeight, float x0, float x1, ChartPlot& plot) {
    const double step = LinearGridStep(x1 - x0);
    plot.GridStepX = step;
    const double start = Int(x0 / step) * step;
    double v = start;
    for (int32_t n = 0; n < MaxGridLines && v <= x1 + step; ++n, v = start + n * step) {
        const bool zero = std::fabs(v / (x1 - start)) < 0.0001;
        const int32_t xp = Twip((v - plot.XOffset) * width * plot.XScale);
        plot.Grid.push_back({xp, 0, xp, plotHeight, zero ? ChartColour::Major : ChartColour::Minor});
        plot.Texts.push_back({xp, plotHeight - 250, ChartColour::Label, FormatEng(static_cast<float>(v), chart.XUnit)});
    }
}

void DrawValueGrid(const ChartInfo& chart, int32_t width, int32_t plotHeight, ChartPlot& plot) {
    const double ymin = plot.YMin;
    const double ymax = plot.YMax;
    const double e = ymin != ymax ? Int(Log10(ymax - ymin)) : 1;
    const double power = std::pow(10.0, e);
    const double step = StepFor((ymax - ymin) / power, power);
    plot.GridStepY = step;
    const double start = Int(ymin / step) * step;
    const double largest = std::max(std::fabs(start), std::fabs(ymax + step));
    uint32_t colour = ChartColour::Minor;
    double v = start;
    for (int32_t n = 0; n < MaxGridLines && v <= ymax + step; ++n) {
        if (ymax != start) colour = std::fabs(v / (ymax - start)) < 0.0001 ? ChartColour::Major : ChartColour::Minor;
        const int32_t y = Twip((1 - (v - plot.YOffset) * plot.YScale) * plotHeight);
        // A value that is zero but for rounding reads 0, and the lines go on from there.
        if ((ymax - start) / 1000 > std::fabs(v)) v = 0;
        const float label = static_cast<float>(v);
        plot.Texts.push_back({20, y - 200, ChartColour::Label,
                              Is(chart.Type, CurveFamily::Power) ? PowerAxisLabel(v, step, largest, chart.YUnit)
                                               : FormatEng(label, chart.YUnit)});
        plot.Grid.push_back({0, y, width, y, colour});
        v += step;
    }
}

}  // namespace

ChartPlot PlotChart(ChartInfo& chart, int32_t width, int32_t plotHeight, const std::string& modeString,
                    float& secondValue) {
    if (!chart.HasCurve) return ChartPlot();
    SetChartAxes(chart, chart.Type);
    return PlotSamples(chart, width, plotHeight, [&](float x, float& second) {
        const float y = ComputeCurvePoint(chart, x, modeString, second);
        secondValue = second;
        return y;
    });
}

ChartPlot PlotSamples(ChartInfo& chart, int32_t width, int32_t plotHeight, const CurveSampler& sample) {
    ChartPlot plot;
    if (!chart.HasCurve) return plot;
    plot.Background = ChartColour::Background;
    const int16_t type = chart.Type;
    const bool gainPhase = IsGainPhase(type);
    float secondValue = 0;
    const bool log = chart.XAxis == "Log";
    const float x0 = log ? static_cast<float>(Log10(chart.XMin)) : chart.XMin;
    const float x1 = log ? static_cast<float>(Log10(chart.XMax)) : chart.XMax;
    const float sampleTwips = gainPhase ? 40.0f : 10.0f;
    const float step = width > 0 ? (x1 - x0) * sampleTwips / static_cast<float>(width) : 0.0f;
    plot.SampleStep = step;
    // An empty range, or one too fine for the float x to move, has nothing to trace.
    if (!(Finite(x0) && Finite(x1) && Finite(step) && x0 < x1 && step > 0 && x0 + step > x0 && x1 + step > x1)) {
        DrawCurveTitle(chart, width, plot);
        return plot;
    }
    plot.Traced = true;

    // The samples: the first seeds the range, then one every step up to x1.
    const size_t count = static_cast<size_t>(std::ceil((x1 - x0) / step)) + 2;
    std::vector<float> y1;
    std::vector<float> y2;
    std::vector<float> y3;
    plot.SampleX.reserve(count);
    y1.reserve(count);
    y2.reserve(count);
    y3.reserve(count);
    float ymin = 0;
    float ymax = 0;
    bool ranged = false;
    auto widen = [&](float v) {
        if (!Finite(v)) return;
        if (!ranged) ymin = ymax = v;
        ranged = true;
        ymin = std::min(ymin, v);
        ymax = std::max(ymax, v);
    };
    widen(sample(x0, secondValue));
    for (float x = x0; x <= x1 && plot.SampleX.size() < count; x += step) {
        const float y = sample(x, secondValue);
        plot.SampleX.push_back(x);
        y1.push_back(y);
        y2.push_back(secondValue);
        y3.push_back(y + secondValue);
        widen(y);
        if (gainPhase) {
            widen(secondValue);
            widen(y + secondValue);
        }
    }
    plot.YMin = ymin;
    plot.YMax = ymax;

    if (ymax == ymin)
        plot.YScale = ymin == 0 ? 0.0f : 10.0f / ymin;
    else
        plot.YScale = 0.8f / (ymax - ymin);
    plot.YOffset = ymin - 0.13f * (ymax - ymin);
    plot.XScale = 0.9f / (x1 - x0);
    plot.XOffset = x0 - 0.05f * (x1 - x0);

    if (log)
        DrawLogGrid(chart, width, plotHeight, x0, x1, plot);
    else
        DrawLinearGrid(chart, width, plotHeight, x0, x1, plot);
    DrawValueGrid(chart, width, plotHeight, plot);
    if (gainPhase && CurveTypeOf(type)->value == CurveValue::Phase) {
        const int32_t y = Twip((1 - (-180 - plot.YOffset) * plot.YScale) * plotHeight);
        plot.Grid.push_back({0, y, width, y, ChartColour::Phase180});
    }
    DrawCurveTitle(chart, width, plot);

    chart.Colour = gainPhase ? ChartColour::PowerCell : ChartColour::Yellow;
    bool havePrevious = false;
    int32_t previousX = 0;
    std::array<int32_t, 3> previousY{};
    plot.Traces.reserve(plot.SampleX.size() * (gainPhase ? 3 : 1));
    for (size_t i = 0; i < plot.SampleX.size(); ++i) {
        const int32_t px = Twip((plot.SampleX[i] - plot.XOffset) * width * plot.XScale);
        const float a = (y1[i] - plot.YOffset) * plot.YScale;
        const float b = (y2[i] - plot.YOffset) * plot.YScale;
        const float c = (y3[i] - plot.YOffset) * plot.YScale;
        const bool drawn = a < 1 && Finite(a) && (!gainPhase || (Finite(b) && Finite(c)));
        if (drawn) {
            const std::array<int32_t, 3> py{Twip((1 - a) * plotHeight), Twip((1 - b) * plotHeight),
                                            Twip((1 - c) * plotHeight)};
            if (!havePrevious) previousY = py;
            const int32_t fromX = havePrevious || i > 0 ? previousX : px;
            plot.Traces.push_back({fromX, previousY[0], px, py[0], chart.Colour});
            if (gainPhase) {
                plot.Traces.push_back({fromX, previousY[1], px, py[1], ChartColour::Label});
                plot.Traces.push_back({fromX, previousY[2], px, py[2], ChartColour::Yellow});
            }
            previousY = py;
            havePrevious = true;
        }
        previousX = px;
    }
    return plot;
}
