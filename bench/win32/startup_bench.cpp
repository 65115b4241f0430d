// How long DaDeruv.exe takes from the start of its process until its window is up and it waits for input, and how
// much private memory it then holds while idle, for the launcher, the configuration editor and every tool, against
// a bare window program in the same run: bare_window.exe (no resources), bare_window_manifest.exe (DaDeruv.exe's
// resources, so common controls 6) and the latter started with --dlls (DaDeruv.exe's libraries loaded, a rich edit
// and a list view shown). The bare programs sit beside this one; DaDeruv.exe runs in a fresh copy of the folder
// DD_DIST names, made under DD_WORK.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/win32/BenchClock.h"
#include "core/AppPaths.h"
#include "core/HandlesWin32.h"
#include "core/ToolRegistry.h"
#include "tests/ui/AppSession.h"

namespace {
constexpr int kRuns = 7;
// An idle window's memory is read once it stays within this much between reads some time apart.
constexpr SIZE_T kSteadyBytes = 64 * 1024;
constexpr DWORD kSettleMilliseconds = 200;
constexpr int kMaxSettleReads = 15;
// Rows of the table that others are measured against.
constexpr size_t kBare = 0;
constexpr size_t kBareWithLibraries = 2;
constexpr size_t kLauncher = 3;

struct TProgram {
    std::string name;
    std::string commandLine;
};

struct TMeasure {
    double milliseconds = -1;  // negative: the program did not come up
    double fastest = -1;
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
    bool fromPagefileUsage = false;
};

double Milliseconds() {
    return 1000.0 * Seconds();
}

PROCESS_MEMORY_COUNTERS_EX MemoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        counters = PROCESS_MEMORY_COUNTERS_EX{};
    return counters;
}

// Wine gives no PrivateUsage for another process (it reads 0); its PagefileUsage holds the process's resident
// anonymous pages and swap (RssAnon + VmSwap), which is what the process holds privately. On Windows the two match.
SIZE_T PrivateBytes(const PROCESS_MEMORY_COUNTERS_EX& counters) {
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

// Waits until the window has handled what was sent before and the private bytes have stopped moving (a window
// may still fill a list on a timer), then reads them.
void ReadIdleMemory(HANDLE process, HWND window, TMeasure& measure) {
    PROCESS_MEMORY_COUNTERS_EX last = MemoryOf(process);
    for (int i = 0; i < kMaxSettleReads; ++i) {
        Sleep(kSettleMilliseconds);
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        const PROCESS_MEMORY_COUNTERS_EX now = MemoryOf(process);
        const SIZE_T before = PrivateBytes(last);
        const SIZE_T after = PrivateBytes(now);
        const SIZE_T change = after > before ? after - before : before - after;
        last = now;
        if (change <= kSteadyBytes)
            break;
    }
    measure.privateBytes = PrivateBytes(last);
    measure.workingSet = last.WorkingSetSize;
    measure.fromPagefileUsage = last.PrivateUsage == 0;
}

// One start: the time until the process waits for input with a visible window; with readMemory also its idle
// memory after that.
TMeasure MeasureStart(std::string commandLine, const std::string& folder, bool readMemory) {
    TMeasure measure;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = Milliseconds();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
        return measure;
    const TObjectHandle process(info.hProcess);
    const TObjectHandle thread(info.hThread);
    WaitForInputIdle(process.get(), 20000);
    HWND window = nullptr;
    while (!(window = FindProcessWindow(info.dwProcessId)) && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT)
        Sleep(1);
    const double ready = Milliseconds();
    if (window) {
        measure.milliseconds = ready - start;
        if (readMemory)
            ReadIdleMemory(process.get(), window, measure);
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 1);  // only the process started here
    return measure;
}

// Each program is started once a round, so that what else the machine does meanwhile falls on all of them alike.
// Each program's time is the median of its starts; its memory is read in the last round.
std::vector<TMeasure> MeasurePrograms(const std::vector<TProgram>& programs, const std::string& folder) {
    std::vector<std::vector<double>> times(programs.size());
    std::vector<TMeasure> measures(programs.size());
    for (int round = 0; round < kRuns; ++round) {
        for (size_t i = 0; i < programs.size(); ++i) {
            measures[i] = MeasureStart(programs[i].commandLine, folder, round == kRuns - 1);
            times[i].push_back(measures[i].milliseconds);
        }
    }
    for (size_t i = 0; i < programs.size(); ++i) {
        std::sort(times[i].begin(), times[i].end());
        measures[i].milliseconds = times[i].front() < 0 ? -1 : times[i][times[i].size() / 2];
        measures[i].fastest = times[i].front();
    }
    return measures;
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

// In the order of the row numbers above.
std::vector<TProgram> Programs(const std::string& benchFolder, const std::string& distFolder) {
    const std::string bare = Quoted(benchFolder + "bare_window.exe");
    const std::string bareManifest = Quoted(benchFolder + "bare_window_manifest.exe");
    const std::string exe = Quoted(distFolder + "DaDeruv.exe");
    std::vector<TProgram> programs = {{"bare window", bare},
                                      {"bare + manifest", bareManifest},
                                      {"bare + DLLs", bareManifest + " --dlls"},
                                      {"launcher", exe},
                                      {"-2 " + std::string(ToolRecord(kConfigEditorIndex).Title), exe + " -2"}};
    for (int index = 0; index <= kLastToolIndex; ++index) {
        const std::string number = std::to_string(index);
        programs.push_back({number + " " + ToolRecord(static_cast<TToolIndex>(index)).Title, exe + " " + number});
    }
    return programs;
}

long Kilobytes(SIZE_T bytes) {
    return static_cast<long>(bytes / 1024);
}
}  // namespace

int main() {
    const TDistCopy dist("startup");
    const std::vector<TProgram> programs = Programs(ExeFolder(), dist.Folder());
    // Not counted: the first process of a Wine session also starts Wine's own services, and the launcher's first
    // start creates the INI file the others then read.
    MeasureStart(programs[kBare].commandLine, dist.Folder(), false);
    MeasureStart(programs[kLauncher].commandLine, dist.Folder(), false);
    const std::vector<TMeasure> measures = MeasurePrograms(programs, dist.Folder());
    const TMeasure& bare = measures[kBare];
    const TMeasure& bareWithLibraries = measures[kBareWithLibraries];

    std::printf("start: median (and fastest) of %d starts until the window is visible and waits for input\n", kRuns);
    std::printf("private: %s when idle; +DLLs: private beyond bare + DLLs; working set: WorkingSetSize\n\n",
                bare.fromPagefileUsage ? "PagefileUsage (PrivateUsage reads 0 here)" : "PrivateUsage");
    std::printf("%-26s %9s %8s %6s %12s %8s %16s\n", "program", "start ms", "fastest", "ratio", "private KiB", "+DLLs",
                "working set KiB");
    for (size_t i = 0; i < programs.size(); ++i) {
        const TMeasure& measure = measures[i];
        if (measure.milliseconds < 0) {
            std::printf("%-26s %9s\n", programs[i].name.c_str(), "failed");
            continue;
        }
        std::printf("%-26s %9.1f %8.1f %6.2f %12ld %+8ld %16ld\n", programs[i].name.c_str(), measure.milliseconds,
                    measure.fastest, bare.milliseconds > 0 ? measure.milliseconds / bare.milliseconds : 0.0,
                    Kilobytes(measure.privateBytes),
                    Kilobytes(measure.privateBytes) - Kilobytes(bareWithLibraries.privateBytes),
                    Kilobytes(measure.workingSet));
    }
    return 0;
}
