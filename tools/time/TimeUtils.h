#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/DateTime.h"

// A date-time taken apart, with its numbers in the forms other programs store dates in.
struct TDateInfo {
    uint16_t Year = 0, Month = 0, Day = 0;
    uint16_t Hour = 0, Minute = 0, Second = 0, MilliSecond = 0;
    uint8_t IsLeapYear = 0;
    uint16_t DayOfYear = 0;  // 1 = 1 January
    uint16_t DayOfWeek = 0;  // ISO: Monday 1 ... Sunday 7
    uint16_t WeekIndex = 0;  // (DayOfYear - DayOfWeek + 10) div 7, 0 to 53
    uint16_t DaysInMonth = 0;
    double DateTime = 0;       // local, days since 1899-12-30
    int64_t UnixTime = 0;      // seconds since 1970-01-01 00:00 UTC
    bool HasUnixTime = false;  // false when the time zone cannot convert the date
    uint32_t DosDate = 0;      // packed DOS date and time; 0 outside 1980 to 2107
    int64_t FileTime = 0;      // 100 ns since 1601-01-01 00:00 of the local value; 0 before it
};

// Local time to UTC by the rules of a time zone.
class ITimeZone {
  public:
    virtual ~ITimeZone() = default;
    // Seconds since 1970-01-01 00:00 UTC of a local date and time (milliseconds left out); false when it cannot.
    virtual bool LocalToUnix(const TDateTimeParts& local, int64_t& seconds) const = 0;
    // The local date and time of a moment; false when it cannot.
    virtual bool UnixToLocal(int64_t seconds, TDateTimeParts& local) const = 0;
};

// Seconds since 1970-01-01 00:00 of a calendar moment read as UTC (milliseconds left out), and back.
int64_t UtcPartsToUnix(const TDateTimeParts& parts);
TDateTimeParts UnixToUtcParts(int64_t seconds);

// The process's own: the platform's time-zone settings (the native build's TZ rules).
const ITimeZone& SystemTimeZone();

// Every field of the date's calendar moment: before 1899-12-30 the fraction of a day number counts forward within
// its day too, as the calendar does.
TDateInfo DecodeDateInfo(double dateTime, const ITimeZone& zone = SystemTimeZone());

// The date a month on or back (step +1 or -1), the day cut to the new month's length, the time of day kept.
double StepMonth(double dateTime, int step);

uint32_t PackDosDateTime(const TDateTimeParts& parts);  // 0 outside what the DOS format holds
// The day number of a packed DOS date and time; false for one that names no date.
bool UnpackDosDateTime(uint32_t packed, double& dateTime);

// A duration in the largest units first: leading units that are 0 are left out, at most maxParts are written,
// each unit with its own format and the separator before it. A negative duration starts with "-".
struct TDurationUnit {
    int64_t Ms;
    const char* Format;  // "%d" or "%.2d" with the unit's letter
    const char* Separator;
};
std::string DurationText(int64_t ms, const std::vector<TDurationUnit>& units, int maxParts);
// From the largest unit that is not 0 down to milliseconds: "01 sec, 500 ms", "-01 min, 01 sec, 000 ms", "5 ms".
std::string SyncDurationText(int64_t ms);
// Years, days, hours, minutes and seconds, four parts at most: "1y, 35d, 03h, 00m", "-02h, 00m, 00s".
std::string CountdownText(int64_t ms);
