#include "core/PrivateProfile.h"
#include "tests/unit/TempFileTest.h"

#include <unistd.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

using namespace std::string_literals;
using namespace std::string_view_literals;
namespace fs = std::filesystem;

namespace {

class PrivateProfileTest : public TTempFileTest {
  protected:
    // The value as returned, or "<n>" when the return value disagrees with the text copied.
    std::string Get(const char* section, const char* key, const char* def = "d", uint32_t size = 16384) {
        std::string buffer(size + 1, '#');
        const uint32_t n = profile_.GetString(section, key, def, buffer.data(), size, file_.c_str());
        if (buffer[n] != '\0' || buffer.find('\0') != n)
            return "<" + std::to_string(n) + ">";
        return buffer.substr(0, n);
    }
    // Everything a name list call wrote into the buffer, terminating zeros included.
    std::string List(const char* section, uint32_t size, uint32_t& returned) {
        std::string buffer(size, '#');
        returned = profile_.GetString(section, nullptr, "", buffer.data(), size, file_.c_str());
        return buffer.substr(0, buffer.find_last_not_of('#') + 1);
    }
    bool Write(const char* section, const char* key, const char* value) {
        return profile_.WriteString(section, key, value, file_.c_str());
    }
    bool WriteSection(const char* section, std::string_view lines) {
        const std::string copy(lines);
        return profile_.WriteSection(section, copy.c_str(), file_.c_str());
    }

    TPortableProfile profile_;
};

TEST_F(PrivateProfileTest, EveryKindOfLineEndEndsALine) {
    for (const std::string_view text :
         {"[a]\rk=1\rj=2\r"sv, "[a]\nk=1\nj=2"sv, "[a]\r\nk=1\r\nj=2\r\n"sv, "[a]\nk=1\rj=2\n\r\n"sv}) {
        Put(text);
        EXPECT_EQ(Get("a", "k"), "1") << text;
        EXPECT_EQ(Get("a", "j"), "2") << text;
    }
}

TEST_F(PrivateProfileTest, LinesNamesAndValuesLoseTheirSurroundingBlanksOnly) {
    Put("  [ Sec ]  x \r\n \t key  =  va lue \x1A \r\n");
    EXPECT_EQ(Get("sec", "key"), "va lue");
    EXPECT_EQ(Get(" SEC\t", " KEY "), "va lue");
    EXPECT_EQ(Get("Sec ]", "key"), "d");
}

TEST_F(PrivateProfileTest, HeaderNameEndsAtTheLastBracketAndAHeaderWithoutOneIsAnOrdinaryLine) {
    Put("[c]]d\r\nz=2\r\n[b\r\nq=1\r\n[x]=5\r\ny=3\r\n");
    EXPECT_EQ(Get("c]", "z"), "2");
    EXPECT_EQ(Get("c]", "q"), "1");
    EXPECT_EQ(Get("b", "q"), "d");
    EXPECT_EQ(Get("x", "y"), "3");
    uint32_t n = 0;
    EXPECT_EQ(List(nullptr, 100, n), "c]\0x\0\0"s);
}

TEST_F(PrivateProfileTest, NamesIgnoreAsciiCaseButNotTheCaseOfOtherLetters) {
    Put("[Abc]\r\nKey=1\r\n[\xE9t\xE9]\r\n\xE9=2\r\n");
    EXPECT_EQ(Get("aBC", "kEY"), "1");
    EXPECT_EQ(Get("\xE9t\xE9", "\xE9"), "2");
    EXPECT_EQ(Get("\xC9T\xC9", "\xE9"), "d");
}

TEST_F(PrivateProfileTest, TheFirstOfDuplicateSectionsAndKeysIsRead) {
    Put("[a]\r\nk=1\r\nk=2\r\n[b]\r\n[A]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(Get("a", "k"), "1");
    EXPECT_EQ(Get("a", "j"), "d");
    uint32_t n = 0;
    EXPECT_EQ(List("a", 100, n), "k\0k\0\0"s);
    EXPECT_EQ(List(nullptr, 100, n), "a\0b\0A\0\0"s);
}

TEST_F(PrivateProfileTest, LinesWithoutEqualsAndCommentsAreNeitherValuesNorListedKeys) {
    Put("[a]\r\nbare\r\nbare=1\r\n;note=2\r\n=empty\r\n=dropped\r\nk=3\r\n");
    EXPECT_EQ(Get("a", "bare"), "d");  // the first "bare" has no value
    EXPECT_EQ(Get("a", ";note"), "2");
    EXPECT_EQ(Get("a", ""), "empty");
    uint32_t n = 0;
    EXPECT_EQ(List("a", 100, n), "bare\0\0k\0\0"s);
    EXPECT_EQ(n, 8u);
}

TEST_F(PrivateProfileTest, AKeyListStartingWithAnEmptyNameGivesTheDefault) {
    Put("[a]\r\n=1\r\nk=2\r\n[b]\r\n");
    EXPECT_EQ(Get("a", nullptr, "def  "), "def  ");
    EXPECT_EQ(Get("b", nullptr, "'q'"), "q");
    EXPECT_EQ(Get("none", nullptr, "x"), "x");
}

TEST_F(PrivateProfileTest, MatchingQuotesAroundAValueAreStripped) {
    Put("[s]\r\na=\"x\"\r\nb='y'\r\nc=\"\r\nd=\"\"\r\ne=\"z'\r\nf= \" p \" \r\ng='a\"b'\r\n");
    EXPECT_EQ(Get("s", "a"), "x");
    EXPECT_EQ(Get("s", "b"), "y");
    EXPECT_EQ(Get("s", "c"), "\"");
    EXPECT_EQ(Get("s", "d"), "");
    EXPECT_EQ(Get("s", "e"), "\"z'");
    EXPECT_EQ(Get("s", "f"), " p ");
    EXPECT_EQ(Get("s", "g"), "a\"b");
}

TEST_F(PrivateProfileTest, TheDefaultLosesTrailingSpacesButNotItsFirstCharacter) {
    Put("[s]\r\n");
    EXPECT_EQ(Get("s", "x", "  ab  "), "  ab");
    EXPECT_EQ(Get("s", "x", "   "), " ");
    EXPECT_EQ(Get("s", "x", "a\t"), "a\t");
    EXPECT_EQ(Get("s", "x", "'q'"), "q");
    EXPECT_EQ(Get("s", "x", nullptr), "");
}

TEST_F(PrivateProfileTest, AValueIsCutToTheBufferAndAQuotedOneLosesOneMoreWhenItNearlyFits) {
    Put("[s]\r\na=abcdef\r\nq=\"abcdef\"\r\n");
    EXPECT_EQ(Get("s", "a", "d", 4), "abc");
    EXPECT_EQ(Get("s", "a", "d", 7), "abcdef");
    EXPECT_EQ(Get("s", "a", "d", 1), "");
    EXPECT_EQ(Get("s", "q", "d", 6), "abcde");
    EXPECT_EQ(Get("s", "q", "d", 7), "abcde");
    EXPECT_EQ(Get("s", "q", "d", 8), "abcdef");
    char untouched = '#';
    EXPECT_EQ(profile_.GetString("s", "a", "d", &untouched, 0, file_.c_str()), 0u);
    EXPECT_EQ(untouched, '#');
}

TEST_F(PrivateProfileTest, ASectionNameListIsCutToTheBufferAndThenReturnsSizeMinusTwo) {
    Put("[abc]\r\n[de]\r\n[f]\r\n");
    uint32_t n = 0;
    EXPECT_EQ(List(nullptr, 100, n), "abc\0de\0f\0\0"s);
    EXPECT_EQ(n, 9u);
    EXPECT_EQ(List(nullptr, 10, n), "abc\0de\0f\0\0"s);
    EXPECT_EQ(n, 8u);
    EXPECT_EQ(List(nullptr, 7, n), "abc\0d\0\0"s);
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(List(nullptr, 4, n), "ab\0\0"s);
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(List(nullptr, 2, n), "\0\0"s);
    EXPECT_EQ(n, 0u);
}

TEST_F(PrivateProfileTest, AKeyNameListIsCutToTheBufferAndThenReturnsSizeMinusTwo) {
    Put("[abc]\r\nk1=1\r\nkey2=2\r\n");
    uint32_t n = 0;
    EXPECT_EQ(List("abc", 100, n), "k1\0key2\0\0"s);
    EXPECT_EQ(n, 8u);
    EXPECT_EQ(List("abc", 7, n), "k1\0ke\0\0"s);
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(List("abc", 3, n), "k\0\0"s);
    EXPECT_EQ(n, 1u);
}

TEST_F(PrivateProfileTest, AMissingFileReadsAsEmpty) {
    uint32_t n = 7;
    EXPECT_EQ(Get("a", "b", "'x'"), "x");
    EXPECT_EQ(List(nullptr, 10, n), "\0"s);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(Get("a", nullptr, "none"), "none");
    EXPECT_FALSE(fs::exists(file_));
}

TEST_F(PrivateProfileTest, KeysBeforeTheFirstHeaderBelongToTheUnnamedSection) {
    Put("pre=1\r\n[a]\r\nk=1\r\n");
    EXPECT_EQ(Get("", "pre"), "1");
    EXPECT_TRUE(Write("", "z", "2"));
    EXPECT_EQ(Bytes(), "pre=1\r\nz=2\r\n[a]\r\nk=1\r\n");
}

TEST_F(PrivateProfileTest, WritingCreatesFileSectionAndKeyInOrder) {
    EXPECT_TRUE(Write("s", "k", "v"));
    EXPECT_TRUE(Write("t", "k2", "  lead and trail  "));
    EXPECT_EQ(Bytes(), "[s]\r\nk=v\r\n[t]\r\nk2=lead and trail  \r\n");
    EXPECT_EQ(Get("t", "k2"), "lead and trail");
    EXPECT_TRUE(Write("s", "k3", "w"));
    EXPECT_EQ(Bytes(), "[s]\r\nk=v\r\nk3=w\r\n[t]\r\nk2=lead and trail\r\n");
}

TEST_F(PrivateProfileTest, ARewriteNormalisesEveryLineAndAppendsNewKeysAfterTheSectionsLastLine) {
    Put("  pre = 1\r\n\r\n[a]  tail\r\n K = 1 \r\n\r\n;x\r\nbare\r\n[b]\n");
    EXPECT_TRUE(Write("A", "new", "7"));
    EXPECT_EQ(Bytes(), "pre=1\r\n[a]\r\nK=1\r\n;x\r\nbare\r\nnew=7\r\n[b]\r\n");
}

TEST_F(PrivateProfileTest, OverwritingKeepsTheStoredNameAndNewNamesKeepTrailingBlanks) {
    Put("[a]\r\nKey=1\r\n");
    EXPECT_TRUE(Write(" A ", " kEY", "2"));
    EXPECT_TRUE(Write("a", " y ", "3"));
    EXPECT_EQ(Bytes(), "[a]\r\nKey=2\r\ny =3\r\n");
    EXPECT_TRUE(Write(" n ", "z", "4"));
    EXPECT_EQ(Bytes(), "[a]\r\nKey=2\r\ny=3\r\n[n ]\r\nz=4\r\n");
}

TEST_F(PrivateProfileTest, WritesThatChangeNothingLeaveTheFileAlone) {
    const std::string text = "[a]\r\n\r\nx = 1\r\n";
    Put(text);
    EXPECT_TRUE(Write("a", "x", " 1"));
    EXPECT_TRUE(Write("a", "nokey", nullptr));
    EXPECT_TRUE(Write("nosec", nullptr, nullptr));
    EXPECT_TRUE(Write(" a ", nullptr, nullptr));  // deleting compares names as given
    EXPECT_TRUE(WriteSection("nosec", "\0"sv));
    EXPECT_EQ(Bytes(), text);
}

TEST_F(PrivateProfileTest, NullValueDeletesTheFirstSuchKeyAndNullKeyTheFirstSuchSection) {
    Put("p=1\r\n[a]\r\nk=1\r\n[b]\r\nj=1\r\n[A]\r\nj=2\r\nq=3\r\n");
    EXPECT_TRUE(Write("a", "j", nullptr));
    EXPECT_EQ(Bytes(), "p=1\r\n[a]\r\nk=1\r\n[b]\r\nj=1\r\n[A]\r\nq=3\r\n");
    EXPECT_TRUE(Write("a", nullptr, nullptr));
    EXPECT_EQ(Bytes(), "p=1\r\n[b]\r\nj=1\r\n[A]\r\nq=3\r\n");
    EXPECT_TRUE(Write("", "p", nullptr));
    EXPECT_TRUE(Write("b", nullptr, nullptr));
    EXPECT_TRUE(Write("A", nullptr, nullptr));
    EXPECT_EQ(Bytes(), "");
}

TEST_F(PrivateProfileTest, AllNullFlushReportsFailure) {
    EXPECT_FALSE(Write(nullptr, nullptr, nullptr));
    EXPECT_FALSE(Write(nullptr, "k", "v"));
    EXPECT_FALSE(fs::exists(file_));
}

TEST_F(PrivateProfileTest, WritingASectionReplacesTheLinesOfEverySectionOfThatName) {
    Put("[a]\r\n\r\nx = 1\r\n;c\r\nbare\r\n[b]\r\ny=2\r\n[A]\r\nz=3\r\n");
    EXPECT_TRUE(WriteSection("a", "\0"sv));
    EXPECT_EQ(Bytes(), "[a]\r\n[b]\r\ny=2\r\n[A]\r\n");
    EXPECT_TRUE(WriteSection("b", "p=1\0q = 2 \0noeq\0 r=3\0p=4\0\0"sv));
    EXPECT_EQ(Bytes(), "[a]\r\n[b]\r\np=1\r\nq =2 \r\nr=3\r\np=4\r\n[A]\r\n");
    EXPECT_TRUE(WriteSection("new", "k=1\0\0"sv));
    EXPECT_TRUE(profile_.WriteSection("new", nullptr, file_.c_str()));
    EXPECT_EQ(Bytes(), "[a]\r\n[b]\r\np=1\r\nq=2\r\nr=3\r\np=4\r\n[A]\r\n");
    EXPECT_FALSE(profile_.WriteSection(nullptr, "k=1\0", file_.c_str()));
}

TEST_F(PrivateProfileTest, AReadOnlyFileRefusesEveryWriteAndStaysAsItWas) {
    const std::string text = "[a]\r\n\r\nx = 1\r\n";
    Put(text);
    fs::permissions(file_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(Write("a", "x", "2"));
    EXPECT_FALSE(Write("a", "x", nullptr));
    EXPECT_FALSE(Write("a", nullptr, nullptr));
    EXPECT_FALSE(WriteSection("a", "\0"sv));
    EXPECT_EQ(Bytes(), text);
    EXPECT_EQ(Get("a", "x"), "1");
}

TEST_F(PrivateProfileTest, AWriteIntoAMissingFolderFails) {
    file_ = (dir_ / "missing" / "t.ini").string();
    EXPECT_FALSE(Write("a", "k", "v"));
    EXPECT_EQ(Get("a", "k"), "d");
}

TEST_F(PrivateProfileTest, AZeroByteEndsANameOrValueAndOtherBytesPassThrough) {
    Put("[a]\nk=1\0x\nj\0=2\n[b\0c]\nm=3\nv=\x80\x81\x9D\xFF\n"sv);
    EXPECT_EQ(Get("a", "k"), "1");
    EXPECT_EQ(Get("a", "j"), "2");
    EXPECT_EQ(Get("b", "m"), "3");
    EXPECT_EQ(Get("b", "v"), "\x80\x81\x9D\xFF");
    EXPECT_TRUE(Write("a", "k", "5"));
    EXPECT_EQ(Bytes(), "[a]\r\nk=5\r\nj=2\r\n[b]\r\nm=3\r\nv=\x80\x81\x9D\xFF\r\n");
}

TEST_F(PrivateProfileTest, AUtf8MarkIsKeptInFrontOfTheFirstLine) {
    Put("\xEF\xBB\xBF[a]\r\nx=1\r\n");
    EXPECT_EQ(Get("a", "x"), "1");
    EXPECT_TRUE(Write("a", "y", "2"));
    EXPECT_EQ(Bytes(), "\xEF\xBB\xBF[a]\r\nx=1\r\ny=2\r\n");
}

TEST_F(PrivateProfileTest, LongLinesAndValuesHaveNoLimitButTheBuffer) {
    const std::string longValue(30000, 'c');
    Put("[a]\r\n" + std::string(70000, 'k') + "=1\r\nz=2\r\n");
    EXPECT_TRUE(Write("a", "w", longValue.c_str()));
    EXPECT_EQ(Get("a", "z"), "2");
    EXPECT_EQ(Get("a", "w"), longValue.substr(0, 16383));
    EXPECT_EQ(Get("a", "w", "d", 40000), longValue);
    EXPECT_EQ(Get("a", std::string(70000, 'K').c_str()), "1");
}

TEST_F(PrivateProfileTest, ManyWritesNeverLoseOtherKeys) {
    for (int i = 0; i < 40; ++i) {
        const std::string section = "s" + std::to_string(i % 5);
        const std::string key = "k" + std::to_string(i);
        ASSERT_TRUE(Write(section.c_str(), key.c_str(), std::to_string(i * 7).c_str()));
    }
    ASSERT_TRUE(Write("s2", "k7", nullptr));
    for (int i = 0; i < 40; ++i) {
        const std::string section = "s" + std::to_string(i % 5);
        const std::string key = "k" + std::to_string(i);
        EXPECT_EQ(Get(section.c_str(), key.c_str()), i == 7 ? "d" : std::to_string(i * 7)) << key;
    }
}

TEST_F(PrivateProfileTest, BinaryGarbageNeitherCrashesNorHangs) {
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 400, '\0');
        for (char& c : bytes)
            c = "[]=;\r\n \t\"'\0aB\xFF\x1A"[random() % 15];
        Put(bytes);
        uint32_t n = 0;
        List(nullptr, 64, n);
        EXPECT_LE(n, 63u);
        ASSERT_TRUE(Write("aB", "a", "v"));
        ASSERT_EQ(Get("ab", "A"), "v") << round;
    }
}

}  // namespace
