#pragma once
#include <functional>

#include "core/MemoryCanvasWin32.h"
#include "core/WinControlWin32.h"
#include "tools/system/FauxScrollBox.h"

// A focusable child window whose two scroll bars move positions in units of its own (lines, pixels) instead of a
// scrolled client area; a descendant or OnPaint draws what the positions mean, off screen and in one transfer.
class TFauxScrollBox : public TWinControl {
  public:
    explicit TFauxScrollBox(TWinControl* owner, bool showBorder = true);

    TFauxScrollBar HorzScrollBar;
    TFauxScrollBar VertScrollBar;
    static constexpr int kWheelScrollsPage = -1;  // the system's setting "one screen at a time"
    int WheelScrollLines = 3;

    std::function<void()> OnScroll;
    std::function<void(HDC dc, const RECT& client)> OnPaint;
    // A wheel turn (delta as the message gives it); true when handled, else the view scrolls by lines.
    std::function<bool(int delta, const TShiftState& shift)> OnMouseWheel;
    // A left click that went down and up on the control, in client coordinates.
    std::function<void(int x, int y)> OnMouseClick;

  protected:
    // After every change of position by the user.
    virtual void Scroll();
    virtual void Paint(HDC dc, const RECT& client);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnHandleCreated() override;
    TColor PaintColor() const;

  private:
    void UpdateBar(const TFauxScrollBar& bar, int kind) const;

    TMemoryCanvas canvas_;
    TWheelNotches wheel_;
    bool pressed_ = false;
};
