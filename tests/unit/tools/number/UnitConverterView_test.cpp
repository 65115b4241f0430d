#include "tools/number/UnitConverterView.h"

#include <gtest/gtest.h>

#include "tools/number/CalculatorModel.h"

namespace {
TEST(UnitQuantities, TrimmingBlanksTrailingZerosAndKeepsTheWidthButNeverTouchesAnExponent) {
    EXPECT_EQ(FormatQuantity(23000, 4, true, '.'), "23000     ");
    EXPECT_EQ(FormatQuantity(0.5L, 4, false, '.'), "0.5000");
    EXPECT_EQ(FormatQuantity(-0.25L, 3, true, '.'), "-0.25 ");
    EXPECT_EQ(FormatQuantity(12, 0, true, '.'), "12");  // no point: nothing is trimmed
    EXPECT_EQ(FormatQuantity(2.5L, 2, true, ','), "2,5 ");
    EXPECT_EQ(FormatQuantity(1.23456789012345678e20L, 2, true, '.'), "1.23456789012345678e+0020");
    for (const long double value : {1e18L, -1e4000L, 123456789012345678e30L})  // the calculator's eighteen digits
        EXPECT_EQ(FormatQuantity(value, 2, true, ','), FormatResult(value, TNumberSystem::Decimal, ','));
}

TEST(UnitInputColours, CharactersOutsideValuesAndUnitsAreMarked) {
    bool marked = true;
    EXPECT_EQ(UnitInputColor('7', '.', marked), 0xFF0000u);
    EXPECT_FALSE(marked);
    EXPECT_EQ(UnitInputColor('#', '.', marked), 0u);
    EXPECT_TRUE(marked);
    EXPECT_EQ(UnitInputColor('.', ',', marked), 0u);  // not this locale's decimal separator
    EXPECT_TRUE(marked);
}
}  // namespace
