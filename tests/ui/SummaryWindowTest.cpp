// The summary window's lines for worked designs: the frames each input shows, the lines of the
// active outputs and the totals, and the tabs of outputs that are no longer active.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <memory>

#include "Forms.h"
#include "NumberText.h"
#include "Variables.h"
#include "fmSummary.h"

using namespace zorvic;

namespace {

void SetOutput(std::size_t i, int16_t type, float volts, float amps, float minimumAmps, float loss, const char* serial,
               float cap1, int16_t cap1Count, const char* diode) {
    OutputRecord& o = Outputs[i];
    o.OutputType = type;
    o.Voltage = volts;
    o.Current = amps;
    o.MinimumCurrent = minimumAmps;
    o.Loss = loss;
    o.SerialElement.Name = serial;
    o.Cap1.Value = cap1;
    o.Cap1Count = cap1Count;
    o.Diode.Name = diode;
}

// Mains input, secondary regulation, 65 kHz, three outputs: a main output with a filter inductor
// and two capacitors in parallel, and a direct output at index 2.
void AcDesign() {
    Settings.ACInput = true;
    Settings.AdditionalOutputs = 2;
    InputStage.VacMax = 264;
    InputStage.VacMin = 88;
    InputStage.VdcMax = 373.352f;
    InputStage.VdcMin = 84.45f;
    InputStage.RippleVoltage = 40;
    InputStage.MainsFrequency = 50;
    InputStage.SwitchingFrequency = 65000;
    InputStage.ReflectedVoltage = 80;
    Control.SoftStartTime = 0.01f;
    Control.OptoGain = 1;
    OperatingPoint.SecondaryRegulation = true;
    OperatingPoint.ContinuousModeText = "Cont";
    OperatingPoint.ChipLoss = 0.9f;
    OperatingPoint.ClamperLoss = 0.45f;
    Clamper.VoltageMargin = 150;
    OperatingPoint.OutputLoss = 1.75f;
    OperatingPoint.TransformerLoss = 0.6f;
    OperatingPoint.OutputPower = 22;
    OperatingPoint.Efficiency = 0.8f;
    OperatingPoint.TotalLoss = 3.7f;
    CurrentChip.Name = "ZV124";
    SetOutput(0, 10, 5, 2, 0.2f, 1.5f, "Inductor", 4.7e-4f, 2, "RDKA05");
    Outputs[0].Cap2.Value = 1e-4f;
    SetOutput(2, 7, 12, 0.5f, 0.05f, 0.25f, "LM7812", 2.2e-4f, 1, "UF4002");
    Outputs[4].Voltage = 24;  // a deleted output's values
}

// Telecom DC input, primary regulation, one direct main output.
void DcDesign() {
    Settings.ACInput = false;
    Settings.AdditionalOutputs = 0;
    InputStage.VdcMax = 72;
    InputStage.VdcMin = 36;
    InputStage.MainsFrequency = 60;
    InputStage.SwitchingFrequency = 100000;
    InputStage.ReflectedVoltage = 50;
    OperatingPoint.SecondaryRegulation = false;
    OperatingPoint.ContinuousModeText = "Discont";
    Outputs[0].OutputType = 11;
    Outputs[0].Voltage = 3.3f;
    Outputs[0].Cap1.Value = 1e-3f;
    Outputs[0].Cap1Count = 3;
}

struct SummaryCase {
    const char* what;
    void (*design)();
    bool acFrame;
    std::vector<std::pair<const char*, const char*>> lines;
};

class SummaryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        SetLocaleDecimalSeparator('.');
    }
    std::unique_ptr<fmSummary> window;
    QString Caption(const char* name) const {
        const auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<no label>");
    }
};

class SummaryTest : public SummaryFixture, public ::testing::WithParamInterface<SummaryCase> {};

}  // namespace

TEST_P(SummaryTest, LinesReadTheDesign) {
    GetParam().design();
    window = std::make_unique<fmSummary>();
    EXPECT_EQ(window->findChild<QGroupBox*>(QStringLiteral("fmACInput"))->isVisibleTo(window.get()), GetParam().acFrame);
    EXPECT_EQ(window->findChild<QGroupBox*>(QStringLiteral("fmDCinput"))->isVisibleTo(window.get()), !GetParam().acFrame);
    for (const auto& [name, text] : GetParam().lines) EXPECT_EQ(Caption(name), QString::fromUtf8(text)) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Designs, SummaryTest,
    ::testing::Values(
        SummaryCase{"Ac",
                    AcDesign,
                    true,
                    {{"lblInputVoltMax", "Max Input Voltage : 264VAC"},
                     {"lblInputVoltMin", "Min Input Voltage : 88VAC"},
                     {"lblInputDCMax", "Max DC Input Voltage : 373V"},
                     {"lblInputDCMin", "Min DC Input Voltage : 84V"},
                     {"lblRipVolt", "Ripple Voltage : 40Vpp"},
                     {"lblMainFreq", "Main Frequency : 50 Hz "},
                     {"lblSwitchFreq", "Switching Frequency : 65 kHz"},
                     {"lblSoftStart", "Soft Start Time : 10ms"},
                     {"lblGainOpto", "Gain OptoCoupler : 1.0"},
                     {"lblReflectVolt", "Reflected Voltage : 80V"},
                     {"lblRegulation", "Regulation Type : Secondary"},
                     {"lblVoltage(0)", "Voltage : 5.0V"},
                     {"lblCurrentNom(0)", "Nominal Current : 2.0A"},
                     {"lblCurrentMin(0)", "Minimum Current : 200mA"},
                     {"lblPowerNom(0)", "Nominal Power : 10W"},
                     {"lblPowerMin(0)", "Minimum Power : 1.0W"},
                     {"lblPowerLoss(0)", "Nom. Power Losses : 1.5W"},
                     {"lblSerialElement(0)", " Serial Element : Inductor"},
                     {"lblOutCap2(0)", " Second Output Capacitor : C12 100uF"},
                     {"lblShottky(0)", " Rectifier Diode : RDKA05"},
                     {"lblOutCap(0)", " First Output Capacitor : C11 470uF //  2"},
                     {"lblVoltage(2)", "Voltage : 12V"},
                     {"lblCurrentNom(2)", "Nominal Current : 500mA"},
                     {"lblCurrentMin(2)", "Minimum Current : 50mA"},
                     {"lblPowerNom(2)", "Nominal Power : 6.0W"},
                     {"lblPowerMin(2)", "Minimum Power : 600mW"},
                     {"lblPowerLoss(2)", "Nom. Power Losses : 250mW"},
                     {"lblSerialElement(2)", " Serial Element : None"},
                     {"lblOutCap2(2)", " Second Output Capacitor : None"},
                     {"lblShottky(2)", " Rectifier Diode : UF4002"},
                     {"lblOutCap(2)", " First Output Capacitor : C31 220uF //  1"},
                     {"lblVoltage(3)", ""},
                     {"lblVoltage(4)", ""},
                     {"lblOutCap(5)", ""},
                     {"lblOutputNumber", "Active Outputs :  3"},
                     {"lblMode", "Continuous Mode : Cont"},
                     {"lblZorvicLoss", "ZV124 Losses : 900mW"},
                     {"lblSnubberLoss", "Clamper Losses : 450mW"},
                     {"lblOutputLoss", "Outputs Losses : 1.8W"},
                     {"lblTransfoLoss", "Transformer Losses : 600mW"},
                     {"lblTotalPower", "Overall Output Power : 22W"},
                     {"lblEfficiency", "Total Efficiency : 80 %"},
                     {"lblTotalLoss", "Total Power Losses : 3.7W"}}},
        SummaryCase{"Dc",
                    DcDesign,
                    false,
                    {{"lblInputDCMax2", "Max DC Input Voltage : 72V"},
                     {"lblInputDCMin2", "Min DC Input Voltage : 36V"},
                     {"lblMainFreq", "Main Frequency : 60 Hz"},
                     {"lblSwitchFreq", "Switching Frequency : 100 kHz"},
                     {"lblSoftStart", "Soft Start Time : In Secondary Regulation Only"},
                     {"lblGainOpto", "Gain OptoCoupler :  In Secondary Regulation Only"},
                     {"lblReflectVolt", "Reflected Voltage : 50V"},
                     {"lblRegulation", "Regulation Type : Primary"},
                     {"lblVoltage(0)", "Voltage : 3.3V"},
                     {"lblSerialElement(0)", " Serial Element : None"},
                     {"lblOutCap2(0)", " Second Output Capacitor : None"},
                     {"lblOutCap(0)", " First Output Capacitor : C11 1.0mF //  3"},
                     {"lblVoltage(1)", ""},
                     {"lblOutputNumber", "Active Outputs :  1"},
                     {"lblMode", "Continuous Mode : Discont"}}}),
    [](const auto& info) { return std::string(info.param.what); });

// Refreshing after an output was deleted blanks its tab instead of showing the deleted output.
TEST_F(SummaryFixture, DeletedOutputTabIsBlanked) {
    AcDesign();
    window = std::make_unique<fmSummary>();
    ASSERT_EQ(Caption("lblVoltage(2)"), QStringLiteral("Voltage : 12V"));
    Settings.AdditionalOutputs = 1;
    window->Form_Load();
    EXPECT_EQ(Caption("lblVoltage(2)"), QString());
    EXPECT_EQ(Caption("lblShottky(2)"), QString());
    EXPECT_EQ(Caption("lblOutputNumber"), QStringLiteral("Active Outputs :  2"));
}

// "All Datas" loads the window once, registered for the main window's refresh, and shows it.
TEST(SummaryRefreshTest, ShowSummaryLoadsOneRegisteredWindow) {
    ResetDesignState();
    fmSummary& first = fmSummary::ShowSummary();
    EXPECT_TRUE(first.isVisible());
    EXPECT_EQ(&fmSummary::ShowSummary(), &first);
    EXPECT_EQ(platform::Forms::Find(QStringLiteral("fmSummary")), &first);
    delete &first;
    EXPECT_EQ(fmSummary::Loaded(), nullptr);
}
