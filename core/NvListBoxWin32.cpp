#include "core/NvListBoxWin32.h"

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

LPARAM TNvListBox::ItemData(int index) const {
    return SendMessageA(Handle(), LB_GETITEMDATA, index, 0);
}

void TNvListBox::SetItemHeight(int height) {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
}

bool TNvListBox::OnDrawItemReflected(const TDrawItemEvent& event) {
    if (!OnDrawItem)
        return false;
    OnDrawItem(event);
    return true;
}

LRESULT TNvListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A double click reaches OnDblClick once, through the list's own notification on a row.
    if (message == WM_LBUTTONDBLCLK)
        return DefaultHandler(message, wParam, lParam);
    return TWinControl::HandleMessage(message, wParam, lParam);
}
