#include "tools/number/ExpressionEditWin32.h"

#include <cstdlib>

#include "core/Locale.h"

TExpressionEdit::TExpressionEdit(TWinControl* owner, bool multiLine) : TWinControl(owner) {
    // The rich edit classes live in a library the program loads once and keeps.
    static const bool loaded = LoadLibraryA("riched20.dll") != nullptr;
    TCreateArgs args;
    args.className = loaded ? RICHEDIT_CLASSA : "EDIT";
    args.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NOHIDESEL |
                 (multiLine ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL);
    args.exStyle = WS_EX_CLIENTEDGE;
    CreateHandle(args);
    OnKeyPress = [this](TCharEvent& event) {
        if (event.ch == '\r' || event.ch == '\n') {
            event.ch = 0;
            return;
        }
        if (event.ch == ',' || event.ch == '.')
            event.ch = AppLocale().DecimalSeparator();
        if (static_cast<unsigned char>(event.ch) >= ' ' && CharColor) {
            bool marked = false;
            const TColor color = CharColor(event.ch, marked);
            SetSelectionColor(color, marked);
        }
    };
}

void TExpressionEdit::Recolor() {
    if (!CharColor)
        return;
    const CHARRANGE caret = Selection();
    const std::string text = Text();
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    for (size_t start = 0; start < text.size();) {
        bool marked = false;
        const TColor color = CharColor(text[start], marked);
        size_t end = start + 1;
        bool nextMarked = false;
        while (end < text.size() && CharColor(text[end], nextMarked) == color && nextMarked == marked)
            ++end;
        SetSelection(static_cast<LONG>(start), static_cast<LONG>(end));
        SetSelectionColor(color, marked);
        start = end;
    }
    SetSelection(caret.cpMin, caret.cpMax);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    Invalidate();
}

void TExpressionEdit::WrapSelectionInBrackets() {
    const std::string selected = SelectedText();
    const LONG start = Selection().cpMin;
    ReplaceSelection("(" + selected + ")");
    if (selected.empty())
        SetSelection(start + 1, start + 1);
    Recolor();
}

void TExpressionEdit::SetSelection(LONG start, LONG end) {
    CHARRANGE range{start, end};
    SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

CHARRANGE TExpressionEdit::Selection() const {
    CHARRANGE range{};
    SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

std::string TExpressionEdit::SelectedText() const {
    const CHARRANGE r = Selection();
    const std::string text = Text();
    if (r.cpMin < 0 || r.cpMin >= r.cpMax || static_cast<size_t>(r.cpMin) >= text.size())
        return {};
    return text.substr(static_cast<size_t>(r.cpMin), static_cast<size_t>(r.cpMax - r.cpMin));
}

void TExpressionEdit::ReplaceSelection(const std::string& text) {
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TExpressionEdit::SetSelectionColor(TColor color, bool marked) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_BOLD | CFM_UNDERLINE;
    format.crTextColor = color;
    format.dwEffects = marked ? (CFE_BOLD | CFE_UNDERLINE) : (fontBold_ ? CFE_BOLD : 0);
    SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void TExpressionEdit::SetTextFont(const LOGFONTA& font) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC;
    lstrcpynA(format.szFaceName, font.lfFaceName, LF_FACESIZE);
    const int dpi = GetDeviceCaps(TWindowDC(nullptr).get(), LOGPIXELSY);
    format.yHeight = std::abs(font.lfHeight) * 1440 / dpi;  // twips
    fontBold_ = font.lfWeight >= FW_BOLD;
    format.dwEffects = (fontBold_ ? CFE_BOLD : 0) | (font.lfItalic ? CFE_ITALIC : 0);
    SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}
