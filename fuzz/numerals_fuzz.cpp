// Numeral conversions, font texts and text search on arbitrary bytes: no crash, and the invariants that callers
// rely on hold.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/FontSpec.h"
#include "core/KoLib.h"
#include "fuzz/FuzzSupport.h"

namespace {

void CheckNumerals(std::string_view text) {
    RomanToInt(text);
    OctToInt(text);
    Check(BinToInt(text) == static_cast<uint32_t>(BinToInt64(text)));
    if (text.size() >= 2) {
        const uint16_t any = static_cast<uint16_t>(static_cast<uint8_t>(text[0]) << 8 | static_cast<uint8_t>(text[1]));
        const int v = any % 4000;
        Check(RomanToInt(IntToRoman(static_cast<uint16_t>(v))) == v);
        Check(RomanToInt(IntToRoman(any)) == any);  // greedy output reads back even beyond 3999
        Check(OctToInt(IntToOct(any)) == any);
        Check(BinToInt(IntToBin(any, static_cast<uint8_t>(text[0]))) == any);
    }
}

void CheckFont(std::string_view text) {
    const TFontSpec font = ParseFontSpec(text);
    Check(font.faceName.size() <= 31);
    Check(font.hasSize || font.sizePoints == 0);
}

// Input: flags byte, then text, sub-string and replacement separated by zero bytes.
void CheckSearch(std::string_view input) {
    if (input.empty())
        return;
    const uint8_t flags = static_cast<uint8_t>(input[0]);
    input.remove_prefix(1);
    const size_t cut1 = input.find('\0');
    const std::string_view text = input.substr(0, cut1);
    const std::string_view rest = cut1 == std::string_view::npos ? std::string_view() : input.substr(cut1 + 1);
    const size_t cut2 = rest.find('\0');
    const std::string_view sub = rest.substr(0, cut2);
    const std::string_view replacement = cut2 == std::string_view::npos ? std::string_view() : rest.substr(cut2 + 1);

    const bool caseSensitive = flags & 1;
    const bool wholeWord = flags & 2;
    const int offset = static_cast<int>(flags >> 2) - 2;
    const int pos = PosEx(text, sub, offset, caseSensitive, wholeWord);
    const std::string hay = caseSensitive ? std::string(text) : UpperCase1252(text);
    const std::string needle = caseSensitive ? std::string(sub) : UpperCase1252(sub);
    if (pos != 0) {
        Check(pos >= offset && pos >= 1);
        Check(static_cast<size_t>(pos) - 1 + sub.size() <= text.size());
        Check(hay.compare(static_cast<size_t>(pos) - 1, needle.size(), needle) == 0);
        if (!wholeWord)
            Check(hay.find(needle, static_cast<size_t>(offset) - 1) == static_cast<size_t>(pos) - 1);
    } else if (!wholeWord && offset >= 1 && !sub.empty()) {
        Check(static_cast<size_t>(offset) > text.size() ||
              hay.find(needle, static_cast<size_t>(offset) - 1) == std::string::npos);
    }

    std::string replaced(text);
    const int count = ReplaceAll(replaced, sub, replacement);
    int expected = 0;
    if (!sub.empty()) {
        for (size_t at = text.find(sub); at != std::string_view::npos; at = text.find(sub, at + sub.size()))
            ++expected;
    }
    Check(count == expected);
    Check(replaced.size() ==
          text.size() + static_cast<size_t>(count) * replacement.size() - static_cast<size_t>(count) * sub.size());
    if (count == 0)
        Check(replaced == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckNumerals(input);
    CheckFont(input);
    CheckSearch(input);
    return 0;
}
