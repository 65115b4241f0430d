#include "tools/number/CsvFile.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/TempFileTest.h"

namespace {

std::string RowOf(const TCsvFile& csv, int row) {
    std::string fields;
    for (int i = 0; i < csv.FieldCount(row); ++i)
        fields += "[" + csv.Cell(row, i) + "]";
    return fields;
}

// A trailing separator adds no field; doubled quotes are not collapsed; only codes up to 32 are blanks; a quote
// protects separators up to the next quote or the line end.
TEST(CsvFile, EachLineSplitsIntoTrimmedFieldsThatLoseOnePairOfEnclosingQuotes) {
    using TCase = std::pair<std::string, std::string>;
    const TCase cases[] = {{"5,\"a, b\"", "[5][a, b]"},    {"a,", "[a]"},
                           {"  a  ,\t b\t\x01", "[a][b]"}, {" \" x \" ,y", "[ x ][y]"},
                           {"\"a\"\"b\"", "[a\"\"b]"},     {"\"a\"b", "[\"a\"b]"},
                           {"\xA0x\xA0", "[\xA0x\xA0]"},   {"x\"1,2\"y,z", "[x\"1,2\"y][z]"},
                           {"a,\"b,c", "[a][\"b,c]"},      {"a, ", "[a][]"},
                           {"\"\",\"", "[][\"]"}};  // a lone quote is no pair
    for (const auto& [line, fields] : cases) {
        TCsvFile csv(',', '\0');
        csv.LoadFromText("header\n" + line);
        EXPECT_EQ(RowOf(csv, 0), fields) << line;
    }
}

TEST(CsvFile, LinesEndAtCrLfOrCrLfEmptyOrCommentLinesAreSkippedAndIndexesOutOfRangeGiveEmptyTexts) {
    TCsvFile csv(';', '#');
    csv.LoadFromText("# comment\rh1;h2\rA;1\n\n#B;2\r\n\r\n\r #C;\"3;4\"");
    EXPECT_EQ(csv.Header(0) + csv.Header(1), "h1h2");
    ASSERT_EQ(csv.RowCount(), 2);
    EXPECT_EQ(RowOf(csv, 0) + RowOf(csv, 1), "[A][1][#C][3;4]");
    EXPECT_EQ(csv.Cell(0, 2) + csv.Cell(2, 0) + csv.Cell(-1, 0) + csv.Header(-1) + csv.Header(2), "");  // out of range
}

using CsvFileLoad = TTempFileTest;

TEST_F(CsvFileLoad, ASuccessfulLoadReplacesTheContentsAndAFailedOneKeepsThem) {
    const std::string big = std::string(1 << 20, 'x') + std::string("\0\xFF,", 3);  // binary bytes, a long line
    TCsvFile csv(',', '\0');
    ASSERT_TRUE(csv.LoadFromFile(Write("a.csv", "First\n1,one\n2,two\n")));
    ASSERT_TRUE(csv.LoadFromFile(Write("b.csv", "Bin\n1,\"" + big + "\"")));
    EXPECT_EQ(RowOf(csv, 0), "[1][" + big + "]");
    for (const std::string& path : {(dir_ / "missing.csv").string(), Write("empty.csv", ""), dir_.string()})
        EXPECT_FALSE(csv.LoadFromFile(path)) << path;  // a missing file, an empty one, a folder
    EXPECT_EQ(csv.Header(0) + std::to_string(csv.RowCount()), "Bin1");
}

}  // namespace
