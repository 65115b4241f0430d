#pragma once
#include <cstdint>
#include <string>

// What the shared window base decides, apart from the platform: the common shortcuts, snapping to the work
// area's edges and the default placement.

enum class TShortcut { None, Close, About, ChangeLog, ConfigEditor, Launcher, NewInstance, ToggleMaximised };

// Virtual-key codes of the keys the shortcuts use.
constexpr uint16_t kKeyReturn = 0x0D;
constexpr uint16_t kKeyF1 = 0x70;
constexpr uint16_t kKeyF11 = 0x7A;
constexpr uint16_t kKeyF12 = 0x7B;

// The modifiers must be exactly those of a row; the first matching row wins.
TShortcut ShortcutFor(uint16_t key, bool shift, bool ctrl, bool alt);

struct TWindowRect {
    int left, top, width, height;
};
struct TWorkArea {
    int left, top, right, bottom;
};

// Each edge test sees the position the tests before it left; snap <= 0 switches snapping off.
TWindowRect SnapToWorkArea(TWindowRect window, const TWorkArea& work, int snap);

// Centred on the screen, truncated toward zero.
int CenteredPosition(int screenSize, int windowSize);

// The text of the error box for an escaped exception: its message with a full stop appended when the last
// character's code is above the full stop's.
std::string ErrorBoxText(const std::string& message);
