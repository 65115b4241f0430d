#pragma once
#include "core/PrivateProfile.h"

// The platform's own private-profile functions (with their cache).
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
};
