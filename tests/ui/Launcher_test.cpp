#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
const char* const kRegistryTitles[] = {
    "Calculator",       "Unit Converter",   "Number Converter", "Number Information", "Uninstall Lister",
    "Clipboard Viewer", "Service Explorer", "Date Calculator",  "Stop Watch",         "Time Synchroniser",
    "Drive Lister",     "SMART Reader",     "Drive Subst",      "Trace Route",        "Pinger",
    "Whois Query",      "Network Port List"};

HWND TheList(const TAppSession& app) {
    const std::vector<HWND> lists = app.Controls("ListBox");
    return lists.empty() ? nullptr : lists.front();
}

BOOL CALLBACK CountTitled(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<std::pair<std::string, int>*>(param);
    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (IsWindowVisible(window) && search->first == caption)
        ++search->second;
    return TRUE;
}

int WindowsTitled(const std::string& caption) {
    std::pair<std::string, int> search{caption, 0};
    EnumWindows(CountTitled, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

int ClientWidth(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r.right;
}

TEST(Launcher, ListsTheSeventeenToolsAndADigitStartsOneInItsOwnProcess) {
    TDistCopy dist("launcher-start");
    TAppSession app(dist, "");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    const std::vector<std::string> rows = TAppSession::ListBoxRows(TheList(app));
    ASSERT_EQ(rows.size(), 17u);
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], kRegistryTitles[i]);

    app.PressKey('7');
    HWND dateCalc = WaitForWindowTitled("Date Calculator 15.10.20");
    ASSERT_NE(dateCalc, nullptr);
    DWORD toolProcess = 0;
    GetWindowThreadProcessId(dateCalc, &toolProcess);
    DWORD launcherProcess = 0;
    GetWindowThreadProcessId(app.Window(), &launcherProcess);
    EXPECT_NE(toolProcess, launcherProcess);
    EXPECT_TRUE(CloseAndWait(dateCalc));
    EXPECT_EQ(dist.ReadIni("datecalc", "TotalRunCount"), "1");
    EXPECT_TRUE(app.Running());  // the launcher stays unless told to quit
    app.PressKey(VK_ESCAPE);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(dist.ReadIni("browser", "app_index"), "7");
}

TEST(Launcher, TheListHasTheKeyboardAndADoubleClickStartsOneProcess) {
    TDistCopy dist("launcher-keys-mouse");
    TAppSession app(dist, "");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    const HWND list = TheList(app);
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedControl() == list; }));
    app.TypeKey(VK_DOWN);
    app.TypeKey(VK_DOWN);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    app.TypeKey(VK_END);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 16);

    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    TAppSession::DoubleClick(list, 60, 3 * height + height / 2);
    const std::string title = "Number Information 15.03.04";
    HWND info = WaitForWindowTitled(title);
    ASSERT_NE(info, nullptr);
    Sleep(1500);  // time enough for a second process to show its window
    EXPECT_EQ(WindowsTitled(title), 1);
    while (HWND window = WaitForWindowTitled(title, 500))
        CloseAndWait(window);
}

TEST(Launcher, AutoQuitClosesTheLauncherOnceTheToolStarts) {
    TDistCopy dist("launcher-autoquit");
    dist.WriteIni("browser", "auto_quit", "true");
    TAppSession app(dist, "");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    app.PressKey('4');
    HWND uninstall = WaitForWindowTitled("Uninstall Lister 15.10.25");
    ASSERT_NE(uninstall, nullptr);
    EXPECT_TRUE(app.WaitForExit());
    EXPECT_TRUE(CloseAndWait(uninstall));
}

TEST(Launcher, SortOrdersFollowTheStatisticsAndWrapAroundBothWays) {
    TDistCopy dist("launcher-sort");
    dist.WriteIni("pinger", "TotalRunCount", "9");
    dist.WriteIni("whois", "TotalRunCount", "4");
    dist.WriteIni("browser", "sort_method", "3");  // Updated
    TAppSession app(dist, "");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    app.PressKey(VK_F8);  // RunCount: the busiest first
    std::vector<std::string> rows = TAppSession::ListBoxRows(TheList(app));
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows[0], "Pinger");
    EXPECT_EQ(rows[1], "Whois Query");
    app.PressKey(VK_F8);
    app.PressKey(VK_F8);  // LastRun
    app.PressKey(VK_F8);  // wraps to Index
    rows = TAppSession::ListBoxRows(TheList(app));
    EXPECT_EQ(rows[0], "Calculator");
    EXPECT_EQ(rows[16], "Network Port List");
    app.PressKey(VK_F8, false, false, true);  // Shift+F8 at Index wraps to LastRun
    app.PressKey(VK_ESCAPE);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(dist.ReadIni("browser", "sort_method"), "6");
}

TEST(Launcher, WithoutAnExtraColumnTheWindowNarrows) {
    TDistCopy dist("launcher-narrow");
    TAppSession app(dist, "");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    EXPECT_EQ(ClientWidth(app.Window()), 308);
    for (int i = 0; i < 6; ++i)  // Category .. LastRun+, then None
        app.PressKey(VK_F9);
    EXPECT_TRUE(WaitUntil([&] { return ClientWidth(app.Window()) == 196; }));
    RECT list;
    GetClientRect(TheList(app), &list);
    EXPECT_GE(list.bottom, 17 * 10);  // every row shows
}
}  // namespace
