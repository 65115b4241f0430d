#include "core/PrivateProfileWin32.h"

#include <cstdio>

#include "core/KoLib.h"

namespace {
// Long enough for any write of ours; a process that hangs while holding the file must not hang the others.
constexpr DWORD kLockTimeoutMs = 10000;

// One name for every path that names the file: its full path, letter case folded, hashed (FNV-1a).
std::string MutexName(const char* fileName) {
    char full[MAX_PATH * 2] = "";
    if (!fileName || !GetFullPathNameA(fileName, sizeof full, full, nullptr))
        std::snprintf(full, sizeof full, "%s", fileName ? fileName : "");
    uint64_t hash = 14695981039346656037ull;
    for (const char c : UpperCase1252(full)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char name[64];
    std::snprintf(name, sizeof name, "DaDeruv.Ini.%016llX", static_cast<unsigned long long>(hash));
    return name;
}
}  // namespace

uint32_t TWin32Profile::GetString(const char* section,
                                  const char* key,
                                  const char* defaultValue,
                                  char* buffer,
                                  uint32_t size,
                                  const char* fileName) {
    const TProfileLock lock(*this, fileName ? fileName : "");
    return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

bool TWin32Profile::WriteString(const char* section, const char* key, const char* value, const char* fileName) {
    const TProfileLock lock(*this, fileName ? fileName : "");
    return WritePrivateProfileStringA(section, key, value, fileName) != FALSE;
}

bool TWin32Profile::WriteSection(const char* section, const char* lines, const char* fileName) {
    const TProfileLock lock(*this, fileName ? fileName : "");
    return WritePrivateProfileSectionA(section, lines, fileName) != FALSE;
}

void TWin32Profile::Lock(const char* fileName) {
    HANDLE mutex = nullptr;
    {
        const std::lock_guard<std::mutex> guard(guard_);
        TFileMutex& entry = mutexes_[fileName];
        if (!entry.mutex)
            entry.mutex.reset(CreateMutexA(nullptr, FALSE, MutexName(fileName).c_str()));
        mutex = entry.mutex.get();
    }
    // An abandoned mutex (its holder died) is ours all the same.
    const DWORD result = mutex ? WaitForSingleObject(mutex, kLockTimeoutMs) : WAIT_FAILED;
    const std::lock_guard<std::mutex> guard(guard_);
    mutexes_[fileName].held.push_back(result == WAIT_OBJECT_0 || result == WAIT_ABANDONED);
}

void TWin32Profile::Unlock(const char* fileName) {
    const std::lock_guard<std::mutex> guard(guard_);
    const auto it = mutexes_.find(fileName);
    if (it == mutexes_.end() || it->second.held.empty())
        return;
    if (it->second.held.back())
        ReleaseMutex(it->second.mutex.get());
    it->second.held.pop_back();
}

IPrivateProfile& SystemProfile() {
    static TWin32Profile profile;
    return profile;
}
