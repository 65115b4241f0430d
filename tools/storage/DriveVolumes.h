#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One logical drive as the file system describes it.
struct TDriveVolume {
    std::string RootPath;  // "C:\"
    uint32_t DriveType = 0;
    std::string VolumeName;
    uint32_t SerialNumber = 0;
    uint32_t MaxComponentLength = 0;
    uint32_t FileSystemFlags = 0;
    std::string FileSystemName;
    int64_t FreeBytesAvailable = 0;
    int64_t TotalBytes = 0;
    uintptr_t Icon = 0;      // the shell's icon, owned by the list of volumes
    uint32_t ErrorCode = 0;  // of the query that failed, else 0
};

// The platform's drives.
class IDrivePlatform {
  public:
    virtual ~IDrivePlatform() = default;
    virtual uint32_t LogicalDrives() = 0;  // bit 0 = A:
    virtual uint32_t DriveType(const std::string& root) = 0;
    // Label, serial, name length, flags and file system; false with the error code when the volume cannot answer.
    virtual bool QueryVolume(const std::string& root, TDriveVolume& volume, uint32_t& error) = 0;
    virtual bool QueryFreeSpace(const std::string& root, int64_t& available, int64_t& total, uint32_t& error) = 0;
    virtual uintptr_t DriveIcon(const std::string& root) = 0;
    virtual void DestroyIcon(uintptr_t icon) = 0;
};
IDrivePlatform& SystemDrivePlatform();

class TDriveVolumes {
  public:
    explicit TDriveVolumes(IDrivePlatform& platform = SystemDrivePlatform()) : platform_(platform) {}
    ~TDriveVolumes() { Clear(); }
    TDriveVolumes(const TDriveVolumes&) = delete;
    TDriveVolumes& operator=(const TDriveVolumes&) = delete;

    // Every drive letter of the machine in order, also those whose volume cannot answer.
    int Refresh();
    int Count() const { return static_cast<int>(volumes_.size()); }
    const TDriveVolume& Item(int index) const { return volumes_[static_cast<size_t>(index)]; }
    void Clear();

  private:
    IDrivePlatform& platform_;
    std::vector<TDriveVolume> volumes_;
};

constexpr int kDriveColumnCount = 10;
// "Fixed (3)" and the like; an unknown type takes the first name.
std::string DriveTypeText(uint32_t type);
// Bytes in the unit 0 (bits) to 5 (terabytes), with thousands separators; empty for 0.
std::string DriveSpaceText(int64_t bytes, int unit);
// Free space over total; 0 for a volume that failed or has no size.
double DriveFreeRatio(const TDriveVolume& volume);
// The text of a column of a drive's row (columns 1, 3, 6, 7 and 8 are not shown for a failed volume).
std::string DriveCellText(const TDriveVolume& volume, int column, int unit);
// What each of the 32 file system flag bits means.
extern const char* const kFileSystemFlagNames[32];
