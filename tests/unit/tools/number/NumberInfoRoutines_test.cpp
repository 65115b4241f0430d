#include "tools/number/NumberInfoRoutines.h"

#include <gtest/gtest.h>

#include <map>
#include <new>
#include <tuple>

#include "tests/unit/TempFileTest.h"

namespace {

const std::string kNote =
    "\r\nPrimes always ends on either 1, 3, 7 or 9.\r\nWith the exception of the numbers 2 and 5.\r\nNumber above or "
    "below is divisible by 6.";
using Texts_t = std::vector<std::string>;

Texts_t Texts(const TInfoLines& lines) {
    Texts_t texts;
    for (const TInfoLine& line : lines)
        texts.push_back(line.text);
    return texts;
}

std::string Listed(const std::vector<uint32_t>& numbers) {
    std::string text = "  ";
    for (uint32_t v : numbers)
        text += std::to_string(v) + ", ";
    return text;
}

std::vector<bool> Sieve(uint32_t limit) {
    std::vector<bool> prime(limit + 1, true);
    prime[0] = prime[1] = false;
    for (uint32_t i = 2; i * i <= limit; ++i) {
        for (uint32_t j = i * i; prime[i] && j <= limit; j += i)
            prime[j] = false;
    }
    return prime;
}

class TFakeMessages : public ISystemMessages {
  public:
    std::map<uint32_t, std::string> system;
    std::map<uint32_t, std::string> wave;
    std::vector<std::string> tables;

    std::string SysErrorMessage(uint32_t code) const override { return system.count(code) ? system.at(code) : ""; }
    bool WaveOutErrorText(uint32_t code, std::string& text) const override {
        text = wave.count(code) ? wave.at(code) : "";
        return wave.count(code) != 0;
    }
    std::vector<std::string> ErrorTableFiles() const override { return tables; }
};

TEST(WordsAndBytes, SplitTheNumberWithHexAndDecimal) {
    HexDisplayPrefix() = "0x";
    EXPECT_EQ(Texts(WordsAndBytes(0x12345678)),
              (Texts_t{"HiWord(305419896)            = 0x1234  (4660)", "  HiByte(HiWord(305419896))  = 0x12    (18)",
                       "  LoByte(HiWord(305419896))  = 0x34    (52)", "LoWord(305419896)            = 0x5678  (22136)",
                       "  HiByte(LoWord(305419896))  = 0x56    (86)", "  LoByte(LoWord(305419896))  = 0x78    (120)"}));
}

TEST(SwapEndians, SwapsSixteenTwentyFourOrThirtyTwoBitsBySizeAndRefusesNumbersBelow256) {
    HexDisplayPrefix() = "0x";
    EXPECT_EQ(Texts(SwapEndians(255))[1], "  Number is too little");
    using TCase = std::tuple<uint32_t, const char*, int32_t, uint32_t>;  // the swapped value
    const TCase cases[] = {
        {256, "0x01", 1, 1},     {4660, "0x3412", 13330, 13330},           {43981, "0xCDAB", -12885, 52651},
        {65536, "0x0001", 1, 1}, {0x123456, "0x563412", 5649426, 5649426}, {0xFFFFFFFF, "0xFFFFFFFF", -1, 4294967295}};
    for (const auto& [n, hex, sign, plain] : cases) {
        const Texts_t texts = Texts(SwapEndians(n));
        EXPECT_EQ(Texts_t(texts.begin() + 1, texts.end()),
                  (Texts_t{std::string("  Hexadecimal:\t") + hex, "  Signed:\t\t" + std::to_string(sign),
                           "  Unsigned:\t\t" + std::to_string(plain)}));
    }
}

using ErrorCodeMessagesTest = TTempFileTest;

TEST_F(ErrorCodeMessagesTest, EverySourceThatKnowsTheCodeWritesABlockOfTrimmedTextInOrderAndNoneGivesTheRedLine) {
    TFakeMessages messages;
    // Trailing blanks, control characters and full stops go; nothing is left of the second text.
    messages.system = {{5, "  Access. is denied..  . \t\r\n"}, {7, " ...\r\n"}};
    messages.wave = {{5, "Wave text"}, {7, ""}};
    // Rows without text write nothing.
    messages.tables = {Write("demo.csv", "Demo\r\n5,\"Access denied, really\"\r\n6,other\r\n7,\n7\n"),
                       (dir_ / "missing.csv").string(),
                       Write("b.csv",
                             "Second\n$5,Hex\n0x5,Hex again\n-2147024891,Signed\n"
                             "2147942405,Too large for 32 bits\nnot a number,Zero\n")};
    EXPECT_EQ(Texts(ErrorCodeMessages(5, messages)),
              (Texts_t{"SysErrorMessage(5):", "  \"  Access. is denied\"", "",
                       "waveOutGetErrorText(5):", "  \"Wave text\"", "", "Demo(5):", "  \"Access denied, really\"", "",
                       "Second(5):", "  \"Hex\"", "", "Second(5):", "  \"Hex again\"", ""}));
    EXPECT_EQ(Texts(ErrorCodeMessages(0, messages)),
              (Texts_t{"Second(0):", "  \"Too large for 32 bits\"", "", "Second(0):", "  \"Zero\"", ""}));
    EXPECT_EQ(ErrorCodeMessages(7, messages),
              (TInfoLines{{kInfoRed, false, "Failed to find an error message for code 7."}}));
    EXPECT_EQ(Texts(ErrorCodeMessages(2147942405u, messages)), (Texts_t{"Second(2147942405):", "  \"Signed\"", ""}));
}

TEST(IntegerDivisions, ListSumPerfectAndPrimeAnswersMatchTryingEveryDivisor) {
    EXPECT_EQ(IntegerDivisions(0), (TInfoLines{{kInfoRed, true, "The given number must be larger than zero."}}));
    EXPECT_TRUE(IntegerDivisions(6)[1].list);  // so that the window cuts a long one into rows
    for (uint32_t n = 1; n < 3000; ++n) {
        std::vector<uint32_t> divisors;
        uint64_t sum = 0;
        for (uint32_t d = 2; d < n; ++d) {
            if (n % d == 0) {
                divisors.push_back(d);
                sum += d;
            }
        }
        const std::string number = std::to_string(n);
        Texts_t expected = {"The number " + number + " is a prime number!", kNote};
        if (!divisors.empty()) {
            expected = {"Numbers of which " + number + " divided by, returns an integer:", Listed(divisors) + "\r\n",
                        "Total sum of all factors:", "  " + std::to_string(sum), kNote};
        }
        if (!divisors.empty() && sum + 1 == n)
            expected.insert(expected.end() - 1,
                            "\r\nThis is a perfect number! All divisors added together equals " + number + ".");
        ASSERT_EQ(Texts(IntegerDivisions(n)), expected);
    }
    EXPECT_EQ(IntegerDivisions(3491888400u)[3].text, "  15106921199");  // the sum outgrows 32 bits
    EXPECT_EQ(IntegerDivisions(4294967291u)[0].text, "The number 4294967291 is a prime number!");
}

TEST(PrimeLists, BothRoutinesListThePrimesOfASieveAndOnlyTheFastOneRaisesTheRangeToTwo) {
    EXPECT_EQ(
        Texts(PrimesByFoundPrimes(0)),
        (Texts_t{"Maximum range increased to 2.", "Listing the 1 Prime Numbers in the Range [2..2]:", "  2, ", kNote}));
    EXPECT_EQ(Texts(PrimesByTrialDivision(1)),
              (Texts_t{"Listing the 0 Prime Numbers in the Range [2..1]:", "  ", kNote}));
    const std::vector<bool> prime = Sieve(3000);
    std::vector<uint32_t> primes;
    for (uint32_t n = 2; n <= 3000; ++n) {
        if (prime[n])
            primes.push_back(n);
        if (n > 60 && n % 37 != 0)
            continue;
        const TInfoLines fast = PrimesByFoundPrimes(n);
        ASSERT_EQ(Texts(fast), (Texts_t{"Listing the " + std::to_string(primes.size()) +
                                            " Prime Numbers in the Range [2.." + std::to_string(n) + "]:",
                                        Listed(primes), kNote}));
        ASSERT_EQ(fast, PrimesByTrialDivision(n)) << n;
    }
}

TEST(IsPrime, AgreesWithASieveAndKnowsTheEdges) {
    const std::vector<bool> prime = Sieve(200000);
    for (uint32_t n = 0; n <= 200000; ++n)
        ASSERT_EQ(IsPrime(n), prime[n]) << n;
    // 4292870399 = 65519 * 65521: the only divisors lie just below the square root.
    const std::pair<uint32_t, bool> edges[] = {
        {4294967291u, true}, {2147483647u, true}, {4294967295u, false}, {4292870399u, false}};
    for (const auto& [n, expected] : edges)
        EXPECT_EQ(IsPrime(n), expected) << n;
    EXPECT_EQ(Texts(IsPrimeAnswer(7)), (Texts_t{"Is the number 7 a Prime?", "  true", kNote}));
}

TEST(ListRows, LongListsAreCutAfterCommasIntoIndentedRowsThatJoinBack) {
    // Fitting texts stay; an item longer than a row stays whole; a row too narrow for the indent still moves on.
    using TCase = std::tuple<const char*, size_t, const char*>;
    const TCase cases[] = {{"  2, 3, 5, 7, 11, 13, 17, ", 12, "  2, 3, 5,\r\n  7, 11, 13,\r\n  17, "},
                           {"Header:\r\n  2, 3, 5, 7, \r\nnote", 10, "Header:\r\n  2, 3, 5,\r\n  7, \r\nnote"},
                           {"  2, 3, 5, ", 11, "  2, 3, 5, "},
                           {"no separators in this long line", 5, "no separators in this long line"},
                           {"  1, 123456789, 2, ", 8, "  1,\r\n  123456789,\r\n  2, "},
                           {"    1, 2, ", 3, "    1,\r\n2, "}};
    for (const auto& [text, columns, rows] : cases)
        EXPECT_EQ(BreakIntoRows(text, columns), rows);
}

TEST(ListRows, AnAnswerTooLargeForMemoryEndsInARedLine) {
    EXPECT_EQ(RunGuarded([]() -> TInfoLines { throw std::bad_alloc(); }),
              (TInfoLines{{kInfoRed, false, "Not enough memory for the whole answer."}}));
    EXPECT_EQ(RunGuarded([] { return PrimesByFoundPrimes(10); }), PrimesByFoundPrimes(10));
}

TEST(Fibonacci, ListsTheSequenceWithTheRangeClampedToTwoAndNinetyTwo) {
    EXPECT_EQ(Texts(FibonacciNumbers(0)),
              (Texts_t{"Range increased to 2.",
                       "Listing the Fibonacci number sequence in the range [0..2]:", "  0, 1, 1, "}));
    std::string sequence = "  ";
    for (uint64_t i = 0, a = 0, b = 1; i <= 92; ++i, b += a, a = b - a)
        sequence += std::to_string(a) + ", ";
    EXPECT_EQ(
        Texts(FibonacciNumbers(100)),
        (Texts_t{"Range reduced to 92.", "Listing the Fibonacci number sequence in the range [0..92]:", sequence}));
    EXPECT_EQ(FibonacciNumbers(92).size(), 2u);
}

TEST(NumberEdit, IsRewrittenWhenEmptyOrNotReadingAsTheValue) {
    // "12ABC" reads as the fallback 0; which texts read as which numbers is TryStrToInt's, checked with it.
    using TCase = std::tuple<const char*, int32_t, bool>;
    const TCase cases[] = {{"$1F", 31, false}, {"12ABC", 5, true}, {"12ABC", 0, false}, {"", 0, true}};
    for (const auto& [text, value, rewrite] : cases)
        EXPECT_EQ(NumberEditNeedsRewrite(text, value), rewrite) << text;
}

}  // namespace
