#include "ChipLossBar.h"

#include <cmath>
#include <cstddef>

#include "NumberText.h"

ChipLossBar::ChipLossBar(float bias, float conduction, float switching, float total)
    : losses_{bias, conduction, switching}, total_(total) {}

std::array<ChipLossBar::Segment, 3> ChipLossBar::Segments(int width) const {
    std::array<Segment, 3> bars{};
    if (!(total_ > 0) || !std::isfinite(total_)) return bars;
    double edge = 0;
    int left = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        edge += static_cast<double>(width) * losses_[i] / total_;
        const int right = zorvic::CInt(edge);
        bars[i] = {left, right - left};
        left = right;
    }
    return bars;
}
