#include <windows.h>
#include <winsock2.h>

#include <iphlpapi.h>

// needs the types of iphlpapi.h
#include <icmpapi.h>

#include "tools/network/PingManager.h"

namespace {
class TWin32Icmp : public IIcmp {
  public:
    TWin32Icmp() : started_(WSAStartup(MAKEWORD(2, 2), &data_) == 0), handle_(IcmpCreateFile()) {}
    ~TWin32Icmp() override {
        if (handle_ != INVALID_HANDLE_VALUE)
            IcmpCloseHandle(handle_);
        if (started_)
            WSACleanup();
    }
    TWin32Icmp(const TWin32Icmp&) = delete;
    TWin32Icmp& operator=(const TWin32Icmp&) = delete;

    bool Resolve(const std::string& host, uint32_t& address, std::string& name) override {
        name.clear();
        address = inet_addr(host.c_str());
        if (address == INADDR_NONE) {
            const hostent* entry = gethostbyname(host.c_str());
            if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0])
                return false;
            address = *reinterpret_cast<const uint32_t*>(entry->h_addr_list[0]);
            name = entry->h_name ? entry->h_name : "";
        } else if (const hostent* entry = gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_INET)) {
            name = entry->h_name ? entry->h_name : "";
        }
        return true;
    }

    std::optional<uint32_t> Echo(uint32_t address, uint32_t timeoutMs) override {
        if (handle_ == INVALID_HANDLE_VALUE)
            return std::nullopt;
        char request[32] = {};
        // A reply structure, the echoed data and room for an ICMP error.
        alignas(ICMP_ECHO_REPLY) char reply[sizeof(ICMP_ECHO_REPLY) + sizeof request + 8 + 64] = {};
        IP_OPTION_INFORMATION options{};
        options.Ttl = 255;
        const DWORD n =
            IcmpSendEcho(handle_, address, request, sizeof request, &options, reply, sizeof reply, timeoutMs);
        const auto* answer = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply);
        if (n == 0 || answer->Status != IP_SUCCESS)
            return std::nullopt;
        return answer->RoundTripTime;
    }

  private:
    WSADATA data_{};
    bool started_;
    HANDLE handle_;
};
}  // namespace

std::unique_ptr<IIcmp> OpenIcmp() {
    return std::make_unique<TWin32Icmp>();
}
