#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tests/ui/AppSession.h"

namespace {
bool HasRowWith(const std::vector<std::string>& rows, const std::string& part) {
    return std::any_of(rows.begin(), rows.end(),
                       [&](const std::string& row) { return row.find(part) != std::string::npos; });
}

int ClientWidth(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    return r.right;
}

int Width(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.right - r.left;
}

TEST(UnitConverter, TheStoredInputConvertsAtStartAndF9ShowsTheUnitPanel) {
    TDistCopy dist("converter-km");
    TAppSession app(dist, "\"Unit Converter\"");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    const std::vector<HWND> lists = app.Controls("ListBox");
    ASSERT_EQ(lists.size(), 1u);
    const std::vector<std::string> rows = TAppSession::ListBoxRows(lists[0]);
    EXPECT_TRUE(HasRowWith(rows, "Kilometer")) << rows.size();
    EXPECT_TRUE(HasRowWith(rows, "Using SI prefix kilo (k) (10 ^ 3)"));
    EXPECT_TRUE(HasRowWith(rows, "Meter"));
    const int before = ClientWidth(app.Window());
    app.PressKey(VK_F9);
    EXPECT_TRUE(WaitUntil([&] { return ClientWidth(app.Window()) > before; }));
    EXPECT_EQ(Width(lists[0]), before);  // the window grew by the panel, the list kept its width

    // Dragging the splitter 60 pixels to the left gives the tree 60 more and the list 60 less.
    const std::vector<HWND> panels = app.Controls("DaDeruvWindow");  // the input strip, the unit panel, the splitter
    ASSERT_EQ(panels.size(), 3u);
    const HWND tree = app.Controls("SysTreeView32").at(0);
    const int treeWidth = Width(tree);
    SendMessageA(panels[2], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    SendMessageA(panels[2], WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-59, 10));
    SendMessageA(panels[2], WM_LBUTTONUP, 0, MAKELPARAM(-59, 10));
    EXPECT_EQ(Width(tree), treeWidth + 60);
    EXPECT_EQ(Width(lists[0]), before - 60);
    SaveScreenshot(app.Window(), "unit-converter");
    app.PressKey('Q', true);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(dist.ReadIni("converter", "show_unit_panel"), "true");
}

TEST(UnitConverter, WithoutDefinitionsOnlyNoMatchesIsShown) {
    TDistCopy dist("converter-empty");
    const std::string folder = dist.Folder() + "data\\converter\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.ini").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do
        DeleteFileA((folder + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
    TAppSession app(dist, "converter");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    const std::vector<std::string> rows = TAppSession::ListBoxRows(app.Controls("ListBox").at(0));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "No matches were found for the unit \"km\".");
}
TEST(UnitConverter, AFaultyUnitKeepsTheLinesBeforeItAndAnEmptyInputReloadsToNothing) {
    TDistCopy dist("converter-fault");
    {
        std::FILE* f = std::fopen((dist.Folder() + "data\\converter\\Broken.ini").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("[Zero]\r\nFrom=X\r\n[Bad]\r\nFrom=X*(2\r\n", f);
        std::fclose(f);
    }
    dist.WriteIni("converter", "last_input", "1 Zero");
    dist.WriteIni("core", "font_variable", "Arial 20");
    TAppSession app(dist, "converter");
    HWND box = WaitForWindowTitled("Unit Converter");  // the fault, told during the first conversion
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_NE(app.WaitForWindow(), nullptr);
    const HWND list = app.Controls("ListBox").at(0);
    const std::vector<std::string> rows = TAppSession::ListBoxRows(list);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "Zero (Broken)");
    EXPECT_EQ(rows[1], "Zero");
    EXPECT_EQ(rows[2], "Matching Parenthesis Missing");
    EXPECT_GE(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 25);  // a 20-point font's rows

    // Emptied and reloaded, the list stays empty, as it is at a start with nothing to convert.
    const HWND input = app.Controls("RichEdit20A").at(0);
    TAppSession::SetControlText(input, "");
    app.PressKey(VK_RETURN);
    app.PressKey(VK_F5);
    EXPECT_TRUE(TAppSession::ListBoxRows(list).empty());
}
}  // namespace
