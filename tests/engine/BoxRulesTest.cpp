// The rules of every number box of the input, chip and transformer editors, under a "." and a
// "," locale: each limit of a box with a slider is a place on the slider, and the text a box is
// filled with reads back, through the box's scale, to the same text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChipEdit.h"
#include "InputEdit.h"
#include "NumberText.h"
#include "TransfoEdit.h"

using namespace zorvic;

namespace {

struct NamedRule {
    std::string name;
    const BoxRule* rule;
};

std::vector<NamedRule> AllRules() {
    std::vector<NamedRule> rules;
    for (int i = 0; i <= static_cast<int>(InputBox::MaxDCVoltage); ++i)
        rules.push_back({"input " + std::to_string(i), &RuleOf(static_cast<InputBox>(i))});
    for (int i = 0; i <= static_cast<int>(ChipBox::RthPinAmbient); ++i)
        rules.push_back({"chip " + std::to_string(i), &RuleOf(static_cast<ChipBox>(i))});
    for (int i = 0; i <= static_cast<int>(TransfoBox::Npri); ++i)
        rules.push_back({"transformer " + std::to_string(i), &RuleOf(static_cast<TransfoBox>(i))});
    return rules;
}

class BoxRulesTest : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override { SetLocaleDecimalSeparator(GetParam()); }
    void TearDown() override { SetLocaleDecimalSeparator('.'); }
};

}  // namespace

TEST_P(BoxRulesTest, EachLimitOfABoxIsAPlaceOnItsSlider) {
    int sliders = 0;
    for (const auto& [name, rule] : AllRules()) {
        if (!rule->HasSlider()) continue;
        ++sliders;
        const BoxScale& scale = rule->scale;
        for (const float limit : {rule->min, rule->max}) {
            const int16_t position = rule->slider.Position(scale.Stored(limit));
            EXPECT_GE(position, 0) << name;
            EXPECT_LE(position, rule->slider.Last) << name;
            EXPECT_FLOAT_EQ(scale.Shown(rule->slider.Value(position)), limit) << name;
        }
        // The captions name the slider's first value and, unless the window writes it, the
        // box's maximum.
        const std::string lowText = SliderLowText(*rule);
        float low = 0;
        ASSERT_TRUE(ParseLocaleNumber(lowText.substr(0, lowText.size() - rule->endUnit.size()), low)) << name;
        EXPECT_FLOAT_EQ(low, scale.Shown(rule->slider.Value(0))) << name;
        EXPECT_LE(low, rule->min) << name;
        EXPECT_EQ(SliderHighText(*rule).empty(), !rule->highEndIsMax) << name;
    }
    EXPECT_EQ(sliders, 9);
}

TEST_P(BoxRulesTest, ATextReadBackAndStoredShowsTheSameText) {
    for (const auto& [name, rule] : AllRules()) {
        const BoxScale& scale = rule->scale;
        for (const float shown : {rule->min, rule->max, (rule->min + rule->max) / 2}) {
            const std::string text = BoxText(*rule, scale.Stored(shown));
            float read = 0;
            ASSERT_TRUE(ParseLocaleNumber(text, read)) << name << " " << text;
            EXPECT_NEAR(read, shown, 0.51) << name << " " << text;
            EXPECT_EQ(BoxText(*rule, scale.Stored(read)), text) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, BoxRulesTest, ::testing::Values('.', ','));
