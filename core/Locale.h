#pragma once
#include <string>

// Regional settings the program formats and reads numbers and dates with. Windows asks the system; the native
// build and the tests use fixed values.
class ILocale {
  public:
    virtual ~ILocale() = default;
    virtual char DecimalSeparator() const = 0;
    virtual char ThousandSeparator() const = 0;
    virtual char TimeSeparator() const = 0;
    // The date in the user's short date format; empty when the date is invalid.
    virtual std::string FormatShortDate(int year, int month, int day) const = 0;
    // The order of day, month and year in the short date format: "YMD", "MDY" or "DMY".
    virtual const char* DateOrder() const = 0;
    // dayOfWeek 0 = Sunday ... 6 = Saturday; month 1 to 12.
    virtual std::string LongDayName(int dayOfWeek) const = 0;
    virtual std::string LongMonthName(int month) const = 0;
    virtual std::string ShortMonthName(int month) const = 0;
};

// Fixed settings: "." and ",", ":" between hours and minutes, the date as yyyy-mm-dd, English names.
class TFixedLocale : public ILocale {
  public:
    TFixedLocale(char decimalSeparator = '.', char thousandSeparator = ',')
        : decimal_(decimalSeparator), thousand_(thousandSeparator) {}
    char DecimalSeparator() const override { return decimal_; }
    char ThousandSeparator() const override { return thousand_; }
    char TimeSeparator() const override { return ':'; }
    std::string FormatShortDate(int year, int month, int day) const override;
    const char* DateOrder() const override { return "YMD"; }
    std::string LongDayName(int dayOfWeek) const override;
    std::string LongMonthName(int month) const override;
    std::string ShortMonthName(int month) const override { return LongMonthName(month).substr(0, 3); }

  private:
    char decimal_;
    char thousand_;
};

bool IsValidDate(int year, int month, int day);

// A date and an optional time as a user types them: three numbers in the locale's date order (a first number of
// three or more digits is the year), any of "/-. " between them, then hours[:minutes[:seconds[.milliseconds]]]
// with an optional am or pm. False for anything else or a day the calendar lacks.
bool ParseDateTime(const std::string& text, const ILocale& locale, double& dateTime);

// The process-wide locale; tests may swap in their own (nullptr restores the system's).
const ILocale& AppLocale();
void SetAppLocale(const ILocale* locale);
