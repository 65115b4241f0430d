#pragma once
#include <string>
#include <vector>

#include "core/KoLib.h"

class IPrivateProfile;
class TStringCalculator;
class TUnitConverter;
class TUnitConverterManager;

// Every "*.ini" directly in the folder as one group each, then the built-in currencies (only when a file was
// found). Starts from an empty list; returns the number of definition files read.
int LoadDefinitions(TUnitConverterManager& units, const std::string& dataFolder);
int LoadDefinitions(TUnitConverterManager& units, const std::string& dataFolder, IPrivateProfile& profile);

// The names of the definition files directly in a folder, in the order the platform lists them (platform half).
std::vector<std::string> DefinitionFiles(const std::string& dataFolder);

// One line of the converter's list: a report line, the header of a matched unit, or a converted value.
struct TInterpretLine {
    enum class Kind { Report, Header, Result };
    Kind kind = Kind::Report;
    std::string text;  // empty for results
    TColor color = 0;
    TUnitConverter* source = nullptr;  // results only
    TUnitConverter* target = nullptr;
    long double value = 0;
};

// "23 km" as value and unit: every unit the text names (as it is, as a plural, with an SI prefix, or both) with
// the value converted into each unit of its group. Evaluator faults in the value or in a unit's expressions
// propagate. The value may use the locale's decimal separator.
std::vector<TInterpretLine> InterpretInput(TUnitConverterManager& units,
                                           TStringCalculator& calculator,
                                           const std::string& text,
                                           bool verbose);
// The same, appending to lines as they come: a fault leaves the lines made before it.
void InterpretInput(TUnitConverterManager& units,
                    TStringCalculator& calculator,
                    const std::string& text,
                    bool verbose,
                    std::vector<TInterpretLine>& lines);

// The colours of the converter's lines, red in the lowest byte.
namespace unitcolors {
constexpr TColor Rgb(unsigned r, unsigned g, unsigned b) {
    return static_cast<TColor>(r | g << 8 | b << 16);
}
constexpr TColor kError = Rgb(0xFF, 0x00, 0x00);
constexpr TColor kVerbose = Rgb(0x80, 0x00, 0x80);
constexpr TColor kExactHeader = Rgb(0x00, 0x80, 0x00);
constexpr TColor kPluralHeader = Rgb(0x00, 0x47, 0xAB);
constexpr TColor kPrefixHeader = Rgb(0x80, 0x00, 0x80);
constexpr TColor kPrefixPluralHeader = Rgb(0xFF, 0x63, 0x47);
constexpr TColor kPrefixLine = Rgb(0x56, 0x7D, 0x8E);
constexpr TColor kSameUnit = Rgb(0x80, 0x00, 0x80);
constexpr TColor kBaseUnit = Rgb(0x00, 0x80, 0x40);
constexpr TColor kOtherUnit = Rgb(0x00, 0x00, 0xE0);
}  // namespace unitcolors
