#include "core/DateTime.h"

#include <gtest/gtest.h>

#include <vector>

// Day numbers as spreadsheets and Delphi's TDateTime count them.
TEST(DayNumbers, CountFromTheEndOf1899AndDecodeBackToTheirDateAndTime) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
    for (double day : {0.0, 1.0, 59.0, 60.0, 61.0, 36585.0, 36586.0, 46362.0, 73050.0, 2958465.0}) {
        const TDateTimeParts p = DecodeDateTime(day);
        EXPECT_EQ(EncodeDate(p.year, p.month, p.day), day);
    }
    TDateTimeParts p = DecodeDateTime(EncodeDateTime(2015, 11, 8, 23, 59, 59, 999));
    EXPECT_EQ(std::vector<int>({p.year, p.month, p.day, p.hour, p.minute, p.second, p.millisecond}),
              std::vector<int>({2015, 11, 8, 23, 59, 59, 999}));
    p = DecodeDateTime(46362.0 + 0.99999999999);  // rounds up into the next day
    EXPECT_TRUE(p.day == 7 && p.hour == 0 && p.millisecond == 0);
}
