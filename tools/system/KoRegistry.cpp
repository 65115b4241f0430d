#include "tools/system/KoRegistry.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "core/KoLib.h"

std::string RootKeyName(TRegHandle root) {
    static const char* const kNames[] = {
        "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",      "HKEY_CURRENT_USER_LOCAL_SETTINGS"};
    const TRegHandle index = root - kHKeyClassesRoot;
    return index < std::size(kNames) ? kNames[index] : "";
}

TKoReg::TKoReg(uint32_t access, IRegistry& registry) : Access(access), registry_(registry) {}

TKoReg::~TKoReg() {
    CloseKey();
}

void TKoReg::SetRootKey(TRegHandle root) {
    CloseKey();
    RootKey = root;
    CurrentKey = root;
}

bool TKoReg::CloseKey() {
    bool ok = true;
    if (CurrentKey != 0 && CurrentKey != RootKey)
        ok = registry_.CloseKey(CurrentKey) == 0;
    CurrentKey = 0;
    return ok;
}

TRegHandle TKoReg::BaseOf(std::string& path) const {
    if (path.empty())
        return RootKey;
    if (path.front() != '\\')
        return CurrentKey;
    path.erase(0, 1);
    return RootKey;
}

bool TKoReg::OpenKey(const std::string& keyPath, bool create) {
    std::string path = keyPath;
    const TRegHandle base = BaseOf(path);
    // A relative path opens from the current key, which is closed once the new key has replaced it.
    const TRegHandle replaced = base == CurrentKey && base != RootKey ? base : 0;
    if (base != CurrentKey)
        CloseKey();
    if (path.empty()) {
        CurrentKey = base;
        return true;
    }
    TRegHandle opened = 0;
    const long result = create ? registry_.CreateKey(base, path.c_str(), Access, opened)
                               : registry_.OpenKey(base, path.c_str(), Access, opened);
    if (replaced != 0)
        registry_.CloseKey(replaced);
    CurrentKey = result == 0 ? opened : 0;
    return result == 0;
}

bool TKoReg::OpenKeyIn(TRegHandle root, const std::string& path, bool create) {
    SetRootKey(root);
    if (path.empty() || path == "\\")
        return true;
    return OpenKey(path, create);
}

int TKoReg::GetKeyNames(std::vector<std::string>& names) {
    names.clear();
    uint32_t count = 0, longest = 0;
    uint64_t lastWrite = 0;
    if (registry_.QueryInfo(CurrentKey, count, longest, lastWrite) != 0 || count == 0)
        return 0;
    std::string name(longest + 1, '\0');
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t size = longest + 1;
        if (registry_.EnumKey(CurrentKey, i, name.data(), size) == 0)
            names.emplace_back(name.data(), std::min<size_t>(size, longest));
    }
    return static_cast<int>(names.size());
}

int TKoReg::GetDataSize(const std::string& name) {
    uint32_t type = 0, size = 0;
    return registry_.QueryValue(CurrentKey, name.c_str(), type, nullptr, size) == 0 ? static_cast<int>(size) : -1;
}

int TKoReg::GetDataType(const std::string& name) {
    uint32_t type = 0, size = 0;
    return registry_.QueryValue(CurrentKey, name.c_str(), type, nullptr, size) == 0 ? static_cast<int>(type) : -1;
}

bool TKoReg::ReadBinary(const std::string& name, void* buffer, uint32_t size) {
    std::memset(buffer, 0, size);
    uint32_t type = 0;
    return registry_.QueryValue(CurrentKey, name.c_str(), type, static_cast<uint8_t*>(buffer), size) == 0;
}

// One call per value where the platform's registry is slow to ask (a server round trip under Wine): the answer's
// type comes with its bytes, and a second call is needed only for a value longer than the first buffer.
std::string TKoReg::ReadString(const std::string& name, const std::string& fallback) {
    uint32_t type = 0;
    std::string text(256, '\0');
    uint32_t size = static_cast<uint32_t>(text.size());
    long result = registry_.QueryValue(CurrentKey, name.c_str(), type, reinterpret_cast<uint8_t*>(text.data()), size);
    if (result == kErrorMoreData) {
        text.assign(size, '\0');
        result = registry_.QueryValue(CurrentKey, name.c_str(), type, reinterpret_cast<uint8_t*>(text.data()), size);
    }
    if (result != 0)
        return fallback;
    text.resize(std::min<size_t>(size, text.size()));
    text.resize(std::strlen(text.c_str()));  // the value's type plays no part: a number reads as its raw bytes
    return text;
}

int32_t TKoReg::ReadInteger(const std::string& name, int32_t fallback) {
    uint8_t bytes[4] = {};
    uint32_t type = 0, size = sizeof bytes;
    // A longer value does not fit and gives the fallback; a shorter one has its missing high bytes 0.
    if (registry_.QueryValue(CurrentKey, name.c_str(), type, bytes, size) != 0)
        return fallback;
    if (type == kRegDwordBigEndian)
        std::reverse(std::begin(bytes), std::end(bytes));
    return static_cast<int32_t>(LittleEndian32(bytes));
}

bool TKoReg::LastWriteTime(uint64_t& fileTime) {
    uint32_t count = 0, longest = 0;
    return registry_.QueryInfo(CurrentKey, count, longest, fileTime) == 0;
}

bool TKoReg::DeleteKey(const std::string& keyPath) {
    std::string path = keyPath;
    const TRegHandle base = BaseOf(path);
    TRegHandle key = 0;
    if (registry_.OpenKey(base, path.c_str(), Access, key) != 0)
        return false;
    return DeleteOpenKey(key) == 0;
}

long TKoReg::DeleteOpenKey(TRegHandle key) {
    uint32_t count = 0, longest = 0;
    uint64_t lastWrite = 0;
    if (registry_.QueryInfo(key, count, longest, lastWrite) == 0 && count != 0) {
        std::string name(longest + 1, '\0');
        for (uint32_t i = count; i-- > 0;) {
            uint32_t size = longest + 1;
            TRegHandle sub = 0;
            if (registry_.EnumKey(key, i, name.data(), size) == 0 &&
                registry_.OpenKey(key, name.c_str(), Access, sub) == 0)
                DeleteOpenKey(sub);
        }
    }
    const long result = registry_.DeleteKey(key, "");
    registry_.CloseKey(key);
    return result;
}
