#include "tools/system/UninstallScanner.h"

namespace {
// The native build has no Windows folder, icons or time zones.
class TNoPlatform : public IUninstallPlatform {
  public:
    std::string WindowsDirectory() const override { return "C:\\Windows"; }
    bool LocalDateTime(uint64_t, double&) const override { return false; }
    std::vector<std::string> FilesIn(const std::string&) const override { return {}; }
    uint32_t ExtractSmallIcon(const std::string&, int, TIconRef&) override { return 0; }
    void DestroyIcon(TIconRef) override {}
};
}  // namespace

IUninstallPlatform& SystemUninstallPlatform() {
    static TNoPlatform platform;
    return platform;
}

bool IsWow64() {
    return false;
}
