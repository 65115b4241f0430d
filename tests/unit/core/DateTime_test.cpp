#include "core/DateTime.h"

#include <gtest/gtest.h>

namespace {
TEST(DayNumbers, CountFromTheEndOf1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
    EXPECT_EQ(EncodeDate(2026, 12, 6), 46362.0);
    EXPECT_DOUBLE_EQ(EncodeDateTime(2026, 12, 6, 12, 0, 0, 0), 46362.5);
}

TEST(DayNumbers, DecodeTheirDateAndTimeBack) {
    for (double day : {0.0, 1.0, 59.0, 60.0, 61.0, 36585.0, 36586.0, 46362.0, 73050.0, 2958465.0}) {
        const TDateTimeParts p = DecodeDateTime(day);
        EXPECT_EQ(EncodeDate(p.year, p.month, p.day), day);
    }
    const TDateTimeParts p = DecodeDateTime(EncodeDateTime(2015, 11, 8, 23, 59, 59, 999));
    EXPECT_EQ(p.year, 2015);
    EXPECT_EQ(p.month, 11);
    EXPECT_EQ(p.day, 8);
    EXPECT_EQ(p.hour, 23);
    EXPECT_EQ(p.minute, 59);
    EXPECT_EQ(p.second, 59);
    EXPECT_EQ(p.millisecond, 999);
    const TDateTimeParts rounded = DecodeDateTime(46362.0 + 0.99999999999);  // rounds up into the next day
    EXPECT_EQ(rounded.day, 7);
    EXPECT_EQ(rounded.hour, 0);
}
}  // namespace
