#include <windows.h>

#include "core/HandlesWin32.h"
#include "tools/number/UnitInterpretation.h"

namespace {
struct TFindTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
using TFindHandle = TUniqueHandle<TFindTraits>;
}  // namespace

std::vector<std::string> DefinitionFiles(const std::string& dataFolder) {
    std::vector<std::string> names;
    std::string folder = dataFolder;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    WIN32_FIND_DATAA found;
    TFindHandle search(FindFirstFileA((folder + "*.ini").c_str(), &found));
    if (!search)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return names;
}
