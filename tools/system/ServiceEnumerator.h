#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The status block of one service, as the service manager reports it.
struct TServiceStatus {
    uint32_t ServiceType = 0;
    uint32_t CurrentState = 0;
    uint32_t ControlsAccepted = 0;
    uint32_t Win32ExitCode = 0;
    uint32_t ServiceSpecificExitCode = 0;
    uint32_t CheckPoint = 0;
    uint32_t WaitHint = 0;
    uint32_t ProcessId = 0;
    uint32_t ServiceFlags = 0;
};

struct TServiceConfig {
    uint32_t ServiceType = 0;
    uint32_t StartType = 0;
    uint32_t ErrorControl = 0;
    std::string BinaryPathName;
    std::string LoadOrderGroup;
    uint32_t TagId = 0;
    std::string Dependencies;
    std::string ServiceStartName;
    std::string DisplayName;
};

struct TServiceRecord {
    std::string ServiceName;
    std::string DisplayName;
    TServiceStatus Status;
    std::optional<TServiceConfig> ServiceConfig;  // none when the service could not be opened or queried
};

constexpr uint32_t kServiceStopped = 1;
constexpr uint32_t kServiceStartPending = 2;
constexpr uint32_t kServiceRunning = 4;

// The service control manager, as far as the explorer reads it.
class IServiceManager {
  public:
    virtual ~IServiceManager() = default;
    // Every service and driver in any state, with names and status, in the manager's order.
    virtual std::vector<TServiceRecord> EnumerateServices() = 0;
    virtual std::optional<TServiceConfig> QueryConfig(const std::string& serviceName) = 0;
};

// The local machine's manager, opened for enumerating and reading; without access it lists nothing. The native
// build has no services.
std::unique_ptr<IServiceManager> OpenServiceManager();

// A snapshot of every service with its configuration.
class TServiceEnumerator {
  public:
    explicit TServiceEnumerator(IServiceManager& manager) : manager_(manager) {}

    // Replaces the snapshot; returns Total.
    uint32_t Enumerate();
    void Clear();
    const TServiceRecord* Service(int index) const;
    int Count() const { return static_cast<int>(services_.size()); }
    uint32_t Total() const { return total_; }
    // Running or starting.
    uint32_t RunningCount() const { return runningCount_; }

  private:
    IServiceManager& manager_;
    std::vector<TServiceRecord> services_;
    uint32_t total_ = 0;
    uint32_t runningCount_ = 0;
};

// The names of the type bits 0 to 8 that are set, joined by ", ".
std::string ServiceTypeText(uint32_t type);
// "" outside the tables.
const char* ServiceStateName(uint32_t state);
const char* ServiceStartTypeName(uint32_t startType);
