#include "core/ControlLayout.h"

#include <gtest/gtest.h>

namespace {
bool operator==(const TWindowRect& a, const TWindowRect& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST(ControlLayout, AnchoredControlsKeepTheirDistanceToTheirEdges) {
    // Placed at (10, 20) 100 x 30 in a 300 x 200 client, which becomes 400 x 150.
    const TWindowRect placed{10, 20, 100, 30};
    const struct {
        uint8_t anchors;
        TWindowRect expected;
    } cases[] = {
        {kAnchorDefault, {10, 20, 100, 30}},
        {kAnchorLeft | kAnchorTop | kAnchorRight, {10, 20, 200, 30}},
        {kAnchorAll, {10, 20, 200, 0}},  // 50 shorter than a 30-high control: not below zero
        {kAnchorRight | kAnchorBottom, {110, -30, 100, 30}},
        {0, {60, -5, 100, 30}},  // centred: half of each change
    };
    for (const auto& c : cases)
        EXPECT_TRUE(AnchoredBounds(placed, 300, 200, 400, 150, c.anchors) == c.expected) << int(c.anchors);
}

TEST(ControlLayout, DockedControlsShareTheClientAreaInKindOrder) {
    // Given out of order: the bottom bar before the top strip, a client list between two right-hand panels.
    std::vector<TAlignItem> items = {
        {TAlign::Bottom, {0, 0, 0, 19}}, {TAlign::Right, {0, 0, 260, 0}}, {TAlign::Client, {}},
        {TAlign::Right, {0, 0, 4, 0}},   {TAlign::Top, {0, 0, 0, 32}},    {TAlign::Left, {0, 0, 50, 0}},
    };
    AlignItems(items, {0, 0, 540, 400});
    const TWindowRect expected[] = {
        {0, 381, 540, 19}, {280, 32, 260, 349}, {50, 32, 226, 349},
        {276, 32, 4, 349}, {0, 0, 540, 32},     {0, 32, 50, 349},
    };
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_TRUE(items[i].bounds == expected[i]) << i;
}
}  // namespace
