#include "core/BrowserOrder.h"

#include <gtest/gtest.h>

#include <map>

#include "core/KoIni.h"
#include "core/PrivateProfile.h"
#include "tests/unit/TempFileTest.h"

namespace {
std::string Keys(const TToolOrder& order, size_t count = kBrowserToolCount) {
    std::string keys;
    for (size_t i = 0; i < count; ++i)
        keys += std::string(i ? " " : "") + order[i]->Key;
    return keys;
}

TEST(LauncherOrder, TitlesCategoriesAndDatesSortAscendingAndKeepTiesInTheOrderBefore) {
    const TStatsReader neverRun = [](const TToolRecord&) { return TToolStats{}; };
    TToolOrder order = RegistryOrder();
    SortTools(order, 1, neverRun);
    EXPECT_EQ(Keys(order, 4), "calculator clipboard datecalc drivelister");
    SortTools(order, 2, neverRun);
    // Within a category the titles stay in the order the title sort left.
    EXPECT_EQ(Keys(order, 8), "netportlist pinger traceroute whois calculator numconvert numberinfo converter");
    SortTools(order, 3, neverRun);
    EXPECT_EQ(Keys(order, 3), "netportlist drivesubst numconvert");  // 13.02.13, 14.02.26, 15.01.12
    // The two of 15.11.06 come last, in registry order.
    EXPECT_EQ(Keys(order).substr(Keys(order).size() - 21), "converter drivelister");
}

TEST(LauncherOrder, StatisticsSortsPutTheBusiestAndRecentFirstAndNeverRunToolsKeepTheirOrder) {
    const std::map<std::string, TToolStats> byKey = {
        {"pinger", {5, 46000, 46300}}, {"whois", {9, 46100, 46200}}, {"calculator", {5, 45000, 46350}}};
    const TStatsReader stats = [&byKey](const TToolRecord& tool) {
        const auto it = byKey.find(tool.Key);
        return it == byKey.end() ? TToolStats{} : it->second;
    };
    TToolOrder order = RegistryOrder();
    SortTools(order, 4, stats);
    EXPECT_EQ(Keys(order, 4), "whois calculator pinger converter");
    SortTools(order, 5, stats);
    // Never run (0) comes first for "earliest first"; those keep the order left before.
    EXPECT_EQ(Keys(order, 2), "converter numconvert");
    EXPECT_EQ(Keys(order).substr(Keys(order).size() - 23), "calculator pinger whois");
}

TEST(LauncherExtraInfo, ToolsNeverRunShowNothingInTheStatisticsColumnsAndTimesSinceChangeUnitAtTheirLimits) {
    const TToolRecord& calc = ToolRecord(kCalculatorIndex);
    const TToolStats never;
    const TToolStats ran{12, 46362.5, 46362.75};
    std::string texts;
    for (int info = 0; info <= 6; ++info)
        texts += ExtraInfoText(info, calc, never, 46362) + "|" + ExtraInfoText(info, calc, ran, 46363) + "\n";
    EXPECT_EQ(texts, "|\nNumber|Number\n15.10.29|15.10.29\n|12\n|26.12.06 12:00\n|26.12.06 18:00\n|6.00 hrs\n");
    texts.clear();
    for (const double days : {99.0 / 86400, 100.0 / 86400, 1.0 / 24, 3.0, 3.5})
        texts += TimeSinceText(days) + "|";
    EXPECT_EQ(texts, "99.00 sec|1.67 min|60.00 min|72.00 hrs|3.50 day|");
}

using LauncherStats = TTempFileTest;

TEST_F(LauncherStats, TimesOutsideTheCalendarCountAsAbsent) {
    Put("[calculator]\r\nTotalRunCount=3\r\nFirstRunTime=1e300\r\nLastRunTime=46000.5\r\n"
        "[converter]\r\nFirstRunTime=-693594\r\nLastRunTime=2958465.99\r\n");
    TPortableProfile profile;
    TKoIni ini(file_, profile);
    const TToolStats calc = ReadToolStats(ini, ToolRecord(kCalculatorIndex));
    EXPECT_TRUE(calc.runCount == 3 && calc.firstRun == 0 && calc.lastRun == 46000.5);
    EXPECT_EQ(ReadToolStats(ini, ToolRecord(kUnitConverterIndex)).firstRun, 0);  // a day before 0001-01-01
}
}  // namespace
