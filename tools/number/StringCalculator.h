#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Named values the evaluator reads as "$name": pairs in insertion order, names compared exactly.
class TNamedVariables {
  public:
    int Count() const { return static_cast<int>(pairs_.size()); }
    const std::string& Names(int index) const { return pairs_[static_cast<size_t>(index)].first; }
    long double Values(int index) const { return pairs_[static_cast<size_t>(index)].second; }
    int IndexOf(std::string_view name) const;
    long double GetValue(std::string_view name) const;  // 0 when absent
    void SetValue(std::string_view name, long double value);
    void Add(std::string_view name, long double value);
    void Clear() { pairs_.clear(); }

  private:
    std::vector<std::pair<std::string, long double>> pairs_;
};

// A fault in an expression. ErrorPos is the 1-based position in the whole expression, ErrorLen the number of
// characters concerned; both are -1 when the fault has no place in the text.
//
// Besides the grammar faults, arithmetic faults are raised with this type too, so that no infinity or NaN ever
// comes out as a result:
//   "Division by Zero"                  "/", ":", "|" or "\" by zero, zero to a negative power, ln/log2/log10 of 0,
//                                       lnxp(-1)
//   "Floating Point Overflow"           a result beyond the extended range
//   "Invalid Floating Point Operation"  sqrt, ln, log2, log10 of a negative number, lnxp below -1, arcsin or arccos
//                                       outside -1..1, a negative number to a non-integral power; also a constant or
//                                       variable that holds an infinity or NaN
//   "Value out of 64-bit Integer Range" an operand of an integer operator or function (or of the prefix "!") that
//                                       does not truncate to a signed 64-bit integer
//   "Hexadecimal Number Exceeds 64 Bits" more than 16 significant hexadecimal digits
//   "Too Many Nested Parentheses"       more than TStringCalculator::kMaxNesting bracket levels
// Their place: the operator character (for an implicit multiplication, the character that starts the right
// operand) or the prefix "!", length 1; a function's name and its length; a literal or name and its length; the
// "(" that opens one level too many, length 1.
class ECalcStrSyntaxError : public std::runtime_error {
  public:
    ECalcStrSyntaxError(const std::string& message, int32_t errorPos, int32_t errorLen)
        : std::runtime_error(message), ErrorPos(errorPos), ErrorLen(errorLen) {}

    int32_t ErrorPos;
    int32_t ErrorLen;
};

// Evaluates one line such as "2(3+4)^2 - sin(P/2)" in 80-bit extended arithmetic.
class TStringCalculator {
  public:
    // Each bracket level is one recursion. Hand-written expressions stay far below this depth; the bound keeps
    // the stack use small on a 1 MB thread stack, even with sanitizer frames.
    static constexpr int kMaxNesting = 256;

    TStringCalculator();

    // The value of the expression; stored in LastResult. Raises ECalcStrSyntaxError, leaving LastResult alone.
    long double Evaluate(std::string_view expression);

    TNamedVariables* Variables = nullptr;  // not owned
    long double LastResult = 0;
    long double X = 0;
    long double Y = 0;
    long double Z = 0;

  private:
    struct TEntry {
        long double value;
        uint8_t op;     // the two-operand operator after this value; 0 = none yet
        int32_t opPos;  // where that operator stands, for arithmetic faults
    };

    void MatchBrackets();
    long double EvaluateLevel(int32_t ofs, int32_t len);
    void Push(long double value);
    long double Fold(int32_t base);

    int32_t top_ = -1;
    std::vector<TEntry> stack_;
    std::string_view text_;
    std::vector<int32_t> closing_;  // per text position of a "(": position of its ")", -1 when none (0-based)
    std::vector<int32_t> opened_;
    char decimalSeparator_ = '.';
    int depth_ = 0;
};
