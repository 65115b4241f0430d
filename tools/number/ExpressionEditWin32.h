#pragma once
#include <windows.h>

#include <richedit.h>

#include <string>

#include "core/WinControlWin32.h"

// A rich-text line for expressions whose characters the owner colours one by one or in runs.
class TExpressionEdit : public TWinControl {
  public:
    explicit TExpressionEdit(TWinControl* owner, bool multiLine = true);

    void SetSelection(LONG start, LONG end);
    CHARRANGE Selection() const;
    std::string SelectedText() const;
    void ReplaceSelection(const std::string& text);
    // Marked characters are bold and underlined; the others keep the weight of the font.
    void SetSelectionColor(TColor color, bool marked);
    void SetTextFont(const LOGFONTA& font);
    // Colours the whole text in runs of equal colour, keeping the caret; colorOf tells each character's colour.
    template <typename ColorOf>
    void Recolor(ColorOf colorOf) {
        const CHARRANGE caret = Selection();
        const std::string text = Text();
        SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
        for (size_t start = 0; start < text.size();) {
            bool marked = false;
            const TColor color = colorOf(text[start], marked);
            size_t end = start + 1;
            bool nextMarked = false;
            while (end < text.size() && colorOf(text[end], nextMarked) == color && nextMarked == marked)
                ++end;
            SetSelection(static_cast<LONG>(start), static_cast<LONG>(end));
            SetSelectionColor(color, marked);
            start = end;
        }
        SetSelection(caret.cpMin, caret.cpMax);
        SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
        Invalidate();
    }

  private:
    bool fontBold_ = false;
};
