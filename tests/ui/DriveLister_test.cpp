#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "core/StringIterators.h"
#include "tests/ui/AppSession.h"

namespace {
// A size the lister shows in kilobytes with thousands separators.
long long Kilobytes(const std::string& cell) {
    std::string digits;
    std::copy_if(cell.begin(), cell.end(), std::back_inserter(digits), [](char c) { return c >= '0' && c <= '9'; });
    return digits.empty() ? -1 : std::stoll(digits);
}
}  // namespace

// Wine's drives C: and Z: are listed, and M:, which the test script gives the prefix, with df's sizes of its
// folder (taken just before the run); Enter shows the flags of the selected one, Escape closes them; a digit
// chooses the unit of the sizes, kept in the settings.
TEST(DriveLister, ListsTheDrivesAndShowsTheFlagsOfOne) {
    TDistCopy dist("drivelister");
    TAppSession app(dist, "drivelister");
    const HWND list = app.Control("ListBox");
    ASSERT_TRUE(list);
    const std::vector<std::string> rows = ListBoxRows(list);
    for (const char* drive : {"(C:)\t", "(Z:)\t"})
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const std::string& row) { return Holds(row, drive); }))
            << drive;
    const auto m = std::find_if(rows.begin(), rows.end(), [](const std::string& row) { return Holds(row, "(M:)\t"); });
    ASSERT_NE(m, rows.end());
    TStringIteratorDelimiter cells(*m, '\t');
    long long size = 0, available = 0;
    std::ifstream(dist.Folder() + "..\\m-drive-df.txt") >> size >> available;
    ASSERT_GT(size, 0) << "no sizes of M: from df";
    cells.Next();  // the name
    EXPECT_EQ(Kilobytes(cells.Next()), (size + 512) / 1024) << *m;
    EXPECT_NEAR(static_cast<double>(Kilobytes(cells.Next())), available / 1024.0, 256.0 * 1024)
        << "more than 256 MB apart";
    SaveScreenshot(app.Window(), "drive-lister");

    app.PressKey(VK_RETURN);
    // The flags window's caption carries the flag word.
    HWND flags = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        char caption[128] = "";
        while ((flags = FindWindowExA(nullptr, flags, nullptr, nullptr)) != nullptr)
            if (IsWindowVisible(flags) && GetWindowTextA(flags, caption, sizeof caption) &&
                std::string(caption).starts_with("Drive Bit Flags - $"))
                return true;
        return false;
    }));
    ASSERT_TRUE(flags);
    const HWND flagList = FindWindowExA(flags, nullptr, "SysListView32", nullptr);
    EXPECT_EQ(SendMessageA(flagList, LVM_GETITEMCOUNT, 0, 0), 32);
    SaveScreenshot(flags, "drive-flags");
    PostKey(flags, VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(flags); }));

    app.PressKey('5');  // GigaByte
    ASSERT_TRUE(app.QuitWithAltQ());
    EXPECT_EQ(dist.ReadIni("drivelister", "size_format"), "4");
}
