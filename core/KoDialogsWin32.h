#pragma once
#include <windows.h>
// needs the types of windows.h
#include <commdlg.h>

#include <stdexcept>
#include <string>
#include <vector>

// The program's small modal dialogs: a one-line input box, the folder picker and the file open/save dialog.

constexpr int kInputBoxTemplate = 1001;

// Template 1001 from instance (the program itself when null); caption null gives "Please Enter a Value". On OK the
// edit's text goes into value and the result is true; on cancel value stays as it was.
bool InputBox(HWND owner,
              const std::string& prompt,
              std::string& value,
              HINSTANCE instance = nullptr,
              const char* caption = nullptr);

// The shell's folder browser; on a choice its file-system path goes into path.
bool BrowseForFolder(HWND owner, const std::string& title, std::string& path, bool startAtComputer);

// Raised for a failure of the common dialog itself (not for a cancel).
class EFileDialogError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TKoFileDialog {
  public:
    explicit TKoFileDialog(HWND owner);

    // Pointers into this structure are only set while Execute runs; callers may change its flags.
    OPENFILENAMEA OpenFileName;
    std::string Title;
    std::string FileName;
    std::string DefaultExt;
    std::string InitialDir;
    std::vector<std::string> Files;
    bool MultiSelect = false;

    // "description|pattern|..." pairs.
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& text);

    // True when a file was chosen; false on cancel. Raises EFileDialogError when the dialog fails.
    bool Execute(bool save);

  private:
    std::string filter_;
    std::string filterList_;  // the filter as the dialog reads it: zero-separated, closed by two zeros
};
