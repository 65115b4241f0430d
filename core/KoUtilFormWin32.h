#pragma once
#include <memory>

#include "core/EasyConfig.h"
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

    virtual void ConfigChanged(TConfigVar& var);
    virtual void ShowAbout();
    virtual void OpenConfigEditor();

    // The shortcuts common to every window; true when the key was one of them.
    bool HandleShortcut(WORD key, const TShiftState& shift);
    // Applies tag-driven fonts and colours to the components of root, or of every window when root is null.
    void ApplyTheme(TWinControl* root = nullptr);

    void Show();

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
    void ApplyThemeTo(TWinControl& control);
    void SavePlacement();
    void SaveSettings();

    std::unique_ptr<TEasyConfigIni> config_;
    LOGFONTA fontVariableLog_{};
    LOGFONTA fontFixedLog_{};
    bool settingsSaved_ = false;
};
