#include "core/DateTime.h"

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
