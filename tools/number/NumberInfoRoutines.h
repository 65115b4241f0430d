#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/KoLib.h"

// The queries of the Number Information tool as functions from the number to the output text. Each TInfoLine is
// one addition to the output in one colour and weight; its text may hold "\r\n" for several lines. A number list
// is one TInfoLine, built in one string; the window shows it in rows and pieces (CutIntoPieces).

constexpr TColor kInfoBlack = 0x000000;
constexpr TColor kInfoGray = 0x808080;
constexpr TColor kInfoBlue = 0xFF0000;
constexpr TColor kInfoGreen = 0x008000;
constexpr TColor kInfoRed = 0x0000FF;
constexpr TColor kInfoPurple = 0x800080;
constexpr TColor kInfoViolet = 0xE22B8A;

struct TInfoLine {
    TColor color;
    bool bold;
    std::string text;
    bool list = false;       // a number list "a, b, c, ", which the window may show in several rows
    bool continues = false;  // a later piece of a list cut into rows: the line end before it is a row cut too
    bool operator==(const TInfoLine&) const = default;
};
using TInfoLines = std::vector<TInfoLine>;

// What the error-code query asks of the platform.
class ISystemMessages {
  public:
    virtual ~ISystemMessages() = default;
    // The system message table's text for `code` as the platform gives it (at most 256 characters); empty if none.
    virtual std::string SysErrorMessage(uint32_t code) const = 0;
    // The multimedia layer's text for a wave-out error code; false when it has none.
    virtual bool WaveOutErrorText(uint32_t code, std::string& text) const = 0;
    // Paths of the "*.csv" files directly in the tool's data folder, in directory order.
    virtual std::vector<std::string> ErrorTableFiles() const = 0;
};

constexpr int kNumberInfoQueryCount = 8;
const char* NumberInfoQueryName(int index);
std::string NumberInfoQueryItem(int index);  // the drop-down text "<index> - <name>"

TInfoLines WordsAndBytes(uint32_t n);                                                 // 0
TInfoLines SwapEndians(uint32_t n);                                                   // 1
TInfoLines ErrorCodeMessages(uint32_t n, const ISystemMessages& system);              // 2
TInfoLines IntegerDivisions(uint32_t n);                                              // 3
TInfoLines PrimesByFoundPrimes(uint32_t n);                                           // 4
TInfoLines IsPrimeAnswer(uint32_t n);                                                 // 5
TInfoLines FibonacciNumbers(uint32_t n);                                              // 6
TInfoLines PrimesByTrialDivision(uint32_t n);                                         // 7
TInfoLines RunNumberInfoQuery(int index, uint32_t n, const ISystemMessages& system);  // nothing for other indexes

bool IsPrime(uint32_t n);
// Trailing blanks, control characters and full stops removed.
std::string TrimSystemMessage(std::string_view text);

// (end - start) / frequency in microseconds, and the purple line that reports it.
long double DurationMicroseconds(int64_t start, int64_t end, int64_t frequency);
TInfoLine DurationLine(long double microseconds);

// A list line's text with every line longer than `columns` cut into rows after a ", " separator; continuation rows
// start with the line's leading blanks. Items are never split, so an item longer than a row stays whole. The window
// shows long lists this way because a rich edit control's cost can grow with the square of a paragraph's length.
std::string BreakIntoRows(std::string_view text, size_t columns);
// The lines as the window adds them: list lines of `longList` bytes or more broken into rows (BreakIntoRows) and cut
// at row ends into pieces of at most `pieceBytes` (a longer row stays whole), so that a long list can be shown a few
// pieces at a time; shorter lists stay whole for the output to wrap. Each piece is added as a line of its own, so
// the pieces of a list give its rows back.
TInfoLines CutIntoPieces(const TInfoLines& lines, size_t columns, size_t pieceBytes, size_t longList = 0);
// What a query gives, or, when memory runs out on the way, a red line that says so.
TInfoLines RunGuarded(const std::function<TInfoLines()>& query);

// The Number edit's key filter: the character to keep (lower-case a..f become upper case), or 0 to drop the key.
char FilterNumberKey(char c);
// Whether the Number edit must be rewritten with `value`: it is empty, or its text does not read as `value`.
bool NumberEditNeedsRewrite(std::string_view text, int32_t value);
