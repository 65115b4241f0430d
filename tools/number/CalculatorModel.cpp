#include "tools/number/CalculatorModel.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "core/Format.h"
#include "core/KoLib.h"

const char* const kNumberSystemNames[4] = {"Hexadecimal", "Decimal", "Octal", "Binary"};

namespace {
[[noreturn]] void RaiseInvalid(TNumberSystem system) {
    throw EInvalidResult(Format("Invalid %s Value", {kNumberSystemNames[static_cast<int>(system)]}));
}

std::string Digits(uint64_t value, unsigned base) {
    std::string text;
    do {
        text.insert(text.begin(), "0123456789ABCDEF"[value % base]);
        value /= base;
    } while (value);
    return text;
}

}  // namespace

std::string FormatResult(long double value, TNumberSystem system, char decimalSeparator) {
    switch (system) {
        case TNumberSystem::Decimal: {
            std::string text = FormatFloatGeneral(value, 18, 4, decimalSeparator);
            for (char& c : text)
                c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            return text;
        }
        case TNumberSystem::Hexadecimal: {
            constexpr long double kLimit = 9223372036854775808.0L;  // 2^63
            if (!std::isfinite(value) || value != std::trunc(value) || value < -kLimit || value > kLimit)
                RaiseInvalid(system);
            // 2^63 itself has no signed 64-bit form; its two's complement pattern is the one a user expects.
            const uint64_t bits =
                value == kLimit ? 0x8000000000000000ull : static_cast<uint64_t>(static_cast<int64_t>(value));
            return HexDisplayPrefix() + Digits(bits, 16);
        }
        case TNumberSystem::Octal:
        case TNumberSystem::Binary:
            if (!std::isfinite(value) || value != std::trunc(value) || value < 0 || value > 4294967295.0L)
                RaiseInvalid(system);
            return (system == TNumberSystem::Octal ? "0o" : "0b") +
                   Digits(static_cast<uint64_t>(value), system == TNumberSystem::Octal ? 8 : 2);
    }
    RaiseInvalid(system);
}

bool IsOperatorChar(char c) {
    static constexpr std::string_view kOperators = "*+-/:&<=>\\^|~\xA4";
    return c != '\0' && kOperators.find(c) != std::string_view::npos;
}

TCharClass CharClassOf(char c, char decimalSeparator) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == decimalSeparator || c == ' ' || c == '\t')
        return TCharClass::Number;
    if (IsOperatorChar(c))
        return TCharClass::Special;
    switch (c) {
        case '(':
        case ')':
            return TCharClass::Bracket;
        case '!':
        case '$':
        case '%':
        case '@':
        case '_':
            return TCharClass::Function;
        default:
            break;
    }
    if ((c >= 'G' && c <= 'Z') || (c >= 'a' && c <= 'z'))
        return TCharClass::Function;
    return TCharClass::Other;
}

void TCalcHistory::Add(const std::string& expression) {
    std::erase(entries_, expression);
    while (entries_.size() >= kMaxEntries)
        entries_.erase(entries_.begin());
    entries_.push_back(expression);
    index_ = static_cast<int>(entries_.size()) - 1;
}

void TCalcHistory::Clear() {
    entries_.clear();
    index_ = 0;
}

void TCalcHistory::Assign(std::vector<std::string> entries) {
    entries_ = std::move(entries);
    index_ = -1;
}

bool TCalcHistory::Back(std::string& entry) {
    if (entries_.empty())
        return false;
    if (index_ == -1)
        index_ = static_cast<int>(entries_.size()) - 1;
    else if (index_ >= 1 && index_ < static_cast<int>(entries_.size()))
        --index_;
    else
        return false;
    entry = entries_[static_cast<size_t>(index_)];
    return true;
}

bool TCalcHistory::Forward(std::string& entry) {
    if (entries_.empty())
        return false;
    if (index_ == -1)
        index_ = static_cast<int>(entries_.size()) - 1;
    else if (index_ >= 0 && index_ + 1 < static_cast<int>(entries_.size()))
        ++index_;
    else
        return false;
    entry = entries_[static_cast<size_t>(index_)];
    return true;
}

std::string PastedExpression(const std::string& clipboard) {
    return std::string(TrimBlanks(clipboard.substr(0, clipboard.find_first_of("\r\n"))));
}

std::string NumberConverterArgument(long double result) {
    const long double whole = std::trunc(result);
    // The converter reads 64-bit integers only: a larger one would be dropped there without a word.
    if (!(whole >= -9223372036854775808.0L && whole < 9223372036854775808.0L))
        return {};
    return Format("%.0f", {whole});
}

std::vector<std::pair<std::string, long double>> ParseVariableLines(const std::string& text, char decimalSeparator) {
    std::vector<std::pair<std::string, long double>> variables;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.size() < 2)
            continue;
        // The separator is looked for before the last character, and a name needs one character at least.
        const size_t separator = line.substr(0, line.size() - 1).find_first_of("\t =");
        if (separator == std::string::npos || separator == 0)
            continue;
        long double value = 0;
        if (TryTextToFloat(std::string(TrimBlanks(line.substr(separator + 1))), value, decimalSeparator))
            variables.emplace_back(line.substr(0, separator), value);
    }
    return variables;
}
