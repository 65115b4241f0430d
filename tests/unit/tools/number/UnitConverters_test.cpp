#include "tools/number/UnitConverters.h"

#include <unistd.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/Locale.h"
#include "core/PrivateProfile.h"
#include "tools/number/StringCalculator.h"
#include "tools/number/UnitInterpretation.h"

namespace fs = std::filesystem;
namespace uc = unitcolors;

namespace {

class UnitConverterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("dd_units_" + std::to_string(getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        SetAppLocale(nullptr);
        std::error_code error;
        fs::remove_all(dir_, error);
    }
    std::string Put(const std::string& name, const std::string& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    void PutLength() {
        Put("Length.ini", "[Meter]\r\nFrom=X\r\nPrefix=m\r\n[Kilometer]\r\nFrom=X*1000\r\nPrefix=km\r\n");
    }
    void Load() { LoadDefinitions(units_, dir_.string(), profile_); }
    std::vector<TInterpretLine> Interpret(const std::string& text, bool verbose = false) {
        return InterpretInput(units_, calculator_, text, verbose);
    }
    TUnitConverterStr& Str(int index) { return dynamic_cast<TUnitConverterStr&>(units_.Item(index)); }

    fs::path dir_;
    TPortableProfile profile_;
    TUnitConverterManager units_;
    TStringCalculator calculator_;
};

// Compact views of the lines: "H|text|colour", "R|text|colour", "=source>target:value|colour".
std::string Describe(const TInterpretLine& line) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "%06X", line.color);
    switch (line.kind) {
        case TInterpretLine::Kind::Header:
            return "H|" + line.text + "|" + colour;
        case TInterpretLine::Kind::Report:
            return "R|" + line.text + "|" + colour;
        case TInterpretLine::Kind::Result: {
            char value[64];
            std::snprintf(value, sizeof value, "%.10Lg", line.value);
            return "=" + line.source->Name() + ">" + line.target->Name() + ":" + value + "|" + colour;
        }
    }
    return {};
}

std::vector<std::string> Describe(const std::vector<TInterpretLine>& lines) {
    std::vector<std::string> out;
    for (const TInterpretLine& line : lines)
        out.push_back(Describe(line));
    return out;
}

using Lines = std::vector<std::string>;

// Colours as the list receives them (red in the lowest byte), so #800080 stays 800080 and #0047AB is AB4700.
TEST(InvertExpression, SwapsOperatorsAfterTheFirstCharacterButKeepsExponentSigns) {
    EXPECT_EQ(InvertExpression("X*1000"), "X/1000");
    EXPECT_EQ(InvertExpression("X/3*2"), "X*3/2");
    EXPECT_EQ(InvertExpression("X+273.15"), "X-273.15");
    EXPECT_EQ(InvertExpression("X*1E-3"), "X/1E-3");
    EXPECT_EQ(InvertExpression("X+1E-3"), "X-1E-3");
    EXPECT_EQ(InvertExpression("X*2e+5-1"), "X/2e+5+1");
    EXPECT_EQ(InvertExpression("-X"), "-X");
    EXPECT_EQ(InvertExpression(""), "");
}

TEST(SiPrefixes, AreFoundByExactCharacter) {
    ASSERT_NE(FindSiPrefix('k'), nullptr);
    EXPECT_EQ(FindSiPrefix('k')->Power, 3);
    EXPECT_EQ(FindSiPrefix('K'), nullptr);
    EXPECT_STREQ(FindSiPrefix('D')->Name, "deca");
    EXPECT_EQ(FindSiPrefix('d')->Power, -1);
    EXPECT_EQ(FindSiPrefix('\xB5')->Power, -6);
    EXPECT_EQ(FindSiPrefix('x'), nullptr);
}

TEST_F(UnitConverterTest, LoadFromIniReadsOneUnitPerSectionInFileOrder) {
    const std::string path = Put("Temperature.ini",
                                 "[Kelvin]\r\n"
                                 "[Celsius]\r\nFrom=X+273.15\r\nPrefix=C,degC,,deg C\r\n"
                                 "[Fahrenheit]\r\nFrom=(X-32)*5/9+273.15\r\nInto=(X-273.15)*9/5+32\r\nPrefix= F\r\n");
    EXPECT_EQ(units_.LoadFromIni(path, profile_), 3);
    ASSERT_EQ(units_.Count(), 3);
    EXPECT_EQ(Str(0).Name(), "Kelvin");
    EXPECT_EQ(Str(0).Group(), "Temperature");
    EXPECT_EQ(Str(0).FromExpr(), "X");
    EXPECT_EQ(Str(0).IntoExpr(), "X");
    EXPECT_EQ(Str(0).AliasCount(), 0);
    EXPECT_EQ(Str(1).IntoExpr(), "X-273.15");
    // Pieces are used as they are, empty ones and blanks included.
    EXPECT_EQ(Str(1).Aliases(), (std::vector<std::string>{"C", "degC", "", "deg C"}));
    EXPECT_EQ(Str(2).IntoExpr(), "(X-273.15)*9/5+32");
    EXPECT_EQ(Str(2).Aliases(), (std::vector<std::string>{"F"}));  // the reader trims the value
    EXPECT_NEAR(static_cast<double>(Str(2).ToBase(212)), 373.15, 1e-12);
    EXPECT_NEAR(static_cast<double>(Str(2).FromBase(273.15L)), 32, 1e-12);
    // A second load appends.
    EXPECT_EQ(units_.LoadFromIni(path, profile_), 3);
    EXPECT_EQ(units_.Count(), 6);
}

TEST_F(UnitConverterTest, UnreadableDefinitionFilesAddNothing) {
    EXPECT_EQ(units_.LoadFromIni((dir_ / "missing.ini").string(), profile_), 0);
    EXPECT_EQ(units_.LoadFromIni(Put("junk.ini", std::string("\x00\xFF no sections\r\n=\r\n", 20)), profile_), 0);
    EXPECT_EQ(units_.Count(), 0);
}

TEST_F(UnitConverterTest, IntoSetterDerivesTheInverseOnlyWhenEmpty) {
    TUnitConverterStr unit("Gram", "Mass");
    unit.SetIntoExpr("");
    EXPECT_EQ(unit.IntoExpr(), "");  // no "From" to invert yet
    unit.SetFromExpr("X/1000");
    unit.SetIntoExpr("");
    EXPECT_EQ(unit.IntoExpr(), "X*1000");
    unit.SetIntoExpr("X*999");
    EXPECT_EQ(unit.IntoExpr(), "X*999");
}

TEST_F(UnitConverterTest, NamesAndAliasesMatchWithoutCaseForAsciiLettersOnly) {
    TUnitConverterStr unit("Meter", "Length");
    unit.SetAliases("m,\xB5m2,metre");
    EXPECT_TRUE(unit.Matches("METER"));
    EXPECT_TRUE(unit.Matches("M"));
    EXPECT_TRUE(unit.Matches("Metre"));
    EXPECT_TRUE(unit.Matches("\xB5M2"));
    EXPECT_FALSE(unit.Matches("meters"));
    TUnitConverterStr accented("\xE9t\xE9", "Time");
    EXPECT_FALSE(accented.Matches("\xC9T\xC9"));
}

TEST_F(UnitConverterTest, ConversionAcrossGroupsRaisesTheMismatchMessage) {
    TUnitConverterStr metre("Meter", "Length");
    metre.SetFromExpr("X");
    metre.SetIntoExpr("");
    TUnitConverterStr mile("Mile", "LENGTH");
    mile.SetFromExpr("X*1609.344");
    mile.SetIntoExpr("");
    TUnitConverterCurr euro("EUR", "Currency", 7.46L);
    EXPECT_NEAR(static_cast<double>(mile.ConvertTo(metre, 2)), 3218.688, 1e-9);  // groups compare without case
    EXPECT_NEAR(static_cast<double>(metre.ConvertFrom(mile, 2)), 3218.688, 1e-9);
    try {
        metre.ConvertTo(euro, 1);
        FAIL() << "no error";
    } catch (const EUnitConverterError& error) {
        EXPECT_STREQ(error.what(),
                     "Unit converter group mismatch.\r\nMeter (Length) cannot be converted into EUR (Currency).");
    }
    try {
        euro.ConvertFrom(mile, 1);
        FAIL() << "no error";
    } catch (const EUnitConverterError& error) {
        EXPECT_STREQ(error.what(),
                     "Unit converter group mismatch.\r\nEUR (Currency) cannot be converted into Mile (LENGTH).");
    }
}

TEST_F(UnitConverterTest, AFaultyExpressionRaisesTheEvaluatorsFaultOnConversion) {
    Put("Broken.ini", "[Base]\r\n[Bad]\r\nFrom=X*(2\r\n");
    Load();
    EXPECT_THROW(Interpret("1 Bad"), ECalcStrSyntaxError);
    EXPECT_THROW(Interpret("1 Base"), ECalcStrSyntaxError);  // its group holds the faulty unit
    // Appended as they come, the lines before the fault stay.
    std::vector<TInterpretLine> lines;
    EXPECT_THROW(InterpretInput(units_, calculator_, "1 Base", false, lines), ECalcStrSyntaxError);
    EXPECT_EQ(Describe(lines), (Lines{"H|Base (Broken)|008000", "=Base>Base:1|800080"}));
}

TEST_F(UnitConverterTest, LoadDefinitionsStartsOverAndAppendsTheCurrenciesAfterTheFiles) {
    PutLength();
    Put("mass.INI", "[Gram]\r\n");
    Put("notes.txt", "[Ignored]\r\n");
    fs::create_directories(dir_ / "sub.ini");
    EXPECT_EQ(LoadDefinitions(units_, dir_.string(), profile_), 2);
    EXPECT_EQ(LoadDefinitions(units_, dir_.string(), profile_), 2);
    ASSERT_EQ(units_.Count(), 7);
    EXPECT_EQ(units_.Item(0).Group(), "Length");
    EXPECT_EQ(units_.Item(2).Group(), "mass");
    std::vector<std::string> currencies;
    for (int i = 3; i < 7; ++i) {
        auto& currency = dynamic_cast<TUnitConverterCurr&>(units_.Item(i));
        EXPECT_EQ(currency.Group(), "Currency 15.11.07");
        currencies.push_back(currency.Name() + "=" + currency.Alias(0));
    }
    EXPECT_EQ(currencies, (std::vector<std::string>{"DKK=kr", "USD=$", "EUR=\x80", "GBP=\xA3"}));
}

TEST_F(UnitConverterTest, AFolderWithoutDefinitionFilesGivesNoUnitsAtAll) {
    PutLength();
    Load();
    fs::remove(dir_ / "Length.ini");
    EXPECT_EQ(LoadDefinitions(units_, dir_.string(), profile_), 0);
    EXPECT_EQ(units_.Count(), 0);
    EXPECT_EQ(Describe(Interpret("100 USD")), (Lines{"R|No matches were found for the unit \"USD\".|0000FF"}));
    EXPECT_EQ(LoadDefinitions(units_, (dir_ / "absent").string(), profile_), 0);
}

TEST_F(UnitConverterTest, CurrenciesConvertThroughTheirRates) {
    PutLength();
    Load();
    EXPECT_EQ(Describe(Interpret("100 USD")), (Lines{
                                                  "H|USD (Currency 15.11.07)|008000",
                                                  "=USD>DKK:686.67|E00000",
                                                  "=USD>USD:100|800080",
                                                  "=USD>EUR:92.04691689|E00000",
                                                  "=USD>GBP:66.05772006|E00000",
                                              }));
    EXPECT_EQ(Describe(Interpret("2 \xA3")).size(), 5u);
}

TEST_F(UnitConverterTest, AnExactMatchAndAPrefixMatchBothListTheGroup) {
    PutLength();
    Load();
    EXPECT_EQ(Describe(Interpret("23 km")), (Lines{
                                                "H|Kilometer (Length)|008000",
                                                "=Kilometer>Meter:23000|408000",
                                                "=Kilometer>Kilometer:23|800080",
                                                "H|Meter (Length)|800080",
                                                "R|Using SI prefix kilo (k) (10 ^ 3)|8E7D56",
                                                "=Meter>Meter:23000|800080",
                                                "=Meter>Kilometer:23|E00000",
                                            }));
}

TEST_F(UnitConverterTest, APluralMatchesThroughTheSecondStep) {
    PutLength();
    Load();
    EXPECT_EQ(Describe(Interpret("23 kilometers")), (Lines{
                                                        "H|Kilometer (Length)|AB4700",
                                                        "=Kilometer>Meter:23000|408000",
                                                        "=Kilometer>Kilometer:23|800080",
                                                    }));
    // A prefixed plural: kms is the plural of km and kilo- of the plural of m.
    EXPECT_EQ(Describe(Interpret("2 kms")), (Lines{
                                                "H|Kilometer (Length)|AB4700",
                                                "=Kilometer>Meter:2000|408000",
                                                "=Kilometer>Kilometer:2|800080",
                                                "H|Meter (Length)|4763FF",
                                                "R|Using SI prefix kilo (k) (10 ^ 3)|8E7D56",
                                                "=Meter>Meter:2000|800080",
                                                "=Meter>Kilometer:2|E00000",
                                            }));
}

TEST_F(UnitConverterTest, OneUnitTextCanNameSeveralUnits) {
    Put("Mixed.ini", "[s]\r\n[m]\r\nFrom=X*60\r\n[ms]\r\nFrom=X/1000\r\n");
    Load();
    const Lines lines = Describe(Interpret("5 ms"));
    Lines headers;
    for (const std::string& line : lines)
        if (line[0] == 'H' || line[0] == 'R')
            headers.push_back(line);
    EXPECT_EQ(headers, (Lines{"H|ms (Mixed)|008000", "H|m (Mixed)|AB4700", "H|s (Mixed)|800080",
                              "R|Using SI prefix milli (m) (10 ^ -3)|8E7D56"}));
    // milli- of s: 0.005 s, shown for every unit of the group.
    EXPECT_EQ(lines.back(), "=s>ms:5|E00000");
    EXPECT_EQ(lines[lines.size() - 3], "=s>s:0.005|800080");
}

TEST_F(UnitConverterTest, UnitTextsIgnoreCaseButPrefixCharactersDoNot) {
    PutLength();
    Load();
    const Lines upper = Describe(Interpret("1 KM"));
    ASSERT_EQ(upper.size(), 3u);
    EXPECT_EQ(upper[0], "H|Kilometer (Length)|008000");
    EXPECT_EQ(Describe(Interpret("1 Km")).size(), 3u);  // K is no prefix, so "m" is not tried
    const Lines micro = Describe(Interpret("4 \xB5m"));
    ASSERT_EQ(micro.size(), 4u);
    EXPECT_EQ(micro[1], "R|Using SI prefix micro (\xB5) (10 ^ -6)|8E7D56");
    EXPECT_EQ(micro[2], "=Meter>Meter:4e-06|800080");
}

TEST_F(UnitConverterTest, InputWithoutValueOrUnitIsRejected) {
    PutLength();
    Load();
    const Lines error{"R|Error in entered input. Check value and unit again.|0000FF"};
    EXPECT_EQ(Describe(Interpret("23")), error);
    EXPECT_EQ(Describe(Interpret("km")), error);
    EXPECT_EQ(Describe(Interpret("  ")), error);
    EXPECT_EQ(Describe(Interpret("")), error);
    EXPECT_EQ(Describe(Interpret("23 ", true)), error);  // no verbose line either
}

TEST_F(UnitConverterTest, TheValueIsAnExpressionEndedByTheFirstOtherCharacter) {
    PutLength();
    Load();
    EXPECT_EQ(Describe(Interpret("2*3+1e3 m", true))[0], "R|Input Interpretation: \"2*3+1e3\" for unit \"m\"|800080");
    EXPECT_EQ(Describe(Interpret("2*3+1e3 m"))[1], "=Meter>Meter:1006|800080");
    // An "e" not followed by a value character starts the unit; a bracket ends the value.
    EXPECT_EQ(Describe(Interpret("1 em", true))[0], "R|Input Interpretation: \"1\" for unit \"em\"|800080");
    EXPECT_EQ(Describe(Interpret("2(3) m", true))[0], "R|Input Interpretation: \"2\" for unit \"(3) m\"|800080");
    EXPECT_THROW(Interpret("2+ m"), ECalcStrSyntaxError);
}

TEST_F(UnitConverterTest, TheLocalesDecimalSeparatorBelongsToTheValue) {
    PutLength();
    Load();
    const TFixedLocale commaLocale(',', '.');
    SetAppLocale(&commaLocale);
    const Lines comma = Describe(Interpret("1,5 km", true));
    const Lines dot = Describe(Interpret("1.5 km", true));
    SetAppLocale(nullptr);
    EXPECT_EQ(comma[0], "R|Input Interpretation: \"1,5\" for unit \"km\"|800080");
    EXPECT_EQ(comma[2], "=Kilometer>Meter:1500|408000");
    EXPECT_EQ(dot[0], "R|Input Interpretation: \"1\" for unit \".5 km\"|800080");
}

TEST_F(UnitConverterTest, AnUnknownUnitEndsWithTheNoMatchesLine) {
    PutLength();
    Load();
    EXPECT_EQ(Describe(Interpret("3 parsecs", true)), (Lines{
                                                          "R|Input Interpretation: \"3\" for unit \"parsecs\"|800080",
                                                          "R|No matches were found for the unit \"parsecs\".|0000FF",
                                                      }));
}

}  // namespace
