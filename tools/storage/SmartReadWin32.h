#pragma once
#include <vector>

#include "core/KoUtilFormWin32.h"
#include "core/NvImageListWin32.h"
#include "core/NvListViewWin32.h"
#include "core/NvMenuWin32.h"
#include "core/NvStatusBarWin32.h"
#include "core/NvTabControlWin32.h"
#include "tools/storage/SmartRead.h"

// A tab per physical drive that answers SMART commands, with its attributes, their meaning and health.
class TFormSmartReader : public TKoUtilForm {
  public:
    explicit TFormSmartReader(TWinControl* owner);

    TConfigVarInt* ActiveDriveIndex = nullptr;
    TConfigVarInt* SelectedAttributeIndex = nullptr;
    TConfigVarIntArray* ColumnWidths = nullptr;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormShown() override;
    void FormKeyDown(TKeyEvent& event) override;

  private:
    static const TCommand<TFormSmartReader> kMenu[];
    static const TCommand<TFormSmartReader> kKeys[];

    void FullRefresh();
    void Refresh();
    void ScanDrives();
    void SelectTab(int position, bool reRead);
    void ShowDrive(int position, bool reRead);
    void PlacePage();
    std::string SelectedName() const;
    void CopyName();
    void SearchName();
    void ShowErrorLog();

    TSmartAttributesFallback meaning_;
    TSmartDrives drives_;
    std::vector<int> tabDrives_;  // the drive number of each tab
    int64_t frequency_ = 1;
    TNvImageList images_;
    TNvTabControl* tabs_ = nullptr;
    TNvListView* list_ = nullptr;
    TNvStatusBar* statusBar_ = nullptr;
    TNvPopupMenu* menu_ = nullptr;
    bool filling_ = false;    // the list's own selection changes while rows are put in
    bool selecting_ = false;  // a tab chosen here, not by the settings
};
