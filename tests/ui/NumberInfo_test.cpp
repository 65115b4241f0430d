#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/AppSession.h"

namespace {
std::string Output(const TAppSession& app) {
    const std::vector<HWND> outputs = app.Controls("RichEdit20A");
    return outputs.empty() ? std::string() : TAppSession::ControlText(outputs.front());
}

bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

size_t LongestLine(const std::string& text) {
    size_t longest = 0;
    for (size_t start = 0, end; start <= text.size(); start = end + 1) {
        end = std::min(text.find_first_of("\r\n", start), text.size());
        longest = std::max(longest, end - start);
    }
    return longest;
}

std::string ClipboardText() {
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_TEXT))
            if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
                text = bytes;
                GlobalUnlock(data);
            }
        CloseClipboard();
    }
    return text;
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

// A short list is one paragraph the output wraps; a long one comes in rows cut for the output's width, cut again
// when the width changes, and copied as the one line it is.
TEST(NumberInfo, ListsFollowTheWidthAndCopyAsOneLine) {
    TDistCopy dist("numberinfo-rows");
    dist.WriteIni("numberinfo", "query_index", "4");
    dist.WriteIni("numberinfo", "query_value", "100");
    TAppSession app(dist, "\"Number Information\"");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    const std::string primes =
        "  2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83, "
        "89, 97, \r\n";
    EXPECT_TRUE(Holds(Output(app), primes)) << Output(app);

    TAppSession::SetControlText(app.Controls("Edit").front(), "30000");
    SendMessageA(app.Controls("Button").front(), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return Holds(Output(app), "Duration: "); }));
    const size_t wide = LongestLine(Output(app));
    EXPECT_LT(wide, 200u);
    const RECT r = app.Rect();
    SetWindowPos(app.Window(), nullptr, 0, 0, r.right - r.left - 250, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(WaitUntil([&] {
        const std::string text = Output(app);
        return Holds(text, "Duration: ") && LongestLine(text) < wide - 20;
    })) << LongestLine(Output(app));

    const HWND output = app.Controls("RichEdit20A").front();
    SendMessageA(output, EM_SETSEL, 0, -1);
    SendMessageA(output, WM_COPY, 0, 0);
    const std::string copied = ClipboardText();
    const size_t list = copied.find("  2, 3, 5, ");
    ASSERT_NE(list, std::string::npos) << copied.substr(0, 200);
    const size_t end = copied.find("\r\n", list);
    EXPECT_EQ(end - list, 2 + 21287 + 2u);  // the 3245 primes below 30000, all on the one line
    EXPECT_EQ(copied.substr(end - 7, 7), "29989, ");
    app.PressKey('Q', true);
    EXPECT_TRUE(app.WaitForExit());
}

// Ten million give a 5.9 MB prime list. The window answers at once while the list grows, in rows that fit the
// output, and the view stays where the user scrolled it.
TEST(NumberInfo, TenMillionListsItsPrimesInRowsWhileTheWindowKeepsAnswering) {
    TDistCopy dist("numberinfo-primes");
    dist.WriteIni("numberinfo", "query_index", "4");
    dist.WriteIni("numberinfo", "query_value", "10000000");
    TAppSession app(dist, "\"Number Information\"");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    const HWND output = app.Controls("RichEdit20A").front();
    for (int page = 0; page < 3; ++page)
        SendMessageA(output, WM_VSCROLL, SB_PAGEDOWN, 0);
    const LRESULT firstLine = SendMessageA(output, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(firstLine, 10);
    // Until the duration line is in (looked for once the length stops growing): how long the window takes to answer
    // a message meanwhile.
    DWORD slowest = 0;
    DWORD_PTR length = 0;
    std::string text;
    const DWORD started = GetTickCount();
    for (int unchanged = 0; GetTickCount() - started < 180000;) {
        Sleep(250);
        const DWORD asked = GetTickCount();
        ASSERT_TRUE(SendMessageTimeoutA(output, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, nullptr));
        slowest = std::max(slowest, GetTickCount() - asked);
        DWORD_PTR now = 0;
        ASSERT_TRUE(SendMessageTimeoutA(output, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &now));
        unchanged = now == length ? unchanged + 1 : 0;
        length = now;
        if (unchanged >= 4) {
            text = TAppSession::ControlText(output);
            if (Holds(text.substr(text.size() - std::min<size_t>(text.size(), 100)), "Duration: "))
                break;
        }
    }
    EXPECT_LT(slowest, 1000u);  // about 50 ms under Wine
    ASSERT_GT(text.size(), 5000000u);
    EXPECT_TRUE(Holds(text, "Listing the 664579 Prime Numbers in the Range [2..10000000]:\r\n  2, 3, 5, 7, "));
    EXPECT_TRUE(Holds(text, " 9999991, \r\n\r\nPrimes always")) << text.substr(text.size() - 300);
    size_t paragraphs = 1;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++paragraphs;
    EXPECT_GT(paragraphs, 30000u);
    EXPECT_EQ(static_cast<size_t>(SendMessageA(output, EM_GETLINECOUNT, 0, 0)), paragraphs);  // nothing wraps again
    EXPECT_EQ(SendMessageA(output, EM_GETFIRSTVISIBLELINE, 0, 0), firstLine);
    SaveScreenshot(app.Window(), "number-information-primes");

    // The next query replaces the long list at once.
    TAppSession::SetControlText(app.Controls("Edit").front(), "100");
    SendMessageA(app.Controls("Button").front(), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return Holds(Output(app), "Listing the 25 Prime Numbers in the Range [2..100]:"); }));
    app.PressKey('Q', true);
    EXPECT_TRUE(app.WaitForExit());
}
}  // namespace
