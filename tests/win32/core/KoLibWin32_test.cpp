#include "core/KoLibWin32.h"

#include <gtest/gtest.h>

#include <string>

#include "core/AppPaths.h"
#include "core/HandlesWin32.h"
#include "core/KoLib.h"

namespace {
std::string TempFile(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + name;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    return path;
}

TEST(WholeFiles, AppendCreatesAMissingFileAndEndsEachTextWithCrLf) {
    const std::string file = TempFile("dd-append.txt");
    EXPECT_TRUE(WriteWholeFile(file, "one", true));
    EXPECT_TRUE(WriteWholeFile(file, "two", true));
    std::string text;
    ReadWholeFile(file, text);
    EXPECT_EQ(text, "one\r\ntwo\r\n");
    EXPECT_TRUE(WriteWholeFile(file, std::string("a\0b", 3)));  // replaces, byte for byte
    ReadWholeFile(file, text);
    EXPECT_EQ(text, std::string("a\0b", 3));
    DeleteFileA(file.c_str());
}

TEST(WholeFiles, MissingEmptyAndFolderNamesReadAsEmptyText) {
    std::string text = "left over";
    ReadWholeFile(TempFile("dd-missing.txt"), text);
    EXPECT_EQ(text, "");
    const std::string empty = TempFile("dd-empty.txt");
    ASSERT_TRUE(WriteWholeFile(empty, ""));
    text = "left over";
    ReadWholeFile(empty, text);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(FileExists(empty));
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    EXPECT_FALSE(FileExists(folder));
    DeleteFileA(empty.c_str());
}

TEST(WholeFiles, AReadOnlyFileIsNotReplaced) {
    const std::string file = TempFile("dd-readonly.txt");
    ASSERT_TRUE(WriteWholeFile(file, "keep"));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    TFileHandle probe(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (probe) {
        probe.reset();
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "this system lets us write read-only files (Wine run by root)";
    }
    EXPECT_FALSE(WriteWholeFile(file, "lost"));
    std::string text;
    ReadWholeFile(file, text);
    EXPECT_EQ(text, "keep");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(file.c_str());
}

TEST(Clipboard, TextGoesOutAndComesBackAndOtherFormatsLeaveTheTargetAlone) {
    ASSERT_TRUE(SetClipboardText(nullptr, "Korvo \xB5 clip"));
    std::string text;
    GetClipboardText(nullptr, text);
    EXPECT_EQ(text, "Korvo \xB5 clip");

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    text = "unchanged";
    GetClipboardText(nullptr, text);
    EXPECT_EQ(text, "unchanged");
}

TEST(Fonts, FontTextsSetFaceSizeAndStyleOnTopOfTheIconTitleFont) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    LOGFONTA font = FontSpecToLogFont("\"Courier New\" 10");
    EXPECT_STREQ(font.lfFaceName, "Courier New");
    EXPECT_EQ(font.lfHeight, -MulDiv(10, dpi, 72));
    EXPECT_EQ(font.lfWeight, FW_NORMAL);

    font = FontSpecToLogFont("Verdana 9 bi");
    EXPECT_STREQ(font.lfFaceName, "Verdana");
    EXPECT_EQ(font.lfHeight, -MulDiv(9, dpi, 72));
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_TRUE(font.lfItalic);
    EXPECT_FALSE(font.lfUnderline);

    LOGFONTA iconTitle{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0));
    font = FontSpecToLogFont("");
    EXPECT_STREQ(font.lfFaceName, iconTitle.lfFaceName);
    EXPECT_EQ(font.lfHeight, iconTitle.lfHeight);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);

    HFONT handle = StrToFont("Arial 12 u");
    ASSERT_NE(handle, nullptr);
    DeleteObject(handle);
}

TEST(CodePage, UpperCaseFollowsTheSystemsRulesForEveryByte) {
    for (int c = 1; c < 256; ++c) {
        char expected = static_cast<char>(c);
        CharUpperBuffA(&expected, 1);
        EXPECT_EQ(UpperCase1252(static_cast<char>(c)), expected) << "byte " << c;
    }
}

TEST(Paths, TheExecutablesIniFileLiesBesideIt) {
    const std::string exe = ExePath();
    ASSERT_GT(exe.size(), 4u);
    EXPECT_EQ(GetFileAttributesA(exe.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(ProgramIniFileName(), exe.substr(0, exe.size() - 4) + ".ini");
    EXPECT_EQ(ExeFolder(), ExtractFilePath(exe));
}
}  // namespace
