// The numbers of the curve window's charts: box places per layout, grid steps, scales, cursor
// read-outs, and the ranges and samples a chart must survive.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "ComputeDesign.h"
#include "CurveCursor.h"
#include "CurveLayout.h"
#include "CurvePlot.h"
#include "NumberText.h"
#include "Variables.h"

using platform::TwipRect;

namespace {

void ComputedDefaultDesign() {
    zorvic::ResetDesignState();
    zorvic::SetLocaleDecimalSeparator('.');
    zorvic::ApplyDesignDefaults();
    zorvic::ComputeDesign();
}

// Usable area 12000 x 9000 twips, chart 2 selected after chart 0.
struct LayoutCase {
    int16_t layout;
    std::array<bool, 4> shown;
    TwipRect box0;
    TwipRect box2;
    TwipRect box3;
};

class ChartPlacesTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ChartPlacesTest, BoxesFollowTheLayoutTable) {
    const LayoutCase& c = GetParam();
    const CurvePlaces places = ArrangeChartPlaces(c.layout, 9000, 12000, 2, 0);
    ASSERT_TRUE(places.Arranged);
    EXPECT_EQ(places.Shown, c.shown);
    if (c.shown[0]) {
        EXPECT_EQ(places.Box[0], c.box0);
    }
    EXPECT_EQ(places.Box[2], c.box2);
    if (c.shown[3]) {
        EXPECT_EQ(places.Box[3], c.box3);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ChartPlacesTest,
    ::testing::Values(
        LayoutCase{LayoutSingle, {false, false, true, false}, {}, {50, 1000, 11900, 8900}, {}},
        // The lower-numbered chart takes the upper place, whichever is selected.
        LayoutCase{LayoutDualStacked, {true, false, true, false}, {50, 1000, 11900, 4400}, {50, 5500, 11900, 4400}, {}},
        LayoutCase{LayoutDualSideBySide, {true, false, true, false}, {50, 1000, 5900, 8900}, {6050, 1000, 5900, 8900},
                   {}},
        LayoutCase{LayoutQuad, {true, true, true, true}, {50, 1000, 5900, 4400}, {50, 5500, 5900, 4400},
                   {6050, 5500, 5900, 4400}},
        LayoutCase{LayoutQuadStacked, {true, true, true, true}, {50, 1000, 11900, 2150}, {50, 5500, 11900, 2150},
                   {50, 7750, 11900, 2150}}));

TEST(ChartPlaces, CursorLiesAlongTheBottomAndSmallAreasMoveNothing) {
    // 4400 / 30 + 150 = 296.67 -> 297; 4400 - 297 - 60 = 4043.
    EXPECT_EQ(CursorPlace(5900, 4400), (TwipRect{0, 4043, 5840, 297}));
    EXPECT_FALSE(ArrangeChartPlaces(LayoutQuad, 1000, 12000, 0, 1).Arranged);
    EXPECT_FALSE(ArrangeChartPlaces(LayoutQuad, 9000, 1000, 0, 1).Arranged);
}

TEST(ChartGrid, LinearStepIsOneTwoOrFiveOfTheDecade) {
    const std::pair<float, double> cases[] = {{3.2f, 0.5}, {1.5f, 0.2}, {1.0f, 0.1}, {7.0f, 1.0},
                                              {1.5e-5f, 2e-6}, {20000.0f, 1000.0}};
    for (const auto& [range, step] : cases) EXPECT_NEAR(LinearGridStep(range), step, step * 1e-6) << range;
}

size_t VerticalLines(const ChartPlot& plot) {
    size_t n = 0;
    for (const PlotLine& l : plot.Grid) n += l.X1 == l.X2 && l.Y1 == 0 ? 1 : 0;
    return n;
}

// A chart of the type, 6000 x 3000 twips, of the default design switching at fsw.
ChartPlot DefaultDesignPlot(ChartInfo& chart, int16_t type, float fsw = 100000) {
    ComputedDefaultDesign();
    zorvic::InputStage.SwitchingFrequency = fsw;
    chart.HasCurve = true;
    chart.Type = type;
    float second = 0;
    return PlotChart(chart, 6000, 3000, "Cont", second);
}

TEST(ChartPlot, DrainCurrentChartAtHundredKilohertz) {
    ChartInfo chart;
    const ChartPlot plot = DefaultDesignPlot(chart, 1);
    ASSERT_TRUE(plot.Traced);
    // -2.5 us to 12.5 us; 15 us x 10 / 6000 = 25 ns between samples, about 600 of them.
    EXPECT_NEAR(plot.SampleStep, 2.5e-8, 1e-12);
    EXPECT_NEAR(static_cast<double>(plot.SampleX.size()), 601, 1);
    EXPECT_NEAR(plot.XScale, 0.9 / 1.5e-5, 1);
    EXPECT_NEAR(plot.XOffset, -3.25e-6, 1e-11);
    // Lines every 2 us from -4 us to 14 us, the one at 0 white.
    EXPECT_NEAR(plot.GridStepX, 2e-6, 1e-12);
    EXPECT_EQ(VerticalLines(plot), 10u);
    const float ymin = plot.YMin;
    const float ymax = plot.YMax;
    EXPECT_NEAR(plot.YScale, 0.8f / (ymax - ymin), 1e-6);
    EXPECT_NEAR(plot.YOffset, ymin - 0.13f * (ymax - ymin), 1e-6);
    int labels = 0;
    for (const PlotText& t : plot.Texts)
        if (t.X == 20) {
            ++labels;
            EXPECT_EQ(t.Text.back(), 'A') << t.Text;
        }
    EXPECT_GT(labels, 2);
    EXPECT_EQ(chart.Colour, ChartColour::Yellow);
}

TEST(ChartPlot, GainChartSpansFiveDecadesWithThreeTraces) {
    ChartInfo chart;
    const ChartPlot plot = DefaultDesignPlot(chart, 9);
    ASSERT_TRUE(plot.Traced);
    EXPECT_FLOAT_EQ(plot.XScale, 0.18f);
    EXPECT_FLOAT_EQ(plot.XOffset, -0.25f);
    // 1 Hz to 100 kHz: five decades of nine lines, then the 100 kHz line; decades white at
    // (decade + 0.25) x 6000 x 0.18.
    EXPECT_EQ(VerticalLines(plot), 46u);
    std::vector<int32_t> decades;
    for (const PlotLine& l : plot.Grid)
        if (l.X1 == l.X2 && l.Colour == ChartColour::Major) decades.push_back(l.X1);
    EXPECT_EQ(decades, (std::vector<int32_t>{270, 1350, 2430, 3510, 4590, 5670}));
    bool powerCell = false, regulation = false, sum = false;
    for (const PlotLine& l : plot.Traces) {
        powerCell |= l.Colour == ChartColour::PowerCell;
        regulation |= l.Colour == ChartColour::Label;
        sum |= l.Colour == ChartColour::Yellow;
    }
    EXPECT_TRUE(powerCell && regulation && sum);
}

// A gain chart from 1 Hz to the switching frequency f on a 6000-twip box: the scale is
// 0.9 / log10(f) and the offset -0.05 log10(f), so 1 Hz lies at 270 twips, f at 5670, and the
// last sample, at most one step (log10(f) / 150) short of f, from 5634 on. The top decade D lies
// at (D + 0.05 log10(f)) x 0.9 / log10(f) x 6000; its label ends at its line right of 4800.
struct LogAxisCase {
    float fsw;
    size_t lines;  // 1..9 per decade below D, then D, 2D ... up to f
    int32_t topDecade;
    const char* topLabel;
    bool labelEndsAtLine;
};

class LogAxisTest : public ::testing::TestWithParam<LogAxisCase> {};

TEST_P(LogAxisTest, WholeRangeFromOneHertzToTheSwitchingFrequencyLiesInTheBox) {
    const LogAxisCase& c = GetParam();
    ChartInfo chart;
    const ChartPlot plot = DefaultDesignPlot(chart, 10, c.fsw);
    ASSERT_TRUE(plot.Traced);
    EXPECT_EQ(VerticalLines(plot), c.lines);
    int32_t right = 0;
    for (const PlotLine& l : plot.Grid)
        if (l.X1 == l.X2) right = std::max(right, l.X1);
    EXPECT_LE(right, 6000);
    EXPECT_GE(plot.Traces.back().X2, 5634);
    EXPECT_LE(plot.Traces.back().X2, 5670);
    const PlotText* top = nullptr;
    for (const PlotText& t : plot.Texts)
        if (t.Text.size() > 2 && t.Text.substr(t.Text.size() - 2) == "Hz") top = &t;
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->Text, c.topLabel);
    EXPECT_NEAR(top->X, c.topDecade, 1);
    EXPECT_EQ(top->AlignRight, c.labelEndsAtLine);
}

INSTANTIATE_TEST_SUITE_P(Frequencies, LogAxisTest,
                         ::testing::Values(LogAxisCase{20000, 38, 5292, "10kHz", true},
                                           LogAxisCase{60000, 42, 4791, "10kHz", false},
                                           LogAxisCase{100000, 46, 5670, "100kHz", true},
                                           LogAxisCase{132000, 46, 5543, "100kHz", true},
                                           LogAxisCase{200000, 47, 5363, "100kHz", true}),
                         [](const auto& info) { return std::to_string(static_cast<int>(info.param.fsw / 1000)) + "kHz"; });

// Power and efficiency labels: digits enough for the step, so that neighbours differ, the
// prefix of the largest value, none on a percentage.
TEST(ChartGrid, PowerLabelsCarryTheDigitsTheirStepNeeds) {
    struct Case {
        double v, step, largest;
        const char* unit;
        const char* label;
    };
    const Case cases[] = {{1.994, 0.002, 2.002, "W", "1.994W"}, {2.0, 0.002, 2.002, "W", "2.000W"},
                          {0.05, 0.01, 0.07, "W", "50mW"},      {1500, 100, 2000, "W", "1.5kW"},
                          {67.5, 0.5, 70, "%", "67.5%"},        {0.0679, 10, 80, "%", "0%"},
                          {75, 5, 0.5, "%", "75%"}};
    for (const Case& c : cases) EXPECT_EQ(PowerAxisLabel(c.v, c.step, c.largest, c.unit), c.label) << c.label;
    zorvic::Settings.PowerTooHigh = true;
    EXPECT_EQ(PowerAxisLabel(2.0, 0.002, 2.002, "W"), "");
    zorvic::Settings.PowerTooHigh = false;
}

// Charts whose samples or ranges would have looped, overflowed or drawn garbage.
struct SampleCase {
    const char* name;
    float xmin;
    float xmax;
    int32_t width;
    float (*sample)(float x);
    bool traced;
};

class ChartRobustnessTest : public ::testing::TestWithParam<SampleCase> {};

TEST_P(ChartRobustnessTest, DrawsBoundedFiniteCoordinates) {
    const SampleCase& c = GetParam();
    ChartInfo chart;
    chart.HasCurve = true;
    chart.Type = 19;
    chart.Caption = "Pdiss(Pin)";
    chart.XMin = c.xmin;
    chart.XMax = c.xmax;
    chart.XUnit = "W";
    chart.YUnit = "W";
    const ChartPlot plot = PlotSamples(chart, c.width, 3000, [&](float x, float& second) {
        second = 0;
        return c.sample(x);
    });
    EXPECT_EQ(plot.Traced, c.traced);
    EXPECT_EQ(plot.Background, ChartColour::Background);
    ASSERT_FALSE(plot.Texts.empty());
    EXPECT_EQ(plot.Texts[plot.Texts.size() - 2].Text, "Pdiss(Pin)");
    EXPECT_LE(plot.Grid.size(), 2u * MaxGridLines + 1);
    if (!c.traced) {
        EXPECT_TRUE(plot.Traces.empty());
    }
    for (const PlotLine& l : plot.Traces) {
        EXPECT_GE(l.X2, l.X1);
        EXPECT_GT(l.Y2, -100000);
        EXPECT_LT(l.Y2, 100000);
    }
    if (c.width > 32767 && c.traced) {
        EXPECT_GT(plot.Traces.back().X2, 32767);
    }
}

float Ramp(float x) { return x; }
float HoleInTheMiddle(float x) {
    return x > 4 && x < 6 ? std::numeric_limits<float>::quiet_NaN() : x;
}
float FarFromZero(float x) { return x < 5 ? 1e10f : 1e10f + 1024; }

INSTANTIATE_TEST_SUITE_P(
    Cases, ChartRobustnessTest,
    ::testing::Values(SampleCase{"EmptyRange", 5, 5, 6000, Ramp, false},
                      SampleCase{"ReversedRange", 6, 5, 6000, Ramp, false},
                      SampleCase{"StepBelowFloatResolution", 1e6f, 1e6f + 0.0625f, 6000, Ramp, false},
                      SampleCase{"NonFiniteSamplesSkipped", 0, 10, 6000, HoleInTheMiddle, true},
                      SampleCase{"GridFarFromZero", 0, 10, 6000, FarFromZero, true},
                      SampleCase{"WiderThanSixteenBits", 0, 10, 40000, Ramp, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The cursor read-out with Pmin 2 W, input power 12 W, 100 to 370 V, 1 us minimum on-time at
// 100 kHz: the burst threshold is (Vin x 1 us)^2 x 0.5 x 100 kHz / Lp.
struct CursorCase {
    int16_t type;
    float x;
    float lp;
    const char* button;
    float buttonValue;
    const char* left;
    const char* modeText;
    uint32_t colour;
};

class CursorReadoutTest : public ::testing::TestWithParam<CursorCase> {};

TEST_P(CursorReadoutTest, TextsModeAndColour) {
    const CursorCase& c = GetParam();
    zorvic::ResetDesignState();
    zorvic::SetLocaleDecimalSeparator('.');
    zorvic::OperatingPoint.Pmin = 2;
    zorvic::Transfo.InputPower = 12;
    zorvic::InputStage.VdcMin = 100;
    zorvic::InputStage.VdcMax = 370;
    zorvic::InputStage.SwitchingFrequency = 100000;
    zorvic::CurrentChip.TonMin = 1e-6f;
    zorvic::Transfo.Lprimary.Value = c.lp;
    zorvic::OperatingPoint.ContinuousModeText = "@ Low Line";
    const CursorReadout r = ReadCursor(c.type, c.x);
    EXPECT_EQ(r.ButtonLabel, zorvic::FormatEng(c.buttonValue, c.button));
    EXPECT_EQ(r.LeftLabel, c.left);
    EXPECT_EQ(r.ModeText, c.modeText);
    EXPECT_EQ(r.ModeColour, std::to_string(c.colour));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CursorReadoutTest,
    ::testing::Values(
        // Pin 7 W at 100 V; Lp 50 uH gives a 10 W threshold: 70 %.
        CursorCase{1, 0.5f, 5e-5f, "W", 7, "Pmin", "Burst 70%", 0xFFFF80},
        // Pin 2 W at 235 V; Lp 100 uH gives a 27.6 W threshold: 7 %.
        CursorCase{5, 0.5f, 1e-4f, "V", 235, "Vmin", "Burst 7%", 0xFFFF80},
        // The power charts against input voltage show the design's own mode.
        CursorCase{17, 0.25f, 5e-5f, "W", 4.5f, "Pmin", "@ Low Line", 0xFFFF80},
        CursorCase{19, 1.0f, 5e-5f, "V", 370, "Vmin", "@ Low Line", 0xFFFF80}));

}  // namespace
