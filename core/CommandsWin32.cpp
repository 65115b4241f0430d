#include "core/CommandsWin32.h"

#include "core/NvRules.h"

void TCommandList::Add(const TNvMenuItem& item, std::function<void()> run) {
    entries_.push_back({&item, std::move(run)});
}

bool TCommandList::Run(const TNvMenuItem& item) {
    for (const TEntry& entry : entries_) {
        if (entry.item == &item) {
            entry.run();
            return true;
        }
    }
    return false;
}

bool TCommandList::Enabled(const TNvMenuItem& item) const {
    for (const TNvMenu* menu : menus_) {
        for (const auto& top : menu->Items()) {
            if (top->Record() == &item)
                return top->Enabled();
            for (const auto& sub : top->Items())
                if (sub->Record() == &item)
                    return sub->Enabled();
        }
    }
    return (item.Flags & kMenuDisabled) == 0;
}

bool TCommandList::HandleKey(WORD key, const TShiftState& shift) {
    const uint16_t code = ShortCutCode(key, shift.shift, shift.ctrl, shift.alt);
    if ((code & 0xFF) == 0)
        return false;
    for (const TEntry& entry : entries_) {
        if (entry.item->ShortCut == code && Enabled(*entry.item)) {
            entry.run();
            return true;
        }
    }
    return false;
}
