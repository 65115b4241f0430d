#pragma once
#include <functional>

#include "core/WinControlWin32.h"

// A flat container without a bevel that shows its parent's colour until it is given one of its own; OnPaint
// draws on top of the panel's own painting.
class TNvPanel : public TWinControl {
  public:
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    explicit TNvPanel(TWinControl* owner, DWORD style = kStyle);

    // The colour the panel paints: its own, else its parent's, else the dialog face.
    TColor PaintColor() const;

    std::function<void(HDC dc)> OnPaint;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint(HDC dc);
};
