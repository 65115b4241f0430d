#include "core/RowModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {
// Words and their ranks: spellings of one word share a rank, the order their upper-cased code page 1252 bytes give.
constexpr std::pair<const char*, int> kWords[] = {{"apple", 0},    {"APPLE", 0},        {"Apple", 0},   {"banana", 1},
                                                  {"BANANA", 1},   {"banana split", 2}, {"zebra", 3},   {"\xFFgrec", 4},
                                                  {"\x9FGREC", 4}, {"\xC4pfel", 5},     {"\xE4PFEL", 5}};
constexpr int kWordCount = static_cast<int>(std::size(kWords));

// Column 0 a word (default comparison), column 1 a number compared as a number, column 2 a tag.
class TTable : public IRowSource {
  public:
    explicit TTable(int rows) {
        for (int i = 0; i < rows; ++i)
            Add(static_cast<int>((static_cast<uint32_t>(i) * 2654435761u) >> 20) % kWordCount, (i * 37) % 11);
    }
    void Add(int word, int number) { rows_.push_back({word, number}); }
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    std::string CellText(int row, int column) const override {
        const auto& r = rows_[static_cast<size_t>(row)];
        if (column == 0)
            return kWords[r.first].first;
        if (column == 1)
            return std::to_string(r.second);
        return row % 5 == 0 ? "Tagged" : "";
    }
    int CompareRows(int a, int b, int column) const override {
        if (column != 1)
            return IRowSource::CompareRows(a, b, column);
        return rows_[static_cast<size_t>(a)].second - rows_[static_cast<size_t>(b)].second;
    }
    // The key a column sorts by, for the oracle.
    int Key(int row, int column) const {
        const auto& r = rows_[static_cast<size_t>(row)];
        return column == 0 ? kWords[r.first].second : column == 1 ? r.second : (row % 5 == 0 ? 1 : 0);
    }

  private:
    std::vector<std::pair<int, int>> rows_;  // word, number
};

std::vector<int> Visible(const TRowView& view) {
    std::vector<int> rows;
    for (int i = 0; i < view.Count(); ++i)
        rows.push_back(view.SourceRow(i));
    return rows;
}

// A stable sort of the rows that pass, taken in source order: ties stay ascending in both directions. A negative
// column sorts by the source index.
std::vector<int> Oracle(const TTable& table, const TRowFilter& filter, int column, bool descending) {
    std::vector<int> rows;
    for (int row = 0; row < table.RowCount(); ++row) {
        if (!filter || filter(row))
            rows.push_back(row);
    }
    auto key = [&](int row) { return column < 0 ? row : table.Key(row, column); };
    std::stable_sort(rows.begin(), rows.end(),
                     [&](int x, int y) { return descending ? key(x) > key(y) : key(x) < key(y); });
    return rows;
}

TEST(RowView, SortsEveryColumnBothWaysLikeAStableSortWithTiesInSourceOrder) {
    TTable table(600);
    TRowView view;
    view.SetSource(&table);
    for (const TRowFilter& filter : {TRowFilter(), TRowFilter([](int row) { return row % 2 == 1; })}) {
        view.SetFilter(filter);
        // Each sort starts from the order the previous one left, so ties must not depend on it.
        for (const int column : {0, 1, 2, 1, 0, -1}) {
            for (const bool descending : {true, false, true}) {
                view.SetSort(column, descending);
                EXPECT_EQ(Visible(view), Oracle(table, filter, column, descending))
                    << "column " << column << (descending ? " descending" : " ascending")
                    << (filter ? " filtered" : "");
            }
        }
    }
}

TEST(RowView, MapsRowsBothWaysAndFindsCaptionsFromTheStartRow) {
    TTable table(0);
    for (const int word : {0, 3, 6, 1, 5, 4})  // apple, banana, zebra, APPLE, banana split, BANANA
        table.Add(word, word == 6 ? 9 : 0);
    TRowView view;
    view.SetSource(&table);
    view.SetSort(1, true);  // zebra first, the others in source order
    view.SetFilter([](int row) { return row != 1; });
    EXPECT_EQ(view.VisibleIndexOf(1), -1);
    using TFind = std::tuple<const char*, int, bool, bool, int>;  // text, start, prefix, wrap, found
    const TFind finds[] = {{"ap", 2, true, true, 2},    {"ap", 3, true, true, 1},
                           {"ap", 3, true, false, -1},  {"BANANA", 0, false, true, 4},
                           {"pple", 0, true, true, -1}, {"banana split!", 0, true, true, -1}};
    for (const auto& [text, start, prefix, wrap, found] : finds)
        EXPECT_EQ(view.FindRow(text, start, prefix, wrap), found) << text << " from " << start;
}

TEST(RowView, WordFilterFindsTheWordIgnoringCaseInAnyGivenColumn) {
    TTable table(30);
    // 0xE4 (a umlaut) matches its capital 0xC4; 0xFF (y diaeresis) has its capital at 0x9F.
    using TCase = std::tuple<const char*, std::vector<int>, int>;  // word, columns, rows found
    const TCase cases[] = {{"PPL", {0}, 7},    {"\xE4pf", {0}, 6},       {"\xFFG", {0}, 6},
                           {"tag", {0, 2}, 6}, {"banana split", {1}, 0}, {"", {0}, 30}};
    for (const auto& [word, columns, found] : cases) {
        TRowView view;
        view.SetSource(&table);
        view.SetFilter(WordFilter(table, word, columns));
        EXPECT_EQ(view.Count(), found) << word;
    }
}

// A tool swaps in a smaller snapshot, then sets its filter: the filter must see only rows the source still has.
TEST(RowView, ANewFilterSeesOnlyTheRowsTheSourceHasNow) {
    TTable table(0);
    TRowView view;
    view.SetSource(&table);
    table = TTable(30);
    view.Refresh();
    table = TTable(4);
    view.SetFilter([](int) { return true; });
    EXPECT_EQ(view.Count(), 4);
}

// A tool's comparison that calls every pair "less" must not drive the sort out of its range.
TEST(RowView, AContradictoryComparisonStillLeavesEveryRowOnce) {
    class TLiar : public TTable {
      public:
        using TTable::TTable;
        int CompareRows(int, int, int) const override { return -1; }
    } table(2000);
    TRowView view;
    view.SetSource(&table);
    view.SetSort(0, false);
    std::vector<int> rows = Visible(view);
    std::sort(rows.begin(), rows.end());
    std::vector<int> all(2000);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(rows, all);
}
}  // namespace
