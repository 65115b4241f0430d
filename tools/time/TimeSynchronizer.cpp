#include "tools/time/TimeSynchronizer.h"

#include <cmath>
#include <cstring>

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/Format.h"
#include "core/KoLib.h"
#include "core/Locale.h"
#include "tools/time/TimeUtils.h"

namespace {
constexpr int kReplyBufferSize = 128;
constexpr double kSecondsPerDay = 86400;
constexpr double kSecondsFrom1900 = 172800;  // 1899-12-30 to 1900-01-01

// Seconds since 1900 with the era rule: from 2036 on, the 32-bit count starts again.
double EraSeconds(uint32_t seconds) {
    return seconds < 0x80000000u ? seconds + 4294967296.0 : seconds;
}

// The NTP form of a UTC day number, for the request's transmit timestamp.
uint64_t NtpTimestamp(double dayNumber) {
    const double seconds = dayNumber * kSecondsPerDay + kSecondsFrom1900;
    const double whole = std::floor(seconds);
    return static_cast<uint64_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole))) << 32 |
           static_cast<uint32_t>((seconds - whole) * 4294967296.0);
}

}  // namespace

std::optional<std::string> NtpReplyFault(const uint8_t* reply, int size, uint64_t sentTransmit) {
    if (size < static_cast<int>(kNtpPacketSize))
        return Format("Invalid or no buffer received (%d bytes)", {size});
    const int leap = reply[0] >> 6, version = reply[0] >> 3 & 7, mode = reply[0] & 7;
    const uint64_t originate = static_cast<uint64_t>(BigEndian32(reply + 24)) << 32 | BigEndian32(reply + 28);
    if (mode != 4 && mode != 5)
        return Format("Invalid reply: mode %d is not a server's answer", {mode});
    if (version < 3 || version > 4)
        return Format("Invalid reply: NTP version %d", {version});
    if (reply[1] == 0)
        return std::string("Invalid reply: the server refuses to answer (stratum 0)");
    if (reply[1] > 15 || leap == 3)
        return std::string("Invalid reply: the server's own clock is not synchronised");
    if (BigEndian32(reply + 40) == 0 && BigEndian32(reply + 44) == 0)
        return std::string("Invalid reply: the server sent no time");
    if (originate != sentTransmit)
        return std::string("Invalid reply: it does not answer our request");
    return std::nullopt;
}

double TimeProtocolServerTime(uint32_t seconds, uint32_t latencyMs) {
    return (EraSeconds(seconds) + kSecondsFrom1900) / kSecondsPerDay + latencyMs / 86400000.0;
}

double NtpServerTime(uint32_t seconds, uint32_t fraction, uint32_t latencyMs) {
    return (EraSeconds(seconds) + fraction * 232.0 / 1e12 + kSecondsFrom1900) / kSecondsPerDay + latencyMs / 86400000.0;
}

std::string SyncTimeText(double dayNumber) {
    const TDateTimeParts p = DecodeDateTime(dayNumber);
    const auto days = static_cast<int64_t>(std::floor(dayNumber));
    const int sunday0 = static_cast<int>(((days + 6) % 7 + 7) % 7);
    return Format("%s, %s %.2d, %d - %.2d:%.2d:%.2d.%.3d",
                  {AppLocale().LongDayName(sunday0), AppLocale().ShortMonthName(p.month), p.day, p.year, p.hour,
                   p.minute, p.second, p.millisecond});
}

TTimeSynchronizer::TTimeSynchronizer(ISystemTime& clock) : clock_(clock) {
    Net.Timeout = 2500;
}

std::optional<int64_t> TTimeSynchronizer::SinceLastStart() const {
    if (!start_)
        return std::nullopt;
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - *start_).count();
}

void TTimeSynchronizer::LogLine(uint32_t style, uint8_t level, const std::string& text) {
    if (!Log)
        return;
    TLogEvent& entry = Log->NewEntry();
    entry.Level = level;
    entry.Flags = style;
    entry.Data = static_cast<uint32_t>(SinceLastStart().value_or(0));
    entry.Text = text;
    for (char& c : entry.Text)
        if (static_cast<unsigned char>(c) < 32 && c != '\t')
            c = '.';
    if (OnLog)
        OnLog(*Log, entry);
}

void TTimeSynchronizer::Synchronize(const std::string& host, uint16_t port) {
    start_ = std::chrono::steady_clock::now();
    LogLine(1, 0, Format("Connecting to \"%s:%d\" @ %s", {host, static_cast<int>(port), Udp ? "UDP" : "TCP"}));
    if (!Udp)
        sendTicks_ = AppClock().TickCount();
    TSocket socket = Net.CreateSocket(Udp);
    if (!Net.Connect(socket, host, port)) {
        LogLine(0, 0, "Failed to connect to the server");
    } else {
        if (Net.NameResolved) {
            if (Net.HostName != host)
                LogLine(0, 1, "Host:\t\t" + Net.HostName);
            LogLine(0, 1, "IP Address:\t" + Net.Address);
        }
        if (!Udp) {
            LogLine(0, 1, "Successfully connected to the server");
        } else if (Protocol != kNtpProtocol) {
            LogLine(0, 1, "Sending datagram request packet...");
            sendTicks_ = AppClock().TickCount();
            Net.Send(socket, "", -1);  // an empty text with its terminating zero
        }
        if (Protocol == kDaytimeProtocol)
            DaytimeReply(socket);
        else if (Protocol == kTimeProtocol)
            TimeReply(socket);
        else
            NtpExchange(socket);
    }
    Net.Close(socket);
    LogLine(1, 0, "Connection terminated");
}

void TTimeSynchronizer::DaytimeReply(const TSocket& socket) {
    LogLine(2, 1, "Requesting Buffer...");
    char buffer[kReplyBufferSize] = {};
    const int n = Net.RecvWaiting(socket, buffer, kReplyBufferSize, OnStep);
    if (n > 0)
        LogLine(1, 2, std::string(buffer, static_cast<size_t>(n)));
    else
        LogLine(1, 2, Format("Invalid or no buffer received (%d bytes)", {std::max(n, -1)}));
    LogLine(0, 1, "Time synchronisation on this port is not supported");
}

void TTimeSynchronizer::TimeReply(const TSocket& socket) {
    uint8_t buffer[5] = {};
    const int n = Net.RecvWaiting(socket, buffer, sizeof buffer, OnStep);
    LogLine(2, 1, "Received Server Time");
    const uint32_t seconds = BigEndian32(buffer);
    const double local = clock_.UtcNow();
    uint32_t latency = AppClock().TickCount() - sendTicks_;
    if (!Udp)
        latency /= 2;
    const double server = TimeProtocolServerTime(seconds, latency);
    if (n < 4 || seconds == 0 || server < kEarliestServerTime) {
        LogLine(1, 2, "Invalid or no server time received");
        return;
    }
    const bool set = clock_.SetUtc(server);
    LogLine(0, 2, Format("Latency:\t%d ms", {latency}));
    LogLine(0, 2, Format("Raw Time Seconds:\t%s%.8x", {HexDisplayPrefix(), seconds}));
    LogTimes(server, local);
    if (set)
        LogLine(0, 1, "Local time synchronised with server");
    else
        LogLine(1, 1, "Failed to set system time to match server");
}

void TTimeSynchronizer::NtpExchange(const TSocket& socket) {
    uint8_t request[kNtpPacketSize] = {0xE3};
    // A transmit timestamp of our own, which the answer must echo.
    const uint64_t transmit = NtpTimestamp(clock_.UtcNow());
    for (int i = 0; i < 8; ++i)
        request[40 + i] = static_cast<uint8_t>(transmit >> (56 - 8 * i));
    LogLine(2, 1, "Sending NTP datagram packet...");
    Net.Send(socket, request, static_cast<int>(kNtpPacketSize));
    sendTicks_ = AppClock().TickCount();
    uint8_t reply[kReplyBufferSize] = {};
    int n = Net.RecvWaiting(socket, reply, kReplyBufferSize, OnStep);
    n = std::max(n, -1);
    if (const auto fault = NtpReplyFault(reply, n, transmit)) {
        LogLine(1, 2, *fault);
        return;
    }
    const double local = clock_.UtcNow();
    const uint32_t latency = AppClock().TickCount() - sendTicks_;
    const uint32_t seconds = BigEndian32(reply + 40);
    const uint32_t fraction = BigEndian32(reply + 44);
    const double server = NtpServerTime(seconds, fraction, latency);
    if (server < kEarliestServerTime) {
        LogLine(1, 2, "Invalid reply: the server's time lies before this program was made");
        return;
    }
    const bool set = clock_.SetUtc(server);
    LogLine(0, 2, Format("Latency:\t\t%d ms", {latency}));
    LogLine(0, 2, Format("Bytes Received:\t\t%d (%d record size)", {n, static_cast<int>(kNtpPacketSize)}));
    LogLine(0, 2, Format("Raw Time Seconds:\t%s%.8x", {HexDisplayPrefix(), seconds}));
    LogLine(0, 2, Format("Raw Time Fractions:\t%s%.8x", {HexDisplayPrefix(), fraction}));
    LogTimes(server, local);
    if (DebugDump) {
        LogLine(2, 2, "Debug Record Dump");
        LogLine(0, 3, Format("LIVersMode:\t%d", {reply[0]}));
        LogLine(0, 4, Format("Leap Indicator:\t\t%d", {reply[0] >> 6}));
        LogLine(0, 4, Format("Version Number:\t\t%d", {reply[0] >> 3 & 7}));
        LogLine(0, 4, Format("Mode:\t\t\t%d", {reply[0] & 7}));
        LogLine(0, 3, Format("Stratum:\t%d", {static_cast<int8_t>(reply[1])}));
        LogLine(0, 3, Format("PollInterval:\t%d", {static_cast<int8_t>(reply[2])}));
        LogLine(0, 3, Format("Precision:\t%d", {static_cast<int8_t>(reply[3])}));
        LogLine(0, 3, Format("RootDelay:\t%.4x / %.4x", {LittleEndian16(reply + 4), LittleEndian16(reply + 6)}));
        LogLine(0, 3, Format("RootDispersion:\t%.4x / %.4x", {LittleEndian16(reply + 8), LittleEndian16(reply + 10)}));
        LogLine(0, 3,
                Format("RefClockIdentifier:\t%s%.8x > \"%s\"", {HexDisplayPrefix(), LittleEndian32(reply + 12),
                                                                std::string(reinterpret_cast<char*>(reply + 12), 4)}));
        const char* names[] = {"RefTimestamp:\t\t", "OriginateTimestamp:\t", "ReceiveTimestamp:\t",
                               "TransmitTimestamp:\t"};
        for (int i = 0; i < 4; ++i)
            LogLine(0, 3,
                    Format(std::string(names[i]) + "%.8x / %.8x",
                           {LittleEndian32(reply + 16 + 8 * i), LittleEndian32(reply + 20 + 8 * i)}));
    }
    if (set)
        LogLine(2, 1, "Local time successfully synchronised with server");
    else
        LogLine(3, 1, "Failed to set system time to match server");
}

void TTimeSynchronizer::LogTimes(double server, double local) {
    LogLine(0, 2, "Server:\t" + SyncTimeText(server));
    LogLine(0, 2, "Local:\t" + SyncTimeText(local));
    LogLine(1, 2, "Time Differential:\t" + SyncDurationText(std::llround((local - server) * 86400000.0)));
}
