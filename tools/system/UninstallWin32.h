#pragma once
#include <memory>

#include "core/KoUtilFormWin32.h"
#include "core/NvImageListWin32.h"
#include "core/NvListViewWin32.h"
#include "core/NvStatusBarWin32.h"
#include "tools/system/Uninstall.h"

// The installed products of the Uninstall keys: run one's uninstaller, open its key in a registry browser or
// delete the key. Every activation of the program rescans.
class TFormUninstall : public TKoUtilForm {
  public:
    explicit TFormUninstall(TWinControl* owner);

    TConfigVarBool* Scan32BitReg = nullptr;
    TConfigVarBool* Scan64BitReg = nullptr;
    TConfigVarInt* SortIndex = nullptr;
    TConfigVarBool* SortReverse = nullptr;
    TConfigVarStr* Filter = nullptr;
    TConfigVarIntArray* ColumnWidths = nullptr;

  protected:
    void FormShown() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static const TCommand<TFormUninstall> kMainMenu[];
    static const TCommand<TFormUninstall> kOptionsMenu[];
    static const TCommand<TFormUninstall> kFilterMenu[];
    static const TCommand<TFormUninstall> kKeys[];

    void PostRescan();
    void Rescan();
    void ScanJob();
    void Fill();
    void AskFilter();
    const TUninstallEntry* SelectedEntry();
    void RunUninstaller();
    void OpenInRegistryBrowser();
    void DeleteSelectedKey();
    int Ask(const std::string& text, const std::string& caption, UINT flags);

    std::unique_ptr<TUninstallScanner> scanner_ = std::make_unique<TUninstallScanner>();
    TKoReg registry_{kKeyRead};
    TUninstallRows source_{*scanner_};
    TRowView rows_;
    TNvImageList images_;
    TNvListView* list_ = nullptr;
    TNvStatusBar* statusBar_ = nullptr;
    bool rescanPosted_ = false;
    bool asking_ = false;  // no rescan behind an open prompt: the entry asked about must stay
};
