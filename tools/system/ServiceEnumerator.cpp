#include "tools/system/ServiceEnumerator.h"

#include <iterator>

namespace {
constexpr const char* kTypeBitNames[] = {"KERNEL_DRIVER",      "FILE_SYSTEM_DRIVER",  "ADAPTER", "RECOGNIZER_DRIVER",
                                         "WIN32_OWN_PROCESS",  "WIN32_SHARE_PROCESS", "0x40",    "0x80",
                                         "INTERACTIVE_PROCESS"};
constexpr const char* kStateNames[] = {"Stopped", "Starting", "Stopping", "Running", "Continue", "Pausing", "Paused"};
constexpr const char* kStartTypeNames[] = {"Boot", "System", "Automatic", "Manual", "Disabled"};
}  // namespace

uint32_t TServiceEnumerator::Enumerate() {
    Clear();
    services_ = manager_.EnumerateServices();
    total_ = static_cast<uint32_t>(services_.size());
    for (TServiceRecord& service : services_) {
        const uint32_t state = service.Status.CurrentState;
        if (state == kServiceRunning || state == kServiceStartPending)
            ++runningCount_;
        service.ServiceConfig = manager_.QueryConfig(service.ServiceName);
    }
    return total_;
}

void TServiceEnumerator::Clear() {
    services_.clear();
    total_ = 0;
    runningCount_ = 0;
}

const TServiceRecord* TServiceEnumerator::Service(int index) const {
    return index >= 0 && index < Count() ? &services_[static_cast<size_t>(index)] : nullptr;
}

std::string ServiceTypeText(uint32_t type) {
    std::string text;
    for (size_t bit = 0; bit < std::size(kTypeBitNames); ++bit) {
        if (type & (1u << bit))
            text += (text.empty() ? "" : ", ") + std::string(kTypeBitNames[bit]);
    }
    return text;
}

const char* ServiceStateName(uint32_t state) {
    return state >= 1 && state <= std::size(kStateNames) ? kStateNames[state - 1] : "";
}

const char* ServiceStartTypeName(uint32_t startType) {
    return startType < std::size(kStartTypeNames) ? kStartTypeNames[startType] : "";
}
