#include "core/NvFormWin32.h"

#include <utility>

#include "core/FormBehaviour.h"

namespace {
TNvForm* mainWindow = nullptr;
}

void FlushKeyMessages(HWND window) {
    if (!window || !IsWindow(window))
        return;  // a closed window has nothing pending, and a null window would take the thread's messages
    // Only a character goes: a key typed ahead while the handled key's dialog was open must still arrive.
    MSG msg;
    for (const auto& [first, last] : {std::pair{WM_CHAR, WM_DEADCHAR}, {WM_SYSCHAR, WM_SYSDEADCHAR}})
        if (PeekMessageA(&msg, window, first, last, PM_REMOVE)) {
            if (msg.message == WM_QUIT)  // handed out whatever the filter: put it back
                PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
}

TNvForm::TNvForm(TWinControl* owner) : TWinControl(owner) {}

TNvForm::~TNvForm() {
    if (mainWindow == this)
        mainWindow = nullptr;
}

TNvForm* TNvForm::MainWindow() {
    return mainWindow;
}

void TNvForm::ShowModal(HWND owner) {
    const HWND self = Handle();
    if (owner)
        EnableWindow(owner, FALSE);
    ShowWindow(self, SW_SHOWNORMAL);
    MSG msg;
    bool quit = false;
    while (IsWindow(self)) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        DispatchMessageSafely(msg);
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetForegroundWindow(owner);
    }
    if (quit)  // the application is ending: let the outer loop see it too
        PostQuitMessage(static_cast<int>(msg.wParam));
}

bool TNvForm::IsMainWindow() const {
    return mainWindow == this;
}

void TNvForm::CreateForm(const std::string& caption, DWORD style, int width, int height) {
    if (!mainWindow)
        mainWindow = this;
    TCreateArgs args;
    args.style = style & ~WS_VISIBLE;
    args.exStyle = 0;
    args.bounds = {0, 0, width, height};
    args.text = caption;
    CreateHandle(args);
    if (Owner() && Owner()->Handle())  // an owned window stays above its owner
        SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Owner()->Handle()));
    if (IsMainWindow())
        SetApplicationTitle(caption);
}

void TNvForm::SetRedraw(bool enabled) {
    if (enabled == RedrawEnabled)
        return;
    RedrawEnabled = enabled;
    if (!Handle())
        return;
    SendMessageA(Handle(), WM_SETREDRAW, enabled ? static_cast<WPARAM>(-1) : 0, 0);
    if (enabled)
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TNvForm::SetStayOnTop(bool onTop) {
    StayOnTop = onTop;
    if (Handle())
        SetWindowPos(Handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TNvForm::CenterOnScreen() {
    const RECT r = BoundsRect();
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetBounds(CenteredPosition(GetSystemMetrics(SM_CXSCREEN), width),
              CenteredPosition(GetSystemMetrics(SM_CYSCREEN), height), width, height);
}

void TNvForm::SetClientSize(int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)), GetMenu(Handle()) != nullptr,
                       static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TNvForm::FlushKeyMessages() const {
    ::FlushKeyMessages(Handle());
}

void TNvForm::Close() {
    if (Handle())
        SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TNvForm::RestoreFocus() {
    HWND target = lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_) ? lastFocus_ : nullptr;
    if (!target && ActiveControl)
        target = ActiveControl->Handle();
    if (target && IsWindowVisible(target) && IsWindowEnabled(target))
        ::SetFocus(target);
}

bool TNvForm::PreviewKeyMessage(const MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || !OnKeyDown)
        return false;
    TKeyEvent event{static_cast<WORD>(msg.wParam), TShiftState::ForKeyMessage(msg.message, msg.lParam)};
    OnKeyDown(event);
    return event.key == 0;
}

LRESULT TNvForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_EXITSIZEMOVE: {
            const LRESULT result = DefaultHandler(message, wParam, lParam);
            if (EdgeSnapSize > 0) {
                RECT work;
                SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
                const RECT r = BoundsRect();
                const TWindowRect snapped =
                    SnapToWorkArea({r.left, r.top, r.right - r.left, r.bottom - r.top},
                                   {work.left, work.top, work.right, work.bottom}, EdgeSnapSize);
                if (snapped.left != r.left || snapped.top != r.top)
                    SetWindowPos(Handle(), nullptr, snapped.left, snapped.top, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            MoveSizeEnded();
            return result;
        }
        case WM_SETTEXT: {
            const LRESULT result = DefaultHandler(message, wParam, lParam);
            if (!mainWindow || IsMainWindow())
                SetApplicationTitle(lParam ? reinterpret_cast<const char*>(lParam) : "");
            return result;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus))
                    lastFocus_ = focus;
                break;
            }
            if (!HIWORD(wParam)) {  // not minimised: the focus goes back where it was, not to the frame
                DefaultHandler(message, wParam, lParam);
                RestoreFocus();
                return 0;
            }
            break;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case WM_DESTROY:
            if (IsMainWindow())
                PostQuitMessage(0);
            break;
    }
    return TWinControl::HandleMessage(message, wParam, lParam);
}
