#include "core/NvRichOutputWin32.h"

#include <richedit.h>

namespace {
// The rich edit classes live in a library the program loads once and keeps for its lifetime.
const char* RichEditClass() {
    static const bool loaded = LoadLibraryA("riched20.dll") != nullptr;
    return loaded ? RICHEDIT_CLASSA : "EDIT";
}
}  // namespace

TNvRichOutput::TNvRichOutput(TWinControl* owner) : TWinControl(owner) {
    TCreateArgs args;
    args.className = RichEditClass();
    args.style =
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_NOHIDESEL;
    args.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(args);
    SendMessageA(Handle(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);  // long prime lists
}

void TNvRichOutput::AddLine(TColor color, bool bold, const std::string& text) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_BOLD;
    format.crTextColor = color;
    format.dwEffects = bold ? CFE_BOLD : 0;
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(-1), -1);
    SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    const std::string line = text + "\r\n";
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
}

void TNvRichOutput::Clear() {
    SetText("");
}

void TNvRichOutput::SetRedraw(bool enabled) {
    SendMessageA(Handle(), WM_SETREDRAW, enabled, 0);
    if (enabled)
        Invalidate();
}
