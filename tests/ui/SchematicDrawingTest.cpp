// The drawing of the whole schematic: pictures, output blocks and their labels, the feedback
// network, the engine's marks on the window, the guards for odd sizes and odd designs, and that
// a redraw neither changes the design nor makes widgets.

#include <QPushButton>
#include <algorithm>
#include <vector>

#include "Colours.h"
#include "ComputeDesign.h"
#include "DesignFields.h"
#include "DesignHost.h"
#include "MainPageFixture.h"
#include "Placement.h"
#include "QtDesignHost.h"
#include "SvgPicture.h"

using namespace zorvic;

namespace {

class SchematicDrawingTest : public MainPageFixture {
protected:
    // About zoom 1: the width rule with a window as wide as the schematic.
    void ShowNearZoomOne() { ShowDrawingAt(867, 720); }

    // A label's centre and top in schematic twips (divided by the drawing's zoom).
    double SchematicX(const QWidget* w) const { return CentreTwips(w) / page->LastDrawing().Zoom; }
    double SchematicY(const QWidget* w) const { return TopTwips(w) / page->LastDrawing().Zoom; }
};

// Three additional outputs of different kinds, not yet computed: the labels show the records.
void ThreeOutputs() {
    Settings.AdditionalOutputs = 3;
    Outputs[0].OutputType = 14;
    const int16_t types[] = {14, 1, 4, 0};
    for (std::size_t i = 0; i < 4; ++i) {
        OutputRecord& o = Outputs[i];
        o.OutputType = types[i];
        o.Voltage = 5;
        o.Current = 1;
        o.Diode.Name = "RDKA30";
        o.Cap1.Series = "C" + std::to_string(i + 1) + "1";
        o.Cap2.Series = "C" + std::to_string(i + 1) + "2";
        o.SerialElement.Name = "R" + std::to_string(i + 1) + "1";
        o.Zener.Name = "Z" + std::to_string(i + 1) + "1";
    }
    Outputs[2].Voltage = 12;
    Outputs[2].Current = 0.2f;
}

struct ChipPictureCase {
    int16_t stored;
    int16_t mainType;
    int16_t family;
    const char* picture;
};

class ChipPictureTest : public SchematicDrawingTest, public ::testing::WithParamInterface<ChipPictureCase> {};

}  // namespace

TEST_F(SchematicDrawingTest, DefaultDesignStartsDrawnWithEveryLabelReadable) {
    ShowAt(1600, 1000);
    EXPECT_GT(page->LastDrawing().Zoom, Settings.LabelZoomMin);
    EXPECT_FALSE(Settings.StartupPending);
    EXPECT_EQ(page->InputFilter->Picture(), "Filter1");
    EXPECT_EQ(page->ZorvicHost->Picture(), "Zorvic18");  // main output 9 with a family-5 chip
    EXPECT_EQ(page->lblSil[5]->text(), QString::fromStdString(CurrentChip.Name));
    for (QPushButton* button : {page->cmdInputEdit, page->cmdZorvic, page->cmdTransformer, page->cmdOutputEdit[0]})
        EXPECT_TRUE(Shown(button)) << button->objectName().toStdString();
    EXPECT_EQ(page->cmdOutputEdit[0]->text(), "OUT");
    EXPECT_EQ(page->cmdZorvic->toolTip(), "Zorvic Parameters Edition");
    EXPECT_FALSE(Shown(page->Output[1]));
    EXPECT_FALSE(Shown(page->picHide));
    for (int k = 1; k <= 3; ++k) EXPECT_FALSE(Shown(page->Terminator[static_cast<std::size_t>(k)]));
}

TEST_F(SchematicDrawingTest, DefaultDesignsLabelsDoNotOverlapAtZoomOne) {
    ShowNearZoomOne();
    ASSERT_NEAR(page->LastDrawing().Zoom, 1.0f, 0.001f);
    std::vector<QLabel*> labels;
    for (QLabel* label : page->findChildren<QLabel*>())
        if (Shown(label) && !label->text().isEmpty()) labels.push_back(label);
    ASSERT_GT(labels.size(), 30u);
    for (std::size_t a = 0; a < labels.size(); ++a) {
        const QRect ra(labels[a]->mapTo(page.get(), QPoint(0, 0)), labels[a]->size());
        for (std::size_t b = a + 1; b < labels.size(); ++b) {
            const QRect rb(labels[b]->mapTo(page.get(), QPoint(0, 0)), labels[b]->size());
            EXPECT_FALSE(ra.intersects(rb)) << labels[a]->objectName().toStdString() << " and "
                                            << labels[b]->objectName().toStdString();
        }
    }
}

TEST_F(SchematicDrawingTest, OutputBlocksShowTheirKindAndLabels) {
    ThreeOutputs();
    ShowNearZoomOne();
    page->ChartRedraw();  // a second drawing centres every label on its own width
    const SchematicDrawing& d = page->LastDrawing();
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(Shown(page->Output[static_cast<std::size_t>(i)])) << i;
        const int32_t overlap = page->Layout().OutputBlockHeight - 5;
        EXPECT_NEAR(platform::TwipGeometry(page->Output[static_cast<std::size_t>(i)]).Top,
                    platform::TwipGeometry(page->ZorvicHost).Top - overlap * i * d.Zoom, Pixel())
            << i;
    }
    EXPECT_EQ(page->Output[1]->Picture(), "Schema1");
    EXPECT_EQ(page->Output[2]->Picture(), "Schema4");
    EXPECT_EQ(page->Output[3]->Picture(), "");  // a kind with no block drawing: an empty block

    // A positive output begins with one blank; a negative one with "-", its rail 1015 lower.
    EXPECT_EQ(page->lblVoltage[1]->text(), " 5.00V-1.0A");
    EXPECT_EQ(page->lblVoltage[2]->text(), "-12.0V-200mA");
    EXPECT_EQ(page->lblDiode[2]->text(), "D31   RDKA30");
    EXPECT_NEAR(SchematicY(page->lblVoltage[2]), 1015, 20);
    EXPECT_NEAR(SchematicY(page->lblDiode[2]), 1015, 20);
    EXPECT_NEAR(SchematicY(page->lblSerial[2]), 1015, 20);
    EXPECT_NEAR(SchematicY(page->lblCap1[2]), 500, 20);
    EXPECT_NEAR(SchematicY(page->lblVoltage[1]), 0, 20);
    EXPECT_NEAR(SchematicX(page->lblVoltage[1]), 4300, 20);
    EXPECT_NEAR(SchematicX(page->lblDiode[1]), 760, 20);
    EXPECT_NEAR(SchematicX(page->lblZener[1]), 2700, 20);
    // The main output's labels lie in the chip picture, right of the input filter.
    EXPECT_EQ(page->lblVoltage[0]->parentWidget(), page->ZorvicHost);
    EXPECT_NEAR(SchematicX(page->lblVoltage[0]), page->Layout().FilterWidth + 4300, 20);
    EXPECT_EQ(page->cmdOutputEdit[2]->text(), "Out2");

    // Second cells: Zener output all three, regulator output no Zener, main output type 14 as 13.
    EXPECT_TRUE(Shown(page->lblZener[1]));
    EXPECT_TRUE(Shown(page->lblCap2[1]));
    EXPECT_FALSE(Shown(page->lblZener[2]));
    EXPECT_TRUE(Shown(page->lblSerial[2]));
    EXPECT_FALSE(Shown(page->lblZener[0]));
    EXPECT_TRUE(Shown(page->lblCap2[0]));
    EXPECT_TRUE(Shown(page->lblSerial[0]));
    // The empty block keeps its voltage and its button, not the labels of parts it lacks.
    EXPECT_TRUE(Shown(page->lblVoltage[3]));
    EXPECT_TRUE(Shown(page->cmdOutputEdit[3]));
    for (QLabel* part : {page->lblDiode[3], page->lblCap1[3], page->lblSerial[3], page->lblCap2[3], page->lblZener[3]})
        EXPECT_FALSE(Shown(part)) << part->objectName().toStdString();

    Outputs[0].OutputType = 11;  // direct main output: no second cell
    page->ChartRedraw();
    EXPECT_FALSE(Shown(page->lblCap2[0]));
    EXPECT_FALSE(Shown(page->lblSerial[0]));
}

// A file load shows the blocks of its outputs before the computation, whose messages keep the
// window on the screen: each block shows where the drawing puts it, not at the top left.
TEST_F(SchematicDrawingTest, BlockShownByAFileLoadIsPlacedBeforeTheNextDrawing) {
    ShowNearZoomOne();
    ThreeOutputs();
    QtDesignHost host;
    host.ShowOutputBlock(3, true);
    ASSERT_TRUE(Shown(page->Output[3]));
    const QRect placed = page->Output[3]->geometry();
    page->ChartRedraw();
    EXPECT_EQ(placed, page->Output[3]->geometry());
}

TEST_F(SchematicDrawingTest, TransformerGrowsWithTheOutputsBeyondTwo) {
    ShowNearZoomOne();
    const int32_t small = platform::TwipHeight(page->Transfo);
    EXPECT_NEAR(small, 3000 * page->LastDrawing().Zoom, Pixel());
    ThreeOutputs();
    Settings.AdditionalOutputs = 5;
    page->ChartRedraw();
    EXPECT_NEAR(platform::TwipHeight(page->Transfo),
                (3 * page->Layout().OutputBlockHeight + 3000) * page->LastDrawing().Zoom, Pixel());
    EXPECT_NEAR(platform::TwipWidth(page->Transfo), SvgPicture::DesignSize("Transfo").width(), Pixel());
}

TEST_F(SchematicDrawingTest, FeedbackNetworkTagsTheRegulatedOutputsInOrder) {
    ThreeOutputs();
    Outputs[1].OutputType = 5;
    Outputs[2].OutputType = 7;
    Outputs[3].OutputType = 5;
    OperatingPoint.SecondaryRegulation = true;
    OperatingPoint.RegulatedOutputCount = 2;
    Outputs[1].Regulated = true;
    Outputs[3].Regulated = true;
    Regulation.GroundResistor.Value = 10000;
    Regulation.Divider[1].Value = 27000;
    Regulation.Divider[2].Value = 4700;
    ShowNearZoomOne();
    page->ChartRedraw();
    EXPECT_FALSE(Shown(page->Terminator[1]));
    EXPECT_TRUE(Shown(page->Terminator[2]));
    EXPECT_FALSE(Shown(page->Terminator[3]));
    EXPECT_EQ(page->lblTerm[2]->text(), "Out1");
    EXPECT_EQ(page->lblTerm[4]->text(), "Out3");
    EXPECT_NEAR(SchematicX(page->lblTerm[2]), 200, 20);
    EXPECT_NEAR(SchematicX(page->lblTerm[4]), 800, 20);
    EXPECT_EQ(page->lblTerm[4]->toolTip(), "Regulated Output");
    EXPECT_EQ(page->lblRes[9]->text(), "R7\r\n10kR");
    EXPECT_EQ(page->lblRes[10]->text(), "R8\r\n27kR");
    EXPECT_EQ(page->lblRes[13]->text(), "R9\r\n4.7kR");
    EXPECT_EQ(page->lblRes[9]->toolTip(), "Reference Dividor Bridge Resistor");
    EXPECT_EQ(page->lblRes[13]->toolTip(), "Output Dividor Bridge Resistor");
    // The network's right edge sits 2600 schematic twips left of the chip picture's right edge.
    EXPECT_NEAR(platform::TwipGeometry(page->Terminator[2]).Left / page->LastDrawing().Zoom,
                SvgPicture::DesignSize("Zorvic00").width() - 2600, 20);
}

TEST_F(SchematicDrawingTest, NetworkShowsNoMoreTagsThanItsCount) {
    ThreeOutputs();
    OperatingPoint.SecondaryRegulation = true;
    OperatingPoint.RegulatedOutputCount = 1;
    Outputs[0].Regulated = true;
    Outputs[1].Regulated = true;  // one flag more than the count
    ShowNearZoomOne();
    EXPECT_TRUE(Shown(page->Terminator[1]));
    EXPECT_EQ(page->lblTerm[1]->text(), "OUT");
    EXPECT_TRUE(Shown(page->lblTerm[1]));

    OperatingPoint.RegulatedOutputCount = 2;
    Outputs[0].Regulated = false;  // one flag fewer: the second tag is not left over from before
    page->ChartRedraw();
    EXPECT_EQ(page->lblTerm[2]->text(), "Out1");
    EXPECT_FALSE(Shown(page->lblTerm[4]));
}

TEST_F(SchematicDrawingTest, RegulatedCountOutsideOneToThreeShowsNoNetwork) {
    OperatingPoint.SecondaryRegulation = true;
    for (int16_t count : {int16_t{0}, int16_t{4}, int16_t{-1}}) {
        OperatingPoint.RegulatedOutputCount = count;
        ShowNearZoomOne();
        page->ChartRedraw();
        for (int k = 1; k <= 3; ++k) EXPECT_FALSE(Shown(page->Terminator[static_cast<std::size_t>(k)])) << count;
        page->SetBackgroundColor();
    }
}

TEST_P(ChipPictureTest, ChipPictureFollowsTheStoredIndexOrTheRule) {
    const ChipPictureCase c = GetParam();
    ShowNearZoomOne();
    Settings.ActiveZorvicPicture = c.stored;
    Outputs[0].OutputType = c.mainType;
    CurrentChip.Family = c.family;
    page->ChartRedraw();
    EXPECT_EQ(page->ZorvicHost->Picture(), QString::fromLatin1(c.picture));
    EXPECT_EQ(Settings.ActiveZorvicPicture, c.stored);  // the drawing does not store it
}

INSTANTIATE_TEST_SUITE_P(Indexes, ChipPictureTest,
                         ::testing::Values(ChipPictureCase{5, 9, 1, "Zorvic05"}, ChipPictureCase{23, 9, 1, "Zorvic23"},
                                           ChipPictureCase{99, 10, 4, "Zorvic13"},
                                           ChipPictureCase{-1, 14, 5, "Zorvic23"},
                                           ChipPictureCase{24, 11, 2, "Zorvic02"},
                                           ChipPictureCase{-3, 7, 1, "Zorvic00"}));

TEST_F(SchematicDrawingTest, FirstLayoutKeepsASecondaryDesignSecondary) {
    OperatingPoint.SecondaryRegulation = true;
    Outputs[0].OutputType = 10;
    Outputs[0].Regulated = true;
    OperatingPoint.RegulatedOutputCount = 1;
    CurrentChip.Family = 5;
    Settings.ActiveZorvicPicture = 0;
    ShowNearZoomOne();
    EXPECT_EQ(page->ZorvicHost->Picture(), "Zorvic19");
    EXPECT_TRUE(OperatingPoint.SecondaryRegulation);
    EXPECT_TRUE(Outputs[0].Regulated);
    EXPECT_TRUE(Shown(page->Terminator[1]));
}

TEST_F(SchematicDrawingTest, SurgeClampDesignShowsTheOtherFilterPicture) {
    Clamper.RCClamper = false;
    ShowNearZoomOne();
    EXPECT_EQ(page->InputFilter->Picture(), "Filter0");
}

TEST_F(SchematicDrawingTest, EngineMarksReachTheWindow) {
    DesignHost& host = Host();
    host.ShowPowerWarning(true);
    EXPECT_TRUE(Shown(page->picWarning));
    EXPECT_EQ(page->lblWarning->text(), "Power Too High for the Selected Zorvic");
    host.ShowPowerWarning(false);
    EXPECT_FALSE(Shown(page->picWarning));

    host.SetOutputLabelTags(2, "Warning", "");
    host.SetOutputLabelTags(9, "Warning", "Warning");  // no such output: nothing happens
    EXPECT_EQ(LabelTag(page->lblSerial[2]), "Warning");
    EXPECT_EQ(LabelTag(page->lblZener[2]), "");

    EXPECT_FALSE(host.OutputBlockShown(3));
    host.ShowOutputBlock(3, true);
    EXPECT_TRUE(host.OutputBlockShown(3));
    host.ShowOutputBlock(3, false);
    EXPECT_FALSE(host.OutputBlockShown(3));
    host.ShowOutputBlock(0, false);
    host.ShowOutputBlock(6, true);
    EXPECT_TRUE(host.OutputBlockShown(0));
}

TEST_F(SchematicDrawingTest, OverDissipatingZenerIsDrawnRed) {
    ShowNearZoomOne();
    Settings.AdditionalOutputs = 1;
    Outputs[1].OutputType = 1;
    Outputs[1].Voltage = 12;
    Outputs[1].Current = 0.2f;  // 2.4 W in the Zener at no load
    page->UpdateInstance();
    EXPECT_EQ(LabelTag(page->lblZener[1]), "Warning");
    EXPECT_EQ(platform::ForeColor(page->lblZener[1]), 0x0000FFu);
    EXPECT_TRUE(Shown(page->lblZener[1]));
}

TEST_F(SchematicDrawingTest, PowerWarningIsCentredInTheWindow) {
    ShowAt(1200, 900);
    Settings.PowerTooHigh = true;
    page->picWarning->show();
    page->ChartRedraw();
    const QRect r = page->picWarning->geometry();
    EXPECT_NEAR(r.center().x(), 600, 2);
    EXPECT_NEAR(r.center().y(), 450, 2);
}

TEST_F(SchematicDrawingTest, WindowWiderThan32767TwipsDraws) {
    ShowDrawingAt(2700, 2000);  // 40500 x 30000 twips
    const float zoom = page->LastDrawing().Zoom;
    EXPECT_NEAR(zoom, (platform::PixelsToTwips(2000) - 500) / page->Layout().SchematicHeight, 0.001);
    EXPECT_GT(platform::TwipGeometry(page->lblRightBar).Left, 32767);
    EXPECT_NEAR(platform::TwipGeometry(page->lblRightBar).Left, page->Layout().SchematicWidth * zoom - 100, Pixel());
    EXPECT_GT(platform::TwipWidth(page->ZorvicHost), 32767);
    EXPECT_NEAR(SchematicX(page->lblVoltage[0]), page->Layout().FilterWidth + 4300, 20);
}

TEST_F(SchematicDrawingTest, WindowsNoMoreThan500TwipsHighAreNotDrawn) {
    ShowAt(900, 700);
    const QRect before = page->InputFilter->geometry();
    const float zoom = page->LastDrawing().Zoom;
    page->resize(900, 33);  // 495 twips
    QApplication::processEvents();
    page->ChartRedraw();
    EXPECT_EQ(page->InputFilter->geometry(), before);
    EXPECT_EQ(page->LastDrawing().Zoom, zoom);
    EXPECT_FALSE(Shown(page->picHide));
    page->resize(0, 0);
    QApplication::processEvents();
    page->ChartRedraw();
    EXPECT_EQ(page->InputFilter->geometry(), before);
}

TEST_F(SchematicDrawingTest, DrawingNeverChangesTheDesign) {
    ThreeOutputs();
    OperatingPoint.SecondaryRegulation = true;
    OperatingPoint.RegulatedOutputCount = 1;
    Outputs[1].Regulated = true;
    ComputeDesign();
    Settings.ActiveZorvicPicture = 77;
    ShowNearZoomOne();
    const dump::Json before = dump::DesignToJson();
    page->ChartRedraw();
    page->resize(1400, 900);
    QApplication::processEvents();
    page->LblPowerDraw(0.5f);
    page->TerminatorDraw(2.0f);
    EXPECT_EQ(dump::DesignToJson(), before);
}

TEST_F(SchematicDrawingTest, RedrawsMakeNoWidgets) {
    ShowNearZoomOne();
    // Widgets only: the window's layout places the schematic through short-lived animations.
    const auto count = page->findChildren<QWidget*>().size();
    ThreeOutputs();
    OperatingPoint.SecondaryRegulation = true;
    for (int16_t c = 1; c <= 3; ++c) {
        OperatingPoint.RegulatedOutputCount = c;
        page->UpdateInstance();
        page->resize(800 + 100 * c, 700);
        QApplication::processEvents();
    }
    EXPECT_EQ(page->findChildren<QWidget*>().size(), count);
}
