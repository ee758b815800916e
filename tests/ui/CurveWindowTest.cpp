// The curve window: its set-up, selection and layouts, coupled cursors, the read-outs after a
// design change, and its refusal to open without the scroll control.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QFile>
#include <QTemporaryDir>

#include "Colours.h"
#include "ComputeDesign.h"
#include "ControlRegistry.h"
#include "CurveChartBox.h"
#include "CurveCursor.h"
#include "MessageBox.h"
#include "NumberText.h"
#include "Printing.h"
#include "Twips.h"
#include "Variables.h"
#include "fmBOM.h"
#include "fmCurve.h"

namespace {

class CurveWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        zorvic::ComputeDesign();
        platform::MessageScript::Clear();
        QString error;
        window = fmCurve::Create(error);
        ASSERT_TRUE(window) << error.toStdString();
        window->resize(800, 700);
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        platform::SetPrintFolder(QString());
        platform::PrinterDialogScript::Clear();
    }

    void Assign(int16_t chart, int16_t type) {
        window->picCurve_Click(chart);
        window->mnuCurve_Click(type);
    }
    std::vector<int> Shown() const {
        std::vector<int> shown;
        for (int i = 0; i < 4; ++i)
            if (window->picCurve(i)->isVisible()) shown.push_back(i);
        return shown;
    }
    int32_t Top(int i) const { return platform::TwipGeometry(window->picCurve(i)).Top; }

    std::unique_ptr<fmCurve> window;
};

TEST_F(CurveWindowTest, OpensDualStackedWithEmptyCharts) {
    EXPECT_EQ(window->Layout(), LayoutDualStacked);
    EXPECT_EQ(Shown(), (std::vector<int>{0, 1}));
    EXPECT_LT(Top(0), Top(1));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(window->CursorTexts(i), (std::array<std::string, 3>{"", "", ""}));
        EXPECT_FALSE(window->Chart(i).HasCurve);
    }
    EXPECT_EQ(window->LastPlot(0).Background, ChartColour::Empty);
}

TEST_F(CurveWindowTest, SelectionDecidesTheChartsOfDualAndSingle) {
    window->optNumber(2)->setChecked(true);
    window->optNumber_Click(2);
    EXPECT_FALSE(window->optDual(0)->isEnabled());
    EXPECT_TRUE(window->optQuad(0)->isEnabled());
    EXPECT_EQ(Shown(), (std::vector<int>{0, 1, 2, 3}));
    window->picCurve_Click(2);
    EXPECT_EQ(platform::BackColor(window->cmdCurve(2)), 0xFFFF80u);
    EXPECT_EQ(platform::BackColor(window->cmdCurve(0)), 0xFFC0C0u);
    EXPECT_EQ(platform::BackColor(window->cmdCurve(1)), 0xC00000u);
    window->optNumber(1)->setChecked(true);
    window->optNumber_Click(1);
    EXPECT_EQ(Shown(), (std::vector<int>{0, 2}));
    EXPECT_LT(Top(0), Top(2));
    window->picCurve_DblClick(3);
    EXPECT_EQ(window->Layout(), LayoutSingle);
    EXPECT_EQ(Shown(), (std::vector<int>{3}));
    EXPECT_FALSE(window->optDual(0)->isEnabled());
    EXPECT_FALSE(window->optQuad(0)->isEnabled());
}

TEST_F(CurveWindowTest, CoupledCursorsFollowTheReleasedOneAndNewCharts) {
    window->optNumber(2)->setChecked(true);
    window->optNumber_Click(2);
    Assign(0, 1);
    Assign(1, 5);
    Assign(2, 9);
    window->ChkCursor(0)->setChecked(true);
    window->ChkCursor_Click(0);
    const float voltCursor = window->Chart(1).CursorValue;
    window->ScrollCurve_Scroll(2, 0.8f);
    window->ScrollCurve_Change(2, 0.8f);
    // Chart 0's thumb moved to 0.8: its thumb text is the power there, to the thumb's twip.
    const float pin = zorvic::OperatingPoint.Pmin + 0.8f * (zorvic::Transfo.InputPower - zorvic::OperatingPoint.Pmin);
    EXPECT_NEAR(window->Chart(0).CursorValue, 0.8f, 0.01f);
    EXPECT_EQ(window->CursorTexts(0)[0], ReadCursor(1, window->Chart(0).CursorValue).ButtonLabel);
    EXPECT_EQ(ReadCursor(1, 0.8f).ButtonLabel, zorvic::FormatEng(pin, "W"));
    EXPECT_EQ(window->Chart(1).CursorValue, voltCursor);
    // A chart given the coupled quantity starts at the shared value, its thumb too.
    Assign(3, 2);
    EXPECT_FLOAT_EQ(window->Chart(3).CursorValue, 0.8f);
    EXPECT_EQ(window->CursorTexts(3)[0], ReadCursor(2, 0.8f).ButtonLabel);
    // Blank takes a chart out of the coupling.
    window->picCurve_Click(0);
    window->mnuBlank_Click();
    EXPECT_EQ(window->Chart(0).CursorUnit, "");
    EXPECT_EQ(window->CursorTexts(0), (std::array<std::string, 3>{"", "", ""}));
}

TEST_F(CurveWindowTest, EachChartSamplesInItsOwnModeAndTraceAllRefreshesReadouts) {
    Assign(0, 9);
    Assign(1, 11);
    window->ScrollCurve_Scroll(0, 0.0f);
    window->ScrollCurve_Scroll(1, 1.0f);
    EXPECT_EQ(window->ChartMode(0), ReadCursor(9, 0.0f).ModeString);
    EXPECT_EQ(window->ChartMode(1), ReadCursor(11, 1.0f).ModeString);
    zorvic::Transfo.InputPower *= 2;
    window->TraceAll();
    EXPECT_EQ(window->CursorTexts(1)[0], ReadCursor(11, window->Chart(1).CursorValue).ButtonLabel);
}

TEST_F(CurveWindowTest, EmptyPowerRangeDrawsTheGreyBoxWithItsTitle) {
    zorvic::OperatingPoint.Pmax = zorvic::OperatingPoint.Pmin;
    Assign(0, 19);
    const ChartPlot& plot = window->LastPlot(0);
    EXPECT_EQ(plot.Background, ChartColour::Background);
    EXPECT_FALSE(plot.Traced);
    EXPECT_TRUE(plot.Traces.empty());
    ASSERT_FALSE(plot.Texts.empty());
    EXPECT_EQ(plot.Texts.front().Text, "Pdiss(Pin)");
}

TEST(CurveWindowOpening, RefusesWithAMessageWhenTheScrollControlIsNotRegistered) {
    const QString location = platform::ControlRegistry::Location();
    QTemporaryDir dir;
    platform::ControlRegistry::SetLocation(dir.filePath("empty.conf"));
    platform::MessageScript::Clear();
    EXPECT_EQ(fmCurve::ShowCurves(), nullptr);
    platform::ControlRegistry::SetLocation(location);
    ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
    EXPECT_TRUE(platform::MessageScript::Shown()[0].text.contains("Glidebar.Glidebar"));
    EXPECT_EQ(platform::MessageScript::Shown()[0].title, "Waveform");
}

}  // namespace

namespace {

// The Print menu's Printer Setup is the program's one printer choice; Print Curve asks for the
// printer first, and a cancel prints nothing and says nothing.
TEST_F(CurveWindowTest, PrintMenuChoosesThePrinterAndPrintCurveAsksFirst) {
    window->optNumber(2)->setChecked(true);
    window->optNumber_Click(2);
    Assign(0, 1);
    QTemporaryDir chosen;
    QAction* setup = window->findChild<QAction*>(QStringLiteral("mnuPrintSetup"));
    QAction* print = window->findChild<QAction*>(QStringLiteral("mnuPrintCurve"));
    ASSERT_TRUE(setup && print);
    EXPECT_EQ(setup->text(), QStringLiteral("Printer Setup"));
    platform::PrinterDialogScript::PushPdfFolder(chosen.path());
    setup->trigger();
    print->trigger();  // the dialog is cancelled
    EXPECT_EQ(platform::PrinterDialogScript::Shown(), 2);
    EXPECT_TRUE(QDir(chosen.path()).isEmpty());
    fmBOM list;
    EXPECT_TRUE(list.cmdPrint_Click());
    EXPECT_TRUE(QFile::exists(chosen.filePath(QStringLiteral("Default - BOM List.pdf"))));
    platform::PrinterDialogScript::PushPdfFolder(chosen.path());
    print->trigger();
    const QString path = chosen.filePath(QStringLiteral("Default - Waveform.pdf"));
    ASSERT_EQ(platform::MessageScript::Shown().size(), 2u);
    EXPECT_EQ(platform::MessageScript::Shown()[1].text, "The curve window was printed to the file " + path);
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
}

}  // namespace
