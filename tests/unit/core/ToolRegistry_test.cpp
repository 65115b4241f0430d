#include "core/ToolRegistry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "core/KoIni.h"
#include "core/KoLib.h"
#include "core/PrivateProfile.h"

namespace {
TToolIndex Found(const std::string& text) {
    return ToolIndex(FindTool(text));
}

TEST(ToolRegistry, HoldsNineteenRecordsWithUniqueKeysAndTitles) {
    std::set<std::string> keys, titles;
    for (int i = kFirstToolIndex; i <= kLastToolIndex; ++i) {
        const TToolRecord& tool = ToolRecord(static_cast<TToolIndex>(i));
        EXPECT_EQ(ToolIndex(tool), i);
        keys.insert(tool.Key);
        titles.insert(tool.Title);
        EXPECT_FALSE(FormatVersion(tool.Updated, true).empty());
    }
    EXPECT_EQ(keys.size(), 19u);
    EXPECT_EQ(titles.size(), 19u);
    EXPECT_STREQ(ToolRecord(-1).Title, "Korvo Utilities");
    EXPECT_STREQ(ToolRecord(16).Key, "netportlist");
    EXPECT_EQ(FormatVersion(ToolRecord(12).Updated, true), "14.02.26");
    EXPECT_EQ(ToolRecord(-1).DefaultHeight, 0);
    EXPECT_FALSE(IsResizable(ToolRecord(7)));
    EXPECT_TRUE(IsResizable(ToolRecord(0)));
}

TEST(ToolRegistry, NumbersChooseByTheirLowByte) {
    EXPECT_EQ(Found("16"), 16);
    EXPECT_EQ(Found("-2"), -2);
    EXPECT_EQ(Found("0"), 0);
    EXPECT_EQ(Found("256"), 0);
    EXPECT_EQ(Found("$102"), 2);
    EXPECT_EQ(Found("0x10"), 16);
    EXPECT_EQ(Found("-1"), -1);
    EXPECT_EQ(Found("17"), -1);
    EXPECT_EQ(Found("-3"), -1);
    EXPECT_EQ(Found("  7"), 7);
    EXPECT_EQ(Found("65543"), 7);  // 0x10007
}

TEST(ToolRegistry, NamesMatchExactlyBeforeTheyMatchAsParts) {
    EXPECT_EQ(Found("CALCULATOR"), 0);
    EXPECT_EQ(Found("calculator"), 0);
    EXPECT_EQ(Found("Whois"), 15);  // the key, exactly
    EXPECT_EQ(Found("query"), 15);  // part of the title
    EXPECT_EQ(Found("calc"), 0);
    EXPECT_EQ(Found("e"), -2);  // the first record whose title or key holds it
    EXPECT_EQ(Found("Config Editor"), -2);
    EXPECT_EQ(Found("converter"), 1);         // the key of the unit converter, before "Number Converter"
    EXPECT_EQ(Found("Number Converter"), 2);  // its title, exactly
    EXPECT_EQ(Found("port"), 16);
}

TEST(ToolRegistry, UnknownEmptyAndNumberLikeTextsGiveTheLauncher) {
    EXPECT_EQ(Found(""), -1);
    EXPECT_EQ(Found("255"), -1);
    EXPECT_EQ(Found("nothing-like-it"), -1);
    EXPECT_EQ(Found(std::string(100000, 'x')), -1);
    EXPECT_EQ(Found(std::string("\0\xFF\x80", 3)), -1);
    EXPECT_EQ(Found("7 "), -1);  // not a number, and no title holds it
}

TEST(ToolRegistry, ARecordOutsideTheRegistryHasIndexZero) {
    const TToolRecord stranger = ToolRecord(5);
    EXPECT_EQ(ToolIndex(stranger), 0);
}

TEST(ToolRegistry, DataFoldersLieInTheDataFolderExceptTheLaunchers) {
    EXPECT_EQ(ToolDataFolder(ToolRecord(kCalculatorIndex), "C:\\Apps\\"), "C:\\Apps\\data\\calculator\\");
    EXPECT_EQ(ToolDataFolder(ToolRecord(-2), "C:\\Apps\\"), "C:\\Apps\\data\\configeditor\\");
    EXPECT_EQ(ToolDataFolder(ToolRecord(-1), "C:\\Apps\\"), "C:\\Apps\\");
}

TEST(ToolRegistry, LaunchParametersQuoteTheTitleAndAppendTheExtra) {
    EXPECT_EQ(LaunchParameters(ToolRecord(kDateCalcIndex), ""), "\"Date Calculator\"");
    EXPECT_EQ(LaunchParameters(ToolRecord(kNumberConverterIndex), "255"), "\"Number Converter\" 255");
    // The quoted title finds its own record again by the exact pass.
    for (int i = kFirstToolIndex; i <= kLastToolIndex; ++i)
        EXPECT_EQ(Found(ToolRecord(static_cast<TToolIndex>(i)).Title), i);
}

class RunStatistics : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ = (std::filesystem::temp_directory_path() /
                 ("dd-stats-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".ini"))
                    .string();
        std::filesystem::remove(file_);
    }
    void TearDown() override { std::filesystem::remove(file_); }
    std::string file_;
    TPortableProfile profile_;
};

TEST_F(RunStatistics, FirstStartWritesAllThreeAndLaterStartsKeepTheFirstTime) {
    TKoIni ini(file_, profile_);
    UpdateRunStatistics(ToolRecord(kPingerIndex), ini, 46000.25);
    EXPECT_EQ(ini.ReadString("pinger", "FirstRunTime", ""), "46000.25");
    EXPECT_EQ(ini.ReadInteger("pinger", "TotalRunCount", -1), 1);
    EXPECT_EQ(ini.ReadString("pinger", "LastRunTime", ""), "46000.25");
    UpdateRunStatistics(ToolRecord(kPingerIndex), ini, 46001.5);
    EXPECT_EQ(ini.ReadString("pinger", "FirstRunTime", ""), "46000.25");
    EXPECT_EQ(ini.ReadInteger("pinger", "TotalRunCount", -1), 2);
    EXPECT_EQ(ini.ReadString("pinger", "LastRunTime", ""), "46001.5");
}

TEST_F(RunStatistics, AnUnreadableCountStartsAgainFromOne) {
    TKoIni ini(file_, profile_);
    ini.WriteString("calculator", "TotalRunCount", "many");
    UpdateRunStatistics(ToolRecord(kCalculatorIndex), ini, 1.0);
    EXPECT_EQ(ini.ReadInteger("calculator", "TotalRunCount", -1), 1);
}

TEST(History, AValueAlreadyOnTopLeavesTheListAlone) {
    std::vector<std::string> list = {"Alpha", "beta", "alpha", "gamma"};
    AddToHistory(list, "ALPHA", 2);
    EXPECT_EQ(list, (std::vector<std::string>{"Alpha", "beta", "alpha", "gamma"}));
}

TEST(History, NewValuesGoOnTopAndDuplicatesAndOverflowGo) {
    std::vector<std::string> list = {"a", "b", "B", "c", "d"};
    AddToHistory(list, "b", 3);
    EXPECT_EQ(list, (std::vector<std::string>{"b", "a", "c", "d"}));  // MaxCount + 1 entries at most
    AddToHistory(list, "e", 1);
    EXPECT_EQ(list, (std::vector<std::string>{"e", "b"}));
    std::vector<std::string> empty;
    AddToHistory(empty, "x", 0);
    EXPECT_EQ(empty, (std::vector<std::string>{"x"}));
}

struct TItem {
    int key;
    char tag;
};

bool AfterByKey(void* context, const void* a, const void* b) {
    ++*static_cast<int*>(context);
    return static_cast<const TItem*>(a)->key > static_cast<const TItem*>(b)->key;
}

TEST(BubbleSort, SortsInPlaceAndKeepsEqualItemsInOrder) {
    TItem items[] = {{3, 'a'}, {1, 'b'}, {3, 'c'}, {2, 'd'}, {1, 'e'}, {3, 'f'}};
    int calls = 0;
    BubbleSort(items, sizeof(TItem), 6, AfterByKey, &calls);
    std::string order;
    for (const TItem& item : items)
        order += item.tag;
    EXPECT_EQ(order, "bedacf");
}

TEST(BubbleSort, StopsAfterAPassWithoutSwapsAndIgnoresShortLists) {
    TItem items[] = {{1, 'a'}, {2, 'b'}, {3, 'c'}, {4, 'd'}};
    int calls = 0;
    BubbleSort(items, sizeof(TItem), 4, AfterByKey, &calls);
    EXPECT_EQ(calls, 3);  // one pass over a sorted list
    calls = 0;
    BubbleSort(items, sizeof(TItem), 1, AfterByKey, &calls);
    BubbleSort(nullptr, sizeof(TItem), 0, AfterByKey, &calls);
    EXPECT_EQ(calls, 0);
}
}  // namespace
