#include "tools/number/NumeralForms.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kHex = 0, kDec = 1, kOct = 2, kBin = 3, kStr = 4, kRom = 5;

std::string Shown(TNumeralKind kind, uint32_t value) {
    const TNumeralText t = FormatNumeral(kind, value);
    return t.valid ? t.text : "invalid: " + t.text;
}

// Parsed value, or -1 for an invalid text.
int64_t Parsed(TNumeralKind kind, std::string_view text) {
    uint32_t value = 0;
    return ParseNumeral(kind, text, value) ? static_cast<int64_t>(value) : -1;
}

// The converter as its window shows it: the user types into the focused row.
struct TConverterUnderTest {
    TNumeralConverter converter;
    std::string caption;
    std::vector<int> rewritten;

    TConverterUnderTest() {
        converter.OnValueChange = [this](uint32_t v) { caption = NumConvertCaption("Number Converter", v); };
        for (int i = 0; i < kNumeralKindCount; ++i)
            converter.Row(i).OnTextChanged = [this, i](const TNumeralRow&) { rewritten.push_back(i); };
        converter.Apply(kDec, kDefaultNumeralValue);
        converter.visible = true;
    }
    void Type(int row, std::string_view typed) {
        converter.focusedEdit = row;
        rewritten.clear();
        converter.EditChanged(row, NumeralEditText(NumeralKindAt(row), typed));
    }
    const TNumeralRow& Row(int i) const { return converter.Row(i); }
};

TEST(NumeralFormat, EachKindShowsTheValueInItsOwnNotation) {
    EXPECT_EQ(Shown(TNumeralKind::Hex, 0x656C616B), "656C616B");
    EXPECT_EQ(Shown(TNumeralKind::Dec, 4294967295u), "4294967295");
    EXPECT_EQ(Shown(TNumeralKind::Oct, 8), "10");
    EXPECT_EQ(Shown(TNumeralKind::Bin, 5), "101");
    EXPECT_EQ(Shown(TNumeralKind::Str, 0x656C616B), "kale");
    EXPECT_EQ(Shown(TNumeralKind::Rom, 1999), "MCMXCIX");
    EXPECT_EQ(Shown(TNumeralKind::Rom, 65535), std::string(65, 'M') + "DXXXV");
}

TEST(NumeralFormat, ZeroShowsZeroDigitsAnEmptyStringAndTheRomanMessage) {
    for (TNumeralKind kind : {TNumeralKind::Hex, TNumeralKind::Dec, TNumeralKind::Oct, TNumeralKind::Bin})
        EXPECT_EQ(Shown(kind, 0), "0");
    EXPECT_EQ(Shown(TNumeralKind::Str, 0), "");
    EXPECT_EQ(Shown(TNumeralKind::Rom, 0), "invalid: Number to large, zero or negative");
    EXPECT_EQ(Shown(TNumeralKind::Rom, 65536), "invalid: Number to large, zero or negative");
}

TEST(NumeralFormat, StringRowDropsBlankAndZeroBytesAtItsEndsAndStopsAtAZeroByte) {
    EXPECT_EQ(Shown(TNumeralKind::Str, 0x41424320), "CBA");  // bytes " CBA"
    EXPECT_EQ(Shown(TNumeralKind::Str, 0x00004241), "AB");
    EXPECT_EQ(Shown(TNumeralKind::Str, 0x41000042), "B");  // an edit box cannot show past the zero byte
    EXPECT_EQ(Shown(TNumeralKind::Str, 0x41200042), "B");
    EXPECT_EQ(Shown(TNumeralKind::Str, 0x4120FF41), "A\xFF A");
}

TEST(NumeralParse, HexadecimalTakesOneToEightDigitsWithoutPrefixSignOrBlanks) {
    EXPECT_EQ(Parsed(TNumeralKind::Hex, "FFFFFFFF"), 4294967295);
    EXPECT_EQ(Parsed(TNumeralKind::Hex, "ff"), 255);
    EXPECT_EQ(Parsed(TNumeralKind::Hex, "000000001"), 1);  // leading zeros do not overflow
    EXPECT_EQ(Parsed(TNumeralKind::Hex, "1G"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Hex, ""), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Hex, "100000000"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Hex, "-1"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Hex, "$1"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Hex, "x1"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Hex, " 1"), -1);
}

TEST(NumeralParse, DecimalReadsSixtyFourBitsAndKeepsTheLowThirtyTwo) {
    EXPECT_EQ(Parsed(TNumeralKind::Dec, "-1"), 4294967295);
    EXPECT_EQ(Parsed(TNumeralKind::Dec, "4294967296"), 0);
    EXPECT_EQ(Parsed(TNumeralKind::Dec, "+12"), 12);
    EXPECT_EQ(Parsed(TNumeralKind::Dec, "9223372036854775807"), 4294967295);
    EXPECT_EQ(Parsed(TNumeralKind::Dec, "-9223372036854775808"), 0);
    EXPECT_EQ(Parsed(TNumeralKind::Dec, "9223372036854775808"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Dec, "-9223372036854775809"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Dec, "-"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Dec, ""), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Dec, "1e3"), -1);
}

TEST(NumeralParse, OctalAndBinaryNeedTheirOwnDigitsAndLoseBitsAbove32) {
    EXPECT_EQ(Parsed(TNumeralKind::Oct, "777"), 511);
    EXPECT_EQ(Parsed(TNumeralKind::Oct, "8"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Oct, "o17"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Oct, ""), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Oct, "100000000000"), 0);  // 8^11 = 2^33
    EXPECT_EQ(Parsed(TNumeralKind::Bin, "101"), 5);
    EXPECT_EQ(Parsed(TNumeralKind::Bin, "2"), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Bin, ""), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Bin, "1" + std::string(32, '0') + "1"), 1);
}

TEST(NumeralParse, StringTakesUpToFourCharactersLowestByteFirst) {
    EXPECT_EQ(Parsed(TNumeralKind::Str, "AB"), 0x4241);
    EXPECT_EQ(Parsed(TNumeralKind::Str, ""), 0);
    EXPECT_EQ(Parsed(TNumeralKind::Str, "\xFF\xFF\xFF\xFF"), 4294967295);
    EXPECT_EQ(Parsed(TNumeralKind::Str, "kale!"), -1);
}

TEST(NumeralParse, RomanAcceptsOnlyUpperCaseLettersWithoutWellFormednessCheck) {
    EXPECT_EQ(Parsed(TNumeralKind::Rom, "MCMXCIX"), 1999);
    EXPECT_EQ(Parsed(TNumeralKind::Rom, "mcmxcix"), -1);
    EXPECT_EQ(NumeralEditText(TNumeralKind::Rom, "mcmxcix"), "MCMXCIX");  // the edit makes it upper case
    EXPECT_EQ(Parsed(TNumeralKind::Rom, "IIII"), 4);
    EXPECT_EQ(Parsed(TNumeralKind::Rom, "IM"), 999);
    EXPECT_EQ(Parsed(TNumeralKind::Rom, "VX"), 5);
    EXPECT_EQ(Parsed(TNumeralKind::Rom, ""), -1);
    EXPECT_EQ(Parsed(TNumeralKind::Rom, "X I"), -1);
}

TEST(NumeralKeys, CaptionCountsBitsAndF5F6UpDownChangeValueAndRow) {
    EXPECT_EQ(NumConvertCaption("Number Converter", 0), "Number Converter - 0 bits");
    EXPECT_EQ(NumConvertCaption("Number Converter", 1), "Number Converter - 1 bits");
    EXPECT_EQ(NumConvertCaption("Number Converter", 256), "Number Converter - 9 bits");
    EXPECT_EQ(NumConvertCaption("Number Converter", 4294967295u), "Number Converter - 32 bits");
    EXPECT_EQ(SwapNumeralBytes(0x12345678), 0x78563412u);
    EXPECT_EQ(ComplementNumeral(0), 4294967295u);
    EXPECT_EQ(StepFocusedNumeral(0, -1), 5);
    EXPECT_EQ(StepFocusedNumeral(5, +1), 0);
    EXPECT_EQ(StepFocusedNumeral(2, +1), 3);
}

TEST(NumeralRow, StartsAtZeroWithTheRomanRowInvalid) {
    TNumeralConverter converter;
    for (int i = 0; i < kNumeralKindCount; ++i) {
        EXPECT_EQ(converter.Row(i).GetValue(), 0u);
        EXPECT_EQ(converter.Row(i).Valid(), i != kRom) << i;
    }
    EXPECT_EQ(converter.Row(kHex).Text(), "0");
    EXPECT_EQ(converter.Row(kStr).Text(), "");
    EXPECT_EQ(converter.Row(kRom).Text(), kRomanOutOfRange);
}

TEST(NumeralConverter, MinusOneInDecimalBecomesAllOnesEverywhereAndTheDecimalTextIsRewritten) {
    TConverterUnderTest t;
    t.Type(kDec, "-1");
    for (int i = 0; i < kNumeralKindCount; ++i)
        EXPECT_EQ(t.Row(i).GetValue(), 4294967295u) << i;
    EXPECT_EQ(t.Row(kDec).Text(), "4294967295");
    EXPECT_EQ(t.Row(kHex).Text(), "FFFFFFFF");
    EXPECT_EQ(t.Row(kBin).Text(), std::string(32, '1'));
    EXPECT_EQ(t.Row(kStr).Text(), "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(t.Row(kRom).Text(), kRomanOutOfRange);
    EXPECT_FALSE(t.Row(kRom).Valid());
    EXPECT_EQ(t.caption, "Number Converter - 32 bits");
}

TEST(NumeralConverter, InvalidHexadecimalTurnsRedAndLeavesTheOtherRowsAlone) {
    TConverterUnderTest t;
    t.Type(kHex, "1");
    t.Type(kHex, "1g");
    EXPECT_EQ(t.Row(kHex).Text(), "1G");
    EXPECT_FALSE(t.Row(kHex).Valid());
    EXPECT_TRUE(t.rewritten.empty());
    EXPECT_EQ(t.Row(kDec).Text(), "1");
    t.Type(kHex, "1");
    EXPECT_TRUE(t.Row(kHex).Valid());
    EXPECT_EQ(t.Row(kOct).GetValue(), 1u);
}

TEST(NumeralConverter, LowerCaseRomanTypedIntoTheEditGives1999) {
    TConverterUnderTest t;
    t.Type(kRom, "mcmxcix");
    EXPECT_EQ(t.Row(kRom).Text(), "MCMXCIX");
    EXPECT_EQ(t.Row(kDec).Text(), "1999");
    t.Type(kRom, "");
    EXPECT_FALSE(t.Row(kRom).Valid());
    EXPECT_EQ(t.Row(kDec).Text(), "1999");
}

TEST(NumeralConverter, TypedSpellingStaysUntilTheValueChanges) {
    TConverterUnderTest t;
    t.Type(kRom, "IV");
    t.Type(kRom, "IIII");  // same value: the user's spelling is kept
    EXPECT_EQ(t.Row(kRom).Text(), "IIII");
    t.Type(kRom, "IIIII");  // a new value: shown the usual way
    EXPECT_EQ(t.Row(kRom).Text(), "V");
    EXPECT_EQ(t.Row(kDec).Text(), "5");
}

TEST(NumeralConverter, StringRowMarksAFifthCharacterInvalidAndReadsAB) {
    TConverterUnderTest t;
    t.Type(kStr, "kales");
    EXPECT_FALSE(t.Row(kStr).Valid());
    EXPECT_EQ(t.Row(kDec).GetValue(), static_cast<uint32_t>(kDefaultNumeralValue));
    t.Type(kStr, "AB");
    EXPECT_EQ(t.Row(kHex).Text(), "4241");
    EXPECT_EQ(t.Row(kDec).Text(), "16961");
}

TEST(NumeralConverter, ValueBeyondRomanRangeShowsTheMessageWhileOthersShowTheValue) {
    TConverterUnderTest t;
    t.Type(kDec, "70000");
    EXPECT_EQ(t.Row(kRom).Text(), kRomanOutOfRange);
    EXPECT_FALSE(t.Row(kRom).Valid());
    EXPECT_EQ(t.Row(kRom).GetValue(), 70000u);
    EXPECT_EQ(t.Row(kHex).Text(), "11170");
}

// The String row cannot show a leading blank byte; reading its own text back must not change the value.
TEST(NumeralConverter, ValueWithBlankBytesStillReachesEveryRowUnchanged) {
    TConverterUnderTest t;
    t.Type(kDec, "1094861600");  // 41424320
    for (int i = 0; i < kNumeralKindCount; ++i)
        EXPECT_EQ(t.Row(i).GetValue(), 1094861600u) << i;
    EXPECT_EQ(t.Row(kStr).Text(), "CBA");
    EXPECT_EQ(t.Row(kHex).Text(), "41424320");
}

TEST(NumeralConverter, RowLeftInvalidCatchesUpWhenAnotherRowSetsTheSameValue) {
    TConverterUnderTest t;
    t.Type(kHex, "5");
    t.Type(kHex, "5Z");
    t.Type(kDec, "5");
    EXPECT_EQ(t.Row(kHex).Text(), "5");
    EXPECT_TRUE(t.Row(kHex).Valid());
}

TEST(NumeralConverter, FocusedRowIsNotRewrittenByAChangeFromOutsideWhileVisible) {
    TConverterUnderTest t;
    t.converter.focusedEdit = kHex;
    t.converter.Apply(kDec, 7);
    EXPECT_EQ(t.Row(kHex).GetValue(), static_cast<uint32_t>(kDefaultNumeralValue));
    t.converter.visible = false;
    t.converter.Apply(kDec, 8);
    EXPECT_EQ(t.Row(kHex).Text(), "8");
}

TEST(NumeralConverter, ApplyRunsTheChangeHandlerEvenForTheSameValue) {
    TNumeralConverter converter;
    std::string caption = "none";
    converter.OnValueChange = [&](uint32_t v) { caption = NumConvertCaption("T", v); };
    converter.Apply(kDec, 0);
    EXPECT_EQ(caption, "T - 0 bits");
}

TEST(NumeralConverter, F5AndF6ThroughTheHexadecimalRow) {
    TConverterUnderTest t;
    t.Type(kHex, "12345678");
    t.converter.Apply(kHex, SwapNumeralBytes(t.Row(kHex).GetValue()));
    EXPECT_EQ(t.Row(kHex).Text(), "78563412");
    EXPECT_EQ(t.Row(kDec).GetValue(), 0x78563412u);
    t.Type(kHex, "0");
    t.converter.Apply(kHex, ComplementNumeral(t.Row(kHex).GetValue()));
    EXPECT_EQ(t.Row(kDec).Text(), "4294967295");
}

// Whatever is typed into whichever row, every row ends with one value and every row but the typed one shows it.
TEST(NumeralConverter, AnyTextTypedIntoAnyRowLeavesTheRowsConsistent) {
    TConverterUnderTest t;
    std::mt19937 random(20261206);
    const std::string alphabet = "0123456789abcdefABCDEFGXIVLCDMmcxv -+$ \x01\x7F\xB5\xFF";
    for (int step = 0; step < 20000; ++step) {
        const int row = static_cast<int>(random() % kNumeralKindCount);
        std::string typed;
        const size_t length = random() % 12;
        for (size_t i = 0; i < length; ++i)
            typed += alphabet[random() % alphabet.size()];
        if (random() % 4 == 0)  // now and then a text the row itself would show
            typed = FormatNumeral(NumeralKindAt(row), static_cast<uint32_t>(random())).text;
        const uint32_t before = t.Row(kDec).GetValue();
        t.Type(row, typed);

        const std::string held = NumeralEditText(NumeralKindAt(row), typed);
        uint32_t parsed = 0;
        const bool valid = ParseNumeral(NumeralKindAt(row), held, parsed);
        const uint32_t value = valid ? parsed : before;
        SCOPED_TRACE("row " + std::to_string(row) + " typed \"" + typed + "\"");
        ASSERT_EQ(t.caption, NumConvertCaption("Number Converter", value));
        for (int i = 0; i < kNumeralKindCount; ++i) {
            ASSERT_EQ(t.Row(i).GetValue(), value) << i;
            const TNumeralText expected = FormatNumeral(NumeralKindAt(i), value);
            if (i != row) {
                ASSERT_EQ(t.Row(i).Text(), expected.text) << i;
                ASSERT_EQ(t.Row(i).Valid(), expected.valid) << i;
            }
        }
        const TNumeralRow& typedRow = t.Row(row);
        if (!valid) {
            ASSERT_FALSE(typedRow.Valid());
            ASSERT_EQ(typedRow.Text(), held);
        } else if (typedRow.Text() == held) {
            ASSERT_TRUE(typedRow.Valid());
        } else {  // rewritten: the row's own form of a new value
            const TNumeralText own = FormatNumeral(NumeralKindAt(row), value);
            ASSERT_EQ(typedRow.Text(), own.text);
            ASSERT_EQ(typedRow.Valid(), own.valid);
            ASSERT_NE(before, value);
        }
    }
}

}  // namespace
