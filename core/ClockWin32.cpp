#include <windows.h>

#include "core/Clock.h"
#include "core/DateTime.h"

namespace {
class TWin32Clock : public IClock {
  public:
    double Now() const override {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
    }
    uint32_t TickCount() const override { return GetTickCount(); }
    uint64_t TickCount64() const override { return GetTickCount64(); }
};
}  // namespace

const IClock& SystemClock() {
    static const TWin32Clock clock;
    return clock;
}
