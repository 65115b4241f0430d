#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "tools/network/PingManager.h"

// Kinds of a trace's lines: flag bits that choose how the line is painted.
constexpr uint8_t kTraceHeadline = 1;
constexpr uint8_t kTraceClock = 2;  // shows the wall-clock time instead of the elapsed time
constexpr uint8_t kTraceReply = 4;
constexpr uint8_t kTraceError = 8;
constexpr uint8_t kTraceMessage = 16;

struct TTraceLine {
    uint32_t Address = 0;  // network order, or 0
    std::string Text;      // a message, or the router's name once looked up (at most 255 characters)
    uint32_t RoundTrip = 0;
    int32_t Hop = -1;  // the time-to-live of a hop line
    double Time = 0;   // day number
    uint8_t Kind = 0;
    int64_t ElapsedMs = 0;
};

// The time-out typed into the window: 1 to 128000 ms; anything else waits 1000 ms.
int ParseTraceTimeout(const std::string& text);

// Probes a destination with an increasing time-to-live, one echo per hop, and reports a line for each step.
class TTraceRoute {
  public:
    explicit TTraceRoute(IIcmp& icmp) : icmp_(icmp) {}

    int MaxHops = 30;
    int Timeout = 1000;
    // Each new line; the caller shows it and runs the window's messages.
    std::function<void(const TTraceLine& line)> OnLine;
    // Checked after each hop: the user asked to stop (or the window is closing).
    std::function<bool()> Aborted;
    // Runs the window's messages while an answer is awaited; false gives up waiting.
    std::function<bool()> OnStep;
    // The platform's words for an error code.
    std::function<std::string(uint32_t code)> SystemMessage;

    void Run(const std::string& destination);

  private:
    void Add(uint8_t kind, uint32_t address, int32_t hop, uint32_t roundTrip, const std::string& text);

    IIcmp& icmp_;
    int64_t startMs_ = 0;
};
