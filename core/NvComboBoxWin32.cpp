#include "core/NvComboBoxWin32.h"

TNvComboBox::TNvComboBox(TWinControl* owner, DWORD style) : TWinControl(owner) {
    TCreateArgs args;
    args.className = "COMBOBOX";
    const DWORD kind = (style & CBS_DROPDOWNLIST) == CBS_DROPDOWN ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
    args.style = (style & ~CBS_DROPDOWNLIST) | kind;
    CreateHandle(args);
}

int TNvComboBox::AddItem(const std::string& text) {
    return static_cast<int>(SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void TNvComboBox::SetItems(const std::vector<std::string>& items) {
    Clear();
    for (const std::string& item : items)
        AddItem(item);
}

int TNvComboBox::Count() const {
    return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0));
}

void TNvComboBox::Clear() {
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
}

int TNvComboBox::ItemIndex() const {
    return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TNvComboBox::SetItemIndex(int index) {
    SendMessageA(Handle(), CB_SETCURSEL, index, 0);
}

std::string TNvComboBox::ItemText(int index) const {
    const auto length = SendMessageA(Handle(), CB_GETLBTEXTLEN, index, 0);
    if (length < 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(
        static_cast<size_t>(SendMessageA(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}
