// What a running stop watch costs: the program's CPU time over ten seconds of its message loop with the window
// idle, then ten seconds with a timer running (a redraw every 52 ms), as a share of one core. Built by the
// Windows build and run under Wine by scripts/bench.sh; Wine's server and the X server are not counted.
#include <windows.h>

#include <cstdio>

#include "bench/win32/BenchClock.h"
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
    auto form = TKoUtilForm::Create<TFormStopWatch>(nullptr);
    form->Show();
    PumpAndMeasure(1);
    const double idle = PumpAndMeasure(10);
    SendMessageA(form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    const double running = PumpAndMeasure(10);
    SendMessageA(form->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    std::printf("stop watch CPU, share of one core: idle %.2f %%, running %.2f %%\n", idle * 100, running * 100);
    return 0;
}
