#include <gtest/gtest.h>

#include <algorithm>

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
}  // namespace
