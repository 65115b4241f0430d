// The expressions of expressions.tsv, whose values were worked out apart from the evaluator (make_expressions.py).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Locale.h"
#include "tools/number/StringCalculator.h"

namespace {

struct TRow {
    int line;
    std::string expression;
    std::string context;
    std::string expected;
    std::string errorPos;
    std::string errorLen;
    std::string tolerance;
};

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
        } else if (text[i + 1] == 't') {
            out += '\t';
            ++i;
        } else if (text[i + 1] == 'x' && i + 3 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i + 1];
            ++i;
        }
    }
    return out;
}

std::vector<TRow> LoadRows() {
    std::ifstream file(DD_SOURCE_DIR "/tests/unit/tools/number/expressions.tsv", std::ios::binary);
    std::vector<TRow> rows;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cells;
        std::stringstream cellStream(line);
        for (std::string cell; std::getline(cellStream, cell, '\t');)
            cells.push_back(cell);
        cells.resize(6);
        rows.push_back({number, Unescape(cells[0]), cells[1], cells[2], cells[3], cells[4], cells[5]});
    }
    return rows;
}

long double ParseReal(const std::string& text) {
    return std::strtold(text.c_str(), nullptr);
}

// Sets up the calculator and the locale from a context cell such as "X=2 $rate=2 sep=,".
class TContext {
  public:
    TContext(const std::string& context, TStringCalculator& calc) {
        std::stringstream words(context);
        for (std::string word; words >> word;) {
            if (word == "-")
                continue;
            if (word == "$") {
                calc.Variables = &variables_;
                continue;
            }
            const size_t eq = word.find('=');
            const std::string key = word.substr(0, eq);
            const std::string value = word.substr(eq + 1);
            if (key == "sep") {
                locale_ = std::make_unique<TFixedLocale>(value[0]);
                SetAppLocale(locale_.get());
            } else if (key[0] == '$') {
                variables_.Add(key.substr(1), ParseReal(value));
                calc.Variables = &variables_;
            } else {
                long double& field = key == "X" ? calc.X : key == "Y" ? calc.Y : key == "Z" ? calc.Z : calc.LastResult;
                field = ParseReal(value);
            }
        }
    }
    ~TContext() {
        if (locale_)
            SetAppLocale(nullptr);
    }

  private:
    TNamedVariables variables_;
    std::unique_ptr<TFixedLocale> locale_;
};

}  // namespace

TEST(StringCalculatorTable, EveryExpressionGivesItsIndependentlyComputedValueOrFault) {
    const std::vector<TRow> rows = LoadRows();
    ASSERT_GE(rows.size(), 200u) << "expressions.tsv missing or short";
    TFixedLocale dot('.');
    SetAppLocale(&dot);
    for (const TRow& row : rows) {
        SCOPED_TRACE("expressions.tsv line " + std::to_string(row.line) + ": \"" + row.expression + "\"");
        TStringCalculator calc;
        TContext context(row.context, calc);
        const bool expectError = !row.errorPos.empty();
        try {
            const long double got = calc.Evaluate(row.expression);
            if (expectError) {
                ADD_FAILURE() << "expected \"" << row.expected << "\", got " << static_cast<double>(got);
                continue;
            }
            const long double expected = ParseReal(row.expected);
            const long double tolerance = ParseReal(row.tolerance);
            EXPECT_LE(std::fabs(got - expected), tolerance * std::fabs(expected))
                << "got " << std::to_string(got) << " (" << static_cast<double>(got) << "), expected " << row.expected;
            EXPECT_EQ(calc.LastResult, got);
        } catch (const ECalcStrSyntaxError& e) {
            if (!expectError) {
                ADD_FAILURE() << "unexpected fault \"" << e.what() << "\" (" << e.ErrorPos << "," << e.ErrorLen << ")";
                continue;
            }
            EXPECT_EQ(e.what(), row.expected);
            EXPECT_EQ(e.ErrorPos, std::stoi(row.errorPos));
            EXPECT_EQ(e.ErrorLen, std::stoi(row.errorLen));
        }
    }
    SetAppLocale(nullptr);
}
