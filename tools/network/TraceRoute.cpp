#include "tools/network/TraceRoute.h"

#include <chrono>

#include "core/Clock.h"
#include "core/Format.h"
#include "core/KoLib.h"
#include "core/NetSockets.h"

namespace {
int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

int ParseTraceTimeout(const std::string& text) {
    int32_t value = 0;
    return TryStrToInt(TrimBlanks(text), value) && value >= 1 && value <= 128000 ? value : 1000;
}

void TTraceRoute::Add(uint8_t kind, uint32_t address, int32_t hop, uint32_t roundTrip, const std::string& text) {
    TTraceLine line;
    line.Address = address;
    line.Text = text.substr(0, 255);
    line.RoundTrip = roundTrip;
    line.Hop = hop;
    line.Time = AppClock().Now();
    line.Kind = kind;
    line.ElapsedMs = SteadyMs() - startMs_;
    if (OnLine)
        OnLine(line);
}

void TTraceRoute::Run(const std::string& destination) {
    startMs_ = SteadyMs();
    uint32_t hostOrder = 0;
    const bool numeric = NetParseAddress(destination, hostOrder);
    uint32_t address = 0;
    std::string name;
    if (!icmp_.Resolve(destination, address, name)) {
        Add(kTraceMessage, 0, -1, 0, "Unable to find server");
        return;
    }
    const std::string shown =
        numeric || name.empty() ? DottedAddress(address) : DottedAddress(address) + " (" + name + ")";
    Add(kTraceHeadline | kTraceClock, 0, -1, 0,
        Format("Tracing %s, packet size = %d bytes, max hops = %d, timeout = %d ms", {shown, 32, MaxHops, Timeout}));
    startMs_ = SteadyMs();
    const auto error = [this](uint32_t code) {
        return Format("%s (%d)", {SystemMessage ? SystemMessage(code) : std::string(), static_cast<int>(code)});
    };
    for (int ttl = 1;; ++ttl) {
        const TEchoReply reply =
            icmp_.Send(address, static_cast<uint8_t>(std::min(ttl, 255)), static_cast<uint32_t>(Timeout), OnStep);
        if (!reply.Answered) {
            if (!(Aborted && Aborted()))
                Add(kTraceError, 0, ttl, 0, error(reply.Error));
        } else {
            if (reply.Replies > 1)
                Add(kTraceError, 0, ttl, 0, "Received more than 1 echo reply.");
            if (reply.Status != kIcmpSuccess && reply.Status != kIcmpTtlExpired) {
                Add(kTraceError, 0, ttl, 0, error(reply.Status));
            } else {
                Add(kTraceReply, reply.From, ttl, reply.RoundTrip, "");
                if (reply.From == address) {
                    Add(kTraceHeadline, 0, -1, 0, Format("Destination reached with %d hops", {ttl}));
                    return;
                }
            }
        }
        if (Aborted && Aborted()) {
            Add(kTraceMessage, 0, -1, 0, " Trace aborted, destination not reached.");
            return;
        }
        if (ttl + 1 > MaxHops) {
            Add(kTraceMessage, 0, -1, 0, " Maximum amount of hops reached, stopping the trace.");
            return;
        }
    }
}
