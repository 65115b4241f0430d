#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

// The private-profile (INI file) functions, shaped like the platform's ANSI ones so that TKoIni runs the same over
// Windows' own implementation and over the portable one. Null section or key ask for name lists, as on Windows.
class IPrivateProfile {
  public:
    virtual ~IPrivateProfile() = default;
    // Copies into buffer (always zero-terminated when size > 0) and returns the characters copied, not counting the
    // terminating zero; name lists end with an extra zero.
    virtual uint32_t GetString(const char* section,
                               const char* key,
                               const char* defaultValue,
                               char* buffer,
                               uint32_t size,
                               const char* fileName) = 0;
    // Null key deletes the section, null value deletes the key; all null flushes the cache of fileName and, as on
    // Windows, returns false.
    virtual bool WriteString(const char* section, const char* key, const char* value, const char* fileName) = 0;
    // Replaces the section's lines by the zero-separated "key=value" list ended by an empty text.
    virtual bool WriteSection(const char* section, const char* lines, const char* fileName) = 0;
    // Keeps the program's other processes away from the file while a read-modify-write runs; locks nest within a
    // thread. The portable profile has no other process to keep away.
    virtual void Lock(const char* /*fileName*/) {}
    virtual void Unlock(const char* /*fileName*/) {}
};

// Holds a profile's lock on one file for its lifetime.
class TProfileLock {
  public:
    TProfileLock(IPrivateProfile& profile, std::string fileName) : profile_(profile), fileName_(std::move(fileName)) {
        profile_.Lock(fileName_.c_str());
    }
    ~TProfileLock() { profile_.Unlock(fileName_.c_str()); }
    TProfileLock(const TProfileLock&) = delete;
    TProfileLock& operator=(const TProfileLock&) = delete;

  private:
    IPrivateProfile& profile_;
    std::string fileName_;
};

// Windows' behaviour reproduced on plain files: every call reads the file anew; writes rewrite it whole.
class TPortableProfile : public IPrivateProfile {
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

// Reads each file once and answers every later read from that picture, by the platform's rules; writes go to the
// profile behind it, and the written file is read again at its next read. For a burst of reads (a window's
// settings, a folder of definition files) made while the file is locked or nobody else writes it.
class TSnapshotProfile : public IPrivateProfile {
  public:
    explicit TSnapshotProfile(IPrivateProfile& writes);
    ~TSnapshotProfile() override;
    TSnapshotProfile(const TSnapshotProfile&) = delete;
    TSnapshotProfile& operator=(const TSnapshotProfile&) = delete;

    uint32_t GetString(const char* section,
                       const char* key,
                       const char* defaultValue,
                       char* buffer,
                       uint32_t size,
                       const char* fileName) override;
    bool WriteString(const char* section, const char* key, const char* value, const char* fileName) override;
    bool WriteSection(const char* section, const char* lines, const char* fileName) override;
    void Lock(const char* fileName) override { writes_.Lock(fileName); }
    void Unlock(const char* fileName) override { writes_.Unlock(fileName); }

  private:
    struct TFiles;
    IPrivateProfile& writes_;
    std::unique_ptr<TFiles> files_;
};

// Windows' own functions on Windows, the portable ones elsewhere.
IPrivateProfile& SystemProfile();
