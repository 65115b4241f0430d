#include "tools/system/HexViewer.h"

#include <algorithm>

#include "core/Format.h"

namespace {
constexpr bool IsBlanked(unsigned char c) {
    switch (c) {
        case 0:
        case 1:
        case 9:
        case 10:
        case 13:
        case 28:
        case 29:
        case 30:
        case 31:
        case 127:
        case 129:
        case 141:
        case 143:
        case 144:
        case 152:
        case 157:
            return true;
        default:
            return false;
    }
}

std::string_view RadixFormat(int radix, bool padded) {
    if (padded)
        return radix == 1 ? "%.8x" : "%.8d";
    return radix == 1 ? "%x" : "%d";
}
}  // namespace

int32_t THexLayout::ScrollMax(uint32_t dataSize) const {
    return BytesPerLine > 0 ? static_cast<int32_t>(dataSize / static_cast<uint32_t>(BytesPerLine)) : 0;
}

int THexLayout::VisibleRows(int clientHeight) const {
    return RowHeight > 0 ? std::max(0, (clientHeight - HeaderHeight) / RowHeight) : 0;
}

uint32_t THexLayout::Page(int clientHeight) const {
    const int rows = VisibleRows(clientHeight);
    return static_cast<uint32_t>(rows > 4 ? rows - 1 : rows);
}

void THexLayout::CellAt(int x, int y, int& cellX, int& cellY) const {
    const int column = CellWidth > 0 ? std::max(0, (x - OffsetWidth) / CellWidth) : 0;
    const int row = RowHeight > 0 ? std::max(0, (y - HeaderHeight) / RowHeight) : 0;
    cellX = column * CellWidth + OffsetWidth;
    cellY = row * RowHeight + HeaderHeight;
}

std::string_view THexLayout::Line(std::string_view data, uint32_t offset) const {
    if (offset >= data.size() || BytesPerLine <= 0)
        return {};
    return data.substr(offset, static_cast<size_t>(BytesPerLine));
}

std::string HexOffsetText(uint32_t offset, int radix) {
    return Format(RadixFormat(radix, true), {offset});
}

std::string HexHeaderText(int column, int radix) {
    return Format(RadixFormat(radix, false), {column});
}

std::string HexCharText(std::string_view line) {
    std::string text(line);
    for (char& c : text)
        if (IsBlanked(static_cast<unsigned char>(c)))
            c = ' ';
    return text;
}
