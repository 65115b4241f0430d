#include <gtest/gtest.h>

#include <fstream>

#include "tests/ui/AppSession.h"
#include "tests/unit/tools/storage/SmartTestDrives.h"

// Win32 structures are set up with designated initializers; the fields not named are zero.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {
std::vector<std::string> TabCaptions(const TAppSession& app, HWND tabs) {
    std::vector<std::string> captions;
    for (int i = 0; i < static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)); ++i)
        captions.push_back(app.ItemText(tabs, TCM_GETITEMA, i, TCITEMA{.mask = TCIF_TEXT}));
    return captions;
}

std::string MessageText(HWND box) {
    return ControlText(GetDlgItem(box, 0xFFFF));
}

void Dismiss(HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
}

}  // namespace

// Wine offers no SMART drive: the message says so, and the window goes on answering keys once it is dismissed.
TEST(SmartReader, WithoutDrivesSaysSoAndStaysUsable) {
    SetEnvironmentVariableA("DD_SMART_REPLAY", nullptr);
    TDistCopy dist("smartreader-none");
    TAppSession app(dist, "smartreader");
    const HWND box = WaitForWindowTitled("SMART Reader");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageText(box), "Unable to find any physical drives which supports S.M.A.R.T.");
    SaveScreenshot(box, "smart-reader-no-drives");
    Dismiss(box);
    app.PressKey(VK_F1);
    const HWND log = WaitForWindowTitled("SMART Reader Error Log");
    ASSERT_TRUE(log);
    EXPECT_TRUE(Holds(MessageText(log), "- Could not find any S.M.A.R.T. supporting drives.: 0x")) << MessageText(log);
    Dismiss(log);
    EXPECT_TRUE(app.QuitWithAltQ());
}

// Recorded drives: 0 through the SMART interface, 1 answering nothing, 2 only through SCSI, 3 only through ATA
// pass-through, 4 failing, 5 with pages that disagree. Four tabs, each with its drive's rows and panels.
TEST(SmartReader, ShowsATabPerDriveWithItsAttributes) {
    TDistCopy dist("smartreader");
    std::vector<TTestAttribute> swapped = kHardDisk;
    std::swap(swapped[0], swapped[1]);
    const std::string replay = dist.Folder() + "drives.txt";
    std::ofstream(replay) << ReplayDrive(0, "smart", "WDC WD10EZEX-08WN4A0", kHardDisk)
                          << ReplayDrive(1, "none", "Nobody", {})
                          << ReplayDrive(2, "scsi", "Samsung SSD 860 EVO 500GB", kSsd)
                          << ReplayDrive(3, "ata", "ST2000DM008-2FR102", kTemperatureDisk)
                          << ReplayDrive(4, "smart", "ST3500418AS", kFailingDisk)
                          << ReplayDrive(5, "smart", "Mismatch", kHardDisk, ThresholdPage(swapped));
    SetEnvironmentVariableA("DD_SMART_REPLAY", replay.c_str());
    dist.WriteIni("smartreader", "selected_attribute_index", "9");
    TAppSession app(dist, "smartreader");
    SetEnvironmentVariableA("DD_SMART_REPLAY", nullptr);
    const HWND tabs = app.Control(WC_TABCONTROLA);
    const HWND list = app.Control(WC_LISTVIEWA);
    const HWND status = app.Control(STATUSCLASSNAMEA);
    ASSERT_TRUE(tabs && list && status);
    const std::vector<std::string> expected = {"WDC WD10EZEX-08WN4A0", "Samsung SSD 860 EVO 500GB",
                                               "ST2000DM008-2FR102", "ST3500418AS"};
    ASSERT_TRUE(WaitUntil([&] { return TabCaptions(app, tabs).size() == 4; }));
    EXPECT_EQ(TabCaptions(app, tabs), expected);
    const std::vector<int> all = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::vector<std::string> rows = app.ListViewRows(list, all);
    ASSERT_EQ(rows.size(), kHardDisk.size());
    EXPECT_EQ(rows[1], "Spin-Up Time\t003\t03\t4,425 ms\t171\t169\t21\t$1149\t100111\t");
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 5) << "id 9 selected";
    EXPECT_EQ(app.StatusPanel(status, 0), "S/N: SN0");
    EXPECT_EQ(app.StatusPanel(status, 1), "Firmware Revision: FW00");
    EXPECT_TRUE(Holds(app.StatusPanel(status, 2), "Query Time: ")) << app.StatusPanel(status, 2);
    SaveScreenshot(app.Window(), "smart-reader");

    app.PressKey('2');  // drive 2, read again
    EXPECT_TRUE(WaitUntil([&] { return app.StatusPanel(status, 0) == "S/N: SN2222"; }));
    rows = app.ListViewRows(list, all);
    ASSERT_EQ(rows.size(), kSsd.size());
    app.PressKey('5');  // no fifth tab
    EXPECT_EQ(app.StatusPanel(status, 0), "S/N: SN2222");
    app.PressKey('4');
    EXPECT_TRUE(WaitUntil([&] { return app.StatusPanel(status, 0) == "S/N: SN4444"; }));
    SaveScreenshot(app.Window(), "smart-reader-failing");
    ASSERT_TRUE(app.QuitWithAltQ());
    EXPECT_EQ(dist.ReadIni("smartreader", "active_drive_index"), "3");
}
