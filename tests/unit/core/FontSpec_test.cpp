#include "core/FontSpec.h"

#include <gtest/gtest.h>

namespace {

// "face|size|styles", "-" for no size, styles in the order bold, italic, strike-out, underline.
std::string Described(std::string_view text) {
    const TFontSpec f = ParseFontSpec(text);
    return f.faceName + "|" + (f.hasSize ? std::to_string(f.sizePoints) : "-") + "|" + (f.bold ? "b" : "") +
           (f.italic ? "i" : "") + (f.strikeOut ? "s" : "") + (f.underline ? "u" : "");
}

}  // namespace

TEST(FontSpec, TokensAreAFaceASizeAndStyleLettersAndLaterOnesOverrideEarlierOnes) {
    EXPECT_EQ(Described(" ,;\t"), "|-|");
    EXPECT_EQ(Described("Arial\t12,u;s Verdana 9 bi"), "Verdana|9|bisu");
    EXPECT_EQ(Described("\"Times, New; Roman\"10"), "Times, New; Roman|10|");
    EXPECT_EQ(Described("\" Segoe UI \" b"), "Segoe UI|-|b");
    EXPECT_EQ(Described("10 \"Lucida Console"), "Lucida Console|10|");  // the closing quote may be missing
    EXPECT_EQ(Described("\"bi\" \"12\""), "12|-|");                     // a quoted token is always a face
    EXPECT_EQ(Described("bold ixyz"), "|-|bi");  // a style token is short and its first letter counts
    EXPECT_EQ(Described("bolds"), "bolds|-|");
    EXPECT_EQ(Described("-12") + Described("0x10") + Described("1x") + Described("$10"), "|-12||16||8|$10|-|");
    EXPECT_EQ(ParseFontSpec(std::string(40, 'F')).faceName, std::string(31, 'F'));
}
