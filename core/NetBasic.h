#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "core/NetSockets.h"

// "host" or "host:port" (an IPv6 address keeps the default port); false for a port that is not 1 to 65535.
bool SplitHostPort(const std::string& text, uint16_t defaultPort, std::string& host, uint16_t& port);

// A thin blocking client over the platform's sockets. The caller owns the sockets; the object keeps what it
// learned about the last connection.
class TNetBasic {
  public:
    TNetBasic();
    ~TNetBasic();
    TNetBasic(const TNetBasic&) = delete;
    TNetBasic& operator=(const TNetBasic&) = delete;

    TSocket CreateSocket(bool udp);
    bool Connect(TSocket& socket, const std::string& host, uint16_t port);
    void Close(TSocket& socket);
    int Send(const TSocket& socket, const void* buffer, int size);
    int Recv(const TSocket& socket, void* buffer, int size);
    // Recv that waits for the answer in short slices and runs step between them, so that the window answers: the
    // byte count, 0 when the peer closed, or one of the kRecv codes (false from step stops the wait).
    int RecvWaiting(const TSocket& socket, void* buffer, int size, const std::function<bool()>& step);
    static constexpr int kRecvFailed = -1;
    static constexpr int kRecvTimedOut = -2;
    static constexpr int kRecvStopped = -3;

    std::string Host;
    std::string HostName;
    std::string Address;
    uint16_t Port = 21;
    bool Connected = false;
    bool NameResolved = false;
    int32_t Timeout = 5000;
    int32_t StartupResult = 0;
    uint32_t ConnectTime = 0;
};
