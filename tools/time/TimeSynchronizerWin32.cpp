#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "core/DateTime.h"
#include "tools/time/TimeSynchronizer.h"

namespace {
double UtcDayNumber() {
    SYSTEMTIME st;
    GetSystemTime(&st);
    return EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

class TWin32SystemTime : public ISystemTime {
  public:
    double UtcNow() const override { return UtcDayNumber(); }
    bool SetUtc(double dayNumber) override {
        const TDateTimeParts p = DecodeDateTime(dayNumber);
        SYSTEMTIME st{static_cast<WORD>(p.year),   static_cast<WORD>(p.month),      0,
                      static_cast<WORD>(p.day),    static_cast<WORD>(p.hour),       static_cast<WORD>(p.minute),
                      static_cast<WORD>(p.second), static_cast<WORD>(p.millisecond)};
        return SetSystemTime(&st) != FALSE;
    }
};

// Appends the time asked for and the clock's own at that moment, and leaves the clock alone.
class TRecordedSystemTime : public ISystemTime {
  public:
    explicit TRecordedSystemTime(std::string file) : file_(std::move(file)) {}
    double UtcNow() const override { return UtcDayNumber(); }
    bool SetUtc(double dayNumber) override {
        FILE* out = file_.empty() ? nullptr : std::fopen(file_.c_str(), "a");
        if (!out)
            return false;
        std::fprintf(out, "%.10f %.10f\n", dayNumber, UtcDayNumber());
        return std::fclose(out) == 0;
    }

  private:
    std::string file_;
};
}  // namespace

ISystemTime& MachineSystemTime() {
    // Once the variable is there at all the clock is never set, even when its file cannot be named.
    static const std::unique_ptr<ISystemTime> clock = []() -> std::unique_ptr<ISystemTime> {
        const DWORD size = GetEnvironmentVariableA("DD_CLOCK_RECORD", nullptr, 0);
        if (size == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
            return std::make_unique<TWin32SystemTime>();
        std::string file(size, '\0');
        file.resize(size ? GetEnvironmentVariableA("DD_CLOCK_RECORD", file.data(), size) : 0);
        return std::make_unique<TRecordedSystemTime>(file);
    }();
    return *clock;
}
