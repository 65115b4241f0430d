#pragma once
#include <cstdint>
#include <string>
#include <utility>

// The few socket calls the network tools need, over Winsock on Windows and POSIX sockets natively.
// A handle is wide enough for a Winsock SOCKET; "none" is INVALID_SOCKET there and -1 here, the same bits.
using TSocketHandle = std::uintptr_t;
inline constexpr TSocketHandle kNoSocket = ~TSocketHandle{0};

int NetStartup();  // 0 when the socket library is ready
void NetCleanup();
TSocketHandle NetOpen(bool udp);
void NetClose(TSocketHandle socket);
void NetShutdown(TSocketHandle socket);  // both directions
// IPv4 addresses are in host order: 127.0.0.1 is 0x7F000001.
bool NetParseAddress(const std::string& host, uint32_t& address);  // dotted text only, no name look-up
bool NetResolve(const std::string& host, uint32_t& address, std::string& officialName);
bool NetSetLinger(TSocketHandle socket, bool on, uint16_t seconds);
bool NetSetReceiveTimeout(TSocketHandle socket, int32_t ms);
bool NetConnect(TSocketHandle socket, uint32_t address, uint16_t port, int32_t timeoutMs);  // ms <= 0: no limit
int NetSend(TSocketHandle socket, const void* buffer, int size);
int NetRecv(TSocketHandle socket, void* buffer, int size);
// 1 when a receive would not block (data, a close or an error waits), 0 after ms without, -1 on failure.
int NetWaitReadable(TSocketHandle socket, int32_t ms);
int NetLastError();

// Move-only owner of one socket.
class TSocket {
  public:
    TSocket() = default;
    explicit TSocket(TSocketHandle handle) : handle_(handle) {}
    ~TSocket() { reset(); }
    TSocket(TSocket&& other) noexcept : handle_(other.release()) {}
    TSocket& operator=(TSocket&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    TSocket(const TSocket&) = delete;
    TSocket& operator=(const TSocket&) = delete;

    TSocketHandle get() const { return handle_; }
    explicit operator bool() const { return handle_ != kNoSocket; }
    TSocketHandle release() { return std::exchange(handle_, kNoSocket); }
    void reset(TSocketHandle handle = kNoSocket) {
        if (handle_ != kNoSocket)
            NetClose(handle_);
        handle_ = handle;
    }

  private:
    TSocketHandle handle_ = kNoSocket;
};
