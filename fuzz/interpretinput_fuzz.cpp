// Arbitrary text typed into the unit converter: the interpretation either reports lines and rows or raises the
// evaluator's fault; rows only ever pair units of one group.
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "tools/number/StringCalculator.h"
#include "tools/number/UnitConverters.h"
#include "tools/number/UnitInterpretation.h"

namespace {

void AddUnit(TUnitConverterManager& units,
             const char* name,
             const char* group,
             const char* from,
             const char* into,
             const char* prefix) {
    auto unit = std::make_unique<TUnitConverterStr>(name, group);
    unit->SetFromExpr(from);
    unit->SetIntoExpr(into);
    unit->SetAliases(prefix);
    units.Add(std::move(unit));
}

TUnitConverterManager& Units() {
    static TUnitConverterManager* units = [] {
        auto* m = new TUnitConverterManager;
        AddUnit(*m, "Meter", "Length", "X", "", "m,metre");
        AddUnit(*m, "Kilometer", "Length", "X*1000", "", "km");
        AddUnit(*m, "Inch", "Length", "X*254/10000", "", "in,\"");
        AddUnit(*m, "Second", "Time", "X", "", "s");
        AddUnit(*m, "Minute", "time", "X*60", "", "min,m");
        AddUnit(*m, "Kelvin", "Temperature", "X", "", "K");
        AddUnit(*m, "Celsius", "Temperature", "X+27315/100", "X-27315/100",
                "\xB0"
                "C,C");
        AddUnit(*m, "Liters per 100 kilometers", "Fuel", "X", "", "L/100km");
        AddUnit(*m, "Miles per gallon (US)", "Fuel", "3785411784/16093440/X", "3785411784/16093440/X", "mpg");
        AddUnit(*m, "Degree", "Angle", "X*P/180", "", "deg");
        auto usd = std::make_unique<TUnitConverterCurr>("USD", "Currency", 6.8667L);
        usd->AddAlias("$");
        m->Add(std::move(usd));
        return m;
    }();
    return *units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 4096)
        return 0;
    const bool verbose = data[0] & 1;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    TStringCalculator calculator;
    std::vector<TInterpretLine> lines;
    try {
        lines = InterpretInput(Units(), calculator, text, verbose);
    } catch (const ECalcStrSyntaxError&) {
        return 0;
    }
    Check(!lines.empty(), "no output");
    int rows = 0;
    for (const TInterpretLine& line : lines) {
        if (line.kind != TInterpretLine::Kind::Result) {
            Check(!line.text.empty(), "empty report line");
            continue;
        }
        ++rows;
        Check(line.source && line.target, "row without units");
        Check(line.source->SameGroup(*line.target), "row pairs two groups");
    }
    const TInterpretLine& last = lines.back();
    Check(rows > 0 || last.color == unitcolors::kError, "no rows and no error line");
    return 0;
}
