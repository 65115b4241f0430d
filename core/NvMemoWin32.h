#pragma once
#include "core/WinControlWin32.h"

// A multi-line edit that keeps its selection visible without focus, with tab stops every TabWidth characters.
class TNvMemo : public TWinControl {
  public:
    static constexpr DWORD kStyle =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL;
    explicit TNvMemo(TWinControl* owner, DWORD style = kStyle, DWORD exStyle = WS_EX_CLIENTEDGE);

    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int chars);

  private:
    void ApplyTabStops();

    int tabWidth_ = 4;
};
