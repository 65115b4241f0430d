#include "core/KoUtilFormWin32.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/AppPaths.h"
#include "core/ConfigEditorWin32.h"
#include "core/NvLabelWin32.h"

namespace {
std::string FaceOf(HFONT font) {
    LOGFONTA log{};
    GetObjectA(font, sizeof log, &log);
    return log.lfFaceName;
}

class KoUtilForm : public ::testing::Test {
  protected:
    void SetUp() override { DeleteFileA(ProgramIniFileName().c_str()); }
    void TearDown() override {
        // The main window posts the end of the loop when it goes; later tests run their own loops.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        DeleteFileA(ProgramIniFileName().c_str());
    }
    static std::string Ini(const char* section, const char* key) {
        char value[256];
        GetPrivateProfileStringA(section, key, "(absent)", value, sizeof value, ProgramIniFileName().c_str());
        return value;
    }
};

TEST_F(KoUtilForm, ThemeFontsAndColoursReachTheControlsWhoseTagsAskForThemAndAnOpenEditor) {
    auto form = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(kPingerIndex));
    const auto tagged = [&](int tag) -> TWinControl& {
        TWinControl& child = form->Add<TNvLabel>("", RECT{0, 0, 50, 20});
        child.Tag = tag;
        return child;
    };
    TWinControl& fixed = tagged(kTagFixedFont);
    TWinControl& variable = tagged(kTagFixedFont | kTagVariableFont);
    TWinControl& painted = tagged(kTagBackColor);
    auto editor = TKoUtilForm::Create<TConfigEditor>(form.get(), form.get());
    editor->Edit(form->Config());
    form->Config().Find("core.font_fixed")->SetAsText("Arial 14");
    form->FontVariable->SetValue("Tahoma 9");
    form->ColorBack->SetAsText("#102030");
    EXPECT_EQ(FaceOf(fixed.Font()), "Arial");
    EXPECT_EQ(FaceOf(variable.Font()), "Tahoma");
    EXPECT_EQ(FaceOf(editor->List->Font()), "Arial");
    EXPECT_EQ(std::pair(painted.HasColor(), painted.Color()), std::pair(true, 0x302010u));
    EXPECT_FALSE(fixed.HasColor());
}

// A tool built as the scanning tools are: a command table and a long job that runs messages between its steps.
class TScanForm : public TKoUtilForm {
  public:
    explicit TScanForm(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kTraceRouteIndex)) {
        static const TCommand<TScanForm> kMain[] = {
            {{1, VK_F5, "&Scan", 0, -1}, [](TScanForm& f) { f.Scan(); }},
            {{0, 0, "-", 0, -1}, nullptr},
            {{2, 0x8000 | 'Q', "&Quit", 0, -1}, [](TScanForm& f) { f.Close(); }},
        };
        AddMenu("&Main", kMain);
    }
    void Scan() {
        Jobs.Run([this] {
            ++scans;
            for (int i = 0; i < 1000; ++i, ++steps)
                if (!Jobs.Step())
                    return;
            ++completed;
        });
    }
    int scans = 0, steps = 0, completed = 0;
};

TEST_F(KoUtilForm, MenusAndKeysComeFromTheSameCommandRows) {
    auto form = TKoUtilForm::Create<TScanForm>(nullptr);
    const HMENU main = GetSubMenu(GetMenu(form->Handle()), 0);
    ASSERT_NE(main, nullptr);
    SendMessageA(form->Handle(), WM_COMMAND, GetMenuItemID(main, 0), 0);
    SendMessageA(form->Handle(), WM_KEYDOWN, VK_F5, 1);
    EXPECT_EQ(form->completed, 2);
    form->MainMenu()->SetEnabled(1, false);  // a disabled item's key does nothing either
    SendMessageA(form->Handle(), WM_KEYDOWN, VK_F5, 1);
    EXPECT_EQ(form->scans, 2);
}

TEST_F(KoUtilForm, ClosingDuringAJobEndsTheJobFirstAndAnotherScanNeverNests) {
    auto form = TKoUtilForm::Create<TScanForm>(nullptr);
    const HWND window = form->Handle();
    form->WindowLeft->SetValue(44);
    // Alt+Q arrives while the first scan runs, as a user's key would; a second scan was asked for before it.
    PostMessageA(window, WM_COMMAND, GetMenuItemID(GetSubMenu(GetMenu(window), 0), 0), 0);
    PostMessageA(window, WM_SYSKEYDOWN, 'Q', 1 | (1 << 29));
    form->Scan();
    EXPECT_EQ(form->scans, 1);  // the second scan gave way to the close
    EXPECT_EQ(form->completed, 0);
    EXPECT_LT(form->steps, 1000);
    EXPECT_TRUE(IsWindow(window));  // nothing was destroyed under the job
    MSG msg;
    while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageSafely(msg);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Ini("traceroute", "window_left"), "44");       // settings saved on the way out
    EXPECT_EQ(Ini("traceroute", "window_top"), "(absent)");  // and only the changed ones
}

}  // namespace
