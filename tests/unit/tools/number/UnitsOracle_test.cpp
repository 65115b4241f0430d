// The shipped unit definitions against GNU units: every unit, converted into its group's base unit, must agree
// with what `units` says for the same amount.
#include <unistd.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/KoLib.h"
#include "core/PrivateProfile.h"
#include "tools/number/UnitConverters.h"
#include "tools/number/UnitInterpretation.h"

namespace fs = std::filesystem;

namespace {

const std::string kSourceDir = DD_SOURCE_DIR;
constexpr long double kAmounts[] = {1.0L, 23.5L};
constexpr double kTolerance = 1e-12;

// "Group<tab>Unit" -> GNU units expression with "{}" for the amount.
std::map<std::string, std::string> ReadOracleMap() {
    std::map<std::string, std::string> map;
    std::ifstream in(kSourceDir + "/tests/unit/tools/number/units_oracle_map.tsv", std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const size_t tab = line.rfind('\t');
        if (tab != std::string::npos)
            map[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return map;
}

std::string Key(const TUnitConverter& unit) {
    return unit.Group() + "\t" + unit.Name();
}

std::string WithAmount(std::string expression, const std::string& amount) {
    const size_t at = expression.find("{}");
    if (at != std::string::npos)
        expression.replace(at, 2, amount);
    return expression;
}

std::string AmountText(long double amount) {
    return amount == 1.0L ? "1" : "23.5";
}

class ShippedUnits : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadDefinitions(units_, kSourceDir + "/data/converter", profile_);
        for (int i = 0; i < units_.Count(); ++i) {
            auto* unit = dynamic_cast<TUnitConverterStr*>(&units_.Item(i));
            if (!unit)
                continue;  // the built-in currencies have no peer
            shipped_.push_back(unit);
            if (unit->IsBaseUnit())
                bases_[UpperCase1252(unit->Group())].push_back(unit);
        }
    }
    TUnitConverterStr& BaseOf(const TUnitConverter& unit) { return *bases_[UpperCase1252(unit.Group())].at(0); }

    TPortableProfile profile_;
    TUnitConverterManager units_;
    std::vector<TUnitConverterStr*> shipped_;
    std::map<std::string, std::vector<TUnitConverterStr*>> bases_;
};

TEST_F(ShippedUnits, CoverTheGroupsUsersExpectEachWithOneBaseUnit) {
    std::set<std::string> groups;
    for (const TUnitConverterStr* unit : shipped_)
        groups.insert(unit->Group());
    for (const char* expected : {"Length", "Area", "Volume", "Mass", "Time", "Speed", "Temperature", "Pressure",
                                 "Energy", "Power", "Force", "Data storage", "Angle", "Frequency", "Fuel consumption"})
        EXPECT_TRUE(groups.count(expected)) << expected;
    for (const std::string& group : groups)
        EXPECT_EQ(bases_[UpperCase1252(group)].size(), 1u) << group;
}

TEST_F(ShippedUnits, ConvertBackToTheAmountTheyStartedFrom) {
    for (TUnitConverterStr* unit : shipped_) {
        for (const long double amount : kAmounts) {
            long double back = 0;
            try {
                back = unit->FromBase(unit->ToBase(amount));
            } catch (const std::exception& error) {
                ADD_FAILURE() << unit->Name() << ": " << error.what();
                continue;
            }
            EXPECT_NEAR(static_cast<double>(back), static_cast<double>(amount), 1e-15 * static_cast<double>(amount))
                << unit->Name() << " (" << unit->Group() << "): From " << unit->FromExpr() << ", Into "
                << unit->IntoExpr();
        }
    }
}

TEST_F(ShippedUnits, HaveNamesAndAliasesWithoutStrayBlanks) {
    for (const TUnitConverterStr* unit : shipped_)
        for (const std::string& alias : unit->Aliases()) {
            EXPECT_FALSE(alias.empty()) << unit->Name();
            EXPECT_NE(alias.front(), ' ') << unit->Name();
            EXPECT_NE(alias.back(), ' ') << unit->Name();
        }
}

TEST_F(ShippedUnits, AreAllListedInTheOracleMap) {
    std::map<std::string, std::string> map = ReadOracleMap();
    ASSERT_FALSE(map.empty());
    for (const TUnitConverterStr* unit : shipped_)
        EXPECT_EQ(map.erase(Key(*unit)), 1u) << "no GNU units expression for " << Key(*unit);
    for (const auto& [key, expression] : map)
        ADD_FAILURE() << "mapped but not shipped: " << key;
}

bool UnitsProgramPresent() {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (!dir.empty() && access((fs::path(dir) / "units").c_str(), X_OK) == 0)
            return true;
    return false;
}

std::string RunCommand(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[4096];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
            output.append(chunk, n);
        pclose(pipe);
    }
    return output;
}

bool ParseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0';
}

struct TQuery {
    std::string label;
    std::string have;
    std::string want;
    double ours;
};

TEST_F(ShippedUnits, AgreeWithGnuUnits) {
    if (!UnitsProgramPresent())
        GTEST_SKIP() << "the units program is not installed";
    const std::map<std::string, std::string> map = ReadOracleMap();
    std::vector<TQuery> queries;
    for (TUnitConverterStr* unit : shipped_) {
        const auto found = map.find(Key(*unit));
        const auto base = map.find(Key(BaseOf(*unit)));
        if (found == map.end() || base == map.end())
            continue;  // reported by the map test
        for (const long double amount : kAmounts)
            queries.push_back({AmountText(amount) + " " + unit->Name() + " (" + unit->Group() + ")",
                               WithAmount(found->second, AmountText(amount)), WithAmount(base->second, "1"),
                               static_cast<double>(unit->ConvertTo(BaseOf(*unit), amount))});
    }
    ASSERT_FALSE(queries.empty());

    // One run answers every query in turn, one line each; a fault in any of them puts the rest out of step, so
    // the queries are then asked one by one to find it.
    const fs::path input = fs::temp_directory_path() / ("dd_units_oracle_" + std::to_string(getpid()) + ".txt");
    {
        std::ofstream out(input, std::ios::binary);
        for (const TQuery& query : queries)
            out << query.have << "\n" << query.want << "\n";
    }
    std::vector<std::string> answers;
    {
        std::stringstream lines(RunCommand("LC_ALL=C units -t -d max < '" + input.string() + "' 2>&1"));
        std::string line;
        while (std::getline(lines, line))
            answers.push_back(line);
    }
    fs::remove(input);
    double value = 0;
    bool inStep = answers.size() == queries.size();
    for (size_t i = 0; inStep && i < answers.size(); ++i)
        inStep = ParseNumber(answers[i], value);
    if (!inStep) {
        answers.clear();
        for (const TQuery& query : queries) {
            std::string answer =
                RunCommand("LC_ALL=C units -t -d max -- '" + query.have + "' '" + query.want + "' 2>&1");
            while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r'))
                answer.pop_back();
            answers.push_back(answer);
        }
    }
    for (size_t i = 0; i < queries.size(); ++i) {
        const TQuery& query = queries[i];
        if (!ParseNumber(answers[i], value)) {
            ADD_FAILURE() << query.label << ": units says \"" << answers[i] << "\" for " << query.have << " -> "
                          << query.want;
            continue;
        }
        EXPECT_NEAR(query.ours, value, kTolerance * std::fabs(value))
            << query.label << ": " << query.have << " -> " << query.want;
    }
}

}  // namespace
