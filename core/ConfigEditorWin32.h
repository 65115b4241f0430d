#pragma once
#include "core/KoUtilFormWin32.h"
#include "core/NvListBoxWin32.h"
#include "core/NvMenuWin32.h"

// Lists every configuration variable of one window and lets the user edit, step, toggle or reset them; changes
// apply at once and reach the INI file when the editor closes.
class TConfigEditor : public TKoUtilForm {
  public:
    // toolWindow: the window whose variables are edited; null when the editor runs as its own process.
    explicit TConfigEditor(TWinControl* owner, TKoUtilForm* toolWindow = nullptr);
    ~TConfigEditor() override;

    static constexpr int kRowHeight = 21;
    static constexpr int kMaxVisibleRows = 32;

    TNvListBox* List = nullptr;
    TEasyConfig* Edited = nullptr;  // not owned

    void Edit(TEasyConfig& config);
    TConfigVar* SelectedVariable() const;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static const TCommand<TConfigEditor> kMenu[];
    static const TCommand<TConfigEditor> kKeys[];

    void Step(int delta);
    void ResetSelected();
    void Detach();
    void Fill();
    void EditSelected();
    void DrawRow(const TDrawItemEvent& event);

    TKoUtilForm* toolWindow_;
    TNvPopupMenu* menu_ = nullptr;
    TEasyConfig::TChangeEvent savedOnChange_;
};
