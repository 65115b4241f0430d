#include "tools/system/ClipBoard.h"

#include <iterator>

#include "core/Format.h"
#include "core/KoLib.h"

namespace {
constexpr const char* kStandardNames[] = {
    "Unknown", "Text", "Bitmap", "Metafile Picture", "SYLK",         "DIF",   "TIFF",   "OEM Text", "DIB", "Palette",
    "PenData", "RIFF", "Wave",   "Unicode Text",     "Enh Metafile", "HDrop", "Locale", "Max",
};
constexpr size_t kDropHeader = 20;
constexpr const char kKeys[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
}  // namespace

std::string ClipFormatName(unsigned format, std::string_view registered) {
    const std::string name = ClipTextUpToZero(registered);
    if (name.empty() && format < std::size(kStandardNames))
        return kStandardNames[format];
    return name;
}

std::string ClipMenuCaption(unsigned format, const std::string& name) {
    return Format("%.4x:  %s", {format, name});
}

char ClipMenuKey(int position) {
    return position >= 0 && position + 1 < static_cast<int>(sizeof kKeys) - 1 ? kKeys[position + 1] : 0;
}

std::string ClipTextUpToZero(std::string_view bytes) {
    return std::string(bytes.substr(0, bytes.find('\0')));
}

std::string ClipDottedText(std::string_view bytes) {
    std::string text(bytes);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32)
            c = '.';
    return text;
}

std::vector<std::string> ClipDropFiles(std::string_view block,
                                       const std::function<std::string(std::u16string_view)>& toText) {
    std::vector<std::string> names;
    if (block.size() < kDropHeader)
        return names;
    const auto* header = reinterpret_cast<const uint8_t*>(block.data());
    const uint32_t start = LittleEndian32(header);
    const bool wide = LittleEndian32(header + 16) != 0;
    if (start > block.size())
        return names;
    const size_t unit = wide ? 2 : 1;
    for (size_t at = start; at + unit <= block.size();) {
        if (!wide) {
            const size_t end = block.find('\0', at);
            if (end == at)
                break;
            // A name that runs to the block's end is cut there rather than read past it.
            names.push_back(std::string(block.substr(at, end == std::string_view::npos ? block.npos : end - at)));
            if (end == std::string_view::npos)
                break;
            at = end + 1;
            continue;
        }
        std::u16string name;
        for (; at + 2 <= block.size(); at += 2) {
            const char16_t c = static_cast<char16_t>(static_cast<unsigned char>(block[at]) |
                                                     static_cast<unsigned char>(block[at + 1]) << 8);
            if (c == 0)
                break;
            name.push_back(c);
        }
        if (name.empty())
            break;
        names.push_back(toText(name));
        at += 2;
    }
    return names;
}

std::string ClipColorCode(uint32_t color) {
    const uint32_t rgb = (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
    return Format("#%.6x", {rgb});
}

int ClipCenterOffset(int client, int picture, bool center) {
    return center && client >= picture ? (client - picture) / 2 : 0;
}

std::string ClipEditFileName(const std::string& folder, int counter) {
    return Format("%sclip%.4x.txt", {folder, counter});
}
