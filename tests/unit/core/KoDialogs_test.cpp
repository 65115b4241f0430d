#include "core/KoDialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
using Files = std::vector<std::string>;

// The strings of a zero-terminated list, up to and including the closing empty one.
Files StringsOf(const std::string& list) {
    Files strings;
    size_t start = 0;
    for (;;) {
        const size_t end = list.find('\0', start);
        if (end == std::string::npos)
            break;
        strings.push_back(list.substr(start, end - start));
        if (end == start)
            break;
        start = end + 1;
    }
    return strings;
}

std::string Buffer(std::initializer_list<const char*> strings, size_t size = 64) {
    std::string buffer;
    for (const char* s : strings)
        buffer.append(s).push_back('\0');
    buffer.resize(std::max(size, buffer.size() + 1), '\0');
    return buffer;
}

TEST(FileDialogFilter, ThreePairsGiveSixStringsAndAClosingEmptyOne) {
    const std::string list = MakeFilterList("Text files|*.txt|Logs|*.log;*.out|All files|*.*");
    EXPECT_EQ(StringsOf(list), (Files{"Text files", "*.txt", "Logs", "*.log;*.out", "All files", "*.*", ""}));
    EXPECT_EQ(list.size(), std::string("Text files|*.txt|Logs|*.log;*.out|All files|*.*").size() + 2);
    EXPECT_EQ(list.substr(list.size() - 2), std::string(2, '\0'));
}

TEST(FileDialogFilter, AnEmptyFilterIsJustTheClosingZeros) {
    EXPECT_EQ(MakeFilterList(""), std::string(2, '\0'));
}

TEST(FileDialogSelection, AFolderAndThreeNamesGiveThreeFullPathsInOrder) {
    EXPECT_EQ(SplitFileSelection(Buffer({"C:\\Work", "a.txt", "b.txt", "c d.txt"}), true),
              (Files{"C:\\Work\\a.txt", "C:\\Work\\b.txt", "C:\\Work\\c d.txt"}));
}

TEST(FileDialogSelection, AFolderEndingInABackslashGetsNoSecondOne) {
    EXPECT_EQ(SplitFileSelection(Buffer({"C:\\", "boot.ini", "io.sys"}), true), (Files{"C:\\boot.ini", "C:\\io.sys"}));
}

TEST(FileDialogSelection, OneNameIsTheFullPathWithOrWithoutMultiSelection) {
    EXPECT_EQ(SplitFileSelection(Buffer({"C:\\Work\\a.txt"}), true), (Files{"C:\\Work\\a.txt"}));
    EXPECT_EQ(SplitFileSelection(Buffer({"C:\\Work\\a.txt"}), false), (Files{"C:\\Work\\a.txt"}));
    // Without multi-selection the buffer holds one path, whatever follows its end.
    EXPECT_EQ(SplitFileSelection(Buffer({"C:\\Work\\a.txt", "left over"}), false), (Files{"C:\\Work\\a.txt"}));
}

TEST(FileDialogSelection, AnEmptyOrUnterminatedBufferIsReadSafely) {
    EXPECT_EQ(SplitFileSelection(std::string(260, '\0'), true), Files{});
    EXPECT_EQ(SplitFileSelection("", false), Files{});
    EXPECT_EQ(SplitFileSelection("C:\\no-end", false), (Files{"C:\\no-end"}));
    EXPECT_EQ(SplitFileSelection(std::string("C:\\Dir\0x.txt", 12), true), (Files{"C:\\Dir\\x.txt"}));
}
}  // namespace
