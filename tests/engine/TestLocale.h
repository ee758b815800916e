#pragma once
// Runs a test body under the "." and the "," decimal separator of the locale.

#include <gtest/gtest.h>

#include "NumberText.h"

class LocaleTest : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override { zorvic::SetLocaleDecimalSeparator(GetParam()); }
    void TearDown() override { zorvic::SetLocaleDecimalSeparator('.'); }
    // A number text written with "." shown in the locale's form.
    static std::string Local(std::string text) {
        for (auto& c : text)
            if (c == '.') c = GetParam();
        return text;
    }
};

inline std::string LocaleName(const ::testing::TestParamInfo<char>& info) {
    return info.param == '.' ? "Point" : "Comma";
}
