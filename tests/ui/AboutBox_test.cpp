#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
constexpr int kReadmeButton = 40;

TEST(AboutBox, F1ShowsTheToolsAboutBoxWithReadmeWhenTheFileIsThere) {
    TDistCopy dist("about-readme");
    TAppSession app(dist, "Pinger");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    app.PressKey(VK_F1);
    HWND about = WaitForWindowTitled("About Pinger");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(about, kReadmeButton)));
    EXPECT_EQ(TAppSession::ControlText(GetDlgItem(about, 10)), "Pinger");
    SaveScreenshot(about, "about-box");
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

TEST(AboutBox, WithoutReadmeTheButtonIsDisabled) {
    TDistCopy dist("about-noreadme");
    DeleteFileA((dist.Folder() + "readme.txt").c_str());
    TAppSession app(dist, "calc");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    PostMessageA(app.Window(), WM_SYSCOMMAND, 16, 0);
    HWND about = WaitForWindowTitled("About Calculator");
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(about, kReadmeButton)));
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
}
}  // namespace
