#include "tools/number/CsvFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> RowOf(const TCsvFile& csv, int row) {
    std::vector<std::string> fields;
    for (int i = 0; i < csv.FieldCount(row); ++i)
        fields.push_back(csv.Cell(row, i));
    return fields;
}

std::vector<std::string> FieldsOf(std::string_view line, char separator = ',') {
    TCsvFile csv(separator, '\0');
    csv.LoadFromText("header\n" + std::string(line));
    return RowOf(csv, 0);
}

using Fields = std::vector<std::string>;

TEST(CsvFile, QuotedFieldKeepsItsSeparatorAndLosesItsQuotes) {
    TCsvFile csv(',', '\0');
    csv.LoadFromText("Demo\r\n5,\"Access denied, really\"\r\n");
    EXPECT_EQ(csv.Header(0), "Demo");
    ASSERT_EQ(csv.RowCount(), 1);
    EXPECT_EQ(RowOf(csv, 0), (Fields{"5", "Access denied, really"}));
}

TEST(CsvFile, LinesEndAtCrLfOrCrLfAndEmptyLinesAreSkipped) {
    TCsvFile csv(',', '\0');
    csv.LoadFromText("h1,h2\rA,1\n\nB,2\r\n\r\n\rC,3");
    EXPECT_EQ(csv.HeaderCount(), 2);
    ASSERT_EQ(csv.RowCount(), 3);
    EXPECT_EQ(csv.Cell(0, 0), "A");
    EXPECT_EQ(csv.Cell(1, 1), "2");
    EXPECT_EQ(csv.Cell(2, 0), "C");
}

TEST(CsvFile, TrailingSeparatorAddsNoFieldWhileAdjacentSeparatorsGiveAnEmptyOne) {
    EXPECT_EQ(FieldsOf("a,"), (Fields{"a"}));
    EXPECT_EQ(FieldsOf("a,,b"), (Fields{"a", "", "b"}));
    EXPECT_EQ(FieldsOf(",a"), (Fields{"", "a"}));
    EXPECT_EQ(FieldsOf("a, "), (Fields{"a", ""}));  // a blank after the separator is a field
    EXPECT_EQ(FieldsOf(","), (Fields{""}));
    EXPECT_EQ(FieldsOf("   "), (Fields{""}));
}

TEST(CsvFile, FieldsAreTrimmedBeforeOnePairOfEnclosingQuotesIsRemoved) {
    EXPECT_EQ(FieldsOf("  a  ,\t b\t\x01"), (Fields{"a", "b"}));
    EXPECT_EQ(FieldsOf(" \" x \" ,y"), (Fields{" x ", "y"}));
    EXPECT_EQ(FieldsOf("\"a\"\"b\""), (Fields{"a\"\"b"}));  // doubled quotes are not collapsed
    EXPECT_EQ(FieldsOf("\"\""), (Fields{""}));
    EXPECT_EQ(FieldsOf("\""), (Fields{"\""}));
    EXPECT_EQ(FieldsOf("\"a\"b"), (Fields{"\"a\"b"}));
    EXPECT_EQ(FieldsOf("\xA0x\xA0"), (Fields{"\xA0x\xA0"}));  // only codes up to 32 are blanks
}

TEST(CsvFile, QuoteAnywhereProtectsSeparatorsUpToTheNextQuoteOrTheLineEnd) {
    EXPECT_EQ(FieldsOf("x\"1,2\"y,z"), (Fields{"x\"1,2\"y", "z"}));
    EXPECT_EQ(FieldsOf("a,\"b,c"), (Fields{"a", "\"b,c"}));
    EXPECT_EQ(FieldsOf("\"a,b\",\"c,d\",e"), (Fields{"a,b", "c,d", "e"}));
    EXPECT_EQ(FieldsOf("a;\"b;c\";d", ';'), (Fields{"a", "b;c", "d"}));
}

TEST(CsvFile, CommentCharacterSkipsLinesThatBeginWithIt) {
    TCsvFile csv(',', '#');
    csv.LoadFromText("# comment\nname\n#5,x\n #6,y\n7,z");
    EXPECT_EQ(csv.Header(0), "name");
    ASSERT_EQ(csv.RowCount(), 2);
    EXPECT_EQ(csv.Cell(0, 0), "#6");
    EXPECT_EQ(csv.Cell(1, 1), "z");

    TCsvFile none(',', '\0');
    none.LoadFromText(std::string("\0a,b\nc,d", 8));
    EXPECT_EQ(none.RowCount(), 1);
    EXPECT_EQ(none.Header(1), "b");
}

TEST(CsvFile, IndexesOutOfRangeGiveEmptyTexts) {
    TCsvFile csv(',', '\0');
    csv.LoadFromText("h\n1\n2,3,4");
    EXPECT_EQ(csv.Header(-1), "");
    EXPECT_EQ(csv.Header(1), "");
    EXPECT_EQ(csv.Cell(0, 1), "");  // rows may be shorter than others
    EXPECT_EQ(csv.Cell(1, 2), "4");
    EXPECT_EQ(csv.Cell(2, 0), "");
    EXPECT_EQ(csv.Cell(-1, 0), "");
    EXPECT_EQ(csv.Cell(0, -1), "");
    EXPECT_EQ(csv.FieldCount(5), 0);
}

TEST(CsvFile, TextWithoutKeptLinesHasNoHeaderAndNoRows) {
    TCsvFile csv(',', ';');
    csv.LoadFromText("\r\n\r\n;x\n");
    EXPECT_EQ(csv.HeaderCount(), 0);
    EXPECT_EQ(csv.RowCount(), 0);
    csv.LoadFromText("");
    EXPECT_EQ(csv.RowCount(), 0);
}

class CsvFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("csvfile_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::filesystem::path folder_;
};

TEST_F(CsvFileOnDisk, SuccessfulLoadReplacesTheContentsAndFailedLoadsKeepThem) {
    TCsvFile csv(',', '\0');
    ASSERT_TRUE(csv.LoadFromFile(Write("a.csv", "First\n1,one\n2,two\n")));
    ASSERT_TRUE(csv.LoadFromFile(Write("b.csv", "Second\n3,three\n")));
    EXPECT_EQ(csv.Header(0), "Second");
    EXPECT_EQ(csv.RowCount(), 1);

    EXPECT_FALSE(csv.LoadFromFile((folder_ / "missing.csv").string()));
    EXPECT_FALSE(csv.LoadFromFile(Write("empty.csv", "")));
    EXPECT_FALSE(csv.LoadFromFile(folder_.string()));  // a folder is no table
    EXPECT_EQ(csv.Header(0), "Second");
    EXPECT_EQ(csv.Cell(0, 1), "three");
}

TEST_F(CsvFileOnDisk, BinaryBytesAndLongLinesLoadWhole) {
    std::string text = "Bin\n1,\"";
    text += std::string(1 << 20, 'x');
    text += std::string("\0\xFF,\"\r\n2,y", 9);
    TCsvFile csv(',', '\0');
    ASSERT_TRUE(csv.LoadFromFile(Write("big.csv", text)));
    ASSERT_EQ(csv.RowCount(), 2);
    EXPECT_EQ(csv.Cell(0, 1).size(), (1u << 20) + 3);
    EXPECT_EQ(csv.Cell(1, 1), "y");
}

}  // namespace
