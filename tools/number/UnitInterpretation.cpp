#include "tools/number/UnitInterpretation.h"

#include <memory>
#include <string_view>

#include "core/Format.h"
#include "core/KoLib.h"
#include "core/Locale.h"
#include "core/PrivateProfile.h"
#include "tools/number/StringCalculator.h"
#include "tools/number/UnitConverters.h"

int LoadDefinitions(TUnitConverterManager& units, const std::string& dataFolder) {
    // Each file parsed once: hundreds of single reads cost a noticeable start-up.
    TSnapshotProfile snapshot(SystemProfile());
    return LoadDefinitions(units, dataFolder, snapshot);
}

int LoadDefinitions(TUnitConverterManager& units, const std::string& dataFolder, IPrivateProfile& profile) {
    units.Clear();
    // The private-profile functions want full paths: a bare name is looked for in the system folder.
    std::string folder = dataFolder.empty() ? std::string(".") : dataFolder;
    if (folder.back() != '\\' && folder.back() != '/')
        folder += folder.find('\\') != std::string::npos ? '\\' : '/';
    const std::vector<std::string> files = DefinitionFiles(dataFolder);
    for (const std::string& name : files)
        units.LoadFromIni(folder + name, profile);
    if (!files.empty())
        for (const TBuiltInCurrency& currency : kBuiltInCurrencies) {
            auto unit = std::make_unique<TUnitConverterCurr>(currency.Name, kCurrencyGroup, currency.Hundredths / 100);
            unit->AddAlias(currency.Alias);
            units.Add(std::move(unit));
        }
    return static_cast<int>(files.size());
}

namespace {

bool IsValueChar(unsigned char c, char decimalSeparator) {
    static constexpr std::string_view kValueChars = " &*+-/0123456789:<=>\\^|~\xA4";
    return kValueChars.find(static_cast<char>(c)) != std::string_view::npos ||
           c == static_cast<unsigned char>(decimalSeparator);
}

// Where the value part ends: the first character that cannot belong to a number or an operator, an "E" counting
// as an exponent only when such a character follows it. npos when the whole text is a value.
size_t ValueEnd(const std::string& text, char decimalSeparator) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsValueChar(c, decimalSeparator))
            continue;
        if ((c == 'E' || c == 'e') && i + 1 < text.size() &&
            IsValueChar(static_cast<unsigned char>(text[i + 1]), decimalSeparator))
            continue;
        return i;
    }
    return std::string::npos;
}

long double ScaledByPrefix(long double value, int power) {
    long double scale = 1;
    for (int i = 0; i < (power < 0 ? -power : power); ++i)
        scale *= 10;
    return power < 0 ? value / scale : value * scale;
}

void AddReport(std::vector<TInterpretLine>& lines, TInterpretLine::Kind kind, std::string text, TColor color) {
    TInterpretLine line;
    line.kind = kind;
    line.text = std::move(text);
    line.color = color;
    lines.push_back(std::move(line));
}

// Every unit the text names, each with its whole group; returns the number of result rows added.
int ConversionStep(TUnitConverterManager& units,
                   std::string_view unitText,
                   const TSiPrefix* prefix,
                   TColor headerColor,
                   long double value,
                   std::vector<TInterpretLine>& lines) {
    if (prefix)
        value = ScaledByPrefix(value, prefix->Power);
    int rows = 0;
    for (int i = 0; i < units.Count(); ++i) {
        TUnitConverter& matched = units.Item(i);
        if (!matched.Matches(unitText))
            continue;
        AddReport(lines, TInterpretLine::Kind::Header, matched.Name() + " (" + matched.Group() + ")", headerColor);
        if (prefix)
            AddReport(lines, TInterpretLine::Kind::Report,
                      Format("Using SI prefix %s (%s) (10 ^ %d)",
                             {prefix->Name, std::string_view(&prefix->Char, 1), static_cast<int>(prefix->Power)}),
                      unitcolors::kPrefixLine);
        for (int j = 0; j < units.Count(); ++j) {
            TUnitConverter& target = units.Item(j);
            if (!matched.SameGroup(target))
                continue;
            TInterpretLine row;
            row.kind = TInterpretLine::Kind::Result;
            row.source = &matched;
            row.target = &target;
            row.value = matched.ConvertTo(target, value);
            const auto* str = dynamic_cast<const TUnitConverterStr*>(&target);
            row.color = &target == &matched        ? unitcolors::kSameUnit
                        : str && str->IsBaseUnit() ? unitcolors::kBaseUnit
                                                   : unitcolors::kOtherUnit;
            lines.push_back(std::move(row));
            ++rows;
        }
    }
    return rows;
}

}  // namespace

std::vector<TInterpretLine> InterpretInput(TUnitConverterManager& units,
                                           TStringCalculator& calculator,
                                           const std::string& text,
                                           bool verbose) {
    std::vector<TInterpretLine> lines;
    InterpretInput(units, calculator, text, verbose, lines);
    return lines;
}

void InterpretInput(TUnitConverterManager& units,
                    TStringCalculator& calculator,
                    const std::string& text,
                    bool verbose,
                    std::vector<TInterpretLine>& lines) {
    const char decimalSeparator = AppLocale().DecimalSeparator();
    const size_t split = ValueEnd(text, decimalSeparator);
    const std::string valueText =
        split == std::string::npos ? std::string() : std::string(TrimBlanks(text.substr(0, split)));
    const std::string unit = split == std::string::npos ? std::string() : std::string(TrimBlanks(text.substr(split)));
    if (valueText.empty() || unit.empty()) {
        AddReport(lines, TInterpretLine::Kind::Report, "Error in entered input. Check value and unit again.",
                  unitcolors::kError);
        return;
    }
    if (verbose)
        AddReport(lines, TInterpretLine::Kind::Report,
                  Format("Input Interpretation: \"%s\" for unit \"%s\"", {valueText, unit}), unitcolors::kVerbose);
    const long double value = calculator.Evaluate(valueText);

    const std::string_view u = unit;
    const bool plural = UpperCase1252(u.back()) == 'S';
    const TSiPrefix* prefix = u.size() > 1 ? FindSiPrefix(u.front()) : nullptr;
    int rows = ConversionStep(units, u, nullptr, unitcolors::kExactHeader, value, lines);
    if (u.size() > 1 && plural)
        rows += ConversionStep(units, u.substr(0, u.size() - 1), nullptr, unitcolors::kPluralHeader, value, lines);
    if (prefix) {
        rows += ConversionStep(units, u.substr(1), prefix, unitcolors::kPrefixHeader, value, lines);
        if (u.size() > 2 && plural)
            rows +=
                ConversionStep(units, u.substr(1, u.size() - 2), prefix, unitcolors::kPrefixPluralHeader, value, lines);
    }
    if (rows == 0)
        AddReport(lines, TInterpretLine::Kind::Report, "No matches were found for the unit \"" + unit + "\".",
                  unitcolors::kError);
}
