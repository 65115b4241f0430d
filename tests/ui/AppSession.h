#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/HandlesWin32.h"

// A fresh copy of dist/ for one scenario, so that its INI file starts empty.
class TDistCopy {
  public:
    explicit TDistCopy(const std::string& name);
    const std::string& Folder() const { return folder_; }  // with the trailing backslash
    std::string IniFile() const { return folder_ + "DaDeruv.ini"; }
    std::string ReadIni(const std::string& section, const std::string& key, const std::string& fallback = "") const;
    void WriteIni(const std::string& section, const std::string& key, const std::string& value) const;
    // The key names of a section, in file order.
    std::vector<std::string> IniKeys(const std::string& section) const;

  private:
    std::string folder_;
};

// One running DaDeruv.exe started from a dist copy; ended by its process id when the scenario is over.
class TAppSession {
  public:
    TAppSession(const TDistCopy& dist, const std::string& arguments);
    ~TAppSession();
    TAppSession(const TAppSession&) = delete;
    TAppSession& operator=(const TAppSession&) = delete;

    // The first visible top-level window of the process; null after the timeout.
    HWND WaitForWindow(DWORD timeoutMs = 20000);
    HWND Window() const { return window_; }
    std::string Caption() const;
    LONG Style() const { return GetWindowLongA(window_, GWL_STYLE); }
    LONG ExStyle() const { return GetWindowLongA(window_, GWL_EXSTYLE); }
    RECT Rect() const;
    bool Maximized() const { return IsZoomed(window_) != FALSE; }

    // Alt combinations are posted as the system would deliver them; Ctrl and Shift need the keyboard, so those
    // keys are typed into the window brought to the foreground.
    void PressKey(WORD key, bool alt = false, bool ctrl = false, bool shift = false);
    // Types the key on the keyboard into the window brought to the foreground: it reaches the focused control.
    void TypeKey(WORD key, bool alt = false, bool ctrl = false, bool shift = false);
    // The control of the window's thread that has the keyboard focus (the window itself when none has).
    HWND FocusedControl() const;
    // A double click on a point of a control, with the button messages around it that the mouse would give.
    static void DoubleClick(HWND control, int x, int y);
    // Types text into the focused control of the window, character by character.
    void TypeText(const std::string& text);
    // The window's descendants of a window class ("Edit", "ListBox", "SysListView32", ...), in creation order.
    std::vector<HWND> Controls(const char* className) const;
    static std::string ControlText(HWND control);
    // A left click near the control's top-left corner, as the mouse would give it.
    static void ClickControl(HWND control);
    // Replaces a control's text as a paste would; the control reports the change.
    static void SetControlText(HWND control, const std::string& text);
    static std::vector<std::string> ListBoxRows(HWND listBox);
    // Every row of a list view in another process, its columns separated by tabs.
    std::vector<std::string> ListViewRows(HWND listView) const;
    // Moves the window as a drag by the user ends: the app sees the end of the move.
    void DragTo(int left, int top);
    // Waits until the window has handled everything sent before.
    void Sync() const;
    bool WaitForExit(DWORD timeoutMs = 10000);
    bool Running() const;

  private:
    TObjectHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// The first visible top-level window of a process that no other window owns, or null.
HWND FindProcessWindow(DWORD processId);
// A visible top-level window with exactly this caption, of any process; null after the timeout.
HWND WaitForWindowTitled(const std::string& caption, DWORD timeoutMs = 20000);
// Closes a window another process shows and waits for that process to end.
bool CloseAndWait(HWND window, DWORD timeoutMs = 10000);

// Saves what the screen shows of a window as a BMP file named name.bmp in the folder DD_SHOTS names.
void SaveScreenshot(HWND window, const std::string& name);

// The Windows form of a folder handed over from the build (a Unix path under Wine).
std::string WindowsPath(std::string path);
std::string EnvOr(const char* name, const std::string& fallback);
// Polls the condition until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
