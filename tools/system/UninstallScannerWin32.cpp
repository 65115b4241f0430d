#include <windows.h>

#include <shellapi.h>

#include "core/DateTime.h"
#include "core/KoLibWin32.h"
#include "core/LateBoundWin32.h"
#include "tools/system/UninstallScanner.h"

namespace {
class TWin32Platform : public IUninstallPlatform {
  public:
    std::string WindowsDirectory() const override {
        char folder[MAX_PATH] = {};
        GetWindowsDirectoryA(folder, sizeof folder);
        return folder;
    }
    bool LocalDateTime(uint64_t fileTime, double& dateTime) const override {
        const FILETIME utc{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
        FILETIME local{};
        SYSTEMTIME t{};
        if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t))
            return false;
        dateTime = EncodeDateTime(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
        return true;
    }
    std::vector<std::string> FilesIn(const std::string& folder) const override { return FindFiles(folder, "*.*"); }
    uint32_t ExtractSmallIcon(const std::string& file, int index, TIconRef& icon) override {
        static const auto extractIconEx = LateBound<decltype(&ExtractIconExA)>("shell32.dll", "ExtractIconExA");
        HICON small = nullptr;
        if (!extractIconEx)
            return 0;
        const UINT count = extractIconEx(file.c_str(), index, nullptr, &small, 1);
        icon = reinterpret_cast<TIconRef>(small);
        return count;
    }
    void DestroyIcon(TIconRef icon) override { ::DestroyIcon(reinterpret_cast<HICON>(icon)); }
};
}  // namespace

IUninstallPlatform& SystemUninstallPlatform() {
    static TWin32Platform platform;
    return platform;
}

bool IsWow64() {
    static const auto isWow64Process = LateBound<decltype(&IsWow64Process)>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}
