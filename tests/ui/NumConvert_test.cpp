#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
enum Row { kHex, kDec, kOct, kBin, kStr, kRom };

std::vector<std::string> RowTexts(const TAppSession& app) {
    std::vector<std::string> texts;
    for (HWND edit : app.Controls("Edit"))
        texts.push_back(ControlText(edit));
    return texts;
}

TEST(NumConvert, MinusOneInDecimalFillsEveryRowWithTheLargestValue) {
    TDistCopy dist("numconvert-minus-one");
    TAppSession app(dist, "\"Number Converter\"");
    const std::vector<HWND> edits = app.Controls("Edit");
    ASSERT_EQ(edits.size(), 6u);
    EXPECT_EQ(RowTexts(app)[kStr], "kale");  // the first start's value
    SaveScreenshot(app.Window(), "number-converter");

    // Tab and Shift+Tab walk the rows, starting from the decimal one.
    EXPECT_EQ(app.FocusedControl(), edits[kDec]);
    app.TypeKey(VK_TAB);
    EXPECT_EQ(app.FocusedControl(), edits[kOct]);
    app.TypeKey(VK_TAB, VK_SHIFT);
    EXPECT_EQ(app.FocusedControl(), edits[kDec]);

    // The row being typed into has the focus; the others follow it.
    const auto type = [&](Row row, const char* text) {
        Click(edits[row]);
        SetControlText(edits[row], text);
        return RowTexts(app);
    };
    const std::vector<std::string> rows = type(kDec, "-1");  // the typed row too, rewritten in its unsigned form
    EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.begin() + kStr),
              (std::vector<std::string>{"FFFFFFFF", "4294967295", "37777777777", std::string(32, '1')}));
    EXPECT_EQ(app.Caption(), "Number Converter - 32 bits");
    EXPECT_EQ(type(kRom, "mcmxcix")[kDec], "1999");
    EXPECT_EQ(type(kHex, "1G")[kDec], "1999");  // an invalid row changes nothing else
    EXPECT_EQ(RowTexts(app)[kHex], "1G");
    ASSERT_TRUE(app.QuitWithAltQ());
    EXPECT_EQ(dist.ReadIni("numconvert", "value_as_dec"), "1999");

    const TAppSession again(dist, "2");
    EXPECT_EQ(RowTexts(again)[kHex], "7CF");
}

}  // namespace
