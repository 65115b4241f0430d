#include "tools/number/UnitConverterView.h"

#include <cmath>

#include "core/Format.h"
#include "core/Locale.h"
#include "tools/number/CalculatorModel.h"
#include "tools/number/UnitInterpretation.h"

std::string FormatQuantity(long double value, int precision, bool trimTrailingZeros, char decimalSeparator) {
    // Format writes the separator it is told; the point test below follows that separator.
    TFixedLocale locale(decimalSeparator, '\0');
    // Past 18 integer digits fixed notation says nothing more: such values get an exponent, with the 18 digits the
    // Calculator shows.
    std::string text = std::fabs(value) < 1e18L ? Format("%.*f", {precision, value}, locale)
                                                : FormatFloatGeneral(value, 18, 4, decimalSeparator);
    for (char& c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (!trimTrailingZeros || text.find(decimalSeparator) == std::string::npos || text.find('e') != std::string::npos)
        return text;
    size_t end = text.size();
    while (end > 0 && text[end - 1] == '0')
        text[--end] = ' ';
    if (end > 0 && text[end - 1] == decimalSeparator)
        text[end - 1] = ' ';
    return text;
}

TColor UnitInputColor(char c, char decimalSeparator, bool& marked) {
    marked = false;
    if ((c >= '0' && c <= '9') || c == ' ' || c == '\t')
        return unitcolors::Rgb(0, 0, 0xFF);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '$')
        return unitcolors::Rgb(0, 0x80, 0);
    if (c == '(' || c == ')')
        return unitcolors::Rgb(0x80, 0x80, 0x80);
    if (c == decimalSeparator || IsOperatorChar(c))
        return unitcolors::Rgb(0xFF, 0, 0);
    marked = true;
    return 0;
}
