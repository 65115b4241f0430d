#include "core/NvTabControlWin32.h"

#include <commctrl.h>

#include "core/NvImageListWin32.h"

TNvTabControl::TNvTabControl(TWinControl* owner) : TWinControl(owner) {
    ParentFont = true;
    TCreateArgs args;
    args.className = WC_TABCONTROLA;
    args.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    CreateHandle(args);
}

int TNvTabControl::AddTab(const std::string& caption, int image) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(caption.c_str());
    item.iImage = image;
    return static_cast<int>(
        SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(Count()), reinterpret_cast<LPARAM>(&item)));
}

void TNvTabControl::Clear() {
    SendMessageA(Handle(), TCM_DELETEALLITEMS, 0, 0);
}

int TNvTabControl::Count() const {
    return static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0));
}

int TNvTabControl::TabIndex() const {
    return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
}

void TNvTabControl::SetTabIndex(int index) {
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TNvTabControl::SetImage(int index, int image) {
    TCITEMA item{};
    item.mask = TCIF_IMAGE;
    item.iImage = image;
    SendMessageA(Handle(), TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TNvTabControl::SetImages(const TNvImageList& images) {
    SendMessageA(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Handle()));
}

RECT TNvTabControl::DisplayRect() const {
    RECT r = ClientRect();
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

bool TNvTabControl::OnNotifyReflected(NMHDR* header, LRESULT& result) {
    if (header->code != TCN_SELCHANGE || !OnTabChange)
        return false;
    OnTabChange(TabIndex());
    result = 0;
    return true;
}
