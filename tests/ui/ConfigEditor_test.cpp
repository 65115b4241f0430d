#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/AppSession.h"

namespace {
int RowOf(HWND list, const std::string& name) {
    const std::vector<std::string> rows = TAppSession::ListBoxRows(list);
    const auto it = std::find(rows.begin(), rows.end(), name);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

void PostKey(HWND window, WORD key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    Sleep(150);
}

HWND ListOf(HWND window) {
    return FindWindowExA(window, nullptr, "ListBox", nullptr);
}

TEST(ConfigEditor, F11EditsTheToolsVariablesAndClosingWritesTheChangesAtOnce) {
    TDistCopy dist("editor-pinger");
    dist.WriteIni("core", "color_mark", "#FF000A");
    dist.WriteIni("core", "edge_snap_size", "5");
    TAppSession app(dist, "Pinger");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    app.PressKey(VK_F11);
    HWND editor = WaitForWindowTitled("Pinger -> Config Editor 15.11.08");
    ASSERT_NE(editor, nullptr);
    HWND list = ListOf(editor);
    ASSERT_NE(list, nullptr);

    const std::vector<std::string> rows = TAppSession::ListBoxRows(list);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows.front(), "pinger.stay_on_top");  // newest first
    EXPECT_EQ(rows.back(), "core.color_back");
    RECT client;
    GetClientRect(editor, &client);
    EXPECT_EQ(client.bottom, 13 * 21);
    SaveScreenshot(editor, "config-editor");

    SendMessageA(list, LB_SETCURSEL, RowOf(list, "core.color_mark"), 0);
    PostKey(list, VK_RIGHT);
    SendMessageA(list, LB_SETCURSEL, RowOf(list, "core.edge_snap_size"), 0);
    PostKey(list, VK_DELETE);
    PostKey(list, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
    EXPECT_EQ(dist.ReadIni("core", "color_mark"), "#00010B");
    EXPECT_EQ(dist.ReadIni("core", "edge_snap_size"), "16");
    EXPECT_EQ(dist.ReadIni("configeditor", "TotalRunCount"), "1");
    EXPECT_TRUE(app.Running());
}

TEST(ConfigEditor, ADoubleClickEditsOnceAndTheListKeepsTheKeyboardAfterAnInputBox) {
    TDistCopy dist("editor-mouse");
    TAppSession app(dist, "Pinger");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    app.PressKey(VK_F11);
    HWND editor = WaitForWindowTitled("Pinger -> Config Editor 15.11.08");
    ASSERT_NE(editor, nullptr);
    HWND list = ListOf(editor);
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedControl() == list; }));

    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int row = RowOf(list, "pinger.stay_on_top");
    TAppSession::DoubleClick(list, 40, row * height + height / 2);  // a boolean flips once, not back again

    SendMessageA(list, LB_SETCURSEL, RowOf(list, "pinger.window_left"), 0);
    PostKey(list, VK_RETURN);
    HWND box = WaitForWindowTitled("Please Enter a Value");
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedControl() == list; }));

    PostKey(list, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
    EXPECT_EQ(dist.ReadIni("pinger", "stay_on_top"), "true");
}

TEST(ConfigEditor, StartedOnItsOwnItListsNothing) {
    TDistCopy dist("editor-alone");
    TAppSession app(dist, "\"Config Editor\"");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    EXPECT_EQ(app.Caption(), "Config Editor 15.11.08");
    EXPECT_TRUE(TAppSession::ListBoxRows(ListOf(app.Window())).empty());
}

TEST(ConfigEditor, TheLaunchersSettingsShowWithTheirValueNames) {
    TDistCopy dist("editor-launcher");
    TAppSession app(dist, "");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    SaveScreenshot(app.Window(), "launcher");
    PostMessageA(app.Window(), WM_SYSCOMMAND, 32, 0);
    HWND editor = WaitForWindowTitled("Korvo Utilities -> Config Editor 15.11.08");
    ASSERT_NE(editor, nullptr);
    const std::vector<std::string> rows = TAppSession::ListBoxRows(ListOf(editor));
    ASSERT_GE(rows.size(), 5u);
    EXPECT_EQ(rows[0], "browser.extra_info");
    EXPECT_EQ(rows[4], "browser.app_index");
    PostKey(ListOf(editor), VK_ESCAPE);
}
}  // namespace
