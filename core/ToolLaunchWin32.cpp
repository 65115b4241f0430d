#include <windows.h>

#include <shellapi.h>

#include "core/AppPaths.h"
#include "core/LateBoundWin32.h"
#include "core/ToolRegistry.h"

void LaunchTool(const TToolRecord& record, std::string_view extra) {
    const std::string params = LaunchParameters(record, extra);
    const std::string folder = ToolDataFolder(record);
    // A missing working folder would stop the process from starting at all; the tool copes without its folder.
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    const bool folderExists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    // A tool never runs inside this process; what the shell answers is of no use to the caller.
    static const auto shellExecute = LateBound<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (shellExecute)
        shellExecute(nullptr, nullptr, ExePath().c_str(), params.c_str(), folderExists ? folder.c_str() : nullptr,
                     SW_SHOWNORMAL);
}
