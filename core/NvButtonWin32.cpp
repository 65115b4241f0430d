#include "core/NvButtonWin32.h"

TNvButton::TNvButton(TWinControl* owner, const std::string& caption, DWORD style) : TWinControl(owner) {
    TCreateArgs args;
    args.className = "BUTTON";
    args.style = style;
    args.text = caption;
    CreateHandle(args);
}
