#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/AppSession.h"

namespace {
int RowOf(HWND list, const std::string& name) {
    const std::vector<std::string> rows = ListBoxRows(list);
    return static_cast<int>(std::find(rows.begin(), rows.end(), name) - rows.begin());
}

// Selects a variable and presses a key on it.
void PressOn(HWND list, const std::string& name, WORD key) {
    SendMessageA(list, LB_SETCURSEL, RowOf(list, name), 0);
    PostKey(list, key);
}

// The list of the editor F11 opens on Pinger, or null.
HWND OpenEditor(const TAppSession& pinger) {
    pinger.PressKey(VK_F11);
    const HWND editor = WaitForWindowTitled("Pinger -> Config Editor 15.11.08");
    return editor ? FindWindowExA(editor, nullptr, "ListBox", nullptr) : nullptr;
}

constexpr int kReadmeButton = 40;

// F1 shows the about box first, its Readme button working while the file is there.
TEST(ConfigEditor, F11EditsTheToolsVariablesClosingWritesTheChangesAtOnceAndADoubleClickEditsOnce) {
    TDistCopy dist("editor-pinger");
    dist.WriteIni("core", "color_mark", "#FF000A");
    dist.WriteIni("core", "edge_snap_size", "5");
    TAppSession app(dist, "Pinger");
    app.PressKey(VK_F1);
    const HWND about = WaitForWindowTitled("About Pinger");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(about, kReadmeButton)));
    SaveScreenshot(about, "about-box");
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    HWND list = OpenEditor(app);
    ASSERT_NE(list, nullptr);
    const std::vector<std::string> rows = ListBoxRows(list);
    ASSERT_EQ(rows.size(), 18u);                          // the 13 of the base and the Pinger's 5
    EXPECT_EQ(rows.front(), "pinger.bad_latency_limit");  // newest first
    EXPECT_EQ(rows.back(), "core.color_back");
    const HWND editor = GetParent(list);
    SaveScreenshot(editor, "config-editor");

    PressOn(list, "core.color_mark", VK_RIGHT);
    PressOn(list, "core.edge_snap_size", VK_DELETE);
    PostKey(list, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
    EXPECT_EQ(dist.ReadIni("core", "color_mark"), "#00010B");
    EXPECT_EQ(dist.ReadIni("core", "edge_snap_size"), "16");
    EXPECT_EQ(dist.ReadIni("configeditor", "TotalRunCount"), "1");

    // Open again, a double click edits once and the list keeps the keyboard after an input box.
    list = OpenEditor(app);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedControl() == list; }));
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int row = RowOf(list, "pinger.stay_on_top");
    Click(list, 40, row * height + height / 2, true);  // a boolean flips once, not back again

    PressOn(list, "pinger.window_left", VK_RETURN);
    HWND box = WaitForWindowTitled("Please Enter a Value");
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedControl() == list; }));
    PostKey(list, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(list); }));
    EXPECT_EQ(dist.ReadIni("pinger", "stay_on_top"), "true");
}
}  // namespace
