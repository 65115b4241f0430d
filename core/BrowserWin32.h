#pragma once
#include "core/BrowserOrder.h"
#include "core/KoUtilFormWin32.h"
#include "core/NvListBoxWin32.h"

// The launcher: the seventeen tools in a chosen order with an optional column of dates or run statistics; every
// tool starts as a new process.
class TFormBrowser : public TKoUtilForm {
  public:
    explicit TFormBrowser(TWinControl* owner);

    TNvListBox* List = nullptr;
    TToolOrder Order;
    TConfigVarInt* AppIndex = nullptr;
    TConfigVarBool* AutoQuit = nullptr;
    TConfigVarBool* HexIndex = nullptr;
    TConfigVarNamed* SortMethod = nullptr;
    TConfigVarNamed* ExtraInfo = nullptr;

    const TToolRecord& SelectedTool() const;
    void Refresh();
    void LaunchSelected();

  protected:
    void AfterConstruction() override;
    void FormKeyDown(TKeyEvent& event) override;

  private:
    static const TCommand<TFormBrowser> kKeys[];

    void DrawRow(const TDrawItemEvent& event);
    void FontChanged();
    void ExtraInfoChanged();
    void Step(TConfigVarInt& var, bool backwards);
    int RowOf(TToolIndex index) const;
    int rowHeight_ = 20;
    std::array<TToolStats, kBrowserToolCount> stats_{};
};
