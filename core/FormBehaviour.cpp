#include "core/FormBehaviour.h"

#include <cstdlib>

TShortcut ShortcutFor(uint16_t key, bool shift, bool ctrl, bool alt) {
    const bool none = !shift && !ctrl && !alt;
    const bool onlyAlt = alt && !shift && !ctrl;
    const bool onlyCtrl = ctrl && !shift && !alt;
    switch (key) {
        case 'Q':
            return onlyAlt ? TShortcut::Close : TShortcut::None;
        case 'W':
            return onlyCtrl ? TShortcut::Close : TShortcut::None;
        case kKeyF1:
            return none ? TShortcut::About : onlyCtrl ? TShortcut::ChangeLog : TShortcut::None;
        case kKeyF11:
            return none || (shift && ctrl && !alt) ? TShortcut::ConfigEditor : TShortcut::None;
        case kKeyF12:
            return none ? TShortcut::Launcher : onlyCtrl ? TShortcut::NewInstance : TShortcut::None;
        case kKeyReturn:
            return onlyAlt ? TShortcut::ToggleMaximised : TShortcut::None;
        default:
            return TShortcut::None;
    }
}

TWindowRect SnapToWorkArea(TWindowRect w, const TWorkArea& work, int snap) {
    if (snap <= 0)
        return w;
    if (std::abs(work.left - w.left) <= snap)
        w.left = work.left;
    if (std::abs(work.top - w.top) <= snap)
        w.top = work.top;
    if (std::abs(work.right - w.left - w.width) <= snap)
        w.left = work.right - w.width;
    if (std::abs(work.bottom - w.top - w.height) <= snap)
        w.top = work.bottom - w.height;
    return w;
}

int CenteredPosition(int screenSize, int windowSize) {
    return (screenSize - windowSize) / 2;
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + '.';
    return message;
}
