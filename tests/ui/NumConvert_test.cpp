#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
enum Row { kHex, kDec, kOct, kBin, kStr, kRom };

std::vector<std::string> RowTexts(const TAppSession& app) {
    std::vector<std::string> texts;
    for (HWND edit : app.Controls("Edit"))
        texts.push_back(TAppSession::ControlText(edit));
    return texts;
}

TEST(NumConvert, MinusOneInDecimalFillsEveryRowWithTheLargestValue) {
    TDistCopy dist("numconvert-minus-one");
    TAppSession app(dist, "\"Number Converter\"");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    const std::vector<HWND> edits = app.Controls("Edit");
    ASSERT_EQ(edits.size(), 6u);
    EXPECT_EQ(RowTexts(app)[kStr], "kale");  // the first start's value
    EXPECT_EQ(RowTexts(app)[kRom], "Number to large, zero or negative");
    SaveScreenshot(app.Window(), "number-converter");

    // Tab and Shift+Tab walk the rows, starting from the decimal one.
    EXPECT_EQ(app.FocusedControl(), edits[kDec]);
    app.TypeKey(VK_TAB);
    EXPECT_EQ(app.FocusedControl(), edits[kOct]);
    app.TypeKey(VK_TAB, false, false, true);
    EXPECT_EQ(app.FocusedControl(), edits[kDec]);

    // A wider window stretches every row's edit by as much.
    std::vector<int> widths;
    for (HWND edit : edits) {
        RECT r;
        GetWindowRect(edit, &r);
        widths.push_back(r.right - r.left);
    }
    const RECT window = app.Rect();
    SetWindowPos(app.Window(), nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    app.Sync();
    for (size_t i = 0; i < edits.size(); ++i) {
        RECT r;
        GetWindowRect(edits[i], &r);
        EXPECT_EQ(r.right - r.left, widths[i] + 100) << i;
    }

    TAppSession::ClickControl(edits[kDec]);
    TAppSession::SetControlText(edits[kDec], "-1");
    const std::vector<std::string> rows = RowTexts(app);
    EXPECT_EQ(rows[kHex], "FFFFFFFF");
    EXPECT_EQ(rows[kDec], "4294967295");  // rewritten in its unsigned form
    EXPECT_EQ(rows[kOct], "37777777777");
    EXPECT_EQ(rows[kBin], std::string(32, '1'));
    EXPECT_EQ(app.Caption(), "Number Converter - 32 bits");

    // The row being typed into has the focus; the others follow it.
    TAppSession::ClickControl(edits[kRom]);
    TAppSession::SetControlText(edits[kRom], "mcmxcix");
    EXPECT_EQ(RowTexts(app)[kDec], "1999");
    EXPECT_EQ(RowTexts(app)[kRom], "MCMXCIX");

    TAppSession::ClickControl(edits[kHex]);
    TAppSession::SetControlText(edits[kHex], "1G");
    EXPECT_EQ(RowTexts(app)[kDec], "1999");  // an invalid row changes nothing else
    EXPECT_EQ(RowTexts(app)[kHex], "1G");
    app.PressKey('Q', true);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(dist.ReadIni("numconvert", "value_as_dec"), "1999");

    TAppSession again(dist, "2");
    ASSERT_NE(again.WaitForWindow(), nullptr);
    EXPECT_EQ(RowTexts(again)[kHex], "7CF");
}

TEST(NumConvert, ANumberHandedOverOnTheCommandLineIsTheStartValue) {
    TDistCopy dist("numconvert-argument");
    TAppSession app(dist, "\"Number Converter\" 255");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    EXPECT_EQ(RowTexts(app)[kHex], "FF");
    EXPECT_EQ(app.Caption(), "Number Converter - 8 bits");
}
}  // namespace
