// Checks the text-to-integer rule against a second, deliberately plain reading of the same rule.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/KoLib.h"
#include "fuzz/FuzzSupport.h"

namespace {

bool IsDec(char c) {
    return c >= '0' && c <= '9';
}

bool IsHex(char c) {
    return IsDec(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::optional<int32_t> Reference(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    s.remove_prefix(first);
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    bool hex = true;
    if (s.starts_with("0x") || s.starts_with("0X"))
        s.remove_prefix(2);
    else if (s.starts_with("$") || s.starts_with("x") || s.starts_with("X"))
        s.remove_prefix(1);
    else
        hex = false;
    if (s.empty())
        return std::nullopt;
    for (char c : s) {
        if (hex ? !IsHex(c) : !IsDec(c))
            return std::nullopt;
    }
    const size_t nonZero = s.find_first_not_of('0');
    s = nonZero == std::string_view::npos ? std::string_view() : s.substr(nonZero);
    if (s.size() > (hex ? 8u : 10u))
        return std::nullopt;
    int64_t magnitude = 0;
    for (char c : s) {
        const int digit = IsDec(c) ? c - '0' : (c | 0x20) - 'a' + 10;
        magnitude = magnitude * (hex ? 16 : 10) + digit;
    }
    if (hex) {
        int64_t v = magnitude >= 0x80000000LL ? magnitude - 0x100000000LL : magnitude;
        if (negative)
            v = -v;
        if (v > INT32_MAX)
            v -= 0x100000000LL;  // only -(-2^31)
        return static_cast<int32_t>(v);
    }
    const int64_t v = negative ? -magnitude : magnitude;
    if (v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    int32_t value = 0;
    const bool ok = TryStrToInt(text, value);
    const std::optional<int32_t> expected = Reference(text);
    Check(ok == expected.has_value() && (!ok || value == *expected), "TryStrToInt agrees with the reference");
    Check(StrToIntDef(text, 77) == (ok ? value : 77), "StrToIntDef agrees with TryStrToInt");
    // 64 bits read every decimal number 32 bits read, to the same value.
    int64_t wide = 0;
    const bool decimal = text.find_first_of("$xX") == std::string_view::npos;
    if (ok && decimal)
        Check(TryStrToInt64(text, wide) && wide == value, "TryStrToInt64 reads what TryStrToInt reads");
    return 0;
}
