#pragma once
#include <functional>
#include <vector>

#include "core/NvMenuWin32.h"

// One row of a window's command table: the menu item record (a null caption makes a key with no menu item) and the
// handler. What a window's menus show and what its keys do come from the same rows.
template <class Form>
struct TCommand {
    TNvMenuItem Item;
    void (*Run)(Form& form);
};

// The commands of one window, gathered from its tables.
class TCommandList {
  public:
    void Add(const TNvMenuItem& item, std::function<void()> run);
    // Menus whose items can be disabled: their keys follow the item's state.
    void Watch(const TNvMenu& menu) { menus_.push_back(&menu); }
    // A menu click: the row of that record.
    bool Run(const TNvMenuItem& item);
    // Runs the command whose shortcut is this key with exactly these modifiers; false when there is none or its
    // menu item is disabled.
    bool HandleKey(WORD key, const TShiftState& shift);

  private:
    bool Enabled(const TNvMenuItem& item) const;

    struct TEntry {
        const TNvMenuItem* item;  // not owned: a row of a static table
        std::function<void()> run;
    };
    std::vector<TEntry> entries_;
    std::vector<const TNvMenu*> menus_;  // not owned: components of the same window
};
