#include <cerrno>
#include <ctime>

#include "tools/time/TimeUtils.h"

namespace {
// The C library's rules, from TZ: tests set a zone of their own.
class TLibraryTimeZone : public ITimeZone {
  public:
    bool LocalToUnix(const TDateTimeParts& local, int64_t& seconds) const override {
        std::tm t{};
        t.tm_year = local.year - 1900;
        t.tm_mon = local.month - 1;
        t.tm_mday = local.day;
        t.tm_hour = local.hour;
        t.tm_min = local.minute;
        t.tm_sec = local.second;
        t.tm_isdst = -1;
        errno = 0;
        const std::time_t result = std::mktime(&t);
        if (result == -1 && errno != 0)
            return false;
        seconds = static_cast<int64_t>(result);
        return true;
    }
    bool UnixToLocal(int64_t seconds, TDateTimeParts& local) const override {
        const auto time = static_cast<std::time_t>(seconds);
        std::tm t{};
        if (!localtime_r(&time, &t))
            return false;
        local = {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, 0};
        return true;
    }
};
}  // namespace

const ITimeZone& SystemTimeZone() {
    static const TLibraryTimeZone zone;
    return zone;
}
