#include "core/NvEditWin32.h"

TNvEdit::TNvEdit(TWinControl* owner, DWORD style, DWORD exStyle) : TWinControl(owner) {
    TCreateArgs args;
    args.className = "EDIT";
    args.style = style;
    args.exStyle = exStyle;
    CreateHandle(args);
}
