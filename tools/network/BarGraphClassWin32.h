#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "core/KoLib.h"
#include "core/MemoryCanvasWin32.h"
#include "tools/network/BarGraphClass.h"

// A bar graph kept as a picture: painting copies it, and it is drawn again only after a value, the size, a colour
// or the bars' layout changed.
class TBarGraphClass {
  public:
    TBarGraphClass();

    void SetValue(int index, uint32_t value);
    void SetCount(int count);
    int Count() const { return static_cast<int>(values_.size()); }
    void SetAreaColor(TColor color);
    void SetRestColor(TColor color);
    TColor AreaColor() const { return areaColor_; }
    void SetWidth(int width);
    void SetHeight(int height);
    void SetBarWidth(int width);
    void SetBarGap(int gap);
    uint32_t Peak() const { return BarPeak(values_); }
    // The colour of bar index with its value and what the full height stands for.
    std::function<TColor(int index, uint32_t value, uint32_t fullScale)> OnBarColor;

    bool Paint(HDC target, int x, int y);

  private:
    void Draw();

    TMemoryCanvas canvas_;
    TBarLayout layout_;
    std::vector<uint32_t> values_;
    TColor areaColor_ = RGB(127, 191, 223);
    TColor restColor_;
    bool redraw_ = true;
};

// A frame drawn with the platform's edges around a rectangle of a picture (style 1: sunken on all four sides).
class TNewBevel {
  public:
    uint8_t Style = 1;
    void Paint(HDC dc, const RECT& rect) const;
};
