#pragma once
#include "core/KoUtilFormWin32.h"
#include "core/NvButtonWin32.h"
#include "core/NvComboBoxWin32.h"
#include "core/NvListViewWin32.h"
#include "core/NvStatusBarWin32.h"
#include "tools/storage/DosDevices.h"

// Drive letters mapped to folders: new mappings on free letters, removal of substitutions, and the mappings ticked
// here restored at every log-on by "drivesubst /auto", which maps them and ends without a window.
class TFormSubst : public TKoUtilForm {
  public:
    explicit TFormSubst(TWinControl* owner, IDosDevices& devices = SystemDosDevices());

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormKeyDown(TKeyEvent& event) override;

  private:
    void Refresh();
    void SelectionChanged();
    void Subst();
    void Remove();
    void Save();
    void WriteStartupEntry(bool wanted);
    const TSubstRow* SelectedRow() const;

    IDosDevices& devices_;
    const std::string section_;
    std::vector<TSubstRow> rows_;
    TNvListView* list_ = nullptr;
    TNvComboBox* freeLetters_ = nullptr;
    TNvButton* remove_ = nullptr;
    TNvStatusBar* statusBar_ = nullptr;
};
