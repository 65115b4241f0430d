#include "tools/number/UnitConverterView.h"

#include "tools/number/CalculatorModel.h"

#include <gtest/gtest.h>

namespace {
TEST(UnitQuantities, TrimmingBlanksTrailingZerosAndKeepsTheWidth) {
    EXPECT_EQ(FormatQuantity(23000, 4, true, '.'), "23000     ");
    EXPECT_EQ(FormatQuantity(0.5L, 4, true, '.'), "0.5   ");
    EXPECT_EQ(FormatQuantity(23000, 4, false, '.'), "23000.0000");
    EXPECT_EQ(FormatQuantity(0.5L, 4, false, '.'), "0.5000");
    EXPECT_EQ(FormatQuantity(12, 0, true, '.'), "12");  // no point: nothing is trimmed
    EXPECT_EQ(FormatQuantity(2.5L, 2, true, ','), "2,5 ");
}

TEST(UnitQuantities, LargeValuesShowTheCalculatorsEighteenDigitsAndAreNeverTrimmed) {
    for (const long double value : {1e18L, 1.23456789012345678e20L, -1e4000L, 123456789012345678e30L})
        EXPECT_EQ(FormatQuantity(value, 2, true, ','), FormatResult(value, TNumberSystem::Decimal, ','));
    EXPECT_EQ(FormatQuantity(1.23456789012345678e20L, 2, true, '.'), "1.23456789012345678e+0020");
    EXPECT_EQ(FormatQuantity(-0.25L, 3, true, '.'), "-0.25 ");
}

TEST(UnitInputColours, EachCharacterHasItsFixedColour) {
    bool marked = true;
    EXPECT_EQ(UnitInputColor('7', '.', marked), 0xFF0000u);
    EXPECT_FALSE(marked);
    EXPECT_EQ(UnitInputColor('k', '.', marked), 0x008000u);
    EXPECT_EQ(UnitInputColor('$', '.', marked), 0x008000u);
    EXPECT_EQ(UnitInputColor(')', '.', marked), 0x808080u);
    EXPECT_EQ(UnitInputColor('.', '.', marked), 0x0000FFu);
    EXPECT_EQ(UnitInputColor('\xA4', '.', marked), 0x0000FFu);
    EXPECT_EQ(UnitInputColor('#', '.', marked), 0u);
    EXPECT_TRUE(marked);
    EXPECT_EQ(UnitInputColor('.', ',', marked), 0u);
    EXPECT_TRUE(marked);
}
}  // namespace
