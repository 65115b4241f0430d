#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
constexpr int kReadmeButton = 40;

// F1 and the system menu's item open it; its Readme button works only while the file is there.
TEST(AboutBox, F1ShowsTheToolsAboutBoxWithReadmeOnlyWhenTheFileIsThere) {
    TDistCopy dist("about");
    {
        TAppSession app(dist, "Pinger");
        app.PressKey(VK_F1);
        HWND about = WaitForWindowTitled("About Pinger");
        ASSERT_NE(about, nullptr);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(about, kReadmeButton)));
        EXPECT_EQ(ControlText(GetDlgItem(about, 10)), "Pinger");
        SaveScreenshot(about, "about-box");
        PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    }
    DeleteFileA((dist.Folder() + "readme.txt").c_str());
    TAppSession app(dist, "calc");
    PostMessageA(app.Window(), WM_SYSCOMMAND, 16, 0);
    HWND about = WaitForWindowTitled("About Calculator");
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(about, kReadmeButton)));
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
}
}  // namespace
