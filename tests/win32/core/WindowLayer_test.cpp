#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

#include "core/KoUtilFormWin32.h"
#include "core/NvPanelWin32.h"
#include "core/NvSplitterWin32.h"
#include "core/WinControlWin32.h"

namespace {
// A bare top-level window of the program's own class.
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

using TBox = std::tuple<LONG, LONG, LONG, LONG>;  // left, top, right, bottom

TBox Bounds(const TWinControl& control) {
    const RECT r = control.BoundsRect();
    return {r.left, r.top, r.right, r.bottom};
}

void ResizeClient(TWinControl& window, int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(window.Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

TEST(WindowLayer, DockedChildrenFollowTheClientAreaAndAnExceptionFromAHandlerIsReportedAndTheLoopGoesOn) {
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
    EXPECT_EQ(Bounds(side), TBox(300, 0, 400, 280));
    EXPECT_EQ(Bounds(splitter), TBox(296, 0, 300, 280));

    ResizeClient(window, 500, 200);
    EXPECT_EQ(Bounds(bottom), TBox(0, 180, 500, 200));
    EXPECT_EQ(Bounds(side), TBox(400, 0, 500, 180));
    EXPECT_EQ(Bounds(rest), TBox(0, 0, 396, 180));

    std::vector<std::string> reports;  // text and caption
    SetExceptionReporter(
        [&](const std::string& text, const std::string& caption) { reports.push_back(text + " | " + caption); });
    SetApplicationTitle("Calculator 15.10.29");
    window.OnMessage = [](UINT message) {
        throw std::runtime_error(message == WM_APP ? "Matching Parenthesis Missing" : "Stop!");
    };
    for (const UINT message : {WM_APP, WM_APP + 1})
        PostMessageA(window.Handle(), message, 0, 0);
    PostQuitMessage(0);
    RunMessageLoop();
    SetExceptionReporter(nullptr);
    // The second report shows the loop went on after the first; a text ending in a mark gets no full stop.
    EXPECT_EQ(reports, (std::vector<std::string>{"Matching Parenthesis Missing. | Calculator 15.10.29",
                                                 "Stop! | Calculator 15.10.29"}));
}
}  // namespace
