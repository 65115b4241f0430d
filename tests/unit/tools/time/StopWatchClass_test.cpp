#include "tools/time/StopWatchClass.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(StopWatch, ElapsedTimesFormatWithTheLargestUnitTheyReach) {
    const std::pair<int64_t, const char*> cases[] = {{59999, "59.999"},
                                                     {61234, "01:01.234"},
                                                     {3600000, "01:00:00.000"},
                                                     {90061001, "1d 01:01:01.001"},
                                                     {-86400000, "-1d 00:00:00.000"}};
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(FormatElapsed(ms), text) << ms;
}

// Paused spans do not count, a stopped time stays, and pausing an idle or stopped timer changes nothing.
TEST(StopWatch, PauseSkipsItsSpanAndStopKeepsTheTime) {
    TFixedClock clock(0, 1000);
    TStopWatchCountUp up(clock);
    TStopWatchCountDown down(clock);
    up.TogglePause();
    clock.Advance(5000);
    up.TogglePause();
    EXPECT_EQ(up.State(), TStopWatch::kIdle);
    EXPECT_EQ(up.Elapsed(), 0);
    up.Start();
    down.Start();
    clock.Advance(10000);
    up.TogglePause();
    EXPECT_EQ(up.State(), TStopWatch::kPaused);
    clock.Advance(10000);
    up.TogglePause();
    clock.Advance(5000);
    EXPECT_EQ(up.Elapsed(), 15000);
    up.Stop();
    clock.Advance(335000);
    down.Stop();
    up.TogglePause();
    clock.Advance(15000);
    EXPECT_EQ(up.State(), TStopWatch::kIdle);
    EXPECT_EQ(up.Elapsed(), 15000);
    EXPECT_EQ(FormatElapsed(down.Elapsed()), "-01:00.000");  // five minutes stopped after six
}

TEST(StopWatch, TypedDigitsMakeSecondsMinutesAndHoursFromTheRight) {
    const struct {
        const char* keys;  // '.' the keypad point, ' ' a pause of 1251 ms, '~' one of 1250 ms
        int64_t ms;        // after the last key; -1 when it did nothing
    } cases[] = {{"130", 90000},    {"99", 99000},    {"5.", 300000},    {"10000", 3600000},
                 {"1234567", 7000}, {"12 34", 34000}, {"12~34", 754000}, {"12345.", -1},
                 {".", -1},         {"1.1", 601000},  {"5.~3", 3003000}};
    for (const auto& c : cases) {
        TCountdownEntry entry;
        uint32_t tick = 5000, gap = 100;
        int64_t ms = 0;
        for (const char* key = c.keys; *key; ++key) {
            if (*key == ' ' || *key == '~') {
                gap = *key == ' ' ? 1251 : 1250;
                continue;
            }
            tick += std::exchange(gap, 100);
            ms = *key == '.' ? entry.TypePoint(tick) : entry.TypeDigit(*key, tick);
        }
        EXPECT_EQ(ms, c.ms) << c.keys;
    }
}
