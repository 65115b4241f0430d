#pragma once
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/WinControlWin32.h"

class IRowSource;
class TNvImageList;
class TRowView;

// One column of a column table: width in pixels, alignment 0 left, 1 right, 2 centre, and the caption.
struct TNvColumn {
    int32_t Width;
    uint8_t Alignment;
    const char* Caption;
};

// A report-view list with whole-row selection that keeps its selection visible, read-only labels, a sort arrow in
// the header and events for column clicks, column resizing, cancelled label edits and check boxes.
// Created with kOwnerDataStyle it holds no items: its rows come from a row view and source, which sort and filter.
class TNvListView : public TWinControl {
  public:
    static constexpr DWORD kStyle =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
    static constexpr DWORD kOwnerDataStyle = kStyle | LVS_OWNERDATA;
    explicit TNvListView(TWinControl* owner, DWORD style = kStyle, DWORD exStyle = WS_EX_CLIENTEDGE);

    // Owner-data mode. Both must outlive the list or be taken away with SetRows(nullptr, nullptr). The view gets
    // the source and the list's sort column and direction; header clicks and the sort setters re-sort it.
    void SetRows(TRowView* view, const IRowSource* source);
    // After the view changed (Refresh, a new filter): the new row count, the scroll position kept where possible,
    // the same source row still selected and focused when it is visible.
    void RowsChanged();
    int SelectedSourceRow() const { return selectedSource_; }  // -1 when none
    void SelectSourceRow(int row);                             // clears the selection for a hidden row

    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }
    void SetSortColumn(int index);
    void SetSortDescending(bool descending);
    // Whether header clicks sort (and show the arrow).
    bool ColumnClick() const;
    void SetColumnClick(bool enabled);

    void AddColumns(const TNvColumn* table, int count);
    template <size_t N>
    void AddColumns(const TNvColumn (&table)[N]) {
        AddColumns(table, static_cast<int>(N));
    }
    int ColumnCount() const;
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);

    int AddItem(const std::string& caption, LPARAM data = 0, int image = -1);
    void SetItemText(int item, int column, const std::string& text);
    std::string ItemText(int item, int column) const;
    LPARAM ItemData(int item) const;
    int ItemCount() const;
    void Clear();
    int Selected() const;        // -1 when nothing is selected
    void SetSelected(int item);  // -1 clears the selection
    void EnsureVisible(int item);
    // Orders the rows by their data; compare returns <0, 0 or >0.
    void SortItems(const std::function<int(LPARAM, LPARAM)>& compare);
    void SetSmallImages(const TNvImageList& images);
    void SetCheckBoxes(bool enabled);
    bool Checked(int item) const;
    void SetChecked(int item, bool checked);
    // A row that offers no choice shows no check box.
    void HideCheckBox(int item);

    // The window sorts here; the sort column and direction are already updated.
    std::function<void(int column)> OnColumnClick;
    std::function<void(int column, int width)> OnColumnResized;
    std::function<void()> OnEditCancel;
    std::function<void(int item, bool checked)> OnItemChecked;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnNotifyReflected(NMHDR* header, LRESULT& result) override;
    void ColorsChanged() override;

  private:
    HWND Header() const;
    void ShowArrow(int column, bool show);
    void ColumnClicked(int column);
    void HeaderNotified(const NMHEADERA& notify);

    bool RowNotified(NMHDR* header, LRESULT& result);
    void ItemWanted(NMHDR* header, bool wide);
    int FindItem(const NMHDR* header, bool wide) const;
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;
    void SortRows();
    void RestoreSelection();
    void NoteSelection();

    int sortColumn_ = 0;
    bool sortDescending_ = false;

    TRowView* rows_ = nullptr;            // not owned
    const IRowSource* source_ = nullptr;  // not owned
    // Source rows, so they survive the view being re-sorted or re-filtered before RowsChanged.
    int selectedSource_ = -1;
    int focusedSource_ = -1;
    bool restoring_ = false;  // state changes of our own making
    std::string text_;        // the last text handed to the control, which reads it after the notification
    std::wstring wideText_;
};
