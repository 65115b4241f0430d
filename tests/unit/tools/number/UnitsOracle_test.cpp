// The shipped unit definitions against GNU units: every unit, converted into its group's base unit, must agree
// with what `units` says for the same amount. The test command installs GNU units, so a missing program fails.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/PrivateProfile.h"
#include "tests/unit/TempFileTest.h"
#include "tools/number/UnitConverters.h"
#include "tools/number/UnitInterpretation.h"

namespace {

class ShippedUnits : public TTempFileTest {
  protected:
    void SetUp() override {
        TTempFileTest::SetUp();
        LoadDefinitions(units_, DD_SOURCE_DIR "/data/converter", profile_);
        for (int i = 0; i < units_.Count(); ++i) {
            if (auto* unit = dynamic_cast<TUnitConverterStr*>(&units_.Item(i)))  // the currencies have no peer
                shipped_.push_back(unit);
        }
        // "Group<tab>Unit<tab>GNU units expression", "{}" standing for the amount.
        std::ifstream in(DD_SOURCE_DIR "/tests/unit/tools/number/units_oracle_map.tsv", std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line[0] != '#')
                map_[line.substr(0, line.rfind('\t'))] = line.substr(line.rfind('\t') + 1);
        }
    }
    static std::string Key(const TUnitConverter& unit) { return unit.Group() + "\t" + unit.Name(); }
    TUnitConverterStr* BaseOf(const TUnitConverter& unit) const {
        for (TUnitConverterStr* base : shipped_) {
            if (base->IsBaseUnit() && base->SameGroup(unit))
                return base;
        }
        return nullptr;
    }

    TPortableProfile profile_;
    TUnitConverterManager units_;
    std::vector<TUnitConverterStr*> shipped_;
    std::map<std::string, std::string> map_;
};

TEST_F(ShippedUnits, ConvertBackToTheAmountTheyStartedFromAndHaveNoStrayBlanksInTheirAliases) {
    for (TUnitConverterStr* unit : shipped_) {
        for (const long double amount : {1.0L, 23.5L}) {
            EXPECT_NEAR(static_cast<double>(unit->FromBase(unit->ToBase(amount))), static_cast<double>(amount),
                        1e-15 * static_cast<double>(amount))
                << Key(*unit) << ": From " << unit->FromExpr() << ", Into " << unit->IntoExpr();
        }
        for (const std::string& alias : unit->Aliases())
            EXPECT_TRUE(!alias.empty() && alias.front() != ' ' && alias.back() != ' ') << Key(*unit);
    }
}

TEST_F(ShippedUnits, AgreeWithGnuUnitsAndAreAllInItsMap) {
    std::vector<std::tuple<std::string, std::string, double>> queries;  // have, want, our value
    for (TUnitConverterStr* unit : shipped_) {
        TUnitConverterStr* base = BaseOf(*unit);
        if (!map_.count(Key(*unit)) || !base || !map_.count(Key(*base))) {
            ADD_FAILURE() << "no GNU units expression for " << Key(*unit) << " or its base unit";
            continue;
        }
        for (const char* amount : {"1", "23.5"}) {
            std::string have = map_[Key(*unit)], want = map_[Key(*base)];
            have.replace(have.find("{}"), 2, amount);
            want.replace(want.find("{}"), 2, "1");
            queries.emplace_back(have, want, unit->ConvertTo(*base, std::strtold(amount, nullptr)));
        }
    }
    EXPECT_EQ(map_.size(), shipped_.size()) << "units mapped but not shipped";
    ASSERT_FALSE(queries.empty());

    // One run answers every query in turn, one line each; the first fault puts the rest out of step.
    std::string input;
    for (const auto& [have, want, ours] : queries)
        input += have + "\n" + want + "\n";
    const std::string command = "LC_ALL=C units -t -d max < '" + Write("queries", input) + "' > '" + file_ + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "GNU units is not installed";
    std::stringstream answers(Bytes());
    for (const auto& [have, want, ours] : queries) {
        std::string answer;
        std::getline(answers, answer);
        char* end = nullptr;
        const double value = std::strtod(answer.c_str(), &end);
        ASSERT_TRUE(!answer.empty() && *end == '\0')
            << "units says \"" << answer << "\" for " << have << " -> " << want;
        EXPECT_NEAR(ours, value, 1e-12 * std::fabs(value)) << have << " -> " << want;
    }
}

}  // namespace
