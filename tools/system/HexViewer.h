#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The geometry of a hex dump: an offset column, BytesPerLine cells per line and a character column, under a
// header row. Everything a paint or a click needs to know about where a byte goes.
struct THexLayout {
    int BytesPerLine = 16;
    int OffsetWidth = 80;
    int HeaderHeight = 19;
    int CellWidth = 26;
    int RowHeight = 17;
    static constexpr int kCharGap = 4;
    static constexpr int kCharWidth = 132;

    // The last line the vertical bar can reach: one empty line past full data lines can be scrolled into view.
    int32_t ScrollMax(uint32_t dataSize) const;
    int VisibleRows(int clientHeight) const;
    // Whole rows shown, less one when there are more than four, so that paging keeps a line of context.
    uint32_t Page(int clientHeight) const;
    int CellsRight() const { return BytesPerLine * CellWidth + OffsetWidth; }
    int CharLeft() const { return CellsRight() + kCharGap; }
    // The top-left corner of the cell under a client point (never left of the cells or above the rows).
    void CellAt(int x, int y, int& cellX, int& cellY) const;
    // The bytes of the line starting at offset; empty at or past the end, shorter on the last line.
    std::string_view Line(std::string_view data, uint32_t offset) const;
};

// "Offset" column texts: eight decimal digits (radix 0) or hexadecimal ones (radix 1).
std::string HexOffsetText(uint32_t offset, int radix);
std::string HexHeaderText(int column, int radix);
// A line's bytes as the character column shows them: control characters that fonts draw as boxes or that move
// the pen become blanks.
std::string HexCharText(std::string_view line);
