#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/AppSession.h"

namespace {
bool HasRow(const std::vector<std::string>& rows, const std::string& start) {
    return std::any_of(rows.begin(), rows.end(), [&](const std::string& row) { return row.starts_with(start); });
}

std::vector<std::string> TraceTo(TAppSession& app, const std::string& destination, const std::string& last) {
    SetControlText(app.Controls("Edit")[0], destination);
    Click(app.Control("Button"));
    std::vector<std::string> rows;
    WaitUntil([&] { return HasRow(rows = ListBoxRows(app.Control("ListBox")), last); }, 20000);
    return rows;
}
}  // namespace

// Loopback is one hop away; F8 sets the hop limit, Escape empties the list, the destination goes into the history.
TEST(TraceRoute, TracesLoopbackAndKeepsTheSettings) {
    TDistCopy dist("traceroute");
    {
        TAppSession app(dist, "traceroute");
        const std::vector<std::string> rows = TraceTo(app, "127.0.0.1", "Destination reached with 1 hops");
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0], "Tracing 127.0.0.1, packet size = 32 bytes, max hops = 30, timeout = 1000 ms");
        EXPECT_TRUE(rows[1].starts_with("#01\t127.0.0.1\t")) << rows[1];
        EXPECT_EQ(AnswerInputBox([&] { app.TypeKey(VK_F8); }, "5"),
                  "Enter the new maximum trace hop value... (default = 30)");
        app.PressKey(VK_ESCAPE);
        EXPECT_EQ(ListBoxRows(app.Control("ListBox")).size(), 0u);
        ASSERT_TRUE(app.QuitWithAltQ());
    }
    EXPECT_EQ(dist.ReadIni("traceroute", "max_hops"), "5");
    EXPECT_EQ(dist.ReadIni("traceroute", "LastServer"), "127.0.0.1");
    EXPECT_EQ(dist.ReadIni("traceroute.RecentServers", "0"), "127.0.0.1");
}

// Run inside the client namespace of tests/trace_namespaces.sh: each router answers at its hop, an unknown name is
// told, the hop limit stops a trace, and a close during a long wait for a silent hop ends the program at once.
TEST(TraceRouteNetns, TracesHopByHopThroughTwoRouters) {
    TDistCopy dist("traceroute-netns");
    TAppSession app(dist, "traceroute");
    std::vector<std::string> rows = TraceTo(app, "10.201.3.2", "Destination reached with 3 hops");
    for (const char* hop : {"#01\t10.201.1.1\t", "#02\t10.201.2.2\t", "#03\t10.201.3.2\t"})
        EXPECT_TRUE(HasRow(rows, hop)) << hop;
    SaveScreenshot(app.Window(), "trace-route");
    rows = TraceTo(app, "unknown.invalid", "Unable to find server");
    EXPECT_TRUE(HasRow(rows, "Unable to find server"));

    // 10.201.3.3 has no host: the last router gives up on it only after its address look-up times out.
    SetControlText(app.Controls("Edit")[1], "128000");
    rows = TraceTo(app, "10.201.3.3", "#02\t");
    ASSERT_TRUE(HasRow(rows, "#02\t10.201.2.2\t"));
    Sleep(300);
    const DWORD start = GetTickCount();
    EXPECT_TRUE(app.QuitWithAltQ());
    EXPECT_LT(GetTickCount() - start, 5000u) << "the close waited for the silent hop";
}
