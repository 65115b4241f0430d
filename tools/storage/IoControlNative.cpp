#include "tools/storage/IoControl.h"

namespace {
// The native build reaches no drives.
class TNoDrives : public IDeviceIoOpener {
  public:
    std::unique_ptr<IDeviceIo> Open(int) override { return nullptr; }
};
}  // namespace

IDeviceIoOpener& SystemDrives() {
    static TNoDrives drives;
    return drives;
}
