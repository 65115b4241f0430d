#include "core/RowModel.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {
// Upper-cased texts of one column, each built on first use. A view sorting by text compares thousands of pairs;
// reading and upper-casing each cell once instead of per comparison keeps the sort free of allocations.
class TSortKeys {
  public:
    TSortKeys(const IRowSource& source, int column, int rowCount)
        : source_(source), column_(column), keys_(static_cast<size_t>(rowCount)), built_(keys_.size()) {}
    bool Covers(const IRowSource& source, int column, int a, int b) const {
        return &source == &source_ && column == column_ && Fits(a) && Fits(b);
    }
    const std::string& Key(int row) {
        const auto at = static_cast<size_t>(row);
        if (!built_[at]) {
            keys_[at] = source_.CellText(row, column_);
            for (char& c : keys_[at])
                c = UpperCase1252(c);
            built_[at] = 1;
        }
        return keys_[at];
    }

  private:
    bool Fits(int row) const { return row >= 0 && static_cast<size_t>(row) < keys_.size(); }

    const IRowSource& source_;
    int column_;
    std::vector<std::string> keys_;
    std::vector<uint8_t> built_;
};

// The keys of the sort in progress on this thread, seen by the default comparison.
thread_local TSortKeys* activeKeys = nullptr;

class TSortKeysScope {
  public:
    TSortKeysScope(const IRowSource& source, int column, int rowCount)
        : keys_(source, column, rowCount), previous_(std::exchange(activeKeys, &keys_)) {}
    ~TSortKeysScope() { activeKeys = previous_; }
    TSortKeysScope(const TSortKeysScope&) = delete;
    TSortKeysScope& operator=(const TSortKeysScope&) = delete;

  private:
    TSortKeys keys_;
    TSortKeys* previous_;
};
}  // namespace

int IRowSource::CompareRows(int a, int b, int column) const {
    if (TSortKeys* keys = activeKeys; keys && keys->Covers(*this, column, a, b))
        return keys->Key(a).compare(keys->Key(b));
    return CompareTextIgnoringCase(CellText(a, column), CellText(b, column));
}

int CompareTextIgnoringCase(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(UpperCase1252(a[i]));
        const auto y = static_cast<unsigned char>(UpperCase1252(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

TRowFilter WordFilter(const IRowSource& source, std::string_view word, std::vector<int> columns) {
    if (word.empty())
        return {};
    return [&source, upperWord = UpperCase1252(word), columns = std::move(columns)](int row) {
        for (const int column : columns) {
            std::string text = source.CellText(row, column);
            for (char& c : text)
                c = UpperCase1252(c);
            // Both sides upper-cased once here, so the search itself can skip its own copies.
            if (PosEx(text, upperWord, 1, true) > 0)
                return true;
        }
        return false;
    };
}

void TRowView::SetSource(const IRowSource* source) {
    source_ = source;
    Refresh();
}

// The source may have changed since the last filter: a filter must never see rows it no longer has.
void TRowView::SetFilter(TRowFilter filter) {
    filter_ = std::move(filter);
    Refresh();
}

void TRowView::SetSort(int column, bool descending) {
    sortColumn_ = column;
    sortDescending_ = descending;
    Sort();
}

void TRowView::Refresh() {
    sourceCount_ = source_ ? std::max(source_->RowCount(), 0) : 0;
    Filter();
    Sort();
}

void TRowView::Filter() {
    rows_.clear();
    for (int row = 0; row < sourceCount_; ++row) {
        if (!filter_ || filter_(row))
            rows_.push_back(row);
    }
}

void TRowView::Sort() {
    if (sortColumn_ < 0 || !source_) {
        std::sort(rows_.begin(), rows_.end());
        if (sortDescending_)
            std::reverse(rows_.begin(), rows_.end());
    } else {
        const TSortKeysScope keys(*source_, sortColumn_, sourceCount_);
        const IRowSource& source = *source_;
        const int column = sortColumn_;
        const bool descending = sortDescending_;
        // A merge sort: a source whose comparison contradicts itself gets a wrong order, never a run past the ends.
        std::stable_sort(rows_.begin(), rows_.end(), [&](int a, int b) {
            const int order = source.CompareRows(a, b, column);
            if (order != 0)
                return descending ? order > 0 : order < 0;
            return a < b;
        });
    }
    visibleOf_.assign(static_cast<size_t>(sourceCount_), -1);
    for (size_t i = 0; i < rows_.size(); ++i)
        visibleOf_[static_cast<size_t>(rows_[i])] = static_cast<int>(i);
}

int TRowView::SourceRow(int visibleIndex) const {
    return visibleIndex >= 0 && visibleIndex < Count() ? rows_[static_cast<size_t>(visibleIndex)] : -1;
}

int TRowView::VisibleIndexOf(int sourceRow) const {
    return sourceRow >= 0 && static_cast<size_t>(sourceRow) < visibleOf_.size()
               ? visibleOf_[static_cast<size_t>(sourceRow)]
               : -1;
}

int TRowView::FindRow(std::string_view text, int start, bool prefix, bool wrap, int column) const {
    const int count = Count();
    if (!source_ || text.empty() || count == 0)
        return -1;
    if (start < 0 || start >= count)
        start = 0;
    const int end = wrap ? start + count : count;
    for (int i = start; i < end; ++i) {
        const int visible = i % count;
        const std::string caption = source_->CellText(rows_[static_cast<size_t>(visible)], column);
        if (PosEx(caption, text) == 1 && (prefix || caption.size() == text.size()))
            return visible;
    }
    return -1;
}
