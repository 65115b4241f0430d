#include "core/PrivateProfileWin32.h"

#include <windows.h>

uint32_t TWin32Profile::GetString(const char* section,
                                  const char* key,
                                  const char* defaultValue,
                                  char* buffer,
                                  uint32_t size,
                                  const char* fileName) {
    return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

bool TWin32Profile::WriteString(const char* section, const char* key, const char* value, const char* fileName) {
    return WritePrivateProfileStringA(section, key, value, fileName) != FALSE;
}

bool TWin32Profile::WriteSection(const char* section, const char* lines, const char* fileName) {
    return WritePrivateProfileSectionA(section, lines, fileName) != FALSE;
}

IPrivateProfile& SystemProfile() {
    static TWin32Profile profile;
    return profile;
}
