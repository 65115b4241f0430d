#pragma once
#include <cstdint>
#include <vector>

// The geometry of a bar graph: values as vertical bars from the bottom, scaled to a little above the peak.
struct TBarLayout {
    int Width = 1280;
    int Height = 720;
    int BarWidth = 4;
    int BarGap = 0;

    // count bars side by side.
    int BarsWidth(int count) const { return count * (BarWidth + BarGap) - BarGap; }
    // The bar of value index i: false when it has no height.
    bool BarRect(int index, uint32_t value, uint32_t fullScale, int& left, int& top, int& right) const;
};

// The largest value; 0 without values.
uint32_t BarPeak(const std::vector<uint32_t>& values);
// What the full height stands for: the peak and 1 % more, plus 1.
uint32_t BarFullScale(uint32_t peak);
