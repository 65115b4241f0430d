// The evaluator on any text: a finite result or an ECalcStrSyntaxError whose place lies in the text, nothing else.
// The first byte chooses a variable list (or none) and the decimal separator; the rest is the expression.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Locale.h"
#include "fuzz/FuzzSupport.h"
#include "tools/number/StringCalculator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    static const TFixedLocale dot('.');
    static const TFixedLocale comma(',');
    SetAppLocale(data[0] & 2 ? &comma : &dot);

    TNamedVariables vars;
    vars.Add("a", 1.5L);
    vars.Add("rate", -2);
    vars.Add("FF", 1e300L);
    vars.Add("_", 0);
    vars.Add("a", 7);

    TStringCalculator calc;
    if (data[0] & 1)
        calc.Variables = &vars;
    calc.X = 2.5L;
    calc.Y = -3;
    calc.Z = 1e4000L;
    calc.LastResult = 42;

    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const int32_t length = static_cast<int32_t>(text.size());
    try {
        const long double result = calc.Evaluate(text);
        Check(std::isfinite(result) && calc.LastResult == result, "a result is finite and becomes R");
    } catch (const ECalcStrSyntaxError& e) {
        Check(calc.LastResult == 42 && *e.what() != '\0', "a fault keeps R and has a message");
        const bool unplaced = e.ErrorPos == -1 && e.ErrorLen == -1;
        Check(unplaced || (e.ErrorPos >= 1 && e.ErrorPos <= length + 1 && e.ErrorLen >= 1),
              "a fault's place lies in the text");
    }
    SetAppLocale(nullptr);
    return 0;
}
