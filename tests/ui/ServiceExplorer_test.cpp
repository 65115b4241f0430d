#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/ui/AppSession.h"

namespace {
struct TRegisteredService {
    DWORD type = 0;
    DWORD start = 0;
};
// Names in the order of their upper-cased letters.
struct TIgnoringCase {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return toupper(x) < toupper(y); });
    }
};
using TRegisteredServices = std::map<std::string, TRegisteredService, TIgnoringCase>;

// What the prefix's registry says the service manager knows, read past the manager: the service keys with a type.
// Wine's manager also runs a service per driver host without a key: those as it answers for each alone.
TRegisteredServices RegisteredServices(SC_HANDLE manager) {
    TRegisteredServices services;
    HKEY root = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services", 0, KEY_READ, &root);
    const TRegKey rootKey(root);
    char name[256];
    for (DWORD i = 0, size = sizeof name;
         RegEnumKeyExA(root, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = sizeof name) {
        TRegisteredService s{0, 3};
        DWORD bytes = sizeof s.start;
        RegGetValueA(root, name, "Start", RRF_RT_REG_DWORD, nullptr, &s.start, &bytes);
        bytes = sizeof s.type;
        if (RegGetValueA(root, name, "Type", RRF_RT_REG_DWORD, nullptr, &s.type, &bytes) == ERROR_SUCCESS)
            services[name] = s;
    }
    for (int i = 1; i < 10; ++i) {
        const std::string host = "Winedevice" + std::to_string(i);
        const TServiceHandle service(OpenServiceA(manager, host.c_str(), SERVICE_QUERY_CONFIG));
        BYTE buffer[8192];
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer);
        DWORD bytes = 0;
        if (service && QueryServiceConfigA(service.get(), config, sizeof buffer, &bytes))
            services.insert({host, {config->dwServiceType, config->dwStartType}});
    }
    return services;
}

// State and process id as the manager answers for one service alone.
std::string StateAndProcess(SC_HANDLE manager, const std::string& name) {
    const TServiceHandle service(OpenServiceA(manager, name.c_str(), SERVICE_QUERY_STATUS));
    SERVICE_STATUS_PROCESS status{};
    DWORD size = 0;
    if (!service || !QueryServiceStatusEx(service.get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                                          sizeof status, &size))
        return "unreadable";
    constexpr const char* kStates[] = {"",        "Stopped",  "Starting", "Stopping",
                                       "Running", "Continue", "Pausing",  "Paused"};
    return std::string(kStates[status.dwCurrentState % 8]) + "\t" +
           (status.dwProcessId ? std::to_string(status.dwProcessId) : " ");
}

void CreateService(const std::string& name, const std::string& display, const char* start) {
    RunProgram("sc.exe delete " + name);
    ASSERT_EQ(RunProgram("sc.exe create " + name + " binpath= C:\\dd\\" + name + ".exe start= " + start +
                         " displayname= \"" + display + "\""),
              0u);
}
}  // namespace

// The list against the prefix's registry and the manager's own answer per service: names, start types, states and
// process ids; switches, the text filter and their reset; a sort by header click kept across a restart.
TEST(ServiceExplorer, ListsTheServicesOfThePrefixNarrowsThemAndKeepsTheSort) {
    CreateService("DDTestManual", "DDTest Manual", "demand");
    CreateService("DDTestOff", "DDTest Off", "disabled");
    TDistCopy dist("serviceexplorer");
    TAppSession app(dist, "serviceexplorer");
    // Read once the window shows: the manager adds services of its own as it starts drivers.
    const TServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    const TRegisteredServices registered = RegisteredServices(manager.get());
    ASSERT_GE(registered.size(), 10u);
    const char* kStartNames[] = {"Boot", "System", "Automatic", "Manual", "Disabled"};
    // Row texts the defaults show (no kernel or file-system drivers), in internal-name order.
    std::vector<std::string> expected;
    int running = 0;
    for (const auto& [name, service] : registered) {
        const std::string state = StateAndProcess(manager.get(), name);
        running += state.starts_with("Running") || state.starts_with("Starting");
        if (!(service.type & 3))
            expected.push_back(name + "\t" + kStartNames[service.start % 5] + "\t" + state);
    }

    const HWND list = app.Control("SysListView32");
    const HWND status = app.Control("msctls_statusbar32");
    ASSERT_TRUE(list && status);
    const std::string total = std::to_string(registered.size());
    EXPECT_EQ(app.ListViewRows(list, {6, 2, 1, 4}), expected);
    EXPECT_EQ(app.StatusPanel(status, 0), "Services: " + std::to_string(expected.size()) + " / " + total);
    EXPECT_EQ(app.StatusPanel(status, 1), "Running: " + std::to_string(running));
    SaveScreenshot(app.Window(), "service-explorer");

    // The Filters menu from the keyboard opens with no item chosen: up goes to Reset, Win32, File System, Kernel.
    for (const int ups : {3, 4}) {
        app.TypeKey('F', VK_MENU);
        for (int i = 0; i < ups; ++i)
            app.TypeKey(VK_UP);
        app.TypeKey(VK_RETURN);
    }
    EXPECT_TRUE(WaitUntil([&] { return app.StatusPanel(status, 0) == "Services: " + total + " / " + total; }))
        << app.StatusPanel(status, 0);

    EXPECT_EQ(AnswerInputBox([&] { app.PressKey(VK_F3); }, "ddtest"), "Enter a string to filter services by...");
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 2; }));
    EXPECT_EQ(app.ListViewRows(list, {0, 1, 2, 7}),
              (std::vector<std::string>{"DDTest Manual\tStopped\tManual\tC:\\dd\\DDTestManual.exe",
                                        "DDTest Off\tStopped\tDisabled\tC:\\dd\\DDTestOff.exe"}));

    app.PressKey(VK_ESCAPE);  // every switch back to its default, no text
    EXPECT_TRUE(
        WaitUntil([&] { return static_cast<size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) == expected.size(); }));
    // A click on the process id's header: the left edge plus the widths of the columns before it.
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    int x = 10;
    for (int column = 0; column < 4; ++column)
        x += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
    Click(header, x, 5);
    ASSERT_TRUE(app.QuitWithAltQ());
    EXPECT_EQ(dist.ReadIni("serviceexplorer", "sort_index"), "4");
    EXPECT_EQ(dist.ReadIni("serviceexplorer.filters", "kernel_drivers"), "false");
    EXPECT_EQ(dist.ReadIni("serviceexplorer.filters", "text_filter", "none"), "");

    TAppSession again(dist, "serviceexplorer");
    std::vector<std::string> pids = again.ListViewRows(again.Control("SysListView32"), {4});
    ASSERT_EQ(pids.size(), expected.size());
    EXPECT_TRUE(std::is_sorted(pids.begin(), pids.end(), [](const std::string& a, const std::string& b) {
        return std::atoi(a.c_str()) < std::atoi(b.c_str());
    }));
    EXPECT_NE(pids.front(), pids.back());  // some running, some not: the order shows
    ASSERT_TRUE(again.QuitWithAltQ());
}
