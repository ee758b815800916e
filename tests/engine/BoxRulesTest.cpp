// Every number box rule of the input, chip and transformer editors, in a "." and a "," locale.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ChipEdit.h"
#include "InputEdit.h"
#include "NumberText.h"
#include "TransfoEdit.h"

using namespace zorvic;

namespace {

std::vector<const BoxRule*> AllRules() {
    std::vector<const BoxRule*> rules;
    for (int i = 0; i <= static_cast<int>(InputBox::MaxDCVoltage); ++i) rules.push_back(&RuleOf(InputBox(i)));
    for (int i = 0; i <= static_cast<int>(ChipBox::RthPinAmbient); ++i) rules.push_back(&RuleOf(ChipBox(i)));
    for (int i = 0; i <= static_cast<int>(TransfoBox::Npri); ++i) rules.push_back(&RuleOf(TransfoBox(i)));
    return rules;
}

class BoxRulesTest : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override { SetLocaleDecimalSeparator(GetParam()); }
    void TearDown() override { SetLocaleDecimalSeparator('.'); }
};

}  // namespace

// A box's limits are places on its slider; the text a box is filled with reads as the value
// shown, and read back and stored it shows the same text.
TEST_P(BoxRulesTest, LimitsSitOnTheSliderAndTextsReadBack) {
    for (const BoxRule* r : AllRules()) {
        for (const float limit : {r->min, r->max}) {
            if (!r->HasSlider()) break;
            const int16_t position = r->slider.Position(r->scale.Stored(limit));
            EXPECT_TRUE(position >= 0 && position <= r->slider.Last) << r->unit << limit;
            EXPECT_FLOAT_EQ(r->scale.Shown(r->slider.Value(position)), limit) << r->unit;
        }
        for (const float shown : {r->min, r->max, (r->min + r->max) / 2}) {
            const std::string text = BoxText(*r, r->scale.Stored(shown));
            float read = 0;
            EXPECT_TRUE(ParseLocaleNumber(text, read) && std::abs(read - shown) <= 0.5f) << text << r->unit;
            EXPECT_EQ(BoxText(*r, r->scale.Stored(read)), text) << r->unit;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, BoxRulesTest, ::testing::Values('.', ','));
