#include <cmath>
#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

#include "core/Format.h"
#include "core/KoLib.h"
#include "tools/number/StringCalculatorMath.h"

namespace calc {

namespace {

enum TFunction {
    kAbs,
    kInt,
    kTrunc,
    kFrac,
    kRound,
    kFloor,
    kCeil,
    kSqrt,
    kFact,
    kFib,
    kFib2,
    kFib3,
    kFib4,
    kRnd,
    kSwapEndian,
    kByte,
    kLoByte,
    kWord,
    kLoWord,
    kDWord,
    kHiWord,
    kHiByte,
    kNot,
    kNotS,
    kNotU,
    kSin,
    kCos,
    kTan,
    kArcSin,
    kArcCos,
    kArcTan,
    kExp,
    kLn,
    kLog2,
    kLog10,
    kLnXP,
    kFunctionCount
};

constexpr std::string_view kNames[kFunctionCount] = {
    "abs",  "int", "trunc",      "frac", "round",  "floor",  "ceil",   "sqrt",  "fact",   "fib",    "fib2",  "fib3",
    "fib4", "rnd", "swapendian", "byte", "lobyte", "word",   "loword", "dword", "hiword", "hibyte", "not",   "nots",
    "notu", "sin", "cos",        "tan",  "arcsin", "arccos", "arctan", "exp",   "ln",     "log2",   "log10", "lnxp"};

constexpr int kMaxFib = 23601;
constexpr int kMaxFactorial = 1754;

const char kInvalid[] = "Invalid Floating Point Operation";
const char kDivisionByZero[] = "Division by Zero";

// The range faults of functions have no place in the text.
void CheckFactorialArgument(long double a) {
    if (!IsIntegral(a))
        Fault("Value Must be an Integer", -1, -1);
    if (a < 0 || a > kMaxFactorial)
        Fault("Factorial Level out of Bounds", -1, -1);
}

// F(0)..F(kMaxFib + 1) by F(k) = F(k-1) + F(k-2), the last one overflowing. fib, fib2 and fib3 all iterate this
// recurrence, and the same additions round the same way, so one table answers them all: a long text full of fib
// calls stays cheap.
const long double* FibTable() {
    static const std::vector<long double> table = [] {
        std::vector<long double> f(kMaxFib + 2);
        f[1] = 1;
        for (int k = 2; k <= kMaxFib + 1; ++k)
            f[k] = f[k - 1] + f[k - 2];
        return f;
    }();
    return table.data();
}

long double Fib(long double a) {
    if (!IsIntegral(a))
        Fault("Value Must be an Integer", -1, -1);
    if (a < 0 || a > kMaxFib)
        Fault(Format("Function Parameter out of Valid Bounds [%d..%d]", {0, kMaxFib}), -1, -1);
    return FibTable()[static_cast<int>(a)];
}

// fib2's pair update runs one step beyond F(n), to F(n + 1); that step overflowing is a fault too.
long double Fib2(int n, int32_t pos, int32_t len) {
    if (n > kMaxFib)
        Fault("Floating Point Overflow", pos, len);
    Checked(FibTable()[n + 1], pos, len);
    return FibTable()[n];
}

// fib3's ring of three values stops at F(n).
long double Fib3(int n, int32_t pos, int32_t len) {
    if (n > kMaxFib + 1)
        Fault("Floating Point Overflow", pos, len);
    return FibTable()[n];
}

long double Fib4(int n, int32_t pos, int32_t len) {
    const long double phi = std::sqrt(1.25L) + 0.5L;
    return std::trunc(Power(phi, n, pos, len) / std::sqrt(5.0L) + 0.5L);
}

std::mt19937_64& RandomGenerator() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    return generator;
}

long double Rnd(long double a, int32_t pos, int32_t len) {
    if (a == 0)
        return static_cast<long double>(RandomGenerator()()) * 0x1p-64L;  // 64 random bits: always below 1
    const int32_t range = static_cast<int32_t>(static_cast<uint32_t>(Trunc64(a, pos, len)));
    if (range == 0)
        return 0;
    const uint32_t magnitude = range < 0 ? 0u - static_cast<uint32_t>(range) : static_cast<uint32_t>(range);
    const uint64_t drawn = std::uniform_int_distribution<uint64_t>(0, magnitude - 1u)(RandomGenerator());
    return range < 0 ? -static_cast<long double>(drawn) : static_cast<long double>(drawn);
}

// Nearest integer, halves to the even neighbour.
int64_t RoundHalfEven(long double a, int32_t pos, int32_t len) {
    long double whole = std::trunc(a);
    const long double rest = std::fabs(a - whole);
    const long double step = a < 0 ? -1.0L : 1.0L;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(whole, 2.0L) != 0))
        whole += step;
    return Trunc64(whole, pos, len);
}

uint32_t Low32(long double a, int32_t pos, int32_t len) {
    return static_cast<uint32_t>(Trunc64(a, pos, len));
}

long double Logarithm(long double a, long double (*log)(long double), int32_t pos, int32_t len) {
    if (a < 0)
        Fault(kInvalid, pos, len);
    if (a == 0)
        Fault(kDivisionByZero, pos, len);
    return log(a);
}

long double Log(long double a) {
    return std::log(a);
}
long double Log2(long double a) {
    return std::log2(a);
}
long double Log10(long double a) {
    return std::log10(a);
}

}  // namespace

int FindFunction(std::string_view name) {
    if (name.empty())
        return -1;
    for (int f = 0; f < kFunctionCount; ++f) {
        if (kNames[f][0] == name[0] && kNames[f] == name)
            return f;
    }
    return -1;
}

long double ApplyFunction(int function, long double a, int32_t pos, int32_t len) {
    long double r = 0;
    switch (function) {
        case kAbs:
            r = std::fabs(a);
            break;
        case kInt:
            r = std::trunc(a);
            break;
        case kTrunc:
            r = static_cast<long double>(Trunc64(a, pos, len));
            break;
        case kFrac:
            r = a - std::trunc(a);
            break;
        case kRound:
            r = static_cast<long double>(RoundHalfEven(a, pos, len));
            break;
        case kFloor: {
            int64_t t = Trunc64(a, pos, len);
            if (a < static_cast<long double>(t))
                --t;
            r = static_cast<int32_t>(static_cast<uint32_t>(t));
            break;
        }
        case kCeil: {
            int64_t t = Trunc64(a, pos, len);
            if (a > static_cast<long double>(t))
                ++t;
            r = static_cast<int32_t>(static_cast<uint32_t>(t));
            break;
        }
        case kSqrt:
            if (a < 0)
                Fault(kInvalid, pos, len);
            r = std::sqrt(a);
            break;
        case kFact:
            CheckFactorialArgument(a);
            r = Factorial(static_cast<int>(a));
            break;
        case kFib:
            r = Fib(a);
            break;
        case kFib2:
            r = Fib2(static_cast<int>(Low32(a, pos, len) & 0xFFFFu), pos, len);
            break;
        case kFib3:
            r = Fib3(static_cast<int>(Low32(a, pos, len) & 0xFFFFu), pos, len);
            break;
        case kFib4:
            r = Fib4(static_cast<int>(Low32(a, pos, len) & 0xFFFFu), pos, len);
            break;
        case kRnd:
            r = Rnd(a, pos, len);
            break;
        case kSwapEndian:
            r = Swap32(Low32(a, pos, len));
            break;
        case kByte:
        case kLoByte:
            r = Low32(a, pos, len) & 0xFFu;
            break;
        case kWord:
        case kLoWord:
            r = Low32(a, pos, len) & 0xFFFFu;
            break;
        case kDWord:
            r = Low32(a, pos, len);
            break;
        case kHiWord:
            r = Low32(a, pos, len) >> 16;
            break;
        case kHiByte:
            r = Low32(a, pos, len) >> 8 & 0xFFu;
            break;
        case kNot:
        case kNotS:
            r = static_cast<int32_t>(~Low32(a, pos, len));
            break;
        case kNotU:
            r = ~Low32(a, pos, len);
            break;
        case kSin:
            r = std::sin(a);
            break;
        case kCos:
            r = std::cos(a);
            break;
        case kTan:
            r = std::tan(a);
            break;
        case kArcSin:
        case kArcCos:
            if (a < -1 || a > 1)
                Fault(kInvalid, pos, len);
            r = function == kArcSin ? std::asin(a) : std::acos(a);
            break;
        case kArcTan:
            r = std::atan(a);
            break;
        case kExp:
            r = std::exp(a);
            break;
        case kLn:
            r = Logarithm(a, Log, pos, len);
            break;
        case kLog2:
            r = Logarithm(a, Log2, pos, len);
            break;
        case kLog10:
            r = Logarithm(a, Log10, pos, len);
            break;
        case kLnXP:
            if (a < -1)
                Fault(kInvalid, pos, len);
            if (a == -1)
                Fault(kDivisionByZero, pos, len);
            r = std::log1p(a);
            break;
        default:
            break;
    }
    return Checked(r, pos, len);
}

}  // namespace calc
