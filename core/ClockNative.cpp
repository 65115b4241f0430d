#include <chrono>
#include <ctime>

#include "core/Clock.h"

namespace {
class TNativeClock : public IClock {
  public:
    double Now() const override {
        const auto now = std::chrono::system_clock::now();
        const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
        std::tm local{};
        localtime_r(&seconds, &local);
        const double unixLocal = static_cast<double>(seconds) + static_cast<double>(local.tm_gmtoff);
        constexpr double kUnixEpochDay = 25569.0;  // 1970-01-01 as a day number
        return kUnixEpochDay + unixLocal / 86400.0;
    }
    uint32_t TickCount() const override { return static_cast<uint32_t>(TickCount64()); }
    uint64_t TickCount64() const override {
        using namespace std::chrono;
        return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
};
}  // namespace

const IClock& SystemClock() {
    static const TNativeClock clock;
    return clock;
}
