#include "tools/time/DateCalcDisplayModes.h"

#include <gtest/gtest.h>

#include "tests/unit/TempFileTest.h"

namespace {
class TUtc : public ITimeZone {
  public:
    bool LocalToUnix(const TDateTimeParts& local, int64_t& seconds) const override {
        seconds = UtcPartsToUnix(local);
        return local.year >= 1601;
    }
    bool UnixToLocal(int64_t seconds, TDateTimeParts& local) const override {
        local = UnixToUtcParts(seconds);
        return true;
    }
};
const TUtc kUtc;
const TFixedLocale kLocale;
}  // namespace

// Values worked out by hand and with Python for 2024-03-01 12:30 (a Friday of a leap year).
TEST(DateCalcModes, StatsRowsInDecimalAndHexAndTheirLimits) {
    const double date = EncodeDateTime(2024, 3, 1, 12, 30, 0, 0);
    TStatsInput in{date, EncodeDate(2024, 1, 1), EncodeDate(2024, 3, 2), false};
    TDateCalcTexts v = StatsValues(in, kLocale, kUtc);
    EXPECT_EQ(v, (TDateCalcTexts{"Friday", "March", "true", "31", "61", "9", "305", "-0.5", "", "2024 Jan 01", "60.5",
                                 "-61.0", "", "12:30:00.000", "45352.5208333333", "1482777536", "1709296200",
                                 "31091668", "761910272"}));
    EXPECT_EQ(StatsCopyText(v, 2), "Leap Year: true");
    EXPECT_EQ(StatsCopyText(v, 8), "");
    in.Hex = true;
    v = StatsValues(in, kLocale, kUtc);
    EXPECT_EQ(v[15] + v[16] + v[17] + v[18], "0x586163C00x65E1CA480x01DA6BD40x2D69D400");
    in.Date = EncodeDate(1979, 12, 31);  // no time part, before DOS dates
    v = StatsValues(in, kLocale, kUtc);
    EXPECT_EQ(v[13] + v[15], "n/an/a");
    in.Date = EncodeDateTime(1601, 1, 1, 12, 0, 0, 0);  // below the day number of its midnight
    EXPECT_NE(StatsValues(in, kLocale, kUtc)[17], "n/a");
    in.Date = EncodeDate(1600, 12, 31);
    v = StatsValues(in, kLocale, kUtc);
    EXPECT_EQ(v[16] + v[17] + v[18], "n/an/an/a");
}

TEST(DateCalcModes, MonthStepsCutTheDayToTheNewMonthAndCrossYears) {
    const struct {
        double from;
        int step;
        double to;
    } cases[] = {{EncodeDateTime(2023, 1, 31, 6, 0, 0, 0), 1, EncodeDateTime(2023, 2, 28, 6, 0, 0, 0)},
                 {EncodeDate(2024, 1, 31), 1, EncodeDate(2024, 2, 29)},
                 {EncodeDate(2024, 1, 15), -1, EncodeDate(2023, 12, 15)},
                 {EncodeDate(2023, 12, 31), 1, EncodeDate(2024, 1, 31)},
                 {EncodeDate(9999, 12, 1), 1, EncodeDate(9999, 12, 1)}};
    for (const auto& c : cases)
        EXPECT_EQ(StepMonth(c.from, c.step), c.to) << c.from;
    EXPECT_EQ(UtcPartsToUnix(UnixToUtcParts(-1)), -1);
    EXPECT_EQ(UnixToUtcParts(INT64_MIN).year, 0);  // far outside the calendar, and no overflow on the way
}

TEST(DateCalcModes, AWednesdayEveningIsThreeSeventhsIntoItsWeek) {
    const auto entries = TimePercentages(EncodeDateTime(2024, 5, 15, 18, 0, 0, 0));
    EXPECT_NEAR(entries[2].Fraction * 100, 39.2857, 5e-5);
    EXPECT_EQ(entries[3].Fraction, 0.75);
    EXPECT_EQ(entries[0].Value, 2024);
}

TEST(DateCalcModes, DatesAndTimesReadInTheLocalesOrder) {
    class TDayFirst : public TFixedLocale {
        const char* DateOrder() const override { return "DMY"; }
    } dayFirst;
    const struct {
        const char* text;
        const ILocale& locale;
        double expected;  // 0: refused
    } cases[] = {{"2024/05/01 13:00:00", kLocale, EncodeDateTime(2024, 5, 1, 13, 0, 0, 0)},
                 {"2024-01-01 10:30:15.250", dayFirst, EncodeDateTime(2024, 1, 1, 10, 30, 15, 250)},
                 {"1.5.2024 1:05 pm", dayFirst, EncodeDateTime(2024, 5, 1, 13, 5, 0, 0)},
                 {"12/31/99", dayFirst, 0},
                 {"31/12/99 12 am", dayFirst, EncodeDate(1999, 12, 31)},
                 {"2023/02/29", kLocale, 0},
                 {"2024/01/01 24:00", kLocale, 0},
                 {"2024/01/01 soon", kLocale, 0},
                 {"2020/1/1 1:2:3.4:", kLocale, 0},
                 {"", kLocale, 0}};
    for (const auto& c : cases) {
        double date = 0;
        EXPECT_EQ(ParseDateTime(c.text, c.locale, date) ? date : 0, c.expected) << c.text;
    }
}

class DateCalcSlots : public TTempFileTest {};

// A slot with a date but no name is kept; a text that no longer reads keeps its slot without a date.
TEST_F(DateCalcSlots, SlotsSurviveSavingAndLoadingAndSwapOnlyWithinTheList) {
    TKoIni ini(file_);
    TCountdownSlots slots;
    slots[0] = {"Launch", "2030/01/01", EncodeDate(2030, 1, 1)};
    slots[3] = {"", "2031/06/15 08:00", EncodeDateTime(2031, 6, 15, 8, 0, 0, 0)};
    slots[5] = {"Name only", "", 0};
    slots.Save(ini, "datecalc.CountDown");
    ini.WriteString("datecalc.CountDown", "7", "Odd\tnext tuesday");
    TCountdownSlots loaded;
    loaded.Load(ini, "datecalc.CountDown", kLocale);
    EXPECT_EQ(loaded[0].Name + "|" + loaded[3].DateText + "|" + loaded[5].Name + "|" + loaded[7].Name,
              "Launch|2031/06/15 08:00||Odd");
    EXPECT_EQ(loaded[3].Date, slots[3].Date);
    EXPECT_EQ(loaded[7].Date, 0);
    EXPECT_TRUE(loaded.Swap(0, 1));
    EXPECT_FALSE(loaded.Swap(18, 19));
    EXPECT_EQ(loaded[1].Name, "Launch");
    EXPECT_EQ(loaded.RowText(1, EncodeDate(2030, 1, 1) - 90 / 86400.0), "01m, 30s");
}
