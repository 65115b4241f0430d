#include "core/Format.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/Locale.h"

static_assert(LDBL_MANT_DIG <= 64, "the mantissa of a long double must fit 64 bits");

namespace {

// Widths and precisions beyond this are clamped, so a stray "%999999999d" cannot exhaust memory.
constexpr int kMaxWidth = 1 << 16;
// A long double carries at most about 18 significant decimal digits worth showing.
constexpr int kMaxDigits = 18;

// A non-negative integer of any size, little-endian in 32-bit words; just enough to write floats exactly.
class TBigUint {
  public:
    explicit TBigUint(uint64_t v) {
        words_.push_back(static_cast<uint32_t>(v));
        words_.push_back(static_cast<uint32_t>(v >> 32));
        Trim();
    }

    void Multiply(uint32_t factor) {
        uint64_t carry = 0;
        for (uint32_t& w : words_) {
            const uint64_t t = static_cast<uint64_t>(w) * factor + carry;
            w = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        if (carry)
            words_.push_back(static_cast<uint32_t>(carry));
    }

    void ShiftLeft(int bits) {
        words_.insert(words_.begin(), static_cast<size_t>(bits / 32), 0u);
        const int rest = bits % 32;
        if (rest == 0)
            return;
        uint32_t carry = 0;
        for (uint32_t& w : words_) {
            const uint32_t next = w >> (32 - rest);
            w = (w << rest) | carry;
            carry = next;
        }
        if (carry)
            words_.push_back(carry);
    }

    std::string ToDecimal() const {
        std::vector<uint32_t> n = words_;
        std::vector<uint32_t> chunks;  // base 10^9, least significant first
        while (!n.empty()) {
            uint64_t rem = 0;
            for (size_t i = n.size(); i-- > 0;) {
                const uint64_t cur = (rem << 32) | n[i];
                n[i] = static_cast<uint32_t>(cur / 1000000000u);
                rem = cur % 1000000000u;
            }
            chunks.push_back(static_cast<uint32_t>(rem));
            while (!n.empty() && n.back() == 0)
                n.pop_back();
        }
        if (chunks.empty())
            return "0";
        std::string text = std::to_string(chunks.back());
        for (size_t i = chunks.size() - 1; i-- > 0;) {
            const std::string part = std::to_string(chunks[i]);
            text.append(9 - part.size(), '0');
            text += part;
        }
        return text;
    }

  private:
    void Trim() {
        while (!words_.empty() && words_.back() == 0)
            words_.pop_back();
    }

    std::vector<uint32_t> words_;
};

// A non-negative value as 0.digits * 10^point; no leading or trailing zeros in digits, which are empty for zero.
struct TDecimal {
    std::string digits;
    int point = 0;
};

// The exact decimal expansion of a finite binary float (it always ends).
TDecimal ExactDecimal(long double v) {
    TDecimal d;
    v = std::fabs(v);
    if (v == 0)
        return d;
    int exp = 0;
    const long double fraction = std::frexp(v, &exp);
    uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, LDBL_MANT_DIG));
    int shift = exp - LDBL_MANT_DIG;
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++shift;
    }
    TBigUint big(mantissa);
    int fractionDigits = 0;
    if (shift >= 0) {
        big.ShiftLeft(shift);
    } else {
        // m / 2^s = m * 5^s / 10^s
        fractionDigits = -shift;
        constexpr uint32_t kPow5_13 = 1220703125u;
        int left = fractionDigits;
        for (; left >= 13; left -= 13)
            big.Multiply(kPow5_13);
        for (; left > 0; --left)
            big.Multiply(5);
    }
    d.digits = big.ToDecimal();
    d.point = static_cast<int>(d.digits.size()) - fractionDigits;
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

// Keeps `keep` significant digits (none or fewer when keep <= 0), rounding half away from zero on the exact
// digits, so 0.125 becomes 0.13 at two decimals.
void RoundDigits(TDecimal& d, int keep) {
    if (d.digits.empty() || keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        while (!d.digits.empty() && d.digits.back() == '9')
            d.digits.pop_back();
        if (d.digits.empty()) {
            d.digits = "1";
            ++d.point;
        } else {
            ++d.digits.back();
        }
    }
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
}

char DigitAt(const TDecimal& d, int index) {
    return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(index)] : '0';
}

const char* NonFinite(long double v) {
    if (std::isnan(v))
        return "NAN";
    if (std::isinf(v))
        return v < 0 ? "-INF" : "INF";
    return nullptr;
}

// Fixed notation with exactly `decimals` decimals; thousands separators when `thousands` is not 0.
std::string FormatFixed(long double value, int decimals, char decimalSeparator, char thousands) {
    if (const char* text = NonFinite(value))
        return text;
    TDecimal d = ExactDecimal(value);
    RoundDigits(d, d.point + decimals);
    std::string integer;
    if (d.point <= 0) {
        integer = "0";
    } else {
        for (int i = 0; i < d.point; ++i) {
            if (thousands && i > 0 && (d.point - i) % 3 == 0)
                integer += thousands;
            integer += DigitAt(d, i);
        }
    }
    std::string text = (value < 0 && !d.digits.empty()) ? "-" : "";  // no "-0.00"
    text += integer;
    if (decimals > 0) {
        text += decimalSeparator;
        for (int i = 0; i < decimals; ++i)
            text += DigitAt(d, d.point + i);
    }
    return text;
}

std::string ExponentText(int exponent, int minDigits) {
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    return std::string("E") + (exponent < 0 ? '-' : '+') + digits;
}

// "d.dddE+ddd" with `precision` significant digits, trailing zeros kept.
std::string FormatScientific(long double value, int precision, char decimalSeparator) {
    if (const char* text = NonFinite(value))
        return text;
    TDecimal d = ExactDecimal(value);
    RoundDigits(d, precision);
    std::string text = (value < 0 && !d.digits.empty()) ? "-" : "";
    text += DigitAt(d, 0);
    if (precision > 1) {
        text += decimalSeparator;
        for (int i = 1; i < precision; ++i)
            text += DigitAt(d, i);
    }
    return text + ExponentText(d.digits.empty() ? 0 : d.point - 1, 3);
}

int ClampInt(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

std::string PadDigits(std::string digits, int minDigits) {
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    return digits;
}

std::string Hex(uint64_t v) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[v & 15]);
        v >>= 4;
    } while (v);
    return text;
}

// Negative arguments in the 32-bit range show their 32-bit pattern, as the program's integers are 32-bit; wider
// ones their 64-bit pattern.
uint64_t UnsignedView(const TFormatArg& arg) {
    if (arg.kind() == TFormatArg::Kind::Int && arg.AsInt() < 0 && arg.AsInt() >= INT32_MIN)
        return static_cast<uint32_t>(arg.AsInt());
    return arg.AsUInt();
}

class TFormatter {
  public:
    TFormatter(std::string_view format, std::initializer_list<TFormatArg> args, const ILocale& locale)
        : format_(format), args_(args), locale_(locale) {}

    std::string Run() {
        std::string out;
        while (pos_ < format_.size()) {
            const char c = format_[pos_++];
            if (c != '%') {
                out += c;
            } else if (pos_ < format_.size() && format_[pos_] == '%') {
                out += '%';
                ++pos_;
            } else {
                out += Placeholder();
            }
        }
        return out;
    }

  private:
    [[noreturn]] void Fail(const std::string& why) const {
        throw EFormatError("Format \"" + std::string(format_) + "\": " + why);
    }

    std::string Current() const { return "\"" + std::string(format_.substr(start_, pos_ - start_)) + "\""; }

    bool AtDigit() const { return pos_ < format_.size() && format_[pos_] >= '0' && format_[pos_] <= '9'; }

    int ReadNumber() {
        int n = 0;
        while (AtDigit()) {
            n = n * 10 + (format_[pos_++] - '0');
            if (n > kMaxWidth)
                n = kMaxWidth;
        }
        return n;
    }

    const TFormatArg& NextArg() {
        if (next_ >= args_.size())
            Fail("no argument for " + Current());
        return args_.begin()[next_++];
    }

    // Digits, "*" (an integer argument) or nothing (-1).
    int ReadCount() {
        if (AtDigit())
            return ReadNumber();
        if (pos_ < format_.size() && format_[pos_] == '*') {
            ++pos_;
            const TFormatArg& arg = NextArg();
            if (!arg.IsInteger())
                Fail(Current() + " needs an integer argument");
            const int64_t v = arg.AsInt();
            return static_cast<int>(v < -kMaxWidth ? -kMaxWidth : v > kMaxWidth ? kMaxWidth : v);
        }
        return -1;
    }

    std::string Placeholder() {
        start_ = pos_ - 1;
        if (AtDigit()) {
            const size_t save = pos_;
            const int index = ReadNumber();
            if (pos_ < format_.size() && format_[pos_] == ':') {
                ++pos_;
                next_ = static_cast<size_t>(index);
            } else {
                pos_ = save;
            }
        }
        bool left = false;
        if (pos_ < format_.size() && format_[pos_] == '-') {
            left = true;
            ++pos_;
        }
        int width = ReadCount();
        if (width < -1) {  // a negative "*" width justifies left
            left = true;
            width = -width;
        }
        int precision = -1;
        if (pos_ < format_.size() && format_[pos_] == '.') {
            ++pos_;
            precision = ReadCount();
            if (precision == -1 && format_[pos_ - 1] == '.')
                precision = 0;
        }
        if (pos_ >= format_.size())
            Fail(start_ + 1 == pos_ ? std::string("lone \"%\" at the end") : Current() + " has no type letter");
        const char type = static_cast<char>(format_[pos_++] | 0x20);
        if (std::string_view("duxefgnms").find(type) == std::string_view::npos)
            Fail("unknown placeholder " + Current());
        std::string text = Convert(type, precision, NextArg());
        if (static_cast<int>(text.size()) < width)
            text.insert(left ? text.end() : text.begin(), static_cast<size_t>(width) - text.size(), ' ');
        return text;
    }

    std::string Convert(char type, int precision, const TFormatArg& arg) {
        const bool wantsText = type == 's';
        const bool wantsInteger = type == 'd' || type == 'u' || type == 'x';
        if (wantsText ? arg.IsNumber() : wantsInteger ? !arg.IsInteger() : !arg.IsNumber())
            Fail(Current() + " does not fit argument " + std::to_string(next_ - 1));
        const char sep = locale_.DecimalSeparator();
        switch (type) {
            case 'd':
                if (arg.kind() == TFormatArg::Kind::UInt)
                    return PadDigits(std::to_string(arg.AsUInt()), precision);
                if (arg.AsInt() < 0)
                    return "-" + PadDigits(std::to_string(0 - arg.AsUInt()), precision);
                return PadDigits(std::to_string(arg.AsInt()), precision);
            case 'u':
                return PadDigits(std::to_string(UnsignedView(arg)), precision);
            case 'x':
                return PadDigits(Hex(UnsignedView(arg)), precision);
            case 'e':
                return FormatScientific(arg.AsReal(), precision < 0 ? 15 : ClampInt(precision, 1, kMaxDigits), sep);
            case 'f':
                return FormatFixed(arg.AsReal(), precision < 0 ? 2 : ClampInt(precision, 0, kMaxDigits), sep, 0);
            case 'g':
                return FormatFloatGeneral(arg.AsReal(), precision < 0 ? 15 : precision, 3, sep);
            case 'n':
            case 'm':
                return FormatFixed(arg.AsReal(), precision < 0 ? 2 : ClampInt(precision, 0, kMaxDigits), sep,
                                   locale_.ThousandSeparator());
            default:  // 's'
                return std::string(precision < 0 ? arg.AsText()
                                                 : arg.AsText().substr(0, static_cast<size_t>(precision)));
        }
    }

    std::string_view format_;
    std::initializer_list<TFormatArg> args_;
    const ILocale& locale_;
    size_t pos_ = 0;
    size_t start_ = 0;
    size_t next_ = 0;
};

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args) {
    return Format(format, args, AppLocale());
}

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args, const ILocale& locale) {
    return TFormatter(format, args, locale).Run();
}

std::string FormatFloatGeneral(long double value, int precision, int expDigits, char decimalSeparator) {
    if (const char* text = NonFinite(value))
        return text;
    precision = ClampInt(precision, 1, kMaxDigits);
    TDecimal d = ExactDecimal(value);
    RoundDigits(d, precision);
    if (d.digits.empty())
        return "0";
    std::string text = value < 0 ? "-" : "";
    const int exponent = d.point - 1;
    const int count = static_cast<int>(d.digits.size());
    if (exponent >= -5 && exponent < precision) {
        if (d.point <= 0) {
            text += '0';
            text += decimalSeparator;
            text.append(static_cast<size_t>(-d.point), '0');
            text += d.digits;
        } else {
            for (int i = 0; i < d.point; ++i)
                text += DigitAt(d, i);
            if (count > d.point) {
                text += decimalSeparator;
                text += d.digits.substr(static_cast<size_t>(d.point));
            }
        }
        return text;
    }
    text += d.digits[0];
    if (count > 1) {
        text += decimalSeparator;
        text += d.digits.substr(1);
    }
    return text + ExponentText(exponent, ClampInt(expDigits, 0, 8));
}

namespace {
// An 80-bit real's exact halfway points have fewer significant decimal digits than this, so keeping this many and
// marking any non-zero rest with one more digit rounds exactly as the whole would. Some runtimes read digits in
// quadratic time; a pasted million digits must not freeze the window.
constexpr size_t kExactDigits = 12000;

// Rewrites "[sign]digits[.digits]" times ten to the `exponent` as "[sign]0.<significant digits>e<exponent>", with at
// most kExactDigits of them plus the marking one.
void CapSignificantDigits(std::string& plain, long long exponent) {
    const size_t sign = !plain.empty() && (plain[0] == '+' || plain[0] == '-') ? 1 : 0;
    std::string digits;
    long long point = -1;  // how many digits stand before the decimal point
    for (size_t i = sign; i < plain.size(); ++i) {
        if (plain[i] == '.')
            point = static_cast<long long>(digits.size());
        else
            digits += plain[i];
    }
    if (point < 0)
        point = static_cast<long long>(digits.size());
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        plain = plain.substr(0, sign) + "0";
        return;
    }
    const bool rest = digits.find_first_not_of('0', first + kExactDigits) != std::string::npos;
    std::string capped = plain.substr(0, sign) + "0." + digits.substr(first, kExactDigits) + (rest ? "1" : "");
    capped += "e" + std::to_string(exponent + point - static_cast<long long>(first));
    plain = std::move(capped);
}
}  // namespace

bool TryTextToFloat(std::string_view text, long double& value, char decimalSeparator) {
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos)
        return false;
    text = text.substr(begin, text.find_last_not_of(' ') + 1 - begin);
    // Only the plain decimal forms reach strtold (no hexadecimal, "inf" or "nan"), with "." as its separator.
    std::string plain;
    size_t i = 0;
    auto digits = [&](std::string& to) {
        size_t n = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++n)
            to += text[i];
        return n;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        plain += text[i++];
    size_t mantissaDigits = digits(plain);
    if (i < text.size() && text[i] == decimalSeparator) {
        plain += '.';
        ++i;
        mantissaDigits += digits(plain);
    }
    if (mantissaDigits == 0)
        return false;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        std::string written;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            written += text[i++];
        if (digits(written) == 0)
            return false;
        // Far beyond any 80-bit real either way, and still safe to add to.
        constexpr long long kFar = 1000000000;
        const size_t nonZero = written.find_first_not_of("+-0");
        exponent = nonZero == std::string::npos    ? 0
                   : written.size() - nonZero > 10 ? kFar
                                                   : std::min(kFar, std::stoll(written.substr(nonZero)));
        if (written[0] == '-')
            exponent = -exponent;
    }
    if (i != text.size())
        return false;
    if (mantissaDigits > kExactDigits)
        CapSignificantDigits(plain, exponent);
    else if (exponent != 0)
        plain += "e" + std::to_string(exponent);
    const long double v = std::strtold(plain.c_str(), nullptr);
    if (std::isinf(v))
        return false;
    value = v;
    return true;
}
