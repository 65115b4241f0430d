#include "core/NvRichOutputWin32.h"

#include <richedit.h>

#include <algorithm>

namespace {
// The rich edit classes live in a library the program loads once and keeps for its lifetime.
const char* RichEditClass() {
    static const bool loaded = LoadLibraryA("riched20.dll") != nullptr;
    return loaded ? RICHEDIT_CLASSA : "EDIT";
}

constexpr UINT_PTR kFillTimer = 0x4B4F;      // far from the small numbers the control's own timers use
constexpr size_t kFirstScreenBytes = 16384;  // more than a maximised window shows
constexpr DWORD kStepMilliseconds = 40;      // keeps input waiting no longer than this
}  // namespace

TNvRichOutput::TNvRichOutput(TWinControl* owner) : TWinControl(owner) {
    Create();
}

void TNvRichOutput::Create() {
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
    StopTimer(kFillTimer);
    pending_.clear();
    shown_ = 0;
    if (!Handle() || GetWindowTextLengthA(Handle()) == 0)
        return;
    // Some rich edits take time growing with the square of the line count to delete their text (half a minute for
    // a few thousand lines): a fresh control is empty at once.
    const RECT bounds = BoundsRect();
    const bool focused = GetFocus() == Handle();
    const bool redraw = GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE;  // suspended redrawing clears the flag
    DestroyWindow(Handle());
    Create();
    SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    if (Font())
        SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    if (!redraw)
        SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    if (focused)
        SetFocus();
}

void TNvRichOutput::SetRedraw(bool enabled) {
    SendMessageA(Handle(), WM_SETREDRAW, enabled, 0);
    if (enabled)
        Invalidate();
}

int TNvRichOutput::VisibleColumns() const {
    const RECT r = ClientRect();
    const TWindowDC dc(Handle());
    const TSelectObject font(dc.get(), Font() ? Font() : GetStockObject(DEFAULT_GUI_FONT));
    static const char kSample[] = "0123456789, ";
    SIZE extent{};
    GetTextExtentPoint32A(dc.get(), kSample, sizeof kSample - 1, &extent);
    // The control keeps a small margin on both sides.
    const int width = static_cast<int>(r.right - r.left) - 8;
    return std::max(16, static_cast<int>(width * static_cast<long>(sizeof kSample - 1) / std::max(1L, extent.cx)));
}

void TNvRichOutput::ShowLines(std::vector<TRichLine> lines) {
    Clear();
    SetRedraw(false);
    pending_ = std::move(lines);
    ShowPending(kFirstScreenBytes, INFINITE);
    SendMessageA(Handle(), EM_SETSEL, 0, 0);
    SetRedraw(true);
    if (Filling())
        StartTimer(kFillTimer, USER_TIMER_MINIMUM);  // timer messages wait behind input and painting
}

// Adds pending lines until about `bytes` were added or `milliseconds` have passed.
void TNvRichOutput::ShowPending(size_t bytes, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    size_t added = 0;
    while (Filling() && added < bytes && GetTickCount() - start < milliseconds) {
        const TRichLine& line = pending_[shown_++];
        AddLine(line.color, line.bold, line.text);
        added += line.text.size() + 2;
    }
    if (!Filling()) {
        StopTimer(kFillTimer);
        pending_.clear();
        pending_.shrink_to_fit();
        shown_ = 0;
    }
}

void TNvRichOutput::FillStep() {
    CHARRANGE selection{};
    SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    // The view is kept by its top line: the control gives scroll positions scaled to 16 bits on long texts.
    const LRESULT topLine = SendMessageA(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    ShowPending(static_cast<size_t>(-1), kStepMilliseconds);
    SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    // After redrawing resumes: the control may bring the caret into view only then.
    const LRESULT shift = topLine - SendMessageA(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
    if (shift)
        SendMessageA(Handle(), EM_LINESCROLL, 0, shift);
    Invalidate();
}

LRESULT TNvRichOutput::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kFillTimer) {
        FillStep();
        return 0;
    }
    if (message == WM_SETFONT) {
        // Wine's rich edit scrolls by lines of the font it had before the last one (a line scroll moved 1.6 text
        // lines after a single change), which drags a growing output's view: given the font twice, they agree.
        TWinControl::HandleMessage(message, wParam, FALSE);
        return TWinControl::HandleMessage(message, wParam, lParam);
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}
