#pragma once
#include <windows.h>

#include <richedit.h>

#include <functional>
#include <string>

#include "core/WinControlWin32.h"

// A rich-text line for expressions whose characters the owner colours one by one or in runs.
class TExpressionEdit : public TWinControl {
  public:
    explicit TExpressionEdit(TWinControl* owner, bool multiLine = true);

    // The colour of a character, and whether it is marked (bold and underlined). Typed characters take it before
    // they are inserted; typed "," and "." become the decimal separator; line ends are never typed.
    std::function<TColor(char c, bool& marked)> CharColor;

    void SetSelection(LONG start, LONG end);
    CHARRANGE Selection() const;
    std::string SelectedText() const;
    void ReplaceSelection(const std::string& text);
    // Marked characters are bold and underlined; the others keep the weight of the font.
    void SetSelectionColor(TColor color, bool marked);
    void SetTextFont(const LOGFONTA& font);
    // Colours the whole text in runs of equal colour, keeping the caret.
    void Recolor();
    // Ctrl+B: brackets around the selection, or the caret between two new ones.
    void WrapSelectionInBrackets();

  private:
    bool fontBold_ = false;
};
