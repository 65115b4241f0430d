#include <windows.h>
#include <winsock2.h>

#include <iphlpapi.h>

// needs the types of iphlpapi.h
#include <icmpapi.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "core/HandlesWin32.h"
#include "tools/network/PingManager.h"

namespace {
// One request: its event and its reply buffer (a reply structure, the echoed data and room for an ICMP error),
// which the answer is written into whenever it comes.
struct TRequest {
    TObjectHandle Event{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    std::unique_ptr<std::array<char, sizeof(ICMP_ECHO_REPLY) + 32 + 8 + 64>> Reply =
        std::make_unique<std::array<char, sizeof(ICMP_ECHO_REPLY) + 32 + 8 + 64>>();
};

class TWin32Icmp : public IIcmp {
  public:
    TWin32Icmp() : started_(WSAStartup(MAKEWORD(2, 2), &data_) == 0), handle_(IcmpCreateFile()) {}
    ~TWin32Icmp() override {
        if (handle_ != INVALID_HANDLE_VALUE)
            IcmpCloseHandle(handle_);
        // A request given up on may still write its answer, up to its whole time-out later; the closing window does
        // not wait for that, and leaves those buffers behind for the process's last moments.
        for (TRequest& request : abandoned_)
            if (WaitForSingleObject(request.Event.get(), 0) != WAIT_OBJECT_0) {
                static_cast<void>(request.Event.release());
                static_cast<void>(request.Reply.release());
            }
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
    TEchoReply Send(uint32_t address, uint8_t ttl, uint32_t timeoutMs, const std::function<bool()>& step) override {
        std::erase_if(abandoned_,
                      [](const TRequest& r) { return WaitForSingleObject(r.Event.get(), 0) == WAIT_OBJECT_0; });
        TEchoReply result;
        result.Error = ERROR_CANCELLED;
        TRequest request;
        if (handle_ == INVALID_HANDLE_VALUE || !request.Event)
            return result;
        char data[32] = {};
        IP_OPTION_INFORMATION options{};
        options.Ttl = ttl;
        char* reply = request.Reply->data();
        const auto size = static_cast<DWORD>(request.Reply->size());
        DWORD replies = IcmpSendEcho2(handle_, request.Event.get(), nullptr, nullptr, address, data, sizeof data,
                                      &options, reply, size, timeoutMs);
        if (replies == 0 && GetLastError() == ERROR_IO_PENDING) {
            const DWORD start = GetTickCount();
            const HANDLE events[] = {request.Event.get()};
            for (;;) {
                const DWORD waited = GetTickCount() - start;
                const DWORD slice = waited > timeoutMs + 1000 ? 0 : std::min<DWORD>(50, timeoutMs + 1000 - waited);
                if (MsgWaitForMultipleObjects(1, events, FALSE, slice, QS_ALLINPUT) == WAIT_OBJECT_0)
                    break;
                if (slice == 0 || (step && !step())) {
                    abandoned_.push_back(std::move(request));
                    return result;
                }
            }
            replies = IcmpParseReplies(reply, size);
        }
        if (replies == 0) {
            result.Error = GetLastError();
            return result;
        }
        ICMP_ECHO_REPLY answer;
        std::copy_n(reply, sizeof answer, reinterpret_cast<char*>(&answer));
        return {true, 0, replies, answer.Status, answer.Address, answer.RoundTripTime};
    }

    std::string ReverseName(uint32_t address) override {
        const hostent* entry = gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_INET);
        return entry && entry->h_name ? entry->h_name : "";
    }

  private:
    WSADATA data_{};
    bool started_;
    HANDLE handle_;
    std::vector<TRequest> abandoned_;
};
}  // namespace

std::unique_ptr<IIcmp> OpenIcmp() {
    return std::make_unique<TWin32Icmp>();
}
