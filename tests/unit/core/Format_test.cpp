#include "core/Format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "core/Locale.h"

namespace {

const TFixedLocale kDot('.', ',');
const TFixedLocale kComma(',', '.');

std::string F(std::string_view format, std::initializer_list<TFormatArg> args) {
    return Format(format, args, kDot);
}

std::string Fc(std::string_view format, std::initializer_list<TFormatArg> args) {
    return Format(format, args, kComma);
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

TEST(FormatText, InsertsTextsCutByPrecisionAndPaddedToWidth) {
    const std::string owned = "volume";
    EXPECT_EQ(F("100%% %s (%.2s)", {owned, "C:\\"}), "100% volume (C:)");
    EXPECT_EQ(F("[%6s|%-6s]", {std::string_view("ab"), "cd"}), "[    ab|cd    ]");
    EXPECT_EQ(F("[%2s|%5.2s|%.0s]", {"abcdef", "abcdef", "abc"}), "[abcdef|   ab|]");
    EXPECT_EQ(F("%s%S", {static_cast<const char*>(nullptr), "x"}), "x");
}

TEST(FormatInteger, WritesSignedDecimalWithMinimumDigits) {
    EXPECT_EQ(F("%d|%d|%D", {0, -17, 9}), "0|-17|9");
    EXPECT_EQ(F("%.2d|%.2d|#%.2d|%.0d", {5, -5, 123, 0}), "05|-05|#123|0");
    EXPECT_EQ(F("+%7d|%-5d|%6.3d|", {1234, -12, -7}), "+   1234|-12  |  -007|");
    EXPECT_EQ(F("%d", {std::numeric_limits<long long>::min()}), "-9223372036854775808");
    EXPECT_EQ(F("%d", {std::numeric_limits<unsigned long long>::max()}), "18446744073709551615");
}

TEST(FormatInteger, WritesNegative32BitValuesAsTheirBitPatternInUnsignedAndHex) {
    EXPECT_EQ(F("%u|%u|%.5u", {3000000000u, 0, 42}), "3000000000|0|00042");
    EXPECT_EQ(F("%u|%u", {-1, std::numeric_limits<int>::min()}), "4294967295|2147483648");
    EXPECT_EQ(F("%u", {-4294967296LL}), "18446744069414584320");
    EXPECT_EQ(F("%x|%x|%X|0x%.8x", {0, 0xBEEF, 0xabc, 1u << 31}), "0|BEEF|ABC|0x80000000");
    EXPECT_EQ(F("%.4x-%.4x|%.2x|[%-6x]", {0x1A2B, 0x3, 0x1234, 255}), "1A2B-0003|1234|[FF    ]");
    EXPECT_EQ(F("%x|%x", {-1, -(1LL << 40)}), "FFFFFFFF|FFFFFF0000000000");
}

TEST(FormatArguments, IndexRereadsAnArgumentAndTheNextOneFollowsIt) {
    EXPECT_EQ(F("HiWord(%u) = %s%.4x  (%2:d)", {0x12345678u, "$", 0x1234}), "HiWord(305419896) = $1234  (4660)");
    EXPECT_EQ(F("%1:s %0:s %s", {"a", "b"}), "b a b");
}

TEST(FormatArguments, StarTakesWidthOrPrecisionFromTheArguments) {
    EXPECT_EQ(F("%s%.*x|%.*n", {"$", 4, 0xAB, 0, 1536.0}), "$00AB|1,536");
    EXPECT_EQ(F("[%*d|%*d|%*.*f]", {5, 42, -5, 42, 7, 1, 2.25}), "[   42|42   |    2.3]");
}

TEST(FormatArguments, RaisesOnMissingOrIncompatibleArguments) {
    EXPECT_EQ(ErrorOf("%d items", {"ten"}), "Format \"%d items\": \"%d\" does not fit argument 0");
    EXPECT_EQ(ErrorOf("%s and %s", {"one"}), "Format \"%s and %s\": no argument for \"%s\"");
    EXPECT_EQ(ErrorOf("50%", {}), "Format \"50%\": lone \"%\" at the end");
    EXPECT_EQ(ErrorOf("%-5", {1}), "Format \"%-5\": \"%-5\" has no type letter");
    EXPECT_EQ(ErrorOf("%q", {1}), "Format \"%q\": unknown placeholder \"%q\"");
    EXPECT_EQ(ErrorOf("%.*d", {"x", 1}), "Format \"%.*d\": \"%.*\" needs an integer argument");
    EXPECT_NE(ErrorOf("%.3s", {42}), "(no error)");
    for (const char* format : {"%d", "%u", "%x"})
        EXPECT_NE(ErrorOf(format, {1.5}), "(no error)") << format;
    for (const char* format : {"%f", "%e", "%g", "%n", "%m"})
        EXPECT_NE(ErrorOf(format, {"1.5"}), "(no error)") << format;
    EXPECT_NE(ErrorOf("%3:d", {1, 2}), "(no error)");
    EXPECT_EQ(F("%999999999999d", {1}).size(), 65536u);  // clamped, not exhausting memory
}

TEST(FormatFixed, WritesTwoDecimalsByDefaultAndConvertsIntegers) {
    EXPECT_EQ(F("%f|%f|%.1f|%.0f", {3.14159, 7, -7u, 1234.4}), "3.14|7.00|4294967289.0|1234");
    EXPECT_EQ(F("%.3f|%.3f|%.2f", {0.0005, 1e-9, -0.001}), "0.001|0.000|0.00");
    EXPECT_EQ(F("%.0f", {1e20}), "100000000000000000000");
    EXPECT_EQ(F("[%8.2f|%-6.1f]", {-1.5, 1.0L}), "[   -1.50|1.0   ]");
    EXPECT_EQ(Fc("%.2f", {1.5}), "1,50");
}

// The digits of the binary value decide, not the shortest decimal that reads back.
TEST(FormatFixed, RoundsHalfAwayFromZeroOnTheExactDigits) {
    EXPECT_EQ(F("%.2f|%.2f|%.0f|%.0f", {0.125, -0.125, 2.5, -0.5}), "0.13|-0.13|3|-1");
    EXPECT_EQ(F("%.2f", {1.005}), "1.00");  // 1.00499999999999989...
    EXPECT_EQ(F("%.1f", {0.15}), "0.1");    // 0.14999999999999999444...
    EXPECT_EQ(F("%.1f", {0.15L}), "0.2");   // 0.15000000000000000000542...
    EXPECT_EQ(F("%.2f", {99.995L}), "100.00");
    EXPECT_EQ(F("%.18f|%.30f", {0.1, 0.1}), "0.100000000000000006|0.100000000000000006");
}

TEST(FormatFixed, ThousandsSeparatorsComeFromTheLocale) {
    EXPECT_EQ(F("%n|%n|%n", {1234567.891, -1234.5, 999.0}), "1,234,567.89|-1,234.50|999.00");
    EXPECT_EQ(F("%.0n|%.0n|%.3n|%m", {999.5, 100000, 0.5, 1234.5}), "1,000|100,000|0.500|1,234.50");
    EXPECT_EQ(Fc("%.3n", {1234567.0}), "1.234.567,000");
    EXPECT_EQ(Format("%.0n", {1234567}, TFixedLocale('.', '\0')), "1234567");
}

TEST(FormatScientific, WritesFifteenSignificantDigitsAndThreeExponentDigits) {
    EXPECT_EQ(F("%e|%e", {1.5, 0}), "1.50000000000000E+000|0.00000000000000E+000");
    EXPECT_EQ(F("%.3e|%.3e|%.4e", {12345, -0.00012355, 9.9996}), "1.23E+004|-1.24E-004|1.000E+001");
    EXPECT_EQ(F("%.2e|%.1e", {1.25, 7.0}), "1.3E+000|7E+000");
    EXPECT_EQ(F("%.3e|%.3e", {1e-300, 1e4000L}), "1.00E-300|1.00E+4000");
    EXPECT_EQ(Fc("%.3e", {2.5}), "2,50E+000");
}

TEST(FormatScientific, GeneralPlaceholderUsesFifteenDigitsAndThreeExponentDigits) {
    EXPECT_EQ(F("%g|%g|%g|%g", {0.1, 46000.5, 1e20, 1.5e-7}), "0.1|46000.5|1E+020|1.5E-007");
    EXPECT_EQ(F("%g|%.3g|%g", {123456789012345678.0, 3.14159, 10}), "1.23456789012346E+017|3.14|10");
    EXPECT_EQ(Fc("%g", {-2.5}), "-2,5");
}

TEST(FormatScientific, NonFiniteValuesHaveFixedNames) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    for (const char* format : {"%f", "%.3e", "%g", "%n"})
        EXPECT_EQ(F(std::string(format) + "|" + format + "|" + format, {inf, -inf, nan}), "INF|-INF|NAN") << format;
    EXPECT_EQ(F("[%5f]", {inf}), "[  INF]");
    EXPECT_EQ(General(-inf) + General(nan), "-INFNAN");
}

TEST(FormatLocale, TwoArgumentFormUsesTheApplicationLocale) {
    SetAppLocale(&kComma);
    const std::string text = Format("%.1f|%n", {2.25, 1234.0});
    SetAppLocale(nullptr);
    EXPECT_EQ(text, "2,3|1.234,00");
}

TEST(FormatFloatGeneral, WritesFixedNotationWhileTheDigitsFit) {
    EXPECT_EQ(General(46000.5, 18, 4), "46000.5");
    EXPECT_EQ(General(-46000.5, 18, 4), "-46000.5");
    EXPECT_EQ(General(2.0) + "|" + General(0.0) + "|" + General(-0.0), "2|0|0");
    EXPECT_EQ(General(0.5, 15, 0, ','), "0,5");
    EXPECT_EQ(General(0.1, 18) + "|" + General(0.1, 17), "0.100000000000000006|0.10000000000000001");
    EXPECT_EQ(General(1e18L - 1, 18, 0), "999999999999999999");
}

TEST(FormatFloatGeneral, SwitchesToScientificBelowOneHundredThousandthAndAtTenToThePrecision) {
    EXPECT_EQ(General(1e20L, 18, 4), "1E+0020");
    EXPECT_EQ(General(-1e20L, 18, 4), "-1E+0020");
    EXPECT_EQ(General(1.5e-7L, 18, 4), "1.5E-0007");
    EXPECT_EQ(General(1.5e-7, 18, 4), "1.49999999999999993E-0007");
    EXPECT_EQ(General(1e-5) + "|" + General(1.25e-5) + "|" + General(9.9999e-6), "0.00001|0.0000125|9.9999E-6");
    EXPECT_EQ(General(99999, 5, 2) + "|" + General(100000, 5, 2), "99999|1E+05");
    EXPECT_EQ(General(123456, 5, 2), "1.2346E+05");
    EXPECT_EQ(General(1e18L, 18, 0), "1E+18");
    EXPECT_EQ(General(2.5e300, 15, 1), "2.5E+300");
}

TEST(FormatFloatGeneral, RoundingCarryMovesTheExponent) {
    EXPECT_EQ(General(9.9999999, 3) + "|" + General(0.99999, 3), "10|1");
    EXPECT_EQ(General(99999.5, 5, 2), "1E+05");
    EXPECT_EQ(General(9.99999e-6, 3), "0.00001");
    EXPECT_EQ(General(0.125, 2) + "|" + General(-0.125, 2), "0.13|-0.13");
}

TEST(FormatFloatGeneral, ClampsPrecisionToOneThroughEighteenDigits) {
    EXPECT_EQ(General(0.36, 0) + "|" + General(0.36, -3), "0.4|0.4");
    EXPECT_EQ(General(0.1, 40), "0.100000000000000006");
}

TEST(FormatFloatGeneral, HandlesTheExtremesOfLongDouble) {
    EXPECT_EQ(General(LDBL_MAX, 5, 0), "1.1897E+4932");
    EXPECT_EQ(General(LDBL_MIN, 5, 0), "3.3621E-4932");
    EXPECT_EQ(General(std::numeric_limits<long double>::denorm_min(), 5, 0), "3.6452E-4951");
}

TEST(FormatFloatGeneral, EighteenAndSeventeenDigitsReadBackToTheSameDouble) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> exponent(-320.0, 308.0);
    for (int i = 0; i < 3000; ++i) {
        double x;
        if (i % 2) {
            const uint64_t bits = random();
            std::memcpy(&x, &bits, sizeof x);
            if (!std::isfinite(x))
                continue;
        } else {
            x = std::pow(10.0, exponent(random)) * (random() % 2 ? 1 : -1);
        }
        for (int precision : {17, 18}) {
            for (char sep : {'.', ','}) {
                const std::string text = FormatFloatGeneral(x, precision, 4, sep);
                long double back = 0;
                ASSERT_TRUE(TryTextToFloat(text, back, sep)) << text;
                ASSERT_EQ(static_cast<double>(back), x) << text;
            }
        }
    }
}

TEST(TryTextToFloat, ReadsDecimalNumbersWithBlanksSignFractionAndExponent) {
    struct Case {
        const char* text;
        char sep;
        long double value;
    };
    for (const Case& c :
         {Case{"1.5", '.', 1.5L}, Case{"  -1.5  ", '.', -1.5L}, Case{"+2", '.', 2.0L}, Case{"5.", '.', 5.0L},
          Case{".5", '.', 0.5L}, Case{"1E-5", '.', 1e-5L}, Case{"-1.5e+3", '.', -1500.0L}, Case{"1,25", ',', 1.25L},
          Case{",5E2", ',', 50.0L}, Case{"0.1", '.', 0.1L}, Case{"1e-99999", '.', 0.0L}}) {
        long double value = -42;
        EXPECT_TRUE(TryTextToFloat(c.text, value, c.sep)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(TryTextToFloat, RejectsAnythingElseTheOtherSeparatorAndOverflow) {
    for (const char* text : {"",     "   ", ".",   "-",   "+.",   "1,5", "1e",      "1e+", "e5",     "1.5.2",
                             "0x10", "inf", "nan", "1 5", "1e5x", "--1", "1,000.5", "$10", "1e5000", "-1e5000"}) {
        long double value = 0;
        EXPECT_FALSE(TryTextToFloat(text, value, '.')) << text;
    }
    long double value = 0;
    EXPECT_FALSE(TryTextToFloat("1.5", value, ','));
    EXPECT_FALSE(TryTextToFloat("1,5,0", value, ','));
}

TEST(TryTextToFloat, VeryLongNumbersReadAsTheirWholeDigitsDo) {
    long double value = 0;
    // 2^64 + 1 lies halfway between two 80-bit reals: alone it goes to the even one, a 1 far behind the point decides
    // upwards.
    const std::string half = "18446744073709551617";
    ASSERT_TRUE(TryTextToFloat(half, value, '.'));
    EXPECT_EQ(value, 18446744073709551616.0L);
    ASSERT_TRUE(TryTextToFloat(half + "." + std::string(30000, '0') + "1", value, '.'));
    EXPECT_EQ(value, 18446744073709551618.0L);
    ASSERT_TRUE(TryTextToFloat(half + std::string(30000, '0') + "e-30000", value, '.'));
    EXPECT_EQ(value, 18446744073709551616.0L);

    ASSERT_TRUE(TryTextToFloat("-" + std::string(30000, '0') + "." + std::string(40000, '0') + "25e40000", value, '.'));
    EXPECT_EQ(value, -0.25L);
    ASSERT_TRUE(TryTextToFloat(std::string(50000, '0') + ",0e999", value, ','));
    EXPECT_EQ(value, 0.0L);
    EXPECT_FALSE(TryTextToFloat("1" + std::string(20000, '0') + ".5", value, '.'));  // beyond the largest real
    ASSERT_TRUE(TryTextToFloat("1" + std::string(20000, '0') + "e-0000000000000000000020000", value, '.'));
    EXPECT_EQ(value, 1.0L);

    std::mt19937 random(11);
    for (int n = 0; n < 20; ++n) {
        std::string digits(12000 + random() % 20000, '0');
        for (char& c : digits)
            c = static_cast<char>('0' + random() % 10);
        const size_t point = random() % digits.size();
        const long long scale = static_cast<long long>(random() % 8000) - 4000;  // the value stays in range
        const std::string text = digits.substr(0, point) + "." + digits.substr(point) + "e" +
                                 std::to_string(scale - static_cast<long long>(point));
        ASSERT_TRUE(TryTextToFloat(text, value, '.'));
        EXPECT_EQ(value, std::strtold(text.c_str(), nullptr)) << point;  // glibc reads every digit
    }
}

TEST(TryTextToFloat, LongDoubleIsTheEightyBitExtendedReal) {
    EXPECT_EQ(LDBL_MANT_DIG, 64);
    EXPECT_EQ(std::numeric_limits<long double>::max_exponent10, 4932);
}
