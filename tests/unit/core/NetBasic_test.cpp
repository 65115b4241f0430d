#include "core/NetBasic.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {
int Fd(const TSocket& s) {
    return static_cast<int>(s.get());
}

// A socket of the test's own, listening on a free loopback port.
struct TListener {
    TSocket socket;
    uint16_t port = 0;
    explicit TListener(int backlog = 4) : socket(static_cast<TSocketHandle>(::socket(AF_INET, SOCK_STREAM, 0))) {
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof at;
        EXPECT_EQ(bind(Fd(socket), reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
        EXPECT_EQ(getsockname(Fd(socket), reinterpret_cast<sockaddr*>(&at), &length), 0);
        port = ntohs(at.sin_port);
        EXPECT_EQ(listen(Fd(socket), backlog), 0);
    }
};
}  // namespace

TEST(NetBasic, ConnectsByDottedAddressOrNameAndFailsCleanlyOnAnUnknownName) {
    const TListener listener;
    // Host, whether it connects, whether it goes through the name service.
    const std::tuple<const char*, bool, bool> cases[] = {
        {"127.0.0.1", true, false}, {"localhost", true, true}, {"no-such-host.invalid", false, true}};
    for (const auto& [host, ok, byName] : cases) {
        TNetBasic net;
        net.HostName = "kept";
        TSocket s = net.CreateSocket(false);
        ASSERT_TRUE(s);
        EXPECT_EQ(net.Connect(s, host, listener.port), ok) << host;
        EXPECT_EQ(net.Connected, ok) << host;
        EXPECT_EQ(bool(s), ok) << host;
        if (!ok)
            continue;
        EXPECT_EQ(net.NameResolved, byName) << host;
        EXPECT_EQ(net.HostName, byName ? "localhost" : "kept") << host;
        EXPECT_EQ(net.Address, "127.0.0.1") << host;
    }
    TNetBasic net;
    TSocket none;
    EXPECT_FALSE(net.Connect(none, "127.0.0.1", listener.port));
}

TEST(NetBasic, ConnectToAListenerThatNeverAcceptsGivesUpAfterTheTimeOut) {
    const TListener listener(1);
    TNetBasic net;
    net.Timeout = 200;
    std::vector<TSocket> queued;
    for (int i = 0; i < 64; ++i) {
        TSocket s = net.CreateSocket(false);
        if (!net.Connect(s, "127.0.0.1", listener.port)) {
            EXPECT_FALSE(s);
            EXPECT_EQ(net.ConnectTime, 0u);
            return;
        }
        queued.push_back(std::move(s));
    }
    ADD_FAILURE() << "the listener's backlog never filled";
}

// "host:port" names a port of 1 to 65535; an IPv6 address keeps the default port.
TEST(NetBasic, HostsMayNameTheirPort) {
    const char* cases[][2] = {{"host:65535", "host|65535"}, {"::1", "::1|43"},         {"a", "a|43"},
                              {"host:0", "invalid"},        {"host:65536", "invalid"}, {"host:", "invalid"},
                              {"host:4x", "invalid"}};
    for (const auto& c : cases) {
        std::string host;
        uint16_t port = 0;
        EXPECT_EQ(SplitHostPort(c[0], 43, host, port) ? host + "|" + std::to_string(port) : "invalid", c[1]) << c[0];
    }
}
