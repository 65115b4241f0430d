#include "core/NvStatusBarWin32.h"

#include <commctrl.h>

#include "core/KoLibWin32.h"

TNvStatusBar::TNvStatusBar(TWinControl* owner) : TWinControl(owner) {
    ParentFont = true;
    TCreateArgs args;
    args.className = STATUSCLASSNAMEA;
    args.style = WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE;
    args.bounds = {0, 0, 0, kHeight};
    CreateHandle(args);
    SetAlign(TAlign::Bottom);
}

int TNvStatusBar::SetPanels(std::span<const int> widths) {
    plan_ = PlanStatusPanels(widths);
    texts_.resize(plan_.panels.size());
    UpdateParts();
    for (int i = 0; i < PanelCount(); ++i)
        SendPanelText(i);
    return plan_.fixedWidth;
}

void TNvStatusBar::SetPanelWidth(int index, int width) {
    if (index < 0 || index >= PanelCount())
        return;
    plan_.panels[static_cast<size_t>(index)].width = width;
    UpdateParts();
}

void TNvStatusBar::SetPanelText(int index, const std::string& text) {
    if (index < 0 || index >= PanelCount())
        return;
    texts_[static_cast<size_t>(index)] = text;
    SendPanelText(index);
}

std::string TNvStatusBar::PanelText(int index) const {
    return index >= 0 && index < PanelCount() ? texts_[static_cast<size_t>(index)] : std::string();
}

void TNvStatusBar::UpdateParts() {
    const std::vector<int> edges = StatusPanelEdges(plan_, ClientRect().right, AutoSizeFirstPanel);
    if (!edges.empty())
        SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void TNvStatusBar::SendPanelText(int index) {
    const TStatusPanelSpec& panel = plan_.panels[static_cast<size_t>(index)];
    if (panel.ownerDraw) {
        SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(index) | SBT_OWNERDRAW, 0);
        return;
    }
    // The control centres what follows one tab.
    const std::string text = (panel.centred ? "\t" : "") + texts_[static_cast<size_t>(index)];
    SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(index) | (Bevels ? 0 : SBT_NOBORDERS),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void TNvStatusBar::ColorsChanged() {
    if (HasColor())
        SendMessageA(Handle(), SB_SETBKCOLOR, 0, Color());
}

bool TNvStatusBar::OnDrawItemReflected(const TDrawItemEvent& event) {
    if (!OnDrawPanel)
        return false;
    OnDrawPanel(event);
    return true;
}

void TNvStatusBar::Paint(HDC dc) {
    const RECT r = ClientRect();
    canvas_.SetSize(r.right, r.bottom);
    if (HasColor()) {
        FillSolid(canvas_.DC(), r, Color());
    } else {
        FillRect(canvas_.DC(), &r, GetSysColorBrush(COLOR_BTNFACE));
    }
    DefaultHandler(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas_.DC()), PRF_CLIENT);
    canvas_.Draw(dc, 0, 0);
}

LRESULT TNvStatusBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the off-screen picture covers everything
        case WM_PAINT: {
            if (wParam)
                break;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            Paint(dc);
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_SIZE: {
            const LRESULT result = TWinControl::HandleMessage(message, wParam, lParam);
            UpdateParts();
            return result;
        }
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}
