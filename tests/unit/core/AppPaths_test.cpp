#include "core/AppPaths.h"

#include <gtest/gtest.h>

TEST(AppPaths, TheIniFileReplacesOnlyTheFileNamesExtension) {
    EXPECT_EQ(ChangeFileExt("C:\\Tools\\DaDeruv.exe", ".ini"), "C:\\Tools\\DaDeruv.ini");
    EXPECT_EQ(ChangeFileExt("C:\\my.tools\\DaDeruv", ".ini"), "C:\\my.tools\\DaDeruv.ini");
    EXPECT_EQ(ExtractFilePath("C:\\Tools\\DaDeruv.exe") + "|" + ExtractFilePath("DaDeruv.exe"), "C:\\Tools\\|");
}
