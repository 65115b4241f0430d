#pragma once
#include <array>
#include <string>

#include "core/KoIni.h"
#include "core/Locale.h"
#include "tools/time/TimeUtils.h"

// What the Date Calculator's three display modes show in its 19 rows; the window draws them.
constexpr int kDateCalcRows = 19;
using TDateCalcTexts = std::array<std::string, kDateCalcRows>;

// Date Stats: a label and a value per row; rows labelled "-" are separators with an empty value.
extern const char* const kStatsLabels[kDateCalcRows];
struct TStatsInput {
    double Date = 0;
    double SavedDate = 0;
    double Now = 0;
    bool Hex = false;
};
TDateCalcTexts StatsValues(const TStatsInput& input, const ILocale& locale, const ITimeZone& zone = SystemTimeZone());
// "Leap Year: true" for a row with a value, else empty: nothing to copy.
std::string StatsCopyText(const TDateCalcTexts& values, int row);

// Time Percentages: how far the year, month, week, day, hour and minute of a moment have gone.
struct TPercentEntry {
    const char* Label;
    int Value;
    double Fraction;  // 0 to 1
};
std::array<TPercentEntry, 6> TimePercentages(double now);

// Countdown Timers: 19 named slots kept in the program's INI file.
struct TCountdownSlot {
    std::string Name;
    std::string DateText;  // as typed
    double Date = 0;       // 0: none
};
class TCountdownSlots {
  public:
    static constexpr int kSavedDateSlot = 18;
    // Key i of the section is slot i: name, a tab, the date text. A date text that no longer reads (another date
    // format since) keeps its slot without a date.
    void Load(TKoIni& ini, const std::string& section, const ILocale& locale);
    // Every slot with a date text; the name may be empty.
    void Save(TKoIni& ini, const std::string& section) const;
    TCountdownSlot& operator[](int index) { return slots_[static_cast<size_t>(index)]; }
    const TCountdownSlot& operator[](int index) const { return slots_[static_cast<size_t>(index)]; }
    // Shift+Up and Shift+Down: false when either index is outside the slots.
    bool Swap(int a, int b);
    // Name and text on the right: the time left until the date, or after it with "-".
    std::string RowText(int index, double now) const;

  private:
    std::array<TCountdownSlot, kDateCalcRows> slots_;
};
