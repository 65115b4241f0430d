#include <winsock2.h>
#include <ws2tcpip.h>

#include "core/NetSockets.h"

static_assert(INVALID_SOCKET == kNoSocket && sizeof(SOCKET) == sizeof(TSocketHandle));

namespace {
SOCKET Sock(TSocketHandle socket) {
    return static_cast<SOCKET>(socket);
}

// Waits for a non-blocking connect: writable means connected, an exception means it failed.
bool WaitConnected(SOCKET s, int32_t timeoutMs) {
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    const int ready = select(0, nullptr, &writable, &failed, timeoutMs > 0 ? &limit : nullptr);
    if (ready == 0)
        WSASetLastError(WSAETIMEDOUT);
    if (ready <= 0)
        return false;
    if (FD_ISSET(s, &failed)) {
        int error = 0;
        int length = sizeof error;
        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
        WSASetLastError(error);
        return false;
    }
    return true;
}
}  // namespace

int NetStartup() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data);
}

void NetCleanup() {
    WSACleanup();
}

TSocketHandle NetOpen(bool udp) {
    return udp ? socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP) : socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
}

void NetClose(TSocketHandle socket) {
    closesocket(Sock(socket));
}

void NetShutdown(TSocketHandle socket) {
    shutdown(Sock(socket), SD_BOTH);
}

bool NetParseAddress(const std::string& host, uint32_t& address) {
    const unsigned long value = inet_addr(host.c_str());
    if (value == INADDR_NONE)
        return false;
    address = ntohl(value);
    return true;
}

bool NetResolve(const std::string& host, uint32_t& address, std::string& officialName) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return false;
    address = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
    officialName = found->ai_canonname ? found->ai_canonname : "";
    freeaddrinfo(found);
    return true;
}

bool NetSetLinger(TSocketHandle socket, bool on, uint16_t seconds) {
    const linger value{static_cast<u_short>(on ? 1 : 0), seconds};
    return setsockopt(Sock(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&value), sizeof value) == 0;
}

bool NetSetReceiveTimeout(TSocketHandle socket, int32_t ms) {
    const DWORD value = ms > 0 ? static_cast<DWORD>(ms) : 0;
    return setsockopt(Sock(socket), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&value), sizeof value) == 0;
}

bool NetConnect(TSocketHandle socket, uint32_t address, uint16_t port, int32_t timeoutMs) {
    const SOCKET s = Sock(socket);
    u_long nonBlocking = 1;
    if (ioctlsocket(s, FIONBIO, &nonBlocking) != 0)
        return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    bool ok = connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
    if (!ok && WSAGetLastError() == WSAEWOULDBLOCK)
        ok = WaitConnected(s, timeoutMs);
    const int error = WSAGetLastError();
    u_long blocking = 0;
    ioctlsocket(s, FIONBIO, &blocking);  // the receive time-out applies to blocking calls only
    WSASetLastError(error);
    return ok;
}

int NetSend(TSocketHandle socket, const void* buffer, int size) {
    return send(Sock(socket), static_cast<const char*>(buffer), size, 0);
}

int NetRecv(TSocketHandle socket, void* buffer, int size) {
    return recv(Sock(socket), static_cast<char*>(buffer), size, 0);
}

int NetWaitReadable(TSocketHandle socket, int32_t ms) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Sock(socket), &readable);
    timeval limit{ms / 1000, (ms % 1000) * 1000};
    const int ready = select(0, &readable, nullptr, nullptr, &limit);
    return ready < 0 ? -1 : ready > 0 ? 1 : 0;
}

int NetLastError() {
    return WSAGetLastError();
}
