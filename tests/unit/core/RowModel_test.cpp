#include "core/RowModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {
// Spellings of one word share a rank: the order their upper-cased code page 1252 bytes must give.
struct TWord {
    const char* text;
    int rank;
};
constexpr TWord kWords[] = {{"apple", 0},    {"APPLE", 0},        {"Apple", 0},   {"banana", 1},
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
            return kWords[r.first].text;
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
        return column == 0 ? kWords[r.first].rank : column == 1 ? r.second : (row % 5 == 0 ? 1 : 0);
    }

  private:
    std::vector<std::pair<int, int>> rows_;
};

std::vector<int> Visible(const TRowView& view) {
    std::vector<int> rows;
    for (int i = 0; i < view.Count(); ++i)
        rows.push_back(view.SourceRow(i));
    return rows;
}

// Stable sorts of (key, source row) pairs taken in source order: ties stay ascending in both directions.
std::vector<int> Oracle(const TTable& table, const std::vector<int>& passing, int column, bool descending) {
    std::vector<std::pair<int, int>> keyed;
    for (const int row : passing)
        keyed.emplace_back(table.Key(row, column), row);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [&](const auto& x, const auto& y) { return descending ? x.first > y.first : x.first < y.first; });
    std::vector<int> rows;
    for (const auto& k : keyed)
        rows.push_back(k.second);
    return rows;
}

TEST(RowView, SortsEveryColumnBothWaysLikeAStableSortWithTiesInSourceOrder) {
    TTable table(600);
    TRowView view;
    view.SetSource(&table);
    std::vector<int> all(600), odd;
    for (int i = 0; i < 600; ++i) {
        all[static_cast<size_t>(i)] = i;
        if (i % 2)
            odd.push_back(i);
    }
    for (const bool filtered : {false, true}) {
        view.SetFilter(filtered ? TRowFilter([](int row) { return row % 2 == 1; }) : TRowFilter());
        // Each sort starts from the order the previous one left, so ties must not depend on it.
        for (const int column : {0, 1, 2, 1, 0}) {
            for (const bool descending : {true, false, true}) {
                view.SetSort(column, descending);
                EXPECT_EQ(Visible(view), Oracle(table, filtered ? odd : all, column, descending))
                    << "column " << column << (descending ? " descending" : " ascending")
                    << (filtered ? " filtered" : "");
            }
        }
    }
    view.SetSort(-1, false);
    EXPECT_EQ(Visible(view), odd);
}

TEST(RowView, MapsVisibleAndSourceRowsBothWaysAndRefreshReadsNewRows) {
    TTable table(12);
    TRowView view;
    view.SetSource(&table);
    view.SetSort(1, false);
    view.SetFilter([](int row) { return row != 4; });
    EXPECT_EQ(view.Count(), 11);
    EXPECT_EQ(view.VisibleIndexOf(4), -1);
    for (int i = 0; i < view.Count(); ++i)
        EXPECT_EQ(view.VisibleIndexOf(view.SourceRow(i)), i);
    EXPECT_EQ(view.SourceRow(-1), -1);
    EXPECT_EQ(view.SourceRow(11), -1);
    EXPECT_EQ(view.VisibleIndexOf(12), -1);

    table.Add(0, -5);  // the smallest number: first once the view has read it
    EXPECT_EQ(view.VisibleIndexOf(12), -1);
    view.Refresh();
    EXPECT_EQ(view.Count(), 12);
    EXPECT_EQ(view.SourceRow(0), 12);
    EXPECT_EQ(view.VisibleIndexOf(12), 0);
}

TEST(RowView, WordFilterFindsTheWordIgnoringCaseInAnyGivenColumn) {
    TTable table(30);
    struct TCase {
        const char* word;
        std::vector<int> columns;
        int expectedCount;
    };
    // Rows whose word has the rank, or that carry the tag when asked.
    auto countOf = [&](int wordRank, bool tagged) {
        int n = 0;
        for (int row = 0; row < table.RowCount(); ++row)
            n += table.Key(row, 0) == wordRank || (tagged && row % 5 == 0);
        return n;
    };
    // 0xE4 (a umlaut) matches its capital 0xC4; 0xFF (y diaeresis) has its capital at 0x9F.
    const TCase cases[] = {
        {"PPL", {0}, countOf(0, false)},
        {"\xE4pf", {0}, countOf(5, false)},
        {"\xFFG", {0}, countOf(4, false)},
        {"tag", {0, 2}, countOf(-1, true)},
        {"apple", {0, 2}, countOf(0, false)},
        {"banana split", {1}, 0},
        {"", {0}, 30},
    };
    for (const TCase& c : cases) {
        TRowView view;
        view.SetSource(&table);
        view.SetFilter(WordFilter(table, c.word, c.columns));
        EXPECT_EQ(view.Count(), c.expectedCount) << c.word;
    }
}

TEST(RowView, FindRowMatchesTheStartOfACaptionFromTheStartRowAndWraps) {
    TTable table(0);
    for (const int word : {0, 3, 6, 1, 5, 4})  // apple, banana, zebra, APPLE, banana split, BANANA
        table.Add(word, 0);
    TRowView view;
    view.SetSource(&table);
    struct TCase {
        const char* text;
        int start;
        bool prefix;
        bool wrap;
        int expected;
    };
    const TCase cases[] = {
        {"ap", 1, true, true, 3},
        {"ap", 4, true, true, 0},
        {"ap", 4, true, false, -1},
        {"BANANA", 2, true, true, 4},
        {"BANANA", 2, false, true, 5},
        {"ana", 0, true, true, -1},
        {"banana split!", 0, true, true, -1},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(view.FindRow(c.text, c.start, c.prefix, c.wrap), c.expected) << c.text << " from " << c.start;
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
    ASSERT_EQ(rows.size(), 2000u);
    for (int i = 0; i < 2000; ++i)
        EXPECT_EQ(rows[static_cast<size_t>(i)], i);
}
}  // namespace
