#include "tools/number/CalculatorModel.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/KoLib.h"

TEST(CalculatorResult, EachNumberSystemShowsWhatItCanAndNamesTheOnesItCannot) {
    HexDisplayPrefix() = "0x";
    using enum TNumberSystem;
    using TCase = std::tuple<long double, TNumberSystem, const char*>;
    const TCase cases[] = {{1.0L / 3, Decimal, "0.333333333333333333"},
                           {-1.5e20L, Decimal, "-1.5e+0020"},
                           {-1, Hexadecimal, "0xFFFFFFFFFFFFFFFF"},
                           {9223372036854775810.0L, Hexadecimal, "Invalid Hexadecimal Value"},
                           {8, Octal, "0o10"},
                           {4294967295.0L, Binary, "0b11111111111111111111111111111111"},
                           {-1, Binary, "Invalid Binary Value"},
                           {4294967296.0L, Octal, "Invalid Octal Value"}};
    for (const auto& [value, system, expected] : cases) {
        std::string shown;
        try {
            shown = FormatResult(value, system, '.');
        } catch (const EInvalidResult& error) {
            shown = error.what();
        }
        EXPECT_EQ(shown, expected) << static_cast<double>(value);
    }
    EXPECT_EQ(FormatResult(2.5L, Decimal, ','), "2,5");
}

TEST(CalculatorHistory, RepeatsMoveToTheEndTheTwentyFifthDropsTheOldestAndNavigationStopsAtBothEnds) {
    TCalcHistory history;
    std::string entry;
    EXPECT_FALSE(history.Back(entry));
    for (const char* expression : {"1+1", "2+2", "1+1"})
        history.Add(expression);
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"2+2", "1+1"}));
    for (int i = 0; i < 23; ++i)
        history.Add("e" + std::to_string(i));
    EXPECT_EQ(history.Entries().size(), 24u);
    EXPECT_EQ(history.Entries().front(), "1+1");
    history.Assign({"a", "b", "c"});
    std::string path;  // the entries shown, "-" where a key did not move; from no entry both keys go to the last
    for (const bool forward : {true, true, false, false, false, true})
        path += (forward ? history.Forward(entry) : history.Back(entry)) ? entry : "-";
    EXPECT_EQ(path, "c-ba-b");
}

TEST(CalculatorEditing, PasteKeepsTheFirstLineWithoutControlCharactersAtItsEnds) {
    using TCase = std::pair<const char*, const char*>;
    const TCase cases[] = {
        {"  2*(3+4)  \r\nsecond", "2*(3+4)"}, {"\nonly later", ""}, {"\x01\x1F 2+2\x0B\x7F\x0B", "2+2\x0B\x7F"}};
    for (const auto& [clipboard, expression] : cases)
        EXPECT_EQ(PastedExpression(clipboard), expression);
}

TEST(CalculatorEditing, F2HandsOverOnlyWholeNumbersTheConverterCanRead) {
    using TCase = std::pair<long double, const char*>;
    const TCase cases[] = {{-1.9L, "-1"},
                           {9223372036854775807.0L, "9223372036854775807"},
                           {9223372036854775808.0L, ""},
                           {-9223372036854775808.0L, "-9223372036854775808"}};
    for (const auto& [result, argument] : cases)
        EXPECT_EQ(NumberConverterArgument(result), argument) << static_cast<double>(result);
}

TEST(CalculatorVariables, LinesWithANameAndARealDefineVariables) {
    using TVars = std::vector<std::pair<std::string, long double>>;
    EXPECT_EQ(ParseVariableLines("rate=2.5\r\nbad=abc\r\n=3\r\ntab\t 7\r\nspace 1e3\r\nx=\r\n", '.'),
              (TVars{{"rate", 2.5L}, {"tab", 7.0L}, {"space", 1000.0L}}));
    EXPECT_TRUE(ParseVariableLines("rate=2.5", ',').empty());
}
