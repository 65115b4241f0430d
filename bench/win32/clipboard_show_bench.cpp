// How long the Clipboard Viewer takes to show a block another program puts on the clipboard, from the put until its
// status bar gives the block's size and until it answers again, for growing blocks of text in lines, of text in one
// line and of a format of its own (shown as dots and as a hex dump), against one second. The put alone is given apart:
// under Wine it copies the block between processes. Built by the Windows build and run under Wine by scripts/bench.sh.
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
    std::printf("%10s %-9s %8s %8s %12s %s\n", "bytes", "text", "put s", "shown s", "answering s", "under 1 s");
    struct TKind {
        const char* name;
        UINT format;
        bool lines;
    };
    const TKind kinds[] = {{"lines", CF_TEXT, true}, {"one line", CF_TEXT, false}, {"own", own, false}};
    for (const size_t size : {size_t{1} << 10, size_t{1} << 20, size_t{16} << 20, size_t{64} << 20}) {
        for (const TKind& kind : kinds) {
            std::string bytes = kind.lines ? TextBlock(size) : std::string(size, kind.format == CF_TEXT ? 'x' : '\x07');
            if (kind.format == CF_TEXT)
                bytes.back() = '\0';
            const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
            std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(block)));
            GlobalUnlock(block);
            const double start = Seconds();
            if (!OpenClipboard(nullptr))
                return 1;
            EmptyClipboard();
            SetClipboardData(kind.format, block);
            CloseClipboard();
            const double put = Seconds();
            const std::string expected = std::to_string(size);
            while (Digits(app.StatusPanel(status, 1)) != expected && Seconds() - start < 60)
                Sleep(2);
            const double shown = Seconds() - start;
            // The window answers again once the first screen is in.
            DWORD_PTR answer = 0;
            SendMessageTimeoutA(app.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
            const double answering = Seconds() - start;
            std::printf("%10zu %-9s %8.3f %8.3f %12.3f %s\n", size, kind.name, put - start, shown, answering,
                        answering < 1 ? "yes" : "no");
            std::fflush(stdout);
        }
    }
    return app.QuitWithAltQ() ? 0 : 1;
}
