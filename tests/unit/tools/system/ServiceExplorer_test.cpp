#include "tools/system/ServiceExplorer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {
// A list as a service manager could give it: drivers, shared svchost processes, a service in every state class,
// one whose configuration cannot be read.
class TRecordedManager : public IServiceManager {
  public:
    std::vector<TServiceRecord> EnumerateServices() override {
        const auto service = [](const char* name, const char* display, uint32_t type, uint32_t state, uint32_t pid) {
            return TServiceRecord{name, display, {type, state, 0, 0, 0, 0, 0, pid, pid != 0}, std::nullopt};
        };
        return {service("Winmgmt", "Windows Management Instrumentation", 0x20, 4, 32),
                service("BITS", "Background Intelligent Transfer Service", 0x20, 4, 32),
                service("afd", "Ancillary Function Driver", 0x1, 4, 0),
                service("Ntfs", "NTFS", 0x2, 1, 0),
                service("Spooler", "Print Spooler", 0x110, 1, 0),
                service("MSIServer", "Windows Installer", 0x10, 3, 88),
                service("Locked", "Locked Service", 0x10, 7, 120),
                service("ndisadapter", "Adapter", 0x4, 1, 0),
                service("eventlog", "Event Log", 0x20, 2, 12)};
    }
    std::optional<TServiceConfig> QueryConfig(const std::string& name) override {
        const auto config = [](uint32_t start, const char* path, const char* group) {
            TServiceConfig c;
            c.StartType = start;
            c.BinaryPathName = path;
            c.LoadOrderGroup = group;
            return c;
        };
        const std::string svchost = "C:\\windows\\system32\\svchost.exe -k ";
        const std::pair<std::string, TServiceConfig> configs[] = {
            {"Winmgmt", config(2, (svchost + "netsvcs").c_str(), "")},
            {"BITS", config(3, (svchost + "netsvcs").c_str(), "")},
            {"afd", config(1, "C:\\windows\\system32\\drivers\\afd.sys", "TDI")},
            {"Ntfs", config(0, "", "Boot File System")},
            {"Spooler", config(4, "C:\\windows\\system32\\spoolsv.exe", "SpoolerGroup")},
            {"MSIServer", config(3, "C:\\windows\\system32\\msiexec.exe /V", "")},
            {"ndisadapter", config(3, "", "")},
            {"eventlog", config(2, (svchost + "LocalService").c_str(), "")}};
        for (const auto& [service, c] : configs) {
            if (service == name)
                return c;
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
        {{kShowDisabled, kShowBoot}, "", "Winmgmt BITS MSIServer Locked ndisadapter eventlog "},
        {{}, "SVCHOST", "Winmgmt BITS eventlog "},  // the binary path
        {{}, "print", "Spooler "},                  // the display name
        {{}, "msis", "MSIServer "},                 // the internal name
        {{kShowKernelDrivers}, "drivers\\", "afd "},
    };
    TExplorer e;
    for (const auto& c : cases) {
        TServiceSwitches on = kDefaults;
        for (const TServiceSwitch s : c.flipped)
            on[s] = !on[s];
        e.view.SetFilter(e.source.Filter(c.text, on));
        EXPECT_EQ(e.Shown(6), c.shown) << "text \"" << c.text << "\", " << c.flipped.size() << " flipped";
    }
    EXPECT_EQ(e.services.Total(), 9u);
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
                 {4, false, "Spooler ndisadapter eventlog Winmgmt BITS MSIServer Locked "},
                 {4, true, "Locked MSIServer Winmgmt BITS eventlog Spooler ndisadapter "}};
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
              "C:\\windows\\system32\\spoolsv.exe|SpoolerGroup|9");
    EXPECT_EQ(row(6), "Locked Service|Paused||WIN32_OWN_PROCESS|120|1|Locked|||9");
    EXPECT_EQ(row(8),
              "Event Log|Starting|Automatic|WIN32_SHARE_PROCESS|12|1|eventlog|"
              "C:\\windows\\system32\\svchost.exe -k LocalService||6");
    EXPECT_EQ(ServiceTypeText(0x1FF),
              "KERNEL_DRIVER, FILE_SYSTEM_DRIVER, ADAPTER, RECOGNIZER_DRIVER, "
              "WIN32_OWN_PROCESS, WIN32_SHARE_PROCESS, 0x40, 0x80, INTERACTIVE_PROCESS");
}
