#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
TEST(Calculator, EvaluatesShowsHexadecimalAndPointsAtErrors) {
    TDistCopy dist("calculator-evaluate");
    {
        TAppSession app(dist, "calc");
        const HWND editor = app.Control("RichEdit20A");
        const HWND result = app.Control("Edit");
        SetControlText(editor, "2(3+4)^2 - sin(P/2)");
        PostMessageA(app.Window(), WM_APP, 0, 0);  // colour it as a paste would
        PostKey(editor, VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return ControlText(result) == "97"; })) << ControlText(result);
        SaveScreenshot(app.Window(), "calculator");
        app.PressKey(VK_F5);
        EXPECT_TRUE(WaitUntil([&] { return ControlText(result) == "0x61"; })) << ControlText(result);

        SetControlText(editor, "1+(2");
        PostKey(editor, VK_RETURN);
        const std::string shown = ControlText(result);
        EXPECT_EQ(shown.rfind("Matching Parenthesis Missing (", 0), 0u) << shown;
        DWORD start = 0, end = 0;
        SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 3u);  // from the character after the bracket
        ASSERT_TRUE(app.QuitWithAltQ());
    }
    EXPECT_EQ(dist.ReadIni("calculator", "last_result"), "97");
    EXPECT_EQ(dist.ReadIni("calculator.History", "0"), "2(3+4)^2 - sin(P/2)");
    EXPECT_EQ(dist.ReadIni("calculator.History", "1"), "1+(2");

    DeleteFileA((dist.Folder() + "readme.txt").c_str());
    TAppSession app(dist, "calc");
    const HWND result = app.Control("Edit");
    EXPECT_EQ(ControlText(result), "0x61");  // the last result, in the chosen system
    SetControlText(app.Control("RichEdit20A"), "R+3");
    PostKey(app.Control("RichEdit20A"), VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(result) == "0x64"; })) << ControlText(result);

    // The system menu's about box, without the readme file, has no working Readme button.
    PostMessageA(app.Window(), WM_SYSCOMMAND, 16, 0);
    const HWND about = WaitForWindowTitled("About Calculator");
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(about, 40)));
    PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
}
}  // namespace
