#pragma once
#include <cstdint>

// "Now" and tick counts, so that tests can fix time. Dates are day numbers from 1899-12-30.
class IClock {
  public:
    virtual ~IClock() = default;
    virtual double Now() const = 0;  // local date and time
    virtual uint32_t TickCount() const = 0;
    virtual uint64_t TickCount64() const = 0;
};

class TFixedClock : public IClock {
  public:
    explicit TFixedClock(double now = 0, uint64_t ticks = 0) : now_(now), ticks_(ticks) {}
    double Now() const override { return now_; }
    uint32_t TickCount() const override { return static_cast<uint32_t>(ticks_); }
    uint64_t TickCount64() const override { return ticks_; }
    void Set(double now) { now_ = now; }
    void Advance(uint64_t ms) {
        ticks_ += ms;
        now_ += static_cast<double>(ms) / 86400000.0;
    }

  private:
    double now_;
    uint64_t ticks_;
};

// The process-wide clock; tests may swap in their own (nullptr restores the system's).
const IClock& AppClock();
void SetAppClock(const IClock* clock);
