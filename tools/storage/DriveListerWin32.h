#pragma once
#include "core/HandlesWin32.h"
#include "core/KoUtilFormWin32.h"
#include "core/NvListBoxWin32.h"
#include "core/NvMenuWin32.h"
#include "core/NvPanelWin32.h"
#include "tools/storage/DriveVolumes.h"

// A row per drive letter: label, sizes, file system, serial, type, flags and a usage bar going from green to red.
class TFormDriveLister : public TKoUtilForm {
  public:
    explicit TFormDriveLister(TWinControl* owner);

    TConfigVarNamed* SizeFormat = nullptr;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormKeyDown(TKeyEvent& event) override;

  private:
    static const TCommand<TFormDriveLister> kMenu[];
    template <int Unit>
    static void SetUnit(TFormDriveLister& form) {
        form.SizeFormat->SetValue(Unit);
    }

    void Refresh();
    void FillRows();
    void ShowProperties();
    void ShowFlags();
    std::string CellText(const TDriveVolume& volume, int column) const;
    std::string RowText(int index) const;
    void DrawHeader(HDC dc);
    void DrawRow(const TDrawItemEvent& event);

    TDriveVolumes volumes_;
    TNvPanel* header_ = nullptr;
    TNvListBox* list_ = nullptr;
    TNvPopupMenu* menu_ = nullptr;
    TFontHandle headerFont_;
    TColor headerColor_ = 0;
};

// The 32 bits of a drive's file system flag word, one row each.
class TFlagsForm : public TNvForm {
  public:
    TFlagsForm(TWinControl* owner, uint32_t flags);
};
