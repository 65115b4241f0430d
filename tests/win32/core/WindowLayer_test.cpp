#include <gtest/gtest.h>

#include <stdexcept>

#include "core/KoUtilFormWin32.h"
#include "core/NvPanelWin32.h"
#include "core/NvSplitterWin32.h"
#include "core/WinControlWin32.h"

namespace {
// A bare top-level window of the program's own class, and a system button inside it.
class TTestWindow : public TWinControl {
  public:
    TTestWindow() : TWinControl(nullptr) {
        TCreateArgs args;
        args.style = WS_OVERLAPPEDWINDOW;
        args.bounds = {0, 0, 300, 200};
        args.text = "Test";
        CreateHandle(args);
    }
    std::function<void(UINT)> OnMessage;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (OnMessage && message >= WM_APP)
            OnMessage(message);
        return TWinControl::HandleMessage(message, wParam, lParam);
    }
};

class TTestButton : public TWinControl {
  public:
    explicit TTestButton(TWinControl* owner) : TWinControl(owner) {
        TCreateArgs args;
        args.className = "BUTTON";
        args.style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
        args.bounds = {10, 10, 90, 40};
        args.text = "Press";
        args.menuOrId = reinterpret_cast<HMENU>(100);
        CreateHandle(args);
    }
};

struct TReportedErrors {
    TReportedErrors() {
        SetExceptionReporter([this](const std::string& text, const std::string& caption) {
            texts.push_back(text);
            captions.push_back(caption);
        });
    }
    ~TReportedErrors() { SetExceptionReporter(nullptr); }
    std::vector<std::string> texts, captions;
};

TEST(WindowLayer, ObjectsAreFoundFromTheirHandlesUntilDestroyed) {
    auto window = std::make_unique<TTestWindow>();
    TTestButton& button = window->Add<TTestButton>();
    EXPECT_EQ(TWinControl::FromHandle(window->Handle()), window.get());
    EXPECT_EQ(TWinControl::FromHandle(button.Handle()), &button);
    EXPECT_EQ(GetParent(button.Handle()), window->Handle());
    const HWND buttonHandle = button.Handle();
    window.reset();
    EXPECT_FALSE(IsWindow(buttonHandle));
}

TEST(WindowLayer, TheParentReflectsCommandsToTheChildObject) {
    TTestWindow window;
    TTestButton& button = window.Add<TTestButton>();
    int clicks = 0;
    button.OnClick = [&clicks] { ++clicks; };
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

TEST(WindowLayer, AnExceptionFromAHandlerIsReportedAndTheLoopGoesOn) {
    TReportedErrors errors;
    SetApplicationTitle("Calculator 15.10.29");
    TTestWindow window;
    int handled = 0;
    window.OnMessage = [&handled](UINT message) {
        ++handled;
        if (message == WM_APP)
            throw std::runtime_error("Matching Parenthesis Missing");
        if (message == WM_APP + 2)
            throw std::runtime_error("Stop!");
    };
    PostMessageA(window.Handle(), WM_APP, 0, 0);
    PostMessageA(window.Handle(), WM_APP + 1, 0, 0);
    PostMessageA(window.Handle(), WM_APP + 2, 0, 0);
    PostQuitMessage(0);
    RunMessageLoop();
    EXPECT_EQ(handled, 3);
    ASSERT_EQ(errors.texts.size(), 2u);
    EXPECT_EQ(errors.texts[0], "Matching Parenthesis Missing.");
    EXPECT_EQ(errors.texts[1], "Stop!");
    EXPECT_EQ(errors.captions[0], "Calculator 15.10.29");
}

TEST(WindowLayer, KeyHandlersThatClearTheKeyConsumeIt) {
    TTestWindow window;
    std::vector<WORD> seen;
    window.OnKeyDown = [&seen](TKeyEvent& event) {
        seen.push_back(event.key);
        if (event.key == 'A')
            event.key = 0;
    };
    SendMessageA(window.Handle(), WM_KEYDOWN, 'A', 1);
    SendMessageA(window.Handle(), WM_SYSKEYDOWN, 'Q', 1 | (1 << 29));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], 'Q');
}
RECT Bounds(const TWinControl& control) {
    return control.BoundsRect();
}

bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b);
}

void ResizeClient(TWinControl& window, int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(window.Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

TEST(WindowLayer, DockedAndAnchoredChildrenFollowTheClientAreaAndTheSplitterSizesItsNeighbour) {
    TTestWindow window;
    ResizeClient(window, 400, 300);
    TNvPanel& bottom = window.Add<TNvPanel>();
    bottom.SetBounds(0, 0, 0, 20);
    bottom.SetAlign(TAlign::Bottom);
    TNvPanel& side = window.Add<TNvPanel>();
    side.SetBounds(0, 0, 100, 0);
    side.SetAlign(TAlign::Right);
    TNvSplitter& splitter = window.Add<TNvSplitter>(side, 4);
    TNvPanel& rest = window.Add<TNvPanel>();
    rest.SetAlign(TAlign::Client);
    TTestButton& button = rest.Add<TTestButton>();  // 10,10 - 90,40 in a 296 x 280 parent
    button.SetAnchors(kAnchorLeft | kAnchorTop | kAnchorRight);
    EXPECT_TRUE(Bounds(side) == (RECT{300, 0, 400, 280}));
    EXPECT_TRUE(Bounds(splitter) == (RECT{296, 0, 300, 280}));

    ResizeClient(window, 500, 200);
    EXPECT_TRUE(Bounds(bottom) == (RECT{0, 180, 500, 200}));
    EXPECT_TRUE(Bounds(side) == (RECT{400, 0, 500, 180}));
    EXPECT_TRUE(Bounds(rest) == (RECT{0, 0, 396, 180}));
    EXPECT_TRUE(Bounds(button) == (RECT{10, 10, 190, 40}));

    // A drag of 60 pixels to the left, as the mouse gives it: the side panel grows, the rest shrinks.
    SendMessageA(splitter.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
    SendMessageA(splitter.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-59, 5));
    SendMessageA(splitter.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 5));
    EXPECT_TRUE(Bounds(side) == (RECT{340, 0, 500, 180}));
    EXPECT_TRUE(Bounds(rest) == (RECT{0, 0, 336, 180}));
    EXPECT_TRUE(Bounds(button) == (RECT{10, 10, 130, 40}));

    // Hidden, a docked control leaves its room to the others.
    side.SetVisible(false);
    splitter.SetVisible(false);
    EXPECT_TRUE(Bounds(rest) == (RECT{0, 0, 500, 180}));
}
}  // namespace
