#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/AppSession.h"

namespace {
// Arguments and the caption they give: the chosen record's title and its version date (the converter's shows the
// value's bits).
const std::pair<std::string, const char*> kStartCases[] = {
    {"", "Korvo Utilities 15.11.08"},
    {"Whois", "Whois Query 15.02.07"},
    {"-2", "Config Editor 15.11.08"},
    {"\"Network Port List\"", "Network Port List 13.02.13"},
    {"\"Number Converter\" 255", "Number Converter - 8 bits"},  // the next argument is the start value
    {"\"\xA4\xFF\x01 ~!@#$%^&*()\"", "Korvo Utilities 15.11.08"},
    {std::string(20000, 'z'), "Korvo Utilities 15.11.08"},
};

TEST(StartUp, FirstArgumentChoosesTheWindowAndAltQClosesIt) {
    TDistCopy dist("startup-arguments");
    for (const auto& [arguments, caption] : kStartCases) {
        SCOPED_TRACE(arguments.substr(0, 30));
        TAppSession app(dist, arguments);
        EXPECT_EQ(app.Caption(), caption);
        EXPECT_TRUE(app.QuitWithAltQ()) << "Alt+Q did not close the window";
    }
}

// Tools that start and close at the same moment all write the one INI file: no process may lose another's write.
// Every start counts, and the first run time stays as the first start left it.
TEST(StartUp, ToolsStartedAndClosedTogetherLoseNoWrite) {
    TDistCopy dist("startup-together");
    const char* const tools[] = {"calc", "2", "3", "7", "14"};
    const char* const sections[] = {"calculator", "numconvert", "numberinfo", "datecalc", "pinger"};
    constexpr int kRounds = 8;
    std::vector<std::string> firstRuns;  // as the first round left them
    for (int round = 1; round <= kRounds; ++round) {
        std::vector<std::unique_ptr<TAppSession>> apps;
        for (const char* tool : tools)
            apps.push_back(std::make_unique<TAppSession>(dist, tool, false));
        for (auto& app : apps)
            ASSERT_NE(app->WaitForWindow(), nullptr);
        for (auto& app : apps)
            PostMessageA(app->Window(), WM_CLOSE, 0, 0);
        for (auto& app : apps)
            ASSERT_TRUE(app->WaitForExit());
        if (round == 1) {
            for (const char* section : sections)
                firstRuns.push_back(dist.ReadIni(section, "FirstRunTime"));
            EXPECT_GT(std::stod(firstRuns[0]), 46000.0);  // a day number after 2025
            Sleep(1100);                                  // for a later last run time
        }
    }
    EXPECT_GT(std::stod(dist.ReadIni("calculator", "LastRunTime")), std::stod(firstRuns[0]));
    EXPECT_EQ(dist.ReadIni("browser", "TotalRunCount"), "");  // only the started tools count
    for (size_t i = 0; i < std::size(sections); ++i) {
        EXPECT_EQ(dist.ReadIni(sections[i], "FirstRunTime"), firstRuns[i]) << sections[i];
        EXPECT_EQ(dist.ReadIni(sections[i], "TotalRunCount"), std::to_string(kRounds)) << sections[i];
    }
}
}  // namespace
