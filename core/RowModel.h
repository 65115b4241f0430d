#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/KoLib.h"

// The rows behind an owner-data list: a tool's source rows, and a view of them filtered and sorted in the model.

// A colour counts only when its flag is set.
struct TRowColors {
    TColor text = 0;
    TColor background = 0;
    bool hasText = false;
    bool hasBackground = false;
};

// The rows a tool has, by source index.
class IRowSource {
  public:
    virtual ~IRowSource() = default;
    virtual int RowCount() const = 0;
    virtual std::string CellText(int row, int column) const = 0;
    virtual int RowImage(int /*row*/) const { return -1; }
    virtual TRowColors RowColors(int /*row*/) const { return {}; }
    // <0, 0 or >0, and 0 for equal keys. The default compares CellText ignoring case; tools override it for numbers
    // and dates.
    virtual int CompareRows(int a, int b, int column) const;
};

// Texts of code page 1252 in the order of their upper-cased bytes.
int CompareTextIgnoringCase(std::string_view a, std::string_view b);

using TRowFilter = std::function<bool(int sourceRow)>;

// Passes the rows in whose text of any of the columns the word occurs, ignoring case; an empty word gives an empty
// filter (every row). The source must outlive the filter.
TRowFilter WordFilter(const IRowSource& source, std::string_view word, std::vector<int> columns);

// The visible rows: the source rows that pass the filter, in sort order. Each setter applies at once; Refresh is
// for a source whose rows changed.
class TRowView {
  public:
    void SetSource(const IRowSource* source);
    const IRowSource* Source() const { return source_; }
    void SetFilter(TRowFilter filter);  // empty: every row; also takes the source's new row count
    // Ties keep ascending source order in both directions. A negative column sorts by source index.
    void SetSort(int column, bool descending);
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }
    void Refresh();

    int Count() const { return static_cast<int>(rows_.size()); }
    int SourceRow(int visibleIndex) const;    // -1 out of range
    int VisibleIndexOf(int sourceRow) const;  // -1 when hidden or out of range
    // The first visible row from start on (then from the top when wrap) whose text in the column starts with text
    // (is text, when !prefix), ignoring case; -1 when none.
    int FindRow(std::string_view text, int start, bool prefix, bool wrap, int column = 0) const;

  private:
    void Filter();
    void Sort();

    const IRowSource* source_ = nullptr;  // not owned
    TRowFilter filter_;
    int sortColumn_ = -1;
    bool sortDescending_ = false;
    int sourceCount_ = 0;
    std::vector<int> rows_;       // visible index -> source row
    std::vector<int> visibleOf_;  // source row -> visible index or -1
};
