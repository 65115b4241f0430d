#include <gtest/gtest.h>

#include "core/KoLibWin32.h"
#include "tests/ui/AppSession.h"

namespace {
std::string Clipboard() {
    std::string text;
    GetClipboardText(nullptr, text);
    return text;
}
}  // namespace

// Epochs, month steps, the OLE, DOS and Unix inputs and copies on a UTC machine, and a count-down slot that
// outlives the window.
TEST(DateCalc, StepsJumpsReadsAndCopiesDatesAndKeepsCountDownSlots) {
    TDistCopy dist("datecalc");
    TAppSession app(dist, "datecalc");
    const std::vector<HWND> edits = app.Controls("Edit");
    const HWND list = app.Control("ListBox");
    ASSERT_TRUE(edits.size() == 3 && list);
    const auto shown = [&] {
        return ControlText(edits[0]) + "-" + ControlText(edits[1]) + "-" + ControlText(edits[2]);
    };
    // The Stats row's text as Ctrl+C copies it, the row chosen with the mouse.
    const auto row = [&](int index) {
        OpenClipboard(nullptr), EmptyClipboard(), CloseClipboard();
        const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        Click(list, 20, index * height + height / 2);
        app.TypeKey('C', VK_CONTROL);
        WaitUntil([] { return !Clipboard().empty(); });
        return Clipboard();
    };

    app.PressKey('3', false);  // a plain 3 is no command
    app.TypeKey('3', VK_SHIFT);
    EXPECT_TRUE(WaitUntil([&] { return shown() == "1970-1-1"; })) << shown();
    EXPECT_EQ(row(16), "Unix Date: 0x00000000");
    SaveScreenshot(app.Window(), "datecalc-stats");

    SetControlText(edits[0], "2024"), SetControlText(edits[1], "1"), SetControlText(edits[2], "31");
    Click(app.Control("Button"));  // Calculate
    app.PressKey(VK_UP, true);
    EXPECT_TRUE(WaitUntil([&] { return shown() == "2024-2-29"; })) << shown();

    EXPECT_EQ(AnswerInputBox([&] { app.PressKey('1', true); }, "1.5", app.Caption()), "&Input OLE Date...");
    app.TypeKey('C', VK_SHIFT);
    EXPECT_TRUE(WaitUntil([] { return Clipboard() == "0x000000000000F83F"; })) << Clipboard();
    AnswerInputBox([&] { app.PressKey('3', true); }, "1000000000", app.Caption());
    EXPECT_TRUE(WaitUntil([&] { return shown() == "2001-9-9"; })) << shown();
    EXPECT_EQ(row(13), "Time Fraction: 01:46:40.000");
    AnswerInputBox([&] { app.PressKey('2', true); }, "0x2b92", app.Caption());  // 2001-12-18
    EXPECT_TRUE(WaitUntil([&] { return shown() == "2001-12-18"; })) << shown();

    app.PressKey(VK_F3);
    app.PressKey(VK_F4);
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    EXPECT_EQ(AnswerInputBox([&] { app.TypeKey(VK_RETURN, VK_CONTROL); }, "Launch"),
              "Enter the name of this countdown timer...");
    AnswerInputBox([] {}, "2030/01/01");
    ASSERT_TRUE(app.QuitWithAltQ());
    EXPECT_EQ(dist.ReadIni("datecalc.CountDown", "0"), "Launch\t2030/01/01");

    TAppSession again(dist, "datecalc");
    again.PressKey(VK_F4);
    SendMessageA(again.Control("ListBox"), LB_SETCURSEL, 0, 0);
    OpenClipboard(nullptr), EmptyClipboard(), CloseClipboard();
    again.TypeKey('C', VK_CONTROL);
    EXPECT_TRUE(WaitUntil([] { return Clipboard() == "Launch @ 2030/01/01"; })) << Clipboard();
    ASSERT_TRUE(again.QuitWithAltQ());
}
