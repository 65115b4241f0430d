#include "core/NetBasic.h"

#include <algorithm>
#include <cstring>

#include "core/Clock.h"

namespace {
std::string DottedAddress(uint32_t address) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty())
            text += '.';
        text += std::to_string((address >> shift) & 0xFF);
    }
    return text;
}
}  // namespace

TNetBasic::TNetBasic() : StartupResult(NetStartup()) {}

TNetBasic::~TNetBasic() {
    if (StartupResult == 0)
        NetCleanup();
}

TSocket TNetBasic::CreateSocket(bool udp) {
    return TSocket(NetOpen(udp));
}

bool TNetBasic::Connect(TSocket& socket, const std::string& host, uint16_t port) {
    if (StartupResult != 0 || !socket)
        return false;
    Host = host;
    Port = port;
    ConnectTime = 0;

    uint32_t address = 0;
    if (NetParseAddress(host, address)) {
        NameResolved = false;
    } else {
        std::string officialName;
        if (!NetResolve(host, address, officialName)) {
            Close(socket);
            return false;
        }
        NameResolved = true;
        if (!officialName.empty())
            HostName = officialName;
    }
    Address = DottedAddress(address);

    // Lingering stays off so that a close never blocks.
    NetSetLinger(socket.get(), false, static_cast<uint16_t>(Timeout));
    NetSetReceiveTimeout(socket.get(), Timeout);

    const uint32_t start = AppClock().TickCount();
    if (!NetConnect(socket.get(), address, port, Timeout)) {
        Close(socket);
        return false;
    }
    ConnectTime = AppClock().TickCount() - start;
    Connected = true;
    return true;
}

void TNetBasic::Close(TSocket& socket) {
    Connected = false;
    if (socket)
        NetShutdown(socket.get());
    socket.reset();
}

int TNetBasic::Send(const TSocket& socket, const void* buffer, int size) {
    if (size == -1 && buffer)
        size = static_cast<int>(std::strlen(static_cast<const char*>(buffer))) + 1;  // the zero byte goes too
    if (size < 0 || (!buffer && size > 0))
        return -1;
    return NetSend(socket.get(), buffer, size);
}

int TNetBasic::Recv(const TSocket& socket, void* buffer, int size) {
    if (size <= 0 || !buffer)
        return -1;
    char* text = static_cast<char*>(buffer);
    const int n = NetRecv(socket.get(), text, size - 1);
    // Terminated even after an error or time-out: callers log the buffer whatever came back.
    text[std::max(0, n)] = '\0';
    return n;
}

int TNetBasic::RecvWaiting(const TSocket& socket, void* buffer, int size, const std::function<bool()>& step) {
    constexpr int32_t kSliceMs = 50;
    if (size <= 0 || !buffer)
        return kRecvFailed;
    static_cast<char*>(buffer)[0] = '\0';
    const uint32_t start = AppClock().TickCount();
    for (;;) {
        if (step && !step())
            return kRecvStopped;
        const int ready = NetWaitReadable(socket.get(), kSliceMs);
        if (ready < 0)
            return kRecvFailed;
        if (ready > 0)
            return std::max(Recv(socket, buffer, size), kRecvFailed);
        if (static_cast<int32_t>(AppClock().TickCount() - start) >= Timeout)
            return kRecvTimedOut;
    }
}

bool SplitHostPort(const std::string& server, uint16_t defaultPort, std::string& host, uint16_t& port) {
    const size_t colon = server.rfind(':');
    host = server;
    port = defaultPort;
    if (colon == std::string::npos || server.find(':') != colon)  // none, or an IPv6 address
        return true;
    const std::string digits = server.substr(colon + 1);
    unsigned value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9' || value > 65535)
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (digits.empty() || value < 1 || value > 65535)
        return false;
    host = server.substr(0, colon);
    port = static_cast<uint16_t>(value);
    return true;
}
