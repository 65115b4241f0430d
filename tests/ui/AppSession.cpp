#include "tests/ui/AppSession.h"

#include <commctrl.h>

#include "core/KoLibWin32.h"
#include "core/MemoryCanvasWin32.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <stdexcept>

// Win32 structures are set up with aggregate initializers; the fields not named are zero.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {
// The Windows form of a folder handed over from the build (a Unix path under Wine), with a trailing backslash;
// empty when the variable is.
std::string FolderFrom(const char* variable, const std::string& fallback = "") {
    char value[4096];
    const DWORD n = GetEnvironmentVariableA(variable, value, sizeof value);
    std::string path = n > 0 && n < sizeof value ? std::string(value, n) : fallback;
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.empty() || path.back() == '\\' ? path : path + '\\';
}

// Depth first, in the order EnumChildWindows gives them.
void CollectControls(HWND parent, const char* className, std::vector<HWND>& found) {
    for (HWND window = GetWindow(parent, GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
        char name[64];
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpiA(name, className) == 0)
            found.push_back(window);
        CollectControls(window, className, found);
    }
}

// Sent with WM_NULL, waits until the window has handled everything sent before.
bool Answered(HWND window, UINT message, DWORD_PTR* result = nullptr) {
    return SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, 5000, result) != 0;
}
}  // namespace

HWND FindProcessWindow(DWORD processId) {
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, nullptr, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window) && !GetWindow(window, GW_OWNER))
            return window;
    }
    return nullptr;
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

TDistCopy::TDistCopy(const std::string& name) {
    const std::string dist = FolderFrom("DD_DIST");
    const std::string work = FolderFrom("DD_WORK", "ui-work");
    // A wrong DD_DIST could hold the working folder, which would then be copied into itself.
    if (dist.empty() || GetFileAttributesA((dist + "DaDeruv.exe").c_str()) == INVALID_FILE_ATTRIBUTES ||
        work.rfind(dist, 0) == 0)
        throw std::runtime_error("DD_DIST does not name a folder with DaDeruv.exe outside DD_WORK: " + dist);
    // Named without the trailing backslash, and copied into a folder that is not there yet: under Wine the
    // library's copy takes nothing else.
    std::filesystem::remove_all(work + name);
    std::filesystem::create_directories(work);
    std::filesystem::copy(dist.substr(0, dist.size() - 1), work + name, std::filesystem::copy_options::recursive);
    folder_ = work + name + "\\";
}

std::string TDistCopy::ReadIni(const std::string& section, const std::string& key, const std::string& fallback) const {
    char value[4096];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), value, sizeof value,
                             (folder_ + "DaDeruv.ini").c_str());
    return value;
}

void TDistCopy::WriteIni(const std::string& section, const std::string& key, const std::string& value) const {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), (folder_ + "DaDeruv.ini").c_str());
}

TAppSession::TAppSession(const TDistCopy& dist, const std::string& arguments, bool waitForWindow) {
    std::string commandLine = "\"" + dist.Folder() + "DaDeruv.exe\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dist.Folder().c_str(),
                        &startup, &info))
        throw std::runtime_error("cannot start " + commandLine);
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
    if (waitForWindow && !WaitForWindow()) {
        TerminateProcess(process_.get(), 1);  // only the process this session started
        throw std::runtime_error("no window shows for " + commandLine.substr(0, 200));
    }
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
    WaitUntil([&] { return (window_ = FindProcessWindow(processId_)) || !Running(); }, timeoutMs);
    return window_;
}

std::vector<HWND> TAppSession::Controls(const char* className) const {
    std::vector<HWND> found;
    CollectControls(window_, className, found);
    return found;
}

void TAppSession::TypeKey(WORD key, WORD modifier) const {
    SetForegroundWindow(window_);
    WaitUntil([&] { return GetForegroundWindow() == window_; }, 2000);
    const WORD strokes[] = {modifier, key, key, modifier};  // two down, two up
    std::vector<INPUT> inputs;
    for (size_t i = 0; i < std::size(strokes); ++i) {
        if (strokes[i])
            inputs.push_back(
                {.type = INPUT_KEYBOARD, .ki = {.wVk = strokes[i], .dwFlags = i < 2 ? 0u : KEYEVENTF_KEYUP}});
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(100);
    Answered(window_, WM_NULL);
}

HWND TAppSession::FocusedControl() const {
    GUITHREADINFO info{sizeof info};
    const DWORD thread = GetWindowThreadProcessId(window_, nullptr);
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : window_;
}

void TAppSession::DragTo(int left, int top) const {
    Answered(window_, WM_ENTERSIZEMOVE);
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Answered(window_, WM_EXITSIZEMOVE);
}

void TAppSession::Widen(int pixels) const {
    const RECT r = WindowRect(window_);
    SetWindowPos(window_, nullptr, 0, 0, r.right - r.left + pixels, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Answered(window_, WM_NULL);
}

void PostKey(HWND window, WORD key, bool alt) {
    const LPARAM altBit = alt ? (1 << 29) : 0;
    PostMessageA(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | altBit);
    PostMessageA(window, alt ? WM_SYSKEYUP : WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u) | altBit);
    Sleep(100);  // a sent message would overtake the posted ones
    Answered(window, WM_NULL);
}

void Click(HWND control, int x, int y, bool twice) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
    if (twice) {
        PostMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(control, WM_LBUTTONUP, 0, at);
    }
    Sleep(300);
}

std::string ControlText(HWND control) {
    DWORD_PTR length = 0;
    Answered(control, WM_GETTEXTLENGTH, &length);
    // Room for twice the length: a rich edit counts a line end once but may give it as CR LF.
    std::string text(2 * length + 1, '\0');
    SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    text.resize(std::strlen(text.c_str()));
    return text;
}

void SetControlText(HWND control, const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
}

std::vector<std::string> ListBoxRows(HWND listBox) {
    // Asked in UTF-16 and converted here: the ANSI form of this message is not carried reliably across processes.
    std::vector<std::string> rows;
    const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring wide(static_cast<size_t>(SendMessageW(listBox, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
        rows.push_back(NarrowText(wide.c_str()));
    }
    return rows;
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

RECT ClientRect(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

HWND WaitForWindowTitled(const std::string& caption, DWORD timeoutMs) {
    HWND found = nullptr;
    const auto shown = [&] { return IsWindowVisible(found = FindWindowA(nullptr, caption.c_str())) != FALSE; };
    return WaitUntil(shown, timeoutMs) ? found : nullptr;
}

bool CloseAndWait(HWND window, DWORD timeoutMs) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    TObjectHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageA(window, WM_CLOSE, 0, 0);
    return process && WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
}

void SaveScreenshot(HWND window, const std::string& name) {
    const std::string folder = FolderFrom("DD_SHOTS");
    if (folder.empty())
        return;
    CreateDirectoryA(folder.c_str(), nullptr);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(300);
    const RECT r = WindowRect(window);
    TMemoryCanvas canvas;
    canvas.SetSize(r.right - r.left, r.bottom - r.top);
    const TWindowDC screen(nullptr);
    BitBlt(canvas.DC(), 0, 0, canvas.Width(), canvas.Height(), screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    SaveBitmapFile(folder + name + ".bmp", canvas.Bitmap());
}

std::string TAppSession::RemoteText(HWND control,
                                    UINT message,
                                    WPARAM index,
                                    size_t itemSize,
                                    const std::function<std::string(char* text)>& item) const {
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process_.get(), nullptr, itemSize + kRemoteTextSize, MEM_COMMIT, PAGE_READWRITE));
    if (!remote)
        return "(unreadable)";
    const std::string bytes = item(remote + itemSize);
    WriteProcessMemory(process_.get(), remote, bytes.data(), bytes.size(), nullptr);
    SendMessageA(control, message, index, reinterpret_cast<LPARAM>(remote));
    char text[kRemoteTextSize] = "";
    ReadProcessMemory(process_.get(), remote + itemSize, text, sizeof text - 1, nullptr);
    VirtualFreeEx(process_.get(), remote, 0, MEM_RELEASE);
    return text;
}

std::vector<std::string> TAppSession::ListViewRows(HWND listView, const std::vector<int>& columns) const {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string row;
        for (size_t c = 0; c < columns.size(); ++c)
            row += (c > 0 ? "\t" : "") + ItemText(listView, LVM_GETITEMTEXTA, i, LVITEMA{.iSubItem = columns[c]});
        rows.push_back(row);
    }
    return rows;
}

DWORD RunProgram(const std::string& commandLine, DWORD timeoutMs) {
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &info))
        return ~0u;
    const TObjectHandle process(info.hProcess), thread(info.hThread);
    DWORD code = ~0u;
    if (WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.get(), &code);
    return code;
}

std::string TAppSession::StatusPanel(HWND statusBar, int index) const {
    // The message writes the whole text, however long: the buffer must hold it.
    if (LOWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, index, 0)) >= kRemoteTextSize)
        return "(unreadable)";
    std::string shown = RemoteText(statusBar, SB_GETTEXTA, index, 0, [](char*) { return std::string(); });
    std::erase(shown, '\t');  // tabs only say how the bar aligns the text
    return shown;
}

std::string AnswerInputBox(const std::function<void()>& open, const std::string& answer, const std::string& caption) {
    // A key that comes while the window still finishes the one before is flushed with it: ask again.
    HWND box = nullptr;
    for (int tries = 0; !box && tries < 3; ++tries) {
        open();
        box = WaitForWindowTitled(caption, 5000);
    }
    if (!box)
        return "(no box)";
    const std::string prompt = ControlText(GetDlgItem(box, 10));
    SetControlText(GetDlgItem(box, 11), answer);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); });
    return prompt;
}
