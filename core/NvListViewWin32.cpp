#include "core/NvListViewWin32.h"

#include "core/KoLibWin32.h"
#include "core/NvImageListWin32.h"
#include "core/NvRules.h"
#include "core/RowModel.h"

#include <utility>

namespace {
int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM compare) {
    return (*reinterpret_cast<const std::function<int(LPARAM, LPARAM)>*>(compare))(a, b);
}

// The program's texts are in the ANSI code page, as the ...A functions take them.
std::wstring Widen(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int length = text.empty() ? 0
                                    : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                          wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(length > 0 ? length : 0));
    return wide;
}

std::string Narrow(const wchar_t* text) {
    return text ? NarrowText(text) : std::string();
}

int ColumnFormat(uint8_t alignment) {
    switch (alignment) {
        case 1:
            return LVCFMT_RIGHT;
        case 2:
            return LVCFMT_CENTER;
        default:
            return LVCFMT_LEFT;
    }
}
}  // namespace

TNvListView::TNvListView(TWinControl* owner, DWORD style, DWORD exStyle) : TWinControl(owner) {
    TCreateArgs args;
    args.className = WC_LISTVIEWA;
    args.style = style;
    args.exStyle = exStyle;
    CreateHandle(args);
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

HWND TNvListView::Header() const {
    return reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0));
}

void TNvListView::ShowArrow(int column, bool show) {
    HWND header = Header();
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (!header || column < 0 || !SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item)))
        return;
    item.fmt = static_cast<int>(SortArrowFormat(static_cast<uint32_t>(item.fmt), show, sortDescending_));
    SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
}

void TNvListView::SetSortColumn(int index) {
    ShowArrow(sortColumn_, false);
    sortColumn_ = index;
    ShowArrow(sortColumn_, true);
    SortRows();
}

void TNvListView::SetSortDescending(bool descending) {
    sortDescending_ = descending;
    ShowArrow(sortColumn_, true);
    SortRows();
}

bool TNvListView::ColumnClick() const {
    return !(GetWindowLongA(Handle(), GWL_STYLE) & LVS_NOSORTHEADER);
}

void TNvListView::SetColumnClick(bool enabled) {
    const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    SetWindowLongA(Handle(), GWL_STYLE, enabled ? style & ~LVS_NOSORTHEADER : style | LVS_NOSORTHEADER);
}

void TNvListView::AddColumns(const TNvColumn* table, int count) {
    for (int i = 0; i < count; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = ColumnFormat(table[i].Alignment);
        column.cx = table[i].Width;
        column.pszText = const_cast<char*>(table[i].Caption);
        SendMessageA(Handle(), LVM_INSERTCOLUMNA, ColumnCount(), reinterpret_cast<LPARAM>(&column));
    }
    if (ColumnClick())
        ShowArrow(sortColumn_, true);
}

int TNvListView::ColumnCount() const {
    HWND header = Header();
    return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int TNvListView::ColumnWidth(int column) const {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, column, 0));
}

void TNvListView::SetColumnWidth(int column, int width) {
    SendMessageA(Handle(), LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
}

int TNvListView::AddItem(const std::string& caption, LPARAM data, int image) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = ItemCount();
    item.pszText = const_cast<char*>(caption.c_str());
    item.lParam = data;
    item.iImage = image;
    return static_cast<int>(SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void TNvListView::SetItemText(int item, int column, const std::string& text) {
    LVITEMA sub{};
    sub.iSubItem = column;
    sub.pszText = const_cast<char*>(text.c_str());
    SendMessageA(Handle(), LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&sub));
}

std::string TNvListView::ItemText(int item, int column) const {
    std::string text(256, '\0');
    for (;;) {
        LVITEMA sub{};
        sub.iSubItem = column;
        sub.pszText = text.data();
        sub.cchTextMax = static_cast<int>(text.size());
        const auto length =
            static_cast<size_t>(SendMessageA(Handle(), LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&sub)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

LPARAM TNvListView::ItemData(int item) const {
    LVITEMA row{};
    row.mask = LVIF_PARAM;
    row.iItem = item;
    return SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row)) ? row.lParam : 0;
}

int TNvListView::ItemCount() const {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
}

void TNvListView::Clear() {
    SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

int TNvListView::Selected() const {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TNvListView::SetSelected(int item) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (item < 0)
        return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
    EnsureVisible(item);
}

void TNvListView::EnsureVisible(int item) {
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, item, FALSE);
}

void TNvListView::SortItems(const std::function<int(LPARAM, LPARAM)>& compare) {
    SendMessageA(Handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&compare), reinterpret_cast<LPARAM>(CompareRows));
}

void TNvListView::SetSmallImages(const TNvImageList& images) {
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.Handle()));
}

void TNvListView::SetCheckBoxes(bool enabled) {
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, enabled ? LVS_EX_CHECKBOXES : 0);
}

bool TNvListView::Checked(int item) const {
    const auto state = SendMessageA(Handle(), LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK);
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void TNvListView::SetChecked(int item, bool checked) {
    LVITEMA state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageA(Handle(), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
}

void TNvListView::HideCheckBox(int item) {
    LVITEMA state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    SendMessageA(Handle(), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
}

void TNvListView::SetRows(TRowView* view, const IRowSource* source) {
    rows_ = view;
    source_ = source;
    selectedSource_ = focusedSource_ = -1;
    if (rows_) {
        if (rows_->Source() != source)
            rows_->SetSource(source);
        rows_->SetSort(sortColumn_, sortDescending_);
    }
    RowsChanged();
}

void TNvListView::RowsChanged() {
    {
        const TFlagScope own(restoring_);
        SendMessageA(Handle(), LVM_SETITEMCOUNT, rows_ ? rows_->Count() : 0, LVSICF_NOSCROLL);
    }
    RestoreSelection();
}

void TNvListView::SelectSourceRow(int row) {
    const int index = rows_ ? rows_->VisibleIndexOf(row) : -1;
    SetSelected(index);
    selectedSource_ = focusedSource_ = index >= 0 ? row : -1;
}

void TNvListView::SortRows() {
    if (!rows_)
        return;
    rows_->SetSort(sortColumn_, sortDescending_);
    RestoreSelection();
    Invalidate();
}

// Moves the selection and focus to where their source rows are now; the control only knows visible indexes. Some
// controls scroll to an item given the focus: the rows at the top stay where they were.
void TNvListView::RestoreSelection() {
    const auto top = static_cast<int>(SendMessageA(Handle(), LVM_GETTOPINDEX, 0, 0));
    const int before = selectedSource_;
    const int selected = rows_ ? rows_->VisibleIndexOf(selectedSource_) : -1;
    const int focused = rows_ ? rows_->VisibleIndexOf(focusedSource_) : -1;
    {
        const TFlagScope own(restoring_);
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        state.stateMask = state.state = LVIS_FOCUSED;
        if (focused >= 0)
            SendMessageA(Handle(), LVM_SETITEMSTATE, focused, reinterpret_cast<LPARAM>(&state));
        state.stateMask = state.state = LVIS_SELECTED;
        if (selected >= 0)
            SendMessageA(Handle(), LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&state));
    }
    if (const auto now = static_cast<int>(SendMessageA(Handle(), LVM_GETTOPINDEX, 0, 0)); now != top) {
        RECT item{LVIR_BOUNDS, 0, 0, 0};
        if (SendMessageA(Handle(), LVM_GETITEMRECT, now, reinterpret_cast<LPARAM>(&item)))
            SendMessageA(Handle(), LVM_SCROLL, 0, (top - now) * (item.bottom - item.top));
    }
    selectedSource_ = selected >= 0 ? selectedSource_ : -1;
    focusedSource_ = focused >= 0 ? focusedSource_ : -1;
    // The same row staying selected at another index is no change; a row filtered away is.
    if (selectedSource_ != before && OnChange)
        OnChange();
}

void TNvListView::NoteSelection() {
    if (restoring_ || !rows_)
        return;
    selectedSource_ = rows_->SourceRow(Selected());
    focusedSource_ = rows_->SourceRow(
        static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
}

// The A and W forms of the notification differ only in the type of the text pointer.
void TNvListView::ItemWanted(NMHDR* header, bool wide) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
    const int row = rows_->SourceRow(item.iItem);
    const bool known = row >= 0 && row < source_->RowCount();
    if (item.mask & LVIF_TEXT) {
        text_ = known ? source_->CellText(row, item.iSubItem) : std::string();
        if (wide) {
            wideText_ = Widen(text_);
            reinterpret_cast<NMLVDISPINFOW*>(header)->item.pszText = wideText_.data();
        } else {
            item.pszText = text_.data();
        }
    }
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0)
        item.iImage = known ? source_->RowImage(row) : -1;
}

// Typing in the list: the next row whose caption starts with the typed text.
int TNvListView::FindItem(const NMHDR* header, bool wide) const {
    const auto& find = *reinterpret_cast<const NMLVFINDITEMA*>(header);
    const UINT flags = find.lvfi.flags;
    if (!(flags & (LVFI_STRING | LVFI_PARTIAL)))
        return -1;
    const std::string text = wide ? Narrow(reinterpret_cast<const NMLVFINDITEMW*>(header)->lvfi.psz)
                                  : std::string(find.lvfi.psz ? find.lvfi.psz : "");
    return rows_->FindRow(text, find.iStart, (flags & LVFI_PARTIAL) != 0, (flags & LVFI_WRAP) != 0);
}

LRESULT TNvListView::CustomDraw(NMLVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    const int row = rows_->SourceRow(static_cast<int>(draw.nmcd.dwItemSpec));
    if (row < 0 || row >= source_->RowCount())
        return CDRF_DODEFAULT;
    const TRowColors colors = source_->RowColors(row);
    if (colors.hasText)
        draw.clrText = colors.text;
    if (colors.hasBackground)
        draw.clrTextBk = colors.background;
    return colors.hasText || colors.hasBackground ? CDRF_NEWFONT : CDRF_DODEFAULT;
}

bool TNvListView::RowNotified(NMHDR* header, LRESULT& result) {
    switch (header->code) {
        case LVN_GETDISPINFOA:
        case LVN_GETDISPINFOW:
            ItemWanted(header, header->code == LVN_GETDISPINFOW);
            result = 0;
            return true;
        case LVN_ODFINDITEMA:
        case LVN_ODFINDITEMW:
            result = FindItem(header, header->code == LVN_ODFINDITEMW);
            return true;
        case NM_CUSTOMDRAW:
            result = CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
            return true;
        case LVN_ODSTATECHANGED:
            NoteSelection();
            return false;
        default:
            return false;
    }
}

void TNvListView::ColorsChanged() {
    if (HasColor()) {
        SendMessageA(Handle(), LVM_SETBKCOLOR, 0, Color());
        SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, Color());
    }
    if (HasFontColor())
        SendMessageA(Handle(), LVM_SETTEXTCOLOR, 0, FontColor());
}

void TNvListView::ColumnClicked(int column) {
    sortDescending_ = ClickSortsDescending(sortColumn_, sortDescending_, column);
    SetSortColumn(column);
    if (OnColumnClick)
        OnColumnClick(column);
    if (const int selected = Selected(); selected >= 0)
        EnsureVisible(selected);
}

void TNvListView::HeaderNotified(const NMHEADERA& notify) {
    // The A and W forms of the notification differ only in the text the item points to.
    int width = notify.iItem >= 0 ? ColumnWidth(notify.iItem) : -1;
    if (notify.pitem && (notify.pitem->mask & HDI_WIDTH))
        width = notify.pitem->cxy;
    if (OnColumnResized)
        OnColumnResized(notify.iItem, width);
    if (notify.iItem == sortColumn_ && ColumnClick())
        ShowArrow(sortColumn_, true);
}

LRESULT TNvListView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == Header()) {
            const LRESULT result = DefaultHandler(message, wParam, lParam);
            const UINT code = header->code;
            if (code == HDN_ENDTRACKA || code == HDN_ENDTRACKW || code == HDN_DIVIDERDBLCLICKA ||
                code == HDN_DIVIDERDBLCLICKW)
                HeaderNotified(*reinterpret_cast<const NMHEADERA*>(lParam));
            return result;
        }
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}

bool TNvListView::OnNotifyReflected(NMHDR* header, LRESULT& result) {
    if (rows_ && source_ && RowNotified(header, result))
        return true;
    const UINT code = header->code;
    if (code == LVN_COLUMNCLICK) {
        ColumnClicked(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
        result = 0;
        return true;
    }
    if (code == LVN_ENDLABELEDITA || code == LVN_ENDLABELEDITW) {
        const LVITEMA& item = reinterpret_cast<const NMLVDISPINFOA*>(header)->item;
        if (!item.pszText && item.iItem >= 0 && OnEditCancel)
            OnEditCancel();
        return false;
    }
    if (code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        const UINT changed = change->uNewState ^ change->uOldState;
        if (!(change->uChanged & LVIF_STATE))
            return false;
        if ((changed & LVIS_STATEIMAGEMASK) && OnItemChecked)
            OnItemChecked(change->iItem, (change->uNewState & LVIS_STATEIMAGEMASK) != INDEXTOSTATEIMAGEMASK(1));
        if (changed & (LVIS_SELECTED | LVIS_FOCUSED))
            NoteSelection();
        if ((changed & LVIS_SELECTED) && OnChange && !restoring_)
            OnChange();
    }
    return false;
}
