#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/KoLib.h"

// The six notations of the number converter and what its window does with them apart from the platform.

// Row order; the index is what "focused_numeral" stores.
enum class TNumeralKind { Hex = 0, Dec = 1, Oct = 2, Bin = 3, Str = 4, Rom = 5 };
constexpr int kNumeralKindCount = 6;
constexpr int kDefaultNumeralValue = 1701601643;  // "kale" in the String row

extern const char kRomanOutOfRange[];  // the Roman row's text for 0 and values above 65535

TNumeralKind NumeralKindAt(int index);  // index 0..5
const char* NumeralTitle(TNumeralKind kind);
const TCharSet& NumeralAllowedChars(TNumeralKind kind);
// The hexadecimal and Roman edits turn what is typed into upper case.
bool NumeralShowsUpperCase(TNumeralKind kind);
// What the edit of this kind holds after `typed` was typed or pasted into it.
std::string NumeralEditText(TNumeralKind kind, std::string_view typed);

struct TNumeralText {
    std::string text;
    bool valid;
};
// The text a row shows for `value`; only the Roman kind has values it cannot show.
TNumeralText FormatNumeral(TNumeralKind kind, uint32_t value);
// True with the value when `text` is valid for the kind; `value` is left alone otherwise.
bool ParseNumeral(TNumeralKind kind, std::string_view text, uint32_t& value);

// Position of the highest set bit plus one; 0 for 0.
int NumeralBitCount(uint32_t value);
// "<title> - <bits> bits"
std::string NumConvertCaption(std::string_view title, uint32_t value);
uint32_t SwapNumeralBytes(uint32_t value);   // F5
uint32_t ComplementNumeral(uint32_t value);  // F6
// Up (step -1) and Down (+1) from the stored row index, wrapping around the six rows.
int StepFocusedNumeral(int index, int step);

// One row: its value, its text and whether the text is valid. The window mirrors Text() into the edit and Valid()
// into the edit's colour (blue valid, red invalid) through the callbacks; it must not report its own text changes
// back as typing.
class TNumeralRow {
  public:
    explicit TNumeralRow(TNumeralKind kind);  // starts at 0 showing the zero text

    TNumeralKind Kind() const { return kind_; }
    uint32_t GetValue() const { return value_; }
    bool Valid() const { return valid_; }
    const std::string& Text() const { return text_; }

    // Shows the formatted value; nothing happens when the value is already `value`.
    void SetValue(uint32_t value);
    // The same, but a row whose text does not show `value` (left invalid or in another spelling) is rewritten
    // even when the value is unchanged.
    void ShowValue(uint32_t value);
    // The user changed the edit to `text`: when valid the value follows, otherwise it stays.
    void ParseText(std::string_view text);

    std::function<void(const TNumeralRow&)> OnTextChanged;
    std::function<void(const TNumeralRow&)> OnValidChanged;

  private:
    void Show(uint32_t value, bool force);
    void SetValid(bool valid);

    TNumeralKind kind_;
    uint32_t value_ = 1;
    bool valid_ = true;
    std::string text_;
};

// The six rows and the change handler that spreads a row's value into the others.
class TNumeralConverter {
  public:
    TNumeralConverter();

    TNumeralRow& Row(int index) { return rows_[static_cast<size_t>(index)]; }
    TNumeralRow& Row(TNumeralKind kind) { return Row(static_cast<int>(kind)); }
    const TNumeralRow& Row(int index) const { return rows_[static_cast<size_t>(index)]; }
    const TNumeralRow& Row(TNumeralKind kind) const { return Row(static_cast<int>(kind)); }

    // The user changed the edit of row `index`; `text` is what the edit now holds.
    void EditChanged(int index, std::string_view text);
    // A value from outside (configuration, F5, F6) put into row `index` and spread from there.
    void Apply(int index, uint32_t value);

    // Kept up to date by the window: while it is visible, the row whose edit has the focus (-1: none) is not
    // rewritten by changes made elsewhere.
    bool visible = false;
    int focusedEdit = -1;

    // After every change, with the value of the changed row (the window's caption follows it).
    std::function<void(uint32_t value)> OnValueChange;

  private:
    void ValueChanged(int index);

    std::array<TNumeralRow, kNumeralKindCount> rows_;
};
