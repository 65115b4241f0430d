#pragma once
#include <string>

#include "core/WinControlWin32.h"

// A push button; OnClick fires when it is pressed.
class TNvButton : public TWinControl {
  public:
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    explicit TNvButton(TWinControl* owner, const std::string& caption = {}, DWORD style = kStyle);
};
