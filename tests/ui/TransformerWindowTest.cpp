// The transformer window driven as a user does: targets typed into their boxes, the winding
// captions with the red caption of a winding without wire, the to-scale winding window, the
// loss flags, the winding style options and Apply / OK / Cancel.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "Colours.h"
#include "EditorCalls.h"
#include "EditorServices.h"
#include "EditorDriving.h"
#include "Twips.h"
#include "fmTransfo.h"

using namespace zorvic;
using namespace driving;

namespace {

class TransformerWindowTest : public ::testing::Test, public EditorServices {
protected:
    void SetUp() override {
        ComputeDefaultDesign();
        InstallEditorServices(this);
        window = fmTransfo::ShowTransformer();
        QApplication::setActiveWindow(window);
    }
    void TearDown() override {
        WithdrawEditorServices(this);
        delete window.data();
    }
    void UpdateInstance() override {
        ++updates;
        ComputeDesign();
        if (window) window->Form_Load();
    }
    QPointer<fmTransfo> window;
    int updates = 0;
};

using Box = QLineEdit* fmTransfo::*;

struct TypedCase {
    const char* name;
    Box box;
    const char* typed;
    std::function<double()> stored;
    double expected;
    const char* shownAfterRefill;  // empty: the entry is refused
    const char* message = nullptr;  // the refusal's text, where it matters
};

class TransformerTypingTest : public TransformerWindowTest, public ::testing::WithParamInterface<TypedCase> {};

const TypedCase TypedCases[] = {
    {"Margin", &fmTransfo::txtBsatMargin, "30", [] { return Settings.BmaxRatio; }, 0.70, "30.0"},
    {"MarginRefused", &fmTransfo::txtBsatMargin, "95", [] { return Settings.BmaxRatio; }, 0.75, ""},
    {"Leakage", &fmTransfo::txtLleakage, "5", [] { return Transfo.LeakageRatio; }, 0.05, "5.0"},
    {"Cpri", &fmTransfo::txtCpri, "150", [] { return Transfo.Cpri.Value; }, 150e-12, "150"},
    {"WindowFactor", &fmTransfo::txtWindowFactor, "0.85", [] { return Transfo.WindowFactor; }, 0.85, "0.85"},
    {"TempTarget", &fmTransfo::txtTempCore, "55", [] { return Transfo.MaxDeltaT; }, 55, "55.0"},
    {"LossTarget", &fmTransfo::txtPdissCore, "3", [] { return Transfo.CoreLossShare; }, 0.03, "3.0"},
    {"LossTargetRefused", &fmTransfo::txtPdissCore, "12", [] { return Transfo.CoreLossShare; }, 0.02, ""},
    {"LeakageWithADecimalComma", &fmTransfo::txtLleakage, "1,5", [] { return Transfo.LeakageRatio; }, 0.015, "1.5"},
    // Limits finer than the box's pattern are written out, so value and limit never look alike.
    {"TempTargetBelowATenth", &fmTransfo::txtTempCore, "0.05", [] { return Transfo.MaxDeltaT; }, 40, "",
     "0.05  °C < 0.1  °C"},
    {"LossTargetBelowAHundredth", &fmTransfo::txtPdissCore, "0.001", [] { return Transfo.CoreLossShare; }, 0.02, "",
     "0.001  % < 0.01  %"},
    {"CpriBelowOnePicofarad", &fmTransfo::txtCpri, "0.4", [] { return Transfo.Cpri.Value; }, 30e-12, "", "0.4  pF < 001  pF"},
};

TEST_P(TransformerTypingTest, StoresTheTargetInDesignUnits) {
    const TypedCase& c = GetParam();
    TypeAndLeave(window->*c.box, QString::fromLatin1(c.typed));
    EXPECT_NEAR(c.stored(), c.expected, c.expected * 1e-5);
    const bool accepted = *c.shownAfterRefill != '\0';
    EXPECT_EQ(platform::MessageScript::Shown().empty(), accepted);
    if (c.message) {
        ASSERT_FALSE(accepted);
        EXPECT_EQ(platform::MessageScript::Shown().back().text, QString::fromUtf8(c.message));
    }
    // Only a change of the design needs saving.
    EXPECT_EQ(Settings.DesignSaved, !accepted);
    if (accepted) {
        window->Form_Load();
        EXPECT_EQ((window->*c.box)->text(), QString::fromLatin1(c.shownAfterRefill));
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, TransformerTypingTest, ::testing::ValuesIn(TypedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Counts are stored rounded; the box shows the count kept, not the fraction typed.
TEST_F(TransformerWindowTest, CountBoxesShowTheStoredCount) {
    Click(window->chkForceNpri);
    Click(window->optParalleled);
    TypeAndLeave(window->txtNpri, "45.6");
    TypeAndLeave(window->txtNmax, "2.5");
    EXPECT_EQ(Transfo.PrimaryTurns, 46);
    EXPECT_EQ(window->txtNpri->text(), "46");
    EXPECT_EQ(Transfo.ParallelWireMax, 2);  // a half goes to the even count
    EXPECT_EQ(window->txtNmax->text(), "2");
    EXPECT_TRUE(platform::MessageScript::Shown().empty());
}

TEST_F(TransformerWindowTest, ShowingTheDesignChangesNothingInIt) {
    Settings.WindingOptimisationType = 2;
    Settings.FixedDiameter = true;  // disagrees with style 2 on purpose: showing must not mend it
    Settings.CoreCriterionTemp = false;
    window->Form_Load();
    EXPECT_EQ(Settings.WindingOptimisationType, 2);
    EXPECT_TRUE(Settings.FixedDiameter);
    EXPECT_FALSE(Settings.CoreCriterionTemp);
    EXPECT_TRUE(Settings.DesignSaved);
    EXPECT_TRUE(window->optPdissCore->isChecked());
    EXPECT_TRUE(window->chkFixed->isChecked() && window->chkFixed->isEnabled());
}

// A winding without wire shows "**" for its gauge and a red caption (light red on the dark blue
// terminal of output 1, whose text is white); only active outputs show.
TEST_F(TransformerWindowTest, WindingCaptionsShowGaugeTurnsAndStrandsAndFollowTheActiveOutputs) {
    Transfo.PrimaryWire = {24, 0.2f, 0.25f, 0.08f, 0, 1};
    Transfo.PrimaryTurns = 40;
    Transfo.AuxWire = {};
    Transfo.AuxTurns = 9;
    Settings.AdditionalOutputs = 1;
    Transfo.OutputWire[1] = {};
    Transfo.OutputWire[1].Strands = 2;
    Transfo.OutputTurns[1] = 12;
    window->Form_Load();
    EXPECT_EQ(window->lblInput->text(), "Input\r\nAWG 24\r\n 40T- 1W");
    EXPECT_EQ(platform::ForeColor(window->lblInput), 0u);
    EXPECT_EQ(window->lblAux->text(), "Auxiliary\r\nAWG **\r\n 9T- 0W");
    EXPECT_EQ(platform::ForeColor(window->lblAux), 0xFFu);
    EXPECT_EQ(window->lblOut1[1]->text(), "Out 1\r\nAWG **\r\n 12T- 2W");
    EXPECT_EQ(platform::ForeColor(window->lblOut1[1]), 0xC0C0FFu);
    Transfo.OutputWire[1] = Transfo.PrimaryWire;
    window->Form_Load();
    EXPECT_EQ(platform::ForeColor(window->lblOut1[1]), 0xFFFFFFu);
    EXPECT_EQ(window->lblNout[1]->text(), "Out 1 : 12");
    EXPECT_TRUE(window->picOutBond[1]->isVisibleTo(window));
    EXPECT_FALSE(window->picOutBond[2]->isVisibleTo(window));
    EXPECT_FALSE(window->picNSize[2]->isVisibleTo(window));
}

// A 240-pixel picture (3600 twips at 15 twips a pixel) over a 100 mm2 window: 36 twips per mm2.
// Primary 0.5 mm2 x 1 x 40 turns: 0.5 x 36 x 4/pi x 40 / 15 + 3 = 64.1 -> 64 pixels = 960 twips;
// auxiliary 0.1 x 1 x 10: 6.06 -> 90 twips; output 1.0 x 2 x 5: 33.6 -> 34 pixels = 510 twips.
TEST_F(TransformerWindowTest, WindingBarsStackToScaleFromTheBottom) {
    ASSERT_DOUBLE_EQ(platform::PixelsToTwips(1), 15.0);
    Transfo.Core.W = 100;
    Transfo.WindowFactor = 0.8f;
    Transfo.PrimaryWire = {24, 0.4f, 0.5f, 0.08f, 0, 1};
    Transfo.PrimaryTurns = 40;
    Transfo.AuxWire = {30, 0.08f, 0.1f, 0.3f, 0, 1};
    Transfo.AuxTurns = 10;
    Transfo.OutputWire[0] = {20, 0.8f, 1.0f, 0.03f, 0, 2};
    Transfo.OutputTurns[0] = 5;
    Settings.AdditionalOutputs = 0;
    window->Form_Load();
    const WindingWindowPicture& p = window->WindowPicture();
    EXPECT_NEAR(p.LimitTop, 720, 0.01);  // 1 - 0.8 in single precision
    ASSERT_EQ(p.Bars.size(), 3u);
    const double expected[3][2] = {{2640, 960}, {2550, 90}, {2040, 510}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(p.Bars[i].Top, expected[i][0]) << i;
        EXPECT_DOUBLE_EQ(p.Bars[i].Height, expected[i][1]) << i;
    }
    EXPECT_EQ(window->picNmain->y(), 176);
    EXPECT_EQ(window->picNmain->height(), 64);
    EXPECT_EQ(window->LineWindowLimit->y(), 48);

    // A blank core: every bar keeps its 3 pixels and nothing shown is infinite.
    Transfo.Core = {};
    Transfo.InputPowerNoTransformer = 0;
    OperatingPoint.TransformerLoss = 0;
    Settings.AWGDetailWinding = 6;
    Transfo.AuxWire = {};
    window->Form_Load();
    for (const WindingBar& bar : window->WindowPicture().Bars) EXPECT_DOUBLE_EQ(bar.Height, 45);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString text = w->property("text").toString();
        EXPECT_FALSE(text.contains("inf", Qt::CaseInsensitive) || text.contains("nan", Qt::CaseInsensitive))
            << w->objectName().toStdString() << " " << text.toStdString();
    }
    EXPECT_EQ(window->txtPdissCoreActual->text(), "0.0");
}

TEST_F(TransformerWindowTest, LossShareIsRedFromItsTargetOn) {
    // 2 W lost of 100 W: a share of exactly 2 %, above, at and below the target.
    Transfo.InputPowerNoTransformer = 98;
    OperatingPoint.TransformerLoss = 2;
    for (const auto& [share, colour] : {std::pair{0.01f, 0xFFu}, {0.02f, 0xFFu}, {0.03f, 0x80FF80u}}) {
        Transfo.CoreLossShare = share;
        window->Form_Load();
        EXPECT_EQ(window->txtPdissCoreActual->text(), "2.0") << share;
        EXPECT_EQ(platform::BackColor(window->txtPdissCoreActual), colour) << share;
    }
}

TEST_F(TransformerWindowTest, WindingStyleKeepsTheSingleDiameterChoice) {
    Click(window->optParalleled);
    EXPECT_EQ(Settings.WindingOptimisationType, 2);
    Click(window->chkFixed);
    EXPECT_EQ(Settings.WindingOptimisationType, 1);
    EXPECT_TRUE(Settings.FixedDiameter);
    Click(window->optSingleWire);
    EXPECT_EQ(Settings.WindingOptimisationType, 0);
    EXPECT_TRUE(Settings.FixedDiameter);
    EXPECT_FALSE(window->txtNmax->isEnabled());
    Click(window->optParalleled);
    EXPECT_EQ(Settings.WindingOptimisationType, 1);
    EXPECT_FALSE(Settings.DesignSaved);
}

TEST_F(TransformerWindowTest, ApplyRecomputesOkClosesCancelOnlyCloses) {
    Click(window->cmdApply);
    EXPECT_EQ(updates, 1);
    EXPECT_TRUE(window);
    EXPECT_TRUE(Settings.DesignSaved);
    Click(window->cmdOK);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(updates, 2);
    EXPECT_FALSE(Settings.DesignSaved);
    EXPECT_FALSE(window);

    Settings.DesignSaved = true;
    window = fmTransfo::ShowTransformer();
    TypeAndLeave(window->txtLleakage, "7", window->cmdCancel);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(updates, 2);
    EXPECT_FALSE(window);
    EXPECT_FLOAT_EQ(Transfo.LeakageRatio, 0.03f);
    EXPECT_TRUE(Settings.DesignSaved);
}

TEST_F(TransformerWindowTest, ShowingAgainReusesTheOpenWindow) {
    EXPECT_EQ(fmTransfo::ShowTransformer(), window.data());
    Settings.AdditionalOutputs = 5;
    window->Form_Load();
    EXPECT_FALSE(window->cmdAddOutput->isEnabled());
}

}  // namespace
