#include "tools/system/Uninstall.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(Uninstall, CommandsSplitAtTheQuotesOrAfterTheFirstProgramThatExists) {
    const std::set<std::string> files = {"C:\\Program Files\\A\\un.exe", "C:\\with blank.exe /x"};
    const auto exists = [&](const std::string& file) { return files.count(file) != 0; };
    const struct {
        const char* text;
        const char* program;
        const char* parameters;
    } cases[] = {{"  C:\\with blank.exe /x  ", "C:\\with blank.exe /x", ""},  // the whole text names a file
                 {"\"C:\\Program Files\\A\\un.exe\" /S", "C:\\Program Files\\A\\un.exe", " /S"},
                 {"\"C:\\open quote", "C:\\open quote", ""},
                 {"C:\\Program Files\\A\\un.exe /S /q", "C:\\Program Files\\A\\un.exe", "/S /q"},
                 {"MsiExec.exe /X{GUID} /q", "MsiExec.exe", "/X{GUID} /q"},  // no file: the first blank
                 {"   ", "", ""}};
    for (const auto& c : cases) {
        const auto [program, parameters] = SplitUninstallCommand(c.text, exists);
        EXPECT_EQ(program + "|" + parameters, std::string(c.program) + "|" + c.parameters) << c.text;
    }
}

TEST(Uninstall, SizesTakeTheLargestUnitThatKeepsTheFigureAboveOne) {
    std::string texts;
    for (const int32_t kilobytes : {0, 1, 1023, 1024, 1536, 1048575, 1048576, 2500000})
        texts += UninstallSizeText(kilobytes) + "|";
    EXPECT_EQ(texts, "|1 kB|1023 kB|1.0 MB|1.5 MB|1024.0 MB|1.00 GB|2.38 GB|");
}
