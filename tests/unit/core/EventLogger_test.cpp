#include "core/EventLogger.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/Locale.h"
#include "tests/unit/TempFileTest.h"

namespace {

class EventLogTest : public TTempFileTest {
  protected:
    EventLogTest() { SetAppClock(&clock_); }
    ~EventLogTest() override {
        SetAppClock(nullptr);
        SetAppLocale(nullptr);
    }
    void AdvanceSeconds(int seconds) { clock_.Advance(static_cast<uint64_t>(seconds) * 1000); }

    TFixedClock clock_{EncodeDateTime(2007, 11, 15, 9, 5, 3, 0)};
    TEventLog log_;
};

TEST_F(EventLogTest, EntriesAreStampedLevelledInEightBitsAndTransientOnesShareOneLine) {
    log_.BaseLevel = 2;
    EXPECT_EQ(log_.Add("first", 0x123456, 7, 0x100, 1), 0);
    const TLogEvent& first = log_.Entry(0);
    EXPECT_TRUE(first.Level == 3 && first.Color == 0x123456u && first.Data == 7u && first.Flags == 0x100u);
    EXPECT_EQ(log_.Add("waiting 1", 0, 0, kLogTransient, -3), 1);
    AdvanceSeconds(1);
    EXPECT_EQ(log_.Add("waiting 2", 0xFF, 0, kLogTransient, -3), 1);
    EXPECT_TRUE(log_.Entry(1).Text == "waiting 2" && log_.Entry(1).Color == 0xFFu && log_.Entry(1).Level == 255);
    EXPECT_EQ(log_.Add("done"), 2);
    EXPECT_EQ(log_.Add("waiting 3", 0, 0, kLogTransient), 3);
}

TEST_F(EventLogTest, ElapsedCountsFromTheLastTimingMarkBeforeTheEntry) {
    for (const auto& [seconds, flags] : {std::pair{0, 0u}, {10, 0u}, {10, kLogTimingMark}, {5, 0u}, {5, 0u}}) {
        AdvanceSeconds(seconds);
        log_.Add("entry", 0, 0, flags);
    }
    const int expected[] = {0, 10, 20, 5, 10};  // the mark itself counts from before it
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(log_.Elapsed(i) * 86400, expected[i], 1e-4) << i;
}

TEST_F(EventLogTest, SavedLinesAreStampedWithTheLocalesSeparatorsIndentedByLevelAndClosedByAnEmptyLine) {
    log_.Add("one");
    AdvanceSeconds(62);
    log_.Add("two", 0, 0, 0, 2);
    ASSERT_TRUE(log_.SaveToFile(file_, false, false));
    ASSERT_TRUE(log_.SaveToFile(file_, true, true));
    EXPECT_EQ(Bytes(), "one\r\n\t\ttwo\r\n\r\n[07-11-15 09:05:03] one\r\n[07-11-15 09:06:05] \t\ttwo\r\n\r\n");
    class TDottedLocale : public TFixedLocale {
        char TimeSeparator() const override { return '.'; }
    } dotted;
    SetAppLocale(&dotted);
    ASSERT_TRUE(log_.SaveToFile(file_, true, false));
    EXPECT_EQ(Bytes(), "[07-11-15 09.05.03] one\r\n[07-11-15 09.06.05] \t\ttwo\r\n\r\n");
    EXPECT_FALSE(log_.SaveToFile((std::filesystem::path(file_) / "no" / "such.log").string(), false, false));
}

}  // namespace
