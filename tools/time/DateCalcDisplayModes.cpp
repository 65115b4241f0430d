#include "tools/time/DateCalcDisplayModes.h"

#include <cmath>
#include <utility>

#include "core/Format.h"

const char* const kStatsLabels[kDateCalcRows] = {"Day Name",
                                                 "Month Name",
                                                 "Leap Year",
                                                 "Days in Month",
                                                 "Day of Year Index",
                                                 "Week Index",
                                                 "Days Left of Year",
                                                 "Days from Today",
                                                 "-",
                                                 "Saved Date",
                                                 "Days from Date",
                                                 "Days from Today",
                                                 "-",
                                                 "Time Fraction",
                                                 "OLE Date",
                                                 "DOS Date",
                                                 "Unix Date",
                                                 "FileTime High",
                                                 "FileTime Low"};

namespace {
constexpr double kDosEpoch = 29221;         // 1980-01-01
constexpr double kFileTimeEpoch = -109205;  // 1601-01-01

std::string Days(double days) {
    return Format("%.1f", {days});
}

std::string Number(uint32_t value, bool hex) {
    return hex ? Format("0x%.8x", {value}) : Format("%u", {value});
}
}  // namespace

TDateCalcTexts StatsValues(const TStatsInput& in, const ILocale& locale, const ITimeZone& zone) {
    const TDateInfo i = DecodeDateInfo(in.Date, zone);
    const TDateTimeParts saved = DecodeDateTime(in.SavedDate);
    TDateCalcTexts v;
    v[0] = locale.LongDayName(i.DayOfWeek % 7);
    v[1] = locale.LongMonthName(i.Month);
    v[2] = i.IsLeapYear ? "true" : "false";
    v[3] = std::to_string(i.DaysInMonth);
    v[4] = std::to_string(i.DayOfYear);
    v[5] = std::to_string(i.WeekIndex);
    v[6] = std::to_string(365 + i.IsLeapYear - i.DayOfYear);
    v[7] = Days(in.Date - in.Now);
    v[9] = Format("%.4d %s %.2d", {saved.year, locale.ShortMonthName(saved.month), saved.day});
    v[10] = Days(in.Date - in.SavedDate);
    v[11] = Days(in.SavedDate - in.Now);
    v[13] = in.Date == std::trunc(in.Date) ? "n/a"
                                           : Format("%.2d:%.2d:%.2d.%.3d", {i.Hour, i.Minute, i.Second, i.MilliSecond});
    v[14] = FormatFloatGeneral(in.Date, 15, 0, locale.DecimalSeparator());
    v[15] = in.Date < kDosEpoch || i.DosDate == 0 ? "n/a" : Number(i.DosDate, in.Hex);
    // A date the time zone cannot convert (before 1601 on Windows) has no Unix time.
    v[16] = !i.HasUnixTime ? "n/a"
            : in.Hex       ? Format("0x%.8x", {static_cast<uint64_t>(i.UnixTime)})
                           : std::to_string(i.UnixTime);
    // By its calendar day: 1601-01-01 12:00 lies below the day number of that midnight.
    const bool beforeFileTimes = std::ceil(in.Date) < kFileTimeEpoch;
    const auto fileTime = static_cast<uint64_t>(i.FileTime);
    v[17] = beforeFileTimes ? "n/a" : Number(static_cast<uint32_t>(fileTime >> 32), in.Hex);
    v[18] = beforeFileTimes ? "n/a" : Number(static_cast<uint32_t>(fileTime), in.Hex);
    return v;
}

std::string StatsCopyText(const TDateCalcTexts& values, int row) {
    if (row < 0 || row >= kDateCalcRows || values[static_cast<size_t>(row)].empty())
        return {};
    return std::string(kStatsLabels[row]) + ": " + values[static_cast<size_t>(row)];
}

std::array<TPercentEntry, 6> TimePercentages(double now) {
    const TDateInfo i = DecodeDateInfo(now);
    const double ms = i.Hour * 3600000.0 + i.Minute * 60000.0 + i.Second * 1000.0 + i.MilliSecond;
    const double d = ms / 86400000.0;
    return {{{"Year", i.Year, (i.DayOfYear - 1 + d) / (365 + i.IsLeapYear)},
             {"Month", i.Month, (i.Day - 1 + d) / i.DaysInMonth},
             {"Week", i.WeekIndex, (i.DayOfWeek - 1 + d) / 7},
             {"Day", i.Day, d},
             {"Hour", i.Hour, (i.Minute * 60000.0 + i.Second * 1000.0 + i.MilliSecond) / 3600000.0},
             {"Minute", i.Minute, (i.Second * 1000.0 + i.MilliSecond) / 60000.0}}};
}

void TCountdownSlots::Load(TKoIni& ini, const std::string& section, const ILocale& locale) {
    for (int index = 0; index < kDateCalcRows; ++index) {
        TCountdownSlot& slot = slots_[static_cast<size_t>(index)];
        slot = {};
        const std::string value = ini.ReadString(section, std::to_string(index), "");
        if (value.empty())
            continue;
        const size_t tab = value.find('\t');
        slot.Name = value.substr(0, tab);
        slot.DateText = tab == std::string::npos ? "" : value.substr(tab + 1);
        if (!ParseDateTime(slot.DateText, locale, slot.Date))
            slot.Date = 0;
    }
}

void TCountdownSlots::Save(TKoIni& ini, const std::string& section) const {
    ini.ClearSection(section);
    for (int index = 0; index < kDateCalcRows; ++index) {
        const TCountdownSlot& slot = slots_[static_cast<size_t>(index)];
        if (!slot.DateText.empty())
            ini.WriteString(section, std::to_string(index), slot.Name + "\t" + slot.DateText);
    }
}

bool TCountdownSlots::Swap(int a, int b) {
    if (a < 0 || b < 0 || a >= kDateCalcRows || b >= kDateCalcRows)
        return false;
    std::swap(slots_[static_cast<size_t>(a)], slots_[static_cast<size_t>(b)]);
    return true;
}

std::string TCountdownSlots::RowText(int index, double now) const {
    const TCountdownSlot& slot = slots_[static_cast<size_t>(index)];
    if (slot.Date == 0)
        return {};
    return CountdownText(std::llround((slot.Date - now) * 86400000.0));
}
