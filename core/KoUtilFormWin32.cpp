#include "core/KoUtilFormWin32.h"

#include <cstdlib>

#include "core/AppPaths.h"
#include "core/FormBehaviour.h"
#include "core/KoAboutBoxWin32.h"
#include "core/KoLibWin32.h"

TThemeColors ThemeColors = {0xFFFFFF, 0, 0xD77800, 0xFFFFFF};

namespace {
std::string MakeCaption(const TToolRecord& tool) {
    return std::string(tool.Title) + " " + FormatVersion(tool.Updated, true);
}

LOGFONTA IconTitleFont() {
    return FontSpecToLogFont("");
}

TKoUtilForm::TConfigEditorOpener configEditorOpener = nullptr;

BOOL CALLBACK CollectThreadForm(HWND window, LPARAM param) {
    if (auto* form = dynamic_cast<TKoUtilForm*>(TWinControl::FromHandle(window)))
        reinterpret_cast<std::vector<TKoUtilForm*>*>(param)->push_back(form);
    return TRUE;
}
}  // namespace

TKoUtilForm::TKoUtilForm(TWinControl* owner, const TToolRecord* tool)
    : TNvForm(owner),
      Tool(tool ? *tool : CurrentTool()),
      CaptionText(MakeCaption(Tool)),
      DataFolder(ToolDataFolder(Tool)),
      Jobs(PumpPendingMessages) {
    std::srand(GetTickCount());
    // The process's first window owns the working folder: an editor opened over a tool must not move the tool's
    // relative file names elsewhere. A missing folder leaves the current one.
    if (!MainWindow())
        SetCurrentDirectoryA(DataFolder.c_str());
    StatsIni();
    HexDisplayPrefix() = "0x";

    const bool resizable = IsResizable(Tool);
    const DWORD style = resizable ? WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN
                                  : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    CreateForm(CaptionText, style, Tool.DefaultWidth ? Tool.DefaultWidth : 320,
               Tool.DefaultHeight ? Tool.DefaultHeight : 240);
    const LOGFONTA formFont = IconTitleFont();
    SetFont(TFontHandle(CreateFontIndirectA(&formFont)));
    Tag = kTagVariableFont;

    config_ = std::make_unique<TEasyConfigIni>(ProgramIniFileName());
    config_->OnChange = [this](TConfigVar& var) { ConfigChanged(var); };
    TEasyConfig& c = *config_;
    ColorBack = &TConfigVarColor::Define(c, "core", GetSysColor(COLOR_WINDOW), "color_back");
    ColorText = &TConfigVarColor::Define(c, "core", GetSysColor(COLOR_WINDOWTEXT), "color_text");
    ColorMark = &TConfigVarColor::Define(c, "core", GetSysColor(COLOR_HIGHLIGHT), "color_mark");
    ColorMarkText = &TConfigVarColor::Define(c, "core", GetSysColor(COLOR_HIGHLIGHTTEXT), "color_mark_text");
    EdgeSnapSizeVar = &TConfigVarInt::Define(c, "core", 16, "edge_snap_size");
    FontVariable = &TConfigVarStr::Define(c, "core", "", "font_variable");
    FontFixed = &TConfigVarStr::Define(c, "core", "\"Courier New\" 10", "font_fixed");
    const RECT r = BoundsRect();
    const int w = Tool.DefaultWidth ? Tool.DefaultWidth : r.right - r.left;
    const int h = Tool.DefaultHeight ? Tool.DefaultHeight : r.bottom - r.top;
    WindowLeft = &TConfigVarInt::Define(c, Tool.Key, CenteredPosition(GetSystemMetrics(SM_CXSCREEN), w), "window_left");
    WindowTop = &TConfigVarInt::Define(c, Tool.Key, CenteredPosition(GetSystemMetrics(SM_CYSCREEN), h), "window_top");
    if (resizable) {
        WindowWidth = &TConfigVarInt::Define(c, Tool.Key, w, "window_width");
        WindowHeight = &TConfigVarInt::Define(c, Tool.Key, h, "window_height");
        WindowMaxed = &TConfigVarBool::Define(c, Tool.Key, false, "window_maxed");
    }
    if (ToolIndex(Tool) != kConfigEditorIndex)
        StayOnTopVar = &TConfigVarBool::Define(c, Tool.Key, false, "stay_on_top");

    UpdateRunStatistics(Tool);
    OnKeyDown = [this](TKeyEvent& event) { FormKeyDown(event); };
    Jobs.OnDeferredClose = [this] { PostMessageA(Handle(), WM_CLOSE, 0, 0); };

    // While the settings load, the window is placed and themed once afterwards, not once per setting.
    WhenChanged(WindowWidth, [this] {
        const RECT r = BoundsRect();
        Move(r.left, r.top, WindowWidth->Value(), r.bottom - r.top);
    });
    WhenChanged(WindowHeight, [this] {
        const RECT r = BoundsRect();
        Move(r.left, r.top, r.right - r.left, WindowHeight->Value());
    });
    WhenChanged(WindowLeft, [this] {
        const RECT r = BoundsRect();
        Move(WindowLeft->Value(), r.top, r.right - r.left, r.bottom - r.top);
    });
    WhenChanged(WindowTop, [this] {
        const RECT r = BoundsRect();
        Move(r.left, WindowTop->Value(), r.right - r.left, r.bottom - r.top);
    });
    WhenChanged(WindowMaxed, [this] {
        if (IsWindowVisible(Handle()))
            ShowWindow(Handle(), WindowMaxed->Value() ? SW_MAXIMIZE : SW_RESTORE);
    });
    WhenChanged(StayOnTopVar, [this] {
        if (Ready)
            SetStayOnTop(StayOnTopVar->Value());
    });
    for (const TConfigVarColor* color : {ColorBack, ColorText, ColorMark, ColorMarkText})
        WhenChanged(color, [this] {
            if (Ready)
                ApplyTheme(this);
        });
    WhenChanged(EdgeSnapSizeVar, [this] { EdgeSnapSize = EdgeSnapSizeVar->Value(); });
    WhenChanged(FontVariable, [this] {
        fontVariableLog_ = FontSpecToLogFont(FontVariable->Value());
        if (Ready)
            ShareFonts();
    });
    WhenChanged(FontFixed, [this] {
        fontFixedLog_ = FontSpecToLogFont(FontFixed->Value());
        if (Ready)
            ShareFonts();
    });
}

void TKoUtilForm::SetConfigEditorOpener(TConfigEditorOpener opener) {
    configEditorOpener = opener;
}

void TKoUtilForm::WhenChanged(const TConfigVar* var, std::function<void()> reaction) {
    if (var)
        reactions_.emplace_back(var, std::move(reaction));
}

TNvMenuClick TKoUtilForm::MenuClick() {
    return [this](const TNvMenuItem& item) { commands_.Run(item); };
}

void TKoUtilForm::Move(int left, int top, int width, int height) {
    if (Ready)
        SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

TKoUtilForm::~TKoUtilForm() {
    SaveSettings();
}

void TKoUtilForm::AfterConstruction() {
    config_->Load();
    const RECT r = BoundsRect();
    SetWindowPos(Handle(), nullptr, WindowLeft->Value(), WindowTop->Value(),
                 WindowWidth ? WindowWidth->Value() : r.right - r.left,
                 WindowHeight ? WindowHeight->Value() : r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (StayOnTopVar && StayOnTopVar->Value())
        SetStayOnTop(true);
    ThemeColors = {static_cast<TColor>(ColorBack->Value()), static_cast<TColor>(ColorText->Value()),
                   static_cast<TColor>(ColorMark->Value()), static_cast<TColor>(ColorMarkText->Value())};
    if (HMENU menu = GetSystemMenu(Handle(), FALSE)) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, kSysCommandAbout, "&About...");
        AppendMenuA(menu, MF_STRING, kSysCommandConfig, "Con&figurations...\tF11");
    }
    ApplyTheme();
    Ready = true;
}

void TKoUtilForm::Show() {
    if (ending_)
        return;
    ShowWindow(Handle(), WindowMaxed && WindowMaxed->Value() ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(Handle());
    FormShown();
    // Also when the window manager has not activated the window (yet).
    const HWND focus = GetFocus();
    if (ActiveControl && (!focus || !IsChild(Handle(), focus)))
        ActiveControl->SetFocus();
}

void TKoUtilForm::EndProgram() {
    ending_ = true;
    PostQuitMessage(0);
}

void TKoUtilForm::SaveSettings() {
    if (settingsSaved_ || !config_)
        return;
    settingsSaved_ = true;
    if (IsMainWindow())
        ReleaseStatsIni();
    config_->Save();
}

void TKoUtilForm::ConfigChanged(TConfigVar& var) {
    if (!Handle())
        return;
    for (const auto& [watched, reaction] : reactions_)
        if (watched == &var)
            reaction();
}

void TKoUtilForm::ShowAbout() {
    ShowAboutBox(Handle(), Tool.Updated, Tool.Title, nullptr);
}

void TKoUtilForm::OpenConfigEditor() {
    if (configEditorOpener)
        configEditorOpener(*this);
}

bool TKoUtilForm::HandleShortcut(WORD key, const TShiftState& shift) {
    switch (ShortcutFor(key, shift.shift, shift.ctrl, shift.alt)) {
        case TShortcut::None:
            return false;
        case TShortcut::Close:
            Close();
            break;
        case TShortcut::About:
            ShowAbout();
            break;
        case TShortcut::ChangeLog:
            ShellOpen(DataFolder + "changelog.txt");
            break;
        case TShortcut::ConfigEditor:
            OpenConfigEditor();
            break;
        case TShortcut::Launcher:
            LaunchTool(ToolRecord(kLauncherIndex));
            break;
        case TShortcut::NewInstance:
            LaunchTool(Tool);
            break;
        case TShortcut::ToggleMaximised:
            if (WindowMaxed)
                WindowMaxed->SetValue(!WindowMaxed->Value());
            break;
    }
    return true;
}

void TKoUtilForm::FormKeyDown(TKeyEvent& event) {
    if (commands_.HandleKey(event.key, event.shift) || HandleShortcut(event.key, event.shift))
        ConsumeKey(event);
}

void TKoUtilForm::ConsumeKey(TKeyEvent& event) {
    event.key = 0;
    FlushKeyMessages();
}

void TKoUtilForm::ApplyThemeTo(TWinControl& control) {
    for (const auto& component : control.Components()) {
        if (!component->Components().empty())
            ApplyThemeTo(*component);
        const int tag = component->Tag;
        if (tag == 0 || !component->Handle() || (tag & kTagLeaveAlone))
            continue;
        if (tag & kTagVariableFont)
            component->SetFont(TFontHandle(CreateFontIndirectA(&fontVariableLog_)));
        else if (tag & kTagFixedFont)
            component->SetFont(TFontHandle(CreateFontIndirectA(&fontFixedLog_)));
        if (tag & kTagBackColor)
            component->SetColor(static_cast<TColor>(ColorBack->Value()));
        if (tag & kTagTextColor)
            component->SetFontColor(static_cast<TColor>(ColorText->Value()));
    }
}

// The shared fonts are the same for every window of the process: an editor over a tool follows the tool's change,
// its own list included. Only a change is passed on; a window that opens later reads them itself.
void TKoUtilForm::ShareFonts() {
    if (Ready) {
        std::vector<TKoUtilForm*> forms;
        EnumThreadWindows(GetCurrentThreadId(), CollectThreadForm, reinterpret_cast<LPARAM>(&forms));
        for (TKoUtilForm* form : forms) {
            form->fontVariableLog_ = fontVariableLog_;
            form->fontFixedLog_ = fontFixedLog_;
        }
    }
    ApplyTheme();
}

void TKoUtilForm::ApplyTheme(TWinControl* root) {
    if (root) {
        ApplyThemeTo(*root);
    } else {
        // The whole application: every window of this thread and what they own.
        std::vector<TKoUtilForm*> forms;
        EnumThreadWindows(GetCurrentThreadId(), CollectThreadForm, reinterpret_cast<LPARAM>(&forms));
        for (TKoUtilForm* form : forms) {
            if (form->Tag & kTagVariableFont)
                form->SetFont(TFontHandle(CreateFontIndirectA(&form->fontVariableLog_)));
            form->ApplyThemeTo(*form);
            if (form != this)
                RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
    }
    if (Handle())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TKoUtilForm::MoveSizeEnded() {
    SavePlacement();
}

void TKoUtilForm::SavePlacement() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(Handle(), &placement))
        return;
    const RECT& r = placement.rcNormalPosition;
    if (WindowWidth) {
        WindowWidth->SetValue(r.right - r.left);
        WindowHeight->SetValue(r.bottom - r.top);
    }
    WindowLeft->SetValue(r.left);
    WindowTop->SetValue(r.top);
}

LRESULT TKoUtilForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SYSCOMMAND: {
            const LRESULT result = TNvForm::HandleMessage(message, wParam, lParam);
            switch (wParam & 0xFFF0) {
                case kSysCommandAbout:
                    ShowAbout();
                    break;
                case kSysCommandConfig:
                    OpenConfigEditor();
                    break;
                case SC_MAXIMIZE:
                    if (WindowMaxed)
                        WindowMaxed->SetValue(true);
                    break;
                case SC_RESTORE:
                    if (WindowMaxed)
                        WindowMaxed->SetValue(false);
                    break;
            }
            return result;
        }
        case WM_CLOSE:
            if (Jobs.DeferClose())
                return 0;
            break;
        case WM_DESTROY:
            Jobs.Cancel();
            SaveSettings();
            break;
    }
    return TNvForm::HandleMessage(message, wParam, lParam);
}
