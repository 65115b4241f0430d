#pragma once
#include <cstdint>
#include <string>

#include "core/NetSockets.h"

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
