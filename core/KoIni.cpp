#include "core/KoIni.h"

#include <algorithm>
#include <string_view>

#include "core/Format.h"
#include "core/KoLib.h"
#include "core/Locale.h"
#include "core/PrivateProfile.h"

TKoIni::TKoIni(std::string fileName) : TKoIni(std::move(fileName), SystemProfile()) {}

TKoIni::TKoIni(std::string fileName, IPrivateProfile& profile)
    : fileName_(std::move(fileName)), profile_(profile), buffer_(std::make_unique<char[]>(kBufferSize)) {}

TKoIni::~TKoIni() {
    UpdateFile();
}

void TKoIni::SetFileName(const std::string& name) {
    if (name == fileName_)
        return;
    UpdateFile();
    fileName_ = name;
}

void TKoIni::UpdateFile() {
    profile_.WriteString(nullptr, nullptr, nullptr, fileName_.c_str());
}

std::string TKoIni::ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) {
    if (section.empty() || key.empty())
        return {};
    const uint32_t n = profile_.GetString(section.c_str(), key.c_str(), defaultValue.c_str(), buffer_.get(),
                                          kBufferSize, fileName_.c_str());
    return std::string(buffer_.get(), std::min(n, kBufferSize - 1));
}

std::string TKoIni::QuoteValue(const std::string& value) {
    if (value.empty())
        return value;
    const char first = value.front();
    const char last = value.back();
    const bool blankEdge = first == ' ' || first == '\t' || last == ' ' || last == '\t';
    const bool quotedAlready = value.size() >= 2 && (first == '"' || first == '\'') && last == first;
    return blankEdge || quotedAlready ? '"' + value + '"' : value;
}

bool TKoIni::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    return profile_.WriteString(section.c_str(), key.c_str(), QuoteValue(value).c_str(), fileName_.c_str());
}

int32_t TKoIni::ReadInteger(const std::string& section, const std::string& key, int32_t defaultValue) {
    if (section.empty() || key.empty())
        return defaultValue;
    return StrToIntDef(ReadString(section, key, ""), defaultValue);
}

bool TKoIni::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

long double TKoIni::ReadFloat(const std::string& section, const std::string& key, long double defaultValue) {
    long double value = 0;
    if (TryTextToFloat(ReadString(section, key, ""), value, AppLocale().DecimalSeparator()))
        return value;
    return defaultValue;
}

bool TKoIni::WriteFloat(const std::string& section, const std::string& key, long double value) {
    return WriteString(section, key, FormatFloatGeneral(value, 18, 4, AppLocale().DecimalSeparator()));
}

// The names come back as zero-terminated texts ended by an empty one; the count returned bounds a list cut short.
int TKoIni::ReadNames(const char* section, std::vector<std::string>& list) {
    list.clear();
    const uint32_t n = std::min(profile_.GetString(section, nullptr, "", buffer_.get(), kBufferSize, fileName_.c_str()),
                                kBufferSize - 1);
    const std::string_view names(buffer_.get(), n);
    for (size_t pos = 0; pos < names.size() && names[pos] != '\0';) {
        const std::string_view name = names.substr(pos, names.find('\0', pos) - pos);
        list.emplace_back(name);
        pos += name.size() + 1;
    }
    return static_cast<int>(list.size());
}

int TKoIni::ReadSection(const std::string& section, std::vector<std::string>& list) {
    return ReadNames(section.c_str(), list);
}

int TKoIni::ReadSections(std::vector<std::string>& list) {
    return ReadNames(nullptr, list);
}

bool TKoIni::ValueExists(const std::string& section, const std::string& key) {
    std::vector<std::string> names;
    ReadSection(section, names);
    const std::string wanted = UpperCase1252(key);
    for (const std::string& name : names)
        if (UpperCase1252(name) == wanted)
            return true;
    return false;
}

bool TKoIni::DeleteKey(const std::string& section, const std::string& key) {
    return !section.empty() && !key.empty() &&
           profile_.WriteString(section.c_str(), key.c_str(), nullptr, fileName_.c_str());
}

bool TKoIni::ClearSection(const std::string& section) {
    static constexpr char kNoLines[2] = {'\0', '\0'};
    return profile_.WriteSection(section.c_str(), kNoLines, fileName_.c_str());
}
