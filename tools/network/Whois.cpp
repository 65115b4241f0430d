#include "tools/network/Whois.h"

#include <cstdio>

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/Format.h"
#include "core/NetBasic.h"

namespace {
constexpr int32_t kSliceMs = 10;
constexpr int kBufferSize = 4096;
}  // namespace

std::string WhoisRequest(const std::string& query, const std::string& parameters) {
    std::string request;
    if (parameters != "NONE")
        request = parameters.substr(0, kWhoisMaxLine) + " ";
    return request + query.substr(0, kWhoisMaxLine - 2) + "\r\n";
}

bool SplitWhoisServer(const std::string& server, std::string& host, uint16_t& port) {
    const size_t colon = server.rfind(':');
    host = server;
    port = kWhoisPort;
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

std::string WhoisLogFileName(double now) {
    const TDateTimeParts p = DecodeDateTime(now);
    char name[32];
    std::snprintf(name, sizeof name, "log_%02d%02d%02d_%02d%02d%02d.log", p.year % 100, p.month, p.day, p.hour,
                  p.minute, p.second);
    return name;
}

int TWhoisQuery::Receive(uintptr_t socket, char* buffer, int size) {
    const uint32_t start = AppClock().TickCount();
    for (;;) {
        if (OnStep && !OnStep())
            return kAborted;
        const int ready = NetWaitReadable(socket, kSliceMs);
        if (ready < 0)
            return kFailed;
        if (ready > 0) {
            const int n = NetRecv(socket, buffer, size - 1);
            buffer[n > 0 ? n : 0] = '\0';
            return n < 0 ? kFailed : n;
        }
        if (static_cast<int32_t>(AppClock().TickCount() - start) >= Timeout)
            return kTimedOut;
    }
}

bool TWhoisQuery::Run(const std::string& query, const std::string& parameters, const std::string& server) {
    if (query.empty() || server.empty())
        return false;
    const auto log = [this](const std::string& text, uint32_t kind) {
        if (OnText)
            OnText(text, kind);
    };
    std::string host;
    uint16_t port = kWhoisPort;
    const bool named = SplitWhoisServer(server, host, port);
    log(Format("Connecting to whois server \"%s\" on port %d...", {host, static_cast<int>(port)}), kWhoisConnecting);
    TNetBasic net;
    net.Timeout = Timeout;
    TSocket socket = net.CreateSocket(false);
    if (!named || !net.Connect(socket, host, port)) {
        log("Could not connect to the selected whois server", kWhoisPlain);
        log("", kWhoisSeparator);
        return false;
    }
    char buffer[kBufferSize];
    size_t received = 0;
    int n = Receive(socket.get(), buffer, kBufferSize);
    if (n > 0) {
        received += static_cast<size_t>(n);
        log(buffer, kWhoisGreeting);
    }
    if (n != kAborted) {
        log("Requesting info on \"" + query + "\"...", kWhoisPlain);
        if (parameters != "NONE")
            log(Format("Using parameters \"%s\"", {parameters}), kWhoisPlain);
        const std::string request = WhoisRequest(query, parameters);
        net.Send(socket, request.c_str(), -1);  // with the terminating zero byte
        while (received < kWhoisMaxAnswer && (n = Receive(socket.get(), buffer, kBufferSize)) > 0) {
            received += static_cast<size_t>(n);
            log(buffer, kWhoisPlain);
        }
        log(n == kClosed     ? "Connection closed"
            : n == kTimedOut ? Format("Connection closed: no answer within %d ms", {Timeout})
            : n == kFailed   ? "Connection closed: the connection failed"
            : n == kAborted  ? "Connection closed: the query was stopped"
                             : Format("Connection closed: the answer is longer than %d bytes and was cut there",
                                      {static_cast<int>(kWhoisMaxAnswer)}),
            kWhoisPlain);
    }
    net.Close(socket);
    log("", kWhoisSeparator);
    return received > 0;
}
