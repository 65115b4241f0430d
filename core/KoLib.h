#pragma once
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// Small routines shared by every tool. Positions in texts are 1-based; 0 means "not found".

using TColor = uint32_t;  // red in the lowest byte, then green, then blue
using TCharSet = std::bitset<256>;

TCharSet MakeCharSet(std::string_view chars);

// The text-to-integer rule: leading blanks, optional sign, decimal digits or hexadecimal digits after "$", "x",
// "X", "0x" or "0X"; the whole rest must be consumed and the value must fit 32 bits.
bool TryStrToInt(std::string_view text, int32_t& value);
bool TryStrToInt64(std::string_view text, int64_t& value);  // the same in 64 bits
int32_t StrToIntDef(std::string_view text, int32_t fallback);

int Choose(int falseValue, int trueValue, bool condition);
int Clamp(int v, int lo, int hi);
int Wrap(int v, int lo, int hi);

// Tool dates: byte 1 day, byte 2 month, byte 3 year - 2000.
constexpr uint32_t MakeUpdated(int day, int month, int year2000) {
    return static_cast<uint32_t>(day) | static_cast<uint32_t>(month) << 8 | static_cast<uint32_t>(year2000) << 16;
}
// "yy.mm.dd" when shortForm, else the date in the locale's short date format (empty for an invalid date).
std::string FormatVersion(uint32_t updated, bool shortForm);

uint16_t Swap16(uint16_t w);
uint32_t SwapRB(uint32_t c);
uint32_t Swap32(uint32_t d);
// Integers as packets, pages and registry blocks store them, least or most significant byte first.
uint16_t LittleEndian16(const uint8_t* p);
uint32_t LittleEndian32(const uint8_t* p);
uint32_t BigEndian32(const uint8_t* p);
void PutLittleEndian16(uint8_t* p, uint16_t v);
void PutLittleEndian32(uint8_t* p, uint32_t v);

std::string IntToOct(uint32_t v);
uint32_t OctToInt(std::string_view text);
std::string IntToBin(uint32_t v, int minDigits);
uint32_t BinToInt(std::string_view text);
uint64_t BinToInt64(std::string_view text);
std::string IntToRoman(uint16_t v);
int RomanToInt(std::string_view text);

TColor BlendColor(TColor a, TColor b, int amount);
TColor HsvToColor(double hue, double saturation, double value);

// Upper case by the rules of code page 1252.
char UpperCase1252(char c);
std::string UpperCase1252(std::string_view text);
bool IsWordChar1252(char c);
bool SameTextAscii(std::string_view a, std::string_view b);
// Without the characters of code 32 and below at both ends.
std::string_view TrimBlanks(std::string_view text);
// The file's whole contents; false (and nothing) when it cannot be opened. The C library opens files with read and
// write sharing on Windows, so a file another program holds open still reads.
bool ReadFileBytes(const std::string& path, std::string& bytes);

int PosEx(std::string_view text,
          std::string_view subStr,
          int offset = 1,
          bool caseSensitive = false,
          bool wholeWord = false);
int ReplaceAll(std::string& text, std::string_view find, std::string_view replacement);
int PosOfSet(std::string_view text, const TCharSet& charSet, int start);
int CountOfSet(std::string_view text, const TCharSet& charSet, int start);

// The prefix the number tools show before hexadecimal numbers.
std::string& HexDisplayPrefix();

// Sets a flag for the length of a scope.
class TFlagScope {
  public:
    explicit TFlagScope(bool& flag) : flag_(flag), previous_(std::exchange(flag, true)) {}
    ~TFlagScope() { flag_ = previous_; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

  private:
    bool& flag_;
    bool previous_;
};
