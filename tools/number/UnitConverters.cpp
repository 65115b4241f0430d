#include "tools/number/UnitConverters.h"

#include <utility>

#include "core/Format.h"
#include "core/KoIni.h"
#include "core/KoLib.h"
#include "core/PrivateProfile.h"
#include "core/StringIterators.h"

const TSiPrefix kSiPrefixes[21] = {
    {'Y', 24, "yotta"},  {'Z', 21, "zetta"}, {'E', 18, "exa"},    {'P', 15, "peta"},     {'T', 12, "tera"},
    {'G', 9, "giga"},    {'M', 6, "mega"},   {'k', 3, "kilo"},    {'h', 2, "hecto"},     {'D', 1, "deca"},
    {'d', -1, "deci"},   {'c', -2, "centi"}, {'m', -3, "milli"},  {'\xB5', -6, "micro"}, {'u', -6, "micro"},
    {'n', -9, "nano"},   {'p', -12, "pico"}, {'f', -15, "femto"}, {'a', -18, "atto"},    {'z', -21, "zepto"},
    {'y', -24, "yocto"},
};

const TSiPrefix* FindSiPrefix(char c) {
    for (const TSiPrefix& prefix : kSiPrefixes)
        if (prefix.Char == c)
            return &prefix;
    return nullptr;
}

const char kCurrencyGroup[] = "Currency 15.11.07";

const TBuiltInCurrency kBuiltInCurrencies[4] = {
    {"DKK", "kr", 100.0L},
    {"USD", "$", 686.67L},
    {"EUR", "\x80", 746.0L},
    {"GBP", "\xA3", 1039.5L},
};

TUnitConverter::TUnitConverter(std::string name, std::string group)
    : name_(std::move(name)), group_(std::move(group)) {}

bool TUnitConverter::Matches(std::string_view text) const {
    if (SameTextAscii(text, name_))
        return true;
    for (const std::string& alias : aliases_)
        if (SameTextAscii(text, alias))
            return true;
    return false;
}

bool TUnitConverter::SameGroup(const TUnitConverter& other) const {
    return SameTextAscii(group_, other.group_);
}

namespace {
[[noreturn]] void RaiseGroupMismatch(const TUnitConverter& from, const TUnitConverter& into) {
    throw EUnitConverterError(Format("Unit converter group mismatch.\r\n%s (%s) cannot be converted into %s (%s).",
                                     {from.Name(), from.Group(), into.Name(), into.Group()}));
}
}  // namespace

long double TUnitConverter::ConvertTo(TUnitConverter& target, long double value) {
    if (!SameGroup(target))
        RaiseGroupMismatch(*this, target);
    return target.FromBase(ToBase(value));
}

long double TUnitConverter::ConvertFrom(TUnitConverter& source, long double value) {
    if (!SameGroup(source))
        RaiseGroupMismatch(*this, source);
    return FromBase(source.ToBase(value));
}

TUnitConverterStr::TUnitConverterStr(std::string name, std::string group)
    : TUnitConverter(std::move(name), std::move(group)) {}

long double TUnitConverterStr::ToBase(long double value) {
    calculator_.X = value;
    return calculator_.Evaluate(fromExpr_);
}

long double TUnitConverterStr::FromBase(long double value) {
    calculator_.X = value;
    return calculator_.Evaluate(intoExpr_);
}

void TUnitConverterStr::SetIntoExpr(std::string expression) {
    intoExpr_ = expression.empty() && !fromExpr_.empty() ? InvertExpression(fromExpr_) : std::move(expression);
}

void TUnitConverterStr::SetAliases(const std::string& prefixText) {
    aliases_.clear();
    TStringIteratorDelimiter pieces(prefixText, ',');
    while (pieces.Remaining() > 0)
        aliases_.push_back(pieces.Next());
}

TUnitConverterCurr::TUnitConverterCurr(std::string name, std::string group, long double rate)
    : TUnitConverter(std::move(name), std::move(group)), rate_(rate) {}

int TUnitConverterManager::Add(std::unique_ptr<TUnitConverter> unit) {
    units_.push_back(std::move(unit));
    return Count() - 1;
}

int TUnitConverterManager::LoadFromIni(const std::string& path) {
    return LoadFromIni(path, SystemProfile());
}

int TUnitConverterManager::LoadFromIni(const std::string& path, IPrivateProfile& profile) {
    TKoIni ini(path, profile);
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    const std::string group = UnitGroupOfFile(path);
    for (const std::string& section : sections) {
        auto unit = std::make_unique<TUnitConverterStr>(section, group);
        unit->SetFromExpr(ini.ReadString(section, "From", "X"));
        unit->SetIntoExpr(ini.ReadString(section, "Into", ""));
        unit->SetAliases(ini.ReadString(section, "Prefix", ""));
        Add(std::move(unit));
    }
    return static_cast<int>(sections.size());
}

std::string InvertExpression(std::string_view expression) {
    std::string inverse(expression);
    for (size_t i = 1; i < inverse.size(); ++i) {
        char& c = inverse[i];
        const bool exponentSign = inverse[i - 1] == 'E' || inverse[i - 1] == 'e';
        if (c == '*')
            c = '/';
        else if (c == '/')
            c = '*';
        else if (c == '+' && !exponentSign)
            c = '-';
        else if (c == '-' && !exponentSign)
            c = '+';
    }
    return inverse;
}

std::string UnitGroupOfFile(std::string_view path) {
    const size_t slash = path.find_last_of("\\/:");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}
