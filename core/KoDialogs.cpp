#include "core/KoDialogs.h"

#include <algorithm>

std::string MakeFilterList(std::string_view filter) {
    std::string list(filter);
    std::replace(list.begin(), list.end(), '|', '\0');
    list.append(2, '\0');
    return list;
}

std::vector<std::string> SplitFileSelection(std::string_view buffer, bool multiSelect) {
    std::vector<std::string> parts;
    while (!buffer.empty() && buffer.front() != '\0') {
        const size_t end = std::min(buffer.find('\0'), buffer.size());
        parts.emplace_back(buffer.substr(0, end));
        buffer.remove_prefix(std::min(end + 1, buffer.size()));
    }
    if (!multiSelect || parts.size() < 2) {
        parts.resize(std::min<size_t>(parts.size(), 1));
        return parts;
    }
    std::string folder = parts.front();
    if (folder.back() != '\\')
        folder += '\\';
    std::vector<std::string> files;
    files.reserve(parts.size() - 1);
    for (size_t i = 1; i < parts.size(); ++i)
        files.push_back(folder + parts[i]);
    return files;
}
