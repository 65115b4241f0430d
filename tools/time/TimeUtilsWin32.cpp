#include <windows.h>

#include "tools/time/TimeUtils.h"

namespace {
// The time-zone settings of the system, daylight saving time included; Windows converts no date before 1601.
class TWin32TimeZone : public ITimeZone {
  public:
    bool LocalToUnix(const TDateTimeParts& local, int64_t& seconds) const override {
        SYSTEMTIME in{};
        in.wYear = static_cast<WORD>(local.year);
        in.wMonth = static_cast<WORD>(local.month);
        in.wDay = static_cast<WORD>(local.day);
        in.wHour = static_cast<WORD>(local.hour);
        in.wMinute = static_cast<WORD>(local.minute);
        in.wSecond = static_cast<WORD>(local.second);
        SYSTEMTIME utc{};
        if (local.year < 1601 || !TzSpecificLocalTimeToSystemTime(nullptr, &in, &utc))
            return false;
        seconds = UtcPartsToUnix({utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond, 0});
        return true;
    }
    bool UnixToLocal(int64_t seconds, TDateTimeParts& local) const override {
        const TDateTimeParts p = UnixToUtcParts(seconds);
        SYSTEMTIME utc{};
        utc.wYear = static_cast<WORD>(p.year);
        utc.wMonth = static_cast<WORD>(p.month);
        utc.wDay = static_cast<WORD>(p.day);
        utc.wHour = static_cast<WORD>(p.hour);
        utc.wMinute = static_cast<WORD>(p.minute);
        utc.wSecond = static_cast<WORD>(p.second);
        SYSTEMTIME out{};
        if (p.year < 1601 || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &out))
            return false;
        local = {out.wYear, out.wMonth, out.wDay, out.wHour, out.wMinute, out.wSecond, 0};
        return true;
    }
};
}  // namespace

const ITimeZone& SystemTimeZone() {
    static const TWin32TimeZone zone;
    return zone;
}
