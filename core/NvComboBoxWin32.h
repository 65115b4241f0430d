#pragma once
#include <string>
#include <vector>

#include "core/WinControlWin32.h"

// A drop-down list: the user picks one of the items and cannot type free text; created with kEditableStyle, the
// user may also type a text of his own.
class TNvComboBox : public TWinControl {
  public:
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    static constexpr DWORD kEditableStyle =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    explicit TNvComboBox(TWinControl* owner, DWORD style = kStyle);

    int AddItem(const std::string& text);
    // Replaces every item.
    void SetItems(const std::vector<std::string>& items);
    int Count() const;
    void Clear();
    int ItemIndex() const;  // -1 when nothing is chosen
    void SetItemIndex(int index);
    std::string ItemText(int index) const;
};
