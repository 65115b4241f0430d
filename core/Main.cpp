#include <windows.h>

#include <cstdlib>

#include "core/PlainToolWindowWin32.h"
#include "core/ToolRegistry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const char* argument = __argc > 1 && __argv[1] ? __argv[1] : "";
    SetCurrentTool(FindTool(argument));
    return RunPlainToolWindow(CurrentTool());
}
