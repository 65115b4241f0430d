#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/ui/AppSession.h"

namespace {
// Entries of the shipped list that pass, read here word by word.
int CountEntries(const std::string& file, int low, int high, const std::string& word) {
    std::ifstream in(file);
    int count = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        int port = -1;
        std::string protocol, name, description;
        if (line.empty() || !std::isdigit(static_cast<unsigned char>(line[0])) || !(words >> port >> protocol >> name))
            continue;
        std::getline(words >> std::ws, description);
        std::string text = name.substr(0, 23) + "\n" + description.substr(0, 63);
        std::transform(text.begin(), text.end(), text.begin(),
                       [](char c) { return static_cast<char>(std::tolower(c)); });
        count += port >= low && port <= high && text.find(word) != std::string::npos;
    }
    return count;
}
}  // namespace

// Thousands of ports listed; a range and a search text typed into their boxes list just the entries they name.
TEST(NetPortList, FiltersTheShippedListAsTheUserTypes) {
    TDistCopy dist("netportlist");
    const std::string file = dist.Folder() + "data\\netportlist\\ports.lst";
    TAppSession app(dist, "netportlist");
    const HWND status = app.Control("msctls_statusbar32");
    const HWND list = app.Control("ListBox");
    const std::vector<HWND> edits = app.Controls("Edit");
    ASSERT_TRUE(status && list && edits.size() == 2u);
    const int all = CountEntries(file, 0, 65535, "");
    EXPECT_GT(all, 5000);
    EXPECT_EQ(app.StatusPanel(status, 0), std::to_string(all) + " Items");

    SetControlText(edits[0], "20-25");
    EXPECT_EQ(app.StatusPanel(status, 0), std::to_string(CountEntries(file, 20, 25, "")) + " Items");
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), CountEntries(file, 20, 25, ""));
    SetControlText(edits[0], "");
    SetControlText(edits[1], "WEB");
    const int web = CountEntries(file, 0, 65535, "web");
    EXPECT_GT(web, 10);
    EXPECT_EQ(app.StatusPanel(status, 0), std::to_string(web) + " Items");
    SaveScreenshot(app.Window(), "port-list");
    EXPECT_TRUE(app.QuitWithAltQ());
}

TEST(NetPortList, AMissingFileIsToldAndLeavesAnEmptyList) {
    TDistCopy dist("netportlist-missing");
    const std::string file = dist.Folder() + "data\\netportlist\\ports.lst";
    ASSERT_TRUE(DeleteFileA(file.c_str()));
    TAppSession app(dist, "netportlist", false);
    const HWND box = WaitForWindowTitled("Port List Missing!");
    ASSERT_TRUE(box);
    EXPECT_EQ(ControlText(GetDlgItem(box, 0xFFFF)),
              "Could not locate the network port list file.\r\n\r\n\"" + file + "\"");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(app.WaitForWindow());
    EXPECT_EQ(app.StatusPanel(app.Control("msctls_statusbar32"), 0), "0 Items");
    EXPECT_TRUE(app.QuitWithAltQ());
}
