#include "tools/time/StopWatchClass.h"

#include <cstdlib>
#include <random>
#include <utility>

#include "core/Format.h"

namespace {
TColor RandomColor() {
    static std::mt19937 random{std::random_device{}()};
    return HsvToColor(static_cast<double>(random() % 361), 0.5, 0.5);
}
}  // namespace

TStopWatch::TStopWatch(const IClock& clock) : Color(RandomColor()), clock_(clock) {}

TStopWatch::TState TStopWatch::State() const {
    if (StartTick == 0 || StopTick != 0)
        return kIdle;
    return PauseTick != 0 ? kPaused : kRunning;
}

void TStopWatch::Start() {
    StartTick = clock_.TickCount64();
    PauseTick = 0;
    StopTick = 0;
}

void TStopWatch::TogglePause() {
    const TState state = State();
    if (state == kRunning)
        PauseTick = clock_.TickCount64();
    else if (state == kPaused)
        StartTick = clock_.TickCount64() + StartTick - std::exchange(PauseTick, 0);
}

void TStopWatch::Stop() {
    StopTick = clock_.TickCount64();
}

void TStopWatch::Reset() {
    StartTick = PauseTick = StopTick = 0;
}

int64_t TStopWatch::Elapsed() const {
    if (StartTick == 0)
        return 0;
    const uint64_t end = PauseTick ? PauseTick : StopTick ? StopTick : clock_.TickCount64();
    return static_cast<int64_t>(end - StartTick);
}

TStopWatchCountDown::TStopWatchCountDown(const IClock& clock) : TStopWatch(clock) {
    IsCountDown = true;
    Name = "Count Down";
}

int64_t TStopWatchCountDown::Elapsed() const {
    return Duration - TStopWatch::Elapsed();
}

std::string FormatElapsed(int64_t ms) {
    const uint64_t a = ms < 0 ? 0 - static_cast<uint64_t>(ms) : static_cast<uint64_t>(ms);
    const auto part = [a](uint64_t unit, uint64_t range) { return static_cast<int>(a / unit % range); };
    const int s = part(1000, 60), m = part(60000, 60), h = part(3600000, 24), f = part(1, 1000);
    const uint64_t d = a / 86400000;
    std::string text = ms < 0 ? "-" : "";
    if (d > 0)
        return text + std::to_string(d) + Format("d %.2d:%.2d:%.2d.%.3d", {h, m, s, f});
    if (h > 0)
        return text + Format("%.2d:%.2d:%.2d.%.3d", {h, m, s, f});
    if (m > 0)
        return text + Format("%.2d:%.2d.%.3d", {m, s, f});
    return text + Format("%.2d.%.3d", {s, f});
}

void TCountdownEntry::Restart(uint32_t tick) {
    if (text_.size() >= 6 || tick - tick_ >= kRestartMs)
        text_.clear();
}

int64_t TCountdownEntry::TypeDigit(char digit, uint32_t tick) {
    Restart(tick);
    text_ += digit;
    tick_ = tick;
    return Milliseconds();
}

// More digits would push the hours out of the entry.
int64_t TCountdownEntry::TypePoint(uint32_t tick) {
    Restart(tick);
    if (text_.empty() || text_.size() > 4)
        return -1;
    text_ += "00";
    tick_ = tick;
    return Milliseconds();
}

int64_t TCountdownEntry::Milliseconds() const {
    int64_t seconds = 0;
    int64_t scale = 1;
    for (size_t end = text_.size(); end > 0 && scale <= 3600; scale *= 60) {
        const size_t begin = end >= 2 ? end - 2 : 0;
        seconds += std::atoi(text_.substr(begin, end - begin).c_str()) * scale;
        end = begin;
    }
    return seconds * 1000;
}
