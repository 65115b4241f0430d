#pragma once
#include <string>

#include "core/WinControlWin32.h"

// A read-only rich-text view that text is appended to in a colour and weight of its own.
class TNvRichOutput : public TWinControl {
  public:
    explicit TNvRichOutput(TWinControl* owner);

    // Appends the text (it may hold "\r\n") and a line end in one insertion.
    void AddLine(TColor color, bool bold, const std::string& text);
    void Clear();
    void SetRedraw(bool enabled);
};
