#include "core/NvListBoxWin32.h"

#include <cstdlib>

#include "core/HandlesWin32.h"

TNvListBox::TNvListBox(TWinControl* owner, DWORD style, DWORD exStyle) : TWinControl(owner) {
    TCreateArgs args;
    args.className = "LISTBOX";
    args.style = style;
    args.exStyle = exStyle;
    CreateHandle(args);
}

int TNvListBox::AddItem(const std::string& text, LPARAM data) {
    const auto index = SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0 && data)
        SendMessageA(Handle(), LB_SETITEMDATA, index, data);
    return static_cast<int>(index);
}

int TNvListBox::Count() const {
    return static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0));
}

void TNvListBox::Clear() {
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

int TNvListBox::ItemIndex() const {
    return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
}

void TNvListBox::SetItemIndex(int index) {
    SendMessageA(Handle(), LB_SETCURSEL, index, 0);
}

std::string TNvListBox::ItemText(int index) const {
    const auto length = SendMessageA(Handle(), LB_GETTEXTLEN, index, 0);
    if (length < 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(SendMessageA(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

LOGFONTA TNvListBox::FontLog() const {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

int TNvListBox::FontHeight() const {
    const int height = FontLog().lfHeight;
    if (height != 0)
        return std::abs(height);
    // The system's own font reports no height: its metrics do.
    const TWindowDC dc(Handle());
    const TSelectObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    return metrics.tmHeight;
}

void TNvListBox::SetCount(int count) {
    SendMessageA(Handle(), LB_SETCOUNT, count, 0);
}

void TNvListBox::SetItemText(int index, const std::string& text) {
    if (index < 0 || index >= Count())
        return;
    const LPARAM data = ItemData(index);
    const int selected = ItemIndex();
    SendMessageA(Handle(), LB_DELETESTRING, index, 0);
    SendMessageA(Handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(Handle(), LB_SETITEMDATA, index, data);
    if (selected == index)
        SetItemIndex(index);
}

LPARAM TNvListBox::ItemData(int index) const {
    return SendMessageA(Handle(), LB_GETITEMDATA, index, 0);
}

void TNvListBox::SetItemHeight(int height) {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
}

bool TNvListBox::OnDrawItemReflected(const TDrawItemEvent& event) {
    if (!OnDrawItem)
        return false;
    const int width = event.rect.right - event.rect.left;
    const int height = event.rect.bottom - event.rect.top;
    if (!DoubleBuffered || width <= 0 || height <= 0) {
        OnDrawItem(event);
        return true;
    }
    rowCanvas_.SetSize(width, height);
    TDrawItemEvent offscreen = event;
    offscreen.dc = rowCanvas_.DC();
    offscreen.rect = {0, 0, width, height};
    {
        const TSelectObject font(offscreen.dc, Font());
        OnDrawItem(offscreen);
    }
    BitBlt(event.dc, event.rect.left, event.rect.top, width, height, offscreen.dc, 0, 0, SRCCOPY);
    return true;
}

LRESULT TNvListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A double click reaches OnDblClick once, through the list's own notification on a row.
    if (message == WM_LBUTTONDBLCLK)
        return DefaultHandler(message, wParam, lParam);
    if (message == WM_ERASEBKGND && DoubleBuffered) {
        const auto rows = SendMessageA(Handle(), LB_GETCOUNT, 0, 0) - SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0);
        if (rows * SendMessageA(Handle(), LB_GETITEMHEIGHT, 0, 0) >= ClientRect().bottom)
            return 1;  // the rows cover it all
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}
