#include <windows.h>

#include "tools/storage/DosDevices.h"

namespace {
class TWin32DosDevices : public IDosDevices {
  public:
    // Longer than a path: a raw target may be, and a cut one would be saved and restored wrong.
    bool Query(char letter, std::string& target) override {
        const char name[] = {letter, ':', '\0'};
        char buffer[4 * MAX_PATH] = "";
        if (QueryDosDeviceA(name, buffer, sizeof buffer) == 0)
            return false;
        target = buffer;  // the first of the list: the one in force
        return true;
    }
    uint32_t Define(uint32_t flags, char letter, const std::string& target) override {
        const char name[] = {letter, ':', '\0'};
        if (DefineDosDeviceA(flags, name, flags == kDefineRemove ? nullptr : target.c_str()))
            return 0;
        const DWORD error = GetLastError();
        return error ? error : ERROR_GEN_FAILURE;
    }
};
}  // namespace

IDosDevices& SystemDosDevices() {
    static TWin32DosDevices devices;
    return devices;
}
