// The Uninstall Lister's work on a full machine: 2,000 products planted under the current user's Uninstall key of
// the registry at hand (under Wine: the bench's own prefix), then scanned, filtered and sorted as a rescan does,
// against the limit of a visible pause (100 ms). The planted keys are removed at the end. Built by the Windows build
// and run under Wine by scripts/bench.sh. Argument: the number of products (default 2000).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/win32/BenchClock.h"
#include "tools/system/Uninstall.h"

namespace {
const char* const kBenchKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

void SetText(HKEY key, const char* name, const std::string& text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

std::string KeyName(int i) {
    return std::string(kBenchKey) + "\\DDBench." + std::to_string(i);
}
}  // namespace

int main(int argc, char** argv) {
    const int products = argc > 1 ? std::atoi(argv[1]) : 2000;
    const char* const publishers[] = {"Microsoft Corporation", "Adobe Inc.", "Mozilla", "NVIDIA", "Oracle"};
    for (int i = 0; i < products; ++i) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyName(i).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return 1;
        SetText(key, "DisplayName", "Bench Product " + std::to_string((i * 7919) % products));
        SetText(key, "DisplayVersion", std::to_string(i % 13) + "." + std::to_string(i % 7));
        SetText(key, "Publisher", publishers[i % 5]);
        SetText(key, "UninstallString", "C:\\Program Files\\Bench " + std::to_string(i) + "\\uninstall.exe /S");
        SetText(key, "InstallDate", "2024" + std::to_string(10 + i % 3) + std::to_string(10 + i % 19));
        const DWORD size = static_cast<DWORD>(i * 37 % 5000000);
        RegSetValueExA(key, "EstimatedSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size), sizeof size);
        RegCloseKey(key);
    }

    std::printf("%8s %10s %10s %10s %10s\n", "products", "scan ms", "filter ms", "sort ms", "of 100 ms");
    for (int run = 0; run < 3; ++run) {
        TUninstallScanner scanner;
        TUninstallRows source(scanner);
        TRowView rows;
        const double start = Seconds();
        scanner.Scan();
        const double scanned = Seconds();
        rows.SetSource(&source);
        rows.SetFilter(WordFilter(source, "bench", {0, 1, 5, 6}));
        const double filtered = Seconds();
        rows.SetSort(4, true);
        const double sorted = Seconds();
        std::printf("%8d %10.1f %10.1f %10.1f %10.2f\n", scanner.Count(), (scanned - start) * 1000,
                    (filtered - scanned) * 1000, (sorted - filtered) * 1000, (sorted - start) * 10);
    }

    TKoReg registry(KEY_ALL_ACCESS);
    registry.SetRootKey(reinterpret_cast<TRegHandle>(HKEY_CURRENT_USER));
    for (int i = 0; i < products; ++i)
        registry.DeleteKey("\\" + KeyName(i));
    return 0;
}
