#include "tools/system/UninstallScanner.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "core/DateTime.h"
#include "tools/system/Uninstall.h"

namespace {

// A registry in memory. The local machine has a tree per view, the current user one for both, as on 64-bit
// Windows. Open handles are counted, so a leak shows.
class TFakeRegistry : public IRegistry {
  public:
    struct TKey {
        std::map<std::string, std::unique_ptr<TKey>> keys;
        std::map<std::string, std::pair<uint32_t, std::string>> values;  // type, bytes
        uint64_t lastWrite = 0;
    };

    TKey& Plant(TRegHandle root, bool view64, const std::string& path) {
        return *Walk(Tree(root, view64 ? kKeyWow64_64Key : kKeyWow64_32Key), path, true);
    }

    long OpenKey(TRegHandle base, const char* path, uint32_t access, TRegHandle& key) override {
        TKey* found =
            Walk(base == kHKeyCurrentUser || base == kHKeyLocalMachine ? Tree(base, access) : Find(base), path, false);
        if (!found)
            return 2;
        key = nextHandle_++;
        open_[key] = found;
        return 0;
    }
    long CreateKey(TRegHandle base, const char* path, uint32_t access, TRegHandle& key) override {
        return OpenKey(base, path, access, key);
    }
    long CloseKey(TRegHandle key) override { return open_.erase(key) ? 0 : 6; }
    long QueryInfo(TRegHandle key, uint32_t& subKeys, uint32_t& longestName, uint64_t& lastWrite) override {
        const TKey* k = Find(key);
        if (!k)
            return 6;
        subKeys = static_cast<uint32_t>(k->keys.size());
        longestName = 0;
        for (const auto& [name, sub] : k->keys)
            longestName = std::max<uint32_t>(longestName, static_cast<uint32_t>(name.size()));
        lastWrite = k->lastWrite;
        return 0;
    }
    long EnumKey(TRegHandle key, uint32_t index, char* name, uint32_t& nameSize) override {
        const TKey* k = Find(key);
        if (!k || index >= k->keys.size())
            return 259;
        const std::string& text = std::next(k->keys.begin(), index)->first;
        if (text.size() + 1 > nameSize)
            return 234;
        std::memcpy(name, text.c_str(), text.size() + 1);
        nameSize = static_cast<uint32_t>(text.size());
        return 0;
    }
    long QueryValue(TRegHandle key, const char* name, uint32_t& type, uint8_t* data, uint32_t& size) override {
        const TKey* k = Find(key);
        const auto value = k ? k->values.find(name) : decltype(k->values.cend()){};
        if (!k || value == k->values.end())
            return 2;
        type = value->second.first;
        const std::string& bytes = value->second.second;
        const bool fits = bytes.size() <= size;
        if (data && fits)
            std::memcpy(data, bytes.data(), bytes.size());
        size = static_cast<uint32_t>(bytes.size());
        return data && !fits ? 234 : 0;
    }
    long DeleteKey(TRegHandle, const char*) override { return 5; }

    size_t OpenHandles() const { return open_.size(); }

  private:
    static TKey* Walk(TKey* key, const std::string& path, bool create) {
        std::stringstream parts(path);
        for (std::string part; key && std::getline(parts, part, '\\');) {
            if (part.empty())
                continue;
            auto sub = key->keys.find(part);
            if (sub == key->keys.end() && create)
                sub = key->keys.emplace(part, std::make_unique<TKey>()).first;
            key = sub == key->keys.end() ? nullptr : sub->second.get();
        }
        return key;
    }
    TKey* Tree(TRegHandle root, uint32_t access) {
        return root == kHKeyCurrentUser ? &user_ : access & kKeyWow64_64Key ? &machine64_ : &machine32_;
    }
    TKey* Find(TRegHandle key) {
        const auto found = open_.find(key);
        return found == open_.end() ? nullptr : found->second;
    }

    TKey user_, machine32_, machine64_;
    std::map<TRegHandle, TKey*> open_;
    TRegHandle nextHandle_ = 0x1000;
};

// Files are icons when named in the table with the icon numbers they hold; last writes are milliseconds.
class TFakePlatform : public IUninstallPlatform {
  public:
    std::map<std::string, std::set<int>> icons;
    std::map<std::string, std::vector<std::string>> folders;
    std::map<TIconRef, std::string> live;

    std::string WindowsDirectory() const override { return "C:\\Windows"; }
    bool LocalDateTime(uint64_t fileTime, double& dateTime) const override {
        dateTime = static_cast<double>(fileTime) / 86400000.0;
        return fileTime != 0;
    }
    std::vector<std::string> FilesIn(const std::string& folder) const override {
        return folders.count(folder) ? folders.at(folder) : std::vector<std::string>{};
    }
    uint32_t ExtractSmallIcon(const std::string& file, int index, TIconRef& icon) override {
        if (!icons.count(file) || !icons.at(file).count(index))
            return 0;
        icon = ++lastIcon_;
        live[icon] = file + "," + std::to_string(index);
        return 1;
    }
    void DestroyIcon(TIconRef icon) override { EXPECT_EQ(live.erase(icon), 1u) << icon; }

  private:
    TIconRef lastIcon_ = 100;
};

std::string Bytes(uint32_t v) {
    return std::string(reinterpret_cast<const char*>(&v), 4);
}

uint64_t Ms(double dayNumber) {
    return static_cast<uint64_t>(dayNumber * 86400000.0 + 0.5);
}

// One entry as a line: name, version, publisher, size, date, command, key, scope and the icon it got.
std::string Line(const TUninstallEntry& e, const TFakePlatform& platform) {
    const TDateTimeParts d = DecodeDateTime(e.InstallDate);
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d %02d:%02d", d.year, d.month, d.day, d.hour, d.minute);
    return e.DisplayName + "|" + e.DisplayVersion + "|" + e.Publisher + "|" + std::to_string(e.EstimatedSize) + "|" +
           (e.InstallDate ? date : "-") + "|" + e.UninstallString + "|" + e.KeyName + "|" +
           (e.RootKey == kHKeyCurrentUser ? "User:" : "Machine:") + (e.Is64BitView ? "64" : "32") + "|" +
           (e.Icon ? platform.live.at(e.Icon) : "-") + (e.WindowsInstaller ? "|msi" : "");
}

class UninstallScannerTest : public ::testing::Test {
  protected:
    TFakeRegistry::TKey& Product(TRegHandle root,
                                 bool view64,
                                 const std::string& key,
                                 const std::string& name,
                                 const std::string& command) {
        auto& k = registry_.Plant(root, view64, std::string(TUninstallScanner::kUninstallPath) + key);
        if (!name.empty())
            k.values["DisplayName"] = {1, name + '\0'};
        if (!command.empty())
            k.values["UninstallString"] = {1, command + '\0'};
        return k;
    }
    std::vector<std::string> Lines(TUninstallScanner& scanner) {
        std::vector<std::string> lines;
        for (int i = 0; i < scanner.Count(); ++i)
            lines.push_back(Line(scanner.Entry(i), platform_));
        return lines;
    }

    TFakeRegistry registry_;
    TFakePlatform platform_;
};

TEST_F(UninstallScannerTest, BothViewsOfBothRootsGiveEachProductOnceWithItsValuesDateAndIcon) {
    const double march15 = EncodeDate(2007, 3, 15);
    auto& full = Product(kHKeyLocalMachine, true, "Full", "Full", "C:\\full\\un.exe /x");
    full.values["DisplayVersion"] = {1, "1.2"};  // no terminator
    full.values["Publisher"] = {1, std::string("Pub\0junk", 8)};
    full.values["EstimatedSize"] = {4, Bytes(1536)};
    full.values["DisplayIcon"] = {1, "C:\\full\\app.exe,12"};
    full.values["InstallDate"] = {1, "20070315"};
    full.lastWrite = Ms(march15 + 14.0 / 24 + 2.0 / 1440);  // written on the day: its time of day shows
    auto& swapped = Product(kHKeyLocalMachine, false, "Swapped", "Swapped", "\"C:\\a b\\un.exe\" /S");
    swapped.values["EstimatedSize"] = {kRegDwordBigEndian, std::string("\0\0\x06\0", 4)};
    swapped.values["InstallDate"] = {1, "20070315"};
    swapped.lastWrite = Ms(EncodeDate(2008, 1, 1) + 0.5);
    auto& odd = Product(kHKeyCurrentUser, false, "Odd", "Odd", "C:\\odd.exe --quiet");
    odd.values["InstallDate"] = {1, "20071315"};                    // no date: the last write stays
    odd.values["EstimatedSize"] = {4, std::string("\x10\x01", 2)};  // short: the high bytes are 0
    odd.values["DisplayVersion"] = {4, Bytes(0x00323376)};          // a number reads as its bytes
    odd.values["DisplayIcon"] = {1, std::string(65536, 'x')};
    odd.lastWrite = Ms(EncodeDate(2020, 2, 29) + 0.25);
    auto& msi = Product(kHKeyLocalMachine, false, "{GUID}", "Installer", "MsiExec.exe /X{GUID}");
    msi.values["WindowsInstaller"] = {4, Bytes(1)};
    msi.values["EstimatedSize"] = {4, Bytes(1) + Bytes(2)};  // too long: the default
    msi.values["InstallDate"] = {1, "2007031"};
    Product(kHKeyLocalMachine, true, "Twin", "Swapped", "\"C:\\a b\\un.exe\" /S");  // the same product again
    Product(kHKeyLocalMachine, true, "Hidden", "Hidden", "x").values["SystemComponent"] = {4, Bytes(1)};
    Product(kHKeyLocalMachine, true, "NoCommand", "NoCommand", "");
    Product(kHKeyCurrentUser, false, "NoName", "", "x");
    Product(kHKeyCurrentUser, false, "Blank", "Blank", "   ");  // a command of blanks is still a command
    platform_.icons = {{"C:\\full\\app.exe", {12}},
                       {"C:\\a b\\un.exe", {0}},
                       {"C:\\odd.exe", {0}},
                       {"C:\\Windows\\Installer\\{GUID}\\b.ico", {0}}};
    platform_.folders["C:\\Windows\\Installer\\{GUID}\\"] = {"a.txt", "b.ico", "c.ico"};

    {
        TUninstallScanner scanner(registry_, platform_);
        // User and machine in the 32-bit view, then both in the 64-bit view; the user's keys show in both.
        EXPECT_EQ(scanner.Scan(), 3 + 2 + 3 + 4);
        EXPECT_EQ(
            Lines(scanner),
            (std::vector<std::string>{
                "Blank|||0|-|   |Blank|User:32|-",
                "Odd|v3\x32||272|2020-02-29 06:00|C:\\odd.exe --quiet|Odd|User:32|C:\\odd.exe,0",
                "Swapped|||1536|2007-03-15 00:00|\"C:\\a b\\un.exe\" /S|Swapped|Machine:32|C:\\a b\\un.exe,0",
                "Installer|||0|-|MsiExec.exe /X{GUID}|{GUID}|Machine:32|C:\\Windows\\Installer\\{GUID}\\b.ico,0|msi",
                "Full|1.2|Pub|1536|2007-03-15 14:02|C:\\full\\un.exe /x|Full|Machine:64|C:\\full\\app.exe,12"}));
        // Each column sorts by its own key (texts ignoring case, sizes, dates, root then view, scan order); ties
        // stay in scan order.
        TUninstallRows source(scanner);
        TRowView rows;
        rows.SetSource(&source);
        std::string orders;
        for (int column = 0; column < TUninstallRows::kColumnCount; ++column) {
            rows.SetSort(column, false);
            for (int i = 0; i < rows.Count(); ++i)
                orders += source.CellText(rows.SourceRow(i), 0).substr(0, 2);
            orders += " ";
        }
        EXPECT_EQ(
            orders,
            "BlFuInOdSw BlOdSwInFu BlSwInFuOd BlInOdSwFu BlInSwFuOd BlSwFuOdIn BlFuOdSwIn BlOdSwInFu BlOdSwInFu ");
        EXPECT_EQ(scanner.FindEntry("Swapped", "\"C:\\a b\\un.exe\" /S"), 2);
        EXPECT_EQ(scanner.FindEntry("swapped", "\"C:\\a b\\un.exe\" /S"), -1);
        scanner.Entry(1).Icon = 0;  // taken over by the window, which destroys it
        platform_.live.erase(platform_.live.begin());
        scanner.Scan32BitView = false;
        scanner.Clear();
        EXPECT_TRUE(platform_.live.empty());
        EXPECT_EQ(scanner.Scan(), 3 + 4);
        EXPECT_EQ(scanner.Count(), 4);  // the twin is no duplicate without the 32-bit view
    }
    EXPECT_TRUE(platform_.live.empty());
    EXPECT_EQ(registry_.OpenHandles(), 0u);
}

}  // namespace
