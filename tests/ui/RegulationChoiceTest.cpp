// The regulation list, chosen with the keyboard: primary to secondary regulation and back with
// the chip picture and the feedback network, and the refusal when no active output can carry
// the loop.

#include <QComboBox>
#include <QLabel>

#include "CommandFixture.h"
#include "SvgPicture.h"
#include "Variables.h"

using namespace zorvic;

namespace {

struct RegulationCase {
    const char* name;
    int16_t mainType;             // primary code of the main output
    std::vector<int16_t> others;  // outputs 1, 2, ...
    int regulated;                // the output that takes the loop; -1: refused
    const char* secondaryPicture;
    const char* primaryPicture;
};

void PrintTo(const RegulationCase& c, std::ostream* os) { *os << c.name; }

class RegulationChoiceTest : public CommandFixture, public ::testing::WithParamInterface<RegulationCase> {};

// The default chip is of family 5: its drawings are 18 to 23, one per main-output code 9 to 14.
INSTANTIATE_TEST_SUITE_P(
    Designs, RegulationChoiceTest,
    ::testing::Values(RegulationCase{"InductorMainOutput", 9, {}, 0, "Zorvic19", "Zorvic18"},
                      RegulationCase{"DirectMainOutput", 11, {}, 0, "Zorvic21", "Zorvic20"},
                      RegulationCase{"PostRegulatedMainLeavesTheLoopToOutput1", 13, {5}, 1, "Zorvic23", "Zorvic22"},
                      RegulationCase{"ZenerNegativeAndRegulatedOutputsRefused", 13, {1, 6, 4}, -1, "", "Zorvic22"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

TEST_P(RegulationChoiceTest, SecondaryAndBackWithTheChipPicture) {
    const RegulationCase& c = GetParam();
    Outputs[0].OutputType = c.mainType;
    Settings.AdditionalOutputs = static_cast<int16_t>(c.others.size());
    for (std::size_t i = 0; i < c.others.size(); ++i) {
        Outputs[i + 1].OutputType = c.others[i];
        Outputs[i + 1].Current = 0.2f;
    }
    page->UpdateInstance();

    QTest::keyClick(page->RegulationType, Qt::Key_Up);
    if (c.regulated < 0) {
        ASSERT_EQ(platform::MessageScript::Shown().size(), 1u);
        EXPECT_EQ(platform::MessageScript::Shown()[0].text,
                  "Secondary Regulation Not Possible With Post Regulation or Negative Voltage On All Outputs");
        EXPECT_EQ(platform::MessageScript::Shown()[0].title, "Secondary Regulation Error");
    } else {
        EXPECT_TRUE(OperatingPoint.SecondaryRegulation);
        EXPECT_EQ(Outputs[0].OutputType, c.mainType + 1);
        for (int i = 0; i <= 5; ++i) EXPECT_EQ(Outputs[static_cast<std::size_t>(i)].Regulated, i == c.regulated) << i;
        EXPECT_EQ(page->ZorvicHost->Picture(), c.secondaryPicture);
        EXPECT_TRUE(Shown(page->Terminator[1]));
        EXPECT_EQ(page->lblTerm[1]->text(), c.regulated == 0 ? "OUT" : "Out1");
        EXPECT_TRUE(Settings.DesignSaved);  // the choice does not mark the design changed
        QTest::keyClick(page->RegulationType, Qt::Key_Down);
        EXPECT_TRUE(platform::MessageScript::Shown().empty());
    }
    EXPECT_EQ(page->RegulationType->currentText(), "Primary Regulation");
    EXPECT_FALSE(OperatingPoint.SecondaryRegulation);
    EXPECT_EQ(Outputs[0].OutputType, c.mainType);
    for (const OutputRecord& o : Outputs) EXPECT_FALSE(o.Regulated);
    EXPECT_EQ(page->ZorvicHost->Picture(), c.primaryPicture);
    for (int k = 1; k <= 3; ++k) EXPECT_FALSE(Shown(page->Terminator[static_cast<std::size_t>(k)]));
}
