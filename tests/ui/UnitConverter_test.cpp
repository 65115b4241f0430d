#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/ui/AppSession.h"

namespace {
TEST(UnitConverter, TheStoredInputConvertsAtStartAndF9ShowsTheUnitPanel) {
    TDistCopy dist("converter-km");
    TAppSession app(dist, "\"Unit Converter\"");
    const HWND list = app.Control("ListBox");
    std::string rows;
    for (const std::string& row : ListBoxRows(list))
        rows += row + '\n';
    for (const char* part : {"Kilometer", "Using SI prefix kilo (k) (10 ^ 3)", "Meter"})
        EXPECT_TRUE(Holds(rows, part)) << rows;
    const int before = ClientRect(app.Window()).right;
    app.PressKey(VK_F9);
    EXPECT_TRUE(WaitUntil([&] { return ClientRect(app.Window()).right > before; }));
    EXPECT_EQ(WindowWidth(list), before);  // the window grew by the panel, the list kept its width

    // Dragging the splitter 60 pixels to the left gives the tree 60 more and the list 60 less.
    const std::vector<HWND> panels = app.Controls("DaDeruvWindow");  // the input strip, the unit panel, the splitter
    ASSERT_EQ(panels.size(), 3u);
    const HWND tree = app.Control("SysTreeView32");
    const int treeWidth = WindowWidth(tree);
    SendMessageA(panels[2], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    SendMessageA(panels[2], WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-59, 10));
    SendMessageA(panels[2], WM_LBUTTONUP, 0, MAKELPARAM(-59, 10));
    EXPECT_EQ(WindowWidth(tree), treeWidth + 60);
    EXPECT_EQ(WindowWidth(list), before - 60);
    SaveScreenshot(app.Window(), "unit-converter");
    ASSERT_TRUE(app.QuitWithAltQ());
    EXPECT_EQ(dist.ReadIni("converter", "show_unit_panel"), "true");
}

TEST(UnitConverter, WithoutDefinitionsOnlyNoMatchesIsShownAndAFaultyUnitKeepsTheLinesBeforeIt) {
    TDistCopy dist("converter-fault");
    for (const auto& entry : std::filesystem::directory_iterator(dist.Folder() + "data\\converter"))
        if (entry.path().extension() == ".ini")
            std::filesystem::remove(entry.path());
    {
        const TAppSession app(dist, "converter");
        EXPECT_EQ(ListBoxRows(app.Control("ListBox")),
                  std::vector<std::string>{"No matches were found for the unit \"km\"."});
    }
    std::ofstream(dist.Folder() + "data\\converter\\Broken.ini", std::ios::binary)
        << "[Zero]\r\nFrom=X\r\n[Bad]\r\nFrom=X*(2\r\n";
    dist.WriteIni("converter", "last_input", "1 Zero");
    dist.WriteIni("core", "font_variable", "Arial 20");
    TAppSession app(dist, "converter", false);
    HWND box = WaitForWindowTitled("Unit Converter");  // the fault, told during the first conversion
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_NE(app.WaitForWindow(), nullptr);
    const HWND list = app.Control("ListBox");
    EXPECT_EQ(ListBoxRows(list), (std::vector<std::string>{"Zero (Broken)", "Zero", "Matching Parenthesis Missing"}));
    EXPECT_GE(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 25);  // a 20-point font's rows

    // Emptied and reloaded, the list stays empty, as it is at a start with nothing to convert.
    SetControlText(app.Control("RichEdit20A"), "");
    app.PressKey(VK_RETURN);
    app.PressKey(VK_F5);
    EXPECT_TRUE(ListBoxRows(list).empty());
}
}  // namespace
