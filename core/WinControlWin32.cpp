#include "core/WinControlWin32.h"

#include <commctrl.h>

#include <exception>

#include "core/FormBehaviour.h"

namespace {
constexpr char kWindowClass[] = "DaDeruvWindow";
constexpr char kObjectProp[] = "DaDeruv.Object";

std::string applicationTitle;
std::function<void(const std::string& text, const std::string& caption)> exceptionReporter;

bool IsCtlColor(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}
}  // namespace

HINSTANCE AppInstance() {
    static const HINSTANCE instance = GetModuleHandleA(nullptr);
    return instance;
}

const std::string& ApplicationTitle() {
    return applicationTitle;
}

void SetApplicationTitle(const std::string& title) {
    applicationTitle = title;
}

void ShowException(const char* message) {
    const std::string text = ErrorBoxText(message ? message : "");
    if (exceptionReporter)
        exceptionReporter(text, applicationTitle);
    else
        MessageBoxA(GetActiveWindow(), text.c_str(), applicationTitle.c_str(), MB_OK | MB_ICONERROR);
}

void SetExceptionReporter(std::function<void(const std::string&, const std::string&)> reporter) {
    exceptionReporter = std::move(reporter);
}

void ShowException(const std::exception& error) {
    ShowException(error.what());
}

TShiftState TShiftState::Current() {
    TShiftState state;
    state.shift = GetKeyState(VK_SHIFT) < 0;
    state.ctrl = GetKeyState(VK_CONTROL) < 0;
    state.alt = GetKeyState(VK_MENU) < 0;
    return state;
}

TShiftState TShiftState::ForKeyMessage(UINT message, LPARAM lParam) {
    TShiftState state = Current();
    if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP)
        state.alt = state.alt || (lParam & (1 << 29)) != 0;
    return state;
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = TWinControl::FromHandle(window);
    if (!control && message == WM_NCCREATE) {
        control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (control)
            control->Attach(window);
    }
    if (!control)
        return DefWindowProcA(window, message, wParam, lParam);
    return control->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK
ControlSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR refData) {
    auto* control = reinterpret_cast<TWinControl*>(refData);
    if (!control || control->handle_ != window)
        return DefSubclassProc(window, message, wParam, lParam);
    return control->Dispatch(message, wParam, lParam);
}

TWinControl::TWinControl(TWinControl* owner) : owner_(owner), parent_(owner) {}

TWinControl::~TWinControl() {
    // Components go first, while this window still exists as their parent.
    while (!components_.empty())
        components_.pop_back();
    if (handle_) {
        HWND window = handle_;
        DestroyWindow(window);
        Detach();
    }
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return window ? static_cast<TWinControl*>(GetPropA(window, kObjectProp)) : nullptr;
}

void TWinControl::Attach(HWND window) {
    handle_ = window;
    SetPropA(window, kObjectProp, this);
}

void TWinControl::Detach() {
    if (!handle_)
        return;
    if (IsWindow(handle_)) {
        if (subclassed_)
            RemoveWindowSubclass(handle_, ControlSubclassProc, 1);
        RemovePropA(handle_, kObjectProp);
    }
    subclassed_ = false;
    handle_ = nullptr;
}

void TWinControl::CreateHandle(const TCreateArgs& args) {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ControlWindowProc;
        wc.hInstance = AppInstance();
        wc.hIcon = LoadIconA(AppInstance(), MAKEINTRESOURCEA(1));
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kWindowClass;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    const HWND parentWindow = (args.style & WS_CHILD) && parent_ ? parent_->Handle() : nullptr;
    const RECT& r = args.bounds;
    if (!args.className) {
        CreateWindowExA(args.exStyle, kWindowClass, args.text.c_str(), args.style, r.left, r.top, r.right - r.left,
                        r.bottom - r.top, parentWindow, args.menuOrId, AppInstance(), this);
    } else {
        HWND window =
            CreateWindowExA(args.exStyle, args.className, args.text.c_str(), args.style, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, parentWindow, args.menuOrId, AppInstance(), nullptr);
        if (window) {
            Attach(window);
            subclassed_ = SetWindowSubclass(window, ControlSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
        }
    }
    if (handle_) {
        if (!(args.style & WS_CHILD))
            parent_ = nullptr;
        if (parent_) {
            const RECT client = parent_->ClientRect();
            placed_ = {r.left, r.top, r.right - r.left, r.bottom - r.top};
            baseWidth_ = client.right;
            baseHeight_ = client.bottom;
        }
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        if (ParentFont)
            CopyParentFont();
        OnHandleCreated();
    }
}

LRESULT TWinControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    // No exception may unwind through the system's frames: it stops here and is shown to the user.
    try {
        LRESULT result = 0;
        if (ReflectToChild(message, wParam, lParam, result))
            return result;
        if (message == WM_NCDESTROY) {
            const LRESULT r = DefaultHandler(message, wParam, lParam);
            OnHandleDestroyed();
            Detach();
            return r;
        }
        return HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException("Unknown error");
    }
    return 0;
}

bool TWinControl::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    TWinControl* child = nullptr;
    switch (message) {
        case WM_COMMAND:
            if (!lParam) {
                for (const auto& component : components_)
                    if (component->OnMenuCommand(LOWORD(wParam)))
                        return true;
                return false;
            }
            if ((child = FromHandle(reinterpret_cast<HWND>(lParam))) && child != this)
                return child->OnCommandReflected(HIWORD(wParam));
            return false;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if ((child = FromHandle(header->hwndFrom)) && child != this)
                return child->OnNotifyReflected(header, result);
            return false;
        }
        case WM_DRAWITEM: {
            const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (draw->CtlType == ODT_MENU) {
                result = TRUE;
                for (const auto& component : components_)
                    if (component->OnMenuDrawItem(*draw))
                        return true;
                return false;
            }
            if (!(child = FromHandle(draw->hwndItem)))
                return false;
            const TDrawItemEvent event{draw->hDC, draw->rcItem, static_cast<int>(draw->itemID),
                                       (draw->itemState & ODS_SELECTED) != 0, draw};
            result = TRUE;
            return child->OnDrawItemReflected(event);
        }
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure->CtlType == ODT_MENU) {
                result = TRUE;
                for (const auto& component : components_)
                    if (component->OnMenuMeasureItem(measure))
                        return true;
                return false;
            }
            if (!handle_ || !(child = FromHandle(GetDlgItem(handle_, static_cast<int>(measure->CtlID)))))
                return false;
            result = TRUE;
            return child->OnMeasureItemReflected(measure);
        }
        default:
            if (IsCtlColor(message) && (child = FromHandle(reinterpret_cast<HWND>(lParam))) && child != this) {
                HBRUSH brush = child->OnCtlColorReflected(reinterpret_cast<HDC>(wParam));
                result = reinterpret_cast<LRESULT>(brush);
                return brush != nullptr;
            }
            return false;
    }
}

LRESULT TWinControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (OnKeyDown) {
                TKeyEvent event{static_cast<WORD>(wParam), TShiftState::ForKeyMessage(message, lParam)};
                OnKeyDown(event);
                if (event.key == 0)
                    return 0;
            }
            break;
        case WM_CHAR:
            if (OnKeyPress) {
                TCharEvent event{static_cast<char>(wParam)};
                OnKeyPress(event);
                if (event.ch == 0)
                    return 0;
                wParam = static_cast<unsigned char>(event.ch);
            }
            break;
        case WM_LBUTTONDBLCLK:
            if (OnDblClick)
                OnDblClick(TMouseEvent{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), true});
            break;
        case WM_SIZE: {
            const LRESULT r = DefaultHandler(message, wParam, lParam);
            Realign();
            for (const auto& component : components_)
                if (component->parent_ == this && component->handle_)
                    component->ParentResized();
            if (OnResize)
                OnResize();
            return r;
        }
        case WM_TIMER:
            if (OnTimer)
                OnTimer(wParam);
            break;  // a system control's own timers still reach it
        case WM_ERASEBKGND:
            if (hasColor_ && !subclassed_) {
                RECT r;
                GetClientRect(handle_, &r);
                FillRect(reinterpret_cast<HDC>(wParam), &r, brush_.get());
                return 1;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            // Children that are not ours (labels drawn by the system) take this window's colours.
            if (hasColor_ && !FromHandle(reinterpret_cast<HWND>(lParam))) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetBkColor(dc, color_);
                if (hasFontColor_)
                    SetTextColor(dc, fontColor_);
                return reinterpret_cast<LRESULT>(brush_.get());
            }
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    return subclassed_ ? DefSubclassProc(handle_, message, wParam, lParam)
                       : DefWindowProcA(handle_, message, wParam, lParam);
}

bool TWinControl::OnCommandReflected(WORD notifyCode) {
    if (notifyCode == BN_CLICKED && OnClick) {
        OnClick();
        return true;
    }
    if ((notifyCode == EN_CHANGE || notifyCode == CBN_SELCHANGE || notifyCode == LBN_SELCHANGE) && OnChange) {
        OnChange();
        return true;
    }
    if (notifyCode == LBN_DBLCLK && OnDblClick) {
        OnDblClick(TMouseEvent{0, 0, true});
        return true;
    }
    return false;
}

bool TWinControl::OnNotifyReflected(NMHDR*, LRESULT&) {
    return false;
}

bool TWinControl::OnDrawItemReflected(const TDrawItemEvent&) {
    return false;
}

bool TWinControl::OnMeasureItemReflected(MEASUREITEMSTRUCT*) {
    return false;
}

HBRUSH TWinControl::OnCtlColorReflected(HDC dc) {
    if (!hasColor_ && !hasFontColor_)
        return nullptr;
    if (hasFontColor_)
        SetTextColor(dc, fontColor_);
    if (!hasColor_) {
        SetBkMode(dc, TRANSPARENT);
        return GetSysColorBrush(COLOR_WINDOW);
    }
    SetBkColor(dc, color_);
    return brush_.get();
}

std::string TWinControl::Text() const {
    if (!handle_)
        return {};
    std::string text(static_cast<size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinControl::SetText(const std::string& text) {
    if (handle_)
        SetWindowTextA(handle_, text.c_str());
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (!handle_)
        return;
    if (parent_) {
        const RECT client = parent_->ClientRect();
        placed_ = {left, top, width, height};
        baseWidth_ = client.right;
        baseHeight_ = client.bottom;
        if (Docked()) {
            parent_->Realign();
            return;
        }
    }
    MoveWindow(handle_, left, top, width, height, TRUE);
}

void TWinControl::Place(const TWindowRect& r) {
    const RECT now = BoundsRect();
    if (now.left != r.left || now.top != r.top || now.right - now.left != r.width || now.bottom - now.top != r.height)
        MoveWindow(handle_, r.left, r.top, r.width, r.height, TRUE);
}

// Hidden docked controls take no room; the style bit, not IsWindowVisible, so that it holds before the form shows.
bool TWinControl::Docked() const {
    return align_ != TAlign::None && handle_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE);
}

void TWinControl::SetAlign(TAlign align) {
    align_ = align;
    if (parent_)
        parent_->Realign();
}

void TWinControl::SetAnchors(uint8_t anchors) {
    anchors_ = anchors;
}

void TWinControl::Realign() {
    if (!handle_)
        return;
    const RECT client = ClientRect();
    std::vector<TAlignItem> items;
    std::vector<TWinControl*> docked;
    for (const auto& component : components_) {
        TWinControl* child = component.get();
        if (child->parent_ != this || !child->handle_)
            continue;
        if (child->Docked()) {
            items.push_back({child->align_, child->placed_});
            docked.push_back(child);
        } else if (child->align_ == TAlign::None && child->anchors_ != kAnchorDefault) {
            child->Place(AnchoredBounds(child->placed_, child->baseWidth_, child->baseHeight_, client.right,
                                        client.bottom, child->anchors_));
        }
    }
    if (items.empty())
        return;
    AlignItems(items, {0, 0, client.right, client.bottom});
    for (size_t i = 0; i < items.size(); ++i)
        docked[i]->Place(items[i].bounds);
}

RECT TWinControl::BoundsRect() const {
    RECT r{};
    if (!handle_)
        return r;
    GetWindowRect(handle_, &r);
    if (HWND parent = GetParent(handle_); parent && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT TWinControl::ClientRect() const {
    RECT r{};
    if (handle_)
        GetClientRect(handle_, &r);
    return r;
}

void TWinControl::SetVisible(bool visible) {
    if (!handle_)
        return;
    ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
    if (align_ != TAlign::None && parent_)
        parent_->Realign();
}

bool TWinControl::Visible() const {
    return handle_ && IsWindowVisible(handle_);
}

void TWinControl::SetEnabled(bool enabled) {
    if (handle_)
        EnableWindow(handle_, enabled);
}

void TWinControl::SetFocus() {
    if (handle_)
        ::SetFocus(handle_);
}

void TWinControl::Invalidate() {
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::StartTimer(UINT_PTR id, UINT milliseconds) {
    if (handle_)
        SetTimer(handle_, id, milliseconds, nullptr);
}

void TWinControl::StopTimer(UINT_PTR id) {
    if (handle_)
        KillTimer(handle_, id);
}

void TWinControl::SetFont(TFontHandle font) {
    ParentFont = false;
    AdoptFont(std::move(font));
}

void TWinControl::AdoptFont(TFontHandle font) {
    font_ = std::move(font);
    if (handle_)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    for (const auto& component : components_)
        if (component->ParentFont && component->parent_ == this)
            component->CopyParentFont();
}

// A copy, so that the parent may replace (and delete) its font at any time.
void TWinControl::CopyParentFont() {
    HFONT parentFont = parent_ ? parent_->Font() : nullptr;
    LOGFONTA log;
    if (parentFont && GetObjectA(parentFont, sizeof log, &log) == sizeof log)
        AdoptFont(TFontHandle(CreateFontIndirectA(&log)));
}

// The program's own windows keep no font of their own: the one given to the object is theirs.
HFONT TWinControl::Font() const {
    if (font_)
        return font_.get();
    return handle_ ? reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0)) : nullptr;
}

void TWinControl::SetColor(TColor color) {
    color_ = color;
    hasColor_ = true;
    brush_.reset(CreateSolidBrush(color));
    ColorsChanged();
    Invalidate();
}

void TWinControl::SetFontColor(TColor color) {
    fontColor_ = color;
    hasFontColor_ = true;
    ColorsChanged();
    Invalidate();
}

namespace {
// Tab and Shift+Tab move the focus among the window's tab stops, as in a dialog; an edit reached this way is
// selected whole.
bool MoveFocusByTab(HWND root, const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    HWND next = GetNextDlgTabItem(root, GetFocus(), GetKeyState(VK_SHIFT) < 0);
    if (!next)
        return false;
    SetFocus(next);
    if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(next, EM_SETSEL, 0, -1);
    return true;
}
}  // namespace

void DispatchMessageSafely(MSG& msg) {
    try {
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && msg.hwnd) {
            const HWND rootWindow = GetAncestor(msg.hwnd, GA_ROOT);
            TWinControl* root = TWinControl::FromHandle(rootWindow);
            if (root && root->PreviewKeyMessage(msg))
                return;
            if (root && MoveFocusByTab(rootWindow, msg))
                return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException("Unknown error");
    }
}

bool PumpPendingMessages() {
    // A window that keeps invalidating itself must not hold the job forever.
    constexpr DWORD kMostMilliseconds = 100;
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < kMostMilliseconds && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        DispatchMessageSafely(msg);
    }
    return true;
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageSafely(msg);
    return static_cast<int>(msg.wParam);
}
