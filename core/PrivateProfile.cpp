#include "core/PrivateProfile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "core/KoLib.h"

// The file is parsed into sections of entries and, when a write changes anything, written back whole in the
// platform's normal form: trimmed lines, "key=value", no blank lines, CRLF. Everything before the first header
// lives in an unnamed first section that is written without a header.

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct TProfileEntry {
    std::string name;
    std::string value;
    bool hasValue = false;  // a line without "=" is kept but reads as absent
};

struct TProfileSection {
    std::string name;
    std::vector<TProfileEntry> entries;
};

struct TProfileFile {
    std::string bom;
    std::vector<TProfileSection> sections;  // [0] is the unnamed part before the first header, if the file exists
};

// Ctrl+Z counts as a blank: old editors ended text files with it.
bool IsProfileSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsProfileSpace(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsProfileSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    return TrimRight(TrimLeft(s));
}

// Names and values are zero-terminated texts on the platform: a zero byte in the file ends them.
std::string UpToZero(std::string_view s) {
    return std::string(s.substr(0, s.find('\0')));
}

TProfileFile Parse(std::string_view text) {
    TProfileFile file;
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        file.bom = kUtf8Bom;
        text.remove_prefix(kUtf8Bom.size());
    }
    file.sections.emplace_back();
    TProfileSection* section = &file.sections.back();
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty())
            continue;
        if (line.front() == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                file.sections.push_back({UpToZero(Trim(line.substr(1, close - 1))), {}});
                section = &file.sections.back();
                continue;
            }
        }
        TProfileEntry entry;
        std::string_view name = line;
        const size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            name = TrimRight(line.substr(0, equals));
            entry.value = UpToZero(TrimLeft(line.substr(equals + 1)));
            entry.hasValue = true;
        }
        entry.name = UpToZero(name);
        // A line with an empty name right after another one is dropped.
        if (name.empty() && !section->entries.empty() && section->entries.back().name.empty())
            continue;
        section->entries.push_back(std::move(entry));
    }
    return file;
}

std::string Serialize(const TProfileFile& file) {
    std::string text = file.bom;
    for (const TProfileSection& section : file.sections) {
        if (!section.name.empty())
            text.append("[").append(section.name).append("]\r\n");
        for (const TProfileEntry& entry : section.entries) {
            text.append(entry.name);
            if (entry.hasValue)
                text.append("=").append(entry.value);
            text.append("\r\n");
        }
    }
    return text;
}

// A missing or unreadable file reads as empty; unlike an existing empty file it has no unnamed part to delete.
TProfileFile Load(const char* fileName) {
    std::string bytes;
    if (!fileName || !ReadFileBytes(fileName, bytes))
        return {};
    return Parse(bytes);
}

bool IsReadOnly(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        return false;
    return (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
}

// Rewrites the file in place, as the platform does; it is only opened once the new text is complete.
bool Store(const char* fileName, const std::string& text) {
    const std::filesystem::path path(fileName);
    std::error_code error;
    const bool existed = std::filesystem::exists(path, error);
    std::FILE* f = std::fopen(fileName, existed ? "r+b" : "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    if (ok && existed && std::filesystem::file_size(path, error) != text.size())
        std::filesystem::resize_file(path, text.size(), error);
    return ok && !error;
}

TProfileSection* FindSectionAsGiven(TProfileFile& file, std::string_view name) {
    for (TProfileSection& section : file.sections)
        if (SameTextAscii(section.name, name))
            return &section;
    return nullptr;
}

// Names given for a value are looked up without their surrounding blanks; new ones keep the trailing blanks.
TProfileSection* FindSection(TProfileFile& file, std::string_view name) {
    return FindSectionAsGiven(file, Trim(name));
}

TProfileEntry* FindEntry(TProfileSection& section, std::string_view name) {
    name = Trim(name);
    for (TProfileEntry& entry : section.entries)
        if (SameTextAscii(entry.name, name))
            return &entry;
    return nullptr;
}

TProfileSection& FindOrAddSection(TProfileFile& file, std::string_view name) {
    if (TProfileSection* section = FindSection(file, name))
        return *section;
    file.sections.push_back({std::string(TrimLeft(name)), {}});
    return file.sections.back();
}

TProfileEntry& AddEntry(TProfileSection& section, std::string_view name) {
    section.entries.push_back({std::string(TrimLeft(name)), {}, false});
    return section.entries.back();
}

// Deleting compares the names as given, without trimming them.
bool DeleteSection(TProfileFile& file, std::string_view name) {
    for (auto it = file.sections.begin(); it != file.sections.end(); ++it) {
        if (SameTextAscii(it->name, name)) {
            file.sections.erase(it);
            return true;
        }
    }
    return false;
}

// The first such key of any section of that name.
bool DeleteEntry(TProfileFile& file, std::string_view section, std::string_view key) {
    for (TProfileSection& s : file.sections) {
        if (!SameTextAscii(s.name, section))
            continue;
        for (auto it = s.entries.begin(); it != s.entries.end(); ++it) {
            if (SameTextAscii(it->name, key)) {
                s.entries.erase(it);
                return true;
            }
        }
    }
    return false;
}

// The quoting rule and the truncation quirk of the platform: a quoted value keeps its closing quote while copying
// and then drops the last character copied whenever the buffer could hold the value without its opening quote.
uint32_t CopyEntry(std::string_view value, bool stripQuotes, char* buffer, uint32_t size) {
    bool quoted = false;
    if (stripQuotes && value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string_view copied = value.substr(0, size - 1);
    if (quoted && size >= value.size() && !copied.empty())
        copied.remove_suffix(1);
    std::memcpy(buffer, copied.data(), copied.size());
    buffer[copied.size()] = '\0';
    return static_cast<uint32_t>(copied.size());
}

// Trailing spaces (only spaces) of the default go, but never its first character.
std::string_view TrimDefault(std::string_view value) {
    size_t n = value.size();
    while (n > 1 && value[n - 1] == ' ')
        --n;
    return value.substr(0, n);
}

// Section names, each cut to what fits; a cut list returns size - 2.
uint32_t CopySectionNames(const TProfileFile& file, char* buffer, uint32_t size) {
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    uint32_t pos = 0;
    uint32_t room = size - 1;
    for (const TProfileSection& section : file.sections) {
        if (section.name.empty())
            continue;
        const uint32_t need = static_cast<uint32_t>(std::min<size_t>(section.name.size(), size)) + 1;
        if (need >= room) {
            std::memcpy(buffer + pos, section.name.data(), room - 1);
            pos += room - 1;
            buffer[pos++] = '\0';
            buffer[pos] = '\0';
            return size - 2;
        }
        std::memcpy(buffer + pos, section.name.data(), need - 1);
        pos += need - 1;
        buffer[pos++] = '\0';
        room -= need;
    }
    buffer[pos] = '\0';
    return pos;
}

// Key names of lines with a value, comments left out; a cut list returns size - 2.
uint32_t CopyKeyNames(const TProfileSection& section, char* buffer, uint32_t size) {
    uint32_t pos = 0;
    uint32_t left = size;
    for (const TProfileEntry& entry : section.entries) {
        if (!entry.hasValue || (!entry.name.empty() && entry.name.front() == ';'))
            continue;
        if (left <= 2)
            break;
        const uint32_t n = static_cast<uint32_t>(std::min<size_t>(entry.name.size(), left - 2));
        std::memcpy(buffer + pos, entry.name.data(), n);
        pos += n;
        buffer[pos++] = '\0';
        left -= n + 1;
        if (left < 2)
            break;
    }
    buffer[pos] = '\0';
    if (left <= 1 && pos > 0) {
        buffer[pos - 1] = '\0';
        return size - 2;
    }
    return size - left;
}

// A read of the platform's GetPrivateProfileString from a parsed file.
uint32_t ReadFrom(TProfileFile& file,
                  const char* section,
                  const char* key,
                  const char* defaultValue,
                  char* buffer,
                  uint32_t size) {
    if (!buffer || size == 0)
        return 0;
    const std::string_view fallback = defaultValue ? defaultValue : "";
    if (!section)
        return CopySectionNames(file, buffer, size);
    if (key) {
        TProfileSection* found = FindSection(file, section);
        const TProfileEntry* entry = found ? FindEntry(*found, key) : nullptr;
        const std::string_view value =
            entry && entry->hasValue ? std::string_view(entry->value) : TrimDefault(fallback);
        return CopyEntry(value, true, buffer, size);
    }
    // The key list of a section compares the name as given.
    const TProfileSection* found = FindSectionAsGiven(file, section);
    uint32_t copied = 0;
    buffer[0] = '\0';
    if (found)
        copied = CopyKeyNames(*found, buffer, size);
    // An empty list (or one whose first name is empty) gives the default instead.
    if (buffer[0] == '\0')
        copied = CopyEntry(fallback, true, buffer, size);
    return copied;
}

}  // namespace

uint32_t TPortableProfile::GetString(const char* section,
                                     const char* key,
                                     const char* defaultValue,
                                     char* buffer,
                                     uint32_t size,
                                     const char* fileName) {
    if (!buffer || size == 0)
        return 0;
    TProfileFile file = Load(fileName);
    return ReadFrom(file, section, key, defaultValue, buffer, size);
}

bool TPortableProfile::WriteString(const char* section, const char* key, const char* value, const char* fileName) {
    if (!section)
        return false;  // all empty asks to flush a cache this implementation does not have; that reports false
    if (!fileName || IsReadOnly(fileName))
        return false;
    TProfileFile file = Load(fileName);
    bool changed = false;
    if (!key) {
        changed = DeleteSection(file, section);
    } else if (!value) {
        changed = DeleteEntry(file, section, key);
    } else {
        TProfileSection& target = FindOrAddSection(file, section);
        TProfileEntry* entry = FindEntry(target, key);
        if (!entry)
            entry = &AddEntry(target, key);
        const std::string_view text = TrimLeft(value);
        if (!entry->hasValue || entry->value != text) {
            entry->value = text;
            entry->hasValue = true;
            changed = true;
        }
    }
    return !changed || Store(fileName, Serialize(file));
}

bool TPortableProfile::WriteSection(const char* section, const char* lines, const char* fileName) {
    if (!section)
        return false;
    if (!lines)
        return WriteString(section, nullptr, nullptr, fileName);
    if (!fileName || IsReadOnly(fileName))
        return false;
    TProfileFile file = Load(fileName);
    bool changed = false;
    for (TProfileSection& s : file.sections) {
        if (SameTextAscii(s.name, section) && !s.entries.empty()) {
            s.entries.clear();
            changed = true;
        }
    }
    for (const char* line = lines; *line; line += std::strlen(line) + 1) {
        const std::string_view item(line);
        const size_t equals = item.find('=');
        if (equals == std::string_view::npos)
            continue;  // not a "key=value" line: skipped
        TProfileEntry& entry = AddEntry(FindOrAddSection(file, section), item.substr(0, equals));
        entry.value = TrimLeft(item.substr(equals + 1));
        entry.hasValue = true;
        changed = true;
    }
    return !changed || Store(fileName, Serialize(file));
}

struct TSnapshotProfile::TFiles {
    std::map<std::string, TProfileFile> files;
};

TSnapshotProfile::TSnapshotProfile(IPrivateProfile& writes) : writes_(writes), files_(std::make_unique<TFiles>()) {}

TSnapshotProfile::~TSnapshotProfile() = default;

uint32_t TSnapshotProfile::GetString(const char* section,
                                     const char* key,
                                     const char* defaultValue,
                                     char* buffer,
                                     uint32_t size,
                                     const char* fileName) {
    if (!buffer || size == 0)
        return 0;
    const std::string name = fileName ? fileName : "";
    auto it = files_->files.find(name);
    if (it == files_->files.end())
        it = files_->files.emplace(name, Load(fileName)).first;
    return ReadFrom(it->second, section, key, defaultValue, buffer, size);
}

bool TSnapshotProfile::WriteString(const char* section, const char* key, const char* value, const char* fileName) {
    files_->files.erase(fileName ? fileName : "");
    return writes_.WriteString(section, key, value, fileName);
}

bool TSnapshotProfile::WriteSection(const char* section, const char* lines, const char* fileName) {
    files_->files.erase(fileName ? fileName : "");
    return writes_.WriteSection(section, lines, fileName);
}
