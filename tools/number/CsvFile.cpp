#include "tools/number/CsvFile.h"

#include "core/KoLib.h"

namespace {

const std::string kEmpty;

size_t LineEnd(std::string_view text, size_t from) {
    const size_t end = text.find_first_of("\r\n", from);
    return end == std::string_view::npos ? text.size() : end;
}

// Where the line after the one ending at `end` starts: CR, LF and CR LF each end one line.
size_t NextLine(std::string_view text, size_t end) {
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
        return end + 2;
    return end + 1;
}

size_t CountLines(std::string_view text) {
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); pos = NextLine(text, LineEnd(text, pos)))
        ++count;
    return count;
}
}  // namespace

TCsvFile::TCsvFile(char separator, char commentChar) : separator_(separator), commentChar_(commentChar) {}

// A table another program holds open still loads (ReadFileBytes shares the file).
bool TCsvFile::LoadFromFile(const std::string& path) {
    std::string text;
    if (!ReadFileBytes(path, text) || text.empty())
        return false;
    LoadFromText(text);
    return true;
}

void TCsvFile::LoadFromText(std::string_view text) {
    Clear();
    const size_t lineCount = CountLines(text);
    if (lineCount > 1)
        rows_.reserve(lineCount - 1);
    bool haveHeader = false;
    for (size_t pos = 0; pos < text.size();) {
        const size_t end = LineEnd(text, pos);
        const std::string_view line = text.substr(pos, end - pos);
        pos = NextLine(text, end);
        if (line.empty() || (commentChar_ != '\0' && line.front() == commentChar_))
            continue;
        if (haveHeader) {
            rows_.push_back(SplitFields(line));
        } else {
            header_ = SplitFields(line);
            haveHeader = true;
        }
    }
    rows_.shrink_to_fit();
}

void TCsvFile::Clear() {
    header_.clear();
    rows_.clear();
}

const std::string& TCsvFile::Header(int index) const {
    if (index < 0 || index >= HeaderCount())
        return kEmpty;
    return header_[static_cast<size_t>(index)];
}

const std::string& TCsvFile::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount())
        return kEmpty;
    const std::vector<std::string>& fields = rows_[static_cast<size_t>(row)];
    if (column < 0 || static_cast<size_t>(column) >= fields.size())
        return kEmpty;
    return fields[static_cast<size_t>(column)];
}

int TCsvFile::FieldCount(int row) const {
    if (row < 0 || row >= RowCount())
        return 0;
    return static_cast<int>(rows_[static_cast<size_t>(row)].size());
}

// A quote hides everything up to the next quote (or the line's end) from the separator scan. A separator that
// ends the line opens no further field; doubled quotes inside a field stay as they are.
std::vector<std::string> TCsvFile::SplitFields(std::string_view line) const {
    std::vector<std::string> fields;
    fields.reserve(header_.size());
    size_t start = 0;
    size_t pos = 0;
    auto take = [&](size_t end) {
        std::string_view field = TrimBlanks(line.substr(start, end - start));
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
            field = field.substr(1, field.size() - 2);
        fields.emplace_back(field);
    };
    while (pos < line.size()) {
        if (line[pos] == '"') {
            const size_t close = line.find('"', pos + 1);
            pos = close == std::string_view::npos ? line.size() : close + 1;
        } else if (line[pos] == separator_) {
            take(pos);
            start = ++pos;
        } else {
            ++pos;
        }
    }
    if (start < line.size())
        take(line.size());
    return fields;
}
