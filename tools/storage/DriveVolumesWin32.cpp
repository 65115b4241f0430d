#include <windows.h>

#include <shellapi.h>

#include "tools/storage/DriveVolumes.h"

namespace {
// No "insert a disk" box for an empty drive: the row shows the error instead.
class TQuietErrors {
  public:
    TQuietErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~TQuietErrors() { SetErrorMode(previous_); }
    TQuietErrors(const TQuietErrors&) = delete;
    TQuietErrors& operator=(const TQuietErrors&) = delete;

  private:
    UINT previous_;
};

class TWin32Drives : public IDrivePlatform {
  public:
    uint32_t LogicalDrives() override { return GetLogicalDrives(); }
    uint32_t DriveType(const std::string& root) override { return GetDriveTypeA(root.c_str()); }
    bool QueryVolume(const std::string& root, TDriveVolume& v, uint32_t& error) override {
        const TQuietErrors quiet;
        char name[MAX_PATH] = "";
        char fileSystem[MAX_PATH] = "";
        DWORD serial = 0, length = 0, flags = 0;
        if (!GetVolumeInformationA(root.c_str(), name, MAX_PATH - 1, &serial, &length, &flags, fileSystem,
                                   MAX_PATH - 1)) {
            error = GetLastError();
            return false;
        }
        v.VolumeName = name;
        v.SerialNumber = serial;
        v.MaxComponentLength = length;
        v.FileSystemFlags = flags;
        v.FileSystemName = fileSystem;
        return true;
    }
    bool QueryFreeSpace(const std::string& root, int64_t& available, int64_t& total, uint32_t& error) override {
        const TQuietErrors quiet;
        ULARGE_INTEGER free{}, size{};
        if (!GetDiskFreeSpaceExA(root.c_str(), &free, &size, nullptr)) {
            error = GetLastError();
            return false;
        }
        available = static_cast<int64_t>(free.QuadPart);
        total = static_cast<int64_t>(size.QuadPart);
        return true;
    }
    uintptr_t DriveIcon(const std::string& root) override {
        SHFILEINFOA info{};
        SHGetFileInfoA(root.c_str(), 0, &info, sizeof info, SHGFI_ICON);
        return reinterpret_cast<uintptr_t>(info.hIcon);
    }
    void DestroyIcon(uintptr_t icon) override { ::DestroyIcon(reinterpret_cast<HICON>(icon)); }
};
}  // namespace

IDrivePlatform& SystemDrivePlatform() {
    static TWin32Drives platform;
    return platform;
}
