#include "tools/number/CalculatorModel.h"

#include <gtest/gtest.h>

#include "core/KoLib.h"

namespace {
std::string Shown(long double value, TNumberSystem system) {
    try {
        return FormatResult(value, system, '.');
    } catch (const EInvalidResult& error) {
        return error.what();
    }
}

TEST(CalculatorResult, DecimalShowsEighteenDigitsInLowerCase) {
    EXPECT_EQ(Shown(1.0L / 3, TNumberSystem::Decimal), "0.333333333333333333");
    EXPECT_EQ(Shown(97, TNumberSystem::Decimal), "97");
    EXPECT_EQ(Shown(1e30L, TNumberSystem::Decimal), "1e+0030");
    EXPECT_EQ(FormatResult(2.5L, TNumberSystem::Decimal, ','), "2,5");
}

TEST(CalculatorResult, HexadecimalShowsSixtyFourBitTwosComplement) {
    HexDisplayPrefix() = "0x";
    EXPECT_EQ(Shown(97, TNumberSystem::Hexadecimal), "0x61");
    EXPECT_EQ(Shown(-1, TNumberSystem::Hexadecimal), "0xFFFFFFFFFFFFFFFF");
    EXPECT_EQ(Shown(-9223372036854775808.0L, TNumberSystem::Hexadecimal), "0x8000000000000000");
    EXPECT_EQ(Shown(9223372036854775808.0L, TNumberSystem::Hexadecimal), "0x8000000000000000");
    EXPECT_EQ(Shown(9223372036854775810.0L, TNumberSystem::Hexadecimal), "Invalid Hexadecimal Value");
    EXPECT_EQ(Shown(0.5, TNumberSystem::Hexadecimal), "Invalid Hexadecimal Value");
}

TEST(CalculatorResult, OctalAndBinaryTakeWholeNumbersUpToThirtyTwoBits) {
    EXPECT_EQ(Shown(8, TNumberSystem::Octal), "0o10");
    EXPECT_EQ(Shown(0, TNumberSystem::Binary), "0b0");
    EXPECT_EQ(Shown(4294967295.0L, TNumberSystem::Binary), "0b11111111111111111111111111111111");
    EXPECT_EQ(Shown(2.5, TNumberSystem::Octal), "Invalid Octal Value");
    EXPECT_EQ(Shown(-1, TNumberSystem::Binary), "Invalid Binary Value");
    EXPECT_EQ(Shown(4294967296.0L, TNumberSystem::Octal), "Invalid Octal Value");
}

TEST(CalculatorColours, EachCharacterHasItsClass) {
    EXPECT_EQ(CharClassOf('7', '.'), TCharClass::Number);
    EXPECT_EQ(CharClassOf('F', '.'), TCharClass::Number);
    EXPECT_EQ(CharClassOf('G', '.'), TCharClass::Function);
    EXPECT_EQ(CharClassOf('.', '.'), TCharClass::Number);
    EXPECT_EQ(CharClassOf('.', ','), TCharClass::Other);
    EXPECT_EQ(CharClassOf('\xA4', '.'), TCharClass::Special);
    EXPECT_EQ(CharClassOf('@', '.'), TCharClass::Function);
    EXPECT_EQ(CharClassOf(')', '.'), TCharClass::Bracket);
    EXPECT_EQ(CharClassOf('#', '.'), TCharClass::Other);
    EXPECT_EQ(CharClassOf('?', '.'), TCharClass::Other);
}

TEST(CalculatorHistory, RepeatsMoveToTheEndAndTheTwentyFifthDropsTheOldest) {
    TCalcHistory history;
    history.Add("1+1");
    history.Add("2+2");
    history.Add("1+1");
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"2+2", "1+1"}));
    EXPECT_EQ(history.Index(), 1);
    for (int i = 0; i < 23; ++i)
        history.Add("e" + std::to_string(i));
    ASSERT_EQ(history.Entries().size(), 24u);
    EXPECT_EQ(history.Entries().front(), "1+1");
    EXPECT_EQ(history.Entries().back(), "e22");
}

TEST(CalculatorHistory, NavigationStopsAtBothEnds) {
    TCalcHistory history;
    std::string entry = "unchanged";
    EXPECT_FALSE(history.Back(entry));
    history.Assign({"a", "b", "c"});
    EXPECT_TRUE(history.Forward(entry));  // from -1 both keys go to the last entry
    EXPECT_EQ(entry, "c");
    EXPECT_FALSE(history.Forward(entry));
    EXPECT_TRUE(history.Back(entry));
    EXPECT_TRUE(history.Back(entry));
    EXPECT_EQ(entry, "a");
    EXPECT_FALSE(history.Back(entry));
    EXPECT_TRUE(history.Forward(entry));
    EXPECT_EQ(entry, "b");
}

TEST(CalculatorEditing, PasteKeepsTheFirstLineTrimmed) {
    EXPECT_EQ(PastedExpression("  2*(3+4)  \r\nsecond"), "2*(3+4)");
    EXPECT_EQ(PastedExpression("\nonly later"), "");
    EXPECT_EQ(PastedExpression("x"), "x");
    EXPECT_EQ(PastedExpression("\x01\x1F 2+2\x0B\x7F\x0B"), "2+2\x0B\x7F");  // every control character goes
}

TEST(CalculatorEditing, F2HandsOverOnlyWholeNumbersTheConverterCanRead) {
    const struct {
        long double result;
        const char* argument;
    } cases[] = {{-1.9L, "-1"},
                 {255.99L, "255"},
                 {9223372036854775807.0L, "9223372036854775807"},
                 {9223372036854775808.0L, ""},
                 {-9223372036854775808.0L, "-9223372036854775808"},
                 {-9223372036854775809.0L * 2, ""},
                 {1e30L, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(NumberConverterArgument(c.result), c.argument) << static_cast<double>(c.result);
}

TEST(CalculatorVariables, LinesWithANameAndARealDefineVariables) {
    const auto vars = ParseVariableLines("rate=2.5\r\nbad=abc\r\n=3\r\ntab\t 7\r\nspace 1e3\r\nx=\r\n", '.');
    ASSERT_EQ(vars.size(), 3u);
    EXPECT_EQ(vars[0].first, "rate");
    EXPECT_EQ(vars[0].second, 2.5L);
    EXPECT_EQ(vars[1].first, "tab");
    EXPECT_EQ(vars[1].second, 7.0L);
    EXPECT_EQ(vars[2].first, "space");
    EXPECT_EQ(vars[2].second, 1000.0L);
    EXPECT_TRUE(ParseVariableLines("rate=2.5", ',').empty());
}
}  // namespace
