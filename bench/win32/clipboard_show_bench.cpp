// How long the Clipboard Viewer takes to show a block another program puts on the clipboard, from the put until its
// status bar gives the block's size, for growing blocks of text and of a format of its own (shown as dots and as a
// hex dump), against one second. The put alone is given apart: under Wine it copies the block between processes.
// Built by the Windows build and run under Wine by scripts/bench.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/win32/BenchClock.h"
#include "tests/ui/AppSession.h"

namespace {
std::string Digits(const std::string& text) {
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), [](char c) { return c >= '0' && c <= '9'; });
    return digits;
}

// Lines of 79 letters, as a log file copied whole would give; zero-terminated as text must be.
std::string TextBlock(size_t size) {
    std::string bytes(size, 'x');
    for (size_t at = 79; at + 1 < size; at += 81)
        bytes.replace(at, 2, "\r\n");
    bytes.back() = '\0';
    return bytes;
}
}  // namespace

int main() {
    TDistCopy dist("clipboard-bench");
    TAppSession app(dist, "clipboard");
    const HWND status = app.Control("msctls_statusbar32");
    const UINT own = RegisterClipboardFormatA("DaDeruv Bench Block");
    std::printf("%10s %-6s %8s %8s %s\n", "bytes", "format", "put s", "shown s", "under 1 s");
    for (const size_t size : {size_t{1} << 10, size_t{1} << 20, size_t{16} << 20, size_t{64} << 20}) {
        for (const UINT format : {static_cast<UINT>(CF_TEXT), own}) {
            const std::string bytes = format == CF_TEXT ? TextBlock(size) : std::string(size, '\x07');
            const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
            std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(block)));
            GlobalUnlock(block);
            const double start = Seconds();
            if (!OpenClipboard(nullptr))
                return 1;
            EmptyClipboard();
            SetClipboardData(format, block);
            CloseClipboard();
            const double put = Seconds();
            const std::string expected = std::to_string(size);
            while (Digits(app.StatusPanel(status, 1)) != expected && Seconds() - start < 60)
                Sleep(2);
            const double shown = Seconds() - start;
            std::printf("%10zu %-6s %8.3f %8.3f %s\n", size, format == CF_TEXT ? "text" : "own", put - start, shown,
                        shown < 1 ? "yes" : "no");
            std::fflush(stdout);
        }
    }
    return app.QuitWithAltQ() ? 0 : 1;
}
