#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/AppSession.h"

namespace {
BOOL CALLBACK FindFlagsWindow(HWND window, LPARAM found) {
    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (!IsWindowVisible(window) || !std::string(caption).starts_with("Drive Bit Flags - $"))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}
}  // namespace

// Wine's drives C: and Z: are listed; Enter shows the flags of the selected one, Escape closes them; a digit
// chooses the unit of the sizes, kept in the settings.
TEST(DriveLister, ListsTheDrivesAndShowsTheFlagsOfOne) {
    TDistCopy dist("drivelister");
    TAppSession app(dist, "drivelister");
    const HWND list = app.Control("ListBox");
    ASSERT_TRUE(list);
    const std::vector<std::string> rows = ListBoxRows(list);
    for (const char* drive : {"C:\\", "Z:\\"})
        EXPECT_NE(std::find(rows.begin(), rows.end(), drive), rows.end()) << drive;
    SaveScreenshot(app.Window(), "drive-lister");

    app.PressKey(VK_RETURN);
    // The flags window's caption carries the flag word.
    HWND flags = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        EnumWindows(FindFlagsWindow, reinterpret_cast<LPARAM>(&flags));
        return flags != nullptr;
    }));
    ASSERT_TRUE(flags);
    const HWND flagList = FindWindowExA(flags, nullptr, "SysListView32", nullptr);
    EXPECT_EQ(SendMessageA(flagList, LVM_GETITEMCOUNT, 0, 0), 32);
    SaveScreenshot(flags, "drive-flags");
    PostKey(flags, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(flags); }));

    app.PressKey('5');  // GigaByte
    ASSERT_TRUE(app.QuitWithAltQ());
    EXPECT_EQ(dist.ReadIni("drivelister", "size_format"), "4");
}
