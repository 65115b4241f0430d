#include "core/KoDialogs.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using Files = std::vector<std::string>;

TEST(FileDialogs, AFilterBecomesZeroSeparatedStringsClosedByTwoZeros) {
    EXPECT_EQ(MakeFilterList("Text files|*.txt|Logs|*.log;*.out"), "Text files\0*.txt\0Logs\0*.log;*.out\0\0"s);
    EXPECT_EQ(MakeFilterList(""), "\0\0"s);
}

TEST(FileDialogs, AFolderAndNamesGiveFullPathsAndASingleNameIsTheFullPath) {
    const Files work = {"C:\\Work\\a.txt", "C:\\Work\\c d.txt"};
    EXPECT_EQ(SplitFileSelection("C:\\Work\0a.txt\0c d.txt\0\0"s, true), work);
    EXPECT_EQ(SplitFileSelection("C:\\\0boot.ini\0io.sys\0\0"s, true), (Files{"C:\\boot.ini", "C:\\io.sys"}));
    EXPECT_EQ(SplitFileSelection("C:\\Work\\a.txt\0\0"s, true), Files{work[0]});
    // Without multi-selection the buffer holds one path, whatever follows its end.
    EXPECT_EQ(SplitFileSelection("C:\\Work\\a.txt\0left over\0\0"s, false), Files{work[0]});
    EXPECT_EQ(SplitFileSelection(std::string(260, '\0'), true), Files{});
    EXPECT_EQ(SplitFileSelection("C:\\no-end", false), Files{"C:\\no-end"});
    EXPECT_EQ(SplitFileSelection("C:\\Dir\0x.txt"s, true), Files{"C:\\Dir\\x.txt"});  // no closing zeros
}
