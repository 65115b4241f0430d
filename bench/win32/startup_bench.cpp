// How long DaDeruv.exe takes from the start of its process until its window is up and it waits for input, for the
// launcher and the first tools, against an empty window of the same window layer (this program started with
// --empty) in the same run. The program runs in a fresh copy of the folder DD_DIST names, made under DD_WORK.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/HandlesWin32.h"
#include "core/NvFormWin32.h"
#include "tests/ui/AppSession.h"

namespace {
constexpr int kRuns = 7;

class TEmptyForm : public TNvForm {
  public:
    TEmptyForm() : TNvForm(nullptr) {
        CreateForm("Empty", WS_OVERLAPPEDWINDOW, 300, 200);
        ShowWindow(Handle(), SW_SHOWNORMAL);
    }
};

double Milliseconds() {
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One start: the time until the process waits for input with a visible window, or a negative number on failure.
double TimeStart(std::string commandLine, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = Milliseconds();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
        return -1;
    const TObjectHandle process(info.hProcess);
    const TObjectHandle thread(info.hThread);
    WaitForInputIdle(process.get(), 20000);
    HWND window = nullptr;
    while (!(window = FindProcessWindow(info.dwProcessId)) && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT)
        Sleep(1);
    const double ready = Milliseconds();
    if (!window)
        return -1;
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 1);  // only the process started here
    return ready - start;
}

double MedianStart(const std::string& commandLine, const std::string& folder) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(TimeStart(commandLine, folder));
    std::sort(times.begin(), times.end());
    return times.front() < 0 ? -1 : times[times.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--empty") == 0) {
        TEmptyForm form;
        return RunMessageLoop();
    }
    const TDistCopy dist("startup");
    const std::string& folder = dist.Folder();
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    const double empty = MedianStart("\"" + std::string(self) + "\" --empty", folder);
    std::printf("%-22s %10s %7s\n", "start (median of 7)", "ms", "ratio");
    std::printf("%-22s %10.1f %7s\n", "empty window", empty, "1.0");
    const char* tools[][2] = {{"launcher", ""},
                              {"calculator", "calc"},
                              {"unit converter", "1"},
                              {"number converter", "2"},
                              {"number information", "3"}};
    for (const auto& tool : tools) {
        std::string commandLine = "\"" + folder + "DaDeruv.exe\"";
        if (*tool[1])
            commandLine += std::string(" ") + tool[1];
        const double time = MedianStart(commandLine, folder);
        std::printf("%-22s %10.1f %7.1f\n", tool[0], time, time / empty);
        std::fflush(stdout);
    }
    return 0;
}
