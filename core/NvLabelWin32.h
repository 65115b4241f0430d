#pragma once
#include <string>

#include "core/WinControlWin32.h"

// A static text, vertically centred in its box.
class TNvLabel : public TWinControl {
  public:
    TNvLabel(TWinControl* owner, const std::string& text, RECT bounds, TAlignment alignment = TAlignment::Left);
};
