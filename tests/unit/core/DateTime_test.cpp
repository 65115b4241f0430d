#include "core/DateTime.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Day numbers as spreadsheets and Delphi's TDateTime count them.
TEST(DayNumbers, CountFromTheEndOf1899AndDecodeBackToTheirDateAndTime) {
    // Dates worked out apart from the code; 1900 was no leap year.
    const std::pair<double, int> dates[] = {{0, 18991230},     {1, 18991231},      {59, 19000227},    {60, 19000228},
                                            {61, 19000301},    {36585, 20000229},  {36586, 20000301}, {46362, 20261206},
                                            {73050, 20991231}, {2958465, 99991231}};
    for (const auto& [day, date] : dates) {
        const TDateTimeParts p = DecodeDateTime(day);
        EXPECT_EQ(p.year * 10000 + p.month * 100 + p.day, date) << day;
        EXPECT_EQ(EncodeDate(date / 10000, date / 100 % 100, date % 100), day) << date;
    }
    // A fraction that rounds up to midnight gives the next day, before the epoch too.
    EXPECT_EQ(DecodeDateTime(-1.99999999999).day, 30);
    TDateTimeParts p = DecodeDateTime(EncodeDateTime(2015, 11, 8, 23, 59, 59, 999));
    EXPECT_EQ(std::vector<int>({p.year, p.month, p.day, p.hour, p.minute, p.second, p.millisecond}),
              std::vector<int>({2015, 11, 8, 23, 59, 59, 999}));
    p = DecodeDateTime(46362.0 + 0.99999999999);  // rounds up into the next day
    EXPECT_TRUE(p.day == 7 && p.hour == 0 && p.millisecond == 0);
}
