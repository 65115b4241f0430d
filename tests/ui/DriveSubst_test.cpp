#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/AppSession.h"

namespace {
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string DosTarget(char letter) {
    const char name[] = {letter, ':', '\0'};
    char target[1024] = "";
    return QueryDosDeviceA(name, target, sizeof target) ? target : "";
}

// Whatever the scenario mapped or wrote into the machine's start-up list goes again, also when it fails.
struct TMappingCleanup {
    char letter = 0;
    char saved = 'Q';  // a letter saved for log-on without being mapped now
    ~TMappingCleanup() {
        for (const char l : {letter, saved}) {
            const char name[] = {l, ':', '\0'};
            while (l && !DosTarget(l).empty() && DefineDosDeviceA(DDD_REMOVE_DEFINITION, name, nullptr)) {
            }
        }
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "Drive Subst");
    }
};

int RowOf(const std::vector<std::string>& rows, const std::string& start) {
    const auto found =
        std::find_if(rows.begin(), rows.end(), [&](const std::string& row) { return row.starts_with(start); });
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

void SelectRow(HWND list, int row) {
    PostKey(list, VK_HOME);
    for (int i = 0; i < row; ++i)
        PostKey(list, VK_DOWN);
}

// Opens the input box of a raw target with Shift held on the focused "Subst..." button.
std::string SubstRaw(const TAppSession& app, const std::string& target) {
    return AnswerInputBox([&] { app.TypeKey(VK_SPACE, VK_SHIFT); }, target);
}
}  // namespace

// The real drives are listed but cannot be removed; a free letter mapped to a folder shows in the Drive Lister and
// is saved when ticked, with the start-up entry written. "/AUTO" maps the saved letters.
TEST(DriveSubst, MapsAFolderAndRestoresItAtLogOn) {
    TDistCopy dist("drivesubst");
    const std::string folder = dist.Folder() + "target";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string target = "\\??\\" + folder;
    TMappingCleanup cleanup;
    {
        TAppSession app(dist, "drivesubst");
        const HWND list = app.Control("SysListView32");
        const HWND letters = app.Control("ComboBox");
        const std::vector<HWND> buttons = app.Controls("Button");
        ASSERT_TRUE(list && letters && buttons.size() == 3u);
        std::vector<std::string> rows = app.ListViewRows(list, {0});
        EXPECT_EQ(RowOf(rows, "C: => \\Device\\"), 0);
        EXPECT_GE(RowOf(rows, "Z: => \\Device\\"), 1);
        EXPECT_FALSE(IsWindowEnabled(buttons[1])) << "a disk's own letter offered for removal";
        EXPECT_EQ(app.StatusPanel(app.Control("msctls_statusbar32"), 0), std::to_string(rows.size()) + " Items");
        SendMessageA(letters, CB_SETCURSEL, SendMessageA(letters, CB_GETCOUNT, 0, 0) - 1, 0);  // the last free letter
        cleanup.letter = ControlText(letters)[0];
        const std::string letter(1, cleanup.letter);

        // Without Shift the folder dialog comes; cancelled, nothing happens and the button keeps the focus.
        Click(buttons[0]);
        const HWND browser = WaitForWindowTitled("Browse for Folder");
        ASSERT_TRUE(browser);
        PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browser); }));

        // A letter taken since the list was made: the failure is told.
        ASSERT_TRUE(DefineDosDeviceA(0, (letter + ":").c_str(), folder.c_str()));
        EXPECT_EQ(SubstRaw(app, target),
                  "Enter path to substitute manually. \"\\??\" for drives \"\\Device\" for devices");
        const HWND failed = WaitForWindowTitled("Drive Subst");
        ASSERT_TRUE(failed);
        EXPECT_EQ(
            ControlText(GetDlgItem(failed, 0xFFFF)),
            "Drive Subst Failed!\r\n\r\nPlease remember that you can't subst a directory on a drive that is subst!");
        PostMessageA(failed, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(failed); }));
        ASSERT_TRUE(DefineDosDeviceA(DDD_REMOVE_DEFINITION, (letter + ":").c_str(), nullptr));

        SubstRaw(app, target);
        ASSERT_TRUE(WaitUntil([&] { return RowOf(rows = app.ListViewRows(list, {0}), letter + ": => ") >= 0; }));
        const int row = RowOf(rows, letter + ": => ");
        EXPECT_EQ(DosTarget(cleanup.letter), target);
        SelectRow(list, row);
        PostKey(list, VK_SPACE);
        EXPECT_TRUE(IsWindowEnabled(buttons[1]));
        SaveScreenshot(app.Window(), "drive-subst");

        // Wine keeps such mappings in its device table only: the lister shows the letter as a volume that cannot
        // answer, where Windows gives the folder's drive.
        TAppSession lister(dist, "drivelister");
        EXPECT_TRUE(
            WaitUntil([&] { return RowOf(ListBoxRows(lister.Control("ListBox")), " (" + letter + ":)") >= 0; }));
        SaveScreenshot(lister.Window(), "drive-lister-subst");
        ASSERT_TRUE(lister.QuitWithAltQ());
        ASSERT_TRUE(app.QuitWithAltQ());
    }
    EXPECT_EQ(dist.ReadIni("drivesubst.Auto", std::string(1, cleanup.letter)), target);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    char data[1024] = "";
    DWORD type = 0, size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, "Drive Subst", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    RegCloseKey(key);
    const std::string command = "\"" + dist.Folder() + "DaDeruv.exe\" drivesubst /auto";
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(data), command);
    EXPECT_EQ(size, command.size() + 1) << "the text's terminating zero belongs to the value";

    // Removing a mapping forgets it for log-on too; one saved for a letter that is not mapped now stays.
    ASSERT_EQ(DosTarget(cleanup.saved), "");
    dist.WriteIni("drivesubst.Auto", std::string(1, cleanup.saved), target);
    {
        TAppSession app(dist, "drivesubst");
        const HWND list = app.Control("SysListView32");
        const int row = RowOf(app.ListViewRows(list, {0}), std::string(1, cleanup.letter) + ": => ");
        ASSERT_GE(row, 0);
        SelectRow(list, row);
        Click(app.Controls("Button")[1]);
        EXPECT_TRUE(WaitUntil([&] { return DosTarget(cleanup.letter).empty(); }));
        ASSERT_TRUE(app.QuitWithAltQ());
    }
    EXPECT_EQ(dist.ReadIni("drivesubst.Auto", std::string(1, cleanup.letter)), "");

    TAppSession restore(dist, "drivesubst /AUTO", false);
    EXPECT_TRUE(restore.WaitForExit());
    EXPECT_EQ(DosTarget(cleanup.saved), target);
    EXPECT_EQ(DosTarget(cleanup.letter), "");
}
