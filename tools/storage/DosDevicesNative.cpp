#include "tools/storage/DosDevices.h"

namespace {
// The native build has no DOS device table.
class TNoDosDevices : public IDosDevices {
  public:
    bool Query(char, std::string&) override { return false; }
    uint32_t Define(uint32_t, char, const std::string&) override { return 50; }  // not supported
};
}  // namespace

IDosDevices& SystemDosDevices() {
    static TNoDosDevices devices;
    return devices;
}
