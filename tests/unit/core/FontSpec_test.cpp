#include "core/FontSpec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Styles(const TFontSpec& f) {
    std::string s;
    if (f.bold)
        s += 'b';
    if (f.italic)
        s += 'i';
    if (f.strikeOut)
        s += 's';
    if (f.underline)
        s += 'u';
    return s;
}

}  // namespace

TEST(FontSpec, EmptyOrSeparatorOnlyTextKeepsTheBaseFont) {
    for (const char* text : {"", " ,;\t", "\"\""}) {
        const TFontSpec f = ParseFontSpec(text);
        EXPECT_EQ(f.faceName, "") << text;
        EXPECT_FALSE(f.hasSize) << text;
        EXPECT_EQ(Styles(f), "") << text;
    }
}

TEST(FontSpec, QuotedFaceAndSize) {
    const TFontSpec f = ParseFontSpec("\"Courier New\" 10");
    EXPECT_EQ(f.faceName, "Courier New");
    EXPECT_TRUE(f.hasSize);
    EXPECT_EQ(f.sizePoints, 10);
    EXPECT_EQ(Styles(f), "");
}

TEST(FontSpec, PlainFaceSizeAndStyles) {
    const TFontSpec f = ParseFontSpec("Verdana 9 bi");
    EXPECT_EQ(f.faceName, "Verdana");
    EXPECT_EQ(f.sizePoints, 9);
    EXPECT_EQ(Styles(f), "bi");
}

TEST(FontSpec, EverySeparatorSplitsTokens) {
    const TFontSpec f = ParseFontSpec("Arial\t12,u;s");
    EXPECT_EQ(f.faceName, "Arial");
    EXPECT_EQ(f.sizePoints, 12);
    EXPECT_EQ(Styles(f), "su");
}

TEST(FontSpec, QuotesHoldSeparatorsAndTheClosingQuoteEndsTheToken) {
    EXPECT_EQ(ParseFontSpec("\"Times, New; Roman\"").faceName, "Times, New; Roman");
    EXPECT_EQ(ParseFontSpec("\" Segoe UI \" b").faceName, "Segoe UI");
    const TFontSpec joined = ParseFontSpec("\"Courier New\"10");
    EXPECT_EQ(joined.faceName, "Courier New");
    EXPECT_EQ(joined.sizePoints, 10);
    const TFontSpec open = ParseFontSpec("10 \"Lucida Console");
    EXPECT_EQ(open.faceName, "Lucida Console");
    EXPECT_EQ(open.sizePoints, 10);
}

TEST(FontSpec, QuotedTokenIsAlwaysAFaceName) {
    const TFontSpec f = ParseFontSpec("\"bi\" \"12\"");
    EXPECT_EQ(f.faceName, "12");
    EXPECT_FALSE(f.hasSize);
    EXPECT_EQ(Styles(f), "");
}

TEST(FontSpec, StyleTokensAreShortAndStartWithALowerCaseStyleLetter) {
    EXPECT_EQ(Styles(ParseFontSpec("bius")), "bisu");
    EXPECT_EQ(Styles(ParseFontSpec("bold")), "b");  // o, l and d are ignored
    EXPECT_EQ(Styles(ParseFontSpec("ixyz")), "i");
    const TFontSpec five = ParseFontSpec("bolds");
    EXPECT_EQ(five.faceName, "bolds");
    EXPECT_EQ(Styles(five), "");
    const TFontSpec upper = ParseFontSpec("Bi");
    EXPECT_EQ(upper.faceName, "Bi");
    EXPECT_EQ(Styles(upper), "");
}

TEST(FontSpec, SizeTokensUseTheIntegerRuleWithFallback8) {
    EXPECT_EQ(ParseFontSpec("-12").sizePoints, -12);
    EXPECT_EQ(ParseFontSpec("0x10").sizePoints, 16);
    EXPECT_EQ(ParseFontSpec("1x").sizePoints, 8);
    EXPECT_EQ(ParseFontSpec("-").sizePoints, 8);
    EXPECT_TRUE(ParseFontSpec("-").hasSize);
    const TFontSpec dollar = ParseFontSpec("$10");
    EXPECT_FALSE(dollar.hasSize);
    EXPECT_EQ(dollar.faceName, "$10");
}

TEST(FontSpec, LaterTokensOverrideEarlierOnes) {
    const TFontSpec f = ParseFontSpec("Arial 9 b Tahoma 11 u");
    EXPECT_EQ(f.faceName, "Tahoma");
    EXPECT_EQ(f.sizePoints, 11);
    EXPECT_EQ(Styles(f), "bu");
}

TEST(FontSpec, FaceNameIsCutTo31Characters) {
    const std::string longName(40, 'F');
    EXPECT_EQ(ParseFontSpec(longName).faceName, std::string(31, 'F'));
    EXPECT_EQ(ParseFontSpec("\"" + longName + "\"").faceName, std::string(31, 'F'));
}
