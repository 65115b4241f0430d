#include "core/EventLogger.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/Locale.h"
#include "tests/unit/TempFileTest.h"

namespace fs = std::filesystem;

namespace {

class EventLogTest : public TTempFileTest {
  protected:
    void SetUp() override {
        TTempFileTest::SetUp();
        SetAppClock(&clock_);
    }
    void TearDown() override {
        SetAppClock(nullptr);
        SetAppLocale(nullptr);
        TTempFileTest::TearDown();
    }
    void AdvanceSeconds(int seconds) { clock_.Advance(static_cast<uint64_t>(seconds) * 1000); }

    TFixedClock clock_{EncodeDateTime(2007, 11, 15, 9, 5, 3, 0)};
    TEventLog log_;
};

TEST_F(EventLogTest, AddStampsTheEntryAndAddsTheBaseLevel) {
    log_.BaseLevel = 2;
    EXPECT_EQ(log_.Add("first", 0x123456, 7, 0x100, 1), 0);
    AdvanceSeconds(5);
    EXPECT_EQ(log_.Add("second", 0, 0, 0, -3), 1);
    const TLogEvent& first = log_.Entry(0);
    EXPECT_EQ(first.Text, "first");
    EXPECT_EQ(first.Level, 3);
    EXPECT_EQ(first.Color, 0x123456u);
    EXPECT_EQ(first.Data, 7u);
    EXPECT_EQ(first.Flags, 0x100u);
    EXPECT_DOUBLE_EQ(first.Time, EncodeDateTime(2007, 11, 15, 9, 5, 3, 0));
    // The level is 8 bits wide: 2 - 3 wraps.
    EXPECT_EQ(log_.Entry(1).Level, 255);
    EXPECT_GT(log_.Entry(1).Time, first.Time);
}

TEST_F(EventLogTest, TransientEntriesShareOneLineUntilANormalEntryFollows) {
    EXPECT_EQ(log_.Add("first", 0, 0, kLogTransient), 0);
    log_.Clear();
    log_.Add("normal");
    EXPECT_EQ(log_.Add("waiting 1", 0, 0, kLogTransient), 1);
    AdvanceSeconds(1);
    EXPECT_EQ(log_.Add("waiting 2", 0xFF, 0, kLogTransient), 1);
    ASSERT_EQ(log_.Count(), 2);
    EXPECT_EQ(log_.Entry(1).Text, "waiting 2");
    EXPECT_EQ(log_.Entry(1).Color, 0xFFu);
    EXPECT_DOUBLE_EQ(log_.Entry(1).Time, clock_.Now());
    EXPECT_EQ(log_.Add("done"), 2);
    EXPECT_EQ(log_.Entry(1).Text, "waiting 2");
    // A transient entry after a normal one starts a new line.
    EXPECT_EQ(log_.Add("waiting 3", 0, 0, kLogTransient), 3);
}

TEST_F(EventLogTest, StorageGrowsIn32EntryStepsAndClearReleasesIt) {
    EXPECT_EQ(log_.Capacity(), 0);
    log_.Add("a");
    EXPECT_EQ(log_.Capacity(), 32);
    for (int i = 1; i < 33; ++i)
        log_.Add("b");
    EXPECT_EQ(log_.Count(), 33);
    EXPECT_EQ(log_.Capacity(), 64);
    EXPECT_EQ(log_.Entry(32).Text, "b");
    log_.Clear();
    EXPECT_EQ(log_.Count(), 0);
    EXPECT_EQ(log_.Capacity(), 0);
}

TEST_F(EventLogTest, NewEntryIsZeroedEvenWhereAnEarlierEntryLived) {
    log_.Add("gone", 5, 6, 7, 8);
    log_.Clear();
    TLogEvent& entry = log_.NewEntry();
    EXPECT_EQ(log_.Count(), 1);
    EXPECT_EQ(entry.Time, 0);
    EXPECT_EQ(entry.Level, 0);
    EXPECT_EQ(entry.Color, 0u);
    EXPECT_EQ(entry.Flags, 0u);
    EXPECT_EQ(entry.Data, 0u);
    EXPECT_EQ(entry.Text, "");
}

TEST_F(EventLogTest, ElapsedCountsFromTheLastTimingMarkBeforeTheEntry) {
    log_.Add("start");  // 0 s
    AdvanceSeconds(10);
    log_.Add("step");  // 10 s
    AdvanceSeconds(10);
    log_.Add("mark", 0, 0, kLogTimingMark);  // 20 s
    AdvanceSeconds(5);
    log_.Add("after mark");  // 25 s
    AdvanceSeconds(5);
    log_.Add("later");  // 30 s
    constexpr double kSecond = 1.0 / 86400;
    EXPECT_EQ(log_.Elapsed(0), 0);
    EXPECT_NEAR(log_.Elapsed(1), 10 * kSecond, 1e-9);
    EXPECT_NEAR(log_.Elapsed(2), 20 * kSecond, 1e-9);  // the mark itself counts from before it
    EXPECT_NEAR(log_.Elapsed(3), 5 * kSecond, 1e-9);
    EXPECT_NEAR(log_.Elapsed(4), 10 * kSecond, 1e-9);
}

TEST_F(EventLogTest, SavedLinesAreIndentedByLevelAndClosedByAnEmptyLine) {
    log_.Add("top");
    log_.Add("inner", 0, 0, 0, 2);
    ASSERT_TRUE(log_.SaveToFile(file_, false, false));
    EXPECT_EQ(Bytes(), "top\r\n\t\tinner\r\n\r\n");
}

TEST_F(EventLogTest, SavingWithTimesPrefixesEachLineWithItsStamp) {
    SetAppLocale(nullptr);  // the fixed locale writes dates as yyyy-mm-dd
    log_.Add("one");
    AdvanceSeconds(62);
    log_.Add("two", 0, 0, 0, 1);
    ASSERT_TRUE(log_.SaveToFile(file_, true, false));
    EXPECT_EQ(Bytes(), "[07-11-15 09:05:03] one\r\n[07-11-15 09:06:05] \ttwo\r\n\r\n");
    EXPECT_EQ(LogTimeStamp(EncodeDateTime(1999, 12, 31, 23, 59, 59, 0), '.', '.'), "[99.12.31 23.59.59]");
}

TEST_F(EventLogTest, AppendingAddsABlockWhileReplacingStartsOver) {
    log_.Add("a");
    ASSERT_TRUE(log_.SaveToFile(file_, false, true));
    ASSERT_TRUE(log_.SaveToFile(file_, false, true));
    EXPECT_EQ(Bytes(), "a\r\n\r\na\r\n\r\n");
    ASSERT_TRUE(log_.SaveToFile(file_, false, false));
    EXPECT_EQ(Bytes(), "a\r\n\r\n");
}

TEST_F(EventLogTest, AnEmptyLogWritesNothing) {
    ASSERT_TRUE(log_.SaveToFile(file_, true, false));
    EXPECT_TRUE(fs::exists(file_));
    EXPECT_EQ(Bytes(), "");
    std::ofstream(file_, std::ios::binary) << "kept\r\n";
    ASSERT_TRUE(log_.SaveToFile(file_, true, true));
    EXPECT_EQ(Bytes(), "kept\r\n");
}

TEST_F(EventLogTest, AFileThatCannotBeOpenedIsLeftAlone) {
    log_.Add("a");
    EXPECT_FALSE(log_.SaveToFile((fs::path(file_) / "no" / "such.log").string(), false, false));
}

TEST_F(EventLogTest, StampsTakeTheirSeparatorsFromTheLocale) {
    class TDottedLocale : public TFixedLocale {
      public:
        std::string FormatShortDate(int year, int month, int day) const override {
            return std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year);
        }
        char TimeSeparator() const override { return '.'; }
    } dotted;
    SetAppLocale(&dotted);
    EXPECT_EQ(LocaleDateSeparator(), '.');
    log_.Add("one");
    ASSERT_TRUE(log_.SaveToFile(file_, true, false));
    EXPECT_EQ(Bytes(), "[07.11.15 09.05.03] one\r\n\r\n");
    SetAppLocale(nullptr);
    EXPECT_EQ(LocaleDateSeparator(), '-');
}

}  // namespace
