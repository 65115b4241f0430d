#include "core/NetBasic.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {
int Fd(const TSocket& s) {
    return static_cast<int>(s.get());
}

// A socket of the test's own, bound to a free loopback port (and listening, for TCP).
struct TPeer {
    TSocket socket;
    uint16_t port = 0;
    explicit TPeer(bool udp, int backlog = 4)
        : socket(static_cast<TSocketHandle>(::socket(AF_INET, udp ? SOCK_DGRAM : SOCK_STREAM, 0))) {
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof at;
        EXPECT_EQ(bind(Fd(socket), reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
        EXPECT_EQ(getsockname(Fd(socket), reinterpret_cast<sockaddr*>(&at), &length), 0);
        port = ntohs(at.sin_port);
        if (!udp) {
            EXPECT_EQ(listen(Fd(socket), backlog), 0);
        }
    }
    TSocket Accept() const { return TSocket(static_cast<TSocketHandle>(accept(Fd(socket), nullptr, nullptr))); }
};
}  // namespace

TEST(NetBasic, ConnectsByDottedAddressOrNameAndFailsCleanlyOnAnUnknownName) {
    const TPeer listener(false);
    const struct {
        const char* host;
        bool ok;
        bool byName;
    } cases[] = {{"127.0.0.1", true, false}, {"localhost", true, true}, {"no-such-host.invalid", false, true}};
    for (const auto& c : cases) {
        TNetBasic net;
        net.HostName = "kept";
        TSocket s = net.CreateSocket(false);
        ASSERT_TRUE(s);
        EXPECT_EQ(net.Connect(s, c.host, listener.port), c.ok) << c.host;
        EXPECT_EQ(net.Connected, c.ok) << c.host;
        EXPECT_EQ(bool(s), c.ok) << c.host;
        if (!c.ok)
            continue;
        EXPECT_EQ(net.NameResolved, c.byName) << c.host;
        EXPECT_EQ(net.HostName, c.byName ? "localhost" : "kept") << c.host;
        EXPECT_EQ(net.Address, "127.0.0.1") << c.host;
        EXPECT_EQ(net.Port, listener.port);
        listener.Accept();
        net.Close(s);
        EXPECT_FALSE(s);
        EXPECT_FALSE(net.Connected);
    }
    TNetBasic net;
    TSocket none;
    EXPECT_FALSE(net.Connect(none, "127.0.0.1", listener.port));
}

TEST(NetBasic, SendsTextWithItsZeroAndReceivesTerminatedEvenOnTimeOut) {
    const TPeer listener(false);
    TNetBasic net;
    net.Timeout = 200;
    TSocket s = net.CreateSocket(false);
    ASSERT_TRUE(net.Connect(s, "127.0.0.1", listener.port));
    const TSocket peer = listener.Accept();

    EXPECT_EQ(net.Send(s, "abc", -1), 4);
    char got[8] = {};
    EXPECT_EQ(recv(Fd(peer), got, sizeof got, 0), 4);
    EXPECT_EQ(std::string(got, 4), std::string("abc", 4));

    const std::string message(600, 'm');
    ASSERT_EQ(send(Fd(peer), message.data(), message.size(), 0), 600);
    std::vector<char> buffer(513, 'x');  // one byte more than we hand over, to catch an overrun
    const int n = net.Recv(s, buffer.data(), 512);
    ASSERT_GT(n, 0);
    EXPECT_LE(n, 511);
    EXPECT_EQ(std::string(buffer.data()), message.substr(0, n));
    EXPECT_EQ(buffer[512], 'x');

    int rest = 0;
    do {  // the rest of the message, then the time-out
        buffer.assign(513, 'x');
        rest = net.Recv(s, buffer.data(), 512);
    } while (rest > 0);
    EXPECT_EQ(rest, -1);
    EXPECT_EQ(buffer[0], '\0');
}

TEST(NetBasic, ConnectToAListenerThatNeverAcceptsGivesUpAfterTheTimeOut) {
    const TPeer listener(false, 1);
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

TEST(NetBasic, UdpConnectFixesThePeer) {
    const TPeer peer(true);
    TNetBasic net;
    TSocket s = net.CreateSocket(true);
    ASSERT_TRUE(net.Connect(s, "127.0.0.1", peer.port));
    EXPECT_EQ(net.Send(s, "ping", -1), 5);

    char got[16] = {};
    sockaddr_in from{};
    socklen_t length = sizeof from;
    ASSERT_EQ(recvfrom(Fd(peer.socket), got, sizeof got, 0, reinterpret_cast<sockaddr*>(&from), &length), 5);
    EXPECT_STREQ(got, "ping");
    ASSERT_EQ(sendto(Fd(peer.socket), "pong", 4, 0, reinterpret_cast<sockaddr*>(&from), length), 4);

    char buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    EXPECT_EQ(net.Recv(s, buffer, sizeof buffer), 4);
    EXPECT_STREQ(buffer, "pong");
}
