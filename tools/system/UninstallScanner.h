#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/system/KoRegistry.h"

using TIconRef = uintptr_t;  // a small icon handle, 0 for none

// What the scanner needs of the platform besides the registry.
class IUninstallPlatform {
  public:
    virtual ~IUninstallPlatform() = default;
    virtual std::string WindowsDirectory() const = 0;
    // A FILETIME as local date and time (days since 1899-12-30); false when it cannot be converted.
    virtual bool LocalDateTime(uint64_t fileTime, double& dateTime) const = 0;
    // The names of the files (not folders) in a folder, in the file system's order.
    virtual std::vector<std::string> FilesIn(const std::string& folder) const = 0;
    // The small icon number index of a file: the count the platform reports (0 or 0xFFFFFFFF for none).
    virtual uint32_t ExtractSmallIcon(const std::string& file, int index, TIconRef& icon) = 0;
    virtual void DestroyIcon(TIconRef icon) = 0;
};

// The platform's own (the native build finds no files and no icons).
IUninstallPlatform& SystemUninstallPlatform();

struct TUninstallEntry {
    std::string DisplayName;
    std::string DisplayVersion;
    std::string DisplayIcon;
    std::string Publisher;
    double InstallDate = 0;
    std::string UninstallString;
    int32_t EstimatedSize = 0;  // kB
    std::string KeyName;
    TRegHandle RootKey = 0;
    bool Is64BitView = false;
    bool WindowsInstaller = false;
    TIconRef Icon = 0;  // owned by the entry until the window takes it over and sets it to 0
    int ImageIndex = 0;
};

// The products listed under the Uninstall keys of the current user and the local machine, in the 32-bit and the
// 64-bit registry view. System components, keys without a name or an uninstall command and products an earlier key
// already gave are left out.
class TUninstallScanner {
  public:
    explicit TUninstallScanner(IRegistry& registry = SystemRegistry(),
                               IUninstallPlatform& platform = SystemUninstallPlatform());
    ~TUninstallScanner();
    TUninstallScanner(const TUninstallScanner&) = delete;
    TUninstallScanner& operator=(const TUninstallScanner&) = delete;

    bool Scan32BitView = true;
    bool Scan64BitView = true;

    // Appends what it finds; returns the number of product keys examined. step runs between products, every few of
    // them; when it returns false the scan ends there, with what it found so far.
    int Scan(const std::function<bool()>& step = {});
    int Count() const { return static_cast<int>(entries_.size()); }
    TUninstallEntry& Entry(int index) { return entries_[static_cast<size_t>(index)]; }
    void Clear();
    int FindEntry(const std::string& displayName, const std::string& uninstallString) const;

    static constexpr const char* kUninstallPath = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

  private:
    int Pass(TRegHandle root, const std::function<bool()>& step);
    double InstallDate();
    TIconRef IconOf(const TUninstallEntry& entry);
    TIconRef CommandTextIcon(std::string text);
    // The icon when the platform reports one found, else 0 (and nothing left to destroy).
    TIconRef SmallIcon(const std::string& file, int index);

    TKoReg registry_;  // the Uninstall key of the pass
    TKoReg product_;   // a product's key below it
    IUninstallPlatform& platform_;
    std::string windowsDirectory_;
    std::vector<TUninstallEntry> entries_;
};

// Whether this 32-bit process runs on 64-bit Windows.
bool IsWow64();
// Whether the registry has a 64-bit view to scan: on 64-bit Windows, whichever build asks.
bool Has64BitView();
