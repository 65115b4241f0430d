// How long the Number Information window takes to show a prime list in its output, against the time the routine
// takes to work the list out, for growing ranges: until the first screen shows (the window answers from then on)
// and until the whole list is in. Each range replaces the list before it, as a new query does in the window. Built by
// the Windows build and run under Wine by scripts/bench.sh. Arguments: the ranges to try (default 10,000 to
// 10,000,000).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/win32/BenchClock.h"
#include "core/KoLibWin32.h"
#include "core/NvFormWin32.h"
#include "core/NvRichOutputWin32.h"
#include "tools/number/NumberInfoWin32.h"

namespace {
class TBenchForm : public TNvForm {
  public:
    TBenchForm() : TNvForm(nullptr) {
        CreateForm("Number Information fill", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 640, 480);
        ShowWindow(Handle(), SW_SHOWNORMAL);
    }
};

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    std::vector<uint32_t> ranges;
    for (int i = 1; i < argc; ++i)
        ranges.push_back(static_cast<uint32_t>(std::strtoul(argv[i], nullptr, 10)));
    if (ranges.empty())
        ranges = {10000, 100000, 1000000, 10000000};

    TBenchForm form;
    auto& output = form.Add<TNvRichOutput>();
    const RECT client = form.ClientRect();
    output.SetBounds(0, 0, client.right, client.bottom);
    output.SetFont(TFontHandle(StrToFont("\"Courier New\" 10")));  // the tool's default fixed font

    std::printf("%10s %8s %10s %10s %10s %10s %7s\n", "range", "primes", "bytes", "compute s", "screen s", "fill s",
                "ratio");
    for (const uint32_t range : ranges) {
        const double start = Seconds();
        const TInfoLines lines = PrimesByFoundPrimes(range);
        const double computed = Seconds();
        ShowInfoLines(output, lines);
        UpdateWindow(output.Handle());
        const double screen = Seconds();
        MSG msg;
        while (output.Filling() && GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageSafely(msg);
        const double filled = Seconds();
        const std::string& list =
            std::find_if(lines.begin(), lines.end(), [](const TInfoLine& line) { return line.list; })->text;
        std::printf("%10u %8zu %10zu %10.3f %10.3f %10.3f %7.1f\n", range, std::count(list.begin(), list.end(), ','),
                    list.size(), computed - start, screen - computed, filled - computed,
                    (filled - computed) / (computed - start));
        std::fflush(stdout);
    }
    return 0;
}
