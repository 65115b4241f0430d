#include <cmath>
#include <cstdint>

#include "tools/number/StringCalculator.h"
#include "tools/number/StringCalculatorMath.h"

namespace calc {

namespace {

constexpr long double kTwo63 = 9223372036854775808.0L;

const char kDivisionByZero[] = "Division by Zero";

// Beyond this many, repeated multiplication would hold the window for a noticeable time: squaring takes over.
constexpr uint32_t kMostMultiplications = 1000000;

// The whole power for an integral exponent by repeated multiplication, which rounds as each product does; a
// negative exponent gives the reciprocal of the positive power, so an overflow on the way is a fault even when the
// reciprocal would be tiny.
long double IntPower(long double a, int32_t n, int32_t pos, int32_t len) {
    const uint32_t m = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
    long double result = a;
    if (std::fabs(a) == 1.0L) {
        result = (m & 1u) ? a : 1.0L;
    } else if (m <= kMostMultiplications) {
        // Zero and infinity stay what they are: no need to go on.
        for (uint32_t i = 1; i < m && result != 0 && !std::isinf(result); ++i)
            result *= a;
    } else {
        result = 1.0L;
        long double base = a;
        for (uint32_t rest = m;; base *= base) {
            if (rest & 1u)
                result *= base;
            if ((rest >>= 1) == 0)
                break;
        }
    }
    Checked(result, pos, len);
    if (n < 0) {
        if (result == 0)
            Fault(kDivisionByZero, pos, len);
        result = 1.0L / result;
    }
    return result;
}

// Shifts by the low 8 bits of the count; 64 and more shift every bit out.
uint64_t ShiftCount(int64_t count) {
    return static_cast<uint64_t>(count) & 0xFFu;
}

}  // namespace

void Fault(const std::string& message, int32_t pos, int32_t len) {
    throw ECalcStrSyntaxError(message, pos, len);
}

long double Checked(long double value, int32_t pos, int32_t len) {
    if (std::isnan(value))
        Fault("Invalid Floating Point Operation", pos, len);
    if (std::isinf(value))
        Fault("Floating Point Overflow", pos, len);
    return value;
}

int64_t Trunc64(long double value, int32_t pos, int32_t len) {
    if (!(value >= -kTwo63 && value < kTwo63))
        Fault("Value out of 64-bit Integer Range", pos, len);
    return static_cast<int64_t>(value);
}

bool IsIntegral(long double value) {
    return std::trunc(value) == value;
}

long double Factorial(int n) {
    long double result = 1.0L;
    for (int k = 2; k <= n; ++k)
        result *= k;
    return result;
}

long double Power(long double a, long double b, int32_t pos, int32_t len) {
    if (b == 0)
        return 1.0L;
    if (a == 0 && b > 0)
        return 0.0L;
    if (IsIntegral(b) && std::fabs(b) <= 2147483647.0L)
        return IntPower(a, static_cast<int32_t>(b), pos, len);
    if (a < 0)
        Fault("Invalid Floating Point Operation", pos, len);
    if (a == 0)
        Fault(kDivisionByZero, pos, len);
    return Checked(std::exp(b * std::log(a)), pos, len);
}

uint8_t OperatorCode(char c) {
    switch (static_cast<unsigned char>(c)) {
        case '+':
            return 1;
        case '-':
            return 2;
        case '*':
            return 3;
        case '/':
            return 4;
        case '^':
            return 5;
        case ':':
            return 6;
        case '|':
            return 7;
        case '\\':
            return 8;
        case '&':
            return 9;
        case 0xA4:  // the currency sign of code page 1252
            return 10;
        case '~':
            return 11;
        case '<':
            return 12;
        case '>':
            return 13;
        case '=':
            return 14;
        default:
            return 0;
    }
}

int OperatorPass(uint8_t code) {
    static constexpr int kPass[15] = {0, 3, 3, 2, 2, 1, 1, 2, 2, 2, 3, 3, 2, 2, 4};
    return code < 15 ? kPass[code] : 0;
}

long double ApplyOperator(uint8_t code, long double a, long double b, int32_t pos) {
    long double result = 0;
    switch (code) {
        case 1:
            result = a + b;
            break;
        case 2:
            result = a - b;
            break;
        case 3:
            result = a * b;
            break;
        case 4:
            if (b == 0)
                Fault(kDivisionByZero, pos, 1);
            result = a / b;
            break;
        case 5:
            return Power(a, b, pos, 1);
        case 6:
            if (b == 0)
                Fault(kDivisionByZero, pos, 1);
            return Power(a, Checked(1.0L / b, pos, 1), pos, 1);
        case 7: {
            if (b == 0)
                Fault(kDivisionByZero, pos, 1);
            const long double quotient = Checked(a / b, pos, 1);
            result = a - std::trunc(quotient) * b;
            break;
        }
        case 8: {
            const int64_t x = Trunc64(a, pos, 1);
            const int64_t y = Trunc64(b, pos, 1);
            if (y == 0)
                Fault(kDivisionByZero, pos, 1);
            // The one quotient beyond the range wraps, as the two's complement division does.
            result = static_cast<long double>(y == -1 ? static_cast<int64_t>(0u - static_cast<uint64_t>(x)) : x / y);
            break;
        }
        case 9:
            result = static_cast<long double>(Trunc64(a, pos, 1) & Trunc64(b, pos, 1));
            break;
        case 10:
            result = static_cast<long double>(Trunc64(a, pos, 1) | Trunc64(b, pos, 1));
            break;
        case 11:
            result = static_cast<long double>(Trunc64(a, pos, 1) ^ Trunc64(b, pos, 1));
            break;
        case 12: {
            const uint64_t x = static_cast<uint64_t>(Trunc64(a, pos, 1));
            const uint64_t count = ShiftCount(Trunc64(b, pos, 1));
            result = static_cast<long double>(static_cast<int64_t>(count < 64 ? x << count : 0u));
            break;
        }
        case 13: {
            const uint64_t x = static_cast<uint64_t>(Trunc64(a, pos, 1));
            const uint64_t count = ShiftCount(Trunc64(b, pos, 1));
            result = static_cast<long double>(static_cast<int64_t>(count < 64 ? x >> count : 0u));
            break;
        }
        case 14:
            return a == b ? 1.0L : 0.0L;
        default:
            break;
    }
    return Checked(result, pos, 1);
}

}  // namespace calc
