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
};

// Fixed settings: "." and ",", ":" between hours and minutes, and the date as yyyy-mm-dd.
class TFixedLocale : public ILocale {
  public:
    TFixedLocale(char decimalSeparator = '.', char thousandSeparator = ',')
        : decimal_(decimalSeparator), thousand_(thousandSeparator) {}
    char DecimalSeparator() const override { return decimal_; }
    char ThousandSeparator() const override { return thousand_; }
    char TimeSeparator() const override { return ':'; }
    std::string FormatShortDate(int year, int month, int day) const override;

  private:
    char decimal_;
    char thousand_;
};

bool IsValidDate(int year, int month, int day);

// The process-wide locale; tests may swap in their own (nullptr restores the system's).
const ILocale& AppLocale();
void SetAppLocale(const ILocale* locale);
