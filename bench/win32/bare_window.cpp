// The yardstick of the start-up benchmark: one window and a message loop, nothing else. With --dlls it also loads
// what DaDeruv.exe loads (its imported libraries, common controls initialised, the rich edit library, OLE) and
// shows a rich edit and a list view, so that the cost of the libraries alone can be told from the program's own.
// The build makes two programs of this file: one without resources and one with DaDeruv.exe's, whose manifest asks
// for common controls 6.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <richedit.h>

#include <cstring>

namespace {
constexpr char kClassName[] = "BareWindow";

// The libraries DaDeruv.exe imports beyond those every program has, and the rich edit library it loads for its
// expression lines and outputs. Loaded by name so that the plain program imports none of them.
constexpr const char* kLibraries[] = {"comctl32.dll", "comdlg32.dll", "ole32.dll",
                                      "shell32.dll",  "winmm.dll",    "riched20.dll"};

// A library function of known type; through void (*)() because the compiler rejects casts between unrelated
// function types.
template <typename T>
T LibraryFunction(const char* library, const char* name) {
    const FARPROC proc = GetProcAddress(GetModuleHandleA(library), name);
    return reinterpret_cast<T>(reinterpret_cast<void (*)()>(proc));
}

void LoadLibraries() {
    for (const char* name : kLibraries)
        LoadLibraryA(name);  // kept for the process's lifetime, as the program keeps them
    using TInitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (const auto init = LibraryFunction<TInitControls>("comctl32.dll", "InitCommonControlsEx")) {
        const INITCOMMONCONTROLSEX controls{sizeof controls,
                                            ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        init(&controls);
    }
    using TOleInitialize = HRESULT(WINAPI*)(void*);
    if (const auto oleInitialize = LibraryFunction<TOleInitialize>("ole32.dll", "OleInitialize"))
        oleInitialize(nullptr);  // undone by the process's end
}

void AddControls(HWND window, HINSTANCE instance) {
    CreateWindowExA(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 400, 100, window,
                    nullptr, instance, nullptr);
    CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 100, 400, 200, window,
                    nullptr, instance, nullptr);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    const bool withLibraries = std::strstr(commandLine, "--dlls") != nullptr;
    if (withLibraries)
        LoadLibraries();
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc))
        return 1;
    // Owned by the system from here on: destroyed when the user closes it.
    const HWND window = CreateWindowExA(0, kClassName, "Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                        420, 340, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    if (withLibraries)
        AddControls(window, instance);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
