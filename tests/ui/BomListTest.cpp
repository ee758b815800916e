// The bill of materials of worked designs: the whole list of a primary design, the output
// sections of each kind of output, the clamp, chip and regulation variants, and the window's
// text and print.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>

#include "BomLines.h"
#include "MessageBox.h"
#include "PrintedText.h"
#include "NumberText.h"
#include "Printing.h"
#include "Variables.h"
#include "fmBOM.h"

using namespace zorvic;
using Lines = std::vector<std::string>;

namespace {

const std::string Sep = BomLines::Separator;

// Primary regulation, an RC clamp, a family-1 chip and a main output with a filter inductor.
void PrimaryDesign() {
    Settings.AdditionalOutputs = 0;
    OperatingPoint.SecondaryRegulation = false;
    Transfo.IpeakMax = 1.2f;
    InputStage.VdcMax = 373.352f;
    InputStage.C2.Value = 4.7e-5f;
    InputStage.C7.Value = 2.2e-9f;
    Clamper.RCClamper = true;
    Clamper.C3.Value = 2.2e-10f;
    Clamper.R1.Value = 4.7e5f;
    Clamper.VoltageMargin = 150;
    OperatingPoint.ClamperLoss = 0.45f;
    Clamper.Diode.Name = "RD060";
    Clamper.Clamp.Series = "SPKA";
    Clamper.Clamp.Code[0] = "30";
    Clamper.Clamp.PowerRating = 0.6f;
    CurrentChip.Name = "ZV124";
    CurrentChip.Family = 1;
    CurrentChip.Rdson = 7;
    CurrentChip.Vdmax = 700;
    CurrentChip.Idlim = 0.7f;
    CurrentChip.AuxDiode.Name = "1N4148";
    CurrentChip.SupplyCapacitor.Value = 1e-5f;
    CurrentChip.OscResistor.Value = 6800;
    CurrentChip.OscCapacitor.Value = 1e-9f;
    CurrentChip.VddReg = 12;
    Control.R3.Value = 560;
    Control.C6.Value = 4.7e-7f;
    Transfo.Lprimary.Value = 1.5e-3f;
    Transfo.LeakageRatio = 0.03f;
    Transfo.Bmax = 0.25f;
    Transfo.Material.Name = "3C90";
    Transfo.Material.Supplier = "Ferroxcube";
    Transfo.Material.Bsat = 0.38f;
    Transfo.Core.Name = "E25/13/7";
    Transfo.PrimaryTurns = 45;
    Transfo.PrimaryWire.Awg = 28;
    Transfo.PrimaryWire.Strands = 2;
    Transfo.AuxTurns = 9;
    Transfo.AuxWire.Awg = 32;
    Transfo.AuxWire.Strands = 1;
    Transfo.OutputTurns[0] = 4;
    Transfo.OutputWire[0].Awg = 24;
    Transfo.OutputWire[0].Strands = 3;
    Transfo.OutputTurns[1] = 3;
    Transfo.OutputWire[1].Awg = 26;
    Transfo.OutputWire[1].Strands = 1;
    OutputRecord& o = Outputs[0];
    o.OutputType = 9;
    o.Diode.Name = "RDKA05";
    o.Cap1.Value = 4.7e-4f;
    o.Cap1Count = 2;
    o.Cap1.Irms[0] = 1.1f;
    o.Cap1.Esr[0] = 0.05f;
    o.Cap1.Vrated = 16;
    o.Inductor.Value = 2.2e-6f;
    o.Cap2.Value = 1e-4f;
    o.Cap2.Irms[0] = 0.5f;
    o.Cap2.Esr[0] = 0.1f;
    o.Cap2.Vrated = 10;
    o.Regulator.Name = "LM2940";
}

// Output 2 a positive Zener output.
void ZenerOutput() {
    PrimaryDesign();
    Settings.AdditionalOutputs = 2;
    OutputRecord& o = Outputs[2];
    o.OutputType = 1;
    o.Diode.Name = "1NQ02";
    o.Cap1.Value = 1e-4f;
    o.Cap1Count = 1;
    o.Cap1.Irms[0] = 0.3f;
    o.Cap1.Esr[0] = 0.2f;
    o.Cap1.Vrated = 25;
    o.Voltage = 15;
    o.Current = 0.1f;
    o.DropResistor.Value = 22;
    o.Cap2.Value = 4.7e-5f;
    o.Cap2.Vrated = 25;
}

// Secondary regulation of two outputs by a shunt reference.
void SecondaryDesign() {
    PrimaryDesign();
    OperatingPoint.SecondaryRegulation = true;
    OperatingPoint.RegulatedOutputCount = 2;
    Control.OptoGain = 1;
    Regulation.ReferenceName = "TL431";
    Regulation.ReferenceCurrent = 0.001f;
    Control.R6.Value = 1e4f;
    Control.C8.Value = 1e-7f;
    Regulation.GroundResistor.Value = 2700;
    Regulation.Divider[1].Value = 4700;
    Regulation.Divider[2].Value = 1.2e4f;
    Regulation.Divider[3].Value = 3.3e4f;
}

const Lines PrimaryInput = {"Input Components", Sep, "BR1 - 1.2A - 373V - Diode Bridge",
                            "C2 - 47uF - 373Vmin - Filtering Capacitor", "C7 - 2.2nF - 2KV - Common Mode Capacitor"};
const Lines PrimaryClamper = {"Clamper Components", Sep, "C3 - 220pF - 373Vmin - Surge Clamping Capacitor",
                              "R1 - 470kOhm - 373Vmin - 450mWmin - Dissipating Resistor",
                              "RD060 - 600V - Clamper Rectifier Diode"};
const Lines ChipHead = {"Zorvic Components", Sep, "ZV124 - 7.0Ohm - 700V - 700mA",
                        "D3 - 1N4148 - Auxiliairy Supply Rectifying Diode",
                        "R4 - 10Ohm - Auxiliary Supply Drop Voltage Resistor",
                        "C4 - 10uF - Start-Up and Decoupling Capacitor"};
const Lines RcChipTail = {"R2 - 6.8kOhm - Resistor of Zorvic RC Oscillator",
                          "C5 - 1.0nF - Capacitor of Zorvic RC Oscillator",
                          "R3 - 560Ohm - Resistor of Zorvic Compensation",
                          "C6 - 470nF - Capacitor of Zorvic Compensation"};
const Lines PrimaryTransformer = {"Transformer",
                                  Sep,
                                  "Primary Inductance : 1.5mH",
                                  "Leakage Inductance : 45uH",
                                  "Imax : 1.2A With Bmax=250mT",
                                  "Core Material : 3C90 - Ferroxcube - Bsat=380mT",
                                  "Geometry : E25/13/7",
                                  "Primary Winding :  45 - AWG 28 // 2",
                                  "Auxiliairy Winding :  9 - AWG 32 // 1",
                                  "Main Output Winding :  4 - AWG 24 // 3"};
const Lines MainInductorOutput = {
    "Main Output Components", Sep, "D11 - RDKA05 - Rectifying Diode",
    "C11 - 470uF // 2, Irms=1.1A, ESR=50mOhm - 16V - First Cell Filtering Capacitor", "L11 - 2.2uH - Filtering Inductor",
    "C12 - 100uF, Irms=500mA, ESR=100mOhm - 10V - Second Cell Filtering Capacitor"};

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

class BomFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        SetLocaleDecimalSeparator('.');
        platform::MessageScript::Enable();
        platform::MessageScript::Clear();
    }
};

struct SectionCase {
    const char* what;
    void (*design)();
    Lines (*section)();
    Lines expected;
};

class BomSectionTest : public BomFixture, public ::testing::WithParamInterface<SectionCase> {};

}  // namespace

TEST_F(BomFixture, PrimaryDesignListsEverySectionOnce) {
    PrimaryDesign();
    const Lines expected = Join({{Sep}, PrimaryInput, {Sep}, PrimaryClamper, {Sep}, ChipHead, RcChipTail, {Sep},
                                 PrimaryTransformer, {Sep}, MainInductorOutput, {Sep}});
    EXPECT_EQ(BomLines::BuildBOM(), expected);
}

TEST_F(BomFixture, SecondaryDesignEndsWithTheRegulationSection) {
    SecondaryDesign();
    const Lines all = BomLines::BuildBOM();
    const Lines regulation = Join({BomLines::RegulationSection(), {Sep}});
    ASSERT_GT(all.size(), regulation.size());
    EXPECT_EQ(Lines(all.end() - static_cast<std::ptrdiff_t>(regulation.size()), all.end()), regulation);
    EXPECT_EQ(all[all.size() - regulation.size() - 1], Sep);
}

TEST_P(BomSectionTest, LinesFollowThePartsOfTheDesign) {
    GetParam().design();
    EXPECT_EQ(GetParam().section(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, BomSectionTest,
    ::testing::Values(
        SectionCase{"ZenerOutput", ZenerOutput, [] { return BomLines::OutputSection(2); },
                    {"Output 2 Components", Sep, "D31 - 1NQ02 - Rectifying Diode",
                     "C31 - 100uF // 1, Irms=300mA, ESR=200mOhm - 25V - First Cell Filtering Capacitor",
                     "D32 - 15V - Shunt Regulating Zener Diode", "R31 - 22Ohm - 220mW - Drop Voltage Resistor",
                     "C32 - 47uF - 25V - Second Cell Filtering Capacitor"}},
        SectionCase{"PostRegulatedMain", [] { PrimaryDesign(); Outputs[0].OutputType = 13; },
                    [] { return BomLines::OutputSection(0); },
                    {"Main Output Components", Sep, "D11 - RDKA05 - Rectifying Diode",
                     "C11 - 470uF // 2, Irms=1.1A, ESR=50mOhm - 16V - First Cell Filtering Capacitor",
                     "Vr11 - LM2940 - Voltage Regulator", "C12 - 100uF - 10V - Second Cell Filtering Capacitor"}},
        SectionCase{"DirectOutput1", [] { PrimaryDesign(); Settings.AdditionalOutputs = 1; Outputs[1] = Outputs[0]; Outputs[1].OutputType = 7; },
                    [] { return BomLines::OutputSection(1); },
                    {"Output 1 Components", Sep, "D21 - RDKA05 - Rectifying Diode",
                     "C21 - 470uF // 2, Irms=1.1A, ESR=50mOhm - 16V - First Cell Filtering Capacitor"}},
        SectionCase{"TransformerOfTwoOutputs", [] { PrimaryDesign(); Settings.AdditionalOutputs = 1; },
                    BomLines::TransformerSection,
                    Join({PrimaryTransformer, {"Output 1 Winding :  3 - AWG 26 // 1"}})},
        SectionCase{"SurgeClampDiode", [] { PrimaryDesign(); Clamper.RCClamper = false; }, BomLines::ClamperSection,
                    {"Clamper Components", Sep, "SPKA - 30 - 600mW - Surge Clamping Dravex",
                     "RD060 - 600V - Clamper Rectifier Diode"}},
        SectionCase{"Family3Primary", [] { PrimaryDesign(); CurrentChip.Family = 3; }, BomLines::ChipSection,
                    Join({ChipHead,
                          {"D4 - 15V - Auxiliary Voltage Regulating Zener Diode", "C5 - 1.0nF - Noise Filtering Capacitor"}})},
        SectionCase{"Family3Secondary", [] { SecondaryDesign(); CurrentChip.Family = 3; }, BomLines::ChipSection,
                    Join({ChipHead, {"C5 - 1.0nF - Noise Filtering Capacitor"}})},
        SectionCase{"RegulationOfTwoOutputs", SecondaryDesign, BomLines::RegulationSection,
                    {"Regulation Components", Sep, "Opto-Coupler : Gain= 1", "TL431 - Shunt Regulator",
                     "R5 - 1.0kOhm - TL431 Supply Sustain Current Resistor", "R6 - 10kOhm - Gain Resistor",
                     "C8 - 100nF - Compensation Capacitor", "R7 - 2.7kOhm - Bridge Grounded Resistor",
                     "R8 - 4.7kOhm - Ouput Regulation Resistor", "R9 - 12kOhm - Ouput Regulation Resistor"}},
        // No output in the loop ends the section after C8; a zero reference current has no
        // sustain resistor value rather than a division by zero.
        SectionCase{"NoRegulatedOutputZeroCurrent",
                    [] { SecondaryDesign(); OperatingPoint.RegulatedOutputCount = 0; Regulation.ReferenceCurrent = 0; },
                    BomLines::RegulationSection,
                    {"Regulation Components", Sep, "Opto-Coupler : Gain= 1", "TL431 - Shunt Regulator",
                     "R5 - TL431 Supply Sustain Current Resistor", "R6 - 10kOhm - Gain Resistor",
                     "C8 - 100nF - Compensation Capacitor"}}),
    [](const auto& info) { return std::string(info.param.what); });

// The text box holds every line after two blanks, one line each.
TEST_F(BomFixture, WindowShowsTheListIndented) {
    PrimaryDesign();
    fmBOM window;
    const Lines lines = BomLines::BuildBOM();
    QString expected;
    for (const std::string& line : lines) expected += QStringLiteral("  ") + QString::fromStdString(line) + QLatin1Char('\n');
    EXPECT_EQ(window.txtBOMList->toPlainText().toStdString(), expected.toStdString());
    EXPECT_FALSE(window.PrintMode);
}

// Without a printer the list becomes a PDF file the user is told of; the text box stays as it was.
TEST_F(BomFixture, PrintWithoutPrinterWritesPdfAndSaysWhere) {
    PrimaryDesign();
    QTemporaryDir folder;
    platform::SetPrintFolder(folder.path());
    fmBOM window;
    const QString before = window.txtBOMList->toPlainText();
    EXPECT_TRUE(window.cmdPrint_Click());
    const QString pdf = QDir(folder.path()).filePath(QStringLiteral("Default - BOM List.pdf"));
    EXPECT_TRUE(QFile::exists(pdf));
    ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_TRUE(platform::MessageScript::Shown()[0].text.contains(pdf));
    EXPECT_EQ(window.txtBOMList->toPlainText(), before);
    EXPECT_FALSE(window.PrintMode);
    // A folder that cannot be made is told with its reason, and leaves the window ready for the
    // next print.
    const QString blocked = QDir(folder.path()).filePath(QStringLiteral("Default - BOM List.pdf/deeper"));
    platform::SetPrintFolder(blocked);
    EXPECT_FALSE(window.cmdPrint_Click());
    ASSERT_EQ(platform::MessageScript::Shown().size(), 2u);
    EXPECT_TRUE(platform::MessageScript::Shown()[1].text.startsWith(
        "The list could not be printed to the file " + blocked + "/Default - BOM List.pdf : "));
    EXPECT_FALSE(window.PrintMode);
    platform::SetPrintFolder(QString());
}

// A list longer than a page goes on over as many pages as it needs.
TEST(PrintedTextTest, LongListRunsOverPages) {
    QTemporaryDir folder;
    platform::SetPrintFolder(folder.path());
    platform::PrintJob print(QStringLiteral("Pages"));
    ASSERT_NE(print.Printer(), nullptr);
    PrintedText job(*print.Printer(), QFont(QStringLiteral("Arial"), 12));
    ASSERT_TRUE(job.Active());
    for (int i = 0; i < 40; ++i) job.Line(QStringLiteral("line"));
    EXPECT_EQ(job.Pages(), 1);  // 40 lines of 12 points fit on an A4 or Letter page
    for (int i = 0; i < 160; ++i) job.Line(QStringLiteral("line"));
    EXPECT_GE(job.Pages(), 3);
    const platform::PrintOutcome outcome = print.Finish(job.End());
    EXPECT_TRUE(outcome.ok);
    EXPECT_TRUE(QFile::exists(outcome.pdfPath));
    platform::SetPrintFolder(QString());
}
