#include "core/NvListViewWin32.h"

#include "core/NvImageListWin32.h"
#include "core/NvRules.h"

namespace {
int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM compare) {
    return (*reinterpret_cast<const std::function<int(LPARAM, LPARAM)>*>(compare))(a, b);
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
}

void TNvListView::SetSortDescending(bool descending) {
    sortDescending_ = descending;
    ShowArrow(sortColumn_, true);
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
        if ((changed & LVIS_SELECTED) && OnChange)
            OnChange();
    }
    return false;
}
