#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "tests/ui/AppSession.h"

namespace {
const std::string kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Wine's own reg tool, as a user would plant keys, in the 32-bit or the 64-bit view.
void RegAdd(const std::string& key,
            const std::string& value,
            const std::string& type,
            const std::string& data,
            bool view32 = false) {
    ASSERT_EQ(RunProgram("reg.exe add \"" + key + "\" /v " + value + " /t " + type + " /d \"" + data + "\" /f" +
                         (view32 ? " /reg:32" : " /reg:64")),
              0u)
        << key << " " << value;
}

void Product(const std::string& root,
             const std::string& key,
             const std::string& name,
             const std::string& command,
             bool view32 = false) {
    const std::string path = root + "\\" + kUninstall + "\\" + key;
    RegAdd(path, "DisplayName", "REG_SZ", name, view32);
    if (!command.empty())
        RegAdd(path, "UninstallString", "REG_SZ", command, view32);
}

// Wine's reg again, as a user would look.
bool KeyExists(const std::string& root, const std::string& key, bool view32 = false) {
    return RunProgram("reg.exe query \"" + root + "\\" + kUninstall + "\\" + key + "\"" +
                      (view32 ? " /reg:32" : " /reg:64")) == 0;
}

std::vector<std::string> Planted(const std::vector<std::string>& rows) {
    std::vector<std::string> planted;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(planted),
                 [](const std::string& row) { return row.starts_with("DDTest "); });
    return planted;
}
}  // namespace

// Products planted in both views of both roots, with the values that decide what a row shows: the list filters as
// typed, and Delete after the confirmation removes exactly the planted key.
TEST(Uninstall, ListsPlantedProductsFiltersThemAndDeletesExactlyTheConfirmedKey) {
    const std::string machine = "HKLM", user = "HKCU";
    Product(machine, "DDTest.Alpha", "DDTest Alpha", "\"C:\\windows\\notepad.exe\" /uninstall");
    RegAdd(machine + "\\" + kUninstall + "\\DDTest.Alpha", "Publisher", "REG_SZ", "Alpha Soft");
    RegAdd(machine + "\\" + kUninstall + "\\DDTest.Alpha", "EstimatedSize", "REG_DWORD", "2500000");
    Product(machine, "DDTest.Beta", "DDTest Beta", "C:\\beta\\un.exe", true);
    // Wine's reg writes a number's bytes low first whatever the type: these are the big-endian bytes of 1536.
    RegAdd(machine + "\\" + kUninstall + "\\DDTest.Beta", "EstimatedSize", "REG_DWORD_BIG_ENDIAN", "393216", true);
    RegAdd(machine + "\\" + kUninstall + "\\DDTest.Beta", "InstallDate", "REG_SZ", "20070315", true);
    Product(user, "DDTest.Gamma", "DDTest Gamma", "C:\\gamma.exe --remove");
    Product(machine, "DDTest.Hidden", "DDTest Hidden", "C:\\hidden.exe");
    RegAdd(machine + "\\" + kUninstall + "\\DDTest.Hidden", "SystemComponent", "REG_DWORD", "1");
    Product(machine, "DDTest.Gone\\Sub", "DDTest Gone", "C:\\gone.exe");
    Product(machine, "DDTest.Gone", "DDTest Gone", "C:\\gone.exe");

    TDistCopy dist("uninstall");
    dist.WriteIni("uninstall", "sort_index", "0");
    dist.WriteIni("uninstall", "sort_reverse", "false");
    TAppSession app(dist, "uninstall");
    // A 32-bit prefix without a 64-bit side has one view: what was planted there shows as the 32-bit one.
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    const std::string machine64 = sizeof(void*) == 8 || wow64 ? "\tMachine:64" : "\tMachine:32";
    const HWND list = app.Control("SysListView32");
    const HWND status = app.Control("msctls_statusbar32");
    ASSERT_TRUE(list && status);
    const auto panel = [&](int index) { return app.StatusPanel(status, index); };
    ASSERT_TRUE(WaitUntil([&] { return panel(0) == "Done"; }));
    // Name, publisher, size, key and scope; the date on its own below.
    EXPECT_EQ(Planted(app.ListViewRows(list, {0, 1, 3, 6, 7})),
              (std::vector<std::string>{
                  "DDTest Alpha\tAlpha Soft\t2.38 GB\tDDTest.Alpha" + machine64,
                  "DDTest Beta\t\t1.5 MB\tDDTest.Beta\tMachine:32",
                  "DDTest Gamma\t\t\tDDTest.Gamma\tUser:32",
                  "DDTest Gone\t\t\tDDTest.Gone" + machine64,
              }));
    // Beta's install date is not the day its key was written: the date alone. The others show the write's time.
    const std::vector<std::string> dates = Planted(app.ListViewRows(list, {0, 4}));
    ASSERT_EQ(dates.size(), 4u);
    EXPECT_TRUE(Holds(dates[1], "2007") && !Holds(dates[1], " - ")) << dates[1];
    EXPECT_TRUE(Holds(dates[2], " - ")) << dates[2];
    const int listed = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(panel(1), "No Filter");
    // At least the system component.
    EXPECT_TRUE(panel(3).ends_with(" Ignored") && std::atoi(panel(3).c_str()) >= 1) << panel(3);
    SaveScreenshot(app.Window(), "uninstall-lister");

    EXPECT_EQ(AnswerInputBox([&] { app.PressKey(VK_F3); }, "ddtest g"), "Apply Word Filter...");
    EXPECT_EQ(app.ListViewRows(list, {0}), (std::vector<std::string>{"DDTest Gamma", "DDTest Gone"}));
    EXPECT_EQ(panel(1), "Filter: \"ddtest g\"");
    EXPECT_EQ(panel(2), "2 / " + std::to_string(listed) + " Items");
    ASSERT_EQ(AnswerInputBox([&] { app.PressKey(VK_F3); }, "DDTest.Gone"), "Apply Word Filter...");  // a key name too

    // A key that comes while the window still finishes the one before is flushed with it: press again.
    HWND ask = nullptr;
    for (int tries = 0; !ask && tries < 5; ++tries) {
        app.PressKey(VK_DELETE);
        ask = WaitForWindowTitled("Delete Registry Key?", 2000);
    }
    ASSERT_TRUE(ask);
    EXPECT_EQ(ControlText(GetDlgItem(ask, 0xFFFF)),
              "Delete the registry key:\r\n\r\n\"HKEY_LOCAL_MACHINE\\" + kUninstall + "\\DDTest.Gone\"");
    PostMessageA(ask, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(ask) && app.ListViewRows(list, {0}).empty(); }));
    EXPECT_FALSE(KeyExists(machine, "DDTest.Gone"));
    for (const char* key : {"DDTest.Alpha", "DDTest.Hidden"})
        EXPECT_TRUE(KeyExists(machine, key)) << key;
    EXPECT_TRUE(KeyExists(machine, "DDTest.Beta", true));
    EXPECT_TRUE(KeyExists(user, "DDTest.Gamma"));
    ASSERT_TRUE(app.QuitWithAltQ());
    EXPECT_EQ(dist.ReadIni("uninstall", "filter"), "DDTest.Gone");
}
