#include "core/NvMenuWin32.h"

#include <cstring>
#include <string>

#include "core/NvImageListWin32.h"
#include "core/NvRules.h"

namespace {
// Command numbers are ours, unique in the process, so that tables may repeat Ids across menus of one window.
UINT NextCommand() {
    static UINT next = 0x1000;
    if (next >= 0xFF00)
        next = 0x1000;
    return next++;
}

std::string ItemText(const TNvMenuItem& record) {
    std::string text = record.Caption ? record.Caption : "";
    if (const std::string keys = ShortCutToText(record.ShortCut); !keys.empty())
        text += "\t" + keys;
    return text;
}

HWND WindowOf(const TWinControl* control) {
    while (control && !control->Handle())
        control = control->Owner();
    return control ? control->Handle() : nullptr;
}
}  // namespace

TNvMenuEntry::TNvMenuEntry(HMENU menu, UINT command, const TNvMenuItem* record, TNvMenuClick onClick)
    : menu_(menu), command_(command), record_(record), onClick_(std::move(onClick)) {}

UINT TNvMenuEntry::Flag(UINT flags) const {
    return flags | (byPosition_ ? MF_BYPOSITION : MF_BYCOMMAND);
}

bool TNvMenuEntry::Checked() const {
    return (GetMenuState(menu_, command_, Flag(0)) & MF_CHECKED) != 0;
}

void TNvMenuEntry::SetChecked(bool checked) {
    CheckMenuItem(menu_, command_, Flag(checked ? MF_CHECKED : MF_UNCHECKED));
}

bool TNvMenuEntry::Enabled() const {
    return (GetMenuState(menu_, command_, Flag(0)) & (MF_DISABLED | MF_GRAYED)) == 0;
}

void TNvMenuEntry::SetEnabled(bool enabled) {
    EnableMenuItem(menu_, command_, Flag(enabled ? MF_ENABLED : MF_GRAYED));
}

void TNvMenuEntry::Click() {
    if (record_ && onClick_)
        onClick_(*record_);
}

TNvMenu::~TNvMenu() {
    if (menu_ && destroyMenu_)
        DestroyMenu(menu_);
}

std::vector<const TNvMenuItem*> TNvMenu::TableRecords(const TNvMenuItem* table, int high) {
    std::vector<const TNvMenuItem*> records;
    for (int i = 0; i <= high; ++i)
        records.push_back(&table[i]);
    return records;
}

void TNvMenu::AppendItems(HMENU menu,
                          const std::vector<const TNvMenuItem*>& records,
                          const TNvMenuClick& onClick,
                          std::vector<std::unique_ptr<TNvMenuEntry>>& entries,
                          std::vector<UINT>* reuse) {
    for (const TNvMenuItem* item : records) {
        const TNvMenuItem& record = *item;
        UINT command = 0;
        if (reuse && !reuse->empty()) {
            command = reuse->back();
            reuse->pop_back();
        } else {
            command = NextCommand();
        }
        const std::string text = ItemText(record);
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.wID = command;
        if (record.Caption && std::strcmp(record.Caption, "-") == 0) {
            info.fMask = MIIM_FTYPE | MIIM_ID;
            info.fType = MFT_SEPARATOR;
        } else {
            info.fType = MFT_STRING | ((record.Flags & kMenuRadio) ? MFT_RADIOCHECK : 0);
            info.fState = (record.Flags & kMenuDisabled) ? MFS_GRAYED : MFS_ENABLED;
            info.dwTypeData = const_cast<char*>(text.c_str());
        }
        InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
        entries.push_back(std::make_unique<TNvMenuEntry>(menu, command, &record, onClick));
    }
}

TNvMenuEntry* TNvMenu::FindItem(uint16_t id) const {
    for (const auto& entry : items_) {
        if (entry->Record() && entry->Record()->Id == id)
            return entry.get();
        for (const auto& item : entry->Items())
            if (item->Record() && item->Record()->Id == id)
                return item.get();
    }
    return nullptr;
}

TNvMenuEntry* TNvMenu::FindCommand(UINT command) const {
    for (const auto& entry : items_) {
        if (entry->Record() && entry->Command() == command)
            return entry.get();
        for (const auto& item : entry->Items())
            if (item->Command() == command)
                return item.get();
    }
    return nullptr;
}

void TNvMenu::SetChecked(uint16_t id, bool checked) {
    if (TNvMenuEntry* item = FindItem(id))
        item->SetChecked(checked);
}

bool TNvMenu::Checked(uint16_t id) const {
    const TNvMenuEntry* item = FindItem(id);
    return item && item->Checked();
}

void TNvMenu::SetEnabled(uint16_t id, bool enabled) {
    if (TNvMenuEntry* item = FindItem(id))
        item->SetEnabled(enabled);
}

bool TNvMenu::HandleShortcut(WORD key, const TShiftState& shift) {
    const uint16_t code = ShortCutCode(key, shift.shift, shift.ctrl, shift.alt);
    if ((code & 0xFF) == 0)
        return false;
    auto matches = [code](const TNvMenuEntry& entry) {
        return entry.Record() && entry.Record()->ShortCut == code && entry.Enabled();
    };
    for (const auto& entry : items_) {
        if (matches(*entry)) {
            entry->Click();
            return true;
        }
        for (const auto& item : entry->Items()) {
            if (matches(*item)) {
                item->Click();
                return true;
            }
        }
    }
    return false;
}

void TNvMenu::SetImages(const TNvImageList* images) {
    images_ = images;
    auto show = [this](const TNvMenuEntry& entry) {
        if (!entry.Record() || entry.Record()->ImageIndex < 0)
            return;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_BITMAP;
        info.hbmpItem = images_ ? HBMMENU_CALLBACK : nullptr;  // drawn by OnMenuDrawItem
        SetMenuItemInfoA(entry.menu_, entry.Command(), FALSE, &info);
    };
    for (const auto& entry : items_) {
        show(*entry);
        for (const auto& item : entry->Items())
            show(*item);
    }
}

const TNvMenuItem* TNvMenu::PictureRecord(UINT command) const {
    const TNvMenuEntry* entry = images_ ? FindCommand(command) : nullptr;
    return entry && entry->Record()->ImageIndex >= 0 ? entry->Record() : nullptr;
}

bool TNvMenu::OnMenuMeasureItem(MEASUREITEMSTRUCT* measure) {
    if (!PictureRecord(measure->itemID))
        return false;
    measure->itemWidth = static_cast<UINT>(images_->Width());
    measure->itemHeight = static_cast<UINT>(images_->Height());
    return true;
}

bool TNvMenu::OnMenuDrawItem(const DRAWITEMSTRUCT& draw) {
    const TNvMenuItem* record = PictureRecord(draw.itemID);
    if (!record)
        return false;
    const int top = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - images_->Height()) / 2;
    const UINT style = (draw.itemState & (ODS_DISABLED | ODS_GRAYED)) ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT;
    ImageList_Draw(images_->Handle(), record->ImageIndex, draw.hDC, draw.rcItem.left, top, style);
    return true;
}

bool TNvMenu::OnMenuCommand(WORD command) {
    TNvMenuEntry* entry = FindCommand(command);
    if (!entry)
        return false;
    entry->Click();
    return true;
}

TNvPopupMenu::TNvPopupMenu(TWinControl* owner, TNvMenuClick onClick, int count, const TNvMenuItem* table)
    : TNvPopupMenu(owner, std::move(onClick), TableRecords(table, count)) {}

TNvPopupMenu::TNvPopupMenu(TWinControl* owner, TNvMenuClick onClick, const std::vector<const TNvMenuItem*>& records)
    : TNvMenu(owner) {
    menu_ = CreatePopupMenu();
    AppendItems(menu_, records, onClick, items_);
}

void TNvPopupMenu::Popup(int x, int y) {
    const UINT command = static_cast<UINT>(
        TrackPopupMenuEx(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, WindowOf(this), nullptr));
    if (command)
        OnMenuCommand(static_cast<WORD>(command));
}

void TNvPopupMenu::PopupFor(LPARAM position, HWND corner) {
    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (at.x == -1 && at.y == -1) {
        at = {0, 0};
        ClientToScreen(corner, &at);
    }
    Popup(at.x, at.y);
}

TNvMainMenu::TNvMainMenu(TWinControl* owner) : TNvMenu(owner) {
    menu_ = CreateMenu();
    window_ = WindowOf(owner);
    if (window_)
        SetMenu(window_, menu_);
}

TNvMainMenu::~TNvMainMenu() {
    // A window destroys its menu bar with itself; while the window lives, the bar is taken back first.
    if (window_ && Owner() && Owner()->Handle() == window_) {
        if (GetMenu(window_) == menu_)
            SetMenu(window_, nullptr);
    } else if (window_) {
        destroyMenu_ = false;
    }
}

TNvMenuEntry& TNvMainMenu::AddMenu(const char* caption, const TNvMenuItem* table, int count, TNvMenuClick onClick) {
    return AddMenu(caption, TableRecords(table, count), std::move(onClick));
}

TNvMenuEntry& TNvMainMenu::AddMenu(const char* caption,
                                   const std::vector<const TNvMenuItem*>& records,
                                   TNvMenuClick onClick) {
    HMENU subMenu = CreatePopupMenu();
    const UINT position = static_cast<UINT>(GetMenuItemCount(menu_));
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    info.fType = MFT_STRING;
    info.hSubMenu = subMenu;
    info.dwTypeData = const_cast<char*>(caption);
    InsertMenuItemA(menu_, position, TRUE, &info);
    auto entry = std::make_unique<TNvMenuEntry>(menu_, position, nullptr, TNvMenuClick());
    entry->byPosition_ = true;
    entry->subMenu_ = subMenu;
    AppendItems(subMenu, records, onClick, entry->items_);
    items_.push_back(std::move(entry));
    if (window_)
        DrawMenuBar(window_);
    return *items_.back();
}

void TNvMainMenu::ReplaceItems(TNvMenuEntry& entry,
                               const std::vector<const TNvMenuItem*>& records,
                               TNvMenuClick onClick) {
    if (!entry.subMenu_)
        return;
    while (GetMenuItemCount(entry.subMenu_) > 0)
        DeleteMenu(entry.subMenu_, 0, MF_BYPOSITION);
    // The numbers go round: a menu rebuilt on every change would in time take those of the other menus.
    std::vector<UINT> freed;
    for (auto it = entry.items_.rbegin(); it != entry.items_.rend(); ++it)
        freed.push_back((*it)->Command());
    entry.items_.clear();
    AppendItems(entry.subMenu_, records, onClick, entry.items_, &freed);
}
