// TCsvFile against a second, deliberately plain reading of the same rules: a character-by-character state machine.
// Input: separator byte, comment byte, mode byte, then the text. Mode 254 and 255 put a megabyte of "x" or an odd
// number of double quotes into the middle of the text, so short inputs reach megabyte lines and unbalanced quotes
// without millions of fields; other modes double the text up to three times.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "tools/number/CsvFile.h"

namespace {

std::string Clean(std::string_view field) {
    size_t first = 0;
    while (first < field.size() && static_cast<unsigned char>(field[first]) <= 32)
        ++first;
    size_t last = field.size();
    while (last > first && static_cast<unsigned char>(field[last - 1]) <= 32)
        --last;
    field = field.substr(first, last - first);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
    return std::string(field);
}

std::vector<std::string> ReferenceFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (quoted) {
            quoted = line[i] != '"';
        } else if (line[i] == '"') {
            quoted = true;
        } else if (line[i] == separator) {
            fields.push_back(Clean(line.substr(start, i - start)));
            start = i + 1;
        }
    }
    if (start < line.size())
        fields.push_back(Clean(line.substr(start)));
    return fields;
}

std::vector<std::string_view> ReferenceLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    static constexpr char kSeparators[] = {',', ';', '\t', '|'};
    const char separator = data[0] < 192 ? kSeparators[data[0] % 4] : static_cast<char>(data[0]);
    const char comment = data[1] < 128 ? '\0' : data[1] < 192 ? '#' : static_cast<char>(data[1]);
    const uint8_t mode = data[2];
    const std::string_view body(reinterpret_cast<const char*>(data + 3), size - 3);
    std::string text(body);
    if (mode >= 254) {
        const size_t fill = mode == 255 ? size_t{1} << 20 : (size_t{1} << 20) + 1;
        text.insert(text.size() / 2, fill, mode == 255 ? 'x' : '"');
    } else {
        for (int i = 0; i < mode % 4; ++i)
            text += text;
    }

    TCsvFile csv(separator, comment);
    csv.LoadFromText("stale\nrow,to,clear\n");
    csv.LoadFromText(text);

    std::vector<std::vector<std::string>> kept;
    for (std::string_view line : ReferenceLines(text)) {
        if (line.empty() || (comment != '\0' && line[0] == comment))
            continue;
        kept.push_back(ReferenceFields(line, separator));
    }
    if (kept.empty()) {
        Check(csv.HeaderCount() == 0 && csv.RowCount() == 0);
        return 0;
    }
    Check(csv.HeaderCount() == static_cast<int>(kept[0].size()));
    for (size_t i = 0; i < kept[0].size(); ++i)
        Check(csv.Header(static_cast<int>(i)) == kept[0][i]);
    Check(csv.RowCount() == static_cast<int>(kept.size()) - 1);
    for (size_t r = 1; r < kept.size(); ++r) {
        const int row = static_cast<int>(r) - 1;
        Check(csv.FieldCount(row) == static_cast<int>(kept[r].size()));
        for (size_t i = 0; i < kept[r].size(); ++i)
            Check(csv.Cell(row, static_cast<int>(i)) == kept[r][i]);
        Check(csv.Cell(row, static_cast<int>(kept[r].size())).empty());
    }
    return 0;
}
