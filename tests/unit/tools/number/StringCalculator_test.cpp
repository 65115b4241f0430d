#include "tools/number/StringCalculator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>

#include "core/Locale.h"

namespace {

class StringCalculatorTest : public testing::Test {
  protected:
    void SetUp() override { SetAppLocale(&dot_); }
    void TearDown() override { SetAppLocale(nullptr); }

    // The fault of an expression as "message (pos,len)", or "no fault".
    std::string FaultOf(std::string_view expression) {
        try {
            calc_.Evaluate(expression);
        } catch (const ECalcStrSyntaxError& e) {
            return std::string(e.what()) + " (" + std::to_string(e.ErrorPos) + "," + std::to_string(e.ErrorLen) + ")";
        }
        return "no fault";
    }

    TFixedLocale dot_{'.'};
    TStringCalculator calc_;
};

std::string Repeat(std::string_view piece, size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

}  // namespace

TEST_F(StringCalculatorTest, ComputesWithTheFull64BitSignificand) {
    EXPECT_EQ(calc_.Evaluate("2^63+1-2^63"), 1.0L);
    EXPECT_EQ(calc_.Evaluate("(1+2^-63)=1"), 0.0L);
    EXPECT_EQ(calc_.Evaluate("18446744073709551615"), 18446744073709551615.0L);
}

TEST_F(StringCalculatorTest, LastResultIsTheConstantRAndSurvivesAFault) {
    EXPECT_EQ(calc_.Evaluate("6*7"), 42.0L);
    EXPECT_EQ(calc_.Evaluate("R/2"), 21.0L);
    EXPECT_EQ(FaultOf("R+"), "Syntax Error (2,2)");
    EXPECT_EQ(FaultOf("1/0"), "Division by Zero (2,1)");
    EXPECT_EQ(calc_.LastResult, 21.0L);
    EXPECT_EQ(calc_.Evaluate(""), 0.0L);
    EXPECT_EQ(calc_.LastResult, 0.0L);

    TStringCalculator other;
    EXPECT_EQ(other.Evaluate("R"), 0.0L);
}

TEST_F(StringCalculatorTest, ConstantsAndVariablesMustHoldFiniteValues) {
    calc_.X = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(FaultOf("1+x"), "Invalid Floating Point Operation (3,1)");
    TNamedVariables vars;
    vars.Add("big", std::numeric_limits<long double>::quiet_NaN());
    calc_.Variables = &vars;
    EXPECT_EQ(FaultOf("2*$big"), "Invalid Floating Point Operation (3,4)");
}

TEST_F(StringCalculatorTest, AVariableListTurnsDollarLettersIntoNames) {
    EXPECT_EQ(calc_.Evaluate("$FF"), 255.0L);
    TNamedVariables vars;
    calc_.Variables = &vars;
    EXPECT_EQ(FaultOf("$FF"), "Undefined Variable: FF (2,2)");
    EXPECT_EQ(calc_.Evaluate("$0FF"), 255.0L);
    vars.SetValue("FF", 3);
    EXPECT_EQ(calc_.Evaluate("$FF*2"), 6.0L);
}

TEST(TNamedVariables, SetValueOverwritesTheFirstPairAndAddAlwaysAppends) {
    TNamedVariables vars;
    EXPECT_EQ(vars.GetValue("a"), 0.0L);
    EXPECT_EQ(vars.IndexOf("a"), -1);
    vars.Add("a", 1);
    vars.Add("a", 2);
    vars.SetValue("a", 5);
    vars.SetValue("b", 7);
    ASSERT_EQ(vars.Count(), 3);
    EXPECT_EQ(vars.Values(0), 5.0L);
    EXPECT_EQ(vars.Values(1), 2.0L);
    EXPECT_EQ(vars.Names(2), "b");
    EXPECT_EQ(vars.GetValue("a"), 5.0L);
    EXPECT_EQ(vars.IndexOf("A"), -1);
    vars.Clear();
    EXPECT_EQ(vars.Count(), 0);
}

TEST_F(StringCalculatorTest, NestingIsBoundedWithAPositionedFault) {
    const size_t limit = TStringCalculator::kMaxNesting;
    EXPECT_EQ(calc_.Evaluate(Repeat("(", limit) + "7" + Repeat(")", limit)), 7.0L);
    EXPECT_EQ(calc_.Evaluate(Repeat("sin(", limit) + ")" + Repeat(")", limit - 1)), 0.0L);
    EXPECT_EQ(FaultOf(Repeat("abs(", limit + 1) + "1" + Repeat(")", limit + 1)),
              "Too Many Nested Parentheses (" + std::to_string(4 * limit + 4) + ",1)");
    EXPECT_EQ(FaultOf(Repeat("(", 200000) + Repeat(")", 200000)), "Too Many Nested Parentheses (257,1)");
    EXPECT_EQ(FaultOf(Repeat("(", 200000)), "Matching Parenthesis Missing (2,1)");
    // A fault deep inside leaves nothing behind for the next expression.
    EXPECT_EQ(calc_.Evaluate("1+2"), 3.0L);
}

TEST_F(StringCalculatorTest, LongChainsFoldInLinearTime) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(calc_.Evaluate(Repeat("1+", 100000) + "1"), 100001.0L);
    EXPECT_EQ(calc_.Evaluate(Repeat("2*", 10000) + Repeat("0.5*", 10000) + "3"), 3.0L);
    EXPECT_EQ(calc_.Evaluate(Repeat("1+2*3^1-", 20000) + "0"), 100002.0L);
    EXPECT_EQ(calc_.Evaluate(Repeat("(1)", 50000)), 1.0L);
    EXPECT_EQ(FaultOf(Repeat("a", 100000)), "Syntax Error (1,100000)");
    EXPECT_EQ(FaultOf(Repeat("1", 100000) + "e"), "String Convertion Error (1,100001)");
    EXPECT_EQ(FaultOf(Repeat("1", 100000)), "String Convertion Error (1,100000)");
    EXPECT_NEAR(static_cast<double>(calc_.Evaluate("0." + Repeat("3", 100000))), 1.0 / 3, 1e-15);
    EXPECT_EQ(FaultOf("0x" + Repeat("F", 100000)), "Hexadecimal Number Exceeds 64 Bits (1,100002)");
    EXPECT_EQ(calc_.Evaluate(Repeat("!", 100000) + "0"), 4294967295.0L);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 2.0);
}

TEST_F(StringCalculatorTest, RndDrawsRealsBelowOneAndIntegersBelowItsArgument) {
    std::set<long double> reals;
    std::set<long double> dice;
    for (int i = 0; i < 2000; ++i) {
        const long double r = calc_.Evaluate("rnd(0)");
        EXPECT_GE(r, 0.0L);
        EXPECT_LT(r, 1.0L);
        reals.insert(r);
        const long double d = calc_.Evaluate("rnd(6.9)");
        EXPECT_EQ(d, static_cast<long double>(static_cast<int>(d)));
        dice.insert(d);
    }
    EXPECT_GT(reals.size(), 1900u);
    EXPECT_EQ(dice, (std::set<long double>{0, 1, 2, 3, 4, 5}));
}

TEST_F(StringCalculatorTest, TheArgumentIsEvaluatedBeforeTheFunctionNameIsLookedUp) {
    EXPECT_EQ(FaultOf("SIN(1+)"), "Syntax Error (6,2)");
    EXPECT_EQ(FaultOf("SIN(1/0)"), "Division by Zero (6,1)");
    EXPECT_EQ(FaultOf("SIN(1)"), "Undefined Function: SIN (1,3)");
}

TEST_F(StringCalculatorTest, FunctionFaultsPointAtTheName) {
    EXPECT_EQ(FaultOf("1 + sqrt(-4)"), "Invalid Floating Point Operation (5,4)");
    EXPECT_EQ(FaultOf("2*exp (99999)"), "Floating Point Overflow (3,3)");
    EXPECT_EQ(FaultOf("x-log10(x)"), "Division by Zero (3,5)");
}

TEST_F(StringCalculatorTest, TheLocaleDecimalSeparatorStartsAndContinuesNumbers) {
    TFixedLocale comma(',');
    SetAppLocale(&comma);
    EXPECT_EQ(calc_.Evaluate(",5+1,25"), 1.75L);
    EXPECT_EQ(FaultOf("1,2,3"), "String Convertion Error (1,5)");
    EXPECT_EQ(FaultOf("0.5"), "Missing Operator (1,2)");
}
