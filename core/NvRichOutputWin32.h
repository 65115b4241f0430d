#pragma once
#include <string>
#include <vector>

#include "core/WinControlWin32.h"

struct TRichLine {
    TColor color;
    bool bold;
    std::string text;  // may hold "\r\n"
};

// A read-only rich-text view that text is appended to in a colour and weight of its own.
class TNvRichOutput : public TWinControl {
  public:
    explicit TNvRichOutput(TWinControl* owner);

    // Appends the text (it may hold "\r\n") and a line end in one insertion.
    void AddLine(TColor color, bool bold, const std::string& text);
    void Clear();
    void SetRedraw(bool enabled);
    // How many digits and separators of the control's font fit side by side in its client area.
    int VisibleColumns() const;

    // Replaces the contents with the lines: the first screen at once, the rest in short steps on a timer, so that a
    // long output never freezes the window. The user's view and selection stay where they are while it grows.
    void ShowLines(std::vector<TRichLine> lines);
    bool Filling() const { return shown_ < pending_.size(); }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void Create();
    void ShowPending(size_t bytes, DWORD milliseconds);
    void FillStep();

    std::vector<TRichLine> pending_;
    size_t shown_ = 0;
};
