#include "core/KoLib.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>
#include <utility>

namespace {

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int RomanLetterValue(char c) {
    switch (c) {
        case 'I':
            return 1;
        case 'V':
            return 5;
        case 'X':
            return 10;
        case 'L':
            return 50;
        case 'C':
            return 100;
        case 'D':
            return 500;
        case 'M':
            return 1000;
        default:
            return 0;
    }
}

}  // namespace

TCharSet MakeCharSet(std::string_view chars) {
    TCharSet set;
    for (char c : chars)
        set.set(Byte(c));
    return set;
}

// Blanks are space and tab only: these texts come from INI files and edit boxes, where nothing else pads a number.
// Hexadecimal reads as a 32-bit pattern ("$FFFFFFFF" is -1); a minus sign then negates that pattern, wrapping, so
// "-$1" is -1 and "-$80000000" is the smallest integer. Decimal must lie in the signed range.
namespace {
// Hexadecimal digits give the bit pattern of the type (so "$FFFFFFFF" is -1 in 32 bits); decimal ones must fit.
template <typename T>
bool TryStrToIntOf(std::string_view text, T& value) {
    using TPattern = std::make_unsigned_t<T>;
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size())
        return false;
    const TPattern limit = hex        ? std::numeric_limits<TPattern>::max()
                           : negative ? TPattern(std::numeric_limits<T>::max()) + 1u
                                      : TPattern(std::numeric_limits<T>::max());
    const unsigned base = hex ? 16 : 10;
    TPattern magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = hex ? HexDigit(text[i]) : text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1;
        if (digit < 0 || magnitude > (limit - static_cast<TPattern>(digit)) / base)
            return false;
        magnitude = static_cast<TPattern>(magnitude * base + static_cast<TPattern>(digit));
    }
    value = static_cast<T>(negative ? static_cast<TPattern>(0u - magnitude) : magnitude);
    return true;
}
}  // namespace

bool TryStrToInt(std::string_view text, int32_t& value) {
    return TryStrToIntOf(text, value);
}

bool TryStrToInt64(std::string_view text, int64_t& value) {
    return TryStrToIntOf(text, value);
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) {
    int32_t value = 0;
    return TryStrToInt(text, value) ? value : fallback;
}

int Choose(int falseValue, int trueValue, bool condition) {
    return condition ? trueValue : falseValue;
}

int Clamp(int v, int lo, int hi) {
    if (v < lo)
        return lo;
    if (v > hi)
        return hi;
    return v;
}

int Wrap(int v, int lo, int hi) {
    if (v < lo)
        return hi;
    if (v > hi)
        return lo;
    return v;
}

uint16_t Swap16(uint16_t w) {
    return static_cast<uint16_t>((w >> 8) | (w << 8));
}

uint32_t SwapRB(uint32_t c) {
    return (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
}

uint32_t Swap32(uint32_t d) {
    return d >> 24 | (d >> 8 & 0xFF00u) | (d << 8 & 0xFF0000u) | d << 24;
}

uint16_t LittleEndian16(const uint8_t* p) {
    return static_cast<uint16_t>(p[1] << 8 | p[0]);
}

uint32_t LittleEndian32(const uint8_t* p) {
    return static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 |
           p[0];
}

uint32_t BigEndian32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}

void PutLittleEndian16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void PutLittleEndian32(uint8_t* p, uint32_t v) {
    PutLittleEndian16(p, static_cast<uint16_t>(v));
    PutLittleEndian16(p + 2, static_cast<uint16_t>(v >> 16));
}

std::string IntToOct(uint32_t v) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + (v & 7)));
        v >>= 3;
    } while (v != 0);
    return digits;
}

// The digits are not checked: only the low three bits of each character count, so "9" reads as 1.
uint32_t OctToInt(std::string_view text) {
    size_t i = 0;
    while (i + 1 < text.size() && (text[i] == '0' || text[i] == 'o'))
        ++i;
    uint32_t value = 0;
    for (; i < text.size(); ++i)
        value = value * 8 + (Byte(text[i]) & 7u);
    return value;
}

std::string IntToBin(uint32_t v, int minDigits) {
    std::string digits;
    do {
        digits.insert(digits.begin(), (v & 1) ? '1' : '0');
        v >>= 1;
    } while (v != 0);
    const size_t width = static_cast<size_t>(std::clamp(minDigits, 0, 255));
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

uint32_t BinToInt(std::string_view text) {
    uint32_t value = 0;
    for (char c : text)
        value = value * 2 + (c == '1' ? 1u : 0u);
    return value;
}

uint64_t BinToInt64(std::string_view text) {
    uint64_t value = 0;
    for (char c : text)
        value = value * 2 + (c == '1' ? 1u : 0u);
    return value;
}

std::string IntToRoman(uint16_t v) {
    struct Pair {
        unsigned value;
        const char* letters;
    };
    static constexpr Pair kPairs[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"},
                                      {90, "XC"},  {50, "L"},   {40, "XL"}, {10, "X"},   {9, "IX"},
                                      {5, "V"},    {4, "IV"},   {1, "I"}};
    std::string text;
    unsigned rest = v;
    for (const Pair& pair : kPairs) {
        while (rest >= pair.value) {
            text += pair.letters;
            rest -= pair.value;
        }
    }
    return text;
}

// Sums in 32 bits, wrapping: a text of millions of letters yields a meaningless number, never undefined behaviour.
int RomanToInt(std::string_view text) {
    uint32_t total = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const int value = RomanLetterValue(text[i]);
        const int next = i + 1 < text.size() ? RomanLetterValue(text[i + 1]) : 0;
        if (next > value)
            total -= static_cast<uint32_t>(value);
        else
            total += static_cast<uint32_t>(value);
    }
    return static_cast<int>(total);
}

// Amount is clamped to 0..255 so that a channel can never spill into its neighbour.
TColor BlendColor(TColor a, TColor b, int amount) {
    amount = std::clamp(amount, 0, 255);
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>(a >> shift & 0xFFu);
        const int cb = static_cast<int>(b >> shift & 0xFFu);
        const int channel = ca + (cb - ca) * amount / 255;
        result |= static_cast<TColor>(channel) << shift;
    }
    return result;
}

// A hue that is not a finite number has no sector; it gives black like an out-of-range saturation or value.
TColor HsvToColor(double hue, double saturation, double value) {
    if (!(saturation >= 0 && saturation <= 1) || !(value >= 0 && value <= 1) || !std::isfinite(hue))
        return 0;
    const double h = std::fmod(std::fabs(hue), 360.0) / 60.0;
    const int sector = std::min(static_cast<int>(h), 5);
    const double chroma = value * saturation;
    const double x = chroma * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    const double m = value - chroma;
    double r = 0, g = 0, b = 0;
    switch (sector) {
        case 0:
            r = chroma, g = x;
            break;
        case 1:
            r = x, g = chroma;
            break;
        case 2:
            g = chroma, b = x;
            break;
        case 3:
            g = x, b = chroma;
            break;
        case 4:
            r = x, b = chroma;
            break;
        default:
            r = chroma, b = x;
            break;
    }
    // nearbyint follows the current rounding mode, ties to even by default; std::round would round ties away.
    auto channel = [m](double c) { return static_cast<TColor>(std::clamp(std::nearbyint((c + m) * 255), 0.0, 255.0)); };
    return channel(r) | channel(g) << 8 | channel(b) << 16;
}

// As CharUpperBuffA does for code page 1252: the micro sign and sharp s have no single-byte capital and stay.
char UpperCase1252(char c) {
    const unsigned char u = Byte(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 0x20);
    switch (u) {
        case 0x9A:
        case 0x9C:
        case 0x9E:
            return static_cast<char>(u - 0x10);
        case 0xFF:
            return static_cast<char>(0x9F);
        default:
            break;
    }
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 0x20);
    return c;
}

std::string UpperCase1252(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = UpperCase1252(c);
    return upper;
}

// Digits and "_" are not word characters; of the accented letters, Z and z with caron are not either.
bool IsWordChar1252(char c) {
    const unsigned char u = Byte(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
        return true;
    if (u == 138 || u == 140 || u == 154 || u == 156 || u == 159)
        return true;
    return (u >= 192 && u <= 214) || (u >= 216 && u <= 222) || (u >= 224 && u <= 246) || u >= 248;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; };
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

int PosEx(std::string_view text, std::string_view subStr, int offset, bool caseSensitive, bool wholeWord) {
    if (text.empty() || subStr.empty() || offset < 1 || static_cast<size_t>(offset) > text.size())
        return 0;
    if (subStr.size() > text.size())
        return 0;
    std::string upperText, upperSub;
    std::string_view hay = text, needle = subStr;
    if (!caseSensitive) {
        upperText = UpperCase1252(text);
        upperSub = UpperCase1252(subStr);
        hay = upperText;
        needle = upperSub;
    }
    const size_t last = text.size() - subStr.size();  // 0-based start of the last possible match
    for (size_t p = static_cast<size_t>(offset) - 1; p <= last; ++p) {
        if (hay.compare(p, needle.size(), needle) != 0)
            continue;
        if (!wholeWord)
            return static_cast<int>(p + 1);
        const size_t end = p + subStr.size();
        const bool wordBefore = p > 0 && IsWordChar1252(text[p - 1]);
        const bool wordAfter = end < text.size() && IsWordChar1252(text[end]);
        if (!wordBefore && !wordAfter)
            return static_cast<int>(p + 1);
    }
    return 0;
}

int ReplaceAll(std::string& text, std::string_view find, std::string_view replacement) {
    if (text.empty() || find.empty())
        return 0;
    std::string result;
    int count = 0;
    size_t from = 0;
    for (size_t at = text.find(find); at != std::string::npos; at = text.find(find, from)) {
        result.append(text, from, at - from);
        result.append(replacement);
        from = at + find.size();
        ++count;
    }
    if (count == 0)
        return 0;
    result.append(text, from, std::string::npos);
    text = std::move(result);
    return count;
}

// A start before the first character searches from the first character.
int PosOfSet(std::string_view text, const TCharSet& charSet, int start) {
    for (size_t i = start < 1 ? 0 : static_cast<size_t>(start) - 1; i < text.size(); ++i) {
        if (charSet.test(Byte(text[i])))
            return static_cast<int>(i + 1);
    }
    return 0;
}

int CountOfSet(std::string_view text, const TCharSet& charSet, int start) {
    if (charSet.none() || start < 1)
        return 0;
    int count = 0;
    for (size_t i = static_cast<size_t>(start) - 1; i < text.size(); ++i) {
        if (charSet.test(Byte(text[i])))
            ++count;
    }
    return count;
}

std::string& HexDisplayPrefix() {
    static std::string prefix = "$";
    return prefix;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.append(chunk, n);
    std::fclose(f);
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}
