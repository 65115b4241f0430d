#pragma once
#include <array>
#include <string>

#include "core/RowModel.h"
#include "tools/system/ServiceEnumerator.h"

// The ten switches that narrow the list, in menu order.
enum TServiceSwitch {
    kShowStopped,
    kShowRunning,
    kShowBoot,
    kShowSystem,
    kShowAutomatic,
    kShowManual,
    kShowDisabled,
    kShowKernelDrivers,
    kShowFileSysDrivers,
    kShowWin32Process,
    kServiceSwitchCount
};
using TServiceSwitches = std::array<bool, kServiceSwitchCount>;

// Whether the switches let the service through: its state, start type and type class each need theirs on.
bool ServicePassesSwitches(const TServiceRecord& service, const TServiceSwitches& on);

// The rows of the Service Explorer: the snapshot's services in snapshot order, nine columns.
class TServiceRows : public IRowSource {
  public:
    static constexpr int kColumnCount = 9;
    explicit TServiceRows(const TServiceEnumerator& services) : services_(services) {}
    int RowCount() const override { return services_.Count(); }
    std::string CellText(int row, int column) const override;
    int RowImage(int row) const override;
    // Column 0 orders by internal name, column 4 by process id as a number.
    int CompareRows(int a, int b, int column) const override;

    // The rows that pass the switches and contain the text, ignoring case, in the internal name, the display name
    // or the binary path.
    TRowFilter Filter(const std::string& text, const TServiceSwitches& on) const;

  private:
    const TServiceEnumerator& services_;
};
