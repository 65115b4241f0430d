#include <windows.h>
#include <winsock2.h>

#include <iphlpapi.h>

// needs the types of iphlpapi.h
#include <icmpapi.h>

#include <algorithm>
#include <array>

#include "core/HandlesWin32.h"
#include "tools/network/PingManager.h"

namespace {
class TWin32Icmp : public IIcmp {
  public:
    TWin32Icmp()
        : started_(WSAStartup(MAKEWORD(2, 2), &data_) == 0),
          handle_(IcmpCreateFile()),
          event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~TWin32Icmp() override {
        // A request still out writes into reply_ when it ends: let it end first.
        if (pending_)
            WaitForSingleObject(event_.get(), pendingTimeout_ + 1000);
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

    // The request goes out with an event; the window's messages run while the answer is awaited.
    std::optional<uint32_t> Echo(uint32_t address, uint32_t timeoutMs, const std::function<bool()>& step) override {
        if (pending_ && WaitForSingleObject(event_.get(), pendingTimeout_ + 1000) != WAIT_OBJECT_0)
            return std::nullopt;  // the one before never ended: its buffer cannot be given out again
        pending_ = false;
        if (handle_ == INVALID_HANDLE_VALUE || !event_)
            return std::nullopt;
        char request[32] = {};
        IP_OPTION_INFORMATION options{};
        options.Ttl = 255;
        reply_ = {};
        const DWORD sent = IcmpSendEcho2(handle_, event_.get(), nullptr, nullptr, address, request, sizeof request,
                                         &options, reply_.data(), static_cast<DWORD>(reply_.size()), timeoutMs);
        if (sent == 0 && GetLastError() != ERROR_IO_PENDING)
            return std::nullopt;
        if (sent == 0) {
            pending_ = true;
            pendingTimeout_ = timeoutMs;
            const DWORD start = GetTickCount();
            const HANDLE events[] = {event_.get()};
            for (;;) {
                const DWORD waited = GetTickCount() - start;
                const DWORD slice = waited > timeoutMs + 1000 ? 0 : std::min<DWORD>(50, timeoutMs + 1000 - waited);
                const DWORD result = MsgWaitForMultipleObjects(1, events, FALSE, slice, QS_ALLINPUT);
                if (result == WAIT_OBJECT_0)
                    break;
                if (slice == 0 || (step && !step()))
                    return std::nullopt;
            }
            pending_ = false;
            if (IcmpParseReplies(reply_.data(), static_cast<DWORD>(reply_.size())) == 0)
                return std::nullopt;
        }
        const auto* answer = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply_.data());
        if (answer->Status != IP_SUCCESS)
            return std::nullopt;
        return answer->RoundTripTime;
    }

  private:
    WSADATA data_{};
    bool started_;
    HANDLE handle_;
    TObjectHandle event_;
    // A reply structure, the echoed data and room for an ICMP error; it outlives a request the window gave up on.
    alignas(ICMP_ECHO_REPLY) std::array<char, sizeof(ICMP_ECHO_REPLY) + 32 + 8 + 64> reply_{};
    bool pending_ = false;
    DWORD pendingTimeout_ = 0;
};
}  // namespace

std::unique_ptr<IIcmp> OpenIcmp() {
    return std::make_unique<TWin32Icmp>();
}
