#pragma once
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

class ILocale;

// One argument of Format: an integer, a real or a text. A text argument only views its characters, which live
// until the end of the call's full expression.
class TFormatArg {
  public:
    enum class Kind { Int, UInt, Real, Text };
    TFormatArg(int v) : kind_(Kind::Int), i_(v) {}
    TFormatArg(long v) : kind_(Kind::Int), i_(v) {}
    TFormatArg(long long v) : kind_(Kind::Int), i_(v) {}
    TFormatArg(unsigned v) : kind_(Kind::UInt), u_(v) {}
    TFormatArg(unsigned long v) : kind_(Kind::UInt), u_(v) {}
    TFormatArg(unsigned long long v) : kind_(Kind::UInt), u_(v) {}
    TFormatArg(double v) : kind_(Kind::Real), r_(v) {}
    TFormatArg(long double v) : kind_(Kind::Real), r_(v) {}
    TFormatArg(const char* v) : kind_(Kind::Text), s_(v ? v : "") {}
    TFormatArg(std::string_view v) : kind_(Kind::Text), s_(v) {}
    TFormatArg(const std::string& v) : kind_(Kind::Text), s_(v) {}

    Kind kind() const { return kind_; }
    bool IsInteger() const { return kind_ == Kind::Int || kind_ == Kind::UInt; }
    bool IsNumber() const { return kind_ != Kind::Text; }
    // The integer views are for integer arguments only (0 otherwise); AsReal converts any number.
    int64_t AsInt() const { return kind_ == Kind::Int ? i_ : kind_ == Kind::UInt ? static_cast<int64_t>(u_) : 0; }
    uint64_t AsUInt() const { return kind_ == Kind::UInt ? u_ : kind_ == Kind::Int ? static_cast<uint64_t>(i_) : 0; }
    long double AsReal() const {
        return kind_ == Kind::Real   ? r_
               : kind_ == Kind::Int  ? static_cast<long double>(i_)
               : kind_ == Kind::UInt ? static_cast<long double>(u_)
                                     : 0.0L;
    }
    std::string_view AsText() const { return s_; }

  private:
    Kind kind_;
    union {
        int64_t i_;
        uint64_t u_;
        long double r_;
    };
    std::string_view s_;
};

// The placeholder rules of every text the program builds: %s %d %u %x %e %f %g %n %m %% with an optional argument
// index ("%2:d"), "-", width and ".precision", where width and precision may be "*" taken from the arguments
// ("%.2d", "%7d", "%-10s", "%.3n", "%.*x"); hexadecimal in upper case; separators from the locale (AppLocale() in
// the two-argument form). A placeholder that does not fit its argument, or a missing argument, raises EFormatError.
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args);
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args, const ILocale& locale);

// The general float format: `precision` significant digits, fixed notation when the value allows, otherwise
// scientific with "E" and at least `expDigits` exponent digits; trailing zeros removed.
std::string FormatFloatGeneral(long double value, int precision, int expDigits, char decimalSeparator);

// A decimal number with the given separator: blanks around it, sign, digits, fraction, exponent. Nothing else;
// false also when the value overflows.
bool TryTextToFloat(std::string_view text, long double& value, char decimalSeparator);

class EFormatError : public std::exception {
  public:
    explicit EFormatError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};
