#pragma once
#include <windows.h>

#include <map>
#include <mutex>
#include <vector>

#include "core/HandlesWin32.h"
#include "core/PrivateProfile.h"

// The platform's own private-profile functions (with their cache). Each call, and each locked sequence of calls,
// holds a mutex named after the file, so that processes of this program never interleave their writes: Windows
// rewrites the whole file on every write and lets the last writer win.
class TWin32Profile : public IPrivateProfile {
  public:
    uint32_t GetString(const char* section,
                       const char* key,
                       const char* defaultValue,
                       char* buffer,
                       uint32_t size,
                       const char* fileName) override;
    bool WriteString(const char* section, const char* key, const char* value, const char* fileName) override;
    bool WriteSection(const char* section, const char* lines, const char* fileName) override;
    void Lock(const char* fileName) override;
    void Unlock(const char* fileName) override;

  private:
    struct TFileMutex {
        TObjectHandle mutex;
        std::vector<bool> held;  // one entry per Lock not yet undone: whether it got the mutex
    };
    std::mutex guard_;
    std::map<std::string, TFileMutex> mutexes_;
};
