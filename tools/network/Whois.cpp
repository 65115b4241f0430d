#include "tools/network/Whois.h"

#include <cstdio>

#include "core/DateTime.h"
#include "core/Format.h"
#include "core/NetBasic.h"

namespace {
constexpr int kBufferSize = 4096;
}  // namespace

std::string WhoisRequest(const std::string& query, const std::string& parameters) {
    std::string request;
    if (parameters != "NONE")
        request = parameters.substr(0, kWhoisMaxLine) + " ";
    return request + query.substr(0, kWhoisMaxLine - 2) + "\r\n";
}

std::string WhoisLogFileName(double now) {
    const TDateTimeParts p = DecodeDateTime(now);
    char name[32];
    std::snprintf(name, sizeof name, "log_%02d%02d%02d_%02d%02d%02d.log", p.year % 100, p.month, p.day, p.hour,
                  p.minute, p.second);
    return name;
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
    const bool named = SplitHostPort(server, kWhoisPort, host, port);
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
    int n = net.RecvWaiting(socket, buffer, kBufferSize, OnStep);
    if (n > 0) {
        received += static_cast<size_t>(n);
        log(buffer, kWhoisGreeting);
    }
    if (n != TNetBasic::kRecvStopped) {
        log("Requesting info on \"" + query + "\"...", kWhoisPlain);
        if (parameters != "NONE")
            log(Format("Using parameters \"%s\"", {parameters}), kWhoisPlain);
        const std::string request = WhoisRequest(query, parameters);
        net.Send(socket, request.c_str(), -1);  // with the terminating zero byte
        while (received < kWhoisMaxAnswer && (n = net.RecvWaiting(socket, buffer, kBufferSize, OnStep)) > 0) {
            received += static_cast<size_t>(n);
            log(buffer, kWhoisPlain);
        }
        log(n == 0                          ? "Connection closed"
            : n == TNetBasic::kRecvTimedOut ? Format("Connection closed: no answer within %d ms", {Timeout})
            : n == TNetBasic::kRecvFailed   ? "Connection closed: the connection failed"
            : n == TNetBasic::kRecvStopped
                ? "Connection closed: the query was stopped"
                : Format("Connection closed: the answer is longer than %d bytes and was cut there",
                         {static_cast<int>(kWhoisMaxAnswer)}),
            kWhoisPlain);
    }
    net.Close(socket);
    log("", kWhoisSeparator);
    return received > 0;
}
