#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/PrivateProfile.h"

// Reads and writes single INI keys at the moment they are asked, through the private-profile functions.
class TKoIni {
  public:
    static constexpr uint32_t kBufferSize = 16384;

    explicit TKoIni(std::string fileName);
    TKoIni(std::string fileName, IPrivateProfile& profile);
    ~TKoIni();
    TKoIni(const TKoIni&) = delete;
    TKoIni& operator=(const TKoIni&) = delete;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& name);
    void UpdateFile();

    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue);
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t defaultValue);
    bool WriteInteger(const std::string& section, const std::string& key, int32_t value);
    long double ReadFloat(const std::string& section, const std::string& key, long double defaultValue);
    bool WriteFloat(const std::string& section, const std::string& key, long double value);
    int ReadSection(const std::string& section, std::vector<std::string>& list);
    int ReadSections(std::vector<std::string>& list);
    bool ValueExists(const std::string& section, const std::string& key);
    bool DeleteKey(const std::string& section, const std::string& key);
    bool ClearSection(const std::string& section);
    // Keeps the program's other processes off the file while the holder lives: for reading and rewriting in one go.
    TProfileLock Lock() const { return TProfileLock(profile_, fileName_); }

    // The text WriteString stores for a value, quoted so that reading returns the value unchanged.
    static std::string QuoteValue(const std::string& value);

  private:
    int ReadNames(const char* section, std::vector<std::string>& list);

    std::string fileName_;
    IPrivateProfile& profile_;
    std::unique_ptr<char[]> buffer_;
};
