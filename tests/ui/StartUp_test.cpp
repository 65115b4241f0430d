#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/AppSession.h"

namespace {
struct TStartCase {
    const char* arguments;
    const char* caption;
};

// The caption is the chosen record's title and its version date.
const TStartCase kStartCases[] = {
    {"", "Korvo Utilities 15.11.08"},
    {"7", "Date Calculator 15.10.20"},
    {"calc", "Calculator 15.10.29"},
    {"Whois", "Whois Query 15.02.07"},
    {"query", "Whois Query 15.02.07"},
    {"256", "Calculator 15.10.29"},
    {"255", "Korvo Utilities 15.11.08"},
    {"e", "Config Editor 15.11.08"},
    {"-2", "Config Editor 15.11.08"},
    {"-3", "Korvo Utilities 15.11.08"},
    {"\"Network Port List\"", "Network Port List 13.02.13"},
    {"\"\xA4\xFF\x01 ~!@#$%^&*()\"", "Korvo Utilities 15.11.08"},
};

TEST(StartUp, FirstArgumentChoosesTheWindowAndAltQClosesIt) {
    TDistCopy dist("startup-arguments");
    for (const TStartCase& c : kStartCases) {
        SCOPED_TRACE(c.arguments);
        TAppSession app(dist, c.arguments);
        ASSERT_NE(app.WaitForWindow(), nullptr);
        EXPECT_EQ(app.Caption(), c.caption);
        app.PressKey('Q', true);
        EXPECT_TRUE(app.WaitForExit()) << "Alt+Q did not close the window";
    }
}

TEST(StartUp, AnArgumentOfThousandsOfCharactersOpensTheLauncher) {
    TDistCopy dist("startup-long-argument");
    TAppSession app(dist, std::string(20000, 'z'));
    ASSERT_NE(app.WaitForWindow(), nullptr);
    EXPECT_EQ(app.Caption(), "Korvo Utilities 15.11.08");
}

TEST(StartUp, ToolsWithoutBothDefaultSizesHaveAFixedBorder) {
    TDistCopy dist("startup-border");
    TAppSession fixed(dist, "\"Date Calculator\"");
    ASSERT_NE(fixed.WaitForWindow(), nullptr);
    EXPECT_FALSE(fixed.Style() & WS_THICKFRAME);
    EXPECT_FALSE(fixed.Style() & WS_MAXIMIZEBOX);
    TAppSession sizeable(dist, "Pinger");
    ASSERT_NE(sizeable.WaitForWindow(), nullptr);
    EXPECT_TRUE(sizeable.Style() & WS_THICKFRAME);
    EXPECT_TRUE(sizeable.Style() & WS_MAXIMIZEBOX);
}

TEST(StartUp, RunStatisticsCountEveryStartAndKeepTheFirstRunTime) {
    TDistCopy dist("startup-statistics");
    {
        TAppSession app(dist, "Pinger");
        ASSERT_NE(app.WaitForWindow(), nullptr);
    }
    const std::string first = dist.ReadIni("pinger", "FirstRunTime");
    ASSERT_FALSE(first.empty());
    EXPECT_GT(std::strtod(first.c_str(), nullptr), 46000.0);  // a day number after 2025
    EXPECT_EQ(dist.ReadIni("pinger", "TotalRunCount"), "1");
    EXPECT_EQ(dist.ReadIni("pinger", "LastRunTime"), first);
    Sleep(1100);
    {
        TAppSession app(dist, "14");
        ASSERT_NE(app.WaitForWindow(), nullptr);
    }
    EXPECT_EQ(dist.ReadIni("pinger", "FirstRunTime"), first);
    EXPECT_EQ(dist.ReadIni("pinger", "TotalRunCount"), "2");
    EXPECT_GT(std::strtod(dist.ReadIni("pinger", "LastRunTime").c_str(), nullptr), std::strtod(first.c_str(), nullptr));
    EXPECT_EQ(dist.ReadIni("browser", "TotalRunCount"), "");  // only the started tool counts
}
// Tools that start and close at the same moment all write the one INI file: no process may lose another's write.
TEST(StartUp, ToolsStartedAndClosedTogetherLoseNoWrite) {
    TDistCopy dist("startup-together");
    const char* const tools[] = {"calc", "2", "3", "7", "14"};
    const char* const sections[] = {"calculator", "numconvert", "numberinfo", "datecalc", "pinger"};
    constexpr int kRounds = 8;
    std::vector<std::string> firstRuns;
    for (int round = 1; round <= kRounds; ++round) {
        std::vector<std::unique_ptr<TAppSession>> apps;
        for (const char* tool : tools)
            apps.push_back(std::make_unique<TAppSession>(dist, tool));
        for (auto& app : apps)
            ASSERT_NE(app->WaitForWindow(), nullptr);
        for (auto& app : apps)
            PostMessageA(app->Window(), WM_CLOSE, 0, 0);
        for (auto& app : apps)
            ASSERT_TRUE(app->WaitForExit());
        for (size_t i = 0; i < std::size(sections); ++i) {
            const std::string first = dist.ReadIni(sections[i], "FirstRunTime");
            if (round == 1)
                firstRuns.push_back(first);
            else
                EXPECT_EQ(first, firstRuns[i]) << sections[i] << " round " << round;
        }
    }
    for (const char* section : sections)
        EXPECT_EQ(dist.ReadIni(section, "TotalRunCount"), std::to_string(kRounds)) << section;
}
}  // namespace
