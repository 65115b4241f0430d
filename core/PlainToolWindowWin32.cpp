#include "core/PlainToolWindowWin32.h"

#include <windows.h>

#include <string>

#include "core/KoLib.h"
#include "core/ToolRegistry.h"

namespace {
constexpr char kClassName[] = "TKoUtilForm";

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSKEYDOWN:
            if (wParam == 'Q') {  // Alt+Q
                DestroyWindow(window);
                return 0;
            }
            break;
        case WM_SYSCHAR:
            if (wParam == 'q' || wParam == 'Q')
                return 0;  // no beep for the handled Alt+Q
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int RunPlainToolWindow(const TToolRecord& tool) {
    SetCurrentDirectoryA(ToolDataFolder(tool).c_str());
    UpdateRunStatistics(tool);

    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);

    const std::string caption = std::string(tool.Title) + " " + FormatVersion(tool.Updated, true);
    const int width = tool.DefaultWidth ? tool.DefaultWidth : 400;
    const int height = tool.DefaultHeight ? tool.DefaultHeight : 240;
    const DWORD style =
        IsResizable(tool) ? WS_OVERLAPPEDWINDOW : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    const HWND window = CreateWindowExA(
        0, kClassName, caption.c_str(), style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
        (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNORMAL);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ReleaseStatsIni();
    return static_cast<int>(msg.wParam);
}
