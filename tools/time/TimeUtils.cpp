#include "tools/time/TimeUtils.h"

#include <algorithm>

#include "core/Format.h"
#include "core/Locale.h"

namespace {
constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kUnixEpochDay = 25569;       // 1970-01-01
constexpr int64_t kFileTimeEpochDay = 109205;  // days from 1601-01-01 to 1899-12-30
constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}
}  // namespace

TDateInfo DecodeDateInfo(double dateTime, const ITimeZone& zone) {
    TDateInfo info;
    info.DateTime = dateTime;
    if (!IsCalendarDay(dateTime))
        return info;
    const TDateTimeParts p = DecodeDateTime(dateTime);
    info.Year = static_cast<uint16_t>(p.year);
    info.Month = static_cast<uint16_t>(p.month);
    info.Day = static_cast<uint16_t>(p.day);
    info.Hour = static_cast<uint16_t>(p.hour);
    info.Minute = static_cast<uint16_t>(p.minute);
    info.Second = static_cast<uint16_t>(p.second);
    info.MilliSecond = static_cast<uint16_t>(p.millisecond);
    const bool leap = IsLeap(p.year);
    info.IsLeapYear = leap ? 1 : 0;
    info.DayOfYear = static_cast<uint16_t>(p.day + kDaysBefore[p.month - 1] + (leap && p.month >= 3 ? 1 : 0));
    const auto days = static_cast<int64_t>(EncodeDate(p.year, p.month, p.day));
    info.DayOfWeek = static_cast<uint16_t>((days % 7 + 7 + 5) % 7 + 1);  // 1899-12-30 was a Saturday
    info.WeekIndex = static_cast<uint16_t>((info.DayOfYear - info.DayOfWeek + 10) / 7);
    info.DaysInMonth = static_cast<uint16_t>(kMonthDays[p.month - 1] + (leap && p.month == 2 ? 1 : 0));
    info.DosDate = PackDosDateTime(p);
    const int64_t msOfDay = ((p.hour * 60LL + p.minute) * 60 + p.second) * 1000 + p.millisecond;
    if (days >= -kFileTimeEpochDay)
        info.FileTime = ((days + kFileTimeEpochDay) * kMsPerDay + msOfDay) * 10000;
    int64_t seconds = 0;
    info.HasUnixTime = zone.LocalToUnix(p, seconds);
    if (info.HasUnixTime)
        info.UnixTime = seconds + (p.millisecond >= 500 ? 1 : 0);  // to the nearest second, halves up
    return info;
}

TDateTimeParts UnixToUtcParts(int64_t seconds) {
    // Towards minus infinity, without negating or multiplying the most negative value.
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        --days;
        rest += 86400;
    }
    TDateTimeParts p = DecodeDateTime(static_cast<double>(days + kUnixEpochDay));
    p.hour = static_cast<int>(rest / 3600);
    p.minute = static_cast<int>(rest / 60 % 60);
    p.second = static_cast<int>(rest % 60);
    return p;
}

double StepMonth(double dateTime, int step) {
    TDateTimeParts p = DecodeDateTime(dateTime);
    p.month += step;
    if (p.month > 12 || p.month < 1) {
        p.year += step;
        p.month = p.month > 12 ? 1 : 12;
    }
    if (!IsValidDate(p.year, p.month, 1))
        return dateTime;
    p.day = std::min(p.day, kMonthDays[p.month - 1] + (p.month == 2 && IsLeap(p.year) ? 1 : 0));
    return EncodeDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second, p.millisecond);
}

uint32_t PackDosDateTime(const TDateTimeParts& p) {
    if (p.year < 1980 || p.year > 2107)
        return 0;
    return static_cast<uint32_t>(p.year - 1980) << 25 | static_cast<uint32_t>(p.month) << 21 |
           static_cast<uint32_t>(p.day) << 16 | static_cast<uint32_t>(p.hour) << 11 |
           static_cast<uint32_t>(p.minute) << 5 | static_cast<uint32_t>(p.second) / 2;
}

bool UnpackDosDateTime(uint32_t packed, double& dateTime) {
    const int year = static_cast<int>(packed >> 25) + 1980;
    const int month = static_cast<int>(packed >> 21 & 15);
    const int day = static_cast<int>(packed >> 16 & 31);
    const int hour = static_cast<int>(packed >> 11 & 31);
    const int minute = static_cast<int>(packed >> 5 & 63);
    const int second = static_cast<int>(packed & 31) * 2;
    if (month < 1 || month > 12 || day < 1 || day > kMonthDays[month - 1] + (month == 2 && IsLeap(year)) || hour > 23 ||
        minute > 59 || second > 59)
        return false;
    dateTime = EncodeDateTime(year, month, day, hour, minute, second, 0);
    return true;
}

std::string DurationText(int64_t ms, const std::vector<TDurationUnit>& units, int maxParts) {
    uint64_t rest = ms < 0 ? 0 - static_cast<uint64_t>(ms) : static_cast<uint64_t>(ms);
    std::string text;
    int parts = 0;
    for (const TDurationUnit& unit : units) {
        if (parts == maxParts)
            break;
        const uint64_t count = rest / static_cast<uint64_t>(unit.Ms);
        if (count == 0 && parts == 0)
            continue;
        rest %= static_cast<uint64_t>(unit.Ms);
        if (parts++ > 0)
            text += unit.Separator;
        text += Format(unit.Format, {static_cast<int64_t>(count)});
    }
    return ms < 0 ? "-" + text : text;
}

std::string SyncDurationText(int64_t ms) {
    if (ms > -1000 && ms < 1000)
        return Format("%d ms", {ms});
    static const std::vector<TDurationUnit> kUnits = {{kMsPerDay, "%d days", ""},
                                                      {3600000, "%.2d hrs", ", "},
                                                      {60000, "%.2d min", ", "},
                                                      {1000, "%.2d sec", ", "},
                                                      {1, "%.3d ms", ", "}};
    return DurationText(ms, kUnits, 5);
}

std::string CountdownText(int64_t ms) {
    static const std::vector<TDurationUnit> kUnits = {{365 * kMsPerDay, "%dy", ""},
                                                      {kMsPerDay, "%.2dd", ", "},
                                                      {3600000, "%.2dh", ", "},
                                                      {60000, "%.2dm", ", "},
                                                      {1000, "%.2ds", ", "}};
    return DurationText(ms, kUnits, 4);
}

int64_t UtcPartsToUnix(const TDateTimeParts& p) {
    const auto days = static_cast<int64_t>(EncodeDate(p.year, p.month, p.day)) - kUnixEpochDay;
    return days * 86400 + (p.hour * 60LL + p.minute) * 60 + p.second;
}
