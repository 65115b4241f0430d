#include <windows.h>

#include <winsvc.h>

#include <cstring>
#include <vector>

#include "core/HandlesWin32.h"
#include "tools/system/ServiceEnumerator.h"

namespace {
constexpr DWORD kEnumerateAndRead = SC_MANAGER_ENUMERATE_SERVICE | STANDARD_RIGHTS_READ;
constexpr DWORD kAllServiceTypes = 0x13F;

std::string Text(const char* text) {
    return text ? text : "";
}

// A list of strings, each ended by a zero, the list by another.
std::string MultiText(const char* text) {
    std::string result;
    for (; text && *text; text += strlen(text) + 1)
        result.append(text).push_back('\0');
    return result;
}

class TWin32ServiceManager : public IServiceManager {
  public:
    TWin32ServiceManager() : manager_(OpenSCManagerA(nullptr, nullptr, kEnumerateAndRead)) {}

    std::vector<TServiceRecord> EnumerateServices() override {
        std::vector<TServiceRecord> services;
        if (!manager_)
            return services;
        std::vector<BYTE> buffer;
        DWORD resume = 0;
        for (;;) {
            DWORD needed = 0;
            DWORD returned = 0;
            const BOOL done =
                EnumServicesStatusExA(manager_.get(), SC_ENUM_PROCESS_INFO, kAllServiceTypes, SERVICE_STATE_ALL,
                                      buffer.empty() ? nullptr : buffer.data(), static_cast<DWORD>(buffer.size()),
                                      &needed, &returned, &resume, nullptr);
            const DWORD error = done ? ERROR_SUCCESS : GetLastError();
            const auto* entries = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSA*>(buffer.data());
            for (DWORD i = 0; i < returned; ++i) {
                TServiceRecord record;
                record.ServiceName = Text(entries[i].lpServiceName);
                record.DisplayName = Text(entries[i].lpDisplayName);
                const SERVICE_STATUS_PROCESS& s = entries[i].ServiceStatusProcess;
                record.Status = {s.dwServiceType,
                                 s.dwCurrentState,
                                 s.dwControlsAccepted,
                                 s.dwWin32ExitCode,
                                 s.dwServiceSpecificExitCode,
                                 s.dwCheckPoint,
                                 s.dwWaitHint,
                                 s.dwProcessId,
                                 s.dwServiceFlags};
                services.push_back(std::move(record));
            }
            const bool grown = needed > buffer.size();
            if (grown)
                buffer.resize(needed);
            // A manager that asks for more without giving any or wanting a bigger buffer would loop for ever.
            if (error != ERROR_MORE_DATA || (returned == 0 && !grown))
                return services;
        }
    }

    std::optional<TServiceConfig> QueryConfig(const std::string& serviceName) override {
        const TServiceHandle service(OpenServiceA(manager_.get(), serviceName.c_str(), GENERIC_READ));
        if (!service)
            return std::nullopt;
        DWORD needed = 0;
        if (QueryServiceConfigA(service.get(), nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return std::nullopt;
        // The second answer counts only when it succeeds: the configuration may have grown in between.
        std::vector<BYTE> buffer(needed);
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
        if (!QueryServiceConfigA(service.get(), config, needed, &needed))
            return std::nullopt;
        return TServiceConfig{config->dwServiceType,
                              config->dwStartType,
                              config->dwErrorControl,
                              Text(config->lpBinaryPathName),
                              Text(config->lpLoadOrderGroup),
                              config->dwTagId,
                              MultiText(config->lpDependencies),
                              Text(config->lpServiceStartName),
                              Text(config->lpDisplayName)};
    }

  private:
    TServiceHandle manager_;
};
}  // namespace

std::unique_ptr<IServiceManager> OpenServiceManager() {
    return std::make_unique<TWin32ServiceManager>();
}
