#include "tools/storage/DriveVolumes.h"

namespace {
// The native build has no drive letters.
class TNoDrives : public IDrivePlatform {
  public:
    uint32_t LogicalDrives() override { return 0; }
    uint32_t DriveType(const std::string&) override { return 0; }
    bool QueryVolume(const std::string&, TDriveVolume&, uint32_t& error) override { return (error = 21), false; }
    bool QueryFreeSpace(const std::string&, int64_t&, int64_t&, uint32_t& error) override {
        return (error = 21), false;
    }
    uintptr_t DriveIcon(const std::string&) override { return 0; }
    void DestroyIcon(uintptr_t) override {}
};
}  // namespace

IDrivePlatform& SystemDrivePlatform() {
    static TNoDrives platform;
    return platform;
}
