#include "tools/time/StopWatchWin32.h"

#include <gtest/gtest.h>

#include "core/AppPaths.h"

namespace {
std::string Caption(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Where the next GDI object would go. Wine's GetGuiResources is a stub that counts nothing, but Wine hands out the
// entry freed last first: a tick that keeps an object it made moves this on.
uintptr_t NextGdiSlot() {
    const HBRUSH probe = CreateSolidBrush(0);
    DeleteObject(probe);
    return reinterpret_cast<uintptr_t>(probe) & 0xFFFF;
}

void Key(HWND window, WORD key) {
    SendMessageA(window, WM_KEYDOWN, key, 0);
}
}  // namespace

// Ten minutes of 52 ms ticks on a count-down that goes overdue: the caption follows the fixed clock, and the
// window ends with the handles it had after its first second.
TEST(StopWatchWindow, TenMinutesOfTicksLeaveNoHandlesBehind) {
    DeleteFileA(ProgramIniFileName().c_str());
    TFixedClock clock(0, 100000);
    SetAppClock(&clock);
    {
        auto form = TKoUtilForm::Create<TFormStopWatch>(nullptr);
        const HWND window = form->Handle();
        form->Show();
        Key(window, VK_F2);
        Key(window, '2');
        Key(window, VK_RETURN);
        const auto tick = [&] {
            clock.Advance(52);
            SendMessageA(window, WM_TIMER, 1, 0);
        };
        for (int i = 0; i < 20; ++i)
            tick();
        const uintptr_t slot = NextGdiSlot();
        for (int i = 0; i < 10 * 60 * 1000 / 52; ++i)
            tick();
        EXPECT_EQ(Caption(window), "Count Down - -09:59.016");
        EXPECT_EQ(NextGdiSlot(), slot);
    }
    SetAppClock(nullptr);
    DeleteFileA(ProgramIniFileName().c_str());
}
