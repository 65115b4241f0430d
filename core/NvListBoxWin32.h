#pragma once
#include <functional>
#include <string>

#include "core/MemoryCanvasWin32.h"
#include "core/WinControlWin32.h"

// A list box; with an owner-draw style OnDrawItem paints the rows, each off screen first when DoubleBuffered.
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
    // Keeps the item's data and the selection.
    void SetItemText(int index, const std::string& text);
    LPARAM ItemData(int index) const;
    void SetItemHeight(int height);
    // The list's font, and its height in pixels.
    LOGFONTA FontLog() const;
    int FontHeight() const;
    // The number of rows of a list without data (LBS_NODATA), whose owner draws each row from its index.
    void SetCount(int count);

    std::function<void(const TDrawItemEvent&)> OnDrawItem;
    // Rows are drawn into a memory canvas and copied in one go, and no background is erased under rows that cover
    // the list: nothing flickers when the list repaints.
    bool DoubleBuffered = false;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnDrawItemReflected(const TDrawItemEvent& event) override;

  private:
    TMemoryCanvas rowCanvas_;
};
