#include "tools/number/UnitConverters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <tuple>

#include "core/Locale.h"
#include "core/PrivateProfile.h"
#include "tests/unit/TempFileTest.h"
#include "tools/number/StringCalculator.h"
#include "tools/number/UnitInterpretation.h"

namespace {

using Lines = std::vector<std::string>;

// Compact views of the lines: "H|text|colour", "R|text|colour", "=source>target:value|colour", with the colours
// as the list receives them (red in the lowest byte), so #800080 stays 800080 and #0047AB is AB4700.
Lines Describe(const std::vector<TInterpretLine>& lines) {
    Lines out;
    for (const TInterpretLine& line : lines) {
        char text[256];
        if (line.kind == TInterpretLine::Kind::Result) {
            std::snprintf(text, sizeof text, "=%s>%s:%.10Lg|%06X", line.source->Name().c_str(),
                          line.target->Name().c_str(), line.value, line.color);
        } else {
            std::snprintf(text, sizeof text, "%c|%s|%06X", line.kind == TInterpretLine::Kind::Header ? 'H' : 'R',
                          line.text.c_str(), line.color);
        }
        out.push_back(text);
    }
    return out;
}

class UnitConverterTest : public TTempFileTest {
  protected:
    // Loads the folder, by default with only the length units Meter (prefix m) and Kilometer (km).
    void Load(
        const std::string& name = "Length.ini",
        const std::string& bytes = "[Meter]\r\nFrom=X\r\nPrefix=m\r\n[Kilometer]\r\nFrom=X*1000\r\nPrefix=km\r\n") {
        Write(name, bytes);
        LoadDefinitions(units_, dir_.string(), profile_);
    }
    Lines Interpret(const std::string& text, bool verbose = false) {
        return Describe(InterpretInput(units_, calculator_, text, verbose));
    }

    TPortableProfile profile_;
    TUnitConverterManager units_;
    TStringCalculator calculator_;
};

TEST(InvertExpression, SwapsOperatorsAfterTheFirstCharacterButKeepsExponentSigns) {
    using TCase = std::pair<const char*, const char*>;
    const TCase cases[] = {{"X*1000", "X/1000"}, {"X/3*2", "X*3/2"},       {"X+273.15", "X-273.15"},
                           {"X*1E-3", "X/1E-3"}, {"X*2e+5-1", "X/2e+5+1"}, {"-X", "-X"}};
    for (const auto& [expression, inverse] : cases)
        EXPECT_EQ(InvertExpression(expression), inverse);
}

TEST(UnitConverter, NamesAndAliasesMatchWithoutCaseForAsciiLettersOnly) {
    TUnitConverterStr unit("Meter", "Length");
    unit.SetAliases("m,\xB5m2,metre");
    for (const char* text : {"METER", "M", "Metre", "\xB5M2"})
        EXPECT_TRUE(unit.Matches(text)) << text;
    EXPECT_FALSE(unit.Matches("meters"));
    EXPECT_FALSE(TUnitConverterStr("\xE9t\xE9", "Time").Matches("\xC9T\xC9"));
}

TEST(UnitConverter, ConversionWithinAGroupIgnoresCaseAndAcrossGroupsRaisesTheMismatch) {
    TUnitConverterCurr euro("EUR", "Currency", 7.46L);
    TUnitConverterCurr krone("DKK", "CURRENCY", 1);
    TUnitConverterStr mile("Mile", "Length");
    EXPECT_NEAR(static_cast<double>(euro.ConvertTo(krone, 2)), 14.92, 1e-12);
    EXPECT_THROW(euro.ConvertFrom(mile, 1), EUnitConverterError);
}

TEST_F(UnitConverterTest, DefinitionFilesGiveOneUnitPerSectionInFileOrderAndTheCurrenciesFollowWithTheirRates) {
    const std::string path = Write("Temperature.INI",
                                   "[Kelvin]\r\n"
                                   "[Celsius]\r\nFrom=X+273.15\r\nPrefix=C,degC,,deg C\r\n"
                                   "[Fahrenheit]\r\nFrom=(X-32)*5/9+273.15\r\nInto=(X-273.15)*9/5+32\r\nPrefix= F\r\n");
    Write("junk.ini", std::string("\x00\xFF no sections\r\n=\r\n", 20));
    Write("notes.txt", "[Ignored]\r\n");
    std::filesystem::create_directories(dir_ / "sub.ini");
    EXPECT_EQ(units_.LoadFromIni(path, profile_), 3);
    EXPECT_EQ(LoadDefinitions(units_, dir_.string(), profile_), 2);  // starting over
    Lines read;
    for (int i = 0; i < units_.Count(); ++i) {
        const TUnitConverter& unit = units_.Item(i);
        const auto* str = dynamic_cast<const TUnitConverterStr*>(&unit);
        read.push_back(unit.Name() + "(" + unit.Group() + ") " + (str ? str->FromExpr() + " " + str->IntoExpr() : "-") +
                       " [");
        for (const std::string& alias : unit.Aliases())
            read.back() += alias + ";";
    }
    // Pieces are used as they are, empty ones and blanks included; the reader trims the whole value.
    EXPECT_EQ(read, (Lines{"Kelvin(Temperature) X X [", "Celsius(Temperature) X+273.15 X-273.15 [C;degC;;deg C;",
                           "Fahrenheit(Temperature) (X-32)*5/9+273.15 (X-273.15)*9/5+32 [F;",
                           "DKK(Currency 15.11.07) - [kr;", "USD(Currency 15.11.07) - [$;",
                           "EUR(Currency 15.11.07) - [\x80;", "GBP(Currency 15.11.07) - [\xA3;"}));
    EXPECT_EQ(Interpret("100 USD"),
              (Lines{"H|USD (Currency 15.11.07)|008000", "=USD>DKK:686.67|E00000", "=USD>USD:100|800080",
                     "=USD>EUR:92.04691689|E00000", "=USD>GBP:66.05772006|E00000"}));
}

TEST_F(UnitConverterTest, AnExactMatchAPluralAndAPrefixMatchEachListTheGroupAndOnlyLettersIgnoreCase) {
    Load();
    EXPECT_EQ(Interpret("23 km"),
              (Lines{"H|Kilometer (Length)|008000", "=Kilometer>Meter:23000|408000", "=Kilometer>Kilometer:23|800080",
                     "H|Meter (Length)|800080", "R|Using SI prefix kilo (k) (10 ^ 3)|8E7D56",
                     "=Meter>Meter:23000|800080", "=Meter>Kilometer:23|E00000"}));
    EXPECT_EQ(Interpret("23 kilometers")[0], "H|Kilometer (Length)|AB4700");
    EXPECT_EQ(Interpret("1 Km").size(), 3u);  // K is no prefix, so "m" is not tried
    // A prefixed plural: kms is the plural of km and kilo- of the plural of m.
    EXPECT_EQ(Interpret("2 kms")[3], "H|Meter (Length)|4763FF");
}

TEST_F(UnitConverterTest, OneUnitTextCanNameSeveralUnits) {
    Load("Mixed.ini", "[s]\r\n[m]\r\nFrom=X*60\r\n[ms]\r\nFrom=X/1000\r\n");
    const Lines lines = Interpret("5 ms");
    Lines headers;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(headers), [](auto& l) { return l[0] != '='; });
    EXPECT_EQ(headers, (Lines{"H|ms (Mixed)|008000", "H|m (Mixed)|AB4700", "H|s (Mixed)|800080",
                              "R|Using SI prefix milli (m) (10 ^ -3)|8E7D56"}));
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
              (Lines{"=s>s:0.005|800080", "=s>m:8.333333333e-05|E00000", "=s>ms:5|E00000"}));  // milli- of s
}

TEST_F(UnitConverterTest, TheValueIsAnExpressionEndedByTheFirstOtherCharacterAndBothAreNeeded) {
    Load();
    const TFixedLocale commaLocale(',', '.');
    SetAppLocale(&commaLocale);
    // An "e" without a value after it starts the unit; the locale's decimal separator belongs to the value.
    using TCase = std::tuple<const char*, const char*, const char*>;  // input, value, unit
    const TCase cases[] = {{"2*3+1e3 m", "2*3+1e3", "m"}, {"1 em", "1", "em"},      {"2(3) m", "2", "(3) m"},
                           {"1,5 km", "1,5", "km"},       {"1.5 km", "1", ".5 km"}, {"3 parsecs", "3", "parsecs"}};
    for (const auto& [input, value, unit] : cases) {
        EXPECT_EQ(Interpret(input, true)[0],
                  "R|Input Interpretation: \"" + std::string(value) + "\" for unit \"" + unit + "\"|800080");
    }
    EXPECT_EQ(Interpret("1,5 km", true)[2], "=Kilometer>Meter:1500|408000");
    for (const char* input : {"23 ", "km", ""})
        EXPECT_EQ(Interpret(input, true), (Lines{"R|Error in entered input. Check value and unit again.|0000FF"}));
    EXPECT_THROW(Interpret("2+ m"), ECalcStrSyntaxError);
    SetAppLocale(nullptr);
}

}  // namespace
