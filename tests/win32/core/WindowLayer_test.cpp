#include <gtest/gtest.h>

#include <stdexcept>

#include "core/KoUtilFormWin32.h"
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
}  // namespace
