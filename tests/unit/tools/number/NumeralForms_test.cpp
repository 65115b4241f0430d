#include "tools/number/NumeralForms.h"

#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <charconv>
#include <random>
#include <tuple>
#include <vector>

namespace {

constexpr int kHex = 0, kDec = 1, kOct = 2, kBin = 3, kStr = 4, kRom = 5;

std::string Shown(const TNumeralText& numeral) {
    return numeral.valid ? numeral.text : "invalid: " + numeral.text;
}

// A row's text written apart from the code: digits in base 16, 10, 8 or 2, or Roman numerals by greedy subtraction
// with as many M as needed (1..65535 only). The String row has no rendering here; its cases are listed.
TNumeralText Independent(int row, uint32_t value) {
    if (row != kRom) {
        char digits[40];
        const int bases[] = {16, 10, 8, 2};
        std::string text(digits, std::to_chars(digits, digits + sizeof digits, value, bases[row]).ptr);
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return {text, true};
    }
    if (value == 0 || value > 65535)
        return {kRomanOutOfRange, false};
    const std::pair<uint32_t, const char*> kSteps[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"},
                                                       {90, "XC"},  {50, "L"},   {40, "XL"}, {10, "X"},   {9, "IX"},
                                                       {5, "V"},    {4, "IV"},   {1, "I"}};
    std::string text;
    for (const auto& [step, letters] : kSteps) {
        for (; value >= step; value -= step)
            text += letters;
    }
    return {text, true};
}

// The converter as its window shows it, starting from 0: the user types into the focused row.
struct TConverterUnderTest {
    TNumeralConverter converter;
    std::string caption;

    TConverterUnderTest() {
        converter.OnValueChange = [this](uint32_t v) { caption = NumConvertCaption("Number Converter", v); };
        converter.Apply(kDec, 0);
        converter.visible = true;
    }
    void Type(int row, std::string_view typed) {
        converter.focusedEdit = row;
        converter.EditChanged(row, NumeralEditText(NumeralKindAt(row), typed));
    }
    const TNumeralRow& Row(int i) const { return converter.Row(i); }
    // Every row holds the value; every row but `typed` shows it as written apart from the code.
    void ExpectEveryRowShows(uint32_t value, int typed) const {
        for (int i = 0; i < kNumeralKindCount; ++i) {
            EXPECT_EQ(Row(i).GetValue(), value) << i;
            if (i != typed && i != kStr) {
                EXPECT_EQ(Shown({Row(i).Text(), Row(i).Valid()}), Shown(Independent(i, value))) << i;
            }
        }
        EXPECT_EQ(caption, "Number Converter - " + std::to_string(std::bit_width(value)) + " bits");
    }
};

TEST(NumeralForms, DigitAndRomanRowsAgreeWithAnIndependentRenderingBothWays) {
    std::mt19937 random(20261206);
    std::vector<uint32_t> values = {0, 1, 1999, 65535, 65536, 4294967295u};
    for (int i = 0; i < 5000; ++i)
        values.push_back(i % 2 ? random() : random() % 70000);
    for (const uint32_t value : values) {
        for (const int row : {kHex, kDec, kOct, kBin, kRom}) {
            const TNumeralText expected = Independent(row, value);
            ASSERT_EQ(Shown(FormatNumeral(NumeralKindAt(row), value)), Shown(expected)) << row << " " << value;
            uint32_t parsed = 0;
            ASSERT_EQ(ParseNumeral(NumeralKindAt(row), expected.text, parsed), expected.valid) << expected.text;
            ASSERT_EQ(parsed, expected.valid ? value : 0) << expected.text;
        }
    }
}

TEST(NumeralForms, TheStringRowShowsBytesLowestFirstWithoutBlankOrZeroBytesAtItsEndsNorPastAZeroByte) {
    const std::pair<uint32_t, const char*> cases[] = {{0x656C616B, "kale"},   {0, ""},           {0x41424320, "CBA"},
                                                      {0x00004241, "AB"},     {0x41000042, "B"}, {0x41200042, "B"},
                                                      {0x4120FF41, "A\xFF A"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatNumeral(TNumeralKind::Str, value).text, text) << value;
}

// Beyond the texts the rows show themselves: other digits, signs, blanks, overlong and out of range texts.
TEST(NumeralForms, EachRowReadsOnlyItsOwnDigitsAndKeepsTheLowThirtyTwoBits) {
    // -1: the text is invalid. Decimal reads 64 bits, then keeps the low 32.
    using TCase = std::tuple<int, const char*, int64_t>;
    const TCase cases[] = {{kHex, "ff", 255}, {kHex, "000000001", 1},   {kHex, "100000000", -1},
                           {kHex, "1G", -1},  {kHex, " 1", -1},         {kHex, "-1", -1},
                           {kHex, "", -1},    {kDec, "-1", 4294967295}, {kDec, "+12", 12},
                           {kDec, "-", -1},   {kDec, "1e3", -1},        {kOct, "100000000000", 0},
                           {kOct, "8", -1},   {kBin, "2", -1},          {kStr, "AB", 0x4241},
                           {kStr, "", 0},     {kStr, "kale!", -1},      {kRom, "IIII", 4},
                           {kRom, "IM", 999}, {kRom, "mcmxcix", -1},    {kRom, "", -1}};
    for (const auto& [row, text, expected] : cases) {
        uint32_t value = 0;
        const bool valid = ParseNumeral(NumeralKindAt(row), text, value);
        EXPECT_EQ(valid ? static_cast<int64_t>(value) : -1, expected) << row << " \"" << text << "\"";
    }
}

TEST(NumeralConverter, AValueTypedIntoARowReachesEveryOtherRowAndAnOwnSpellingOfItStays) {
    TConverterUnderTest t;
    t.ExpectEveryRowShows(0, -1);
    t.Type(kRom, "mcmxcix");
    t.ExpectEveryRowShows(1999, -1);   // the typed row too, in capitals
    t.Type(kRom, "MDCCCCLXXXXVIIII");  // the same value: the user's spelling stays
    EXPECT_EQ(t.Row(kRom).Text(), "MDCCCCLXXXXVIIII");
    t.Type(kStr, "AB");
    t.ExpectEveryRowShows(0x4241, kStr);
    t.Type(kDec, "1094861600");  // bytes " CBA": the String row cannot show the blank, yet the value stays
    t.ExpectEveryRowShows(1094861600, kDec);
    EXPECT_EQ(t.Row(kStr).Text(), "CBA");
}

TEST(NumeralConverter, WhileVisibleTheFocusedRowIsOnlyRewrittenByAValueAppliedToItself) {
    TConverterUnderTest t;
    t.Type(kHex, "12345678");
    t.converter.Apply(kDec, 7);
    EXPECT_EQ(t.Row(kHex).Text(), "12345678");
    t.converter.Apply(kHex, 0x78563412);  // F5 and F6 go through the hexadecimal row
    t.ExpectEveryRowShows(0x78563412, -1);
    t.converter.visible = false;
    t.converter.Apply(kDec, 8);
    t.ExpectEveryRowShows(8, -1);
}

}  // namespace
