// The texts of the schematic's component labels and of the information panel for worked designs,
// with the labels each chip family, clamp and input shows or hides, and their colours.

#include <QGroupBox>
#include <QLineEdit>

#include "Colours.h"
#include "MainPageFixture.h"
#include "SvgPicture.h"

using namespace zorvic;

namespace {

// A family-5 chip with its RC network, an RC clamp and AC input; values picked so that each
// label shows another branch of the engineering notation.
void WorkedDesign() {
    Settings.ACInput = true;
    InputStage.C2.Value = 4.7e-5f;            // 47uF
    InputStage.C7.Value = 2.2e-9f;            // 2.2nF
    CurrentChip.Family = 5;
    CurrentChip.Name = "ZorvicF1";
    CurrentChip.SupplyCapacitor.Value = 1e-5f;   // 10uF
    CurrentChip.OscCapacitor.Value = 1e-9f;      // 1.0nF
    CurrentChip.SupplyCapacitor2.Value = 1.5e-8f;  // 15nF
    CurrentChip.OscResistor.Value = 6800;        // 6.8kR
    CurrentChip.AuxDiode.Name = "RD059";
    CurrentChip.Vdd3 = 5.7f;
    Control.C6.Value = 4.7e-7f;  // 470nF
    Control.R3.Value = 560;      // 560R
    Clamper.RCClamper = true;
    Clamper.C3.Value = 2.2e-10f;  // 220pF
    Clamper.R1.Value = 4.7e5f;    // 470kR
    Clamper.Diode.Name = "RD060";
    Clamper.Clamp.Series = "SPKA";
    Clamper.Clamp.Code[0] = "30";
}

struct LabelExpectation {
    const char* name;
    const char* text;  // nullptr: hidden
};

struct DesignCase {
    const char* what;
    void (*change)();
    std::vector<LabelExpectation> labels;
};

class ComponentLabelsTest : public MainPageFixture, public ::testing::WithParamInterface<DesignCase> {};

struct ModeCase {
    const char* modeText;
    float duty;
    bool powerTooHigh;
    const char* modeLine;
    uint32_t dutyColour;
};

class PanelModeTest : public MainPageFixture, public ::testing::WithParamInterface<ModeCase> {};

class PanelTest : public MainPageFixture {};

QLabel* Find(const MainPage& page, const char* name) { return page.findChild<QLabel*>(QString::fromLatin1(name)); }

}  // namespace

TEST_P(ComponentLabelsTest, LabelsReadTheDesign) {
    WorkedDesign();
    GetParam().change();
    page->LblComponentDraw(1.0f);
    for (const LabelExpectation& e : GetParam().labels) {
        QLabel* label = Find(*page, e.name);
        ASSERT_NE(label, nullptr) << e.name;
        if (!e.text) {
            EXPECT_FALSE(Shown(label)) << e.name;
            continue;
        }
        EXPECT_TRUE(Shown(label)) << e.name;
        EXPECT_EQ(label->text(), QString::fromUtf8(e.text)) << e.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, ComponentLabelsTest,
    ::testing::Values(
        DesignCase{"rc chip", [] {},
                   {{"lblCap(1)", "C1"},
                    {"lblCap(2)", "C2\r\n47uF"},
                    {"lblCap(4)", "C4\r\n10uF"},
                    {"lblCap(5)", "C5\r\n1.0nF"},
                    {"lblCap(7)", "C7\r\n2.2nF-2kV"},
                    {"lblCap(9)", "C9\r\n15nF"},
                    {"lblCap(6)", "C6\r\n470nF"},
                    {"lblRes(2)", "R2\r\n6.8kR"},
                    {"lblRes(3)", "R3\r\n560R"},
                    {"lblRes(4)", "R4 10R"},
                    {"lblVar(0)", "L1"},
                    {"lblVar(1)", "T1"},
                    {"lblVar(2)", "F1"},
                    {"lblVar(3)", "Th1"},
                    {"lblSil(0)", "BR1"},
                    {"lblSil(1)", "D1\r\nRD060"},
                    {"lblCap(3)", "C3\r\n220pF"},
                    {"lblRes(1)", "R1\r\n470kR"},
                    {"lblSil(3)", nullptr},
                    {"lblSil(4)", "D3\r\nRD059"},
                    {"lblSil(5)", "ZorvicF1"}}},
        DesignCase{"zener chip, primary regulation",
                   [] {
                       CurrentChip.Family = 3;
                       Control.C6.Value = 1e-7f;
                   },
                   {{"lblCap(5)", "C5\r\n100nF"},
                    {"lblRes(2)", "D4\r\n8.7V"},
                    {"lblRes(3)", nullptr},
                    {"lblCap(6)", nullptr},
                    {"lblCap(9)", nullptr}}},
        DesignCase{"zener chip, secondary regulation",
                   [] {
                       CurrentChip.Family = 3;
                       OperatingPoint.SecondaryRegulation = true;
                   },
                   {{"lblRes(2)", nullptr}, {"lblRes(3)", nullptr}, {"lblCap(6)", nullptr}}},
        DesignCase{"family 4", [] { CurrentChip.Family = 4; }, {{"lblCap(9)", "C9\r\n15nF"}, {"lblCap(6)", nullptr}}},
        DesignCase{"family 1", [] { CurrentChip.Family = 1; },
                   {{"lblCap(9)", nullptr}, {"lblCap(6)", "C6\r\n470nF"}, {"lblRes(3)", "R3\r\n560R"}}},
        DesignCase{"surge clamp", [] { Clamper.RCClamper = false; },
                   {{"lblCap(3)", nullptr}, {"lblRes(1)", nullptr}, {"lblSil(3)", "D2\r\nSPKA-30"}}},
        DesignCase{"dc input", [] { Settings.ACInput = false; }, {{"lblCap(2)", "C2\r\n100nF"}}},
        DesignCase{"regulation network",
                   [] {
                       OperatingPoint.SecondaryRegulation = true;
                       Control.C8.Value = 1e-7f;
                       Control.R6.Value = 2200;
                       Regulation.ReferenceCurrent = 1e-4f;
                       Regulation.ReferenceName = "SHR1";
                   },
                   {{"lblCap(8)", "C8 \r\n100nF"},
                    {"lblRes(5)", "R5\r\n10kR"},
                    {"lblRes(6)", "R6\r\n2.2kR"},
                    {"lblSil(6)", "Opto1"},
                    {"lblSil(7)", "SHR1"}}},
        DesignCase{"regulation network, primary",
                   [] { Regulation.ReferenceName = "SHR1"; },
                   {{"lblCap(8)", nullptr}, {"lblRes(5)", nullptr}, {"lblRes(6)", nullptr}, {"lblSil(6)", nullptr},
                    {"lblSil(7)", nullptr}}},
        DesignCase{"no reference current",
                   [] {
                       OperatingPoint.SecondaryRegulation = true;
                       Regulation.ReferenceCurrent = 0;
                   },
                   {{"lblRes(5)", "R5"}}}));

TEST_F(PanelTest, LabelsTakeTheirFamilysTooltips) {
    WorkedDesign();
    CurrentChip.Family = 4;
    page->LblComponentDraw(1.0f);
    EXPECT_EQ(page->lblCap[5]->toolTip(), "Noise Filtering Capacitor");
    EXPECT_EQ(page->lblRes[2]->toolTip(), "Auxiliary Voltage Regulating Zener");
    CurrentChip.Family = 2;
    page->LblComponentDraw(1.0f);
    EXPECT_EQ(page->lblCap[5]->toolTip(), "Zorvic RC Oscillator Capacitor");
    EXPECT_EQ(page->lblRes[2]->toolTip(), "Zorvic RC Oscillator Resistor");
    EXPECT_EQ(page->lblCap[7]->toolTip(), "Common Mode Capacitor");
    EXPECT_EQ(page->lblSil[5]->toolTip(), "Zorvic Integrated Offline Switcher");
}

TEST_F(PanelTest, ChipNameAndChipLossAreRedOverTemperatureEvenInTrainingMode) {
    WorkedDesign();
    Settings.TrainingMode = 1;
    for (bool over : {true, false}) {
        CurrentChip.OverTemperature = over;
        page->LblComponentDraw(1.0f);
        page->LblPowerDraw(1.0f);
        const uint32_t expected = over ? 0x0000FFu : 0x000000u;
        EXPECT_EQ(platform::ForeColor(page->lblSil[5]), expected);
        EXPECT_EQ(platform::ForeColor(page->lblPower[1]), expected);
        EXPECT_EQ(platform::ForeColor(page->lblCap[2]), 0xFF0000u);  // the others are blue
        EXPECT_EQ(platform::ForeColor(page->lblPower[4]), 0xFF0000u);
    }
}

TEST_F(PanelTest, LinesReadTheOperatingPoint) {
    OperatingPoint.OutputLoss = 0.625f;
    CurrentChip.Tj = 85.25f;
    OperatingPoint.ChipLoss = 1.5f;
    OperatingPoint.ClamperLoss = 0.067f;
    OperatingPoint.Efficiency = 0.8f;
    OperatingPoint.AmbientTemperature = 25;
    OperatingPoint.OutputPower = 12;
    Transfo.IpeakMax = 0.274f;
    Transfo.Lprimary.Value = 1.66e-3f;
    OperatingPoint.TransformerLoss = 0.35f;
    OperatingPoint.DutyCycleAtVmin = 0.45f;
    OperatingPoint.ContinuousModeText = "Discont";
    page->LblPowerDraw(1.0f);
    const char* expected[] = {"Output           : 625mW",   "Zorvic at 85°C : 1.5W",    "Clamper         : 67mW",
                              "Efficiency : 80% @ 25°C",   "Output Power : 12W",       "Ipeak Primary : 274mA",
                              "Primary Inductance: 1.7mH", "Continuous Mode : Never",  "Transformer   : 350mW",
                              "Project Name : ",           "Duty Cycle at Vmin : 45%"};
    for (std::size_t k = 0; k < 11; ++k) {
        EXPECT_EQ(page->lblPower[k]->text(), QString::fromUtf8(expected[k])) << k;
        EXPECT_TRUE(Shown(page->lblPower[k])) << k;
    }
    EXPECT_EQ(page->lblPower[0]->parentWidget(), page->fmLosses);
    EXPECT_EQ(page->lblPower[7]->parentWidget(), page->fmPower);
    EXPECT_FALSE(Shown(page->TWlogo));
    EXPECT_EQ(page->fmPower->title(), "Quick Circuit Datas");
    EXPECT_EQ(page->fmLosses->title(), "Losses");
}

TEST_P(PanelModeTest, ModeLineAndDutyCycleWarning) {
    const ModeCase c = GetParam();
    OperatingPoint.ContinuousModeText = c.modeText;
    OperatingPoint.DutyCycleAtVmin = c.duty;
    OperatingPoint.OutputPower = 12;
    Settings.PowerTooHigh = c.powerTooHigh;
    page->LblPowerDraw(1.0f);
    EXPECT_EQ(page->lblPower[7]->text(), QString::fromLatin1(c.modeLine));
    EXPECT_EQ(platform::ForeColor(page->lblPower[10]), c.dutyColour);
    // The duty cycle is no engineering value: the power warning leaves it.
    EXPECT_EQ(page->lblPower[10]->text(), QStringLiteral("Duty Cycle at Vmin : %1%").arg(std::lround(c.duty * 100)));
    EXPECT_EQ(page->lblPower[4]->text(), c.powerTooHigh ? "Output Power : " : "Output Power : 12W");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PanelModeTest,
    ::testing::Values(ModeCase{"Discont", 0.6f, false, "Continuous Mode : Never", 0x000000},
                      ModeCase{"Cont", 0.55f, false, "Continuous Mode : Always", 0x0000FF},
                      ModeCase{"Cont", 0.5f, false, "Continuous Mode : Always", 0x000000},
                      ModeCase{"@ Low Line", 0.6f, false, "Continuous Mode : @ Low Line", 0x0000FF},
                      ModeCase{"", 0.6f, false, "Continuous Mode : ", 0x0000FF},
                      ModeCase{"Cont", 0.6f, true, "Continuous Mode : Over Power", 0x0000FF},
                      ModeCase{"Discont", 0.6f, true, "Continuous Mode : Over Power", 0x000000}));

TEST_F(PanelTest, AtLabelZoomMinTheLogoReplacesThePanels) {
    OperatingPoint.OutputPower = 12;
    page->LblPowerDraw(1.0f);
    page->LblPowerDraw(0.75f);
    EXPECT_TRUE(Shown(page->TWlogo));
    EXPECT_FALSE(Shown(page->fmPower));
    EXPECT_FALSE(Shown(page->fmLosses));
    EXPECT_FALSE(Shown(page->txtProject));
    EXPECT_EQ(page->lblPower[4]->text(), "Output Power : 12W");  // not rewritten
    // Top 50, Left 100 of the input picture, twice its design size times the zoom.
    const QSizeF logo = SvgPicture::DesignSize(QStringLiteral("Logo"));
    QWidget probe;
    platform::SetTwipGeometry(&probe, {100, 50, static_cast<int32_t>(std::lround(logo.width() * 1.5)),
                                       static_cast<int32_t>(std::lround(logo.height() * 1.5))});
    EXPECT_EQ(page->TWlogo->geometry(), probe.geometry());
    EXPECT_EQ(page->TWlogo->parentWidget(), page->InputFilter);
}

TEST_F(PanelTest, ProjectBoxKeepsItsSizeAtEveryZoom) {
    for (float zoom : {0.8f, 1.0f, 1.7f, 3.0f}) {
        page->LblPowerDraw(zoom);
        EXPECT_NEAR(platform::TwipWidth(page->txtProject), MainPageControls::ProjectBoxWidth, Pixel()) << zoom;
        EXPECT_NEAR(platform::TwipHeight(page->txtProject), 300, Pixel()) << zoom;
        EXPECT_NEAR(platform::PixelsToTwips(page->txtProject->y()), 2100 * zoom + 300, Pixel()) << zoom;
    }
    EXPECT_EQ(page->txtProject->toolTip(), "User Project Name");
}
