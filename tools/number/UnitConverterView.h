#pragma once
#include <string>

#include "core/KoLib.h"

// What the Unit Converter window shows apart from the platform.

// "%.*f" of the value in lower case; trimming blanks the trailing zeros (and then a trailing point) of a fixed
// text so that right-aligned values stay aligned. A text with an exponent is never trimmed.
std::string FormatQuantity(long double value, int precision, bool trimTrailingZeros, char decimalSeparator);

// The fixed colour of a character of the input line; marked characters are also bold and underlined.
TColor UnitInputColor(char c, char decimalSeparator, bool& marked);
