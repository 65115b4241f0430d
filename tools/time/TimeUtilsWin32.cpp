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
};
}  // namespace

const ITimeZone& SystemTimeZone() {
    static const TWin32TimeZone zone;
    return zone;
}
