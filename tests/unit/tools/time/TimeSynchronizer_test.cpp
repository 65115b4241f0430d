// The synchroniser against the loopback time servers tests/time_servers.sh starts (chronyd -x and xinetd, the
// test fixture) and against malformed replies of our own; the clock it sets is a recorder.
#include "tools/time/TimeSynchronizer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <gtest/gtest.h>

#include <thread>

#include "core/DateTime.h"
#include "tools/time/TimeUtils.h"

namespace {
// One exchange; the clock it sets records what it was asked and what this machine's clock said then.
struct TExchange : ISystemTime {
    std::vector<double> Asked, Now;
    TEventLog log;
    TTimeSynchronizer sync{*this};
    TExchange(uint8_t protocol, bool udp) {
        sync.Log = &log;
        sync.Protocol = protocol;
        sync.Udp = udp;
        sync.Net.Timeout = 500;
    }
    double UtcNow() const override { return MachineSystemTime().UtcNow(); }
    bool SetUtc(double dayNumber) override {
        Asked.push_back(dayNumber);
        Now.push_back(UtcNow());
        return true;
    }
    bool Logged(const std::string& text) const {
        for (int i = 0; i < log.Count(); ++i)
            if (log.Entry(i).Text.find(text) != std::string::npos)
                return true;
        return false;
    }
};
}  // namespace

TEST(TimeSynchronizer, ServerTimesAndDifferencesFollowTheirRules) {
    const TDateTimeParts t = DecodeDateTime(TimeProtocolServerTime(0xE0000000u, 0));
    EXPECT_EQ(std::vector<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
              std::vector<int>({2019, 2, 2, 11, 39, 44}));
    const TDateTimeParts era = DecodeDateTime(TimeProtocolServerTime(1, 0));  // the 32-bit count wrapped in 2036
    EXPECT_EQ(std::vector<int>({era.year, era.month, era.day, era.hour, era.minute, era.second}),
              std::vector<int>({2036, 2, 7, 6, 28, 17}));
    EXPECT_NEAR((NtpServerTime(0xE0000000u, 0x80000000u, 0) - NtpServerTime(0xE0000000u, 0, 0)) * 86400, 0.498216,
                1e-6);
    for (const auto& [ms, text] :
         std::vector<std::pair<int64_t, std::string>>{{1500, "01 sec, 500 ms"},
                                                      {-61000, "-01 min, 01 sec, 000 ms"},
                                                      {-999, "-999 ms"},
                                                      {90061001, "1 days, 01 hrs, 01 min, 01 sec, 001 ms"}})
        EXPECT_EQ(SyncDurationText(ms), text);
}

// chrony and xinetd on loopback: NTP sets the recorder within 50 ms of this machine's clock, TIME within its
// one-second resolution, and DAYTIME only shows its line.
TEST(TimeSynchronizer, ExchangesWithRealServersSetTheRecorder) {
    const struct {
        uint8_t protocol;
        bool udp;
        uint16_t port;
        double withinMs;
    } cases[] = {{kNtpProtocol, true, 11123, 50},
                 {kTimeProtocol, true, 11037, 1100},
                 {kTimeProtocol, false, 11037, 1100},
                 {kDaytimeProtocol, true, 11013, 0},
                 {kDaytimeProtocol, false, 11013, 0}};
    for (const auto& c : cases) {
        TExchange x(c.protocol, c.udp);
        x.sync.Synchronize("127.0.0.1", c.port);
        const std::string name = std::to_string(c.protocol) + (c.udp ? " udp" : " tcp");
        EXPECT_EQ(x.log.Entry(0).Text,
                  "Connecting to \"127.0.0.1:" + std::to_string(c.port) + "\" @ " + (c.udp ? "UDP" : "TCP"));
        EXPECT_EQ(x.log.Entry(x.log.Count() - 1).Text, "Connection terminated") << name;
        if (c.protocol == kDaytimeProtocol) {
            EXPECT_TRUE(x.Asked.empty()) << name;
            EXPECT_TRUE(x.Logged(" UTC..")) << name;  // the line break shown as dots
            continue;
        }
        ASSERT_EQ(x.Asked.size(), 1u) << name;
        EXPECT_NEAR((x.Asked[0] - x.Now[0]) * 86400000.0, 0, c.withinMs) << name;
        EXPECT_TRUE(x.Logged("synchronised with server")) << name;
    }
}

// Replies that must not set the clock, each with the line that says why.
TEST(TimeSynchronizer, MalformedRepliesLeaveTheClockAlone) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof at;
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    getsockname(fd, reinterpret_cast<sockaddr*>(&at), &length);
    const uint16_t port = ntohs(at.sin_port);
    using TReply = std::vector<uint8_t>;
    // A good answer to the request, then what each case changes in it.
    const auto good = [](const uint8_t* request) {
        TReply r(48, 0);
        r[0] = 0x24;  // version 4, server
        r[1] = 2;
        std::copy(request + 40, request + 48, r.begin() + 24);
        r[40] = 0xE0;
        return r;
    };
    const struct {
        const char* why;
        std::function<void(TReply&)> spoil;
        uint8_t protocol = kNtpProtocol;
    } cases[] = {
        {"Invalid or no buffer received (20 bytes)", [](TReply& r) { r.resize(20); }},
        {"the server sent no time", [](TReply& r) { r[40] = 0; }},
        {"refuses to answer (stratum 0)", [](TReply& r) { r[1] = 0; }},
        {"mode 3 is not a server's answer", [](TReply& r) { r[0] = 0x23; }},
        {"does not answer our request", [](TReply& r) { r[31] ^= 1; }},
        {"not synchronised", [](TReply& r) { r[0] |= 0xC0; }},
        {"Invalid or no buffer received (-1 bytes)", [](TReply& r) { r.clear(); }},
        {"Invalid or no server time received", [](TReply& r) { r.assign(4, 0); }, kTimeProtocol},
    };
    for (const auto& c : cases) {
        std::thread server([&] {
            uint8_t request[128];
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            const ssize_t n = recvfrom(fd, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
            TReply r = n >= 48 ? good(request) : TReply(4, 1);
            c.spoil(r);
            if (!r.empty())
                sendto(fd, r.data(), r.size(), 0, reinterpret_cast<sockaddr*>(&from), fromLength);
        });
        TExchange x(c.protocol, true);
        x.sync.Synchronize("127.0.0.1", port);
        server.join();
        EXPECT_TRUE(x.Asked.empty()) << c.why;
        EXPECT_TRUE(x.Logged(c.why)) << c.why;
    }
    close(fd);
}
