#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/WinControlWin32.h"

class TNvImageList;

// One record of a menu-item table (static arrays shared by the menu classes).
struct TNvMenuItem {
    uint16_t Id;          // passed to the click handler; 0 for separators
    uint16_t ShortCut;    // virtual-key code plus 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt; 0 for none
    const char* Caption;  // "-" makes a separator; "&" marks the accelerator letter
    uint32_t Flags;       // kMenuRadio, kMenuDisabled
    int32_t ImageIndex;
};
constexpr uint32_t kMenuRadio = 1;
constexpr uint32_t kMenuDisabled = 2;

// The click handler of a table's items; it reads the Id from the record.
using TNvMenuClick = std::function<void(const TNvMenuItem& item)>;

// An item of a menu: a table record's entry, or a top-level entry of a main menu holding a sub-menu.
class TNvMenuEntry {
  public:
    TNvMenuEntry(HMENU menu, UINT command, const TNvMenuItem* record, TNvMenuClick onClick);
    TNvMenuEntry(const TNvMenuEntry&) = delete;
    TNvMenuEntry& operator=(const TNvMenuEntry&) = delete;

    const TNvMenuItem* Record() const { return record_; }  // null for a top-level entry of a main menu
    UINT Command() const { return command_; }
    HMENU SubMenu() const { return subMenu_; }  // not owned: destroyed with the menu that holds it
    const std::vector<std::unique_ptr<TNvMenuEntry>>& Items() const { return items_; }

    bool Checked() const;
    void SetChecked(bool checked);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    void Click();

  private:
    friend class TNvMenu;
    friend class TNvMainMenu;
    UINT Flag(UINT flags) const;

    HMENU menu_;    // not owned: the menu that shows this entry
    UINT command_;  // for a top-level entry of a main menu: its position
    bool byPosition_ = false;
    const TNvMenuItem* record_;
    TNvMenuClick onClick_;
    HMENU subMenu_ = nullptr;
    std::vector<std::unique_ptr<TNvMenuEntry>> items_;
};

// What both menus share: items built from tables, lookup by Id, shortcuts and commands. A menu is a component of
// its owner without a window of its own; commands reach it through the owner window's WM_COMMAND.
class TNvMenu : public TWinControl {
  public:
    explicit TNvMenu(TWinControl* owner) : TWinControl(owner) {}
    ~TNvMenu() override;

    HMENU MenuHandle() const { return menu_; }
    const std::vector<std::unique_ptr<TNvMenuEntry>>& Items() const { return items_; }
    // The item whose record has this Id, among the top-level items and their sub-items; null when none has.
    TNvMenuEntry* FindItem(uint16_t id) const;
    void SetChecked(uint16_t id, bool checked);
    bool Checked(uint16_t id) const;
    void SetEnabled(uint16_t id, bool enabled);
    // Clicks the enabled item whose shortcut is this key with exactly these modifiers; true when one was found.
    bool HandleShortcut(WORD key, const TShiftState& shift);
    // The pictures the records' ImageIndex points into (not owned); items show them from now on.
    void SetImages(const TNvImageList* images);

    // The records 0..high of a table, in order.
    static std::vector<const TNvMenuItem*> TableRecords(const TNvMenuItem* table, int high);

  protected:
    // Appends the records to menu, as items of entries; their command numbers are taken from reuse first.
    static void AppendItems(HMENU menu,
                            const std::vector<const TNvMenuItem*>& records,
                            const TNvMenuClick& onClick,
                            std::vector<std::unique_ptr<TNvMenuEntry>>& entries,
                            std::vector<UINT>* reuse = nullptr);
    bool OnMenuCommand(WORD command) override;
    bool OnMenuMeasureItem(MEASUREITEMSTRUCT* measure) override;
    bool OnMenuDrawItem(const DRAWITEMSTRUCT& draw) override;
    TNvMenuEntry* FindCommand(UINT command) const;
    // The record of a command that shows a picture, or null.
    const TNvMenuItem* PictureRecord(UINT command) const;

    HMENU menu_ = nullptr;
    bool destroyMenu_ = true;
    const TNvImageList* images_ = nullptr;
    std::vector<std::unique_ptr<TNvMenuEntry>> items_;
};

// A context menu built from one table; count is the number of records minus one.
class TNvPopupMenu : public TNvMenu {
  public:
    TNvPopupMenu(TWinControl* owner, TNvMenuClick onClick, int count, const TNvMenuItem* table);
    TNvPopupMenu(TWinControl* owner, TNvMenuClick onClick, const std::vector<const TNvMenuItem*>& records);
    // Shows the menu at a screen position and clicks the chosen item.
    void Popup(int x, int y);
    // For WM_CONTEXTMENU: at the mouse, or at the corner of `corner` when the keyboard asked.
    void PopupFor(LPARAM position, HWND corner);
};

// The menu bar of its owner window; each AddMenu adds a top-level item with a sub-menu built from a table.
class TNvMainMenu : public TNvMenu {
  public:
    explicit TNvMainMenu(TWinControl* owner);
    ~TNvMainMenu() override;
    // count is the number of records minus one, as for pop-up menus.
    TNvMenuEntry& AddMenu(const char* caption, const TNvMenuItem* table, int count, TNvMenuClick onClick);
    TNvMenuEntry& AddMenu(const char* caption, const std::vector<const TNvMenuItem*>& records, TNvMenuClick onClick);
    // Rebuilds the sub-menu of a top-level entry, for menus that list what the program finds.
    void ReplaceItems(TNvMenuEntry& entry, const std::vector<const TNvMenuItem*>& records, TNvMenuClick onClick);

  private:
    HWND window_ = nullptr;  // not owned: the window that shows the bar
};
