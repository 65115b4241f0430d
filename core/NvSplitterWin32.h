#pragma once
#include <functional>

#include "core/NvPanelWin32.h"

// A bar beside a docked control; dragging it gives that control more or less of its parent. It docks to the same
// edge, so it must be made after the control it sizes.
class TNvSplitter : public TNvPanel {
  public:
    TNvSplitter(TWinControl* owner, TWinControl& target, int thickness = 4);

    int MinSize = 30;  // the least the target and the rest of the parent keep
    // After a drag, with the target's new width (or height).
    std::function<void(int size)> OnMoved;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Horizontal() const;  // the bar lies across: it sizes a control docked at the top or bottom
    int TargetSize() const;
    void DragTo(POINT screen);
    void EndDrag();

    TWinControl& target_;
    bool dragging_ = false;
    POINT start_{};
    int startSize_ = 0;
};
