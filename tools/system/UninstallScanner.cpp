#include "tools/system/UninstallScanner.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "core/DateTime.h"

namespace {
// A decimal number after optional blanks; 0 for anything else.
int DecimalOrZero(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}
}  // namespace

TUninstallScanner::TUninstallScanner(IRegistry& registry, IUninstallPlatform& platform)
    : registry_(kKeyRead, registry),
      product_(kKeyRead, registry),
      platform_(platform),
      windowsDirectory_(platform.WindowsDirectory()) {}

TUninstallScanner::~TUninstallScanner() {
    Clear();
}

void TUninstallScanner::Clear() {
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        if (entry->Icon != 0)
            platform_.DestroyIcon(entry->Icon);
    }
    entries_.clear();
}

int TUninstallScanner::FindEntry(const std::string& displayName, const std::string& uninstallString) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].DisplayName == displayName && entries_[i].UninstallString == uninstallString)
            return static_cast<int>(i);
    }
    return -1;
}

int TUninstallScanner::Scan(const std::function<bool()>& step) {
    int examined = 0;
    for (const auto& [wanted, view] : {std::pair{Scan32BitView, kKeyWow64_32Key}, {Scan64BitView, kKeyWow64_64Key}}) {
        if (!wanted)
            continue;
        registry_.Access = kKeyRead | view;
        for (const TRegHandle root : {kHKeyCurrentUser, kHKeyLocalMachine}) {
            const int count = Pass(root, step);
            if (count < 0)
                return examined;
            examined += count;
        }
    }
    return examined;
}

// -1 when the step ended the scan.
int TUninstallScanner::Pass(TRegHandle root, const std::function<bool()>& step) {
    if (!registry_.OpenKeyIn(root, kUninstallPath, false))
        return 0;
    std::vector<std::string> names;
    registry_.GetKeyNames(names);
    // Products open from the Uninstall key, which stays open for the pass: a path from the root costs a walk
    // through every key on the way, and under Wine a server round trip for each.
    product_.Access = registry_.Access;
    product_.SetRootKey(registry_.CurrentKey);
    constexpr size_t kProductsPerStep = 16;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (step && i % kProductsPerStep == kProductsPerStep - 1 && !step()) {
            product_.SetRootKey(0);
            return -1;
        }
        if (!product_.OpenKey("\\" + name, false) || product_.ReadInteger("SystemComponent", 0) == 1)
            continue;
        const std::string uninstall = product_.ReadString("UninstallString", "");
        const std::string displayName = product_.ReadString("DisplayName", "");
        if (uninstall.empty() || displayName.empty() || FindEntry(displayName, uninstall) >= 0)
            continue;
        TUninstallEntry& entry = entries_.emplace_back();
        entry.DisplayName = displayName;
        entry.DisplayVersion = product_.ReadString("DisplayVersion", "");
        entry.DisplayIcon = product_.ReadString("DisplayIcon", "");
        entry.Publisher = product_.ReadString("Publisher", "");
        entry.UninstallString = uninstall;
        entry.EstimatedSize = product_.ReadInteger("EstimatedSize", 0);
        entry.KeyName = name;
        entry.RootKey = root;
        entry.Is64BitView = (product_.Access & kKeyWow64_64Key) != 0;
        entry.WindowsInstaller = product_.ReadInteger("WindowsInstaller", 0) == 1;
        entry.InstallDate = InstallDate();
        entry.Icon = IconOf(entry);
    }
    product_.SetRootKey(0);
    return static_cast<int>(names.size());
}

// The day given by "InstallDate" (yyyymmdd); the key's last write when it falls on that day, for its time of day.
double TUninstallScanner::InstallDate() {
    double lastWrite = 0;
    uint64_t fileTime = 0;
    if (!product_.LastWriteTime(fileTime) || !platform_.LocalDateTime(fileTime, lastWrite))
        lastWrite = 0;
    const std::string text = product_.ReadString("InstallDate", "");
    if (text.size() != 8)
        return lastWrite;
    const int year = DecimalOrZero(text.substr(0, 4));
    const int month = DecimalOrZero(text.substr(4, 2));
    const int day = DecimalOrZero(text.substr(6, 2));
    // A text that is no calendar date counts as absent rather than as some other day.
    if (year < 1 || month < 1 || month > 12 || day < 1 || DecodeDateTime(EncodeDate(year, month, day)).day != day)
        return lastWrite;
    const double date = EncodeDate(year, month, day);
    return std::floor(lastWrite) == date ? lastWrite : date;
}

TIconRef TUninstallScanner::IconOf(const TUninstallEntry& entry) {
    TIconRef icon = 0;
    if (entry.WindowsInstaller && !entry.KeyName.empty() && entry.KeyName.front() == '{') {
        const std::string folder = windowsDirectory_ + "\\Installer\\" + entry.KeyName + "\\";
        for (const std::string& file : platform_.FilesIn(folder)) {
            if ((icon = SmallIcon(folder + file, 0)) != 0)
                return icon;
        }
    }
    icon = CommandTextIcon(entry.DisplayIcon);
    return icon != 0 ? icon : CommandTextIcon(entry.UninstallString);
}

// A path, a quoted path with arguments, or a path, a comma and an icon number.
TIconRef TUninstallScanner::CommandTextIcon(std::string text) {
    if (text.empty())
        return 0;
    int index = 0;
    if (const size_t comma = text.rfind(','); comma != std::string::npos) {
        index = DecimalOrZero(std::string_view(text).substr(comma + 1));
        text.erase(comma);
    }
    if (text.empty())
        return 0;
    if (const TIconRef icon = SmallIcon(text, index))
        return icon;
    if (text.front() == '"') {
        text = text.substr(1, text.find('"', 1) - 1);
    } else if (const size_t blank = text.find(' ', 1); blank != std::string::npos) {
        text.erase(blank);
    }
    TIconRef icon = 0;
    platform_.ExtractSmallIcon(text, index, icon);  // whatever it delivers
    return icon;
}

TIconRef TUninstallScanner::SmallIcon(const std::string& file, int index) {
    TIconRef icon = 0;
    const uint32_t found = platform_.ExtractSmallIcon(file, index, icon);
    if (found != 0 && found != 0xFFFFFFFF && icon != 0)
        return icon;
    if (icon != 0)
        platform_.DestroyIcon(icon);
    return 0;
}

bool Has64BitView() {
    return sizeof(void*) == 8 || IsWow64();
}
