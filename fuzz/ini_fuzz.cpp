// Arbitrary bytes as an INI file: every read must terminate, and a write must read back without disturbing the
// key lists of the other sections.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/KoIni.h"
#include "core/KoLib.h"
#include "core/PrivateProfile.h"
#include "fuzz/FuzzSupport.h"

namespace {

const std::string& FuzzFile() {
    static const std::string name = FuzzTempPath("dd_ini_fuzz").string() + ".ini";
    return name;
}

using Snapshot = std::vector<std::pair<std::string, std::vector<std::string>>>;

Snapshot KeyLists(TKoIni& ini) {
    Snapshot snapshot;
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    for (const std::string& section : sections) {
        std::vector<std::string> keys;
        ini.ReadSection(section, keys);
        snapshot.emplace_back(section, std::move(keys));
    }
    return snapshot;
}

std::vector<std::string> WithoutFuzzKey(const std::vector<std::string>& names) {
    std::vector<std::string> rest;
    for (const std::string& name : names)
        if (!SameTextAscii(name, "fuzz key"))
            rest.push_back(name);
    return rest;
}

bool HasEmptyKeyName(IPrivateProfile& profile, const std::string& file, const std::string& section) {
    char buffer[8];
    profile.GetString(section.c_str(), "", "1", buffer, sizeof buffer, file.c_str());
    const std::string first = buffer;
    profile.GetString(section.c_str(), "", "2", buffer, sizeof buffer, file.c_str());
    return first != "1" || std::string(buffer) != "2";
}

// Lists near the buffer's size are cut, and names read from them need not exist.
bool FitsTheBuffer(const std::vector<std::string>& names) {
    size_t total = 0;
    for (const std::string& name : names)
        total += name.size() + 1;
    return total < TKoIni::kBufferSize - 100;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& file = FuzzFile();
    if (!WriteInputFile(file, data, size))
        return 0;

    TPortableProfile profile;
    TKoIni ini(file, profile);
    const Snapshot raw = KeyLists(ini);
    for (const auto& [section, keys] : raw)
        for (const std::string& key : keys)
            ini.ReadString(section, key, "default");
    // Small buffers, each exactly as large as claimed so that the sanitizer sees any overrun.
    for (uint32_t n = 0; n < 8; ++n) {
        const std::unique_ptr<char[]> buffer(new char[n]);
        Check(profile.GetString(nullptr, nullptr, "", buffer.get(), n, file.c_str()) <= (n > 0 ? n - 1 : 0),
              "section list longer than its buffer");
        if (!raw.empty())
            Check(profile.GetString(raw[0].first.c_str(), nullptr, "d", buffer.get(), n, file.c_str()) <=
                      (n > 0 ? n - 1 : 0),
                  "key list longer than its buffer");
    }

    // Two rewrites put the file in its normal form; from then on a write must not disturb other sections.
    Check(ini.WriteString("fuzz", "normal", "1"), "first write failed");
    Check(ini.WriteString("fuzz", "normal", "2"), "second write failed");
    Check(ini.WriteString("fuzz", "normal", "1"), "third write failed");
    const Snapshot before = KeyLists(ini);
    if (before.empty())
        return 0;
    const std::string section = before[before.size() / 2].first;
    std::vector<std::string> names;
    ini.ReadSections(names);
    if (!FitsTheBuffer(names))
        return 0;
    for (const auto& entry : before)
        if (!FitsTheBuffer(entry.second))
            return 0;
    Check(ini.WriteString(section, "Fuzz Key", " value "), "write failed");
    Check(ini.ReadString(section, "fUZZ kEY", "") == " value ", "written value does not read back");
    const Snapshot after = KeyLists(ini);
    Check(before.size() == after.size(), "section count changed");
    for (size_t i = 0; i < before.size(); ++i) {
        Check(before[i].first == after[i].first, "section names changed");
        // Every duplicate of the written section lists the first one's keys.
        if (SameTextAscii(before[i].first, section)) {
            Check(WithoutFuzzKey(before[i].second) == WithoutFuzzKey(after[i].second), "written section's keys");
            // An empty key name ends a list early.
            Check(HasEmptyKeyName(profile, file, section) ||
                      after[i].second.size() > WithoutFuzzKey(after[i].second).size(),
                  "written key not listed");
        } else {
            Check(before[i].second == after[i].second, "another section's keys changed");
        }
    }
    return 0;
}
