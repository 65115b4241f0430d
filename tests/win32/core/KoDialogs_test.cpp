#include "core/KoDialogsWin32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "core/AppPaths.h"
#include "core/KoAboutBoxWin32.h"
#include "core/KoDialogs.h"
#include "core/KoLibWin32.h"
#include "core/ToolRegistry.h"
#include "core/WinControlWin32.h"

namespace {
struct TDialogSearch {
    const std::string* caption;  // empty: any dialog
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<TDialogSearch*>(param);
    char className[32] = {}, caption[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (std::string(className) == "#32770" && IsWindowVisible(window) &&
        (search.caption->empty() || *search.caption == caption)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDialog(DWORD thread, const std::string& caption) {
    TDialogSearch search{&caption, nullptr};
    EnumThreadWindows(thread, MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 500; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// Drives a modal dialog of this thread from a helper thread: waits for the visible dialog with the caption, runs the
// action there (which should close it), and cancels the dialog itself when the action left it open.
class TDialogDriver {
  public:
    TDialogDriver(std::string caption, std::function<void(HWND)> action)
        : thread_([this, caption = std::move(caption), action = std::move(action), ui = GetCurrentThreadId()] {
              HWND dialog = nullptr;
              if (!WaitFor([&] { return (dialog = FindDialog(ui, caption)) != nullptr; }))
                  return;
              found_ = true;
              action(dialog);
              closed_ = WaitFor([&] { return !IsWindow(dialog); });
              if (!closed_)
                  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
          }) {}
    ~TDialogDriver() { Join(); }
    void Join() {
        if (thread_.joinable())
            thread_.join();
    }
    bool Found() const { return found_; }
    bool ClosedByAction() const { return closed_; }

  private:
    std::atomic<bool> found_{false};
    std::atomic<bool> closed_{false};
    std::thread thread_;
};

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string ItemText(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

LOGFONTA ItemFont(HWND dialog, int id, HFONT* handle = nullptr) {
    LOGFONTA font{};
    const auto hfont = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, id, WM_GETFONT, 0, 0));
    GetObjectA(hfont, sizeof font, &font);
    if (handle)
        *handle = hfont;
    return font;
}

TEST(InputBox, CancelLeavesTheValueAndTheBoxShowsPromptValueAndCourierFont) {
    std::string value = "kept value";
    std::string prompt, shown;
    LOGFONTA font{};
    HFONT fontHandle = nullptr;
    LRESULT limit = 0;
    DWORD selStart = 99, selEnd = 0;
    TDialogDriver driver("Please Enter a Value", [&](HWND dialog) {
        prompt = ItemText(dialog, 10);
        shown = ItemText(dialog, 11);
        font = ItemFont(dialog, 11, &fontHandle);
        limit = SendDlgItemMessageA(dialog, 11, EM_GETLIMITTEXT, 0, 0);
        SendDlgItemMessageA(dialog, 11, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                            reinterpret_cast<LPARAM>(&selEnd));
        SetDlgItemTextA(dialog, 11, "typed but cancelled");
        Press(dialog, IDCANCEL);
    });
    EXPECT_FALSE(InputBox(nullptr, "Enter a string to filter services by...", value));
    driver.Join();
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(driver.ClosedByAction());
    EXPECT_EQ(value, "kept value");
    EXPECT_EQ(prompt, "Enter a string to filter services by...");
    EXPECT_EQ(shown, "kept value");
    EXPECT_STREQ(font.lfFaceName, "Courier New");
    EXPECT_EQ(font.lfHeight, 13);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(limit, 32766);
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, shown.size());
    EXPECT_EQ(GetObjectType(fontHandle), 0u) << "the edit's font outlived the dialog";
}

TEST(InputBox, OkReturnsTheEditTextEvenWhenEmptyAndUsesTheGivenCaption) {
    std::string value = "18";
    TDialogDriver emptied("Unit Converter", [](HWND dialog) {
        SetDlgItemTextA(dialog, 11, "");
        Press(dialog, IDOK);
    });
    EXPECT_TRUE(InputBox(nullptr, "Please Enter Decimal Precision... (0 - 18)", value, nullptr, "Unit Converter"));
    emptied.Join();
    ASSERT_TRUE(emptied.Found());
    EXPECT_EQ(value, "");

    const std::string typed = "  Mixed text \xB5 with blanks  ";
    TDialogDriver filled("Stop Watch", [&typed](HWND dialog) {
        SetDlgItemTextA(dialog, 11, typed.c_str());
        Press(dialog, IDOK);
    });
    EXPECT_TRUE(InputBox(nullptr, "Enter a new name for the current timer...", value, AppInstance(), "Stop Watch"));
    filled.Join();
    ASSERT_TRUE(filled.Found());
    EXPECT_EQ(value, typed);
}

class AboutBox : public ::testing::Test {
  protected:
    void SetUp() override {
        readme_ = ExeFolder() + "readme.txt";
        hadReadme_ = FileExists(readme_);
        if (hadReadme_)
            ReadWholeFile(readme_, savedReadme_);
        DeleteFileA(readme_.c_str());
    }
    void TearDown() override {
        DeleteFileA(readme_.c_str());
        if (hadReadme_)
            WriteWholeFile(readme_, savedReadme_);
    }
    std::string readme_;
    bool hadReadme_ = false;
    std::string savedReadme_;
};

std::string LocaleShortDate(int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    char text[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, sizeof text);
    return text;
}

struct TStaticColors {
    COLORREF text;
    int mode;
    HBRUSH brush;
};

// What the dialog answers when a static asks for its colours.
TStaticColors ColorsOf(HWND dialog, int id) {
    const TMemoryDC memory(CreateCompatibleDC(nullptr));
    HDC dc = memory.get();
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))));
    return {GetTextColor(dc), GetBkMode(dc), brush};
}

TEST_F(AboutBox, ShowsTheToolTitleDateAndCreditsAndCloseEndsIt) {
    const TToolRecord& pinger = ToolRecord(kPingerIndex);
    std::string title, compiled, mail, web;
    LOGFONTA titleFont{};
    HFONT titleHandle = nullptr;
    bool readmeEnabled = true;
    HWND focus = nullptr, close = nullptr;
    RECT bar{}, client{};
    TStaticColors titleColors{}, mailColors{}, dateColors{}, barColors{};
    TDialogDriver driver("About Pinger", [&](HWND dialog) {
        title = ItemText(dialog, 10);
        compiled = ItemText(dialog, 14);
        mail = ItemText(dialog, 12);
        web = ItemText(dialog, 13);
        titleFont = ItemFont(dialog, 10, &titleHandle);
        readmeEnabled = IsWindowEnabled(GetDlgItem(dialog, 40));
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
        focus = info.hwndFocus;
        close = GetDlgItem(dialog, IDCANCEL);
        GetClientRect(dialog, &client);
        GetWindowRect(GetDlgItem(dialog, 31), &bar);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bar), 2);
        titleColors = ColorsOf(dialog, 10);
        mailColors = ColorsOf(dialog, 12);
        dateColors = ColorsOf(dialog, 14);
        barColors = ColorsOf(dialog, 31);
        PostMessageA(close, BM_CLICK, 0, 0);
    });
    ShowAboutBox(nullptr, pinger.Updated, pinger.Title, nullptr);
    driver.Join();
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(driver.ClosedByAction()) << "Close did not end the dialog";

    EXPECT_EQ(title, "Pinger");
    EXPECT_EQ(compiled, "Compiled on " + LocaleShortDate(2015, 10, 21));
    EXPECT_STREQ(titleFont.lfFaceName, "Verdana");
    EXPECT_EQ(titleFont.lfHeight, 19);
    EXPECT_EQ(titleFont.lfWeight, FW_BOLD);
    EXPECT_EQ(GetObjectType(titleHandle), 0u) << "the title font outlived the dialog";
    EXPECT_FALSE(mail.empty());
    EXPECT_LE(mail.size(), 23u);
    EXPECT_FALSE(web.empty());
    EXPECT_FALSE(readmeEnabled);
    EXPECT_EQ(focus, close);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, client.right);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.bottom - bar.top, 35);

    EXPECT_EQ(titleColors.text, RGB(0, 64, 128));
    EXPECT_EQ(mailColors.text, RGB(0, 0, 255));
    EXPECT_EQ(dateColors.text, RGB(80, 80, 80));
    EXPECT_EQ(dateColors.mode, TRANSPARENT);
    EXPECT_EQ(dateColors.brush, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(barColors.brush, GetSysColorBrush(COLOR_BTNFACE));
}

TEST_F(AboutBox, ReadmeIsEnabledWhenTheFileLiesBesideTheProgram) {
    ASSERT_TRUE(WriteWholeFile(readme_, "read me\r\n"));
    bool readmeEnabled = false;
    TDialogDriver driver("About Calculator", [&](HWND dialog) {
        readmeEnabled = IsWindowEnabled(GetDlgItem(dialog, 40));
        Press(dialog, IDCANCEL);
    });
    ShowAboutBox(nullptr, ToolRecord(kCalculatorIndex).Updated, ToolRecord(kCalculatorIndex).Title);
    driver.Join();
    ASSERT_TRUE(driver.Found());
    EXPECT_TRUE(readmeEnabled);
}

TEST(FileDialog, StartsSingleSelectionWithTheExplorerFlagsAndBuildsTheFilterOnChange) {
    TKoFileDialog dialog(nullptr);
    EXPECT_FALSE(dialog.MultiSelect);
    EXPECT_EQ(dialog.OpenFileName.Flags,
              static_cast<DWORD>(OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(dialog.OpenFileName.lStructSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
    dialog.SetFilter("Text|*.txt|All|*.*");
    EXPECT_EQ(dialog.Filter(), "Text|*.txt|All|*.*");
    EXPECT_EQ(MakeFilterList(dialog.Filter()), std::string("Text\0*.txt\0All\0*.*\0\0", 20));
}

TEST(FileDialog, APlatformFailureRaisesTheErrorCodesAndLeavesTheResultsAlone) {
    TKoFileDialog dialog(nullptr);
    dialog.FileName = "unchanged.txt";
    dialog.OpenFileName.lStructSize = 0;  // refused by the platform before any window shows
    try {
        dialog.Execute(false);
        FAIL() << "no error raised";
    } catch (const EFileDialogError& error) {
        const std::string text = error.what();
        EXPECT_EQ(text.rfind("File dialog failure (Error Codes: ", 0), 0u) << text;
        EXPECT_EQ(text.substr(text.size() - 5), " / 1)") << text;  // CDERR_STRUCTSIZE
    }
    EXPECT_EQ(dialog.FileName, "unchanged.txt");
    EXPECT_TRUE(dialog.Files.empty());
}

TEST(FileDialog, CancelReturnsFalseWithoutAnError) {
    TKoFileDialog dialog(nullptr);
    dialog.Title = "Pick a Test File";
    dialog.FileName = "kept.txt";
    dialog.SetFilter("Text|*.txt");
    TDialogDriver driver("Pick a Test File", [](HWND window) { PostMessageA(window, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(dialog.Execute(false));
    driver.Join();
    if (!driver.Found())
        GTEST_SKIP() << "the common dialog did not show here";
    EXPECT_EQ(dialog.FileName, "kept.txt");
    EXPECT_TRUE(dialog.Files.empty());
}
TEST(FolderBrowser, CancelReturnsFalseAndLeavesThePath) {
    std::string path = "C:\\kept";
    TDialogDriver driver("", [](HWND window) { PostMessageA(window, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(BrowseForFolder(nullptr, "Choose the target folder", path, true));
    driver.Join();
    if (!driver.Found())
        GTEST_SKIP() << "the folder browser did not show here";
    EXPECT_EQ(path, "C:\\kept");
}
TEST(FileDialog, ThreeFilesChosenWithMultiSelectionComeBackAsFullPaths) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "dd-filedialog";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {"one.txt", "two.txt", "three.txt"})
        ASSERT_TRUE(WriteWholeFile(folder + "\\" + name, name));

    TKoFileDialog dialog(nullptr);
    dialog.Title = "Pick Three Files";
    dialog.InitialDir = folder;
    dialog.MultiSelect = true;
    dialog.SetFilter("Text|*.txt");
    TDialogDriver driver("Pick Three Files", [](HWND window) {
        constexpr int kFileNameBox = 0x47C;
        SendMessageA(window, CDM_SETCONTROLTEXT, kFileNameBox,
                     reinterpret_cast<LPARAM>("\"one.txt\" \"two.txt\" \"three.txt\""));
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    const bool chosen = dialog.Execute(false);
    driver.Join();
    for (const char* name : {"one.txt", "two.txt", "three.txt"})
        DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
    if (!driver.Found() || !driver.ClosedByAction())
        GTEST_SKIP() << "the common dialog could not be driven here";
    ASSERT_TRUE(chosen);
    ASSERT_EQ(dialog.Files.size(), 3u);
    const std::set<std::string> files(dialog.Files.begin(), dialog.Files.end());
    EXPECT_EQ(files, (std::set<std::string>{folder + "\\one.txt", folder + "\\three.txt", folder + "\\two.txt"}));
    EXPECT_EQ(dialog.FileName, dialog.Files.front());
}
}  // namespace
