#include "tools/network/TraceRoute.h"

#include <gtest/gtest.h>

namespace {
constexpr uint32_t kDestination = 0x0203C90A;  // 10.201.3.2 in network order
constexpr uint32_t kRouter = 0x0101C90A;       // 10.201.1.1

// Hop 1 is a router, hop 2 keeps silent, hop 3 is the destination.
class TThreeHops : public IIcmp {
  public:
    bool Resolve(const std::string& host, uint32_t& address, std::string& name) override {
        address = kDestination;
        name = "dest.example";
        return host != "unknown.invalid";
    }
    TEchoReply Send(uint32_t, uint8_t ttl, uint32_t, const std::function<bool()>&) override {
        if (ttl == 2)
            return {false, 11010, 0, 0, 0, 0};
        return {true, 0, 1, ttl >= 3 ? kIcmpSuccess : kIcmpTtlExpired, ttl >= 3 ? kDestination : kRouter, 7};
    }
    std::string ReverseName(uint32_t) override { return {}; }
};

std::vector<std::string> Trace(const std::string& destination, int maxHops, bool abortAfterFirst = false) {
    TThreeHops icmp;
    TTraceRoute trace(icmp);
    trace.MaxHops = maxHops;
    std::vector<std::string> lines;
    trace.OnLine = [&](const TTraceLine& l) {
        lines.push_back(std::to_string(l.Kind) + " " + std::to_string(l.Hop) + " " + DottedAddress(l.Address) + " " +
                        l.Text);
    };
    trace.SystemMessage = [](uint32_t code) { return code == 11010 ? std::string("Request timed out.") : ""; };
    trace.Aborted = [&] { return abortAfterFirst && lines.size() > 1; };
    trace.Run(destination);
    return lines;
}
}  // namespace

TEST(TraceRoute, HopsEndAtTheDestinationTheLimitOrAnAbort) {
    const std::string headline = "3 -1 0.0.0.0 Tracing 10.201.3.2, packet size = 32 bytes, max hops = ";
    EXPECT_EQ(Trace("10.201.3.2", 30),
              (std::vector<std::string>{headline + "30, timeout = 1000 ms", "4 1 10.201.1.1 ",
                                        "8 2 0.0.0.0 Request timed out. (11010)", "4 3 10.201.3.2 ",
                                        "1 -1 0.0.0.0 Destination reached with 3 hops"}));
    EXPECT_EQ(
        Trace("dest.example", 2).front(),
        "3 -1 0.0.0.0 Tracing 10.201.3.2 (dest.example), packet size = 32 bytes, max hops = 2, timeout = 1000 ms");
    EXPECT_EQ(Trace("10.201.3.2", 2).back(), "16 -1 0.0.0.0  Maximum amount of hops reached, stopping the trace.");
    EXPECT_EQ(Trace("10.201.3.2", 0).size(), 3u) << "hop 1 is probed even with no hops allowed";
    EXPECT_EQ(Trace("10.201.3.2", 30, true).back(), "16 -1 0.0.0.0  Trace aborted, destination not reached.");
    EXPECT_EQ(Trace("unknown.invalid", 30), (std::vector<std::string>{"16 -1 0.0.0.0 Unable to find server"}));
}

// A time-out that is no number, or outside 1 ms to 128 s, waits 1000 ms: a typed -1 must not hang the window.
TEST(TraceRoute, TimeOutsKeepToTheirRange) {
    for (const auto& [text, ms] : std::vector<std::pair<std::string, int>>{{"128000", 128000},
                                                                           {"1", 1},
                                                                           {"-1", 1000},
                                                                           {"0", 1000},
                                                                           {"128001", 1000},
                                                                           {"", 1000},
                                                                           {"4294967295", 1000}})
        EXPECT_EQ(ParseTraceTimeout(text), ms) << text;
}
