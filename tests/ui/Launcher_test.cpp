#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
// The list has the keyboard; a double click starts one process, a digit another.
TEST(Launcher, ADigitOrDoubleClickStartsOneToolInItsOwnProcessWhichWithAutoQuitEndsTheLauncher) {
    TDistCopy dist("launcher-start");
    TAppSession app(dist, "");
    const HWND list = app.Control("ListBox");
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedControl() == list; }));
    app.TypeKey(VK_END);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 16);
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    Click(list, 60, 3 * height + height / 2, true);
    int shown = 0;  // a second process would show its window while the first one closes
    for (HWND info; shown < 3 && (info = WaitForWindowTitled("Number Information 15.03.04", shown ? 1500 : 20000));
         ++shown)
        EXPECT_TRUE(CloseAndWait(info));
    EXPECT_EQ(shown, 1);

    app.PressKey('7');
    HWND dateCalc = WaitForWindowTitled("Date Calculator 15.10.20");
    ASSERT_NE(dateCalc, nullptr);
    EXPECT_TRUE(CloseAndWait(dateCalc));
    EXPECT_EQ(dist.ReadIni("datecalc", "TotalRunCount"), "1");
    EXPECT_TRUE(app.Running());  // the tool's own process ended, the launcher's stays unless told to quit
    app.PressKey(VK_ESCAPE);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(dist.ReadIni("browser", "app_index"), "7");

    // Told to, the launcher closes once the tool starts.
    dist.WriteIni("browser", "auto_quit", "true");
    TAppSession quitting(dist, "");
    quitting.PressKey('4');
    HWND uninstall = WaitForWindowTitled("Uninstall Lister 15.10.25");
    ASSERT_NE(uninstall, nullptr);
    EXPECT_TRUE(quitting.WaitForExit());
    EXPECT_TRUE(CloseAndWait(uninstall));
}

TEST(Launcher, SortOrdersFollowTheStatisticsAndWrapAroundBothWaysAndWithoutAnExtraColumnTheWindowNarrows) {
    TDistCopy dist("launcher-sort");
    dist.WriteIni("pinger", "TotalRunCount", "9");
    dist.WriteIni("whois", "TotalRunCount", "4");
    dist.WriteIni("browser", "sort_method", "3");  // Updated
    TAppSession app(dist, "");
    SaveScreenshot(app.Window(), "launcher");
    // The system menu's editor lists the launcher's settings by their value names; on its own it lists nothing.
    PostMessageA(app.Window(), WM_SYSCOMMAND, 32, 0);
    const HWND editor = WaitForWindowTitled("Korvo Utilities -> Config Editor 15.11.08");
    ASSERT_NE(editor, nullptr);
    const std::vector<std::string> settings = ListBoxRows(FindWindowExA(editor, nullptr, "ListBox", nullptr));
    ASSERT_GE(settings.size(), 5u);
    EXPECT_EQ(settings[0], "browser.extra_info");
    EXPECT_EQ(settings[4], "browser.app_index");
    PostKey(FindWindowExA(editor, nullptr, "ListBox", nullptr), VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
    app.PressKey(VK_F8);  // RunCount: the busiest first
    std::vector<std::string> rows = ListBoxRows(app.Control("ListBox"));
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows[0], "Pinger");
    for (int press = 0; press < 3; ++press)  // LastRun, then around to Index
        app.PressKey(VK_F8);
    rows = ListBoxRows(app.Control("ListBox"));
    EXPECT_EQ(rows[16], "Network Port List");  // only the index order ends with it here
    app.TypeKey(VK_F8, VK_SHIFT);              // at Index wraps back to LastRun
    for (int i = 0; i < 6; ++i)                // Category .. LastRun+, then None
        app.PressKey(VK_F9);
    EXPECT_TRUE(WaitUntil([&] { return ClientRect(app.Window()).right == 196; }));
    const HWND list = app.Control("ListBox");  // every row still shows
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_GE(ClientRect(list).bottom, 17 * SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    app.PressKey(VK_ESCAPE);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(dist.ReadIni("browser", "sort_method"), "6");
    const TAppSession alone(dist, "\"Config Editor\"");
    ASSERT_NE(alone.Control("ListBox"), nullptr);
    EXPECT_EQ(SendMessageA(alone.Control("ListBox"), LB_GETCOUNT, 0, 0), 0);
}

}  // namespace
