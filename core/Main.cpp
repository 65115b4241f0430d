#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "core/ToolRegistry.h"
#include "core/ToolWindowsWin32.h"
#include "core/WinControlWin32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i] ? __argv[i] : "");
    SetLaunchArguments(arguments);
    SetCurrentTool(FindTool(LaunchArgument(0)));

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    std::unique_ptr<TKoUtilForm> mainWindow;
    try {
        mainWindow = CreateToolWindow(ToolIndex(CurrentTool()));
    } catch (const std::exception& error) {
        ShowException(error);  // a window that cannot be built ends the program
        return 1;
    }
    mainWindow->Show();
    return RunMessageLoop();
}
