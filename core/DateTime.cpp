#include "core/DateTime.h"

#include <cmath>

namespace {
// Days from 0001-01-01 (proleptic Gregorian) to the given date.
long DaysFromCivilStart(int year, int month, int day) {
    static constexpr int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const long y = year - 1;
    return y * 365 + y / 4 - y / 100 + y / 400 + kBefore[month - 1] + (leap && month > 2 ? 1 : 0) + day - 1;
}
}  // namespace

double EncodeDate(int year, int month, int day) {
    static const long kEpoch = DaysFromCivilStart(1899, 12, 30);
    return static_cast<double>(DaysFromCivilStart(year, month, day) - kEpoch);
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    const double fraction = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
    const double date = EncodeDate(year, month, day);
    // Before the epoch the fraction counts away from zero, as day numbers do.
    return date < 0 ? date - fraction : date + fraction;
}

bool IsCalendarDay(double dayNumber) {
    // The first day, 0001-01-01, is -693593 and its hours count away from zero, down to -693593.99...
    return dayNumber > -693594.0 && dayNumber < 2958466.0;  // false for NaN too
}

TDateTimeParts DecodeDateTime(double dayNumber) {
    if (!IsCalendarDay(dayNumber))
        return {};
    // Milliseconds since the epoch; before it the fraction still counts forward within its day.
    const double day = dayNumber < 0 ? std::ceil(dayNumber) : std::floor(dayNumber);
    long long msOfDay = std::llround(std::fabs(dayNumber - day) * 86400000.0);
    long long days = static_cast<long long>(day) + DaysFromCivilStart(1899, 12, 30);
    // Rounded up to midnight: the next calendar day, also before the epoch, where the fraction counts forward too.
    if (msOfDay >= 86400000) {
        msOfDay -= 86400000;
        days += 1;
    }
    // Civil date from days since 0001-01-01.
    long long n = days;
    const long long n400 = n / 146097;
    n %= 146097;
    long long n100 = n / 36524;
    if (n100 == 4)
        n100 = 3;
    n -= n100 * 36524;
    const long long n4 = n / 1461;
    n %= 1461;
    long long n1 = n / 365;
    if (n1 == 4)
        n1 = 3;
    n -= n1 * 365;
    TDateTimeParts parts{};
    parts.year = static_cast<int>(n400 * 400 + n100 * 100 + n4 * 4 + n1 + 1);
    const bool leap = (parts.year % 4 == 0 && parts.year % 100 != 0) || parts.year % 400 == 0;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int month = 0;
    while (true) {
        const int length = kDays[month] + (month == 1 && leap ? 1 : 0);
        if (n < length)
            break;
        n -= length;
        ++month;
    }
    parts.month = month + 1;
    parts.day = static_cast<int>(n) + 1;
    parts.hour = static_cast<int>(msOfDay / 3600000);
    parts.minute = static_cast<int>(msOfDay / 60000 % 60);
    parts.second = static_cast<int>(msOfDay / 1000 % 60);
    parts.millisecond = static_cast<int>(msOfDay % 1000);
    return parts;
}
