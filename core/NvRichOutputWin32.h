#pragma once
#include <string>
#include <vector>

#include "core/WinControlWin32.h"

struct TRichLine {
    TColor color;
    bool bold;
    std::string text;  // may hold "\r\n"
    // Rows of one long list: its line ends (and, when it continues a list, the one before it) are row cuts, which a
    // copy joins again.
    bool rows = false;
    bool continues = false;
    // Off for a piece of a longer text that carries its own line ends.
    bool lineEnd = true;
};

// A read-only rich-text view that text is appended to in a colour and weight of its own.
class TNvRichOutput : public TWinControl {
  public:
    // Without word wrap long lines scroll sideways.
    explicit TNvRichOutput(TWinControl* owner, bool wordWrap = true);

    // Appends the text (it may hold "\r\n") and, unless told not to, a line end, in one insertion.
    void AddLine(TColor color, bool bold, const std::string& text, bool lineEnd = true);
    // The selected text for the clipboard, with the rows of a long list joined back into its one line.
    std::string SelectedText() const;
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
    void Add(const TRichLine& line);
    void RefreshCursor();

    // Row cuts: the control's character position of each cut's line end, in order.
    std::vector<LONG> cuts_;
    LONG length_ = 0;  // characters added since the last clear, a line end counting one

    std::vector<TRichLine> pending_;
    size_t shown_ = 0;
    bool wordWrap_;
};
