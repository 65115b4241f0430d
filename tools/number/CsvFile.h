#pragma once
#include <string>
#include <string_view>
#include <vector>

// A small CSV reader: the first kept line is the header, every later one a row. Fields may be enclosed in double
// quotes, which protect separators; fields are trimmed and lose one pair of enclosing quotes.
class TCsvFile {
  public:
    // A comment character of code 0 marks no line as a comment.
    TCsvFile(char separator, char commentChar);

    // False, keeping the previous contents, when the file is missing, empty or cannot be read.
    bool LoadFromFile(const std::string& path);
    // Replaces the contents by those of `text`.
    void LoadFromText(std::string_view text);
    void Clear();

    // Empty texts for indexes out of range.
    const std::string& Header(int index) const;
    const std::string& Cell(int row, int column) const;
    int HeaderCount() const { return static_cast<int>(header_.size()); }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int FieldCount(int row) const;

    char Separator() const { return separator_; }
    char CommentChar() const { return commentChar_; }

  private:
    std::vector<std::string> SplitFields(std::string_view line) const;

    char separator_;
    char commentChar_;
    std::vector<std::string> header_;
    std::vector<std::vector<std::string>> rows_;
};
