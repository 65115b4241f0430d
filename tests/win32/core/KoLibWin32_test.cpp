#include "core/KoLibWin32.h"

#include <gtest/gtest.h>

#include <string>

#include "core/HandlesWin32.h"
#include "core/KoLib.h"
#include "tests/unit/TempFileTest.h"

namespace {
std::string Read(const std::string& file) {
    std::string text = "left over";
    ReadWholeFile(file, text);
    return text;
}

using WholeFiles = TTempFileTest;

TEST_F(WholeFiles, WritesReplaceOrAppendALineUnlessTheFileIsHeldAndAMissingFileReadsAsEmptyText) {
    EXPECT_EQ(Read(file_), "");
    EXPECT_TRUE(WriteWholeFile(file_, "one", true));  // appending creates a missing file
    EXPECT_TRUE(WriteWholeFile(file_, "two", true));
    EXPECT_EQ(Read(file_), "one\r\ntwo\r\n");
    EXPECT_TRUE(WriteWholeFile(file_, std::string("a\0b", 3)));  // replaces, byte for byte
    EXPECT_EQ(Read(file_), std::string("a\0b", 3));
    // Held open elsewhere without write sharing, the file cannot be written even by root under Wine, which ignores
    // the read-only mark.
    {
        const TFileHandle held(
            CreateFileA(file_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(WriteWholeFile(file_, "lost"));
        EXPECT_FALSE(WriteWholeFile(file_, "lost", true));
        EXPECT_EQ(Read(file_), std::string("a\0b", 3));
    }
}

TEST(Clipboard, TextGoesOutAndComesBackInTheAnsiCodePage) {
    ASSERT_TRUE(SetClipboardText(nullptr, "Korvo \xB5 clip"));
    std::string text;
    GetClipboardText(nullptr, text);
    EXPECT_EQ(text, "Korvo \xB5 clip");
}

// Face/height/weight/italic and underline/character set.
std::string Traits(const LOGFONTA& f) {
    return std::string(f.lfFaceName) + "/" + std::to_string(f.lfHeight) + "/" + std::to_string(f.lfWeight) + "/" +
           std::to_string(f.lfItalic) + std::to_string(f.lfUnderline) + "/" + std::to_string(f.lfCharSet);
}

TEST(Fonts, FontTextsSetFaceSizeAndStyleOnTopOfTheIconTitleFont) {
    const TWindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    const auto height = [dpi](int points) { return std::to_string(-MulDiv(points, dpi, 72)); };
    LOGFONTA iconTitle{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0));
    EXPECT_EQ(Traits(FontSpecToLogFont("Verdana 9 biu")), "Verdana/" + height(9) + "/700/11/1");
    EXPECT_EQ(Traits(FontSpecToLogFont("")),
              std::string(iconTitle.lfFaceName) + "/" + std::to_string(iconTitle.lfHeight) + "/400/00/1");
}

TEST(CodePage, UpperCaseFollowsTheSystemsRulesForEveryByte) {
    for (int c = 1; c < 256; ++c) {
        char expected = static_cast<char>(c);
        CharUpperBuffA(&expected, 1);
        EXPECT_EQ(UpperCase1252(static_cast<char>(c)), expected) << "byte " << c;
    }
}

}  // namespace
