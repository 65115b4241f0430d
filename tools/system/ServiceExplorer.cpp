#include "tools/system/ServiceExplorer.h"

#include <utility>

namespace {
constexpr int kRunningImage = 6;
constexpr int kStoppedImage = 9;
constexpr int kNameColumn = 6;
constexpr int kPathColumn = 7;

// A zero shows as a blank.
std::string NumberOrBlank(uint32_t value) {
    return value == 0 ? " " : std::to_string(value);
}
}  // namespace

bool ServicePassesSwitches(const TServiceRecord& service, const TServiceSwitches& on) {
    const uint32_t state = service.Status.CurrentState;
    if ((state == kServiceStopped && !on[kShowStopped]) || (state == kServiceRunning && !on[kShowRunning]))
        return false;
    if (service.ServiceConfig) {
        const uint32_t startType = service.ServiceConfig->StartType;
        if (startType <= 4 && !on[kShowBoot + startType])
            return false;
    }
    const uint32_t type = service.Status.ServiceType;
    return !(type & 1u && !on[kShowKernelDrivers]) && !(type & 2u && !on[kShowFileSysDrivers]) &&
           !(type & 0x30u && !on[kShowWin32Process]);
}

std::string TServiceRows::CellText(int row, int column) const {
    const TServiceRecord& s = *services_.Service(row);
    const TServiceConfig* config = s.ServiceConfig ? &*s.ServiceConfig : nullptr;
    switch (column) {
        case 0:
            return s.DisplayName;
        case 1:
            return ServiceStateName(s.Status.CurrentState);
        case 2:
            return config ? ServiceStartTypeName(config->StartType) : "";
        case 3:
            return ServiceTypeText(s.Status.ServiceType);
        case 4:
            return NumberOrBlank(s.Status.ProcessId);
        case 5:
            return NumberOrBlank(s.Status.ServiceFlags);
        case kNameColumn:
            return s.ServiceName;
        case kPathColumn:
            return config ? config->BinaryPathName : "";
        case 8:
            return config ? config->LoadOrderGroup : "";
        default:
            return {};
    }
}

int TServiceRows::RowImage(int row) const {
    const uint32_t state = services_.Service(row)->Status.CurrentState;
    return state == kServiceRunning || state == kServiceStartPending ? kRunningImage : kStoppedImage;
}

// Equal keys compare equal (services sharing one process), so the view keeps them in snapshot order.
int TServiceRows::CompareRows(int a, int b, int column) const {
    if (column == 0)
        return CompareTextIgnoringCase(services_.Service(a)->ServiceName, services_.Service(b)->ServiceName);
    if (column == 4) {
        const uint32_t x = services_.Service(a)->Status.ProcessId;
        const uint32_t y = services_.Service(b)->Status.ProcessId;
        return x < y ? -1 : y < x ? 1 : 0;
    }
    return IRowSource::CompareRows(a, b, column);
}

TRowFilter TServiceRows::Filter(const std::string& text, const TServiceSwitches& on) const {
    TRowFilter containsText = WordFilter(*this, text, {kNameColumn, 0, kPathColumn});
    return [this, on, containsText = std::move(containsText)](int row) {
        return ServicePassesSwitches(*services_.Service(row), on) && (!containsText || containsText(row));
    };
}
