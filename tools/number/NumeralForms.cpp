#include "tools/number/NumeralForms.h"

#include "core/KoLib.h"

#include <bit>

#include "core/Format.h"

const char kRomanOutOfRange[] = "Number to large, zero or negative";

namespace {

struct TKindInfo {
    const char* title;
    const char* allowed;  // nullptr: every character
    bool upperCase;
};

constexpr TKindInfo kKinds[kNumeralKindCount] = {
    {"Hexadecimal", "0123456789ABCDEFabcdef", true},
    {"Decimal", "0123456789", false},
    {"Octal", "01234567", false},
    {"Binary", "01", false},
    {"String", nullptr, false},
    {"Roman", "CDILMVX", true},
};

const TKindInfo& Info(TNumeralKind kind) {
    return kKinds[static_cast<int>(kind)];
}

bool OnlyAllowed(TNumeralKind kind, std::string_view text) {
    const TCharSet& allowed = NumeralAllowedChars(kind);
    for (char c : text) {
        if (!allowed.test(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

// Optional sign and decimal digits within the signed 64-bit range.
bool ParseInt64(std::string_view text, int64_t& value) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    const uint64_t limit = negative ? 9223372036854775808u : 9223372036854775807u;
    uint64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
    }
    value = static_cast<int64_t>(negative ? 0 - magnitude : magnitude);
    return true;
}

// An edit box ends its text at a zero byte, so the shown text stops there too; what is left is trimmed again.
std::string StringForm(uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(value >> (8 * i) & 0xFFu);
    std::string_view shown = TrimBlanks(bytes);
    shown = TrimBlanks(shown.substr(0, shown.find('\0')));
    return std::string(shown);
}

}  // namespace

TNumeralKind NumeralKindAt(int index) {
    return static_cast<TNumeralKind>(index);
}

const char* NumeralTitle(TNumeralKind kind) {
    return Info(kind).title;
}

const TCharSet& NumeralAllowedChars(TNumeralKind kind) {
    static const std::array<TCharSet, kNumeralKindCount> sets = [] {
        std::array<TCharSet, kNumeralKindCount> result;
        for (int i = 0; i < kNumeralKindCount; ++i)
            result[static_cast<size_t>(i)] = kKinds[i].allowed ? MakeCharSet(kKinds[i].allowed) : TCharSet().set();
        return result;
    }();
    return sets[static_cast<size_t>(kind)];
}

bool NumeralShowsUpperCase(TNumeralKind kind) {
    return Info(kind).upperCase;
}

std::string NumeralEditText(TNumeralKind kind, std::string_view typed) {
    return NumeralShowsUpperCase(kind) ? UpperCase1252(typed) : std::string(typed);
}

TNumeralText FormatNumeral(TNumeralKind kind, uint32_t value) {
    switch (kind) {
        case TNumeralKind::Hex:
            return {Format("%x", {value}), true};
        case TNumeralKind::Dec:
            return {Format("%u", {value}), true};
        case TNumeralKind::Oct:
            return {IntToOct(value), true};
        case TNumeralKind::Bin:
            return {IntToBin(value, 0), true};
        case TNumeralKind::Str:
            return {StringForm(value), true};
        case TNumeralKind::Rom:
            if (value >= 1 && value <= 65535)
                return {IntToRoman(static_cast<uint16_t>(value)), true};
            return {kRomanOutOfRange, false};
    }
    return {std::string(), false};
}

bool ParseNumeral(TNumeralKind kind, std::string_view text, uint32_t& value) {
    switch (kind) {
        case TNumeralKind::Hex: {
            int32_t bits = 0;
            if (!TryStrToInt("$" + std::string(text), bits))
                return false;
            value = static_cast<uint32_t>(bits);
            return true;
        }
        case TNumeralKind::Dec: {
            int64_t wide = 0;
            if (!ParseInt64(text, wide))
                return false;
            value = static_cast<uint32_t>(static_cast<uint64_t>(wide));
            return true;
        }
        case TNumeralKind::Oct:
        case TNumeralKind::Bin:
        case TNumeralKind::Rom:
            if (text.empty() || !OnlyAllowed(kind, text))
                return false;
            value = kind == TNumeralKind::Oct   ? OctToInt(text)
                    : kind == TNumeralKind::Bin ? BinToInt(text)
                                                : static_cast<uint32_t>(RomanToInt(text));
            return true;
        case TNumeralKind::Str: {
            if (text.size() > 4)
                return false;
            uint32_t bytes = 0;
            for (size_t i = 0; i < text.size(); ++i)
                bytes |= static_cast<uint32_t>(static_cast<unsigned char>(text[i])) << (8 * i);
            value = bytes;
            return true;
        }
    }
    return false;
}

int NumeralBitCount(uint32_t value) {
    return static_cast<int>(std::bit_width(value));
}

std::string NumConvertCaption(std::string_view title, uint32_t value) {
    return Format("%s - %d bits", {title, NumeralBitCount(value)});
}

uint32_t SwapNumeralBytes(uint32_t value) {
    return Swap32(value);
}

uint32_t ComplementNumeral(uint32_t value) {
    return ~value;
}

int StepFocusedNumeral(int index, int step) {
    return Wrap(index + step, 0, kNumeralKindCount - 1);
}

TNumeralRow::TNumeralRow(TNumeralKind kind) : kind_(kind) {
    SetValue(0);
}

void TNumeralRow::SetValue(uint32_t value) {
    Show(value, false);
}

void TNumeralRow::ShowValue(uint32_t value) {
    Show(value, true);
}

// The text is set here without being parsed again: the String row cannot show blank or zero bytes at its ends,
// and reading its own text back would otherwise change the value it was just given.
void TNumeralRow::Show(uint32_t value, bool force) {
    if (value == value_ && !force)
        return;
    TNumeralText shown = FormatNumeral(kind_, value);
    if (value == value_ && shown.text == text_ && shown.valid == valid_)
        return;
    value_ = value;
    if (shown.text != text_) {
        text_ = std::move(shown.text);
        if (OnTextChanged)
            OnTextChanged(*this);
    }
    SetValid(shown.valid);
}

void TNumeralRow::ParseText(std::string_view text) {
    text_ = std::string(text);
    uint32_t parsed = 0;
    const bool valid = ParseNumeral(kind_, text, parsed);
    SetValid(valid);
    if (valid)
        SetValue(parsed);
}

void TNumeralRow::SetValid(bool valid) {
    if (valid == valid_)
        return;
    valid_ = valid;
    if (OnValidChanged)
        OnValidChanged(*this);
}

TNumeralConverter::TNumeralConverter()
    : rows_{TNumeralRow(TNumeralKind::Hex), TNumeralRow(TNumeralKind::Dec), TNumeralRow(TNumeralKind::Oct),
            TNumeralRow(TNumeralKind::Bin), TNumeralRow(TNumeralKind::Str), TNumeralRow(TNumeralKind::Rom)} {}

void TNumeralConverter::EditChanged(int index, std::string_view text) {
    Row(index).ParseText(text);
    ValueChanged(index);
}

void TNumeralConverter::Apply(int index, uint32_t value) {
    Row(index).ShowValue(value);
    ValueChanged(index);
}

void TNumeralConverter::ValueChanged(int index) {
    const uint32_t value = Row(index).GetValue();
    if (OnValueChange)
        OnValueChange(value);
    for (int i = 0; i < kNumeralKindCount; ++i) {
        if (i == index || (visible && i == focusedEdit))
            continue;
        Row(i).ShowValue(value);
    }
}
