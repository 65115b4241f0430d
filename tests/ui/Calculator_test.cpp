#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
HWND Editor(const TAppSession& app) {
    const std::vector<HWND> editors = app.Controls("RichEdit20A");
    return editors.empty() ? nullptr : editors.front();
}

HWND ResultBox(const TAppSession& app) {
    const std::vector<HWND> boxes = app.Controls("Edit");
    return boxes.empty() ? nullptr : boxes.front();
}

void Enter(HWND editor) {
    PostMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(editor, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001u));
    Sleep(200);
}

TEST(Calculator, EvaluatesShowsHexadecimalAndPointsAtErrors) {
    TDistCopy dist("calculator-evaluate");
    {
        TAppSession app(dist, "calc");
        ASSERT_NE(app.WaitForWindow(), nullptr);
        HWND editor = Editor(app);
        ASSERT_NE(editor, nullptr);
        TAppSession::SetControlText(editor, "2(3+4)^2 - sin(P/2)");
        PostMessageA(app.Window(), WM_APP, 0, 0);  // colour it as a paste would
        Enter(editor);
        EXPECT_TRUE(WaitUntil([&] { return TAppSession::ControlText(ResultBox(app)) == "97"; }))
            << TAppSession::ControlText(ResultBox(app));
        SaveScreenshot(app.Window(), "calculator");
        app.PressKey(VK_F5);
        EXPECT_TRUE(WaitUntil([&] { return TAppSession::ControlText(ResultBox(app)) == "0x61"; }))
            << TAppSession::ControlText(ResultBox(app));

        TAppSession::SetControlText(editor, "1+(2");
        Enter(editor);
        const std::string shown = TAppSession::ControlText(ResultBox(app));
        EXPECT_EQ(shown.rfind("Matching Parenthesis Missing (", 0), 0u) << shown;
        DWORD start = 0, end = 0;
        SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 3u);  // from the character after the bracket
        app.PressKey('Q', true);
        ASSERT_TRUE(app.WaitForExit());
    }
    EXPECT_EQ(dist.ReadIni("calculator", "last_result"), "97");
    EXPECT_EQ(dist.ReadIni("calculator.History", "0"), "2(3+4)^2 - sin(P/2)");
    EXPECT_EQ(dist.ReadIni("calculator.History", "1"), "1+(2");

    TAppSession app(dist, "calc");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    EXPECT_EQ(TAppSession::ControlText(ResultBox(app)), "0x61");  // the last result, in the chosen system
    HWND editor = Editor(app);
    TAppSession::SetControlText(editor, "R+3");
    Enter(editor);
    EXPECT_TRUE(WaitUntil([&] { return TAppSession::ControlText(ResultBox(app)) == "0x64"; }))
        << TAppSession::ControlText(ResultBox(app));
}
}  // namespace
