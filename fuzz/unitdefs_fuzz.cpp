// Arbitrary bytes as a unit definition file: loading takes what sections it finds or nothing, and converting with
// whatever was loaded either gives a number or raises the evaluator's fault.
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/PrivateProfile.h"
#include "fuzz/FuzzSupport.h"
#include "tools/number/StringCalculator.h"
#include "tools/number/UnitConverters.h"
#include "tools/number/UnitInterpretation.h"

namespace {

const std::filesystem::path& FuzzFolder() {
    static const std::filesystem::path folder = [] {
        auto path = FuzzTempPath("dd_unitdefs_fuzz");
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 16384)
        return 0;
    const std::string file = (FuzzFolder() / "Fuzz group.ini").string();
    if (!WriteInputFile(file, data, size))
        return 0;

    TPortableProfile profile;
    TUnitConverterManager units;
    Check(LoadDefinitions(units, FuzzFolder().string(), profile) == 1, "the file was not found");
    Check(units.Count() >= 4, "the currencies are missing");
    const int defined = units.Count() - 4;
    for (int i = 0; i < defined; ++i) {
        auto& unit = dynamic_cast<TUnitConverterStr&>(units.Item(i));
        Check(unit.Group() == "Fuzz group", "wrong group");
        try {
            unit.FromBase(unit.ToBase(23.5L));
        } catch (const ECalcStrSyntaxError&) {
        }
    }
    if (defined > 0) {
        TStringCalculator calculator;
        try {
            InterpretInput(units, calculator, "23 " + units.Item(0).Name(), true);
        } catch (const ECalcStrSyntaxError&) {
        }
    }
    return 0;
}
