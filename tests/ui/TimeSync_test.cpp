#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "tests/ui/AppSession.h"

// Against the fixture's chronyd -x on 127.0.0.1:11123: "auto" synchronises and closes, and the clock (a recorder
// the environment asks for: this machine's clock is never set) gets a time within 50 ms of this machine's. The
// window shows the exchange's lines and refuses a second one within 4 seconds.
TEST(TimeSync, AutoSetsTheRecordedClockFromChronyAndTheWindowShowsTheExchange) {
    TDistCopy dist("timesync");
    const std::string record = dist.Folder() + "clock-set.txt";
    ASSERT_TRUE(SetEnvironmentVariableA("DD_CLOCK_RECORD", record.c_str()));
    dist.WriteIni("timesync", "last_server", "127.0.0.1:11123");
    {
        TAppSession app(dist, "timesync AUTO", false);
        EXPECT_TRUE(app.WaitForExit(20000));
    }
    double asked = 0, now = 0;
    std::ifstream(record) >> asked >> now;
    ASSERT_GT(asked, 40000) << "nothing recorded";
    EXPECT_LT(std::fabs(asked - now) * 86400000.0, 50.0);

    TAppSession app(dist, "timesync");
    const HWND list = app.Control("ListBox");
    Click(app.Control("Button"));
    std::vector<std::string> rows;
    EXPECT_TRUE(
        WaitUntil([&] { return !(rows = ListBoxRows(list)).empty() && rows.back() == "Connection terminated"; }));
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Local time successfully synchronised with server"), rows.end());
    SaveScreenshot(app.Window(), "time-sync");
    Click(app.Control("Button"));
    const HWND refusal = WaitForWindowTitled("Time Synchroniser");
    ASSERT_TRUE(refusal);
    EXPECT_TRUE(Holds(ControlText(GetDlgItem(refusal, 0xFFFF)), "Cannot synchronize time so soon after"));
    PostMessageA(refusal, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(app.QuitWithAltQ());
}
