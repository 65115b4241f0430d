#include "core/KoIni.h"

#include <unistd.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/Locale.h"
#include "core/PrivateProfile.h"
#include "tests/unit/TempFileTest.h"

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

// Records what reaches the platform layer and otherwise behaves like an empty file.
class TRecordingProfile : public IPrivateProfile {
  public:
    uint32_t GetString(const char*, const char*, const char*, char* buffer, uint32_t size, const char*) override {
        calls.push_back("get");
        if (size > 0)
            buffer[0] = '\0';
        return 0;
    }
    bool WriteString(const char* section, const char* key, const char* value, const char* fileName) override {
        if (!section && !key && !value)
            calls.push_back(std::string("flush ") + fileName);
        else
            calls.push_back("write");
        return true;
    }
    bool WriteSection(const char*, const char*, const char*) override {
        calls.push_back("section");
        return true;
    }
    std::vector<std::string> calls;
};

class KoIniTest : public TTempFileTest {
  protected:
    void TearDown() override {
        SetAppLocale(nullptr);
        TTempFileTest::TearDown();
    }

    TPortableProfile profile_;
};

TEST(KoIniQuoting, QuotesValuesWithBlankEdgesOrMatchingQuotesOnly) {
    EXPECT_EQ(TKoIni::QuoteValue(""), "");
    EXPECT_EQ(TKoIni::QuoteValue("plain text"), "plain text");
    EXPECT_EQ(TKoIni::QuoteValue(" x"), "\" x\"");
    EXPECT_EQ(TKoIni::QuoteValue("x\t"), "\"x\t\"");
    EXPECT_EQ(TKoIni::QuoteValue(" "), "\" \"");
    EXPECT_EQ(TKoIni::QuoteValue("\"x\""), "\"\"x\"\"");
    EXPECT_EQ(TKoIni::QuoteValue("''"), "\"''\"");
    EXPECT_EQ(TKoIni::QuoteValue("\""), "\"");
    EXPECT_EQ(TKoIni::QuoteValue("'x\""), "'x\"");
    EXPECT_EQ(TKoIni::QuoteValue("\"x"), "\"x");
}

TEST_F(KoIniTest, EveryWrittenTextReadsBackUnchanged) {
    TKoIni ini(file_, profile_);
    for (const std::string value : {" lead", "trail\t", "\"quoted\"", "'single'", "\"", "'x\"", "  ", "", "a = b", "\"",
                                    "[x]", ";not a comment", "\xE9\xFF"}) {
        ASSERT_TRUE(ini.WriteString("s", "k", value));
        EXPECT_EQ(ini.ReadString("s", "k", "default"), value) << value;
    }
}

TEST_F(KoIniTest, ReadStringGivesTheDefaultForAbsentKeysAndNothingForEmptyNames) {
    Put("[s]\r\nk=v\r\n");
    TKoIni ini(file_, profile_);
    EXPECT_EQ(ini.ReadString("s", "k", "d"), "v");
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "v");
    EXPECT_EQ(ini.ReadString("s", "missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("s", "", "d"), "");
    EXPECT_EQ(ini.ReadString("", "k", "d"), "");
}

TEST_F(KoIniTest, EmptyNamesNeverReachTheFile) {
    TRecordingProfile recorder;
    {
        TKoIni ini("x.ini", recorder);
        EXPECT_EQ(ini.ReadString("s", "", "d"), "");
        EXPECT_EQ(ini.ReadString("", "k", "d"), "");
        EXPECT_EQ(ini.ReadInteger("", "k", 5), 5);
        EXPECT_EQ(ini.ReadInteger("s", "", 6), 6);
        EXPECT_TRUE(recorder.calls.empty());
    }
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"flush x.ini"}));
}

TEST_F(KoIniTest, SwitchingToAnotherFileFlushesTheOldOneFirst) {
    TRecordingProfile recorder;
    TKoIni ini("a.ini", recorder);
    ini.SetFileName("a.ini");
    EXPECT_TRUE(recorder.calls.empty());
    ini.SetFileName("b.ini");
    EXPECT_EQ(ini.FileName(), "b.ini");
    ini.UpdateFile();
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"flush a.ini", "flush b.ini"}));
}

TEST_F(KoIniTest, IntegersFollowTheTextToIntegerRule) {
    Put("[s]\r\nletters=abc\r\nhex=$1F\r\nspaced=  -12\r\nbig=4294967296\r\nx=0x10\r\n");
    TKoIni ini(file_, profile_);
    EXPECT_EQ(ini.ReadInteger("s", "letters", 7), 7);
    EXPECT_EQ(ini.ReadInteger("s", "hex", 7), 31);
    EXPECT_EQ(ini.ReadInteger("s", "spaced", 7), -12);
    EXPECT_EQ(ini.ReadInteger("s", "big", 7), 7);
    EXPECT_EQ(ini.ReadInteger("s", "x", 7), 16);
    EXPECT_EQ(ini.ReadInteger("s", "absent", -3), -3);
    ASSERT_TRUE(ini.WriteInteger("s", "n", -2147483647 - 1));
    EXPECT_EQ(ini.ReadString("s", "n", ""), "-2147483648");
    EXPECT_EQ(ini.ReadInteger("s", "n", 0), -2147483647 - 1);
}

TEST_F(KoIniTest, FloatsUseTheLocaleSeparatorAndFallBackWhenUnreadable) {
    const TFixedLocale comma(',', '.');
    SetAppLocale(&comma);
    TKoIni ini(file_, profile_);
    ASSERT_TRUE(ini.WriteFloat("s", "f", 45678.25L));
    EXPECT_EQ(ini.ReadString("s", "f", ""), "45678,25");
    EXPECT_EQ(ini.ReadFloat("s", "f", 0), 45678.25L);
    const long double third = 1.0L / 3.0L;
    ASSERT_TRUE(ini.WriteFloat("s", "third", third));
    EXPECT_NEAR(static_cast<double>(ini.ReadFloat("s", "third", 0) - third), 0.0, 1e-17);
    ASSERT_TRUE(ini.WriteString("s", "dot", "1.5"));
    EXPECT_EQ(ini.ReadFloat("s", "dot", -1), -1);
    EXPECT_EQ(ini.ReadFloat("s", "absent", 2.5L), 2.5L);
    EXPECT_EQ(ini.ReadFloat("", "f", 3.5L), 3.5L);
}

TEST_F(KoIniTest, SectionListsComeInFileOrderAndReplaceTheListsContents) {
    Put("[b]\r\nz=1\r\ny=2\r\nbare\r\n;c=3\r\n[a]\r\n[B]\r\nx=4\r\n");
    TKoIni ini(file_, profile_);
    Names names{"stale"};
    EXPECT_EQ(ini.ReadSections(names), 3);
    EXPECT_EQ(names, (Names{"b", "a", "B"}));
    EXPECT_EQ(ini.ReadSection("B", names), 2);
    EXPECT_EQ(names, (Names{"z", "y"}));
    EXPECT_EQ(ini.ReadSection("a", names), 0);
    EXPECT_TRUE(names.empty());
}

TEST_F(KoIniTest, NameListsAreCutAtTheBuffer) {
    std::string text = "[s]\r\n";
    for (int i = 0; i < 200; ++i)
        text += std::string(99, static_cast<char>('a' + i % 26)) + std::to_string(i % 10) + "=1\r\n";
    Put(text);
    TKoIni ini(file_, profile_);
    Names names;
    // 162 names of 100 characters and their zeros take 16362; the 163rd keeps the 20 left before the final zeros.
    EXPECT_EQ(ini.ReadSection("s", names), 163);
    EXPECT_EQ(names[161], std::string(99, 'f') + "1");
    EXPECT_EQ(names[162], std::string(20, 'g'));
}

TEST_F(KoIniTest, ValueExistsComparesKeyNamesWithoutCase) {
    Put("[s]\r\nKey=1\r\n\xC9t\xE9=2\r\nbare\r\n");
    TKoIni ini(file_, profile_);
    EXPECT_TRUE(ini.ValueExists("s", "kEY"));
    EXPECT_TRUE(ini.ValueExists("S", "\xE9T\xC9"));
    EXPECT_FALSE(ini.ValueExists("s", "bare"));
    EXPECT_FALSE(ini.ValueExists("s", "Ke"));
    EXPECT_FALSE(ini.ValueExists("other", "Key"));
}

TEST_F(KoIniTest, ClearSectionKeepsTheHeaderAndOtherSections) {
    Put("[a]\r\nk=1\r\n[b]\r\nj=2\r\n");
    TKoIni ini(file_, profile_);
    EXPECT_TRUE(ini.ClearSection("A"));
    EXPECT_EQ(Bytes(), "[a]\r\n[b]\r\nj=2\r\n");
    Names names;
    EXPECT_EQ(ini.ReadSections(names), 2);
}

TEST_F(KoIniTest, LongValuesAreCutToTheBuffer) {
    TKoIni ini(file_, profile_);
    const std::string value(20000, 'v');
    ASSERT_TRUE(ini.WriteString("s", "k", value));
    EXPECT_EQ(ini.ReadString("s", "k", ""), value.substr(0, 16383));
}

TEST_F(KoIniTest, AFailedWriteReportsFalse) {
    Put("[s]\r\nk=1\r\n");
    fs::permissions(file_, fs::perms::owner_read);
    TKoIni ini(file_, profile_);
    EXPECT_FALSE(ini.WriteString("s", "k", "2"));
    EXPECT_FALSE(ini.WriteInteger("s", "k", 2));
    EXPECT_FALSE(ini.ClearSection("s"));
    EXPECT_EQ(ini.ReadInteger("s", "k", 0), 1);
    fs::permissions(file_, fs::perms::owner_all);
}

}  // namespace
