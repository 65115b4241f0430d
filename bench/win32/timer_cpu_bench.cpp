// What the windows that redraw on a timer cost: the program's CPU time over ten seconds of its message loop with
// the stop watch idle, then running (a redraw every 52 ms), then the Date Calculator's time percentages (every
// 66 ms), as a share of one core. Built by the Windows build and run under Wine by scripts/bench.sh; Wine's server
// and the X server are not counted.
#include <windows.h>

#include <cstdio>

#include "bench/win32/BenchClock.h"
#include "tools/time/DateCalcWin32.h"
#include "tools/time/StopWatchWin32.h"

namespace {
double CpuSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto seconds = [](FILETIME t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// The share of one core the process used while its messages ran for the given time.
double PumpAndMeasure(double seconds) {
    const double cpu = CpuSeconds();
    const double end = Seconds() + seconds;
    while (Seconds() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return (CpuSeconds() - cpu) / seconds;
}
}  // namespace

int main() {
    auto watch = TKoUtilForm::Create<TFormStopWatch>(nullptr);
    watch->Show();
    PumpAndMeasure(1);
    const double idle = PumpAndMeasure(10);
    SendMessageA(watch->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    const double running = PumpAndMeasure(10);
    SendMessageA(watch->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    watch.reset();
    auto dates = TKoUtilForm::Create<TFormDateCalc>(nullptr);
    dates->Show();
    SendMessageA(dates->Handle(), WM_KEYDOWN, VK_F3, 0);
    PumpAndMeasure(1);
    const double percentages = PumpAndMeasure(10);
    std::printf("CPU, share of one core: stop watch idle %.2f %%, running %.2f %%; time percentages %.2f %%\n",
                idle * 100, running * 100, percentages * 100);
    return 0;
}
