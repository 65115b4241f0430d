#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Registry keys as the platform's handles. The predefined roots carry the platform's values, sign-extended as the
// platform's headers do on 64-bit builds.
using TRegHandle = uintptr_t;
constexpr TRegHandle RootKeyHandle(uint32_t value) {
    return static_cast<TRegHandle>(static_cast<intptr_t>(static_cast<int32_t>(value)));
}
constexpr TRegHandle kHKeyClassesRoot = RootKeyHandle(0x80000000u);
constexpr TRegHandle kHKeyCurrentUser = RootKeyHandle(0x80000001u);
constexpr TRegHandle kHKeyLocalMachine = RootKeyHandle(0x80000002u);

constexpr uint32_t kKeyRead = 0x20019;
constexpr uint32_t kKeyAllAccess = 0xF003F;
constexpr uint32_t kKeyWow64_64Key = 0x100;
constexpr uint32_t kKeyWow64_32Key = 0x200;
constexpr uint32_t kRegDwordBigEndian = 5;
constexpr long kErrorMoreData = 234;

// "HKEY_CURRENT_USER" and the other predefined roots' names; empty for any other key.
std::string RootKeyName(TRegHandle root);

// The registry functions the program needs, shaped like the platform's ANSI ones: each returns the platform's error
// code, 0 for success. Key handles a call returns are closed with CloseKey.
class IRegistry {
  public:
    virtual ~IRegistry() = default;
    virtual long OpenKey(TRegHandle base, const char* path, uint32_t access, TRegHandle& key) = 0;
    virtual long CreateKey(TRegHandle base, const char* path, uint32_t access, TRegHandle& key) = 0;
    virtual long CloseKey(TRegHandle key) = 0;
    // The number of subkeys, the length of the longest subkey name and the time of the last write (a FILETIME).
    virtual long QueryInfo(TRegHandle key, uint32_t& subKeys, uint32_t& longestName, uint64_t& lastWrite) = 0;
    // nameSize: the buffer's size in, the name's length out.
    virtual long EnumKey(TRegHandle key, uint32_t index, char* name, uint32_t& nameSize) = 0;
    // With no data only the type and size are asked for; size is the buffer's size in and the value's size out.
    virtual long QueryValue(TRegHandle key, const char* name, uint32_t& type, uint8_t* data, uint32_t& size) = 0;
    virtual long DeleteKey(TRegHandle key, const char* subKey) = 0;
};

// The platform's registry (the native build has none: every call there fails).
IRegistry& SystemRegistry();

// One root key, one current key and one access mask over the registry. Paths starting with a backslash are taken
// from the root, others from the current key.
class TKoReg {
  public:
    explicit TKoReg(uint32_t access, IRegistry& registry = SystemRegistry());
    ~TKoReg();
    TKoReg(const TKoReg&) = delete;
    TKoReg& operator=(const TKoReg&) = delete;

    TRegHandle RootKey = kHKeyCurrentUser;
    TRegHandle CurrentKey = kHKeyCurrentUser;  // 0 after a close
    uint32_t Access;

    void SetRootKey(TRegHandle root);
    bool CloseKey();
    bool OpenKey(const std::string& path, bool create);
    bool OpenKeyIn(TRegHandle root, const std::string& path, bool create);
    int GetKeyNames(std::vector<std::string>& names);
    int GetDataSize(const std::string& name);
    int GetDataType(const std::string& name);
    bool ReadBinary(const std::string& name, void* buffer, uint32_t size);
    std::string ReadString(const std::string& name, const std::string& fallback);
    int32_t ReadInteger(const std::string& name, int32_t fallback);
    // The current key's last write; false when the key cannot tell.
    bool LastWriteTime(uint64_t& fileTime);
    // Deletes the key with all its subkeys.
    bool DeleteKey(const std::string& path);

  private:
    // The key a path starts from, and the path without its leading backslash.
    TRegHandle BaseOf(std::string& path) const;
    long DeleteOpenKey(TRegHandle key);

    IRegistry& registry_;
};
