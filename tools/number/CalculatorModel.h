#pragma once
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// What the Calculator window does apart from the platform: result texts, the colour class of each character,
// the expression history and the texts of its editing keys.

enum class TNumberSystem { Hexadecimal = 0, Decimal = 1, Octal = 2, Binary = 3 };
extern const char* const kNumberSystemNames[4];

// Raised when a value cannot be shown in the chosen number system.
class EInvalidResult : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Decimal: 18 significant digits, lower case; hexadecimal: 64-bit two's complement after the display prefix;
// octal and binary: 0 to 4294967295. Raises "Invalid %s Value" for a value the system cannot show.
std::string FormatResult(long double value, TNumberSystem system, char decimalSeparator);

enum class TCharClass { Number, Special, Bracket, Function, Other };
// The characters of the evaluator's two-operand operators, "¤" (byte 0xA4) among them.
bool IsOperatorChar(char c);
TCharClass CharClassOf(char c, char decimalSeparator);

// The last 24 distinct expressions, oldest first, and the entry the editor shows (-1: none yet).
class TCalcHistory {
  public:
    static constexpr size_t kMaxEntries = 24;

    const std::vector<std::string>& Entries() const { return entries_; }
    int Index() const { return index_; }
    void Add(const std::string& expression);
    void Clear();
    void Assign(std::vector<std::string> entries);
    // Ctrl+Up and Ctrl+Down; true with the entry to show when the index moved (or was first set).
    bool Back(std::string& entry);
    bool Forward(std::string& entry);

  private:
    std::vector<std::string> entries_;
    int index_ = -1;
};

// A pasted text: up to its first line end, trimmed.
std::string PastedExpression(const std::string& clipboard);
// The start value handed to the Number Converter (F2): the whole part of the result, or nothing when it cannot take it.
std::string NumberConverterArgument(long double result);

// The lines "name<tab, blank or =>value" of the variables editor; lines without a name or a real value are dropped.
std::vector<std::pair<std::string, long double>> ParseVariableLines(const std::string& text, char decimalSeparator);
