#include "tools/number/NumberInfoRoutines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "core/Locale.h"
#include "tools/number/CsvFile.h"

namespace {

const std::string kNote =
    "\r\nPrimes always ends on either 1, 3, 7 or 9.\r\nWith the exception of the numbers 2 and 5.\r\nNumber above or "
    "below is divisible by 6.";
const TInfoLine kNoteLine{kInfoViolet, false, kNote};

class TFakeMessages : public ISystemMessages {
  public:
    std::map<uint32_t, std::string> system;
    std::map<uint32_t, std::string> wave;
    std::vector<std::string> tables;

    std::string SysErrorMessage(uint32_t code) const override {
        const auto it = system.find(code);
        return it == system.end() ? std::string() : it->second;
    }
    bool WaveOutErrorText(uint32_t code, std::string& text) const override {
        const auto it = wave.find(code);
        if (it == wave.end())
            return false;
        text = it->second;
        return true;
    }
    std::vector<std::string> ErrorTableFiles() const override { return tables; }
};

class HexPrefix : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = HexDisplayPrefix();
        HexDisplayPrefix() = "0x";
    }
    void TearDown() override { HexDisplayPrefix() = saved_; }
    std::string saved_;
};

std::vector<std::string> Texts(const TInfoLines& lines) {
    std::vector<std::string> texts;
    for (const TInfoLine& line : lines)
        texts.push_back(line.text);
    return texts;
}

using Texts_t = std::vector<std::string>;

std::vector<uint32_t> BruteDivisors(uint32_t n) {
    std::vector<uint32_t> divisors;
    for (uint32_t d = 2; d < n; ++d) {
        if (n % d == 0)
            divisors.push_back(d);
    }
    return divisors;
}

std::string Listed(const std::vector<uint32_t>& numbers) {
    std::string text = "  ";
    for (uint32_t v : numbers)
        text += std::to_string(v) + ", ";
    return text;
}

std::vector<bool> Sieve(uint32_t limit) {
    std::vector<bool> prime(limit + 1, true);
    prime[0] = false;
    if (limit >= 1)
        prime[1] = false;
    for (uint32_t i = 2; i * i <= limit; ++i) {
        if (prime[i]) {
            for (uint32_t j = i * i; j <= limit; j += i)
                prime[j] = false;
        }
    }
    return prime;
}

TEST_F(HexPrefix, WordsAndBytesSplitTheNumberWithHexAndDecimal) {
    const TInfoLines lines = WordsAndBytes(0x12345678);
    EXPECT_EQ(lines, (TInfoLines{
                         {kInfoBlack, false, "HiWord(305419896)            = 0x1234  (4660)"},
                         {kInfoGray, false, "  HiByte(HiWord(305419896))  = 0x12    (18)"},
                         {kInfoGray, false, "  LoByte(HiWord(305419896))  = 0x34    (52)"},
                         {kInfoBlack, false, "LoWord(305419896)            = 0x5678  (22136)"},
                         {kInfoGray, false, "  HiByte(LoWord(305419896))  = 0x56    (86)"},
                         {kInfoGray, false, "  LoByte(LoWord(305419896))  = 0x78    (120)"},
                     }));
    EXPECT_EQ(WordsAndBytes(0)[0].text, "HiWord(0)            = 0x0000  (0)");
    EXPECT_EQ(WordsAndBytes(0)[5].text, "  LoByte(LoWord(0))  = 0x00    (0)");
}

TEST_F(HexPrefix, SwapEndiansRefusesNumbersBelow256) {
    EXPECT_EQ(SwapEndians(0), (TInfoLines{{kInfoBlack, true, "Endian Swap of the Number 0x00000000 (0)"},
                                          {kInfoRed, false, "  Number is too little"}}));
    EXPECT_EQ(SwapEndians(255).size(), 2u);
    EXPECT_EQ(Texts(SwapEndians(256)), (Texts_t{"Endian Swap of the Number 0x00000100 (256)", "  Hexadecimal:\t0x01",
                                                "  Signed:\t\t1", "  Unsigned:\t\t1"}));
}

TEST_F(HexPrefix, SwapEndiansSwapsSixteenTwentyFourOrThirtyTwoBitsBySize) {
    EXPECT_EQ(SwapEndians(4660), (TInfoLines{{kInfoBlack, true, "Endian Swap of the Number 0x00001234 (4660)"},
                                             {kInfoBlue, false, "  Hexadecimal:\t0x3412"},
                                             {kInfoBlue, false, "  Signed:\t\t13330"},
                                             {kInfoBlue, false, "  Unsigned:\t\t13330"}}));
    EXPECT_EQ(Texts(SwapEndians(43981)),
              (Texts_t{"Endian Swap of the Number 0x0000ABCD (43981)", "  Hexadecimal:\t0xCDAB", "  Signed:\t\t-12885",
                       "  Unsigned:\t\t52651"}));
    EXPECT_EQ(Texts(SwapEndians(65536))[1], "  Hexadecimal:\t0x0001");
    EXPECT_EQ(Texts(SwapEndians(0x123456)),
              (Texts_t{"Endian Swap of the Number 0x00123456 (1193046)", "  Hexadecimal:\t0x563412",
                       "  Signed:\t\t5649426", "  Unsigned:\t\t5649426"}));
    EXPECT_EQ(Texts(SwapEndians(0x1000000))[1], "  Hexadecimal:\t0x00000001");
    EXPECT_EQ(Texts(SwapEndians(0xFFFFFF7F)),
              (Texts_t{"Endian Swap of the Number 0xFFFFFF7F (4294967167)", "  Hexadecimal:\t0x7FFFFFFF",
                       "  Signed:\t\t2147483647", "  Unsigned:\t\t2147483647"}));
    EXPECT_EQ(Texts(SwapEndians(0xFFFFFFFF))[2], "  Signed:\t\t-1");
}

class ErrorTables : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("numberinfo_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    void Table(const std::string& name, const std::string& text) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        messages_.tables.push_back(path);
    }
    std::filesystem::path folder_;
    TFakeMessages messages_;
};

TEST_F(ErrorTables, EverySourceThatKnowsTheCodeWritesABlock) {
    messages_.system[5] = "Access is denied. \r\n";
    messages_.wave[5] = "Wave text";
    Table("demo.csv", "Demo\r\n5,\"Access denied, really\"\r\n6,other\r\n");
    EXPECT_EQ(ErrorCodeMessages(5, messages_), (TInfoLines{
                                                   {kInfoBlack, true, "SysErrorMessage(5):"},
                                                   {kInfoGreen, false, "  \"Access is denied\""},
                                                   {kInfoBlack, false, ""},
                                                   {kInfoBlack, true, "waveOutGetErrorText(5):"},
                                                   {kInfoGreen, false, "  \"Wave text\""},
                                                   {kInfoBlack, false, ""},
                                                   {kInfoBlack, true, "Demo(5):"},
                                                   {kInfoGreen, false, "  \"Access denied, really\""},
                                                   {kInfoBlack, false, ""},
                                               }));
}

TEST_F(ErrorTables, NothingFoundGivesTheRedLine) {
    messages_.system[7] = " ...\r\n";  // nothing left after trimming
    messages_.wave[7] = "";
    Table("t.csv", "T\n7,\n7\n");  // rows without text write nothing
    EXPECT_EQ(ErrorCodeMessages(7, messages_),
              (TInfoLines{{kInfoRed, false, "Failed to find an error message for code 7."}}));
}

TEST_F(ErrorTables, EveryMatchingRowOfEveryLoadableTableIsWrittenInOrder) {
    Table("a.csv", "First,Message\n$80070005,E_ACCESSDENIED\n-2147024891,Same code in decimal\n1,no\n");
    messages_.tables.push_back((folder_ / "missing.csv").string());
    Table("empty.csv", "");
    Table("b.csv", "Second\n0x80070005,Third\n2147942405,Too large for a 32-bit integer\n");
    EXPECT_EQ(Texts(ErrorCodeMessages(2147942405u, messages_)),
              (Texts_t{"First(2147942405):", "  \"E_ACCESSDENIED\"", "", "First(2147942405):",
                       "  \"Same code in decimal\"", "", "Second(2147942405):", "  \"Third\"", ""}));
}

TEST_F(ErrorTables, UnreadableCodesCountAsZero) {
    Table("z.csv", "Z\nnot a number,Matches zero\n\"\",Empty code\n");
    EXPECT_EQ(Texts(ErrorCodeMessages(0, messages_)),
              (Texts_t{"Z(0):", "  \"Matches zero\"", "", "Z(0):", "  \"Empty code\"", ""}));
}

TEST(SystemMessageTrim, DropsTrailingBlanksAndFullStopsOnly) {
    EXPECT_EQ(TrimSystemMessage("The operation completed successfully.\r\n"), "The operation completed successfully");
    EXPECT_EQ(TrimSystemMessage("A. B..  . \t"), "A. B");
    EXPECT_EQ(TrimSystemMessage("  leading stays"), "  leading stays");
    EXPECT_EQ(TrimSystemMessage("..."), "");
}

TEST(IntegerDivisions, ZeroIsRefusedWithoutTheNote) {
    EXPECT_EQ(IntegerDivisions(0), (TInfoLines{{kInfoRed, true, "The given number must be larger than zero."}}));
}

TEST(IntegerDivisions, SixListsTwoAndThreeWithSumFiveAndIsPerfect) {
    EXPECT_EQ(IntegerDivisions(6),
              (TInfoLines{
                  {kInfoBlack, true, "Numbers of which 6 divided by, returns an integer:"},
                  {kInfoBlue, false, "  2, 3, \r\n", true},
                  {kInfoBlack, true, "Total sum of all factors:"},
                  {kInfoBlue, false, "  5"},
                  {kInfoGreen, true, "\r\nThis is a perfect number! All divisors added together equals 6."},
                  kNoteLine,
              }));
    EXPECT_EQ(IntegerDivisions(28)[3].text, "  27");
    EXPECT_EQ(IntegerDivisions(28)[4].text, "\r\nThis is a perfect number! All divisors added together equals 28.");
    EXPECT_EQ(IntegerDivisions(12).size(), 5u);  // sum 15: not perfect
}

TEST(IntegerDivisions, NumbersWithoutDivisorsAreReportedPrime) {
    EXPECT_EQ(IntegerDivisions(7), (TInfoLines{{kInfoGreen, true, "The number 7 is a prime number!"}, kNoteLine}));
    EXPECT_EQ(IntegerDivisions(1)[0].text, "The number 1 is a prime number!");
    EXPECT_EQ(IntegerDivisions(4294967291u)[0].text, "The number 4294967291 is a prime number!");
}

TEST(IntegerDivisions, ListAndSumMatchTryingEveryDivisor) {
    for (uint32_t n = 2; n < 3000; ++n) {
        const std::vector<uint32_t> divisors = BruteDivisors(n);
        if (divisors.empty())
            continue;
        uint64_t sum = 0;
        for (uint32_t d : divisors)
            sum += d;
        const TInfoLines lines = IntegerDivisions(n);
        ASSERT_EQ(lines[1].text, Listed(divisors) + "\r\n") << n;
        ASSERT_EQ(lines[3].text, "  " + std::to_string(sum)) << n;
    }
    EXPECT_EQ(IntegerDivisions(3491888400u)[3].text, "  15106921199");  // the sum outgrows 32 bits
    EXPECT_EQ(IntegerDivisions(4294967295u)[1].text.substr(0, 16), "  3, 5, 15, 17, ");
}

TEST(PrimeLists, RangeBelowTwoIsRaisedToTwoByTheFastRoutineOnly) {
    EXPECT_EQ(PrimesByFoundPrimes(0), (TInfoLines{
                                          {kInfoRed, false, "Maximum range increased to 2."},
                                          {kInfoBlack, true, "Listing the 1 Prime Numbers in the Range [2..2]:"},
                                          {kInfoBlue, false, "  2, ", true},
                                          kNoteLine,
                                      }));
    EXPECT_EQ(PrimesByTrialDivision(1), (TInfoLines{
                                            {kInfoBlack, true, "Listing the 0 Prime Numbers in the Range [2..1]:"},
                                            {kInfoBlue, false, "  ", true},
                                            kNoteLine,
                                        }));
}

TEST(PrimeLists, BothRoutinesListThePrimesOfTheRange) {
    EXPECT_EQ(Texts(PrimesByFoundPrimes(30)), (Texts_t{"Listing the 10 Prime Numbers in the Range [2..30]:",
                                                       "  2, 3, 5, 7, 11, 13, 17, 19, 23, 29, ", kNote}));
    const std::vector<bool> prime = Sieve(3000);
    for (uint32_t n = 2; n <= 3000; n += (n < 60 ? 1 : 37)) {
        std::vector<uint32_t> expected;
        for (uint32_t k = 2; k <= n; ++k) {
            if (prime[k])
                expected.push_back(k);
        }
        const TInfoLines fast = PrimesByFoundPrimes(n);
        ASSERT_EQ(fast[1].text, Listed(expected)) << n;
        ASSERT_EQ(fast, PrimesByTrialDivision(n)) << n;
    }
}

TEST(PrimeLists, MillionHoldsItsKnownCount) {
    EXPECT_EQ(PrimesByFoundPrimes(1000000)[0].text, "Listing the 78498 Prime Numbers in the Range [2..1000000]:");
}

TEST(ListRows, LongListsAreCutAfterCommasIntoIndentedRowsThatJoinBack) {
    EXPECT_EQ(BreakIntoRows("  2, 3, 5, 7, 11, 13, 17, ", 12), "  2, 3, 5,\r\n  7, 11, 13,\r\n  17, ");
    EXPECT_EQ(BreakIntoRows("Header:\r\n  2, 3, 5, 7, \r\nnote", 10), "Header:\r\n  2, 3, 5,\r\n  7, \r\nnote");
    EXPECT_EQ(BreakIntoRows("  2, 3, 5, ", 11), "  2, 3, 5, ");  // fits: unchanged
    EXPECT_EQ(BreakIntoRows("no separators in this long line", 5), "no separators in this long line");
    // An item wider than a row stays whole on a row of its own.
    EXPECT_EQ(BreakIntoRows("  1, 123456789, 2, ", 8), "  1,\r\n  123456789,\r\n  2, ");
    // A row too narrow for the indent still moves on.
    EXPECT_EQ(BreakIntoRows("    1, 2, ", 3), "    1,\r\n2, ");

    for (const uint32_t n : {1000u, 100000u}) {
        const std::string list = PrimesByFoundPrimes(n)[1].text;
        for (const size_t columns : {20u, 79u, 200u}) {
            const std::string rows = BreakIntoRows(list, columns);
            std::string joined;
            size_t longest = 0;
            for (size_t start = 0;;) {
                const size_t end = rows.find("\r\n", start);
                const std::string row = rows.substr(start, end == std::string::npos ? end : end - start);
                longest = std::max(longest, row.ends_with(' ') ? row.size() - 1 : row.size());
                ASSERT_TRUE(row.starts_with("  ") && row[2] != ' ') << row;
                joined += start ? " " + row.substr(2) : row;
                if (end == std::string::npos)
                    break;
                start = end + 2;
            }
            EXPECT_EQ(joined, list) << columns;
            EXPECT_LE(longest, columns);
            EXPECT_GT(longest, columns - 10);  // rows are filled, not cut early
        }
    }
}

TEST(ListRows, PiecesCutAtRowEndsGiveTheRowsBackAndLeaveOtherLinesAlone) {
    const TInfoLines lines = PrimesByFoundPrimes(100000);
    const std::string rows = BreakIntoRows(lines[1].text, 80);
    for (const size_t pieceBytes : {1u, 81u, 4096u, 1000000u}) {
        const TInfoLines pieces = CutIntoPieces(lines, 80, pieceBytes);
        ASSERT_GE(pieces.size(), 3u);
        EXPECT_EQ(pieces.front(), lines.front());
        EXPECT_EQ(pieces.back(), lines.back());
        std::string joined;
        for (size_t i = 1; i + 1 < pieces.size(); ++i) {
            // Each piece is rows of the list; all but the first go on from the one before.
            EXPECT_EQ(pieces[i], (TInfoLine{kInfoBlue, false, pieces[i].text, true, i > 1}));
            EXPECT_TRUE(pieces[i].text.size() <= pieceBytes || pieces[i].text.find("\r\n") == std::string::npos);
            joined += (i > 1 ? "\r\n" : "") + pieces[i].text;
        }
        EXPECT_EQ(joined, rows) << pieceBytes;
        EXPECT_EQ(pieces.size() > 3, pieceBytes < rows.size()) << pieceBytes;
    }
    // Below the length that needs cutting a list stays one line, and none of it is a row cut.
    const TInfoLines whole = CutIntoPieces(lines, 80, 4096, lines[1].text.size() + 1);
    EXPECT_EQ(whole[1], (TInfoLine{kInfoBlue, false, lines[1].text}));
    // A list that ends in a line end keeps it.
    const TInfoLines divisors = CutIntoPieces(IntegerDivisions(720720), 20, 30);
    std::string joined;
    for (const TInfoLine& piece : divisors)
        joined += piece.text + "\r\n";
    std::string expected;
    for (const TInfoLine& line : IntegerDivisions(720720))
        expected += (line.list ? BreakIntoRows(line.text, 20) : line.text) + "\r\n";
    EXPECT_EQ(joined, expected);
}

TEST(ListRows, AnAnswerTooLargeForMemoryEndsInARedLine) {
    const TInfoLines lines = RunGuarded([]() -> TInfoLines { throw std::bad_alloc(); });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].color, kInfoRed);
    EXPECT_EQ(RunGuarded([] { return PrimesByFoundPrimes(10); }), PrimesByFoundPrimes(10));
}

TEST(IsPrime, AgreesWithASieveAndKnowsTheEdges) {
    const std::vector<bool> prime = Sieve(200000);
    for (uint32_t n = 0; n <= 200000; ++n)
        ASSERT_EQ(IsPrime(n), prime[n]) << n;
    EXPECT_TRUE(IsPrime(4294967291u));
    EXPECT_TRUE(IsPrime(2147483647u));
    EXPECT_FALSE(IsPrime(4294967295u));
    EXPECT_FALSE(IsPrime(4292870399u));  // 65519 * 65521: the only divisors lie just below the square root
    EXPECT_EQ(IsPrimeAnswer(7),
              (TInfoLines{{kInfoBlack, true, "Is the number 7 a Prime?"}, {kInfoGreen, true, "  true"}, kNoteLine}));
    EXPECT_EQ(IsPrimeAnswer(25)[1].text, "  false");
}

TEST(Fibonacci, RangeIsClampedToTwoAndNinetyTwo) {
    EXPECT_EQ(FibonacciNumbers(0),
              (TInfoLines{{kInfoRed, false, "Range increased to 2."},
                          {kInfoBlack, true, "Listing the Fibonacci number sequence in the range [0..2]:"},
                          {kInfoBlue, false, "  0, 1, 1, ", true}}));
    const TInfoLines hundred = FibonacciNumbers(100);
    ASSERT_EQ(hundred.size(), 3u);
    EXPECT_EQ(hundred[0], (TInfoLine{kInfoRed, false, "Range reduced to 92."}));
    EXPECT_EQ(hundred[1].text, "Listing the Fibonacci number sequence in the range [0..92]:");
    EXPECT_TRUE(hundred[2].text.ends_with(", 4660046610375530309, 7540113804746346429, "));
    EXPECT_EQ(FibonacciNumbers(92).size(), 2u);
    EXPECT_EQ(FibonacciNumbers(93)[0].text, "Range reduced to 92.");
    EXPECT_EQ(FibonacciNumbers(10)[1].text, "  0, 1, 1, 2, 3, 5, 8, 13, 21, 34, 55, ");
}

TEST(NumberInfoQueries, ItemsNumberTheQueriesAndUnknownIndexesRunNothing) {
    EXPECT_EQ(NumberInfoQueryItem(3), "3 - Divisions that Returns an Integer");
    EXPECT_EQ(NumberInfoQueryItem(7), "7 - List all Prime Numbers OLD");
    TFakeMessages messages;
    EXPECT_EQ(RunNumberInfoQuery(1, 4660, messages), SwapEndians(4660));
    EXPECT_TRUE(RunNumberInfoQuery(8, 6, messages).empty());
}

TEST(NumberInfoDuration, MicrosecondsWithThreeDecimalsAndThousandsSeparators) {
    const TFixedLocale locale('.', ',');
    SetAppLocale(&locale);
    EXPECT_EQ(DurationLine(1234.5678L), (TInfoLine{kInfoPurple, false, "\r\nDuration: 1,234.568 \xB5sec"}));
    SetAppLocale(nullptr);
    EXPECT_DOUBLE_EQ(static_cast<double>(DurationMicroseconds(100, 350, 1000)), 250000.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(DurationMicroseconds(0, 3, 0)), 3000000.0);
}

TEST(NumberEdit, KeyFilterPassesHexNotationAndUpperCasesDigitsAToF) {
    EXPECT_EQ(FilterNumberKey('a'), 'A');
    EXPECT_EQ(FilterNumberKey('x'), 'x');
    EXPECT_EQ(FilterNumberKey('\b'), '\b');
    EXPECT_EQ(FilterNumberKey('g'), '\0');
    EXPECT_EQ(FilterNumberKey('+'), '\0');
}

TEST(NumberEdit, RewrittenWhenEmptyOrNotReadingAsTheValue) {
    EXPECT_FALSE(NumberEditNeedsRewrite("$1F", 31));
    EXPECT_TRUE(NumberEditNeedsRewrite("12ABC", 5));
    EXPECT_FALSE(NumberEditNeedsRewrite("12ABC", 0));  // reads as the fallback 0
    EXPECT_TRUE(NumberEditNeedsRewrite("", 0));
    EXPECT_FALSE(NumberEditNeedsRewrite("-1", -1));
}

class TShippedTables : public TFakeMessages {
  public:
    TShippedTables() {
        for (const char* name : {"errno", "hresult", "http", "ntstatus", "winsock"})
            tables.push_back(std::string(DD_SOURCE_DIR) + "/data/numberinfo/" + name + ".csv");
    }
};

TEST(ShippedErrorTables, EveryRowHasAReadableUniqueCodeAndAText) {
    const TShippedTables shipped;
    for (const std::string& path : shipped.tables) {
        TCsvFile table(',', '\0');
        ASSERT_TRUE(table.LoadFromFile(path)) << path;
        EXPECT_FALSE(table.Header(0).empty()) << path;
        EXPECT_GT(table.RowCount(), 30) << path;
        std::set<int32_t> codes;
        for (int row = 0; row < table.RowCount(); ++row) {
            int32_t code = 0;
            ASSERT_TRUE(TryStrToInt(table.Cell(row, 0), code)) << path << " row " << row;
            EXPECT_TRUE(codes.insert(code).second) << path << " repeats " << table.Cell(row, 0);
            EXPECT_EQ(table.FieldCount(row), 2) << path << " row " << row;
            EXPECT_NE(table.Cell(row, 1).find(" - "), std::string::npos) << path << " row " << row;
        }
    }
}

TEST(ShippedErrorTables, WellKnownCodesAreFoundWithTheirSymbols) {
    const TShippedTables shipped;
    const auto lookup = [&](uint32_t code) { return Texts(ErrorCodeMessages(code, shipped)); };
    EXPECT_EQ(lookup(2147942405u),
              (Texts_t{"HRESULT(2147942405):", "  \"E_ACCESSDENIED - General access denied error\"", ""}));
    EXPECT_EQ(lookup(3221225477u)[1],
              "  \"STATUS_ACCESS_VIOLATION - The instruction referenced memory it may not "
              "access\"");
    EXPECT_EQ(lookup(10061)[0], "Windows Sockets(10061):");
    EXPECT_EQ(lookup(404)[1], "  \"Not Found - The server has no resource at this URI\"");
    const Texts_t thirteen = lookup(13);
    EXPECT_EQ(thirteen[0], "C runtime errno(13):");
    EXPECT_EQ(thirteen[1], "  \"EACCES - Permission denied\"");
}

}  // namespace
