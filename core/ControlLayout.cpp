#include "core/ControlLayout.h"

#include <algorithm>

namespace {
// One axis: the start and length of a control in a parent whose length went from base to now.
void Follow(int& start, int& length, int base, int now, bool toStart, bool toEnd) {
    const int delta = now - base;
    if (toStart && toEnd)
        length = std::max(0, length + delta);
    else if (toEnd)
        start += delta;
    else if (!toStart)
        start += delta / 2;
}
}  // namespace

TWindowRect AnchoredBounds(const TWindowRect& placed,
                           int baseWidth,
                           int baseHeight,
                           int width,
                           int height,
                           uint8_t anchors) {
    TWindowRect r = placed;
    Follow(r.left, r.width, baseWidth, width, anchors & kAnchorLeft, anchors & kAnchorRight);
    Follow(r.top, r.height, baseHeight, height, anchors & kAnchorTop, anchors & kAnchorBottom);
    return r;
}

TWindowRect AlignItems(std::vector<TAlignItem>& items, const TWindowRect& client) {
    int left = client.left;
    int top = client.top;
    int right = client.left + client.width;
    int bottom = client.top + client.height;
    for (const TAlign kind : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) {
        for (TAlignItem& item : items) {
            if (item.align != kind)
                continue;
            TWindowRect& r = item.bounds;
            const int width = std::max(0, right - left);
            const int height = std::max(0, bottom - top);
            switch (kind) {
                case TAlign::Top:
                    r = {left, top, width, std::clamp(r.height, 0, height)};
                    top += r.height;
                    break;
                case TAlign::Bottom:
                    r.height = std::clamp(r.height, 0, height);
                    r = {left, bottom - r.height, width, r.height};
                    bottom -= r.height;
                    break;
                case TAlign::Left:
                    r = {left, top, std::clamp(r.width, 0, width), height};
                    left += r.width;
                    break;
                case TAlign::Right:
                    r.width = std::clamp(r.width, 0, width);
                    r = {right - r.width, top, r.width, height};
                    right -= r.width;
                    break;
                default:
                    r = {left, top, width, height};
                    break;
            }
        }
    }
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}
