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

struct TStatsTable {
    std::map<std::string, TToolStats> byKey;
    TStatsReader Reader() const {
        return [this](const TToolRecord& tool) {
            const auto it = byKey.find(tool.Key);
            return it == byKey.end() ? TToolStats{} : it->second;
        };
    }
};

TEST(LauncherOrder, TitlesAndCategoriesSortIgnoringCaseAndKeepTiesInPlace) {
    TStatsTable none;
    TToolOrder order = RegistryOrder();
    SortTools(order, 1, none.Reader());
    EXPECT_EQ(Keys(order, 4), "calculator clipboard datecalc drivelister");
    EXPECT_EQ(order[16]->Key, std::string("whois"));
    SortTools(order, 2, none.Reader());
    // Within a category the titles stay in the order the title sort left.
    EXPECT_EQ(Keys(order, 8), "netportlist pinger traceroute whois calculator numconvert numberinfo converter");
    SortTools(order, 0, none.Reader());
    EXPECT_EQ(Keys(order), Keys(RegistryOrder()));
}

TEST(LauncherOrder, UpdatedSortsOldestFirstByYearMonthAndDay) {
    TStatsTable none;
    TToolOrder order = RegistryOrder();
    SortTools(order, 3, none.Reader());
    EXPECT_EQ(Keys(order, 3), "netportlist drivesubst numconvert");  // 13.02.13, 14.02.26, 15.01.12
    // The two of 15.11.06 come last, in registry order.
    EXPECT_EQ(Keys(order).substr(Keys(order).size() - 21), "converter drivelister");
}

TEST(LauncherOrder, StatisticsSortsPutTheBusiestAndRecentFirstAndNeverRunToolsKeepTheirOrder) {
    TStatsTable stats;
    stats.byKey["pinger"] = {5, 46000, 46300};
    stats.byKey["whois"] = {9, 46100, 46200};
    stats.byKey["calculator"] = {5, 45000, 46350};
    TToolOrder order = RegistryOrder();
    SortTools(order, 4, stats.Reader());
    EXPECT_EQ(Keys(order, 4), "whois calculator pinger converter");
    SortTools(order, 6, stats.Reader());
    EXPECT_EQ(Keys(order, 4), "calculator pinger whois converter");
    SortTools(order, 5, stats.Reader());
    // Never run (0) comes first for "earliest first"; those keep the order left before.
    EXPECT_EQ(Keys(order, 2), "converter numconvert");
    EXPECT_EQ(Keys(order).substr(Keys(order).size() - 23), "calculator pinger whois");
}

TEST(LauncherExtraInfo, TimeSinceTheLastRunChangesUnitAtItsLimits) {
    EXPECT_EQ(TimeSinceText(99.0 / 86400), "99.00 sec");
    EXPECT_EQ(TimeSinceText(100.0 / 86400), "1.67 min");
    EXPECT_EQ(TimeSinceText(1.0 / 24), "60.00 min");
    EXPECT_EQ(TimeSinceText(3.0), "72.00 hrs");
    EXPECT_EQ(TimeSinceText(3.5), "3.50 day");
}

TEST(LauncherExtraInfo, ToolsNeverRunShowNothingInTheStatisticsColumns) {
    const TToolRecord& calc = ToolRecord(kCalculatorIndex);
    const TToolStats never;
    for (int info = 3; info <= 6; ++info)
        EXPECT_EQ(ExtraInfoText(info, calc, never, 46362), "") << info;
    EXPECT_EQ(ExtraInfoText(0, calc, never, 46362), "");
    EXPECT_EQ(ExtraInfoText(1, calc, never, 46362), "Number");
    EXPECT_EQ(ExtraInfoText(2, calc, never, 46362), "15.10.29");
    const TToolStats ran{12, 46362.5, 46362.75};
    EXPECT_EQ(ExtraInfoText(3, calc, ran, 46363), "12");
    EXPECT_EQ(ExtraInfoText(4, calc, ran, 46363), "26.12.06 12:00");
    EXPECT_EQ(ExtraInfoText(5, calc, ran, 46363), "26.12.06 18:00");
    EXPECT_EQ(ExtraInfoText(6, calc, ran, 46363), "6.00 hrs");
}
class LauncherStats : public TTempFileTest {};

TEST_F(LauncherStats, TimesOutsideTheCalendarCountAsAbsent) {
    Put("[calculator]\r\nTotalRunCount=3\r\nFirstRunTime=1e300\r\nLastRunTime=46000.5\r\n"
        "[converter]\r\nFirstRunTime=-693594\r\nLastRunTime=2958465.99\r\n");
    TPortableProfile profile;
    TKoIni ini(file_, profile);
    const TToolStats calc = ReadToolStats(ini, ToolRecord(kCalculatorIndex));
    EXPECT_EQ(calc.runCount, 3);
    EXPECT_EQ(calc.firstRun, 0);
    EXPECT_EQ(ExtraInfoText(4, ToolRecord(kCalculatorIndex), calc, 46001), "");
    EXPECT_EQ(ExtraInfoText(5, ToolRecord(kCalculatorIndex), calc, 46001), "25.12.09 12:00");
    const TToolStats converter = ReadToolStats(ini, ToolRecord(kUnitConverterIndex));
    EXPECT_EQ(converter.firstRun, 0);  // a day before 0001-01-01
    EXPECT_EQ(ExtraInfoText(5, ToolRecord(kUnitConverterIndex), converter, 0), "99.12.31 23:45");
}
}  // namespace
