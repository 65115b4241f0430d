#include "tools/system/ServiceExplorer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct TRecorded {
    const char *name, *display;
    uint32_t type, state, pid;
    int start;  // -1: the configuration cannot be read
    const char *path, *group;
};
// A list as a service manager could give it: drivers, shared svchost processes, a service in every state class.
constexpr TRecorded kRecorded[] = {
    {"Winmgmt", "Windows Management Instrumentation", 0x20, 4, 32, 2, "C:\\w\\svchost.exe -k netsvcs", ""},
    {"BITS", "Background Intelligent Transfer Service", 0x20, 4, 32, 3, "C:\\w\\svchost.exe -k netsvcs", ""},
    {"afd", "Ancillary Function Driver", 0x1, 4, 0, 1, "C:\\w\\drivers\\afd.sys", "TDI"},
    {"Ntfs", "NTFS", 0x2, 1, 0, 0, "", "Boot File System"},
    {"Spooler", "Print Spooler", 0x110, 1, 0, 4, "C:\\w\\spoolsv.exe", "SpoolerGroup"},
    {"MSIServer", "Windows Installer", 0x10, 3, 88, 3, "C:\\w\\msiexec.exe /V", ""},
    {"Locked", "Locked Service", 0x10, 7, 120, -1, "", ""},
    {"ndisadapter", "Adapter", 0x4, 1, 0, 3, "", ""},
    {"eventlog", "Event Log", 0x20, 2, 12, 2, "C:\\w\\svchost.exe -k LocalService", ""}};

class TRecordedManager : public IServiceManager {
  public:
    std::vector<TServiceRecord> EnumerateServices() override {
        std::vector<TServiceRecord> services;
        for (const TRecorded& r : kRecorded)
            services.push_back({r.name, r.display, {r.type, r.state, 0, 0, 0, 0, 0, r.pid, r.pid != 0}, {}});
        return services;
    }
    std::optional<TServiceConfig> QueryConfig(const std::string& name) override {
        for (const TRecorded& r : kRecorded) {
            if (name == r.name && r.start >= 0)
                return TServiceConfig{0, static_cast<uint32_t>(r.start), 0, r.path, r.group, 0, "", "", ""};
        }
        return std::nullopt;
    }
};

struct TExplorer {
    TRecordedManager manager;
    TServiceEnumerator services{manager};
    TServiceRows source{services};
    TRowView view;
    TExplorer() {
        services.Enumerate();
        view.SetSource(&source);
    }
    std::string Shown(int column) const {
        std::string names;
        for (int i = 0; i < view.Count(); ++i)
            names += source.CellText(view.SourceRow(i), column) + " ";
        return names;
    }
};

constexpr TServiceSwitches kDefaults = {true, true, true, true, true, true, true, false, false, true};
}  // namespace

TEST(ServiceExplorer, SwitchesAndTextNarrowTheListByStateStartTypeTypeClassNamesAndPath) {
    const struct {
        std::vector<TServiceSwitch> flipped;
        const char* text;
        const char* shown;  // internal names in snapshot order
    } cases[] = {
        {{}, "", "Winmgmt BITS Spooler MSIServer Locked ndisadapter eventlog "},
        {{kShowStopped, kShowRunning}, "", "MSIServer Locked eventlog "},  // stopping, paused and starting stay
        {{kShowKernelDrivers, kShowFileSysDrivers, kShowWin32Process}, "", "afd Ntfs ndisadapter "},
        {{kShowManual}, "", "Winmgmt Spooler Locked eventlog "},  // no configuration: no start type to hide
        {{}, "SVCHOST", "Winmgmt BITS eventlog "},                // the binary path
        {{}, "print", "Spooler "},                                // the display name
        {{}, "msis", "MSIServer "},                               // the internal name
    };
    TExplorer e;
    for (const auto& c : cases) {
        TServiceSwitches on = kDefaults;
        for (const TServiceSwitch s : c.flipped)
            on[s] = !on[s];
        e.view.SetFilter(e.source.Filter(c.text, on));
        EXPECT_EQ(e.Shown(6), c.shown) << "text \"" << c.text << "\", " << c.flipped.size() << " flipped";
    }
    EXPECT_EQ(e.services.RunningCount(), 4u);  // running or starting
}

TEST(ServiceExplorer, TheFirstColumnSortsByInternalNameAndProcessIdsAsNumbersWithTiesInSnapshotOrder) {
    TExplorer e;
    e.view.SetFilter(e.source.Filter("", kDefaults));
    const struct {
        int column;
        bool descending;
        const char* shown;
    } cases[] = {{0, false, "BITS eventlog Locked MSIServer ndisadapter Spooler Winmgmt "},
                 {4, false, "Spooler ndisadapter eventlog Winmgmt BITS MSIServer Locked "}};
    for (const auto& c : cases) {
        e.view.SetSort(c.column, c.descending);
        EXPECT_EQ(e.Shown(6), c.shown) << "column " << c.column;
    }
}

TEST(ServiceExplorer, RowTextsAndImages) {
    TExplorer e;
    const auto row = [&](int index) {
        std::string cells;
        for (int column = 0; column < TServiceRows::kColumnCount; ++column)
            cells += e.source.CellText(index, column) + "|";
        return cells + std::to_string(e.source.RowImage(index));
    };
    EXPECT_EQ(row(4),
              "Print Spooler|Stopped|Disabled|WIN32_OWN_PROCESS, INTERACTIVE_PROCESS| | |Spooler|"
              "C:\\w\\spoolsv.exe|SpoolerGroup|9");
    EXPECT_EQ(row(6), "Locked Service|Paused||WIN32_OWN_PROCESS|120|1|Locked|||9");
    EXPECT_EQ(row(8),
              "Event Log|Starting|Automatic|WIN32_SHARE_PROCESS|12|1|eventlog|"
              "C:\\w\\svchost.exe -k LocalService||6");
}
