#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
std::string Output(const TAppSession& app) {
    const std::vector<HWND> outputs = app.Controls("RichEdit20A");
    return outputs.empty() ? std::string() : TAppSession::ControlText(outputs.front());
}

bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(NumberInfo, DivisorsOfSixEndInThePerfectNumberLineAndSwapsFollowTheButton) {
    TDistCopy dist("numberinfo-queries");
    dist.WriteIni("numberinfo", "query_index", "3");
    dist.WriteIni("numberinfo", "query_value", "6");
    TAppSession app(dist, "\"Number Information\"");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    std::string text = Output(app);
    EXPECT_TRUE(Holds(text, "Numbers of which 6 divided by, returns an integer:")) << text;
    EXPECT_TRUE(Holds(text, "  2, 3, ")) << text;
    EXPECT_TRUE(Holds(text, "Total sum of all factors:")) << text;
    EXPECT_TRUE(Holds(text, "This is a perfect number! All divisors added together equals 6.")) << text;
    EXPECT_TRUE(Holds(text, "Duration: ")) << text;
    SaveScreenshot(app.Window(), "number-information");

    const std::vector<HWND> edits = app.Controls("Edit");
    const std::vector<HWND> combos = app.Controls("ComboBox");
    const std::vector<HWND> buttons = app.Controls("Button");
    ASSERT_EQ(edits.size(), 1u);
    ASSERT_EQ(combos.size(), 1u);
    ASSERT_EQ(buttons.size(), 1u);
    TAppSession::SetControlText(edits[0], "4660");
    SendMessageA(combos[0], CB_SETCURSEL, 1, 0);
    SendMessageA(buttons[0], BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return Holds(Output(app), "13330"); })) << Output(app);
    text = Output(app);
    EXPECT_TRUE(Holds(text, "Endian Swap of the Number 0x00001234 (4660)")) << text;
    EXPECT_TRUE(Holds(text, "0x3412")) << text;
    app.PressKey('Q', true);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(dist.ReadIni("numberinfo", "query_index"), "1");
    EXPECT_EQ(dist.ReadIni("numberinfo", "query_value"), "4660");
}
}  // namespace
