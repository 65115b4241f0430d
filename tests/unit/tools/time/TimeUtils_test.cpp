// Day numbers against dates.tsv, whose facts were worked out apart from the program (make_dates.py): the
// calendar fields, the DOS and FileTime forms, and the Unix time of the date as local time in four time zones.
#include "tools/time/TimeUtils.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <utility>
#include <vector>

TEST(TimeUtils, DayNumbersGiveTheCalendarFactsAndStoredFormsWorkedOutApart) {
    std::ifstream file(DD_SOURCE_DIR "/tests/unit/tools/time/dates.tsv");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    }
    ASSERT_GE(lines.size(), 300u) << "dates.tsv missing or short";
    std::vector<std::string> got(lines.size());
    // The C library reads its zone from TZ: each zone of the table in turn, then the machine's own again.
    const bool hadZone = std::getenv("TZ") != nullptr;
    const std::string savedZone = hadZone ? std::getenv("TZ") : "";
    for (const char* zone : {"UTC", "Europe/Berlin", "America/New_York", "Asia/Kolkata"}) {
        setenv("TZ", zone, 1);
        tzset();
        for (size_t row = 0; row < lines.size(); ++row) {
            const std::string day = lines[row].substr(0, lines[row].find('\t'));
            const TDateInfo i = DecodeDateInfo(std::strtod(day.c_str(), nullptr));
            char text[160];
            if (got[row].empty()) {
                std::snprintf(text, sizeof text, "%s\t%04d-%02d-%02d %02d:%02d:%02d.%03d\t%d\t%d\t%d\t%d\t%d\t%u\t%lld",
                              day.c_str(), i.Year, i.Month, i.Day, i.Hour, i.Minute, i.Second, i.MilliSecond,
                              i.IsLeapYear, i.DayOfYear, i.DayOfWeek, i.WeekIndex, i.DaysInMonth, i.DosDate,
                              static_cast<long long>(i.FileTime));
                got[row] = text;
            }
            got[row] += "\t" + (i.HasUnixTime ? std::to_string(i.UnixTime) : "n/a");
        }
    }
    hadZone ? setenv("TZ", savedZone.c_str(), 1) : unsetenv("TZ");
    tzset();
    for (size_t row = 0; row < lines.size(); ++row)
        EXPECT_EQ(got[row], lines[row]);
}

TEST(TimeUtils, DurationsStartAtTheirLargestUnitAndKeepFourParts) {
    constexpr int64_t kDay = 86400000, kHour = 3600000;
    const std::pair<int64_t, const char*> cases[] = {{400 * kDay + 3 * kHour, "1y, 35d, 03h, 00m"},
                                                     {-2 * kHour, "-02h, 00m, 00s"},
                                                     {999, ""},
                                                     {kDay + 1000, "01d, 00h, 00m, 01s"}};
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(CountdownText(ms), text) << ms;
}

// The DOS form holds even seconds from 1980 to 2107; a packed value that names no date is refused.
TEST(TimeUtils, PackedDosDatesComeBackToTheirDay) {
    double day = 0;
    ASSERT_TRUE(UnpackDosDateTime(PackDosDateTime({2024, 2, 29, 23, 59, 58, 0}), day));
    EXPECT_EQ(day, EncodeDateTime(2024, 2, 29, 23, 59, 58, 0));
    EXPECT_FALSE(UnpackDosDateTime(PackDosDateTime({2023, 1, 1, 0, 0, 0, 0}) + (1u << 21) * 12, day));  // month 13
    EXPECT_FALSE(UnpackDosDateTime(0, day));
}
