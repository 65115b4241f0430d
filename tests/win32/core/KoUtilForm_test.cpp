#include "core/KoUtilFormWin32.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/AppPaths.h"
#include "core/BrowserWin32.h"
#include "core/ConfigEditorWin32.h"
#include "core/MemoryCanvasWin32.h"

namespace {
// A child window tagged for theming.
class TTaggedChild : public TWinControl {
  public:
    TTaggedChild(TWinControl* owner, int tag) : TWinControl(owner) {
        Tag = tag;
        TCreateArgs args;
        args.className = "STATIC";
        args.bounds = {0, 0, 50, 20};
        CreateHandle(args);
    }
    std::string FaceName() const {
        LOGFONTA font{};
        GetObjectA(Font(), sizeof font, &font);
        return font.lfFaceName;
    }
};

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

std::vector<std::string> VariableNames(TKoUtilForm& form) {
    std::vector<std::string> names;
    for (int i = 0; i < form.Config().Count(); ++i)
        names.push_back(form.Config().Items(i)->FullName());
    return names;
}

TEST_F(KoUtilForm, DefinesTheSharedAndPlacementVariablesThatTheToolHas) {
    auto pinger = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(kPingerIndex));
    EXPECT_EQ(VariableNames(*pinger),
              (std::vector<std::string>{"core.color_back", "core.color_text", "core.color_mark", "core.color_mark_text",
                                        "core.edge_snap_size", "core.font_variable", "core.font_fixed",
                                        "pinger.window_left", "pinger.window_top", "pinger.window_width",
                                        "pinger.window_height", "pinger.window_maxed", "pinger.stay_on_top"}));
    EXPECT_EQ(pinger->CaptionText, "Pinger 15.10.21");
    EXPECT_TRUE(pinger->Ready);
    pinger.reset();

    auto editor = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(kConfigEditorIndex));
    EXPECT_EQ(editor->Config().Find("configeditor.stay_on_top"), nullptr);
    EXPECT_NE(editor->Config().Find("configeditor.window_width"), nullptr);
    editor.reset();

    auto dateCalc = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(kDateCalcIndex));
    EXPECT_EQ(dateCalc->Config().Find("datecalc.window_width"), nullptr);
    EXPECT_EQ(dateCalc->WindowMaxed, nullptr);
    EXPECT_FALSE(GetWindowLongA(dateCalc->Handle(), GWL_STYLE) & WS_MAXIMIZEBOX);
}

TEST_F(KoUtilForm, ChangingAFontRefontsTheTaggedControlsAndLeavesTheOthers) {
    auto form = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(kPingerIndex));
    TTaggedChild& fixed = form->Add<TTaggedChild>(kTagFixedFont);
    TTaggedChild& alone = form->Add<TTaggedChild>(kTagFixedFont | kTagLeaveAlone);
    TTaggedChild& variable = form->Add<TTaggedChild>(kTagFixedFont | kTagVariableFont);
    const std::string before = alone.FaceName();
    form->FontFixed->SetValue("Arial 14");
    form->FontVariable->SetValue("Tahoma 9");
    EXPECT_EQ(fixed.FaceName(), "Arial");
    EXPECT_EQ(variable.FaceName(), "Tahoma");
    EXPECT_EQ(alone.FaceName(), before);
    EXPECT_STREQ(form->FontFixedLog().lfFaceName, "Arial");
}

TEST_F(KoUtilForm, AnEditorOverAToolFollowsTheFontsTheToolChanges) {
    auto form = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(kPingerIndex));
    auto editor = TKoUtilForm::Create<TConfigEditor>(form.get(), form.get());
    editor->Edit(form->Config());
    form->Config().Find("core.font_fixed")->SetAsText("Arial 14");
    LOGFONTA font{};
    GetObjectA(editor->List->Font(), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Arial");
}

// What the launcher's list shows, as it paints itself.
std::vector<uint32_t> Picture(const TWinControl& list) {
    const RECT r = list.ClientRect();
    TMemoryCanvas canvas;
    canvas.SetSize(r.right, r.bottom);
    SendMessageA(list.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* bits = static_cast<const uint32_t*>(canvas.Bits());
    return std::vector<uint32_t>(bits, bits + r.right * r.bottom);
}

TEST_F(KoUtilForm, TheLauncherPaintsWhatItReadAtItsLastRefreshAndNothingElse) {
    auto launcher = TKoUtilForm::Create<TFormBrowser>(nullptr);
    launcher->ExtraInfo->SetValue(3);  // run counts
    const std::vector<uint32_t> before = Picture(*launcher->List);
    WritePrivateProfileStringA("calculator", "TotalRunCount", "4321", ProgramIniFileName().c_str());
    EXPECT_TRUE(Picture(*launcher->List) == before);  // painting reads no file
    launcher->Refresh();
    EXPECT_FALSE(Picture(*launcher->List) == before);
}

TEST_F(KoUtilForm, ColoursReachTheControlsWhoseTagsAskForThem) {
    auto form = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(kPingerIndex));
    TTaggedChild& painted = form->Add<TTaggedChild>(kTagBackColor | kTagTextColor);
    TTaggedChild& plain = form->Add<TTaggedChild>(kTagFixedFont);
    form->ColorBack->SetAsText("#102030");
    form->ColorText->SetAsText("rgb(1, 2, 3)");
    EXPECT_TRUE(painted.HasColor());
    EXPECT_EQ(painted.Color(), 0x302010u);
    EXPECT_EQ(painted.FontColor(), 0x030201u);
    EXPECT_FALSE(plain.HasColor());
}

TEST_F(KoUtilForm, OnlyChangedSettingsReachTheIniFileWhenTheWindowCloses) {
    auto form = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(kPingerIndex));
    form->WindowLeft->SetValue(33);
    form->StayOnTopVar->SetValue(true);
    EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Ini("pinger", "window_left"), "(absent)");
    DestroyWindow(form->Handle());
    EXPECT_EQ(Ini("pinger", "window_left"), "33");
    EXPECT_EQ(Ini("pinger", "stay_on_top"), "true");
    EXPECT_EQ(Ini("pinger", "window_top"), "(absent)");
    EXPECT_EQ(Ini("core", "edge_snap_size"), "(absent)");
    EXPECT_EQ(Ini("pinger", "TotalRunCount"), "1");
}

// A tool built as the scanning tools are: a command table and a long job that runs messages between its steps.
class TScanForm : public TKoUtilForm {
  public:
    explicit TScanForm(TWinControl* owner);
    void Scan() {
        Jobs.Run([this] {
            ++scans;
            for (int i = 0; i < 1000; ++i, ++steps)
                if (!Jobs.Step())
                    return;
            ++completed;
        });
    }
    int scans = 0, steps = 0, completed = 0, beeps = 0;
    static const TCommand<TScanForm> kMain[];
    static const TCommand<TScanForm> kKeys[];
};

const TCommand<TScanForm> TScanForm::kMain[] = {
    {{1, VK_F5, "&Scan", 0, -1}, [](TScanForm& f) { f.Scan(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{2, 0x8000 | 'Q', "&Quit", 0, -1}, [](TScanForm& f) { f.Close(); }},
};
const TCommand<TScanForm> TScanForm::kKeys[] = {
    {{0, 0x4000 | 'B', nullptr, 0, -1}, [](TScanForm& f) { ++f.beeps; }},
};

TScanForm::TScanForm(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kTraceRouteIndex)) {
    AddMenu("&Main", kMain);
    AddKeys(kKeys);
}

std::string MenuText(HMENU menu, UINT position) {
    char text[64] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST_F(KoUtilForm, MenusAndKeysComeFromTheSameCommandRows) {
    auto form = TKoUtilForm::Create<TScanForm>(nullptr);
    const HMENU main = GetSubMenu(GetMenu(form->Handle()), 0);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(GetMenuItemCount(main), 3);  // the key-only row has no item
    EXPECT_EQ(MenuText(main, 0), "&Scan\tF5");
    EXPECT_EQ(MenuText(main, 2), "&Quit\tAlt+Q");
    SendMessageA(form->Handle(), WM_COMMAND, GetMenuItemID(main, 0), 0);
    SendMessageA(form->Handle(), WM_KEYDOWN, VK_F5, 1);
    EXPECT_EQ(form->completed, 2);
    form->MainMenu()->SetEnabled(1, false);  // a disabled item's key does nothing either
    SendMessageA(form->Handle(), WM_KEYDOWN, VK_F5, 1);
    EXPECT_EQ(form->scans, 2);
    EXPECT_TRUE(form->Commands().HandleKey('B', TShiftState{false, true, false}));
    EXPECT_EQ(form->beeps, 1);
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
    EXPECT_EQ(Ini("traceroute", "window_left"), "44");  // settings saved on the way out
}

TEST_F(KoUtilForm, CommonShortcutsAreHandledEvenWhereTheyChangeNothing) {
    auto form = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(kDateCalcIndex));
    TShiftState alt;
    alt.alt = true;
    EXPECT_TRUE(form->HandleShortcut(VK_RETURN, alt));  // a fixed window has nothing to maximise
    EXPECT_FALSE(IsZoomed(form->Handle()));
    EXPECT_FALSE(form->HandleShortcut('Z', alt));
    EXPECT_FALSE(form->HandleShortcut(VK_F2, TShiftState{}));
}
}  // namespace
