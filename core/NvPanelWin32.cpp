#include "core/NvPanelWin32.h"

#include "core/KoLibWin32.h"

TNvPanel::TNvPanel(TWinControl* owner, DWORD style) : TWinControl(owner) {
    TCreateArgs args;
    args.style = style;
    args.exStyle = WS_EX_CONTROLPARENT;  // Tab finds the controls inside
    CreateHandle(args);
}

TColor TNvPanel::PaintColor() const {
    if (HasColor())
        return Color();
    if (Parent() && Parent()->HasColor())
        return Parent()->Color();
    return GetSysColor(COLOR_BTNFACE);
}

void TNvPanel::Paint(HDC dc) {
    const RECT r = ClientRect();
    FillSolid(dc, r, PaintColor());
    if (const std::string caption = Text(); !caption.empty()) {
        RECT textRect = r;
        const int saved = SaveDC(dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, HasFontColor() ? FontColor() : GetSysColor(COLOR_BTNTEXT));
        const TSelectObject font(dc, Font());
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        RestoreDC(dc, saved);
    }
    if (OnPaint)
        OnPaint(dc);
}

LRESULT TNvPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // painted with everything else, without flicker
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            Paint(dc);
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}
