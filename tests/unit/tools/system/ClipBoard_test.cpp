#include "tools/system/ClipBoard.h"

#include <zlib.h>
#include <gtest/gtest.h>

#include <random>

#include "tools/system/FauxScrollBox.h"
#include "tools/system/HexViewer.h"
#include "tools/system/KoChecksum.h"

// zlib's crc32 is the independent oracle: whole blocks, and a checksum carried across cut points.
TEST(KoChecksum, MatchesZlibOnRandomBlocks) {
    std::mt19937 random(20261207);
    EXPECT_EQ(Crc32("", 0, 0x1234), 0x1234u);
    for (size_t size : {1u, 2u, 3u, 15u, 16u, 255u, 4096u, 65537u}) {
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        const auto* data = reinterpret_cast<const Bytef*>(bytes.data());
        const uLong expected = crc32(0, data, static_cast<uInt>(size));
        EXPECT_EQ(Crc32(bytes.data(), size), expected) << size;
        const size_t cut = random() % size;
        EXPECT_EQ(Crc32(bytes.data() + cut, size - cut, Crc32(bytes.data(), cut)), expected) << size << "/" << cut;
    }
}

TEST(FauxScrollBox, PositionsStayWithinTheLastFullPage) {
    TFauxScrollBar bar, horizontal;
    int updates = 0;
    bar.OnUpdate = [&] { ++updates; };
    bar.SetMax(20);
    bar.SetPage(4);
    ASSERT_TRUE(ScrollKey(horizontal, bar, 0x23));  // End
    EXPECT_EQ(bar.Position(), 17);
    // {code, bar's current position, track, expected}
    const int steps[][4] = {{0, 5, 0, 4}, {1, 5, 0, 6},   {2, 5, 0, 1},   {3, 5, 0, 9}, {3, 16, 0, 17},
                            {2, 2, 0, 0}, {5, 0, 12, 12}, {4, 0, 99, 17}, {8, 3, 0, 3}};
    for (const auto& s : steps) {
        bar.HandleScroll(s[0], s[1], s[2]);
        EXPECT_EQ(bar.Position(), s[3]) << "code " << s[0] << " from " << s[1];
    }
    const int before = updates;
    bar.SetPosition(bar.Position());
    EXPECT_EQ(updates, before) << "an unchanged position is no update";
    EXPECT_FALSE(ScrollKey(horizontal, bar, 'A'));
    ScrollKey(horizontal, bar, 0x24);  // Home
    ScrollKey(horizontal, bar, 0x25);  // Left stops at Min
    EXPECT_EQ(bar.Position() + horizontal.Position(), 0);

    TWheelNotches wheel;
    EXPECT_EQ(wheel.Add(60), 0);
    EXPECT_EQ(wheel.Add(60), 1) << "two half notches make one";
    EXPECT_EQ(wheel.Add(-240), -2);
    EXPECT_EQ(wheel.Add(-60) + wheel.Add(90), 0) << "a turn back starts afresh";
}

TEST(HexViewer, LayoutAndTexts) {
    const THexLayout layout;
    EXPECT_EQ(layout.ScrollMax(33), 2);
    EXPECT_EQ(layout.Page(19 + 4 * 17 + 16), 4u);
    EXPECT_EQ(layout.Page(19 + 10 * 17), 9u);
    EXPECT_EQ(layout.Page(5), 0u);

    EXPECT_EQ(HexOffsetText(16, 0) + HexOffsetText(255, 1) + HexHeaderText(15, 0), "00000016000000FF15");
    EXPECT_EQ(HexCharText(std::string("a\tb\rc\x02\xC8\x7F\x81\x9D\xA0", 11)), "a b c\x02\xC8   \xA0");
    // A position kept from longer data reads nothing from shorter data.
    const std::string data(20, 'x');
    EXPECT_EQ(layout.Line(data, 16).size(), 4u);
    EXPECT_TRUE(layout.Line(data, 20).empty());
    EXPECT_TRUE(layout.Line("abc", 9840).empty());
}

TEST(ClipBoard, FormatNamesKeysAndTexts) {
    EXPECT_EQ(ClipFormatName(17, std::string(64, '\0')), "Max");
    EXPECT_EQ(ClipFormatName(49161, std::string("Rich Text Format\0junk", 21)), "Rich Text Format");
    EXPECT_EQ(ClipFormatName(18, ""), "");
    std::string keys;
    for (int p = 0; p < 36; ++p)
        keys += ClipMenuKey(p) ? ClipMenuKey(p) : '-';
    EXPECT_EQ(keys, "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-");
    EXPECT_EQ(ClipTextUpToZero(std::string("ab\0c", 4)) + ClipTextUpToZero("no end"), "abno end");
    EXPECT_EQ(ClipDottedText(std::string("H\0i\r\n\x1F ", 7)), "H.i... ");
    EXPECT_EQ(ClipColorCode(0x0000FF) + ClipColorCode(0x563412), "#FF0000#123456");
    EXPECT_EQ(ClipCenterOffset(101, 50, true) * 100 + ClipCenterOffset(40, 50, true), 2500);
}

TEST(ClipBoard, DropListsAnsiWideAndMalformed) {
    const auto narrow = [](std::u16string_view w) { return std::string(w.begin(), w.end()); };
    const std::string header("\x14\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16);
    const std::string ansi = header + std::string("\0\0\0\0C:\\a.txt\0D:\\b\0\0", 20);
    EXPECT_EQ(ClipDropFiles(ansi, narrow), (std::vector<std::string>{"C:\\a.txt", "D:\\b"}));
    const std::string wide = header + std::string("\1\0\0\0x\0y\0\0\0z\0\0\0\0\0", 16);
    EXPECT_EQ(ClipDropFiles(wide, narrow), (std::vector<std::string>{"xy", "z"}));
    // Cut short, pointing past its end, or too small for its header: what can be read, and nothing past it.
    EXPECT_EQ(ClipDropFiles(ansi.substr(0, 27), narrow), (std::vector<std::string>{"C:\\a.tx"}));
    EXPECT_EQ(ClipDropFiles(wide.substr(0, 23), narrow), (std::vector<std::string>{"x"}));
    EXPECT_TRUE(ClipDropFiles(std::string("\xFF\xFF\0\0", 4) + ansi.substr(4), narrow).empty());
    EXPECT_TRUE(ClipDropFiles(ansi.substr(0, 19), narrow).empty());
}
