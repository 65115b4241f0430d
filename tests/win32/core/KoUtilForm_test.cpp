#include "core/KoUtilFormWin32.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/AppPaths.h"

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
    auto pinger = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(14));
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

    auto dateCalc = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(7));
    EXPECT_EQ(dateCalc->Config().Find("datecalc.window_width"), nullptr);
    EXPECT_EQ(dateCalc->WindowMaxed, nullptr);
    EXPECT_FALSE(GetWindowLongA(dateCalc->Handle(), GWL_STYLE) & WS_MAXIMIZEBOX);
}

TEST_F(KoUtilForm, ChangingAFontRefontsTheTaggedControlsAndLeavesTheOthers) {
    auto form = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(14));
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

TEST_F(KoUtilForm, ColoursReachTheControlsWhoseTagsAskForThem) {
    auto form = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(14));
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
    auto form = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(14));
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

TEST_F(KoUtilForm, CommonShortcutsAreHandledEvenWhereTheyChangeNothing) {
    auto form = TKoUtilForm::Create<TKoUtilForm>(nullptr, &ToolRecord(7));
    TShiftState alt;
    alt.alt = true;
    EXPECT_TRUE(form->HandleShortcut(VK_RETURN, alt));  // a fixed window has nothing to maximise
    EXPECT_FALSE(IsZoomed(form->Handle()));
    EXPECT_FALSE(form->HandleShortcut('Z', alt));
    EXPECT_FALSE(form->HandleShortcut(VK_F2, TShiftState{}));
}
}  // namespace
