#pragma once
#include "core/WinControlWin32.h"

// A single-line edit.
class TNvEdit : public TWinControl {
  public:
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
    explicit TNvEdit(TWinControl* owner, DWORD style = kStyle, DWORD exStyle = WS_EX_CLIENTEDGE);
};
