#include "core/NetBasic.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <string>

namespace {
SOCKET Sock(const TSocket& s) {
    return static_cast<SOCKET>(s.get());
}
}  // namespace

TEST(NetBasicWinsock, ConnectsSendsAndReceivesOverLoopback) {
    TNetBasic net;  // first in, last out: it keeps Winsock started for the listener too
    ASSERT_EQ(net.StartupResult, 0);
    net.Timeout = 200;
    const TSocket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof at;
    ASSERT_EQ(bind(Sock(listener), reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    ASSERT_EQ(getsockname(Sock(listener), reinterpret_cast<sockaddr*>(&at), &length), 0);
    ASSERT_EQ(listen(Sock(listener), 4), 0);

    TSocket s = net.CreateSocket(false);
    ASSERT_TRUE(net.Connect(s, "127.0.0.1", ntohs(at.sin_port)));
    const TSocket peer(accept(Sock(listener), nullptr, nullptr));
    ASSERT_TRUE(peer);

    EXPECT_EQ(net.Send(s, "abc", -1), 4);
    char got[8] = {};
    EXPECT_EQ(recv(Sock(peer), got, sizeof got, 0), 4);
    EXPECT_EQ(std::string(got, 4), std::string("abc", 4));

    ASSERT_EQ(send(Sock(peer), "hello", 5, 0), 5);
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(net.Recv(s, buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "hel");
    EXPECT_EQ(net.Recv(s, buffer, sizeof buffer), 2);
    EXPECT_STREQ(buffer, "lo");

    buffer[0] = 'x';
    EXPECT_EQ(net.Recv(s, buffer, sizeof buffer), -1);  // nothing more: the receive time-out ends the wait
    EXPECT_EQ(buffer[0], '\0');
}
