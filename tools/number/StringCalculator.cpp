#include "tools/number/StringCalculator.h"

#include <cmath>

#include "core/Format.h"
#include "core/KoLib.h"
#include "core/Locale.h"
#include "tools/number/StringCalculatorMath.h"

using calc::Fault;

namespace {

// pi rounded to the 64-bit significand of the extended type.
constexpr long double kPi = 3.14159265358979323846264338327950288L;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsNameChar(char c) {
    return IsLetter(c) || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

bool IsBinaryDigit(char c) {
    return c == '0' || c == '1';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsHexDigit(char c) {
    return HexValue(c) >= 0;
}

// Characters after an operand that start another factor without an operator between.
bool StartsImplicitFactor(char c) {
    switch (c) {
        case '(':
        case 'P':
        case 'R':
        case 'X':
        case 'Y':
        case 'Z':
        case 'x':
        case 'y':
        case 'z':
            return true;
        default:
            return false;
    }
}

// Hexadecimal digits as a signed 64-bit integer (16 digits wrap into the sign); more is a fault.
long double HexLiteral(std::string_view digits, int32_t pos, int32_t len) {
    uint64_t value = 0;
    for (char c : digits) {
        if (value >> 60 != 0)
            Fault("Hexadecimal Number Exceeds 64 Bits", pos, len);
        value = value << 4 | static_cast<uint64_t>(HexValue(c));
    }
    return static_cast<long double>(static_cast<int64_t>(value));
}

}  // namespace

int TNamedVariables::IndexOf(std::string_view name) const {
    for (size_t i = 0; i < pairs_.size(); ++i) {
        if (pairs_[i].first == name)
            return static_cast<int>(i);
    }
    return -1;
}

long double TNamedVariables::GetValue(std::string_view name) const {
    const int index = IndexOf(name);
    return index < 0 ? 0.0L : Values(index);
}

void TNamedVariables::SetValue(std::string_view name, long double value) {
    const int index = IndexOf(name);
    if (index < 0)
        Add(name, value);
    else
        pairs_[static_cast<size_t>(index)].second = value;
}

void TNamedVariables::Add(std::string_view name, long double value) {
    pairs_.emplace_back(std::string(name), value);
}

TStringCalculator::TStringCalculator() : stack_(2) {}

long double TStringCalculator::Evaluate(std::string_view expression) {
    top_ = -1;
    depth_ = 0;
    text_ = expression;
    decimalSeparator_ = AppLocale().DecimalSeparator();
    MatchBrackets();
    const long double result = EvaluateLevel(0, static_cast<int32_t>(expression.size()));
    LastResult = result;
    return result;
}

// The ")" that closes each "(", found once for the whole text. A level's text always holds balanced brackets
// (its own brackets closed it at the first return to level 0), so this is the ")" that counting forward from the
// "(" within any level finds; it saves every nesting level a scan of the rest of the text.
void TStringCalculator::MatchBrackets() {
    closing_.assign(text_.size(), -1);
    opened_.clear();
    for (size_t k = 0; k < text_.size(); ++k) {
        if (text_[k] == '(') {
            opened_.push_back(static_cast<int32_t>(k));
        } else if (text_[k] == ')' && !opened_.empty()) {
            closing_[static_cast<size_t>(opened_.back())] = static_cast<int32_t>(k);
            opened_.pop_back();
        }
    }
}

void TStringCalculator::Push(long double value) {
    if (top_ + 1 >= static_cast<int32_t>(stack_.size()))
        stack_.resize(stack_.size() * 2);
    stack_[static_cast<size_t>(++top_)] = TEntry{value, 0, 0};
}

// Evaluates the `len` characters after the first `ofs` of the text. Positions i are 1-based within them.
long double TStringCalculator::EvaluateLevel(int32_t ofs, int32_t len) {
    const char* const first = text_.data() + ofs;
    const auto ch = [first](int32_t k) { return first[k - 1]; };
    const auto part = [first](int32_t from, int32_t to) {  // characters from..to-1
        return std::string_view(first + from - 1, static_cast<size_t>(to - from));
    };
    const int32_t base = top_;
    bool negate = false;
    bool invert = false;
    int32_t invertPos = 0;
    std::string_view function;
    int32_t functionPos = 0;
    int32_t i = 1;
    while (i <= len) {
        while (i < len && IsBlank(ch(i)))
            ++i;
        const char c = ch(i);
        const char next = i < len ? ch(i + 1) : '\0';
        const char afterNext = i + 1 < len ? ch(i + 2) : '\0';
        long double value = 0;
        if (c == '-' && !negate) {
            negate = true;
            ++i;
            continue;
        } else if (c == '(') {
            if (depth_ >= kMaxNesting)
                Fault("Too Many Nested Parentheses", ofs + i, 1);
            const int32_t match = closing_[static_cast<size_t>(ofs + i - 1)];
            if (match < 0 || match >= ofs + len)
                Fault("Matching Parenthesis Missing", ofs + i + 1, 1);
            const int32_t close = match - ofs + 1;
            ++depth_;
            value = EvaluateLevel(ofs + i, close - i - 1);
            --depth_;
            if (!function.empty()) {
                const int f = calc::FindFunction(function);
                const int32_t nameLen = static_cast<int32_t>(function.size());
                if (f < 0)
                    Fault(Format("Undefined Function: %s", {function}), ofs + i - nameLen, nameLen);
                value = calc::ApplyFunction(f, value, functionPos, nameLen);
                function = {};
            }
            i = close + 1;
        } else if (c == 'P' || c == 'R' || c == 'X' || c == 'Y' || c == 'Z' || c == 'x' || c == 'y' || c == 'z') {
            value = c == 'P' ? kPi : c == 'R' ? LastResult : c == 'X' || c == 'x' ? X : c == 'Y' || c == 'y' ? Y : Z;
            if (!std::isfinite(value))
                Fault("Invalid Floating Point Operation", ofs + i, 1);
            ++i;
        } else if (IsNameChar(c)) {
            int32_t paren = i;
            while (paren <= len && ch(paren) != '(')
                ++paren;
            if (paren >= len)
                Fault("Syntax Error", ofs + i, paren - i);
            int32_t end = paren;
            while (IsBlank(ch(end - 1)))
                --end;
            function = part(i, end);
            functionPos = ofs + i;
            i = paren;
            continue;
        } else if (c == '$' && Variables != nullptr && IsNameChar(next)) {
            int32_t end = i + 1;
            while (end <= len && IsNameChar(ch(end)))
                ++end;
            const std::string_view name = part(i + 1, end);
            const int index = Variables->IndexOf(name);
            if (index < 0)
                Fault(Format("Undefined Variable: %s", {name}), ofs + i + 1, static_cast<int32_t>(name.size()));
            value = Variables->Values(index);
            if (!std::isfinite(value))
                Fault("Invalid Floating Point Operation", ofs + i, end - i);
            i = end;
        } else if ((c == '0' && next == 'x' && IsHexDigit(afterNext)) || (c == '$' && IsHexDigit(next))) {
            const int32_t start = c == '$' ? i + 1 : i + 2;
            int32_t end = start;
            while (end <= len && IsHexDigit(ch(end)))
                ++end;
            value = HexLiteral(part(start, end), ofs + i, end - i);
            i = end;
        } else if (c == '0' && next == 'o' && IsOctalDigit(afterNext)) {
            int32_t end = i + 2;
            while (end <= len && IsOctalDigit(ch(end)))
                ++end;
            value = OctToInt(part(i, end));
            i = end;
        } else if (c == '0' && next == 'b' && IsBinaryDigit(afterNext)) {
            int32_t end = i + 2;
            while (end <= len && IsBinaryDigit(ch(end)))
                ++end;
            value = static_cast<int64_t>(BinToInt64(part(i + 2, end)));
            i = end;
        } else if (c == '%' && IsBinaryDigit(next)) {
            int32_t end = i + 1;
            while (end <= len && IsBinaryDigit(ch(end)))
                ++end;
            value = BinToInt(part(i + 1, end));
            i = end;
        } else if (c == '+' || IsDigit(c) || c == decimalSeparator_) {
            int32_t end = i + 1;
            while (end <= len) {
                const char d = ch(end);
                if (IsDigit(d) || d == 'E' || d == 'e' || d == decimalSeparator_ ||
                    ((d == '+' || d == '-') && (ch(end - 1) == 'E' || ch(end - 1) == 'e')))
                    ++end;
                else
                    break;
            }
            if (!TryTextToFloat(part(i, end), value, decimalSeparator_))
                Fault("String Convertion Error", ofs + i, end - i);
            i = end;
        } else if (c == '!' && i < len) {
            invert = true;
            invertPos = ofs + i;
            ++i;
            continue;
        } else {
            Fault("Invalid or Misplaced Character", ofs + i, 1);
        }

        Push(value);
        if (top_ < 0 || top_ >= static_cast<int32_t>(stack_.size()))
            Fault(Format("Stack Not Allocated (%d)", {top_}), ofs + i, 1);
        long double& pushed = stack_[static_cast<size_t>(top_)].value;
        if (negate)
            pushed = -pushed;
        if (invert)
            pushed = static_cast<uint32_t>(~static_cast<uint32_t>(calc::Trunc64(pushed, invertPos, 1)));
        negate = false;
        invert = false;

        if (i <= len && ch(i) == '!') {
            if (!calc::IsIntegral(pushed))
                Fault("Value Must be an Integer", -1, -1);
            if (pushed < 0 || pushed > 1754)
                Fault("Factorial Level out of Bounds", ofs + i, 1);
            pushed = calc::Factorial(static_cast<int>(pushed));
            ++i;
        }

        while (i <= len && IsBlank(ch(i)))
            ++i;
        if (i > len)
            break;
        TEntry& top = stack_[static_cast<size_t>(top_)];
        if (ch(i) == ')')
            Fault("Syntax Error", ofs + i, ofs + len + 1);
        if (StartsImplicitFactor(ch(i))) {
            top.op = 3;
            top.opPos = ofs + i;
            continue;
        }
        const uint8_t op = calc::OperatorCode(ch(i));
        if (op == 0)
            Fault("Missing Operator", ofs + i - 1, 2);
        top.op = op;
        top.opPos = ofs + i;
        ++i;
    }

    // The top entry may belong to an enclosing level when this one pushed nothing: "2+()" ends with an operator.
    if (top_ >= 0 && stack_[static_cast<size_t>(top_)].op != 0)
        Fault("Syntax Error", ofs + i - 1, 2);
    const int32_t count = top_ - base;
    if (count == 0)
        return 0;
    if (count == 1)
        return stack_[static_cast<size_t>(top_--)].value;
    return Fold(base);
}

// Folds the entries above `base` by the four precedence passes, each left to right, and pops the result. Every
// pass compacts the entries in place, so a long chain costs linear time.
long double TStringCalculator::Fold(int32_t base) {
    TEntry* const entries = stack_.data();
    for (int pass = 1; pass <= 4; ++pass) {
        int32_t w = base + 1;
        for (int32_t r = base + 2; r <= top_; ++r) {
            TEntry& e = entries[w];
            if (calc::OperatorPass(e.op) == pass) {
                e.value = calc::ApplyOperator(e.op, e.value, entries[r].value, e.opPos);
                e.op = entries[r].op;
                e.opPos = entries[r].opPos;
            } else {
                entries[++w] = entries[r];
            }
        }
        top_ = w;
    }
    return entries[top_--].value;
}
