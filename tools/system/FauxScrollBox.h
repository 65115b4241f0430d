#pragma once
#include <cstdint>
#include <functional>

// Scroll-bar request codes, numbered as the platform numbers them.
enum : int {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
};

// One scroll bar of a control that scrolls in lines of its own rather than over a scrolled client area. Every
// change is handed on through OnUpdate, which shows it on the platform's bar.
class TFauxScrollBar {
  public:
    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    uint32_t Page() const { return page_; }
    int32_t Position() const { return position_; }
    bool Enabled() const { return enabled_; }

    void SetMin(int32_t value);
    void SetMax(int32_t value);
    void SetPage(uint32_t value);
    void SetEnabled(bool value);
    // Kept to at most Max - Page + 1 (the last page stays full), then to at least Min.
    void SetPosition(int64_t value);
    // Applies that rule again after the range or the page changed.
    void Reclamp();
    // A request from the bar: the thumb codes take track; the others step from the bar's own current position.
    void HandleScroll(int code, int32_t current, int32_t track);

    std::function<void()> OnUpdate;

  private:
    int32_t Clamped(int64_t value) const;
    void Update() const {
        if (OnUpdate)
            OnUpdate();
    }

    int32_t min_ = 0;
    int32_t max_ = 100;
    uint32_t page_ = 16;
    int32_t position_ = 0;
    bool enabled_ = true;
};

// Handles the scrolling keys (virtual-key codes) on the two bars; true when key was one of them.
bool ScrollKey(TFauxScrollBar& horizontal, TFauxScrollBar& vertical, uint16_t key);

// Whole wheel notches from a stream of wheel deltas (120 a notch): a touch pad's small steps add up instead of
// being lost one by one. A turn the other way starts afresh.
class TWheelNotches {
  public:
    int Add(int delta);

  private:
    int rest_ = 0;
};
