#pragma once
#include <windows.h>

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

    void PressKey(WORD key, bool alt = false, bool ctrl = false, bool shift = false);
    bool WaitForExit(DWORD timeoutMs = 10000);
    bool Running() const;

  private:
    TObjectHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
};

// The Windows form of a folder handed over from the build (a Unix path under Wine).
std::string WindowsPath(std::string path);
std::string EnvOr(const char* name, const std::string& fallback);
