#include "tools/system/KoRegistry.h"

namespace {
// The native build has no registry: every key is missing.
class TNoRegistry : public IRegistry {
  public:
    static constexpr long kFileNotFound = 2;
    long OpenKey(TRegHandle, const char*, uint32_t, TRegHandle&) override { return kFileNotFound; }
    long CreateKey(TRegHandle, const char*, uint32_t, TRegHandle&) override { return kFileNotFound; }
    long CloseKey(TRegHandle) override { return 0; }
    long QueryInfo(TRegHandle, uint32_t&, uint32_t&, uint64_t&) override { return kFileNotFound; }
    long EnumKey(TRegHandle, uint32_t, char*, uint32_t&) override { return kFileNotFound; }
    long QueryValue(TRegHandle, const char*, uint32_t&, uint8_t*, uint32_t&) override { return kFileNotFound; }
    long DeleteKey(TRegHandle, const char*) override { return kFileNotFound; }
};
}  // namespace

IRegistry& SystemRegistry() {
    static TNoRegistry registry;
    return registry;
}
