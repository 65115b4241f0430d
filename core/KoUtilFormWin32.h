#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "core/CommandsWin32.h"
#include "core/EasyConfig.h"
#include "core/LongJob.h"
#include "core/NvFormWin32.h"
#include "core/ToolRegistry.h"

// Control tag bits that ask for theming.
constexpr int kTagBackColor = 1;
constexpr int kTagTextColor = 2;
constexpr int kTagLeaveAlone = 8;
constexpr int kTagFixedFont = 16;
constexpr int kTagVariableFont = 32;

// System-menu commands every window adds.
constexpr UINT kSysCommandAbout = 16;
constexpr UINT kSysCommandConfig = 32;

// The four colours of the last window that finished construction.
struct TThemeColors {
    TColor back, text, mark, markText;
};
extern TThemeColors ThemeColors;

// The base of every top-level window: caption with the tool's version, working folder, run statistics, typed
// settings in the program's INI file, remembered placement, shared colours and fonts, stay-on-top, the About and
// configuration entries of the system menu and the common shortcuts.
class TKoUtilForm : public TNvForm {
  public:
    // tool: null takes the record chosen at start.
    explicit TKoUtilForm(TWinControl* owner, const TToolRecord* tool = nullptr);
    ~TKoUtilForm() override;

    // Creates a window of class T and completes it: settings loaded and applied, theme, system menu.
    template <typename T, typename... Args>
    static std::unique_ptr<T> Create(Args&&... args) {
        auto form = std::make_unique<T>(std::forward<Args>(args)...);
        static_cast<TKoUtilForm&>(*form).AfterConstruction();
        return form;
    }

    const TToolRecord& Tool;
    const std::string CaptionText;
    const std::string DataFolder;
    bool Ready = false;
    TEasyConfigIni& Config() { return *config_; }
    const LOGFONTA& FontVariableLog() const { return fontVariableLog_; }
    const LOGFONTA& FontFixedLog() const { return fontFixedLog_; }

    TConfigVarInt* WindowWidth = nullptr;
    TConfigVarInt* WindowHeight = nullptr;
    TConfigVarInt* WindowLeft = nullptr;
    TConfigVarInt* WindowTop = nullptr;
    TConfigVarBool* WindowMaxed = nullptr;
    TConfigVarColor* ColorBack = nullptr;
    TConfigVarColor* ColorText = nullptr;
    TConfigVarColor* ColorMark = nullptr;
    TConfigVarColor* ColorMarkText = nullptr;
    TConfigVarInt* EdgeSnapSizeVar = nullptr;
    TConfigVarStr* FontVariable = nullptr;
    TConfigVarStr* FontFixed = nullptr;
    TConfigVarBool* StayOnTopVar = nullptr;

    // Runs the reactions to var, the base's first.
    virtual void ConfigChanged(TConfigVar& var);
    virtual void ShowAbout();
    virtual void OpenConfigEditor();

    // The configuration editor is a window class of its own: the class table tells the base how to open one.
    using TConfigEditorOpener = void (*)(TKoUtilForm& toolWindow);
    static void SetConfigEditorOpener(TConfigEditorOpener opener);

    // What the window does when a variable changes: on the settings' load and on every later change.
    void WhenChanged(const TConfigVar* var, std::function<void()> reaction);

    // The window's commands: menus from table rows with captions, keys from every row's shortcut.
    TCommandList& Commands() { return commands_; }
    template <class Form, size_t N>
    TNvMenuEntry& AddMenu(const char* caption, const TCommand<Form> (&rows)[N]) {
        if (!mainMenu_) {
            mainMenu_ = &Add<TNvMainMenu>();
            commands_.Watch(*mainMenu_);
        }
        return mainMenu_->AddMenu(caption, AddCommands<Form>(rows, N), MenuClick());
    }
    template <class Form, size_t N>
    TNvPopupMenu& AddPopupMenu(const TCommand<Form> (&rows)[N]) {
        auto& menu = Add<TNvPopupMenu>(MenuClick(), AddCommands<Form>(rows, N));
        commands_.Watch(menu);
        return menu;
    }
    template <class Form, size_t N>
    void AddKeys(const TCommand<Form> (&rows)[N]) {
        AddCommands<Form>(rows, N);
    }
    TNvMainMenu* MainMenu() const { return mainMenu_; }

    // Long work in this window's thread; closing the window waits for it to end.
    TLongJobs Jobs;

    // The shortcuts common to every window; true when the key was one of them.
    bool HandleShortcut(WORD key, const TShiftState& shift);
    // Applies tag-driven fonts and colours to the components of root, or of every window when root is null.
    void ApplyTheme(TWinControl* root = nullptr);

    void Show();
    // For a window that has done its work during construction: it is never shown and the program ends.
    void EndProgram();

  protected:
    // Called once the subclass constructor has run.
    virtual void AfterConstruction();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void MoveSizeEnded() override;
    // Once the window is on the screen.
    virtual void FormShown() {}
    // The window's own keys; the default handles the common shortcuts.
    virtual void FormKeyDown(TKeyEvent& event);
    // A handled key goes no further and leaves no character behind.
    void ConsumeKey(TKeyEvent& event);

  private:
    template <class Form>
    std::vector<const TNvMenuItem*> AddCommands(const TCommand<Form>* rows, size_t count) {
        Form& form = static_cast<Form&>(*this);
        std::vector<const TNvMenuItem*> shown;
        for (size_t i = 0; i < count; ++i) {
            const TCommand<Form>& row = rows[i];
            if (row.Run)
                commands_.Add(row.Item, [&form, run = row.Run] { run(form); });
            if (row.Item.Caption)
                shown.push_back(&row.Item);
        }
        return shown;
    }
    TNvMenuClick MenuClick();
    void ApplyThemeTo(TWinControl& control);
    void ShareFonts();
    void Move(int left, int top, int width, int height);
    void SavePlacement();
    void SaveSettings();

    std::unique_ptr<TEasyConfigIni> config_;
    std::vector<std::pair<const TConfigVar*, std::function<void()>>> reactions_;
    TCommandList commands_;
    TNvMainMenu* mainMenu_ = nullptr;
    LOGFONTA fontVariableLog_{};
    LOGFONTA fontFixedLog_{};
    bool settingsSaved_ = false;
    bool ending_ = false;
};
