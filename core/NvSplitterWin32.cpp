#include "core/NvSplitterWin32.h"

#include <algorithm>

TNvSplitter::TNvSplitter(TWinControl* owner, TWinControl& target, int thickness) : TNvPanel(owner), target_(target) {
    SetBounds(0, 0, thickness, thickness);
    SetAlign(target.Align());
}

bool TNvSplitter::Horizontal() const {
    return Align() == TAlign::Top || Align() == TAlign::Bottom;
}

int TNvSplitter::TargetSize() const {
    const RECT r = target_.BoundsRect();
    return Horizontal() ? r.bottom - r.top : r.right - r.left;
}

void TNvSplitter::DragTo(POINT screen) {
    const int moved = Horizontal() ? screen.y - start_.y : screen.x - start_.x;
    // Dragging toward the target's own edge makes it smaller.
    const bool grows = Align() == TAlign::Left || Align() == TAlign::Top;
    const RECT parent = Parent() ? Parent()->ClientRect() : RECT{};
    const RECT self = ClientRect();
    const int room = Horizontal() ? parent.bottom - self.bottom : parent.right - self.right;
    const int least = std::clamp(MinSize, 0, std::max(0, room));
    const int most = std::max(least, room - MinSize);
    const int size = std::clamp(startSize_ + (grows ? moved : -moved), least, most);
    const RECT r = target_.BoundsRect();
    if (Horizontal())
        target_.SetBounds(r.left, r.top, r.right - r.left, size);
    else
        target_.SetBounds(r.left, r.top, size, r.bottom - r.top);
}

void TNvSplitter::EndDrag() {
    if (!dragging_)
        return;
    dragging_ = false;
    if (GetCapture() == Handle())
        ReleaseCapture();
    if (OnMoved)
        OnMoved(TargetSize());
}

LRESULT TNvSplitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_SETCURSOR:
            SetCursor(LoadCursorA(nullptr, Horizontal() ? IDC_SIZENS : IDC_SIZEWE));
            return TRUE;
        case WM_LBUTTONDOWN:
            ClientToScreen(Handle(), &at);
            start_ = at;
            startSize_ = TargetSize();
            dragging_ = true;
            SetCapture(Handle());
            return 0;
        case WM_MOUSEMOVE:
            if (dragging_) {
                ClientToScreen(Handle(), &at);
                DragTo(at);
            }
            return 0;
        case WM_LBUTTONUP:
            EndDrag();
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Handle())
                EndDrag();
            break;
    }
    return TNvPanel::HandleMessage(message, wParam, lParam);
}
