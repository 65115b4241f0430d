#include <chrono>

#include "tools/time/TimeSynchronizer.h"

namespace {
// The native build reads the clock and never sets it.
class TReadOnlySystemTime : public ISystemTime {
  public:
    double UtcNow() const override {
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
        return 25569.0 + static_cast<double>(ms) / 86400000.0;  // 1970-01-01
    }
    bool SetUtc(double) override { return false; }
};
}  // namespace

ISystemTime& MachineSystemTime() {
    static TReadOnlySystemTime clock;
    return clock;
}
