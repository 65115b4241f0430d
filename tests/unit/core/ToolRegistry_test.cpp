#include "core/ToolRegistry.h"

#include <gtest/gtest.h>

#include "core/KoIni.h"
#include "core/KoLib.h"
#include "core/PrivateProfile.h"
#include "tests/unit/TempFileTest.h"

namespace {

// The index of the tool each text finds, blank-separated.
std::string Found(std::initializer_list<std::string_view> texts) {
    std::string found;
    for (const std::string_view text : texts)
        found += (found.empty() ? "" : " ") + std::to_string(ToolIndex(FindTool(text)));
    return found;
}

TEST(ToolRegistry, NumbersChooseByTheirLowByteAndNamesMatchExactlyBeforeTheyMatchAsParts) {
    EXPECT_EQ(Found({"16", "-2", "0", "256", "$102", "0x10", "-1", "17", "-3", "  7", "65543"}),
              "16 -2 0 0 2 16 -1 -1 -1 7 7");
    // "converter" is the key of the unit converter before it is part of the title "Number Converter".
    EXPECT_EQ(
        Found({"CALCULATOR", "Whois", "query", "calc", "e", "Config Editor", "converter", "Number Converter", "port"}),
        "0 15 15 0 -2 -2 1 2 16");
    EXPECT_EQ(Found({"", "255", "nothing-like-it", std::string(100000, 'x'), std::string("\0\xFF\x80", 3), "7 "}),
              "-1 -1 -1 -1 -1 -1");
}

TEST(ToolRegistry, VersionDatesShowAsYearMonthDayAndAnImpossibleDayAsNothing) {
    EXPECT_EQ(FormatVersion(MakeUpdated(21, 10, 15), false), "2015-10-21");
    EXPECT_EQ(FormatVersion(MakeUpdated(31, 2, 15), false), "");  // no such day
}

TEST(ToolRegistry, ToolsStartWithTheirQuotedTitleInTheirDataFolder) {
    EXPECT_EQ(ToolDataFolder(ToolRecord(kConfigEditorIndex), "C:\\Apps\\"), "C:\\Apps\\data\\configeditor\\");
    EXPECT_EQ(ToolDataFolder(ToolRecord(kLauncherIndex), "C:\\Apps\\"), "C:\\Apps\\");
    EXPECT_EQ(LaunchParameters(ToolRecord(kDateCalcIndex), ""), "\"Date Calculator\"");
    EXPECT_EQ(LaunchParameters(ToolRecord(kNumberConverterIndex), "255"), "\"Number Converter\" 255");
}

using RunStatistics = TTempFileTest;

TEST_F(RunStatistics, FirstStartWritesAllThreeLaterStartsKeepTheFirstTimeAndABadCountStartsAgain) {
    TPortableProfile profile;
    TKoIni ini(file_, profile);
    UpdateRunStatistics(ToolRecord(kPingerIndex), ini, 46000.25);
    UpdateRunStatistics(ToolRecord(kPingerIndex), ini, 46001.5);
    ini.WriteString("calculator", "TotalRunCount", "many");
    UpdateRunStatistics(ToolRecord(kCalculatorIndex), ini, 1.0);
    EXPECT_EQ(Bytes(),
              "[pinger]\r\nFirstRunTime=46000.25\r\nTotalRunCount=2\r\nLastRunTime=46001.5\r\n"
              "[calculator]\r\nTotalRunCount=1\r\nFirstRunTime=1\r\nLastRunTime=1\r\n");
}

TEST(History, NewValuesGoOnTopWithoutDuplicatesAndTheOldestFallOff) {
    std::vector<std::string> list = {"Alpha", "beta", "alpha"};
    AddToHistory(list, "ALPHA", 2);  // already on top: the list stays as it is
    EXPECT_EQ(list, (std::vector<std::string>{"Alpha", "beta", "alpha"}));
    list = {"a", "b", "B", "c", "d"};
    AddToHistory(list, "b", 3);
    EXPECT_EQ(list, (std::vector<std::string>{"b", "a", "c", "d"}));  // MaxCount + 1 entries at most
}

TEST_F(RunStatistics, HistoriesStopAtTheirFirstGapAndAreWrittenWhole) {
    Put("[h]\r\n0=one\r\n1=\"two; 2\"\r\n2=\r\n3=lost\r\nx=junk\r\n");
    TPortableProfile profile;
    TKoIni ini(file_, profile);
    const std::vector<std::string> list = ReadHistory(ini, "h");
    EXPECT_EQ(list, (std::vector<std::string>{"one", "two; 2"}));
    WriteHistory(ini, "h", {"new", list[1]});
    EXPECT_EQ(ReadHistory(ini, "h"), (std::vector<std::string>{"new", "two; 2"}));
    EXPECT_EQ(ini.ReadString("h", "3", "gone"), "gone");
}

}  // namespace
