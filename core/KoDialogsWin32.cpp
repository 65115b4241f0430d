#include "core/KoDialogsWin32.h"

#include <cderr.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>

#include "core/Format.h"
#include "core/HandlesWin32.h"
#include "core/KoDialogs.h"
#include "core/LateBoundWin32.h"
#include "core/WinControlWin32.h"

namespace {
constexpr int kPromptId = 10;
constexpr int kValueId = 11;
constexpr int kMaxInputLength = 32766;
constexpr size_t kSingleFileBuffer = 260;
constexpr size_t kMultiFileBuffer = 65519;

const char* NullIfEmpty(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

std::string DialogItemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct TInputBoxState {
    const std::string& prompt;
    const std::string& value;
    const char* caption;
    TFontHandle editFont;  // lives until the dialog is gone
    std::string accepted;
};

void InitInputBox(HWND dialog, TInputBoxState& state) {
    SetWindowTextA(dialog, state.caption ? state.caption : "Please Enter a Value");
    SetDlgItemTextA(dialog, kPromptId, state.prompt.c_str());
    SetDlgItemTextA(dialog, kValueId, state.value.c_str());
    state.editFont.reset(CreateFontA(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New"));
    SendDlgItemMessageA(dialog, kValueId, WM_SETFONT, reinterpret_cast<WPARAM>(state.editFont.get()), FALSE);
    SendDlgItemMessageA(dialog, kValueId, EM_LIMITTEXT, kMaxInputLength, 0);
    SendDlgItemMessageA(dialog, kValueId, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
            case WM_INITDIALOG:
                SetWindowLongPtrA(dialog, DWLP_USER, lParam);
                InitInputBox(dialog, *reinterpret_cast<TInputBoxState*>(lParam));
                return TRUE;  // the platform focuses the control it proposes
            case WM_COMMAND: {
                auto* state = reinterpret_cast<TInputBoxState*>(GetWindowLongPtrA(dialog, DWLP_USER));
                if (LOWORD(wParam) == IDOK && state) {
                    state->accepted = DialogItemText(dialog, kValueId);
                    EndDialog(dialog, IDOK);
                    return TRUE;
                }
                if (LOWORD(wParam) == IDCANCEL) {
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                }
                break;
            }
        }
    } catch (const std::exception& error) {
        ShowException(error);
    }
    return FALSE;
}

// Balances a successful CoInitializeEx; the new folder-browser style needs an apartment on this thread.
class TComApartment {
  public:
    TComApartment() {
        static const auto initialize = LateBound<decltype(&CoInitializeEx)>("ole32.dll", "CoInitializeEx");
        owned_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
    }
    ~TComApartment() {
        static const auto uninitialize = LateBound<decltype(&CoUninitialize)>("ole32.dll", "CoUninitialize");
        if (owned_ && uninitialize)
            uninitialize();
    }
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

  private:
    bool owned_ = false;
};

struct TItemListDeleter {
    void operator()(ITEMIDLIST* list) const {
        static const auto free = LateBound<decltype(&CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
        if (free)
            free(list);
    }
};
using TItemList = std::unique_ptr<ITEMIDLIST, TItemListDeleter>;
}  // namespace

bool InputBox(HWND owner, const std::string& prompt, std::string& value, HINSTANCE instance, const char* caption) {
    TInputBoxState state{prompt, value, caption, {}, {}};
    const INT_PTR result = DialogBoxParamA(instance ? instance : AppInstance(), MAKEINTRESOURCEA(kInputBoxTemplate),
                                           owner, InputBoxProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK)
        return false;
    value = std::move(state.accepted);
    return true;
}

bool BrowseForFolder(HWND owner, const std::string& title, std::string& path, bool startAtComputer) {
    static const auto specialFolder =
        LateBound<decltype(&SHGetSpecialFolderLocation)>("shell32.dll", "SHGetSpecialFolderLocation");
    static const auto browse = LateBound<decltype(&SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
    static const auto pathOf = LateBound<decltype(&SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    if (!specialFolder || !browse || !pathOf)
        return false;
    TComApartment apartment;
    TItemList root;
    if (startAtComputer) {
        LPITEMIDLIST drives = nullptr;
        if (SUCCEEDED(specialFolder(owner, CSIDL_DRIVES, &drives)))
            root.reset(drives);
    }
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = root.get();
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    const TItemList chosen(browse(&info));
    if (!chosen)
        return false;
    char folder[MAX_PATH] = {};
    if (!pathOf(chosen.get(), folder))
        return false;
    path = folder;
    return true;
}

TKoFileDialog::TKoFileDialog(HWND owner) : OpenFileName{} {
    OpenFileName.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    OpenFileName.hwndOwner = owner;
    OpenFileName.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
}

void TKoFileDialog::SetFilter(const std::string& text) {
    if (text == filter_)
        return;
    filter_ = text;
    filterList_ = MakeFilterList(text);
}

bool TKoFileDialog::Execute(bool save) {
    const bool multi = !save && MultiSelect;
    std::string buffer(multi ? kMultiFileBuffer : kSingleFileBuffer, '\0');
    if (multi)
        OpenFileName.Flags |= OFN_ALLOWMULTISELECT;
    else
        OpenFileName.Flags &= ~static_cast<DWORD>(OFN_ALLOWMULTISELECT);
    FileName.copy(buffer.data(), std::min({FileName.size(), kSingleFileBuffer, buffer.size() - 1}));

    OpenFileName.lpstrFilter = filterList_.empty() ? nullptr : filterList_.c_str();
    OpenFileName.lpstrFile = buffer.data();
    OpenFileName.nMaxFile = static_cast<DWORD>(buffer.size());
    OpenFileName.lpstrTitle = NullIfEmpty(Title);
    OpenFileName.lpstrDefExt = NullIfEmpty(DefaultExt);
    OpenFileName.lpstrInitialDir = NullIfEmpty(InitialDir);
    static const auto saveName = LateBound<decltype(&GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA");
    static const auto openName = LateBound<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    static const auto extendedError =
        LateBound<decltype(&CommDlgExtendedError)>("comdlg32.dll", "CommDlgExtendedError");
    const auto run = save ? saveName : openName;
    const BOOL chosen = run ? run(&OpenFileName) : FALSE;
    const DWORD lastError = GetLastError();
    const DWORD dialogError = extendedError ? extendedError() : static_cast<DWORD>(CDERR_INITIALIZATION);
    // The buffers die with this call; leave nothing pointing at them.
    OpenFileName.lpstrFilter = OpenFileName.lpstrFile = nullptr;
    OpenFileName.lpstrTitle = OpenFileName.lpstrDefExt = OpenFileName.lpstrInitialDir = nullptr;
    OpenFileName.nMaxFile = 0;

    if (!chosen) {
        if (dialogError != 0)
            throw EFileDialogError(Format("File dialog failure (Error Codes: %d / %d)",
                                          {static_cast<int>(lastError), static_cast<int>(dialogError)}));
        return false;
    }
    Files = SplitFileSelection(buffer, multi);
    FileName = Files.empty() ? std::string() : Files.front();
    return true;
}
