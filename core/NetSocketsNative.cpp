#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <unistd.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>

#include "core/NetSockets.h"

namespace {
int Fd(TSocketHandle socket) {
    return static_cast<int>(socket);  // kNoSocket becomes -1
}

sockaddr_in Endpoint(uint32_t address, uint16_t port) {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    return to;
}

// Waits for a non-blocking connect to finish; EINTR must not cut the wait short or make it longer.
bool WaitConnected(int fd, int32_t timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd entry{fd, POLLOUT, 0};
    for (;;) {
        int wait = -1;
        if (timeoutMs > 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            wait = left > 0 ? static_cast<int>(left) : 0;
        }
        const int ready = poll(&entry, 1, wait);
        if (ready > 0)
            break;
        if (ready == 0) {
            errno = ETIMEDOUT;
            return false;
        }
        if (errno != EINTR)
            return false;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return false;
    errno = error;
    return error == 0;
}
}  // namespace

int NetStartup() {
    return 0;
}

void NetCleanup() {}

TSocketHandle NetOpen(bool udp) {
    const int fd = udp ? socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP)
                       : socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    return fd < 0 ? kNoSocket : static_cast<TSocketHandle>(fd);
}

void NetClose(TSocketHandle socket) {
    close(Fd(socket));
}

void NetShutdown(TSocketHandle socket) {
    shutdown(Fd(socket), SHUT_RDWR);
}

bool NetParseAddress(const std::string& host, uint32_t& address) {
    const in_addr_t value = inet_addr(host.c_str());
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
    const linger value{on ? 1 : 0, seconds};
    return setsockopt(Fd(socket), SOL_SOCKET, SO_LINGER, &value, sizeof value) == 0;
}

bool NetSetReceiveTimeout(TSocketHandle socket, int32_t ms) {
    timeval value{};
    if (ms > 0) {
        value.tv_sec = ms / 1000;
        value.tv_usec = (ms % 1000) * 1000;
    }
    return setsockopt(Fd(socket), SOL_SOCKET, SO_RCVTIMEO, &value, sizeof value) == 0;
}

bool NetConnect(TSocketHandle socket, uint32_t address, uint16_t port, int32_t timeoutMs) {
    const int fd = Fd(socket);
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0)
        return false;
    const sockaddr_in to = Endpoint(address, port);
    bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
    if (!ok && errno == EINPROGRESS)
        ok = WaitConnected(fd, timeoutMs);
    const int error = errno;
    fcntl(fd, F_SETFL, flags);
    errno = error;
    return ok;
}

int NetSend(TSocketHandle socket, const void* buffer, int size) {
    // A peer that has gone must give an error, not SIGPIPE.
    return static_cast<int>(send(Fd(socket), buffer, static_cast<size_t>(size), MSG_NOSIGNAL));
}

int NetRecv(TSocketHandle socket, void* buffer, int size) {
    return static_cast<int>(recv(Fd(socket), buffer, static_cast<size_t>(size), 0));
}

int NetWaitReadable(TSocketHandle socket, int32_t ms) {
    pollfd entry{Fd(socket), POLLIN, 0};
    const int ready = poll(&entry, 1, ms);
    return ready < 0 && errno == EINTR ? 0 : ready < 0 ? -1 : ready > 0 ? 1 : 0;
}

int NetLastError() {
    return errno;
}
