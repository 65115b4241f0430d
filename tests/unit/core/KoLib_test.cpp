#include "core/KoLib.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// What TryStrToInt makes of each text, blank-separated; "no" where it refuses.
std::string Read(std::initializer_list<std::string_view> texts) {
    std::string out;
    for (const std::string_view text : texts) {
        int32_t value = 12345;
        out += (out.empty() ? "" : " ") + (TryStrToInt(text, value) ? std::to_string(value) : "no");
    }
    return out;
}

}  // namespace

TEST(KoLib, TextToIntegerReadsOneDecimalOrHexadecimalNumberAfterBlanksAndASign) {
    EXPECT_EQ(
        Read({"  \t 42", "+13", "\t-7", "-0", "000000000002147483647", "-2147483648", "$FF", "xff", "X1a", "0XfF"}),
        "42 13 -7 0 2147483647 -2147483648 255 255 26 255");
    // Hexadecimal digits are a 32-bit pattern, which the sign then negates.
    EXPECT_EQ(Read({"$FFFFFFFF", "-0x80000000", "-$FFFFFFFF", "$0000000000FFFFFFFF"}), "-1 -2147483648 1 -1");
    for (const char* text :
         {"",           "   ",         "-",   "$",          "0x",          "-$",         "42 ",
          "4 2",        "- 5",         "12a", "--1",        "+-1",         "$-1",        "1.0",
          "\n5",        "0b1",         "$G",  "2147483648", "-2147483649", "4294967296", "18446744073709551617",
          "$100000000", "0x1FFFFFFFF0"})
        EXPECT_EQ(Read({text}), "no") << '"' << text << '"';
    // The same rules in 64 bits.
    std::string wide;
    for (const char* text : {"-9223372036854775808", "0xFFFFFFFFFFFFFFFF", "4294967296", "9223372036854775808",
                             "$10000000000000000", "1e3"}) {
        int64_t value = 0;
        wide += (TryStrToInt64(text, value) ? std::to_string(value) : "no") + " ";
    }
    EXPECT_EQ(wide, "-9223372036854775808 -1 4294967296 no no no ");
}

TEST(KoLib, OctalBinaryAndRomanNumeralsFollowTheirDigitRules) {
    // Plain octal digits and canonical Roman numerals both ways are the number converter's rows, checked there.
    EXPECT_EQ(IntToBin(5, 8) + " " + IntToBin(5, -3), "00000101 101");
    // Only the low three bits (one for binary) of each character count; a leading "o" or "0o" goes unless it is last.
    std::string read;
    for (const char* text : {"0o0o12", "9", "o", "40000000000"})
        read += std::to_string(OctToInt(text)) + " ";
    read += std::to_string(BinToInt("1x1")) + " " + std::to_string(BinToInt("1" + std::string(32, '0')));
    EXPECT_EQ(read + " " + std::to_string(RomanToInt("mcmxciv")) + " " + std::to_string(RomanToInt("X?X")),
              "10 1 7 0 5 0 0 20");
}

TEST(KoLib, HsvOutOfRangeOrNotFiniteIsBlack) {
    EXPECT_EQ(HsvToColor(0, 1.5, 1) | HsvToColor(0, 1, -0.1) | HsvToColor(0, NAN, 1) | HsvToColor(INFINITY, 1, 1), 0u);
}

TEST(KoLib, WordCharactersAndSearchesFollowCodePage1252) {
    std::string word;
    for (const char c : std::string("Az\x8A\x9C\x9F\xC0\xD6\xD8\xFF"
                                    "0_@`\x8E\x9E\xB5\xD7\xDF\xF7"))
        word += IsWordChar1252(c) ? 'w' : '-';
    EXPECT_EQ(word, "wwwwwwwww----------");
    EXPECT_TRUE(SameTextAscii("Hello", "hELLO") && !SameTextAscii("\xE0", "\xC0") && !SameTextAscii("@", "`"));
    EXPECT_EQ(PosEx("Calculator", "calc", 1, true), 0);
    EXPECT_EQ(PosEx("x\xE9t\xFF", "\xC9T\x9F"), 2);
    EXPECT_EQ(PosEx("abcabc", "abc", 2), 4);
    EXPECT_EQ(PosEx("abcabc", "abc", 5) + PosEx("abc", "a", 0) + PosEx("abc", ""), 0);
    std::string whole;
    for (const char* text : {"concat cat", "cats cat", "\351cat", "cat\351", "cat\236", "_cat1"})
        whole += std::to_string(PosEx(text, "cat", 1, false, true)) + " ";
    EXPECT_EQ(whole, "8 6 0 0 1 2 ");  // z with caron (0x9E) is no word character
}

TEST(KoLib, ReplaceAllGoesLeftToRightWithoutOverlapOrRescanAndCharacterSetsAreSearchedFromTheStart) {
    std::string replaced;
    for (const auto& [text, find, replacement] :
         {std::tuple{"aaa", "aa", "x"}, {"aab", "ab", "b"}, {"abc", "b", "bb"}, {"-a-b-", "-", ""}, {"ABC", "", "x"}}) {
        std::string changed = text;
        replaced += std::to_string(ReplaceAll(changed, find, replacement)) + changed + " ";
    }
    EXPECT_EQ(replaced, "1xa 1ab 1abbc 3ab 0ABC ");
    const TCharSet set = MakeCharSet(", \xE9");
    std::string found;
    for (const auto& [text, from] : {std::pair{"hello, world", 7}, {"hello, world", 8}, {"a,", 0}, {"caf\xE9", 1}})
        found += std::to_string(PosOfSet(text, set, from)) + " ";
    EXPECT_EQ(found + std::to_string(CountOfSet("a,b c\xE9", set, 1)), "7 0 2 4 3");
}
