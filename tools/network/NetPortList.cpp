#include "tools/network/NetPortList.h"

#include <algorithm>
#include <cctype>

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

size_t FindBlank(std::string_view text, size_t from, bool blank) {
    while (from < text.size() && IsBlank(text[from]) != blank)
        ++from;
    return from;
}

// Digits only, saturated well above any port; false for no digits or anything else.
bool ReadNumber(std::string_view text, uint64_t& value) {
    if (text.empty() || text.size() > 12)
        return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool ContainsLowered(std::string_view text, std::string_view lowered) {
    return std::search(text.begin(), text.end(), lowered.begin(), lowered.end(),
                       [](char a, char b) { return Lower(a) == b; }) != text.end();
}
}  // namespace

std::vector<TPortRecord> ParsePortList(std::string_view text) {
    std::vector<TPortRecord> records;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end;
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line[0] < '0' || line[0] > '9')
            continue;
        TPortRecord record;
        const size_t p1 = FindBlank(line, 0, true);
        uint64_t port = 0;
        record.Port = ReadNumber(line.substr(0, p1), port) && port <= 0xFFFF ? static_cast<uint16_t>(port) : 0;
        const size_t p2 = FindBlank(line, p1, false);
        record.IsUdp = p2 < line.size() && Lower(line[p2]) == 'u';
        // The protocol word is three letters: the name starts after it and one separator.
        const size_t p3 = FindBlank(line, std::min(p2 + 4, line.size()), false);
        const size_t p4 = FindBlank(line, p3, true);
        record.Name = std::string(line.substr(p3, std::min(p4 - p3, kPortNameLength)));
        const size_t p5 = FindBlank(line, p4, false);
        record.Description = std::string(line.substr(p5, kPortDescriptionLength));
        records.push_back(std::move(record));
    }
    return records;
}

TPortFilter::TPortFilter(std::string_view text) {
    if (text.empty()) {
        all_ = true;
        return;
    }
    const size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        valid_ = ReadNumber(text, low_);
        high_ = low_;
        return;
    }
    const std::string_view from = text.substr(0, dash);
    const std::string_view to = text.substr(dash + 1);
    valid_ = (!from.empty() || !to.empty()) && (from.empty() || ReadNumber(from, low_)) &&
             (to.empty() ? (high_ = UINT64_MAX, true) : ReadNumber(to, high_));
}

std::vector<int> FilterPorts(const std::vector<TPortRecord>& records,
                             std::string_view portFilter,
                             TPortProtocol protocol,
                             std::string_view search) {
    const TPortFilter ports(portFilter);
    std::string lowered(search);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), Lower);
    std::vector<int> rows;
    for (size_t i = 0; i < records.size(); ++i) {
        const TPortRecord& r = records[i];
        if (!ports.Matches(r.Port) || (protocol != TPortProtocol::Both && r.IsUdp != (protocol == TPortProtocol::Udp)))
            continue;
        if (!lowered.empty() && !ContainsLowered(r.Name, lowered) && !ContainsLowered(r.Description, lowered))
            continue;
        rows.push_back(static_cast<int>(i));
    }
    return rows;
}
