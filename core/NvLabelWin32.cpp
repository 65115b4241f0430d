#include "core/NvLabelWin32.h"

TNvLabel::TNvLabel(TWinControl* owner, const std::string& text, RECT bounds, TAlignment alignment)
    : TWinControl(owner) {
    Alignment = alignment;
    TCreateArgs args;
    args.className = "STATIC";
    args.style = WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE |
                 (alignment == TAlignment::Right    ? SS_RIGHT
                  : alignment == TAlignment::Center ? SS_CENTER
                                                    : SS_LEFT);
    args.bounds = bounds;
    args.text = text;
    CreateHandle(args);
}
