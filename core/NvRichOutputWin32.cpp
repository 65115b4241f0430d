#include "core/NvRichOutputWin32.h"

#include <richedit.h>

#include <algorithm>
#include <string>

#include "core/KoLibWin32.h"

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

TNvRichOutput::TNvRichOutput(TWinControl* owner, bool wordWrap) : TWinControl(owner), wordWrap_(wordWrap) {
    Create();
}

void TNvRichOutput::Create() {
    TCreateArgs args;
    args.className = RichEditClass();
    args.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                 ES_NOHIDESEL | (wordWrap_ ? 0 : WS_HSCROLL | ES_AUTOHSCROLL);
    args.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(args);
    SendMessageA(Handle(), EM_EXLIMITTEXT, 0, 0x7FFFFFFE);  // long prime lists
    if (!wordWrap_)
        SendMessageA(Handle(), EM_SETTARGETDEVICE, 0, 1);
}

void TNvRichOutput::AddLine(TColor color, bool bold, const std::string& text, bool lineEnd) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_BOLD;
    format.crTextColor = color;
    format.dwEffects = bold ? CFE_BOLD : 0;
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(-1), -1);
    SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    const std::string line = lineEnd ? text + "\r\n" : text;
    SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
    length_ += static_cast<LONG>(line.size());
    for (size_t at = 0; (at = line.find("\r\n", at)) != std::string::npos; at += 2)
        --length_;
}

// The control counts a line end as one character.
void TNvRichOutput::Add(const TRichLine& line) {
    if (line.continues && length_ > 0)
        cuts_.push_back(length_ - 1);  // the line end after the piece before
    if (line.rows) {
        LONG lineEnds = 0;
        for (size_t at = 0; (at = line.text.find("\r\n", at)) != std::string::npos; at += 2, ++lineEnds)
            cuts_.push_back(length_ + static_cast<LONG>(at) - lineEnds);
    }
    AddLine(line.color, line.bold, line.text, line.lineEnd);
}

std::string TNvRichOutput::SelectedText() const {
    CHARRANGE selection{};
    SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if (selection.cpMax <= selection.cpMin)
        return {};
    std::string raw(2 * static_cast<size_t>(selection.cpMax - selection.cpMin) + 1, '\0');  // room for CR LF
    TEXTRANGEA range{selection, raw.data()};
    raw.resize(static_cast<size_t>(SendMessageA(Handle(), EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
    std::string text;
    text.reserve(raw.size() + raw.size() / 32);
    auto cut = std::lower_bound(cuts_.begin(), cuts_.end(), selection.cpMin);
    LONG position = selection.cpMin;
    for (size_t i = 0; i < raw.size(); ++i, ++position) {
        if (raw[i] != '\r') {
            text += raw[i];
            continue;
        }
        if (i + 1 < raw.size() && raw[i + 1] == '\n')
            ++i;  // some controls give a line end as both characters
        while (cut != cuts_.end() && *cut < position)
            ++cut;
        if (cut != cuts_.end() && *cut == position) {
            text += ' ';  // a row cut: the blank it took, without the next row's indent
            while (i + 1 < raw.size() && raw[i + 1] == ' ') {
                ++i;
                ++position;
            }
        } else {
            text += "\r\n";
        }
    }
    return text;
}

void TNvRichOutput::Clear() {
    StopTimer(kFillTimer);
    pending_.clear();
    shown_ = 0;
    cuts_.clear();
    length_ = 0;
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
        Add(line);
        added += line.text.size() + 2;
    }
    if (!Filling()) {
        const bool wasFilling = !pending_.empty();
        StopTimer(kFillTimer);
        pending_.clear();
        pending_.shrink_to_fit();
        shown_ = 0;
        if (wasFilling)
            RefreshCursor();
    }
}

// The wait cursor of the fill goes as soon as it is over, not at the next move of the mouse.
void TNvRichOutput::RefreshCursor() {
    POINT at;
    if (!GetCursorPos(&at))
        return;
    const HWND under = WindowFromPoint(at);
    if (under && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId())
        SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)), WM_MOUSEMOVE));
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
    if (message == WM_SETCURSOR && Filling()) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return TRUE;
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (message == WM_COPY ||
        (message == WM_KEYDOWN && ctrl && GetKeyState(VK_SHIFT) >= 0 && (wParam == 'C' || wParam == VK_INSERT))) {
        SetClipboardText(Handle(), SelectedText());
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
