#pragma once
#include <functional>
#include <string>

#include "core/WinControlWin32.h"

// A list box; with an owner-draw style OnDrawItem paints the rows.
class TNvListBox : public TWinControl {
  public:
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    explicit TNvListBox(TWinControl* owner, DWORD style = kStyle, DWORD exStyle = WS_EX_CLIENTEDGE);

    int AddItem(const std::string& text, LPARAM data = 0);
    int Count() const;
    void Clear();
    int ItemIndex() const;  // -1 when nothing is selected
    void SetItemIndex(int index);
    std::string ItemText(int index) const;
    LPARAM ItemData(int index) const;
    void SetItemHeight(int height);

    std::function<void(const TDrawItemEvent&)> OnDrawItem;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnDrawItemReflected(const TDrawItemEvent& event) override;
};
