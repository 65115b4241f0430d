#pragma once
#include <cstdint>
#include <string>

#include "core/Clock.h"
#include "core/KoLib.h"

// A timer on the 64-bit tick count, so clock changes leave it alone: start, pause, stop and reset.
class TStopWatch {
  public:
    enum TState { kIdle = 0, kRunning = 1, kPaused = 2 };  // a stopped timer is idle, its time still shown

    explicit TStopWatch(const IClock& clock = AppClock());
    virtual ~TStopWatch() = default;

    bool IsCountDown = false;
    uint64_t StartTick = 0;  // 0: never started or reset
    uint64_t PauseTick = 0;  // 0: not paused
    uint64_t StopTick = 0;   // 0: not stopped
    TColor Color;
    std::string Name = "Simple Timer";

    TState State() const;
    void Start();
    // Pauses a running timer or resumes a paused one, the pause skipped; idle and stopped timers stay as they are.
    void TogglePause();
    void Stop();
    void Reset();
    virtual int64_t Elapsed() const;

  protected:
    const IClock& clock_;
};

class TStopWatchCountUp : public TStopWatch {
  public:
    using TStopWatch::TStopWatch;
};

// Counts down from Duration and goes below zero once it has passed.
class TStopWatchCountDown : public TStopWatch {
  public:
    explicit TStopWatchCountDown(const IClock& clock = AppClock());
    int64_t Duration = 300000;
    void SetDuration(int64_t ms) { Duration = ms; }
    int64_t Elapsed() const override;
};

// "-01.500", "01:01.234", "01:00:00.000", "1d 01:01:01.001".
std::string FormatElapsed(int64_t ms);

// The count-down time typed digit by digit: pairs from the right are seconds, minutes and hours. A pause of 1251 ms
// or a seventh digit starts a new entry.
class TCountdownEntry {
  public:
    static constexpr uint32_t kRestartMs = 1251;
    // Both return the new time in milliseconds.
    int64_t TypeDigit(char digit, uint32_t tick);
    // Appends "00" (minutes from seconds) to an entry of one to four digits; -1 when it did nothing.
    int64_t TypePoint(uint32_t tick);
    const std::string& Text() const { return text_; }
    // The next digit starts a new entry.
    void Forget() { tick_ = 0; }

  private:
    void Restart(uint32_t tick);
    int64_t Milliseconds() const;

    std::string text_;
    uint32_t tick_ = 0;
};
