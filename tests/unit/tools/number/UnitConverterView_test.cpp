#include "tools/number/UnitConverterView.h"

#include <gtest/gtest.h>

#include <vector>

TEST(UnitQuantities, TrimmingBlanksTrailingZerosAndKeepsTheWidthButNeverTouchesAnExponent) {
    EXPECT_EQ(FormatQuantity(23000, 4, true, '.'), "23000     ");
    EXPECT_EQ(FormatQuantity(0.5L, 4, false, '.'), "0.5000");
    EXPECT_EQ(FormatQuantity(120, 0, true, '.'), "120");  // no point: nothing is trimmed
    EXPECT_EQ(FormatQuantity(2.5L, 2, true, ','), "2,5 ");
    // From 10^18 on, an exponent and the eighteen digits the calculator shows.
    EXPECT_EQ(FormatQuantity(1.23456789012345678e20L, 2, true, '.'), "1.23456789012345678e+0020");
    EXPECT_EQ(FormatQuantity(1e18L, 2, true, ',') + " " + FormatQuantity(-1e4000L, 2, true, ',') + " " +
                  FormatQuantity(123456789012345678e30L, 2, true, ','),
              "1e+0018 -1e+4000 1,23456789012345678e+0047");
}

TEST(UnitInputColours, CharactersOutsideValuesAndUnitsAreMarked) {
    bool marked[3] = {true, false, false};  // '.' is not the decimal separator of the last one
    const std::vector<TColor> colours = {UnitInputColor('7', '.', marked[0]), UnitInputColor('#', '.', marked[1]),
                                         UnitInputColor('.', ',', marked[2])};
    EXPECT_EQ(colours, (std::vector<TColor>{0xFF0000u, 0, 0}));
    EXPECT_TRUE(!marked[0] && marked[1] && marked[2]);
}
