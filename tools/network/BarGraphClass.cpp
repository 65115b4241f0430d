#include "tools/network/BarGraphClass.h"

#include <algorithm>
#include <cmath>

bool TBarLayout::BarRect(int index, uint32_t value, uint32_t fullScale, int& left, int& top, int& right) const {
    if (fullScale == 0 || value == 0)
        return false;
    const double ratio = static_cast<double>(value) / fullScale;
    left = (BarWidth + BarGap) * index;
    right = left + BarWidth;
    top = Height - static_cast<int>(std::trunc(Height * ratio));
    return true;
}

uint32_t BarPeak(const std::vector<uint32_t>& values) {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

uint32_t BarFullScale(uint32_t peak) {
    return static_cast<uint32_t>(std::trunc(peak * 1.01 + 1));
}
