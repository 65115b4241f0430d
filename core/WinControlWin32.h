#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/ControlLayout.h"
#include "core/HandlesWin32.h"
#include "core/KoLib.h"

// The program's one window layer: a C++ object per window or control, tied to its HWND (create parameter on
// WM_NCCREATE for our own classes, SetWindowSubclass for the system's controls). Parents reflect WM_COMMAND,
// WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM and WM_CTLCOLOR* to the child's object, so a control's behaviour lives in
// its own class. Owners own their components and destroy them first.

enum class TAlignment { Left, Right, Center };

struct TShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    static TShiftState Current();
    // Alt from the key message itself (a message posted without the keyboard carries it too).
    static TShiftState ForKeyMessage(UINT message, LPARAM lParam);
};

struct TKeyEvent {
    WORD key;  // virtual-key code; a handler that consumes the key sets it to 0
    TShiftState shift;
};

struct TCharEvent {
    char ch;  // a handler that consumes the character sets it to 0
};

struct TMouseEvent {
    int x, y;
    bool doubleClick;
};

struct TDrawItemEvent {
    HDC dc;
    RECT rect;
    int index;
    bool selected;
    const DRAWITEMSTRUCT* raw;
};

struct TCreateArgs {
    const char* className = nullptr;  // null: the program's own window class
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    RECT bounds = {0, 0, 0, 0};
    std::string text;
    HMENU menuOrId = nullptr;
};

class TWinControl {
  public:
    explicit TWinControl(TWinControl* owner);
    virtual ~TWinControl();
    TWinControl(const TWinControl&) = delete;
    TWinControl& operator=(const TWinControl&) = delete;

    static TWinControl* FromHandle(HWND window);

    HWND Handle() const { return handle_; }
    TWinControl* Owner() const { return owner_; }
    TWinControl* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<TWinControl>>& Components() const { return components_; }

    // Creates a component owned (and, for child windows, parented) by this control.
    template <typename T, typename... Args>
    T& Add(Args&&... args) {
        auto component = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& result = *component;
        components_.push_back(std::move(component));
        return result;
    }

    int Tag = 0;

    std::string Text() const;
    void SetText(const std::string& text);
    // For a child window also the place its anchors measure from, and the size it asks for when docked.
    void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const;  // in the parent's client coordinates (the screen's for top-level windows)
    RECT ClientRect() const;
    void SetVisible(bool visible);
    bool Visible() const;
    void SetEnabled(bool enabled);
    void SetFocus();
    void Invalidate();

    // Layout that follows the parent: docked to an edge, or anchored to edges (left and top by default).
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    uint8_t Anchors() const { return anchors_; }
    void SetAnchors(uint8_t anchors);
    // Places the docked and anchored children in the client area; done on every size change.
    void Realign();

    // Theming: a font the control owns, a background colour and a text colour.
    void SetFont(TFontHandle font);
    HFONT Font() const;
    void SetColor(TColor color);
    void SetFontColor(TColor color);
    TColor Color() const { return color_; }
    TColor FontColor() const { return fontColor_; }
    bool HasColor() const { return hasColor_; }
    bool HasFontColor() const { return hasFontColor_; }
    TAlignment Alignment = TAlignment::Left;
    // Follows the parent's font (a copy of it) until the control is given a font of its own.
    bool ParentFont = false;

    std::function<void(TKeyEvent&)> OnKeyDown;
    std::function<void(TCharEvent&)> OnKeyPress;
    std::function<void()> OnClick;
    std::function<void()> OnChange;
    std::function<void(const TMouseEvent&)> OnDblClick;
    std::function<void()> OnResize;

    // Window timers: each tick calls OnTimer with the timer's identifier. A timer ends with its window.
    void StartTimer(UINT_PTR id, UINT milliseconds);
    void StopTimer(UINT_PTR id);
    std::function<void(UINT_PTR)> OnTimer;

  protected:
    void CreateHandle(const TCreateArgs& args);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

    // Reflected from the parent. Return true when handled; result is what the parent's window procedure returns.
    virtual bool OnCommandReflected(WORD notifyCode);
    virtual bool OnNotifyReflected(NMHDR* header, LRESULT& result);
    virtual bool OnDrawItemReflected(const TDrawItemEvent& event);
    virtual bool OnMeasureItemReflected(MEASUREITEMSTRUCT* measure);
    virtual HBRUSH OnCtlColorReflected(HDC dc);
    // A menu command (WM_COMMAND without a control) of this window, offered to each of its components; so are the
    // owner-drawn parts (images) of menu items.
    virtual bool OnMenuCommand(WORD /*command*/) { return false; }
    virtual bool OnMenuMeasureItem(MEASUREITEMSTRUCT* /*measure*/) { return false; }
    virtual bool OnMenuDrawItem(const DRAWITEMSTRUCT& /*draw*/) { return false; }

    // Top-level windows see key messages for any of their children first; true swallows the message.
    virtual bool PreviewKeyMessage(const MSG&) { return false; }
    friend void DispatchMessageSafely(MSG& msg);

    virtual void OnHandleCreated() {}
    virtual void OnHandleDestroyed() {}
    // After the parent window's size changed (its default handling done, before its OnResize).
    virtual void ParentResized() {}
    // After SetColor or SetFontColor, for controls that keep their colours in the control itself.
    virtual void ColorsChanged() {}

  private:
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ControlSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Attach(HWND window);
    void Detach();
    void AdoptFont(TFontHandle font);
    void CopyParentFont();
    void Place(const TWindowRect& r);
    bool Docked() const;

    HWND handle_ = nullptr;  // owned: destroyed with the object unless the system destroyed it first
    bool subclassed_ = false;
    TWinControl* owner_;
    TWinControl* parent_;
    std::vector<std::unique_ptr<TWinControl>> components_;
    TFontHandle font_;
    TColor color_ = 0;
    TColor fontColor_ = 0;
    bool hasColor_ = false;
    bool hasFontColor_ = false;
    TBrushHandle brush_;
    TAlign align_ = TAlign::None;
    uint8_t anchors_ = kAnchorDefault;
    TWindowRect placed_{};  // as last set by code, with the parent's client size then
    int baseWidth_ = 0;
    int baseHeight_ = 0;
};

// Runs the message loop until WM_QUIT. Keys reach the top-level window's preview first; an exception that leaves a
// handler is shown in a message box and the loop goes on.
int RunMessageLoop();
// One message of a loop: the key preview, translation and dispatch, with escaped exceptions shown.
void DispatchMessageSafely(MSG& msg);
// Runs the messages waiting for this thread (for long jobs between their steps); false when the application is
// quitting, whose WM_QUIT stays for the message loop.
bool PumpPendingMessages();
// Shows the error box of an escaped exception: error icon, the application title as caption.
void ShowException(const std::exception& error);
void ShowException(const char* message);
// Tests watch the error box instead of showing it; an empty reporter restores the box.
void SetExceptionReporter(std::function<void(const std::string& text, const std::string& caption)> reporter);
// The application's title: the main window's caption.
const std::string& ApplicationTitle();
void SetApplicationTitle(const std::string& title);
HINSTANCE AppInstance();
