#include "core/KoAboutBoxWin32.h"

#include "core/AppPaths.h"
#include "core/HandlesWin32.h"
#include "core/KoLib.h"
#include "core/KoLibWin32.h"
#include "core/WinControlWin32.h"

namespace {
enum : int {
    kTitleId = 10,
    kCreditsId = 11,
    kMailId = 12,
    kWebId = 13,
    kCompiledId = 14,
    kIconId = 20,
    kSeparatorId = 30,
    kButtonBarId = 31,
    kReadmeId = 40,
    kCloseId = IDCANCEL,
};

constexpr int kButtonBarHeight = 35;
constexpr int kMaxMailLength = 23;
constexpr char kCredits[] = "DaDeruv - Korvo Utilities\r\nSmall tools for the Windows desktop";
constexpr char kMailAddress[] = "korvo@daderuv.example";
constexpr char kWebAddress[] = "https://daderuv.example/";
static_assert(sizeof kMailAddress - 1 <= kMaxMailLength);

struct TAboutBoxState {
    uint32_t updated;
    const std::string& title;
    TFontHandle titleFont;
};

bool ShiftHeld() {
    return GetKeyState(VK_SHIFT) < 0;
}

void OpenBesideExe(const char* name) {
    ShellOpen(ExeFolder() + name);
}

void InitAboutBox(HWND dialog, TAboutBoxState& state) {
    SetWindowTextA(dialog, ("About " + state.title).c_str());
    state.titleFont.reset(CreateFontA(19, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Verdana"));
    SendDlgItemMessageA(dialog, kTitleId, WM_SETFONT, reinterpret_cast<WPARAM>(state.titleFont.get()), FALSE);
    SetDlgItemTextA(dialog, kTitleId, state.title.c_str());
    SetDlgItemTextA(dialog, kCreditsId, kCredits);
    SetDlgItemTextA(dialog, kMailId, kMailAddress);
    SetDlgItemTextA(dialog, kWebId, kWebAddress);
    SetDlgItemTextA(dialog, kCompiledId, ("Compiled on " + FormatVersion(state.updated, false)).c_str());

    RECT client;
    GetClientRect(dialog, &client);
    // At the bottom of the z-order, so the buttons stay on top of the bar.
    SetWindowPos(GetDlgItem(dialog, kButtonBarId), HWND_BOTTOM, 0, client.bottom - kButtonBarHeight, client.right,
                 kButtonBarHeight, SWP_NOACTIVATE);
    EnableWindow(GetDlgItem(dialog, kReadmeId), FileExists(ExeFolder() + "readme.txt"));
    SetFocus(GetDlgItem(dialog, kCloseId));
}

HBRUSH ColorStatic(HDC dc, int id) {
    if (id == kSeparatorId || id == kButtonBarId) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return GetSysColorBrush(COLOR_BTNFACE);  // the system's brush, not ours to delete
    }
    switch (id) {
        case kTitleId:
        case kCreditsId:
            SetTextColor(dc, RGB(0, 64, 128));
            break;
        case kMailId:
        case kWebId:
            SetTextColor(dc, RGB(0, 0, 255));
            break;
        case kCompiledId:
            SetTextColor(dc, RGB(80, 80, 80));
            break;
    }
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_WINDOW);  // the system's brush, not ours to delete
}

void CloseAboutBox(HWND dialog, TAboutBoxState& state) {
    SendDlgItemMessageA(dialog, kTitleId, WM_SETFONT, 0, FALSE);
    state.titleFont.reset();
    EndDialog(dialog, IDCANCEL);
}

void Command(HWND dialog, TAboutBoxState& state, int id, int code) {
    switch (id) {
        case kMailId:
            if (code == STN_CLICKED) {
                char mail[kMaxMailLength + 1] = {};
                GetDlgItemTextA(dialog, kMailId, mail, sizeof mail);
                ShellOpen(std::string("mailto://") + mail);
            }
            break;
        case kWebId:
            if (code == STN_CLICKED) {
                char web[MAX_PATH] = {};
                GetDlgItemTextA(dialog, kWebId, web, sizeof web);
                ShellOpen(web);
            }
            break;
        case kIconId:
            if (code == STN_CLICKED)
                OpenBesideExe(ShiftHeld() ? "readme.txt" : "changelog.txt");
            break;
        case kReadmeId:
            if (code == BN_CLICKED)
                OpenBesideExe(ShiftHeld() ? "changelog.txt" : "readme.txt");
            break;
        case IDOK:
        case kCloseId:
            CloseAboutBox(dialog, state);
            break;
    }
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            InitAboutBox(dialog, *reinterpret_cast<TAboutBoxState*>(lParam));
            return FALSE;  // the focus is set
        }
        auto* state = reinterpret_cast<TAboutBoxState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (!state)
            return FALSE;
        switch (message) {
            case WM_CTLCOLORDLG:
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));  // the system's brush
            case WM_CTLCOLORSTATIC:
                return reinterpret_cast<INT_PTR>(
                    ColorStatic(reinterpret_cast<HDC>(wParam), GetDlgCtrlID(reinterpret_cast<HWND>(lParam))));
            case WM_COMMAND:
                Command(dialog, *state, LOWORD(wParam), HIWORD(wParam));
                return TRUE;
        }
    } catch (const std::exception& error) {
        ShowException(error);
    }
    return FALSE;
}
}  // namespace

void ShowAboutBox(HWND owner, uint32_t updated, const std::string& title, HINSTANCE instance) {
    TAboutBoxState state{updated, title, {}};
    DialogBoxParamA(instance ? instance : AppInstance(), MAKEINTRESOURCEA(kAboutBoxTemplate), owner, AboutBoxProc,
                    reinterpret_cast<LPARAM>(&state));
}
