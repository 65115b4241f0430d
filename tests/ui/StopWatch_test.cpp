#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

// Enter starts, Space pauses, Enter resumes and stops; a count-down typed as 1, 3, 0 is a minute and a half; a
// running timer asks before it closes; Alt+3 is 140 % of the default size.
TEST(StopWatch, StartsPausesStopsCountsDownTypedTimesAndAsksBeforeClosingARunningTimer) {
    TDistCopy dist("stopwatch");
    TAppSession app(dist, "stopwatch");
    const std::string idle = app.Caption();
    const auto captionStarts = [&](const std::string& start) {
        return WaitUntil([&] { return app.Caption().starts_with(start); });
    };
    app.PressKey(VK_RETURN);
    ASSERT_TRUE(captionStarts("Simple Timer - 0"));
    app.PressKey(VK_SPACE);
    const std::string paused = app.Caption();
    Sleep(300);
    EXPECT_EQ(app.Caption(), paused);
    app.PressKey(VK_RETURN);  // resumes
    EXPECT_TRUE(WaitUntil([&] { return app.Caption() != paused; }));
    app.PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return app.Caption() == idle; }));

    app.PressKey(VK_F2);
    for (const WORD digit : {'1', '3', '0'})
        app.PressKey(digit);
    app.PressKey(VK_RETURN);
    EXPECT_TRUE(captionStarts("Count Down - 01:29.") || captionStarts("Count Down - 01:30.")) << app.Caption();
    app.PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return app.Caption() == idle; }));
    Sleep(1300);  // a new entry
    app.PressKey('1');
    app.PressKey(VK_RETURN);
    ASSERT_TRUE(captionStarts("Count Down - -00.")) << app.Caption();
    SaveScreenshot(app.Window(), "stopwatch-overdue");

    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    const HWND ask = WaitForWindowTitled("Close Warning");
    ASSERT_TRUE(ask);
    PostMessageA(ask, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(ask); }));
    EXPECT_TRUE(app.Running());
    app.PressKey(VK_RETURN);
    app.PressKey('3', true);  // a size, not a digit for the idle count-down
    EXPECT_TRUE(WaitUntil([&] { return WindowWidth(app.Window()) == 532; })) << WindowWidth(app.Window());
    ASSERT_TRUE(app.QuitWithAltQ());
    EXPECT_EQ(dist.ReadIni("stopwatch", "countdown_time"), "1000");
    EXPECT_EQ(dist.ReadIni("stopwatch", "window_height"), "224");
}
