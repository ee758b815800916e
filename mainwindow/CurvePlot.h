#pragma once
// The numbers of one chart of the curve window: the axis set-up of each curve family, the
// samples taken from the engine, the scales, the grid lines with their labels and the traces,
// all in twips from the box's top-left corner. Nothing here touches a widget, so a chart is
// checked without painting; the window only paints what PlotChart returns.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One chart of the window. Type 1..20 is the curve (the menu item's index), 0 none.
struct ChartInfo {
    int16_t Type = 0;
    uint32_t Colour = 0xFFFF;  // &HBBGGRR of the (first) trace
    bool HasCurve = false;
    float XMin = 0;
    float XMax = 0;
    std::string XUnit;
    std::string YUnit;
    std::string XAxis = "Lin";
    std::string CursorUnit;  // "W", "V" or ""
    std::string Caption;
    std::string ModeText;
    std::string ModeColour;  // a colour as its decimal number
    float CursorValue = 0.5f;
};

// The chart colours, &HBBGGRR.
namespace ChartColour {
inline constexpr uint32_t Background = 0x808080;
inline constexpr uint32_t Empty = 0;
inline constexpr uint32_t Label = 0xC0FFC0;
inline constexpr uint32_t Major = 0xFFFFFF;
inline constexpr uint32_t Minor = 0xC00000;
inline constexpr uint32_t Phase180 = 0xC0C0C0;
inline constexpr uint32_t Yellow = 0xFFFF;
inline constexpr uint32_t PowerCell = 0xC0C0FF;
inline constexpr uint32_t RegulationCell = 0xFFFF80;
}  // namespace ChartColour

bool IsGainPhase(int16_t type);

// Stores the type and its family's axes, read from the design.
void SetChartAxes(ChartInfo& chart, int16_t type);

// One sample at x (in decades on a logarithmic axis). secondValue takes the regulation cell's
// gain or phase on gain and phase charts, else 0.
float ComputeCurvePoint(const ChartInfo& chart, float x, const std::string& modeString, float& secondValue);

// The step of a linear grid over a range: 0.1, 0.2, 0.5 or 1 times its power of ten.
double LinearGridStep(float range);

// The label of a power or efficiency grid line at v, on an axis whose lines lie `step` apart and
// whose largest value is `largest` in size: a power takes the prefix of the largest value and
// as many decimals as the step needs for neighbouring labels to differ; a percentage takes no
// prefix. Empty while the design's power is too high, as every value text is.
std::string PowerAxisLabel(double v, double step, double largest, const std::string& unit);

struct PlotLine {
    int32_t X1 = 0;
    int32_t Y1 = 0;
    int32_t X2 = 0;
    int32_t Y2 = 0;
    uint32_t Colour = 0;
};

struct PlotText {
    int32_t X = 0;  // top-left of the text, or its top-right with AlignRight
    int32_t Y = 0;
    uint32_t Colour = 0;
    std::string Text;
    bool AlignRight = false;  // the text ends at X, so that it stays inside the box
};

// Everything one drawing of a chart puts on its box.
struct ChartPlot {
    uint32_t Background = ChartColour::Empty;
    bool Traced = false;  // false: no curve, or an empty horizontal range
    float XScale = 0;
    float XOffset = 0;
    float YScale = 0;
    float YOffset = 0;
    float YMin = 0;
    float YMax = 0;
    float SampleStep = 0;  // axis units (decades on a logarithmic axis) between samples
    std::vector<float> SampleX;
    double GridStepX = 0;  // 0 on a logarithmic axis
    double GridStepY = 0;
    std::vector<PlotLine> Grid;
    std::vector<PlotLine> Traces;
    std::vector<PlotText> Texts;
};

// Grid lines a drawing draws at most on either axis, whatever the numbers.
inline constexpr int32_t MaxGridLines = 400;

// Draws chart (its axes set up again from the design) on a box width twips wide whose plot is
// plotHeight twips high. secondValue is left as the last sample left it.
ChartPlot PlotChart(ChartInfo& chart, int32_t width, int32_t plotHeight, const std::string& modeString,
                    float& secondValue);

// The same with the samples from sample(x, secondValue), on the chart's axes as they stand.
using CurveSampler = std::function<float(float x, float& secondValue)>;
ChartPlot PlotSamples(ChartInfo& chart, int32_t width, int32_t plotHeight, const CurveSampler& sample);
