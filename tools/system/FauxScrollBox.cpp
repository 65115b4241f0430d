#include "tools/system/FauxScrollBox.h"

#include <algorithm>

namespace {
constexpr uint16_t kKeyPageUp = 0x21, kKeyPageDown = 0x22, kKeyEnd = 0x23, kKeyHome = 0x24;
constexpr uint16_t kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27, kKeyDown = 0x28;
constexpr int kWheelDelta = 120;
}  // namespace

void TFauxScrollBar::SetMin(int32_t value) {
    if (value != min_) {
        min_ = value;
        Update();
    }
}

void TFauxScrollBar::SetMax(int32_t value) {
    if (value != max_) {
        max_ = value;
        Update();
    }
}

void TFauxScrollBar::SetPage(uint32_t value) {
    page_ = value;
    Update();
}

void TFauxScrollBar::SetEnabled(bool value) {
    if (value != enabled_) {
        enabled_ = value;
        Update();
    }
}

int32_t TFauxScrollBar::Clamped(int64_t value) const {
    value = std::min<int64_t>(value, int64_t{max_} - int64_t{page_} + 1);
    return static_cast<int32_t>(std::max<int64_t>(value, min_));
}

void TFauxScrollBar::SetPosition(int64_t value) {
    if (value == position_)
        return;
    position_ = Clamped(value);
    Update();
}

void TFauxScrollBar::Reclamp() {
    const int32_t clamped = Clamped(position_);
    if (clamped != position_) {
        position_ = clamped;
        Update();
    }
}

void TFauxScrollBar::HandleScroll(int code, int32_t current, int32_t track) {
    if (code == kScrollThumbPosition || code == kScrollThumbTrack) {
        SetPosition(track);
        return;
    }
    position_ = current;
    switch (code) {
        case kScrollLineUp:
            SetPosition(int64_t{position_} - 1);
            break;
        case kScrollLineDown:
            SetPosition(int64_t{position_} + 1);
            break;
        case kScrollPageUp:
            SetPosition(int64_t{position_} - page_);
            break;
        case kScrollPageDown:
            SetPosition(int64_t{position_} + page_);
            break;
        default:
            break;
    }
}

bool ScrollKey(TFauxScrollBar& horizontal, TFauxScrollBar& vertical, uint16_t key) {
    const int64_t h = horizontal.Position(), v = vertical.Position();
    switch (key) {
        case kKeyPageUp:
            vertical.SetPosition(v - vertical.Page());
            break;
        case kKeyPageDown:
            vertical.SetPosition(v + vertical.Page());
            break;
        case kKeyEnd:
            vertical.SetPosition(vertical.Max());
            break;
        case kKeyHome:
            vertical.SetPosition(0);
            break;
        case kKeyLeft:
            horizontal.SetPosition(h - 1);
            break;
        case kKeyRight:
            horizontal.SetPosition(h + 1);
            break;
        case kKeyUp:
            vertical.SetPosition(v - 1);
            break;
        case kKeyDown:
            vertical.SetPosition(v + 1);
            break;
        default:
            return false;
    }
    return true;
}

int TWheelNotches::Add(int delta) {
    if ((delta < 0) != (rest_ < 0))
        rest_ = 0;
    rest_ += delta;
    const int notches = rest_ / kWheelDelta;
    rest_ -= notches * kWheelDelta;
    return notches;
}
