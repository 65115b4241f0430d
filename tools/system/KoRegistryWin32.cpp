#include <windows.h>

#include "tools/system/KoRegistry.h"

namespace {
HKEY Key(TRegHandle key) {
    return reinterpret_cast<HKEY>(key);
}

class TWin32Registry : public IRegistry {
  public:
    long OpenKey(TRegHandle base, const char* path, uint32_t access, TRegHandle& key) override {
        HKEY opened = nullptr;
        const LONG result = RegOpenKeyExA(Key(base), path, 0, access, &opened);
        key = reinterpret_cast<TRegHandle>(opened);
        return result;
    }
    long CreateKey(TRegHandle base, const char* path, uint32_t access, TRegHandle& key) override {
        HKEY opened = nullptr;
        const LONG result = RegCreateKeyExA(Key(base), path, 0, nullptr, 0, access, nullptr, &opened, nullptr);
        key = reinterpret_cast<TRegHandle>(opened);
        return result;
    }
    long CloseKey(TRegHandle key) override { return RegCloseKey(Key(key)); }
    long QueryInfo(TRegHandle key, uint32_t& subKeys, uint32_t& longestName, uint64_t& lastWrite) override {
        DWORD count = 0, longest = 0;
        FILETIME written{};
        const LONG result = RegQueryInfoKeyA(Key(key), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                                             nullptr, nullptr, nullptr, &written);
        subKeys = count;
        longestName = longest;
        lastWrite = static_cast<uint64_t>(written.dwHighDateTime) << 32 | written.dwLowDateTime;
        return result;
    }
    long EnumKey(TRegHandle key, uint32_t index, char* name, uint32_t& nameSize) override {
        DWORD size = nameSize;
        const LONG result = RegEnumKeyExA(Key(key), index, name, &size, nullptr, nullptr, nullptr, nullptr);
        nameSize = size;
        return result;
    }
    long QueryValue(TRegHandle key, const char* name, uint32_t& type, uint8_t* data, uint32_t& size) override {
        DWORD valueType = 0, valueSize = size;
        const LONG result = RegQueryValueExA(Key(key), name, nullptr, &valueType, data, &valueSize);
        type = valueType;
        size = valueSize;
        return result;
    }
    long DeleteKey(TRegHandle key, const char* subKey) override { return RegDeleteKeyA(Key(key), subKey); }
};
}  // namespace

IRegistry& SystemRegistry() {
    static TWin32Registry registry;
    return registry;
}
