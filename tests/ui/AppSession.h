#pragma once
// A scenario's platform, common controls and session.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "core/HandlesWin32.h"

// A fresh copy of dist/ for one scenario, so that its INI file starts empty.
class TDistCopy {
  public:
    explicit TDistCopy(const std::string& name);
    const std::string& Folder() const { return folder_; }  // with the trailing backslash
    // A key the file lacks reads as the fallback.
    std::string ReadIni(const std::string& section, const std::string& key, const std::string& fallback = "") const;
    void WriteIni(const std::string& section, const std::string& key, const std::string& value) const;

  private:
    std::string folder_;
};

// Posts a plain or Alt key to a window of another process and waits until it is handled.
void PostKey(HWND window, WORD key, bool alt = false);
// A left click (or double click) on a point of a control, with the button messages the mouse would give.
void Click(HWND control, int x = 3, int y = 3, bool twice = false);
std::string ControlText(HWND control);
// Replaces a control's text as a paste would; the control reports the change.
void SetControlText(HWND control, const std::string& text);
std::vector<std::string> ListBoxRows(HWND listBox);
RECT WindowRect(HWND window);
RECT ClientRect(HWND window);
inline int WindowWidth(HWND window) {
    const RECT r = WindowRect(window);
    return r.right - r.left;
}

// One running DaDeruv.exe started from a dist copy; ended by its process id when the scenario is over.
class TAppSession {
  public:
    // Unless told not to wait, throws (failing the scenario) when no window shows within 20 seconds.
    TAppSession(const TDistCopy& dist, const std::string& arguments, bool waitForWindow = true);
    ~TAppSession();
    TAppSession(const TAppSession&) = delete;
    TAppSession& operator=(const TAppSession&) = delete;

    // The first visible top-level window of the process; null after the timeout.
    HWND WaitForWindow(DWORD timeoutMs = 20000);
    HWND Window() const { return window_; }
    std::string Caption() const { return ControlText(window_); }
    // The window's descendants of a window class ("Edit", "ListBox", ...), in creation order; the first or null.
    std::vector<HWND> Controls(const char* className) const;
    HWND Control(const char* className) const {
        const std::vector<HWND> controls = Controls(className);
        return controls.empty() ? nullptr : controls.front();
    }
    // Needs no focus.
    void PressKey(WORD key, bool alt = false) const { PostKey(window_, key, alt); }
    // A key (with Ctrl or Shift held) typed on the keyboard into the window brought to the foreground.
    void TypeKey(WORD key, WORD modifier = 0) const;
    bool QuitWithAltQ() {
        PressKey('Q', true);
        return WaitForExit();
    }
    // The texts of the columns of each row of a list view of the process, tab-separated.
    std::vector<std::string> ListViewRows(HWND listView, const std::vector<int>& columns) const;
    // The text a panel of a status bar of the process shows.
    std::string StatusPanel(HWND statusBar, int index) const;
    // The text a control of the process gives for an item (LVITEMA, TCITEMA, ...) that must lie in its own memory.
    template <class TItem>
    std::string ItemText(HWND control, UINT message, WPARAM index, TItem item) const {
        return RemoteText(control, message, index, sizeof item, [&](char* text) {
            item.pszText = text;
            item.cchTextMax = kRemoteTextSize;
            return std::string(reinterpret_cast<const char*>(&item), sizeof item);
        });
    }
    // The control of the window's thread that has the keyboard focus (the window itself when none has).
    HWND FocusedControl() const;
    // Moves the window as a drag by the user ends: the app sees the end of the move.
    void DragTo(int left, int top) const;
    void Widen(int pixels) const;
    bool WaitForExit(DWORD timeoutMs = 10000) {
        return WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
    }
    bool Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

  private:
    static constexpr int kRemoteTextSize = 1024;
    // Sends the message with the item (made for a text buffer behind it) in the process's memory; that text.
    std::string RemoteText(HWND control,
                           UINT message,
                           WPARAM index,
                           size_t itemSize,
                           const std::function<std::string(char* text)>& item) const;

    TObjectHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

inline bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The first visible top-level window of a process that no other window owns, or null.
HWND FindProcessWindow(DWORD processId);
// A visible top-level window with exactly this caption, of any process; null after the timeout.
HWND WaitForWindowTitled(const std::string& caption, DWORD timeoutMs = 20000);
// Closes a window another process shows and waits for that process to end.
bool CloseAndWait(HWND window, DWORD timeoutMs = 10000);
// Saves what the screen shows of a window as a BMP file named name.bmp in the folder DD_SHOTS names.
void SaveScreenshot(HWND window, const std::string& name);
// Runs a command line and waits for it to end: its exit code, or ~0 when it did not start or end in time.
DWORD RunProgram(const std::string& commandLine, DWORD timeoutMs = 60000);
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Opens an input box of the program with open (again, when none came), gives it the answer and presses OK; the
// prompt it showed, or "(no box)".
std::string AnswerInputBox(const std::function<void()>& open,
                           const std::string& answer,
                           const std::string& caption = "Please Enter a Value");
