#include "core/KoLib.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace {

int32_t Parse(std::string_view text) {
    int32_t value = 12345;
    EXPECT_TRUE(TryStrToInt(text, value)) << '"' << text << '"';
    return value;
}

bool Rejects(std::string_view text) {
    int32_t value = 0;
    return !TryStrToInt(text, value);
}

TColor Rgb(int r, int g, int b) {
    return static_cast<TColor>(r | g << 8 | b << 16);
}

}  // namespace

TEST(KoLibStrToInt, ReadsDecimalAfterBlanksAndSign) {
    EXPECT_EQ(Parse("42"), 42);
    EXPECT_EQ(Parse("  \t 42"), 42);
    EXPECT_EQ(Parse("+13"), 13);
    EXPECT_EQ(Parse("\t-7"), -7);
    EXPECT_EQ(Parse("-0"), 0);
    EXPECT_EQ(Parse("007"), 7);
}

TEST(KoLibStrToInt, RejectsTextThatIsNotExactlyOneNumber) {
    for (const char* text : {"",   "   ", "-",   "+",   "$",   "x",    "0x",  "-$",  "42 ", "4 2", "- 5",
                             "5-", "12a", "--1", "+-1", "$-1", "0x-1", "1.0", "\n5", "0b1", "$G"})
        EXPECT_TRUE(Rejects(text)) << '"' << text << '"';
    EXPECT_TRUE(Rejects(std::string_view("1\0", 2)));
}

TEST(KoLibStrToInt, DecimalMustFitTheSignedRange) {
    EXPECT_EQ(Parse("2147483647"), INT_MAX);
    EXPECT_EQ(Parse("-2147483648"), INT_MIN);
    EXPECT_EQ(Parse("000000000002147483647"), INT_MAX);
    EXPECT_TRUE(Rejects("2147483648"));
    EXPECT_TRUE(Rejects("-2147483649"));
    EXPECT_TRUE(Rejects("4294967295"));
    EXPECT_TRUE(Rejects("4294967296"));  // would wrap to 0 in 32 bits
    EXPECT_TRUE(Rejects("18446744073709551617"));
}

TEST(KoLibStrToInt, ReadsHexadecimalAfterEveryPrefix) {
    EXPECT_EQ(Parse("$FF"), 255);
    EXPECT_EQ(Parse("xff"), 255);
    EXPECT_EQ(Parse("X1a"), 26);
    EXPECT_EQ(Parse("0x10"), 16);
    EXPECT_EQ(Parse("0XfF"), 255);
    EXPECT_EQ(Parse(" +$7FFFFFFF"), INT_MAX);
}

TEST(KoLibStrToInt, HexadecimalReadsAsA32BitPatternThatTheSignNegates) {
    EXPECT_EQ(Parse("$FFFFFFFF"), -1);
    EXPECT_EQ(Parse("$80000000"), INT_MIN);
    EXPECT_EQ(Parse("-$1"), -1);
    EXPECT_EQ(Parse("-0x80000000"), INT_MIN);
    EXPECT_EQ(Parse("-$FFFFFFFF"), 1);
    EXPECT_EQ(Parse("$0000000000FFFFFFFF"), -1);
    EXPECT_TRUE(Rejects("$100000000"));
    EXPECT_TRUE(Rejects("-$100000000"));
    EXPECT_TRUE(Rejects("0x1FFFFFFFF0"));
}

TEST(KoLibStrToInt, StrToIntDefFallsBackOnlyOnFailure) {
    EXPECT_EQ(StrToIntDef("abc", 8), 8);
    EXPECT_EQ(StrToIntDef("", -1), -1);
    EXPECT_EQ(StrToIntDef("0", 8), 0);
    EXPECT_EQ(StrToIntDef("$10", 8), 16);
}

TEST(KoLibBounds, ClampSaturatesWhileWrapJumpsToTheOtherEnd) {
    EXPECT_EQ(Clamp(17, 0, 16), 16);
    EXPECT_EQ(Clamp(-1, 0, 16), 0);
    EXPECT_EQ(Clamp(16, 0, 16), 16);
    EXPECT_EQ(Wrap(17, 0, 16), 0);
    EXPECT_EQ(Wrap(-1, 0, 16), 16);
    EXPECT_EQ(Wrap(0, 0, 16), 0);
    EXPECT_EQ(Choose(1, 2, true), 2);
    EXPECT_EQ(Choose(1, 2, false), 1);
}

TEST(KoLibBytes, SwapsExchangeTheRightBytes) {
    EXPECT_EQ(Swap16(0x1234), 0x3412);
    EXPECT_EQ(SwapRB(0xAA112233u), 0x00332211u);
    EXPECT_EQ(Swap32(0x12345678u), 0x78563412u);
}

TEST(KoLibNumerals, OctalTextKeepsOnlyTheLowThreeBitsOfEachCharacter) {
    EXPECT_EQ(IntToOct(0), "0");
    EXPECT_EQ(IntToOct(8), "10");
    EXPECT_EQ(IntToOct(0xFFFFFFFFu), "37777777777");
    EXPECT_EQ(OctToInt(""), 0u);
    EXPECT_EQ(OctToInt("0"), 0u);
    EXPECT_EQ(OctToInt("o17"), 15u);
    EXPECT_EQ(OctToInt("0o0o12"), 10u);
    EXPECT_EQ(OctToInt("9"), 1u);
    EXPECT_EQ(OctToInt("o"), 7u);  // the last character is never skipped
    EXPECT_EQ(OctToInt("37777777777"), 0xFFFFFFFFu);
    EXPECT_EQ(OctToInt("40000000000"), 0u);
}

TEST(KoLibNumerals, BinaryTextPadsAndReadsEveryCharacter) {
    EXPECT_EQ(IntToBin(5, 8), "00000101");
    EXPECT_EQ(IntToBin(0, 0), "0");
    EXPECT_EQ(IntToBin(5, -3), "101");
    EXPECT_EQ(IntToBin(1, 300).size(), 255u);
    EXPECT_EQ(IntToBin(0xFFFFFFFFu, 4), std::string(32, '1'));
    EXPECT_EQ(BinToInt("101"), 5u);
    EXPECT_EQ(BinToInt("1x1"), 5u);
    const std::string bit32 = "1" + std::string(32, '0');
    EXPECT_EQ(BinToInt(bit32), 0u);
    EXPECT_EQ(BinToInt64(bit32), 1ull << 32);
    EXPECT_EQ(BinToInt64(std::string(64, '1')), ~0ull);
}

TEST(KoLibNumerals, RomanNumeralsRoundTripUpTo3999) {
    EXPECT_EQ(IntToRoman(1994), "MCMXCIV");
    for (int v = 1; v < 4000; ++v)
        ASSERT_EQ(RomanToInt(IntToRoman(static_cast<uint16_t>(v))), v) << v;
}

TEST(KoLibNumerals, RomanEdgesFollowTheGreedyAndNeighbourRules) {
    EXPECT_EQ(IntToRoman(0), "");
    EXPECT_EQ(IntToRoman(4000), "MMMM");
    EXPECT_EQ(IntToRoman(65535), std::string(65, 'M') + "DXXXV");
    EXPECT_EQ(RomanToInt("mcmxciv"), 0);
    EXPECT_EQ(RomanToInt("IIII"), 4);
    EXPECT_EQ(RomanToInt("IM"), 999);
    EXPECT_EQ(RomanToInt("X?X"), 20);
    EXPECT_EQ(RomanToInt(""), 0);
    EXPECT_EQ(RomanToInt(std::string(3000000, 'M')), static_cast<int>(3000000000u));
}

TEST(KoLibColor, BlendTruncatesEachChannelTowardZero) {
    EXPECT_EQ(BlendColor(Rgb(255, 255, 255), 0, 128), Rgb(127, 127, 127));
    EXPECT_EQ(BlendColor(0, Rgb(255, 255, 255), 128), Rgb(128, 128, 128));
    // -1280 / 255 truncates to -5; flooring would give 4 in red and 149 in blue.
    EXPECT_EQ(BlendColor(Rgb(10, 0, 200), Rgb(0, 10, 100), 128), Rgb(5, 5, 150));
    EXPECT_EQ(BlendColor(Rgb(10, 0, 0), 0, 1), Rgb(10, 0, 0));
    EXPECT_EQ(BlendColor(0xFF000000u | Rgb(1, 2, 3), 0xFF000000u, 0), Rgb(1, 2, 3));
    EXPECT_EQ(BlendColor(0, 0xFF000000u | Rgb(1, 2, 3), 255), Rgb(1, 2, 3));
}

TEST(KoLibColor, HsvPrimariesAndOutOfRangeInputs) {
    EXPECT_EQ(HsvToColor(0, 1, 1), Rgb(255, 0, 0));
    EXPECT_EQ(HsvToColor(120, 1, 1), Rgb(0, 255, 0));
    EXPECT_EQ(HsvToColor(240, 1, 1), Rgb(0, 0, 255));
    EXPECT_EQ(HsvToColor(360, 1, 1), Rgb(255, 0, 0));
    EXPECT_EQ(HsvToColor(0, 1.5, 1), 0u);
    EXPECT_EQ(HsvToColor(0, 1, -0.1), 0u);
    EXPECT_EQ(HsvToColor(0, std::nan(""), 1), 0u);
    EXPECT_EQ(HsvToColor(INFINITY, 1, 1), 0u);
    EXPECT_EQ(HsvToColor(0, 0, 1), Rgb(255, 255, 255));
}

TEST(KoLibColor, HsvEverySectorMixesTheRightChannels) {
    EXPECT_EQ(HsvToColor(30, 1, 1), Rgb(255, 128, 0));
    EXPECT_EQ(HsvToColor(90, 1, 1), Rgb(128, 255, 0));
    EXPECT_EQ(HsvToColor(150, 1, 1), Rgb(0, 255, 128));
    EXPECT_EQ(HsvToColor(210, 1, 1), Rgb(0, 128, 255));
    EXPECT_EQ(HsvToColor(270, 1, 1), Rgb(128, 0, 255));
    EXPECT_EQ(HsvToColor(330, 1, 1), Rgb(255, 0, 128));
    EXPECT_EQ(HsvToColor(750, 1, 1), Rgb(255, 128, 0));
    EXPECT_EQ(HsvToColor(-90, 1, 1), Rgb(128, 255, 0));  // the magnitude of the hue counts, not its direction
    EXPECT_EQ(HsvToColor(60, 0.5, 0.8), Rgb(204, 204, 102));
}

TEST(KoLibColor, HsvRoundsTiesToEven) {
    EXPECT_EQ(HsvToColor(0, 0, 2.5 / 255), Rgb(2, 2, 2));  // 2.5 rounded away from zero would be 3
}

TEST(KoLibText, UpperCaseFollowsCodePage1252) {
    EXPECT_EQ(UpperCase1252("abz{"), "ABZ{");
    EXPECT_EQ(UpperCase1252("\x9A\x9C\x9E\xFF"), "\x8A\x8C\x8E\x9F");
    EXPECT_EQ(UpperCase1252("\xE0\xF6\xF8\xFE"), "\xC0\xD6\xD8\xDE");
    EXPECT_EQ(UpperCase1252("\xF7\xB5\xDF\x8A\xC0"), "\xF7\xB5\xDF\x8A\xC0");
}

TEST(KoLibText, WordCharactersAreLettersOnly) {
    for (int c :
         {int{'A'}, int{'Z'}, int{'a'}, int{'z'}, 138, 140, 154, 156, 159, 192, 214, 216, 222, 224, 246, 248, 255})
        EXPECT_TRUE(IsWordChar1252(static_cast<char>(c))) << c;
    for (int c :
         {int{'0'}, int{'9'}, int{'_'}, int{'@'}, int{'['}, int{'`'}, int{'{'}, int{' '}, 142, 158, 181, 215, 223, 247})
        EXPECT_FALSE(IsWordChar1252(static_cast<char>(c))) << c;
}

TEST(KoLibText, SameTextAsciiFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(SameTextAscii("Hello", "hELLO"));
    EXPECT_TRUE(SameTextAscii("", ""));
    EXPECT_FALSE(SameTextAscii("a", "ab"));
    EXPECT_FALSE(SameTextAscii("\xE0", "\xC0"));
    EXPECT_FALSE(SameTextAscii("@", "`"));
}

TEST(KoLibPosEx, CaseAndWholeWordDecideTheMatch) {
    EXPECT_EQ(PosEx("Calculator", "calc"), 1);
    EXPECT_EQ(PosEx("Calculator", "calc", 1, true), 0);
    EXPECT_EQ(PosEx("Calculator", "calc", 1, false, true), 0);
    EXPECT_EQ(PosEx("\xE9t\xE9", "\xC9T\xC9"), 1);
    EXPECT_EQ(PosEx("\xE9t\xE9", "\xC9T\xC9", 1, true), 0);
    EXPECT_EQ(PosEx("x\xFF", "\x9F"), 2);
}

TEST(KoLibPosEx, OffsetLimitsTheSearchAtBothEnds) {
    EXPECT_EQ(PosEx("abcabc", "abc", 1), 1);
    EXPECT_EQ(PosEx("abcabc", "abc", 2), 4);
    EXPECT_EQ(PosEx("abcabc", "abc", 4), 4);
    EXPECT_EQ(PosEx("abcabc", "abc", 5), 0);
    EXPECT_EQ(PosEx("abc", "c", 3), 3);
    EXPECT_EQ(PosEx("abc", "c", 4), 0);
    EXPECT_EQ(PosEx("abc", "a", 0), 0);
    EXPECT_EQ(PosEx("abc", "a", -5), 0);
    EXPECT_EQ(PosEx("", "a"), 0);
    EXPECT_EQ(PosEx("abc", ""), 0);
    EXPECT_EQ(PosEx("ab", "abc"), 0);
}

TEST(KoLibPosEx, WholeWordLooksAtNeighboursIncludingAccentedLetters) {
    EXPECT_EQ(PosEx("cat", "cat", 1, false, true), 1);
    EXPECT_EQ(PosEx("concat cat", "cat", 1, false, true), 8);
    EXPECT_EQ(PosEx("cats cat", "cat", 1, false, true), 6);
    EXPECT_EQ(PosEx("cat concat", "cat", 2, false, true), 0);
    EXPECT_EQ(PosEx("\xE9"
                    "cat",
                    "cat", 1, false, true),
              0);
    EXPECT_EQ(PosEx("cat\xE9", "cat", 1, false, true), 0);
    EXPECT_EQ(PosEx("cat\x9E", "cat", 1, false, true), 1);  // z with caron is no word character
    EXPECT_EQ(PosEx("_cat1", "cat", 1, false, true), 2);
}

TEST(KoLibReplaceAll, ReplacesLeftToRightWithoutOverlapOrRescan) {
    std::string text = "aaa";
    EXPECT_EQ(ReplaceAll(text, "aa", "x"), 1);
    EXPECT_EQ(text, "xa");
    text = "aab";
    EXPECT_EQ(ReplaceAll(text, "ab", "b"), 1);
    EXPECT_EQ(text, "ab");
    text = "abc";
    EXPECT_EQ(ReplaceAll(text, "b", "bb"), 1);
    EXPECT_EQ(text, "abbc");
    text = "-a-b-";
    EXPECT_EQ(ReplaceAll(text, "-", ""), 3);
    EXPECT_EQ(text, "ab");
}

TEST(KoLibReplaceAll, LeavesTextAloneWithoutAMatch) {
    std::string text = "ABC";
    EXPECT_EQ(ReplaceAll(text, "b", "x"), 0);
    EXPECT_EQ(ReplaceAll(text, "", "x"), 0);
    EXPECT_EQ(text, "ABC");
    std::string empty;
    EXPECT_EQ(ReplaceAll(empty, "a", "x"), 0);
    EXPECT_EQ(empty, "");
}

TEST(KoLibCharSet, PosOfSetSearchesFromStart) {
    const TCharSet set = MakeCharSet(", \xE9");
    EXPECT_EQ(PosOfSet("hello, world", set, 1), 6);
    EXPECT_EQ(PosOfSet("hello, world", set, 7), 7);
    EXPECT_EQ(PosOfSet("hello, world", set, 8), 0);
    EXPECT_EQ(PosOfSet("hello", set, 9), 0);
    EXPECT_EQ(PosOfSet("a,", set, 0), 2);
    EXPECT_EQ(PosOfSet("caf\xE9", set, 1), 4);
}

TEST(KoLibCharSet, CountOfSetCountsFromStart) {
    const TCharSet set = MakeCharSet(",\xE9");
    EXPECT_EQ(CountOfSet("a,b,c\xE9", set, 1), 3);
    EXPECT_EQ(CountOfSet("a,b,c", set, 3), 1);
    EXPECT_EQ(CountOfSet("a,b,c", set, 0), 0);
    EXPECT_EQ(CountOfSet("a,b,c", set, 9), 0);
    EXPECT_EQ(CountOfSet("a,b,c", TCharSet(), 1), 0);
}
