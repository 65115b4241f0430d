#include "core/NvMemoWin32.h"

TNvMemo::TNvMemo(TWinControl* owner, DWORD style, DWORD exStyle) : TWinControl(owner) {
    TCreateArgs args;
    args.className = "EDIT";
    args.style = style | ES_NOHIDESEL;
    args.exStyle = exStyle;
    CreateHandle(args);
    ApplyTabStops();
}

void TNvMemo::SetTabWidth(int chars) {
    tabWidth_ = chars;
    ApplyTabStops();
}

// Tab stops are in dialog units, four to a character.
void TNvMemo::ApplyTabStops() {
    if (!Handle())
        return;
    int stop = tabWidth_ * 4;
    SendMessageA(Handle(), EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
    Invalidate();
}
