#include <gtest/gtest.h>

#include <algorithm>

#include "core/KoLibWin32.h"
#include "tests/ui/AppSession.h"

namespace {
size_t LongestLine(const std::string& text) {
    size_t longest = 0;
    for (size_t start = 0, end; start <= text.size(); start = end + 1) {
        end = std::min(text.find_first_of("\r\n", start), text.size());
        longest = std::max(longest, end - start);
    }
    return longest;
}

// One session asks its queries in turn. A short list is one paragraph the output wraps; a long one comes in rows cut
// for the output's width, cut again when the width changes, and copied as the one line it is.
TEST(NumberInfo, DivisorsSwapsAndPrimeListsThatFollowTheWidthAndCopyAsOneLine) {
    TDistCopy dist("numberinfo");
    dist.WriteIni("numberinfo", "query_index", "3");  // the stored query runs at the start
    dist.WriteIni("numberinfo", "query_value", "6");
    TAppSession app(dist, "\"Number Information\"");
    for (const char* className : {"Edit", "ComboBox", "Button", "RichEdit20A"})
        ASSERT_EQ(app.Controls(className).size(), 1u) << className;
    const auto shown = [&] { return ControlText(app.Control("RichEdit20A")); };  // a new query may make a new one
    const auto ask = [&](int query, const char* value) {
        SendMessageA(app.Control("ComboBox"), CB_SETCURSEL, query, 0);
        SetControlText(app.Control("Edit"), value);
        SendMessageA(app.Control("Button"), BM_CLICK, 0, 0);
    };
    for (const char* line : {"This is a perfect number! All divisors added together equals 6.", "Duration: "})
        EXPECT_TRUE(Holds(shown(), line)) << shown();
    SaveScreenshot(app.Window(), "number-information");

    ask(1, "4660");
    EXPECT_TRUE(WaitUntil([&] { return Holds(shown(), "13330"); })) << shown();

    ask(4, "100");
    const char* const primes =
        "  2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83, 89, 97, \r\n";
    EXPECT_TRUE(WaitUntil([&] { return Holds(shown(), primes); })) << shown();
    ask(4, "30000");
    ASSERT_TRUE(WaitUntil([&] { return Holds(shown(), "29989, "); }));
    const size_t wide = LongestLine(shown());
    EXPECT_LT(wide, 200u);
    app.Widen(-250);
    EXPECT_TRUE(WaitUntil([&] {
        const std::string text = shown();
        return Holds(text, "Duration: ") && LongestLine(text) < wide - 20;
    })) << LongestLine(shown());

    SendMessageA(app.Control("RichEdit20A"), EM_SETSEL, 0, -1);
    SendMessageA(app.Control("RichEdit20A"), WM_COPY, 0, 0);
    std::string copied;
    GetClipboardText(nullptr, copied);
    const size_t list = copied.find("  2, 3, 5, ");
    ASSERT_NE(list, std::string::npos) << copied.substr(0, 200);
    const size_t end = copied.find("\r\n", list);
    EXPECT_EQ(end - list, 2 + 21287 + 2u);  // the 3245 primes below 30000, all on the one line
    EXPECT_EQ(copied.substr(end - 7, 7), "29989, ");
    ASSERT_TRUE(app.QuitWithAltQ());
    EXPECT_EQ(dist.ReadIni("numberinfo", "query_index"), "4");
    EXPECT_EQ(dist.ReadIni("numberinfo", "query_value"), "30000");
}

// Ten million give a 5.9 MB prime list. The window goes on answering while the list grows, in rows that fit the
// output, and the view stays where the user scrolled it.
TEST(NumberInfo, TenMillionListsItsPrimesInRowsWhileTheWindowKeepsAnswering) {
    TDistCopy dist("numberinfo-primes");
    dist.WriteIni("numberinfo", "query_index", "4");
    dist.WriteIni("numberinfo", "query_value", "10000000");
    TAppSession app(dist, "\"Number Information\"");
    const HWND output = app.Control("RichEdit20A");
    for (int page = 0; page < 3; ++page)
        SendMessageA(output, WM_VSCROLL, SB_PAGEDOWN, 0);
    const LRESULT firstLine = SendMessageA(output, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(firstLine, 10);
    // Asked for its length until the length stops growing and the duration line is in; a hung window fails.
    std::string text;
    DWORD_PTR length = 0;
    for (int unchanged = 0, polls = 0; polls < 720; ++polls) {
        Sleep(250);
        DWORD_PTR now = 0;
        ASSERT_TRUE(SendMessageTimeoutA(output, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 10000, &now));
        unchanged = now == length ? unchanged + 1 : 0;
        length = now;
        if (unchanged >= 4 && Holds(text = ControlText(output), "Duration: "))
            break;
    }
    ASSERT_GT(text.size(), 5000000u);
    EXPECT_TRUE(Holds(text, "Listing the 664579 Prime Numbers in the Range [2..10000000]:\r\n  2, 3, 5, 7, "));
    EXPECT_TRUE(Holds(text, " 9999991, \r\n\r\nPrimes always")) << text.substr(text.size() - 300);
    const size_t paragraphs = 1 + std::count(text.begin(), text.end(), '\n');
    EXPECT_EQ(static_cast<size_t>(SendMessageA(output, EM_GETLINECOUNT, 0, 0)), paragraphs);  // nothing wraps again
    EXPECT_EQ(SendMessageA(output, EM_GETFIRSTVISIBLELINE, 0, 0), firstLine);

    // The next query replaces the long list at once.
    SetControlText(app.Control("Edit"), "100");
    SendMessageA(app.Control("Button"), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] {
        return Holds(ControlText(app.Control("RichEdit20A")), "Listing the 25 Prime Numbers in the Range [2..100]:");
    }));
    EXPECT_TRUE(app.QuitWithAltQ());
}
}  // namespace
