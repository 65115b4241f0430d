// The same operations through TKoIni over the platform's private-profile functions and over TPortableProfile, each
// on its own copy of the starting bytes, must agree in every result and file. Known divergences: no cache on the
// portable side (the platform's is flushed after every write here) and no transcoding after a UTF-8 mark.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/HandlesWin32.h"
#include "core/KoIni.h"
#include "core/KoLib.h"
#include "core/PrivateProfile.h"
#include "core/PrivateProfileWin32.h"
#include "tests/unit/TempFileTest.h"

using namespace std::string_literals;

namespace {
const std::string kNull = "\x01(null)";  // stands for a null pointer in a step

const char* Arg(const std::string& s) {
    return s == kNull ? nullptr : s.c_str();
}

// Read and Store are TKoIni's ReadString (value is the default) and WriteString; its other functions are the same
// code on both sides. Raw calls GetString with the buffer size (a kNull key lists the keys, a kNull section the
// sections), RawWrite WriteString (a kNull key or value deletes), WriteLines WriteSection with "|" between its lines.
enum Op { Read, Raw, Store, RawWrite, WriteLines };

struct Step {
    Op op;
    std::string section = "", key = "", value = "def";
    uint32_t size = 0;
};

Step Keys(const std::string& section) {
    return {Raw, section, kNull, "", TKoIni::kBufferSize};
}

struct Case {
    std::string name, start;
    std::vector<Step> steps;
    bool missing = false;
};

std::string Escaped(const std::string& s) {
    std::string out;
    for (const unsigned char c : s) {
        char text[8];
        std::snprintf(text, sizeof text, c >= 32 && c < 127 && c != '\\' ? "%c" : "\\x%02X", c);
        out += text;
    }
    return out.size() > 300 ? out.substr(0, 300) + "...(" + std::to_string(s.size()) + ")" : out;
}

struct TSide {
    IPrivateProfile& profile;
    std::string file;
    TKoIni ini{file, profile};

    // The result of a step as text; a raw read shows what the return value covers and its terminating zero.
    std::string Run(const Step& s) {
        switch (s.op) {
            case Read:
                return ini.ReadString(s.section, s.key, s.value);
            case Raw: {
                std::string buffer(s.size + 1, '#');
                const uint32_t n =
                    profile.GetString(Arg(s.section), Arg(s.key), Arg(s.value), buffer.data(), s.size, file.c_str());
                return std::to_string(n) + ":" + buffer.substr(0, std::min(n + 1, s.size));
            }
            case Store:
                return std::to_string(ini.WriteString(s.section, s.key, s.value));
            case RawWrite:
                return std::to_string(profile.WriteString(Arg(s.section), Arg(s.key), Arg(s.value), file.c_str()));
            case WriteLines: {
                std::string lines = s.value + std::string(2, '\0');
                std::replace(lines.begin(), lines.end(), '|', '\0');
                return std::to_string(
                    profile.WriteSection(Arg(s.section), Arg(s.value) ? lines.c_str() : nullptr, file.c_str()));
            }
        }
        return "?";
    }

    std::string Bytes() {
        profile.WriteString(nullptr, nullptr, nullptr, file.c_str());  // flushes the platform's cache
        std::string bytes;
        return ReadFileBytes(file, bytes) ? bytes : "<missing>";
    }
};

// Every copy gets a fresh name: the platform's cache must never see an older file of the same name.
class KoIniDifferential : public TTempFileTest {
  protected:
    std::string NewFile(const std::string& bytes, bool missing = false) {
        const std::string name = std::to_string(files_++) + ".ini";
        return missing ? (dir_ / name).string() : Write(name, bytes);
    }

    void Compare(const Case& c, IPrivateProfile* other = nullptr) {
        SCOPED_TRACE(c.name + ", start " + Escaped(c.start));
        TSide platform{win_, NewFile(c.start, c.missing)},
            portable{other ? *other : portable_, NewFile(c.start, c.missing)};
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            const std::string expected = platform.Run(step);
            EXPECT_EQ(Escaped(portable.Run(step)), Escaped(expected))
                << "step " << i << ": [" << Escaped(step.section + "] " + step.key + " = " + step.value);
            if (step.op >= Store) {
                EXPECT_EQ(Escaped(portable.Bytes()), Escaped(platform.Bytes())) << "file after step " << i;
            }
        }
        EXPECT_EQ(Escaped(portable.Bytes()), Escaped(platform.Bytes())) << "file at the end";
    }

    int files_ = 0;
    TWin32Profile win_;
    TPortableProfile portable_;
};

TEST_F(KoIniDifferential, TableOfFilesAndOperationsAgrees) {
    const std::string longValue(20000, 'L');
    // Kept under the 16384-character list buffer: Wine's own heap has been seen to fail, now and then, right after
    // cutting a longer key list there; the portable cut is tested natively.
    std::string manyKeys = "[many]\r\n";
    for (int i = 0; i < 150; ++i)
        manyKeys += std::string(99, static_cast<char>('a' + i % 26)) + std::to_string(i % 10) + "=1\r\n";

    const std::vector<Case> cases = {
        Case(
            "quoting on writing", "",
            {Step(Store, "s", "lead", " x"), Step(Read, "s", "lead"), Step(Raw, "s", "lead", "", 100),
             Step(Store, "s", "trail", "x\t"), Step(Read, "s", "trail"), Step(Store, "s", "dq", "\"q\""),
             Step(Read, "s", "dq"), Step(Raw, "s", "dq", "", 100), Step(Store, "s", "sq", "'q'"), Step(Read, "s", "sq"),
             Step(Store, "s", "lone", "\""), Step(Read, "s", "lone"), Step(Store, "s", "mixed", "'x\""),
             Step(Read, "s", "mixed"), Step(Store, "s", "blank", "  "), Step(Read, "s", "blank"),
             Step(Store, "s", "empty", ""), Step(Read, "s", "empty"), Step(Raw, "s", "empty", "d", 100)}),
        Case("blanks and quotes in the file",
             "[s]\r\n  a  =  x y  \r\nb=\"  q  \"\r\nc='  '\r\nd=\"\r\ne=\"x'\r\nf=''\r\n",
             {Step(Read, "s", "a"), Step(Read, "s", "b"), Step(Read, "s", "c"), Step(Read, "s", "d"),
              Step(Read, "s", "e"), Step(Read, "s", "f"), Step(Raw, "s", "b", "", 5), Step(Raw, "s", "b", "", 8),
              Step(Raw, "s", "b", "", 9), Step(Raw, "s", "x", "  pad  ", 100), Step(Raw, "s", "x", "'quoted'", 100),
              Step(Raw, "s", "x", "   ", 100), Step(Raw, "s", "x", kNull, 100)}),
        Case("names compare without ASCII case", "[Sec]\r\nKey=1\r\n[\xE9t\xE9]\r\n\xC9=2\r\n",
             {Step(Read, "SEC", "kEY"), Step(Read, "\xE9t\xE9", "\xC9"), Step(Read, "\xC9T\xC9", "\xC9"),
              Step(Read, "\xE9t\xE9", "\xE9"), Keys("sEC"), Keys("\xE9t\xE9"), Step(Store, "sEc", "KEY", "3"),
              Step(Store, "\xC9T\xC9", "k", "4"), Keys(kNull), Step(Raw, " sec ", " key ", "", 100)}),
        Case("duplicate sections and keys", "[a]\r\nk=1\r\nk=2\r\n[b]\r\nx=1\r\n[A]\r\nk=3\r\nj=4\r\n",
             {Step(Read, "a", "k"), Step(Read, "a", "j"), Keys("a"), Keys("A"), Keys(kNull), Step(Store, "a", "j", "5"),
              Step(Read, "a", "j"), Step(RawWrite, "a", "j", kNull), Step(RawWrite, "a", "j", kNull),
              Step(Read, "A", "j"), Step(RawWrite, "A", kNull, kNull), Keys(kNull), Step(Read, "a", "k")}),
        Case("missing file", "",
             {Step(Read, "s", "k"), Keys(kNull), Keys("s"), Step(RawWrite, "s", "k", kNull),
              Step(RawWrite, "s", kNull, kNull), Step(WriteLines, "s", "", ""), Step(Raw, kNull, kNull, "", 10),
              Step(Store, "s", "k", "v"), Step(Read, "s", "k")},
             true),
        Case("lines without equals and comments",
             "[a]\r\nbare\r\n;comment=1\r\n; spaced\r\nk=v\r\n=empty\r\n=second\r\n[b]\r\n=first\r\nz=1\r\n",
             {Keys("a"), Keys("b"), Step(Read, "a", "bare"), Step(Read, "a", ";comment"), Step(Raw, "a", "", "d", 100),
              Step(Raw, "b", kNull, "def", 100), Step(Raw, "a", kNull, "", 100), Step(Store, "a", "bare", "x"),
              Keys("a")}),
        Case("long values",
             "[a]\r\nlong=" + longValue + "\r\nq=\"" + longValue + "\"\r\n" + std::string(20000, 'k') + "=2\r\n",
             {Step(Read, "a", "long"), Step(Read, "a", "q"), Step(Raw, "a", "long", "", 16384),
              Step(Raw, "a", "long", "", 30000), Step(Read, "a", std::string(20000, 'K')),
              Step(Store, "a", "w", std::string(30000, 'w')), Step(Read, "a", "w")}),
        Case("every kind of line end", "[a]\rk=1\r[b]\nj=2\n[c]\r\nm=3\r\n\n\r[d]\n\rq=4\r\nr=5",
             {Step(Read, "a", "k"), Step(Read, "b", "j"), Step(Read, "c", "m"), Step(Read, "d", "q"),
              Step(Read, "d", "r"), Keys(kNull), Step(Store, "b", "j", "6")}),
        Case("section lists and clearing", "[a]\r\nk1=1\r\nk2=2\r\n\r\n[b]\r\nz=1\r\n",
             {Keys("a"), Keys(kNull), Step(WriteLines, "a", "", ""), Keys("a"), Keys(kNull),
              Step(WriteLines, "missing", "", ""), Step(WriteLines, "B", "", ""), Step(Raw, kNull, kNull, "", 3),
              Step(Raw, kNull, kNull, "", 4), Step(Raw, "a", kNull, "d", 2)}),
        Case("deleting through the raw interface", "p=1\r\n[a]\r\nk=1\r\n\r\n[b]\r\nj=1\r\n[A]\r\nj=2\r\nq=3\r\n",
             {Step(RawWrite, " a", kNull, kNull), Step(RawWrite, "a", " k", kNull), Step(RawWrite, "a", "nokey", kNull),
              Step(RawWrite, "nosec", kNull, kNull), Step(RawWrite, "a", "j", kNull), Step(RawWrite, "", "p", kNull),
              Step(RawWrite, "a", kNull, kNull), Step(RawWrite, "b", kNull, kNull), Step(RawWrite, "A", kNull, kNull)}),
        Case("writing sections through the raw interface",
             "[a]\r\n\r\nx = 1\r\n;c\r\nbare\r\n[b]\r\ny=2\r\n[A]\r\nz=3\r\n",
             {Step(WriteLines, "a", "", ""), Step(WriteLines, "b", "", "p=1|q = 2 |noeq| r=3|p=4"),
              Step(WriteLines, " b ", "", "s=5"), Step(WriteLines, "new", "", "k=1"),
              Step(WriteLines, "new", "", kNull), Keys("b")}),
        Case("binary bytes", "[a]\nk=1\0x\nj\0=2\n[b\0c]\nm=3\nv=\x80\x81\x9D\xFF\x1A\n\x1A\n\xFF\xFE[z]"s,
             {Step(Read, "a", "k"), Step(Read, "a", "j"), Step(Read, "b", "m"), Step(Read, "b", "v"), Keys(kNull),
              Keys("b"), Step(Store, "a", "k", "5")}),
        Case("a rewrite normalises the file",
             "  pre = 1\r\n\r\n[a]  tail\r\n K = 1 \r\n\r\n;x\r\nbare\r\n[]\r\nq=1\r\n[b]\n",
             {Step(Read, "", "pre"), Step(Store, "A", "new", "7"), Step(Store, "A", "K", "1"),
              Step(Store, " n ", "z", "4"), Step(RawWrite, "a", " y ", "3 "), Keys(kNull)}),
        Case("long name lists, and lists cut at a small buffer", manyKeys + "[x]\r\n",
             {Keys("many"), Keys(kNull), Step(Raw, "many", kNull, "", 7), Step(Raw, kNull, kNull, "", 6)}),
    };
    for (const Case& c : cases)
        Compare(c);
}

// Held open elsewhere without write sharing, a file refuses writes on both sides. The portable side also refuses a
// read-only file, which Wine run as root would write.
TEST_F(KoIniDifferential, ALockedOrReadOnlyFileRefusesWritesAndStaysUntouched) {
    const std::string start = "[a]\r\n\r\nx = 1\r\n";
    Put(start);  // the fixture's own file, whose mark its tear-down clears
    TSide platform{win_, NewFile(start)}, portable{portable_, NewFile(start)}, readOnly{portable_, file_};
    SetFileAttributesA(readOnly.file.c_str(), FILE_ATTRIBUTE_READONLY);
    for (TSide* side : {&platform, &portable, &readOnly}) {
        const TFileHandle held(side == &readOnly ? nullptr  // the read-only file is not held
                                                 : CreateFileA(side->file.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                               nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held || side == &readOnly);
        for (const Step& step : {Step(Store, "a", "x", "2"), Step(RawWrite, "a", "x", kNull),
                                 Step(RawWrite, "a", kNull, kNull), Step(WriteLines, "a", "", "")})
            EXPECT_EQ(side->Run(step), "0") << side->file << " step " << step.op;
        EXPECT_EQ(side->Run(Step(Read, "a", "x")), "1");
        EXPECT_EQ(side->Bytes(), start);
    }
}

// Files and operations drawn from a small alphabet of brackets, equals signs, quotes, blanks, zero bytes and line ends.
TEST_F(KoIniDifferential, RandomFilesAndOperationsAgree) {
    const std::vector<std::string> alphabet = {
        "[",  "]", "=",    ";",    "\r", "\n",  "\r\n", " ",  "\t", std::string(1, '\0'), "\x1A", "\x0B", "a", "A", "b",
        "\"", "'", "\xE9", "\xC9", "k",  "[a]", "[b]",  "k=", "a=", "\r\n[a]\r\n"};
    const std::vector<std::string> names = {"a", "A", "b", " a", "a ", "k", "", "\xE9", "\xC9", "a]", "=", ";", "[a"};
    const std::vector<std::string> values = {"", "v", " v", "v ", "\"v\"", "'v'", "\"", "a=b", "x\r\ny", "  ", "\t1"};
    const std::vector<std::string> defaults = {"", "d", "d  ", "'q'", "\"q", "   ", kNull};
    const std::vector<uint32_t> sizes = {0, 1, 2, 3, 4, 5, 7, 10, 100};
    std::mt19937 random(20240607);
    auto pick = [&](const auto& from) { return from[random() % from.size()]; };
    for (int round = 0; round < 300; ++round) {
        Case c{"random round " + std::to_string(round), "", {}, random() % 20 == 0};
        for (auto length = random() % 60; length > 0; --length)
            c.start += pick(alphabet);
        for (int i = 0; i < 8; ++i) {
            const auto kind = random() % 5;
            if (kind == 0)
                c.steps.push_back({Raw, pick(names), pick(names), pick(defaults), pick(sizes)});
            else if (kind == 1)
                c.steps.push_back({Raw, random() % 4 ? pick(names) : kNull, kNull, pick(defaults), pick(sizes)});
            else if (kind == 2)
                c.steps.push_back(
                    {RawWrite, pick(names), random() % 10 ? pick(names) : kNull, random() % 6 ? pick(values) : kNull});
            else if (kind == 3)
                c.steps.push_back({WriteLines, pick(names), "", pick(names) + "=" + pick(values) + "|" + pick(names)});
            else
                c.steps.push_back({Store, pick(names), pick(names), pick(values)});
        }
        // Half the rounds read through a snapshot, which must answer as the platform does between writes.
        TSnapshotProfile snapshot(portable_);
        Compare(c, round % 2 ? &snapshot : nullptr);
    }
}
}  // namespace
