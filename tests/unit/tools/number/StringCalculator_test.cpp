// The evaluator against expressions.tsv, whose values were worked out apart from it (make_expressions.py), and
// what the table cannot hold: state kept between evaluations, expressions too long for a row, and random numbers.
#include "tools/number/StringCalculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/KoLib.h"
#include "core/Locale.h"

namespace {

// Sets the calculator, its variables and the locale from a context cell such as "X=2 $rate=2 sep=,".
void ApplyContext(const std::string& context, TStringCalculator& calc, TNamedVariables& vars, TFixedLocale& locale) {
    std::stringstream words(context);
    for (std::string word; words >> word;) {
        const std::string key = word.substr(0, word.find('='));
        const std::string value = word.substr(word.find('=') + 1);
        if (key == "sep") {
            locale = TFixedLocale(value[0]);
        } else if (key[0] == '$') {
            calc.Variables = &vars;  // a lone "$" attaches the empty list
            if (key.size() > 1)
                vars.Add(key.substr(1), std::stold(value));
        } else if (key != "-") {
            (key == "X" ? calc.X : key == "Y" ? calc.Y : key == "Z" ? calc.Z : calc.LastResult) = std::stold(value);
        }
    }
}

class StringCalculatorTest : public testing::Test {
  protected:
    void SetUp() override { SetAppLocale(&locale_); }
    void TearDown() override { SetAppLocale(nullptr); }

    std::string Outcome(const std::string& expression) {
        try {
            char value[64];
            std::snprintf(value, sizeof value, "= %.15Lg", calc_.Evaluate(expression));
            return value;
        } catch (const ECalcStrSyntaxError& e) {
            return std::string(e.what()) + " (" + std::to_string(e.ErrorPos) + "," + std::to_string(e.ErrorLen) + ")";
        }
    }

    TFixedLocale locale_{'.'};
    TStringCalculator calc_;
};

std::string Repeat(std::string_view piece, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

}  // namespace

TEST_F(StringCalculatorTest, EveryExpressionOfTheTableGivesItsIndependentlyComputedValueOrFault) {
    std::ifstream file(DD_SOURCE_DIR "/tests/unit/tools/number/expressions.tsv", std::ios::binary);
    int rowCount = 0;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cells;
        std::stringstream cellStream(line);
        for (std::string cell; std::getline(cellStream, cell, '\t');)
            cells.push_back(cell);
        cells.resize(6);
        std::string expression = cells[0];
        ReplaceAll(expression, "\\t", "\t");
        const std::string& expected = cells[2];
        SCOPED_TRACE("expressions.tsv line " + std::to_string(number) + ": \"" + expression + "\"");
        ++rowCount;
        TNamedVariables vars;
        calc_ = TStringCalculator();
        locale_ = TFixedLocale('.');
        ApplyContext(cells[1], calc_, vars, locale_);
        const std::string outcome = Outcome(expression);
        if (!cells[3].empty()) {
            EXPECT_EQ(outcome, expected + " (" + cells[3] + "," + cells[4] + ")");
            continue;
        }
        EXPECT_EQ(outcome.substr(0, 2), "= ") << outcome << ", expected " << expected;
        EXPECT_LE(std::fabs(calc_.LastResult - std::stold(expected)),
                  std::stold(cells[5]) * std::fabs(std::stold(expected)))
            << outcome;
    }
    EXPECT_GE(rowCount, 300) << "expressions.tsv missing or short";
}

TEST_F(StringCalculatorTest, LastResultIsTheConstantRSurvivesAFaultAndAnEmptyTextClearsIt) {
    using TStep = std::pair<const char*, const char*>;  // expression, outcome, in this order
    const TStep steps[] = {
        {"R", "= 0"}, {"6*7", "= 42"}, {"R+", "Syntax Error (2,2)"}, {"1/0", "Division by Zero (2,1)"}, {"R/2", "= 21"},
        {"", "= 0"},  {"R", "= 0"}};
    for (const auto& [expression, outcome] : steps)
        EXPECT_EQ(Outcome(expression), outcome) << expression;
}

// The time they take is measured by bench/evaluator_bench.cpp.
TEST_F(StringCalculatorTest, VeryLongExpressionsAreEvaluatedOrRefusedWithTheirPlace) {
    const std::pair<std::string, std::string> cases[] = {
        {Repeat("1+", 100000) + "1", "= 100001"},
        {Repeat("!", 100000) + "0", "= 4294967295"},
        {Repeat("1", 100000) + "e", "String Convertion Error (1,100001)"},
        {"0x" + Repeat("F", 100000), "Hexadecimal Number Exceeds 64 Bits (1,100002)"},
        {Repeat("(", 200000) + Repeat(")", 200000), "Too Many Nested Parentheses (257,1)"},
        {Repeat("(", 200000), "Matching Parenthesis Missing (2,1)"},
        {"1+2", "= 3"},  // a fault deep inside leaves nothing behind
    };
    for (const auto& [text, outcome] : cases)
        EXPECT_EQ(Outcome(text), outcome) << text.substr(0, 40);
}

TEST_F(StringCalculatorTest, RndDrawsRealsBelowOneAndIntegersBelowItsArgument) {
    std::set<long double> reals, dice;
    for (int i = 0; i < 2000; ++i) {
        reals.insert(calc_.Evaluate("rnd(0)"));
        dice.insert(calc_.Evaluate("rnd(6.9)"));
    }
    EXPECT_TRUE(reals.size() > 1900 && *reals.begin() >= 0 && *reals.rbegin() < 1);
    EXPECT_EQ(dice, (std::set<long double>{0, 1, 2, 3, 4, 5}));
}
