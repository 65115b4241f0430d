#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/HandlesWin32.h"

// The platform half of the helper library: message boxes, files, the shell, the clipboard and fonts.

// The clipboard open for a window while the object lives, closed on every path out. A window that holds it open
// already (a lock the user asked for) keeps it: it is neither opened again nor closed.
class TClipboardLock {
  public:
    explicit TClipboardLock(HWND owner)
        : held_(owner && GetOpenClipboardWindow() == owner), open_(held_ || OpenClipboard(owner) != FALSE) {}
    ~TClipboardLock() {
        if (open_ && !held_)
            CloseClipboard();
    }
    TClipboardLock(const TClipboardLock&) = delete;
    TClipboardLock& operator=(const TClipboardLock&) = delete;
    bool IsOpen() const { return open_; }

  private:
    bool held_;
    bool open_;
};

int MsgBox(const std::string& text, const std::string& caption, UINT flags, HWND owner = nullptr);
// Wide text in the ANSI code page, as the program's texts are.
std::string NarrowText(std::wstring_view wide);
bool FileExists(const std::string& name);
// The system's text for an error code, as the system words it.
std::string SysErrorMessage(DWORD code);
// The shell's answer: above 32 when it started the file.
INT_PTR ShellOpen(const std::string& file,
                  const std::string& params = {},
                  const std::string& folder = {},
                  int showCmd = SW_SHOWNORMAL);
// The names of the files (not folders) directly in folder that match the mask, in directory order.
std::vector<std::string> FindFiles(const std::string& folder, const std::string& mask);
void ReadWholeFile(const std::string& name, std::string& text);
bool WriteWholeFile(const std::string& name, std::string_view text, bool append = false);
// A 24-bit BMP file of the bitmap.
bool SaveBitmapFile(const std::string& name, HBITMAP bitmap);
bool SetClipboardText(HWND owner, std::string_view text);
// Fills the rectangle with one colour, through a brush made and freed here.
void FillSolid(HDC dc, const RECT& rect, COLORREF color);
void GetClipboardText(HWND owner, std::string& text);

// The font description of a font text on top of the icon-title font; the caller owns what StrToFont returns.
LOGFONTA FontSpecToLogFont(std::string_view text);
HFONT StrToFont(std::string_view text);

// Bold, underlined and bold underlined variants of a font, for rows drawn in several styles.
class TFontStyles {
  public:
    void Make(LOGFONTA base);
    // Null for the plain style: the device context keeps the font it has.
    HFONT Get(bool bold, bool underlined) const;

  private:
    TFontHandle bold_, underlined_, both_;
};
