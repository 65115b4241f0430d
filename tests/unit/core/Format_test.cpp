#include "core/Format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "core/Locale.h"

namespace {

const TFixedLocale kDot('.', ',');
const TFixedLocale kComma(',', '.');

std::string F(std::string_view format, std::initializer_list<TFormatArg> args, const ILocale& locale = kDot) {
    return Format(format, args, locale);
}

std::string ErrorOf(std::string_view format, std::initializer_list<TFormatArg> args) {
    try {
        F(format, args);
    } catch (const EFormatError& e) {
        return e.what();
    }
    return "(no error)";
}

std::string General(long double v, int precision = 15, int expDigits = 0, char sep = '.') {
    return FormatFloatGeneral(v, precision, expDigits, sep);
}

}  // namespace

TEST(Format, InsertsTextsAndIntegersCutOrPaddedAndNegative32BitValuesAsTheirBitPattern) {
    EXPECT_EQ(F("100%% %s (%.2s)%S|%6s|%-6s|%5.2s|", {std::string("volume"), "C:\\", nullptr, "ab", "cd", "abc"}),
              "100% volume (C:)|    ab|cd    |   ab|");
    EXPECT_EQ(F("%d|%D|%.2d|#%.2d|%.0d|+%7d|%-5d|%6.3d|", {-17, 9, -5, 123, 0, 1234, -12, -7}),
              "-17|9|-05|#123|0|+   1234|-12  |  -007|");
    EXPECT_EQ(F("%d|%d", {std::numeric_limits<long long>::min(), std::numeric_limits<unsigned long long>::max()}),
              "-9223372036854775808|18446744073709551615");
    EXPECT_EQ(F("%.5u|%u|%u|%u", {42, -1, std::numeric_limits<int>::min(), -4294967296LL}),
              "00042|4294967295|2147483648|18446744069414584320");
    EXPECT_EQ(F("%X|0x%.8x|%.4x-%.4x|%.2x|[%-6x]|%x|%x", {0xabc, 1u << 31, 0x1A2B, 0x3, 0x1234, 255, -1, -(1LL << 40)}),
              "ABC|0x80000000|1A2B-0003|1234|[FF    ]|FFFFFFFF|FFFFFF0000000000");
    // An index rereads an argument and the next placeholder takes the one after it; a star takes a width or precision.
    EXPECT_EQ(F("%1:s %0:s %s|%s%.*x|%.*n", {"a", "b", "$", 4, 0xAB, 0, 1536.0}), "b a b|$00AB|1,536");
    EXPECT_EQ(F("[%*d|%*d|%*.*f]", {5, 42, -5, 42, 7, 1, 2.25}), "[   42|42   |    2.3]");
    EXPECT_EQ(F("%999999999999d", {1}).size(), 65536u);  // clamped, not exhausting memory
}

TEST(Format, RaisesOnMissingOrIncompatibleArguments) {
    EXPECT_EQ(ErrorOf("%d items", {"ten"}), "Format \"%d items\": \"%d\" does not fit argument 0");
    // No argument left, a lone "%", no type letter, an unknown one, a star without an integer.
    for (const char* format : {"%s and %s", "50%", "%-5", "%q", "%.*d"})
        EXPECT_NE(ErrorOf(format, {"one"}), "(no error)") << format;
    for (const char* format : {"%u", "%x", "%.3s", "%3:d"})
        EXPECT_NE(ErrorOf(format, {1.5}), "(no error)") << format;
    for (const char* format : {"%f", "%e", "%g", "%n", "%m"})
        EXPECT_NE(ErrorOf(format, {"1.5"}), "(no error)") << format;
}

// The digits of the binary value decide how a value rounds, not the shortest decimal that reads back.
TEST(Format, FixedNotationRoundsHalfAwayFromZeroOnTheExactDigitsAndGroupsThousandsByTheLocale) {
    EXPECT_EQ(F("%f|%f|%.1f|%.0f|%.3f|%.2f|[%8.2f]", {3.14159, 7, -7u, 1e20, 1e-9, -0.001, -1.5}),
              "3.14|7.00|4294967289.0|100000000000000000000|0.000|0.00|[   -1.50]");
    EXPECT_EQ(F("%.2f|%.2f|%.0f|%.0f|%.3f", {0.125, -0.125, 2.5, -0.5, 0.0005}), "0.13|-0.13|3|-1|0.001");
    // 1.00499999999999989..., 0.14999999999999999444..., 0.15000000000000000000542...
    EXPECT_EQ(F("%.2f|%.1f|%.1f|%.2f|%.18f", {1.005, 0.15, 0.15L, 99.995L, 0.1}),
              "1.00|0.1|0.2|100.00|0.100000000000000006");
    EXPECT_EQ(F("%n|%n|%.0n|%.0n|%.3n|%m", {1234567.891, -1234.5, 999.5, 100000, 0.5, 1234.5}),
              "1,234,567.89|-1,234.50|1,000|100,000|0.500|1,234.50");
    EXPECT_EQ(F("%.2f|%.3n|%.3e|%g", {1.5, 1234567.0, 2.5, -2.5}, kComma), "1,50|1.234.567,000|2,50E+000|-2,5");
}

TEST(Format, ScientificAndGeneralNotationsUseFifteenDigitsAndThreeExponentDigits) {
    EXPECT_EQ(F("%e|%.3e|%.4e|%.2e|%.1e", {1.5, -0.00012355, 9.9996, 1.25, 7.0}),
              "1.50000000000000E+000|-1.24E-004|1.000E+001|1.3E+000|7E+000");
    EXPECT_EQ(F("%.3e|%.3e|%g|%g", {1e-300, 1e4000L, 0.1, 1e20}), "1.00E-300|1.00E+4000|0.1|1E+020");
    const long double inf = std::numeric_limits<long double>::infinity();
    for (const char* format : {"%f", "%.3e", "%g", "%n"})
        EXPECT_EQ(F(std::string(format) + "|" + format + "|" + format, {inf, -inf, std::nanl("")}), "INF|-INF|NAN");
}

TEST(FormatFloatGeneral, WritesFixedNotationWhileTheDigitsFitFromOneHundredThousandthOn) {
    EXPECT_EQ(
        General(-46000.5, 18, 4) + "|" + General(0.5, 15, 0, ',') + "|" + General(-0.0) + "|" + General(1e18L - 1, 18),
        "-46000.5|0,5|0|999999999999999999");
    EXPECT_EQ(General(0.1, 18) + "|" + General(0.1, 17) + "|" + General(0.1, 40) + "|" + General(0.36, -3),
              "0.100000000000000006|0.10000000000000001|0.100000000000000006|0.4");
    EXPECT_EQ(General(1e-5) + "|" + General(9.9999e-6) + "|" + General(1.5e-7L, 18, 4) + "|" + General(-1e20L, 18, 4),
              "0.00001|9.9999E-6|1.5E-0007|-1E+0020");
    EXPECT_EQ(General(99999, 5, 2) + "|" + General(100000, 5, 2) + "|" + General(123456, 5, 2),
              "99999|1E+05|1.2346E+05");
    // A rounding carry moves the exponent.
    EXPECT_EQ(General(9.9999999, 3) + "|" + General(99999.5, 5, 2) + "|" + General(9.99999e-6, 3), "10|1E+05|0.00001");
}

// glibc's strtold, which reads every digit exactly, is the judge of both the text and its reading.
TEST(FormatFloatGeneral, SeventeenAndEighteenDigitsReadBackToTheSameDouble) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> exponent(-320.0, 308.0);
    for (int i = 0; i < 3000; ++i) {
        double x = std::pow(10.0, exponent(random)) * (random() % 2 ? 1 : -1);
        const uint64_t bits = random();
        if (i % 2 && std::isfinite(std::bit_cast<double>(bits)))
            x = std::bit_cast<double>(bits);
        for (const int precision : {17, 18}) {
            std::string text = FormatFloatGeneral(x, precision, 4, ',');
            long double back = 0;
            ASSERT_TRUE(TryTextToFloat(text, back, ',')) << text;
            std::replace(text.begin(), text.end(), ',', '.');
            ASSERT_EQ(back, std::strtold(text.c_str(), nullptr)) << text;
            ASSERT_EQ(static_cast<double>(back), x) << text;
        }
    }
}

TEST(TryTextToFloat, ReadsOneDecimalNumberWithBlanksSignFractionAndExponentInTheGivenSeparator) {
    long double value = 0;
    for (const char* text : {"  -1.5  ", "+2", "5.", ".5", "1E-5", "-1.5e+3", "0.1", "1e-99999"}) {
        EXPECT_TRUE(TryTextToFloat(text, value, '.')) << text;
        EXPECT_EQ(value, std::strtold(text, nullptr)) << text;
    }
    for (const char* text : {"",     "   ", ".",   "-",   "+.",   "1,5", "1e",      "1e+", "e5",     "1.5.2",
                             "0x10", "inf", "nan", "1 5", "1e5x", "--1", "1,000.5", "$10", "1e5000", "-1e5000"})
        EXPECT_FALSE(TryTextToFloat(text, value, '.')) << text;
    EXPECT_FALSE(TryTextToFloat("1.5", value, ',') || TryTextToFloat("1,5,0", value, ','));
}

TEST(TryTextToFloat, VeryLongNumbersReadAsTheirWholeDigitsDo) {
    long double value = 0;
    // 2^64 + 1 lies halfway between two 80-bit reals: alone it goes to the even one, a 1 far behind decides upwards.
    const std::string half = "18446744073709551617";
    EXPECT_TRUE(TryTextToFloat(half, value, '.') && value == 18446744073709551616.0L);
    EXPECT_TRUE(TryTextToFloat(half + "." + std::string(30000, '0') + "1", value, '.') &&
                value == 18446744073709551618.0L);
    EXPECT_FALSE(TryTextToFloat("1" + std::string(20000, '0') + ".5", value, '.'));  // beyond the largest real
    // glibc's strtold reads every digit; leading zeros, of the number and of its exponent, count for nothing.
    std::mt19937 random(11);
    for (int n = 0; n < 20; ++n) {
        std::string digits(12000 + random() % 20000, '0');
        for (char& c : digits)
            c = static_cast<char>('0' + random() % 10);
        const size_t point = random() % digits.size();
        // The value stays in range.
        const long long exponent = static_cast<long long>(random() % 8000) - 4000 - static_cast<long long>(point);
        const std::string text = std::string(random() % 30000, '0') + digits.substr(0, point) + "." +
                                 digits.substr(point) + (exponent < 0 ? "e-" : "e+") + std::string(random() % 20, '0') +
                                 std::to_string(std::llabs(exponent));
        ASSERT_TRUE(TryTextToFloat(text, value, '.'));
        EXPECT_EQ(value, std::strtold(text.c_str(), nullptr)) << point;
    }
}
