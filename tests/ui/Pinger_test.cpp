#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
// The colour the screen shows at a point of a window's client area.
COLORREF ClientPixel(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    const HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return color;
}
}  // namespace

// "pinger 127.0.0.1" pings at once, once a second: the caption's dots go round and the first bar stands green at the
// graph's left (loopback answers in 0 ms, which still draws a bar). Ctrl with keypad plus widens the bars, a click
// changes the draw mode; the host and the settings are kept.
TEST(Pinger, PingsLoopbackAndDrawsGreenBars) {
    TDistCopy dist("pinger");
    {
        TAppSession app(dist, "pinger 127.0.0.1");
        EXPECT_TRUE(WaitUntil([&] { return app.Caption().ends_with("..."); }, 10000)) << app.Caption();
        const RECT client = ClientRect(app.Window());
        const COLORREF bar = ClientPixel(app.Window(), 40, client.bottom - 12);
        EXPECT_TRUE(GetGValue(bar) > GetRValue(bar) + 40 && GetGValue(bar) > GetBValue(bar) + 40) << std::hex << bar;
        SaveScreenshot(app.Window(), "pinger");
        app.TypeKey(VK_ADD, VK_CONTROL);
        Click(app.Window(), 200, 200);
        EXPECT_TRUE(app.QuitWithAltQ());
    }
    EXPECT_EQ(dist.ReadIni("pinger", "LastServer"), "127.0.0.1");
    EXPECT_EQ(dist.ReadIni("pinger.RecentServers", "0"), "127.0.0.1");
    EXPECT_EQ(dist.ReadIni("pinger", "line_size"), "17");
    EXPECT_EQ(dist.ReadIni("pinger", "draw_mode"), "1");
}
