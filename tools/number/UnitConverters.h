#pragma once
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/number/StringCalculator.h"

class IPrivateProfile;

// Raised when two units of different groups are to be converted.
class EUnitConverterError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A unit of some group; every unit converts into its group's base unit and back.
class TUnitConverter {
  public:
    TUnitConverter(std::string name, std::string group);
    virtual ~TUnitConverter() = default;
    TUnitConverter(const TUnitConverter&) = delete;
    TUnitConverter& operator=(const TUnitConverter&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Group() const { return group_; }
    const std::vector<std::string>& Aliases() const { return aliases_; }
    int AliasCount() const { return static_cast<int>(aliases_.size()); }
    const std::string& Alias(int index) const { return aliases_[static_cast<size_t>(index)]; }
    void AddAlias(std::string alias) { aliases_.push_back(std::move(alias)); }

    // The name or any alias, ASCII letters compared without case.
    virtual bool Matches(std::string_view text) const;
    virtual long double ConvertTo(TUnitConverter& target, long double value);
    virtual long double ConvertFrom(TUnitConverter& source, long double value);
    virtual long double ToBase(long double value) = 0;
    virtual long double FromBase(long double value) = 0;

    bool SameGroup(const TUnitConverter& other) const;

  protected:
    std::vector<std::string> aliases_;

  private:
    std::string name_;
    std::string group_;
};

// A unit whose conversions are expressions in X, computed by its own evaluator.
class TUnitConverterStr : public TUnitConverter {
  public:
    TUnitConverterStr(std::string name, std::string group);

    long double ToBase(long double value) override;
    long double FromBase(long double value) override;

    const std::string& FromExpr() const { return fromExpr_; }
    const std::string& IntoExpr() const { return intoExpr_; }
    void SetFromExpr(std::string expression) { fromExpr_ = std::move(expression); }
    // An empty text with a "From" expression stores that expression's inverse.
    void SetIntoExpr(std::string expression);
    // The aliases become the comma-separated pieces of the text.
    void SetAliases(const std::string& prefixText);
    bool IsBaseUnit() const { return fromExpr_ == "X"; }

  private:
    TStringCalculator calculator_;
    std::string fromExpr_;
    std::string intoExpr_;
};

// A currency: Rate is what one unit is worth in the base currency.
class TUnitConverterCurr : public TUnitConverter {
  public:
    TUnitConverterCurr(std::string name, std::string group, long double rate);

    long double ToBase(long double value) override { return value * rate_; }
    long double FromBase(long double value) override { return value / rate_; }
    long double Rate() const { return rate_; }

  private:
    long double rate_;
};

// All units, in the order they were added.
class TUnitConverterManager {
  public:
    TUnitConverterManager() = default;
    TUnitConverterManager(const TUnitConverterManager&) = delete;
    TUnitConverterManager& operator=(const TUnitConverterManager&) = delete;

    int Count() const { return static_cast<int>(units_.size()); }
    TUnitConverter& Item(int index) const { return *units_[static_cast<size_t>(index)]; }
    int Add(std::unique_ptr<TUnitConverter> unit);
    void Clear() { units_.clear(); }
    // One group from a definition file, one unit per section; returns the number of units added.
    int LoadFromIni(const std::string& path);
    int LoadFromIni(const std::string& path, IPrivateProfile& profile);

  private:
    std::vector<std::unique_ptr<TUnitConverter>> units_;
};

// The inverse of a plain chain of "*", "/", "+" and "-": every operator after the first character swapped.
std::string InvertExpression(std::string_view expression);

// The group name of a definition file: its name without folder and extension.
std::string UnitGroupOfFile(std::string_view path);

struct TSiPrefix {
    char Char;
    int8_t Power;
    const char* Name;
};
// The 21 prefixes in search order; "µ" is byte 0xB5.
extern const TSiPrefix kSiPrefixes[21];
// The prefix written with this character (case-sensitive), or null.
const TSiPrefix* FindSiPrefix(char c);

struct TBuiltInCurrency {
    const char* Name;
    const char* Alias;
    long double Hundredths;
};
extern const char kCurrencyGroup[];
extern const TBuiltInCurrency kBuiltInCurrencies[4];
