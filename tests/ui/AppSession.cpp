#include "tests/ui/AppSession.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {
void CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + name + "\\", to + name + "\\");
        else
            CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

struct TChildSearch {
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TChildSearch*>(param);
    char name[64];
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, search->className) == 0)
        search->found.push_back(window);
    return TRUE;
}

struct TWindowSearch {
    DWORD processId;
    HWND found;
};

// A plain function: 32-bit callbacks are __stdcall, which no lambda converts to.
BOOL CALLBACK FirstProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindProcessWindow(DWORD processId) {
    TWindowSearch search{processId, nullptr};
    EnumWindows(FirstProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

std::string EnvOr(const char* name, const std::string& fallback) {
    char value[4096];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : fallback;
}

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

TDistCopy::TDistCopy(const std::string& name) {
    const std::string dist = WindowsPath(EnvOr("DD_DIST", ""));
    const std::string work = WindowsPath(EnvOr("DD_WORK", "ui-work"));
    if (dist == "\\" || GetFileAttributesA((dist + "DaDeruv.exe").c_str()) == INVALID_FILE_ATTRIBUTES)
        throw std::runtime_error("DD_DIST does not name a folder with DaDeruv.exe: " + dist);
    CreateDirectoryA(work.c_str(), nullptr);
    folder_ = work + name + "\\";
    RemoveTree(folder_);
    CopyTree(dist, folder_);
}

std::string TDistCopy::ReadIni(const std::string& section, const std::string& key, const std::string& fallback) const {
    char value[4096];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), value, sizeof value, IniFile().c_str());
    return value;
}

void TDistCopy::WriteIni(const std::string& section, const std::string& key, const std::string& value) const {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), IniFile().c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniFile().c_str());
}

std::vector<std::string> TDistCopy::IniKeys(const std::string& section) const {
    std::vector<char> names(65536);
    const DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", names.data(),
                                             static_cast<DWORD>(names.size()), IniFile().c_str());
    std::vector<std::string> keys;
    for (DWORD i = 0; i < n && names[i];) {
        keys.emplace_back(&names[i]);
        i += static_cast<DWORD>(keys.back().size()) + 1;
    }
    return keys;
}

TAppSession::TAppSession(const TDistCopy& dist, const std::string& arguments) {
    std::string commandLine = "\"" + dist.Folder() + "DaDeruv.exe\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dist.Folder().c_str(),
                        &startup, &info))
        throw std::runtime_error("cannot start " + commandLine);
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
}

TAppSession::~TAppSession() {
    if (Running()) {
        if (window_)
            PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0)
            TerminateProcess(process_.get(), 1);  // only the process this session started
    }
}

HWND TAppSession::WaitForWindow(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if ((window_ = FindProcessWindow(processId_)))
            return window_;
        if (!Running())
            break;
        Sleep(50);
    }
    return nullptr;
}

std::string TAppSession::Caption() const {
    char text[512] = "";
    // Another process's window: ask with a message, which reaches its window procedure.
    SendMessageTimeoutA(window_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return text;
}

RECT TAppSession::Rect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
}

void TAppSession::Sync() const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

void TAppSession::DragTo(int left, int top) {
    SendMessageTimeoutA(window_, WM_ENTERSIZEMOVE, 0, 0, SMTO_NORMAL, 5000, nullptr);
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageTimeoutA(window_, WM_EXITSIZEMOVE, 0, 0, SMTO_NORMAL, 5000, nullptr);
    Sync();
}

void TAppSession::PressKey(WORD key, bool alt, bool ctrl, bool shift) {
    if (ctrl || shift) {
        TypeKey(key, alt, ctrl, shift);
        return;
    }
    // Plain and Alt keys are posted to the window, as the message loop would deliver them; no focus is needed.
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM altBit = alt ? (1 << 29) : 0;
    PostMessageA(window_, down, key, 1 | altBit);
    PostMessageA(window_, up, key, static_cast<LPARAM>(0xC0000001u) | altBit);
    Sleep(100);  // a sent message would overtake the posted ones
    Sync();
}

void TAppSession::TypeKey(WORD key, bool alt, bool ctrl, bool shift) {
    SetForegroundWindow(window_);
    for (int i = 0; i < 40 && GetForegroundWindow() != window_; ++i)
        Sleep(50);
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    const WORD modifiers[] = {static_cast<WORD>(ctrl ? VK_CONTROL : 0), static_cast<WORD>(shift ? VK_SHIFT : 0),
                              static_cast<WORD>(alt ? VK_MENU : 0)};
    for (WORD m : modifiers)
        if (m)
            add(m, false);
    add(key, false);
    add(key, true);
    for (int i = 2; i >= 0; --i)
        if (modifiers[i])
            add(modifiers[i], true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(100);
    Sync();
}

void TAppSession::DoubleClick(HWND control, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
    PostMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
    Sleep(300);
}

bool TAppSession::WaitForExit(DWORD timeoutMs) {
    return WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

bool TAppSession::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void TAppSession::TypeText(const std::string& text) {
    for (char c : text)
        PostMessageA(FocusedControl(), WM_CHAR, static_cast<unsigned char>(c), 1);
    Sleep(100);
    Sync();
}

HWND TAppSession::FocusedControl() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window_, nullptr);
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : window_;
}

std::vector<HWND> TAppSession::Controls(const char* className) const {
    TChildSearch search{className, {}};
    EnumChildWindows(window_, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TAppSession::ControlText(HWND control) {
    DWORD_PTR length = 0;
    SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    // Room for twice the length: a rich edit counts a line end once but may give it as CR LF.
    std::string text(2 * length + 1, '\0');
    SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    text.resize(std::strlen(text.c_str()));
    return text;
}

void TAppSession::ClickControl(HWND control) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Sleep(150);
}

void TAppSession::SetControlText(HWND control, const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
}

std::vector<std::string> TAppSession::ListBoxRows(HWND listBox) {
    // Asked in UTF-16 and converted here: the ANSI form of this message is not carried reliably across processes.
    std::vector<std::string> rows;
    const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring wide(static_cast<size_t>(SendMessageW(listBox, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        wide.resize(static_cast<size_t>(SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()))));
        std::string row(wide.size() * 2 + 1, '\0');
        row.resize(
            static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), row.data(),
                                                    static_cast<int>(row.size()), nullptr, nullptr)));
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> TAppSession::ListViewRows(HWND listView) const {
    // The item and its text buffer must lie in the list view's own process.
    constexpr size_t kTextSize = 1024;
    void* remote = VirtualAllocEx(process_.get(), nullptr, sizeof(LVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE);
    std::vector<std::string> rows;
    if (!remote)
        return rows;
    auto* remoteText = static_cast<char*>(remote) + sizeof(LVITEMA);
    const int count = static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0));
    const int columns = header ? std::max(1, static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0))) : 1;
    for (int i = 0; i < count; ++i) {
        std::string row;
        for (int c = 0; c < columns; ++c) {
            LVITEMA item{};
            item.iSubItem = c;
            item.pszText = remoteText;
            item.cchTextMax = kTextSize;
            WriteProcessMemory(process_.get(), remote, &item, sizeof item, nullptr);
            SendMessageA(listView, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(remote));
            char text[kTextSize] = "";
            ReadProcessMemory(process_.get(), remoteText, text, sizeof text - 1, nullptr);
            if (c > 0)
                row += '\t';
            row += text;
        }
        rows.push_back(row);
    }
    VirtualFreeEx(process_.get(), remote, 0, MEM_RELEASE);
    return rows;
}

HWND WaitForWindowTitled(const std::string& caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindWindowA(nullptr, caption.c_str());
            return found && IsWindowVisible(found);
        },
        timeoutMs);
    return found && IsWindowVisible(found) ? found : nullptr;
}

bool CloseAndWait(HWND window, DWORD timeoutMs) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    TObjectHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageA(window, WM_CLOSE, 0, 0);
    return process && WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
}

void SaveScreenshot(HWND window, const std::string& name) {
    const std::string folder = WindowsPath(EnvOr("DD_SHOTS", ""));
    if (folder == "\\")
        return;
    CreateDirectoryA(folder.c_str(), nullptr);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(300);
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const TWindowDC screen(nullptr);
    const TMemoryDC memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const TBitmapHandle bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        const TSelectObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
    }
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    TFileHandle out(CreateFileA((folder + name + ".bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out || !bits)
        return;
    DWORD written = 0;
    WriteFile(out.get(), &file, sizeof file, &written, nullptr);
    WriteFile(out.get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(out.get(), bits, imageSize, &written, nullptr);
}
