#include "tools/number/NumberInfoRoutines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <new>

#include "core/Format.h"
#include "tools/number/CsvFile.h"

namespace {

constexpr const char* kQueryNames[kNumberInfoQueryCount] = {
    "HiWord, LoWord, HiByte, LoByte", "Swap Endians",
    "Various Error Code Messages",    "Divisions that Returns an Integer",
    "List all Prime Numbers Array",   "Is This Number a Prime?",
    "List all Fibonacci Numbers",     "List all Prime Numbers OLD",
};

constexpr const char* kPrimesNote =
    "\r\nPrimes always ends on either 1, 3, 7 or 9.\r\nWith the exception of the numbers 2 and 5.\r\nNumber above or "
    "below is divisible by 6.";

void Add(TInfoLines& out, TColor color, bool bold, std::string text) {
    out.push_back({color, bold, std::move(text)});
}

void AddList(TInfoLines& out, std::string text) {
    out.push_back({kInfoBlue, false, std::move(text), true});
}

void AddPrimesNote(TInfoLines& out) {
    Add(out, kInfoViolet, false, kPrimesNote);
}

// Appends "<v>, " - what Format("%d, ") gives, without parsing a format for each of a million numbers.
void AppendListed(std::string& text, uint64_t v) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, v);
    text.append(digits, result.ptr);
    text += ", ";
}

std::string PrimeListText(const std::vector<uint32_t>& primes) {
    std::string text;
    text.reserve(2 + primes.size() * 11);
    text = "  ";
    for (uint32_t p : primes)
        AppendListed(text, p);
    return text;
}

TInfoLines PrimeListOutput(TInfoLines out, const std::vector<uint32_t>& primes, uint32_t range) {
    Add(out, kInfoBlack, true, Format("Listing the %d Prime Numbers in the Range [2..%d]:", {primes.size(), range}));
    AddList(out, PrimeListText(primes));
    AddPrimesNote(out);
    return out;
}

// Room for every prime up to `range` (pi(x) < 1.26 x / ln x), rather than range / 2 entries, which for the
// largest numbers would ask for gigabytes.
size_t PrimeCountBound(uint32_t range) {
    if (range < 17)
        return 8;
    return static_cast<size_t>(1.26 * range / std::log(static_cast<double>(range))) + 1;
}

}  // namespace

const char* NumberInfoQueryName(int index) {
    return index >= 0 && index < kNumberInfoQueryCount ? kQueryNames[index] : "";
}

std::string NumberInfoQueryItem(int index) {
    return Format("%d - %s", {index, NumberInfoQueryName(index)});
}

TInfoLines WordsAndBytes(uint32_t n) {
    const std::string& p = HexDisplayPrefix();
    TInfoLines out;
    Add(out, kInfoBlack, false, Format("HiWord(%u)            = %s%.4x  (%2:d)", {n, p, n >> 16}));
    Add(out, kInfoGray, false, Format("  HiByte(HiWord(%u))  = %s%.2x    (%2:d)", {n, p, n >> 24}));
    Add(out, kInfoGray, false, Format("  LoByte(HiWord(%u))  = %s%.2x    (%2:d)", {n, p, n >> 16 & 0xFFu}));
    Add(out, kInfoBlack, false, Format("LoWord(%u)            = %s%.4x  (%2:d)", {n, p, n & 0xFFFFu}));
    Add(out, kInfoGray, false, Format("  HiByte(LoWord(%u))  = %s%.2x    (%2:d)", {n, p, n >> 8 & 0xFFu}));
    Add(out, kInfoGray, false, Format("  LoByte(LoWord(%u))  = %s%.2x    (%2:d)", {n, p, n & 0xFFu}));
    return out;
}

TInfoLines SwapEndians(uint32_t n) {
    const std::string& p = HexDisplayPrefix();
    TInfoLines out;
    Add(out, kInfoBlack, true, Format("Endian Swap of the Number %s%.8x (%1:d)", {p, n}));
    if (n < 256) {
        Add(out, kInfoRed, false, "  Number is too little");
        return out;
    }
    const char* hexFormat = nullptr;
    uint32_t s = 0;
    int32_t signedS = 0;
    if (n <= 0xFFFF) {
        s = Swap16(static_cast<uint16_t>(n));
        signedS = static_cast<int16_t>(s);
        hexFormat = "  Hexadecimal:\t%s%.2x";
    } else if (n <= 0xFFFFFF) {
        s = SwapRB(n);
        signedS = static_cast<int32_t>(s);
        hexFormat = "  Hexadecimal:\t%s%.4x";
    } else {
        s = Swap32(n);
        signedS = static_cast<int32_t>(s);
        hexFormat = "  Hexadecimal:\t%s%.8x";
    }
    Add(out, kInfoBlue, false, Format(hexFormat, {p, s}));
    Add(out, kInfoBlue, false, Format("  Signed:\t\t%d", {signedS}));
    Add(out, kInfoBlue, false, Format("  Unsigned:\t\t%u", {s}));
    return out;
}

std::string TrimSystemMessage(std::string_view text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 32 || text.back() == '.'))
        text.remove_suffix(1);
    return std::string(text);
}

TInfoLines ErrorCodeMessages(uint32_t n, const ISystemMessages& system) {
    TInfoLines out;
    bool found = false;
    auto block = [&](const std::string& header, const std::string& text) {
        if (header.empty() || text.empty())
            return;
        Add(out, kInfoBlack, true, header);
        Add(out, kInfoGreen, false, "  \"" + text + "\"");
        Add(out, kInfoBlack, false, "");
        found = true;
    };

    block(Format("SysErrorMessage(%u):", {n}), TrimSystemMessage(system.SysErrorMessage(n)));
    std::string waveText;
    if (system.WaveOutErrorText(n, waveText))
        block(Format("waveOutGetErrorText(%u):", {n}), waveText);

    TCsvFile table(',', '\0');
    for (const std::string& path : system.ErrorTableFiles()) {
        if (!table.LoadFromFile(path))
            continue;
        for (int row = 0; row < table.RowCount(); ++row) {
            // Codes compare as 32-bit patterns, so "$80070005" finds 2147942405.
            if (static_cast<uint32_t>(StrToIntDef(table.Cell(row, 0), 0)) == n)
                block(Format("%s(%u):", {table.Header(0), n}), table.Cell(row, 1));
        }
    }

    if (!found)
        Add(out, kInfoRed, false, Format("Failed to find an error message for code %u.", {n}));
    return out;
}

// Divisors come in pairs d and n / d, so the search stops at the square root; the list is the same.
TInfoLines IntegerDivisions(uint32_t n) {
    TInfoLines out;
    if (n == 0) {
        Add(out, kInfoRed, true, "The given number must be larger than zero.");
        return out;
    }
    std::vector<uint32_t> low;
    std::vector<uint32_t> high;
    for (uint64_t d = 2; d * d <= n; ++d) {
        if (n % d == 0) {
            low.push_back(static_cast<uint32_t>(d));
            if (d * d != n)
                high.push_back(static_cast<uint32_t>(n / d));
        }
    }
    if (low.empty()) {
        Add(out, kInfoGreen, true, Format("The number %d is a prime number!", {n}));
    } else {
        std::string list = "  ";
        uint64_t sum = 0;
        for (uint32_t d : low) {
            AppendListed(list, d);
            sum += d;
        }
        for (auto it = high.rbegin(); it != high.rend(); ++it) {
            AppendListed(list, *it);
            sum += *it;
        }
        Add(out, kInfoBlack, true, Format("Numbers of which %d divided by, returns an integer:", {n}));
        AddList(out, list + "\r\n");
        Add(out, kInfoBlack, true, "Total sum of all factors:");
        Add(out, kInfoBlue, false, Format("  %d", {sum}));
        if (n == sum + 1) {
            Add(out, kInfoGreen, true,
                Format("\r\nThis is a perfect number! All divisors added together equals %d.", {n}));
        }
    }
    AddPrimesNote(out);
    return out;
}

// Each division is a divisibility test by multiplication (Lemire, Kaser and Kurz: n is divisible by d exactly when
// n * ceil(2^64 / d) mod 2^64 is below ceil(2^64 / d)), which is several times faster than dividing. Only primes up
// to 65536 are ever tested: a larger one's square exceeds every 32-bit candidate.
TInfoLines PrimesByFoundPrimes(uint32_t n) {
    struct TDivisor {
        uint64_t inverse;
        uint64_t square;
    };
    TInfoLines out;
    uint32_t range = n;
    if (n < 2) {
        range = 2;
        Add(out, kInfoRed, false, "Maximum range increased to 2.");
    }
    std::vector<uint32_t> primes;
    primes.reserve(PrimeCountBound(range));
    primes.push_back(2);
    std::vector<TDivisor> divisors;  // the odd primes found so far, up to 65536
    for (uint64_t k = 3; k <= range; k += 2) {
        bool prime = true;
        for (const TDivisor& d : divisors) {
            if (k * d.inverse <= d.inverse - 1) {
                prime = false;
                break;
            }
            if (k < d.square)
                break;
        }
        if (prime) {
            primes.push_back(static_cast<uint32_t>(k));
            if (k <= 65536)
                divisors.push_back({UINT64_MAX / k + 1, k * k});
        }
    }
    return PrimeListOutput(std::move(out), primes, range);
}

// Only numbers of the form 6k - 1 or 6k + 1 can be primes above 5; a divisor, if any, lies below the square root.
bool IsPrime(uint32_t n) {
    if (n <= 5)
        return n == 2 || n == 3 || n == 5;
    if (n % 2 == 0)
        return false;
    if ((n - 1) % 6 != 0 && (n + 1) % 6 != 0)
        return false;
    for (uint64_t d = 2; d * d <= n; ++d) {
        if (n % d == 0)
            return false;
    }
    return true;
}

TInfoLines IsPrimeAnswer(uint32_t n) {
    TInfoLines out;
    Add(out, kInfoBlack, true, Format("Is the number %d a Prime?", {n}));
    Add(out, kInfoGreen, true, std::string("  ") + (IsPrime(n) ? "true" : "false"));
    AddPrimesNote(out);
    return out;
}

TInfoLines FibonacciNumbers(uint32_t n) {
    constexpr uint32_t kLargestIndex = 92;  // F(93) no longer fits a signed 64-bit integer
    TInfoLines out;
    uint32_t range = n;
    if (n < 2) {
        range = 2;
        Add(out, kInfoRed, false, "Range increased to 2.");
    } else if (n > kLargestIndex) {
        range = kLargestIndex;
        Add(out, kInfoRed, false, Format("Range reduced to %d.", {range}));
    }
    Add(out, kInfoBlack, true, Format("Listing the Fibonacci number sequence in the range [0..%d]:", {range}));
    std::string list = "  0, 1, ";
    uint64_t a = 0;
    uint64_t b = 1;
    for (uint32_t i = 2; i <= range; ++i) {
        const uint64_t next = a + b;
        a = b;
        b = next;
        AppendListed(list, next);
    }
    AddList(out, std::move(list));
    return out;
}

// The slow way on purpose: every candidate is divided by every number up to its half, so the duration line shows
// what dividing only by primes saves.
TInfoLines PrimesByTrialDivision(uint32_t n) {
    std::vector<uint32_t> primes;
    for (uint64_t k = 2; k <= n; ++k) {
        const uint32_t candidate = static_cast<uint32_t>(k);
        if (candidate >= 10 && (candidate % 2 == 0 || candidate % 5 == 0))
            continue;
        bool prime = true;
        for (uint32_t d = 2; d <= candidate / 2; ++d) {
            if (candidate % d == 0) {
                prime = false;
                break;
            }
        }
        if (prime)
            primes.push_back(candidate);
    }
    return PrimeListOutput({}, primes, n);
}

TInfoLines RunNumberInfoQuery(int index, uint32_t n, const ISystemMessages& system) {
    switch (index) {
        case 0:
            return WordsAndBytes(n);
        case 1:
            return SwapEndians(n);
        case 2:
            return ErrorCodeMessages(n, system);
        case 3:
            return IntegerDivisions(n);
        case 4:
            return PrimesByFoundPrimes(n);
        case 5:
            return IsPrimeAnswer(n);
        case 6:
            return FibonacciNumbers(n);
        case 7:
            return PrimesByTrialDivision(n);
        default:
            return {};
    }
}

long double DurationMicroseconds(int64_t start, int64_t end, int64_t frequency) {
    if (frequency <= 0)
        frequency = 1;
    return static_cast<long double>(end - start) / frequency * 1000 * 1000;
}

TInfoLine DurationLine(long double microseconds) {
    return {kInfoPurple, false,
            Format("\r\nDuration: %.3n \xB5"
                   "sec",
                   {microseconds})};
}

namespace {
void AppendRows(std::string& out, std::string_view line, size_t columns) {
    const std::string_view indent = line.substr(0, std::min(line.find_first_not_of(' '), line.size()));
    std::string_view rest = line;
    std::string_view prefix;
    while (prefix.size() + rest.size() > columns) {
        const size_t room = columns > prefix.size() ? columns - prefix.size() : 1;
        size_t cut = rest.rfind(", ", room - 1);  // the row keeps the comma and drops the blank
        if (cut == std::string_view::npos)
            cut = rest.find(", ", room);
        if (cut == std::string_view::npos || cut + 2 >= rest.size())
            break;
        out += prefix;
        out += rest.substr(0, cut + 1);
        out += "\r\n";
        rest.remove_prefix(cut + 2);
        prefix = indent.size() < columns / 2 ? indent : std::string_view();
    }
    out += prefix;
    out += rest;
}
}  // namespace

std::string BreakIntoRows(std::string_view text, size_t columns) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t start = 0;;) {
        const size_t end = text.find("\r\n", start);
        AppendRows(out, text.substr(start, end == std::string_view::npos ? end : end - start), columns);
        if (end == std::string_view::npos)
            return out;
        out += "\r\n";
        start = end + 2;
    }
}

TInfoLines CutIntoPieces(const TInfoLines& lines, size_t columns, size_t pieceBytes, size_t longList) {
    TInfoLines pieces;
    for (const TInfoLine& line : lines) {
        if (!line.list || line.text.size() < longList) {
            pieces.push_back(line);
            pieces.back().list = false;  // shown whole: nothing of it is a row cut
            continue;
        }
        const std::string rows = BreakIntoRows(line.text, columns);
        const std::string_view all(rows);
        size_t start = 0;
        while (all.size() - start > pieceBytes) {
            size_t cut = all.rfind("\r\n", start + pieceBytes);
            if (cut == std::string_view::npos || cut < start)
                cut = all.find("\r\n", start + pieceBytes);
            if (cut == std::string_view::npos)
                break;
            pieces.push_back({line.color, line.bold, std::string(all.substr(start, cut - start)), true, start > 0});
            start = cut + 2;
        }
        pieces.push_back({line.color, line.bold, std::string(all.substr(start)), true, start > 0});
    }
    return pieces;
}

TInfoLines RunGuarded(const std::function<TInfoLines()>& query) {
    try {
        return query();
    } catch (const std::bad_alloc&) {
        return {{kInfoRed, false, "Not enough memory for the whole answer."}};
    }
}

char FilterNumberKey(char c) {
    if (static_cast<unsigned char>(c) < 32 || c == '$' || c == '-' || (c >= '0' && c <= '9') ||
        (c >= 'A' && c <= 'F') || c == 'X' || c == 'x')
        return c;
    if (c >= 'a' && c <= 'f')
        return static_cast<char>(c - 'a' + 'A');
    return '\0';
}

bool NumberEditNeedsRewrite(std::string_view text, int32_t value) {
    return text.empty() || StrToIntDef(text, 0) != value;
}
