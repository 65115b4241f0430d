#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/KoLib.h"
#include "tools/number/UnitInterpretation.h"

namespace fs = std::filesystem;

// Sorted without regard to case, the order in which NTFS lists a folder.
std::vector<std::string> DefinitionFiles(const std::string& dataFolder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(dataFolder.empty() ? fs::path(".") : fs::path(dataFolder), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 4 && SameTextAscii(std::string_view(name).substr(name.size() - 4), ".ini") &&
            !it->is_directory(error))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return UpperCase1252(a) < UpperCase1252(b); });
    return names;
}
