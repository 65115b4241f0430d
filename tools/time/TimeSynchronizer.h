#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/EventLogger.h"
#include "core/NetBasic.h"

// The machine's clock in UTC, as the synchroniser reads and sets it.
class ISystemTime {
  public:
    virtual ~ISystemTime() = default;
    virtual double UtcNow() const = 0;  // day number
    // False without the right to change the clock.
    virtual bool SetUtc(double dayNumber) = 0;
};
// The platform's clock. When the environment variable DD_CLOCK_RECORD names a file, setting it only writes the
// time asked for into that file (for tests and trial runs, which must never move the machine's clock).
ISystemTime& MachineSystemTime();

constexpr uint8_t kDaytimeProtocol = 0;
constexpr uint8_t kTimeProtocol = 1;
constexpr uint8_t kNtpProtocol = 2;
constexpr size_t kNtpPacketSize = 48;

// Why a reply must not set the clock, in the log's words; nothing when it may. sentTransmit is the transmit
// timestamp of our request, which a true answer echoes as its originate timestamp.
std::optional<std::string> NtpReplyFault(const uint8_t* reply, int size, uint64_t sentTransmit);
// Day numbers of a server's answer with the latency added. Seconds count from 1900 and, from 2036 on, from 2036
// (a value below 2^31 is in the second era). The NTP fraction counts 232 ps per unit.
double TimeProtocolServerTime(uint32_t seconds, uint32_t latencyMs);
double NtpServerTime(uint32_t seconds, uint32_t fraction, uint32_t latencyMs);
// Server times before this day cannot be right: the clock is left alone.
constexpr double kEarliestServerTime = 42299;  // 2015-10-22

// "Saturday, Feb 02, 2019 - 11:39:44.000".
std::string SyncTimeText(double dayNumber);

// One exchange with a time server over Daytime, Time (RFC 868) or NTP, by UDP or TCP, every step written to the
// log; the two protocols that carry a time set the clock from it.
class TTimeSynchronizer {
  public:
    explicit TTimeSynchronizer(ISystemTime& clock = MachineSystemTime());

    TNetBasic Net;
    TEventLog* Log = nullptr;  // not owned
    uint8_t Protocol = kNtpProtocol;
    bool Udp = false;
    bool DebugDump = false;
    std::function<void(TEventLog& log, TLogEvent& entry)> OnLog;
    // Runs the window's messages while a reply is awaited; false stops the wait.
    std::function<bool()> OnStep;

    void Synchronize(const std::string& host, uint16_t port);
    void LogLine(uint32_t style, uint8_t level, const std::string& text);
    // Milliseconds since the last exchange began; nothing before the first.
    std::optional<int64_t> SinceLastStart() const;

  private:
    void DaytimeReply(const TSocket& socket);
    void TimeReply(const TSocket& socket);
    void NtpExchange(const TSocket& socket);
    void LogTimes(double server, double local);

    ISystemTime& clock_;
    std::optional<std::chrono::steady_clock::time_point> start_;
    uint32_t sendTicks_ = 0;
};
