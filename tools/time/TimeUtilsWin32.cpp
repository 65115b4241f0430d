#include <windows.h>

#include "tools/time/TimeUtils.h"

namespace {
SYSTEMTIME ToSystemTime(const TDateTimeParts& p) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(p.year);
    t.wMonth = static_cast<WORD>(p.month);
    t.wDay = static_cast<WORD>(p.day);
    t.wHour = static_cast<WORD>(p.hour);
    t.wMinute = static_cast<WORD>(p.minute);
    t.wSecond = static_cast<WORD>(p.second);
    return t;
}

TDateTimeParts FromSystemTime(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, 0};
}

// The time-zone settings of the system, daylight saving time included; Windows converts no date before 1601.
class TWin32TimeZone : public ITimeZone {
  public:
    bool LocalToUnix(const TDateTimeParts& local, int64_t& seconds) const override {
        const SYSTEMTIME in = ToSystemTime(local);
        SYSTEMTIME utc{};
        if (local.year < 1601 || !TzSpecificLocalTimeToSystemTime(nullptr, &in, &utc))
            return false;
        seconds = UtcPartsToUnix(FromSystemTime(utc));
        return true;
    }
    bool UnixToLocal(int64_t seconds, TDateTimeParts& local) const override {
        const TDateTimeParts p = UnixToUtcParts(seconds);
        const SYSTEMTIME utc = ToSystemTime(p);
        SYSTEMTIME out{};
        if (p.year < 1601 || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &out))
            return false;
        local = FromSystemTime(out);
        return true;
    }
};
}  // namespace

const ITimeZone& SystemTimeZone() {
    static const TWin32TimeZone zone;
    return zone;
}
