#include "BoxRules.h"

#include "NumberText.h"

namespace zorvic {

float BoxScale::Shown(float stored) const {
    const auto f = static_cast<float>(factor);
    return complement ? (1 - stored) * f : stored * f;
}

float BoxScale::Stored(float shown) const {
    const auto f = static_cast<float>(factor);
    return complement ? (f - shown) / f : shown / f;
}

std::string BoxText(const BoxRule& rule, float stored) {
    const BoxScale& s = rule.scale;
    const float shown = s.Shown(stored);
    if (rule.fill.empty()) return CStr(shown);
    const double wide = s.wideText && !s.complement ? static_cast<double>(stored) * s.factor : shown;
    return Format(wide, rule.fill);
}

std::string SliderLowText(const BoxRule& rule) {
    return CStr(rule.scale.Shown(rule.slider.Value(0))) + rule.endUnit;
}

std::string SliderHighText(const BoxRule& rule) {
    return rule.highEndIsMax ? CStr(rule.max) + rule.endUnit : std::string();
}

bool StoreCount(int16_t& count, float entry) {
    const int16_t before = count;
    count = CInt(entry);
    return count != before;
}

}  // namespace zorvic
