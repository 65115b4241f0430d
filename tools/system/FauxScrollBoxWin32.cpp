#include "tools/system/FauxScrollBoxWin32.h"

#include <windowsx.h>

#include "core/KoLibWin32.h"

TFauxScrollBox::TFauxScrollBox(TWinControl* owner, bool showBorder) : TWinControl(owner) {
    HorzScrollBar.OnUpdate = [this] { UpdateBar(HorzScrollBar, SB_HORZ); };
    VertScrollBar.OnUpdate = [this] { UpdateBar(VertScrollBar, SB_VERT); };
    UINT lines = 3;
    if (SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        WheelScrollLines = lines == WHEEL_PAGESCROLL ? kWheelScrollsPage : static_cast<int>(lines);
    canvas_.TopDown = true;
    TCreateArgs args;
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;
    args.exStyle = WS_EX_CONTROLPARENT | (showBorder ? WS_EX_CLIENTEDGE : 0);
    args.bounds = {0, 0, 180, 220};
    CreateHandle(args);
    SetColor(GetSysColor(COLOR_WINDOW));
}

void TFauxScrollBox::OnHandleCreated() {
    UpdateBar(HorzScrollBar, SB_HORZ);
    UpdateBar(VertScrollBar, SB_VERT);
}

void TFauxScrollBox::UpdateBar(const TFauxScrollBar& bar, int kind) const {
    if (!Handle())
        return;
    if (!bar.Enabled()) {
        ShowScrollBar(Handle(), kind, FALSE);
        return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = bar.Min();
    info.nMax = bar.Max();
    info.nPage = bar.Page();
    info.nPos = bar.Position();
    SetScrollInfo(Handle(), kind, &info, TRUE);
}

void TFauxScrollBox::Scroll() {
    if (OnScroll)
        OnScroll();
}

TColor TFauxScrollBox::PaintColor() const {
    return HasColor() ? Color() : GetSysColor(COLOR_WINDOW);
}

void TFauxScrollBox::Paint(HDC dc, const RECT& client) {
    FillSolid(dc, client, PaintColor());
    if (OnPaint)
        OnPaint(dc, client);
}

LRESULT TFauxScrollBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_HSCROLL:
        case WM_VSCROLL: {
            const int kind = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_POS | SIF_TRACKPOS;
            GetScrollInfo(Handle(), kind, &info);
            (kind == SB_HORZ ? HorzScrollBar : VertScrollBar).HandleScroll(LOWORD(wParam), info.nPos, info.nTrackPos);
            Scroll();
            return 0;
        }
        case WM_MOUSEWHEEL: {
            const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
            const int64_t step = WheelScrollLines == kWheelScrollsPage ? VertScrollBar.Page() : WheelScrollLines;
            if (!OnMouseWheel || !OnMouseWheel(delta, TShiftState::Current()))
                VertScrollBar.SetPosition(int64_t{VertScrollBar.Position()} - int64_t{wheel_.Add(delta)} * step);
            Scroll();
            return 0;
        }
        case WM_LBUTTONDOWN:
            SetFocus();
            pressed_ = true;
            break;
        case WM_LBUTTONUP:
            if (pressed_ && OnMouseClick) {
                pressed_ = false;
                OnMouseClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                return 0;
            }
            pressed_ = false;
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (ScrollKey(HorzScrollBar, VertScrollBar, static_cast<uint16_t>(wParam))) {
                Scroll();
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            RECT client{};
            GetClientRect(Handle(), &client);
            if (client.right > 0 && client.bottom > 0) {
                canvas_.SetSize(client.right, client.bottom);
                if (canvas_.NeedsRealloc())
                    canvas_.Update();
            }
            if (!canvas_.DC() || client.right <= 0 || client.bottom <= 0)
                break;
            {
                const TSelectObject font(canvas_.DC(), Font());
                Paint(canvas_.DC(), client);
            }
            canvas_.Paint(Handle());
            return 0;
        }
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}
