#include "tools/network/BarGraphClassWin32.h"

#include <algorithm>

#include "core/HandlesWin32.h"
#include "core/KoLibWin32.h"

TBarGraphClass::TBarGraphClass() : restColor_(GetSysColor(COLOR_BTNFACE)) {
    canvas_.TopDown = true;
    canvas_.SetSize(layout_.Width, layout_.Height);
}

void TBarGraphClass::SetValue(int index, uint32_t value) {
    if (index < 0)
        return;
    if (index >= Count())
        values_.resize(static_cast<size_t>(index) + 1);
    values_[static_cast<size_t>(index)] = value;
    redraw_ = true;
}

void TBarGraphClass::SetCount(int count) {
    values_.resize(static_cast<size_t>(std::max(count, 0)));
    redraw_ = true;
}

void TBarGraphClass::SetAreaColor(TColor color) {
    redraw_ |= color != areaColor_;
    areaColor_ = color;
}

void TBarGraphClass::SetRestColor(TColor color) {
    redraw_ |= color != restColor_;
    restColor_ = color;
}

void TBarGraphClass::SetWidth(int width) {
    if (width == layout_.Width)
        return;
    layout_.Width = width;
    canvas_.SetWidth(width);
    redraw_ = true;
}

void TBarGraphClass::SetHeight(int height) {
    if (height == layout_.Height)
        return;
    layout_.Height = height;
    canvas_.SetHeight(height);
    redraw_ = true;
}

void TBarGraphClass::SetBarWidth(int width) {
    redraw_ |= width != layout_.BarWidth;
    layout_.BarWidth = width;
}

void TBarGraphClass::SetBarGap(int gap) {
    redraw_ |= gap != layout_.BarGap;
    layout_.BarGap = gap;
}

bool TBarGraphClass::Paint(HDC target, int x, int y) {
    if (canvas_.NeedsRealloc()) {
        canvas_.Update();
        redraw_ = true;
    }
    if (!canvas_.DC())
        return false;
    if (redraw_)
        Draw();
    redraw_ = false;
    return canvas_.Draw(target, x, y) == 0;
}

void TBarGraphClass::Draw() {
    const HDC dc = canvas_.DC();
    const int barsWidth = std::max(0, layout_.BarsWidth(Count()));
    if (barsWidth < layout_.Width)
        FillSolid(dc, RECT{barsWidth, 0, layout_.Width, layout_.Height}, restColor_);
    FillSolid(dc, RECT{0, 0, std::min(barsWidth, layout_.Width), layout_.Height}, areaColor_);
    const uint32_t fullScale = BarFullScale(Peak());
    for (int i = 0; i < Count() && fullScale; ++i) {
        int left = 0, top = 0, right = 0;
        const uint32_t value = values_[static_cast<size_t>(i)];
        if (!layout_.BarRect(i, value, fullScale, left, top, right))
            continue;
        FillSolid(dc, RECT{left, top, right, layout_.Height}, OnBarColor ? OnBarColor(i, value, fullScale) : 0);
    }
}

void TNewBevel::Paint(HDC dc, const RECT& rect) const {
    RECT r = rect;
    if (Style == 1)
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
}
