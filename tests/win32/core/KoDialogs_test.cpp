#include "core/KoDialogsWin32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "core/KoAboutBoxWin32.h"
#include "core/ToolRegistry.h"
#include "core/WinControlWin32.h"

// Win32 structures are set up with designated initializers; the fields not named are zero.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {
// Polls for up to ten seconds; the bound only ends a wait for a dialog that never comes.
bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 500 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return condition();
}

// The visible dialog of the thread with the caption (any caption when empty).
HWND FindDialog(DWORD thread, const std::string& caption) {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", caption.empty() ? nullptr : caption.c_str()));)
        if (GetWindowThreadProcessId(w, nullptr) == thread && IsWindowVisible(w))
            return w;
    return nullptr;
}

// Runs show, which opens a modal dialog on this thread, while a helper thread waits for the visible dialog with the
// caption and runs the action there. A dialog that never shows fails the test, and so does one the action left open
// (it is then cancelled).
void Drive(const std::string& caption, const std::function<void(HWND)>& action, const std::function<void()>& show) {
    std::atomic<bool> shown = false, closed = false;
    std::thread driver([&, ui = GetCurrentThreadId()] {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = FindDialog(ui, caption)) != nullptr; })) {
            if (HWND other = FindDialog(ui, ""))  // a dialog of another caption must not hang the test
                PostMessageA(other, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        shown = true;
        action(dialog);
        closed = WaitFor([&] { return !IsWindow(dialog); });
        if (!closed)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    show();
    driver.join();
    EXPECT_TRUE(shown) << "the dialog \"" << caption << "\" did not show";
    EXPECT_TRUE(closed || !shown) << "the dialog \"" << caption << "\" stayed open";
}

std::string ItemText(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Face, height and weight of a dialog item's font, and the font itself.
std::string FontOf(HWND dialog, int id, HFONT& handle) {
    LOGFONTA font{};
    handle = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, id, WM_GETFONT, 0, 0));
    GetObjectA(handle, sizeof font, &font);
    return std::string(font.lfFaceName) + " " + std::to_string(font.lfHeight) + " " + std::to_string(font.lfWeight);
}

TEST(InputBox, ShowsPromptAndSelectedValueInCourierCancelLeavesTheValueAndOkTakesTheTextEvenWhenEmpty) {
    std::string value = "kept value";
    HFONT font = nullptr;
    const auto check = [&](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, 11), "kept value");
        EXPECT_EQ(FontOf(dialog, 11, font), "Courier New 13 400");
        EXPECT_EQ(SendDlgItemMessageA(dialog, 11, EM_GETLIMITTEXT, 0, 0), 32766);
        EXPECT_EQ(SendDlgItemMessageA(dialog, 11, EM_GETSEL, 0, 0), MAKELRESULT(0, 10));  // all of it selected
        SetDlgItemTextA(dialog, 11, "typed but cancelled");
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    Drive("Please Enter a Value", check,
          [&] { EXPECT_FALSE(InputBox(nullptr, "Enter a string to filter services by...", value)); });
    EXPECT_EQ(value, "kept value");
    EXPECT_EQ(GetObjectType(font), 0u) << "the edit's font outlived the dialog";
    for (const std::string typed : {"", "  Mixed text \xB5 with blanks  "}) {
        const auto type = [&typed](HWND dialog) {
            SetDlgItemTextA(dialog, 11, typed.c_str());
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        };
        Drive("Unit Converter", type,
              [&] { EXPECT_TRUE(InputBox(nullptr, "Precision", value, AppInstance(), "Unit Converter")); });
        EXPECT_EQ(value, typed);
    }
}

TEST(AboutBox, ShowsTheToolTitleDateAndAddressesWithTheFocusOnCloseWhichEndsIt) {
    SYSTEMTIME updated{.wYear = 2015, .wMonth = 10, .wDay = 21};
    char date[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &updated, nullptr, date, sizeof date);
    HFONT titleFont = nullptr;
    const auto check = [&](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, 10), "Pinger");
        EXPECT_EQ(ItemText(dialog, 12), "korvo@daderuv.example");
        EXPECT_EQ(ItemText(dialog, 13), "https://daderuv.example/");
        EXPECT_EQ(ItemText(dialog, 14), std::string("Compiled on ") + date);
        EXPECT_EQ(FontOf(dialog, 10, titleFont), "Verdana 19 700");
        GUITHREADINFO info{.cbSize = sizeof info};
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
        EXPECT_EQ(info.hwndFocus, GetDlgItem(dialog, IDCANCEL));
        PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    };
    const TToolRecord& pinger = ToolRecord(kPingerIndex);
    Drive("About Pinger", check, [&] { ShowAboutBox(nullptr, pinger.Updated, pinger.Title, nullptr); });
    EXPECT_EQ(GetObjectType(titleFont), 0u) << "the title font outlived the dialog";
}

}  // namespace
